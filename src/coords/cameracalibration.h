// The camera's calibration: the pixel size in X and Y from a certified circle's rim (the circle
// appears as an ellipse along the picture's axes when the pixels are not square), the camera's
// rotation against the stage axes from the way the circle's centre moves in the picture when the
// stage moves. Kept in the working folder's "kamera.dat" with its date and the standard.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/datetime.h"
#include "base/fileio.h"
#include "readout/camera.h"

namespace tarvo {

inline constexpr const char* kCameraCalibrationFile = "kamera.dat";

struct CameraCalibrationRecord {
    DateTime date;
    std::string standard;  // the certified circle's identifier
    double diameter = 0;   // its certified diameter, mm
    CameraScale scale;
};

enum class CameraCalibrationStatus { None, Loaded, Damaged };

struct CameraCalibrationState {
    CameraCalibrationStatus status = CameraCalibrationStatus::None;
    CameraCalibrationRecord record;  // only when Loaded
    std::string problem;             // why it is damaged (German)
};

[[nodiscard]] CameraCalibrationState LoadCameraCalibration(const std::filesystem::path& file);
[[nodiscard]] std::string CameraCalibrationText(const CameraCalibrationRecord& r);
[[nodiscard]] WriteResult SaveCameraCalibration(const std::filesystem::path& file, const CameraCalibrationRecord& r);

// Why a camera scale cannot be right (empty when it can): a pixel outside 0.01 um .. 1 mm or
// not finite, pixels more than 20 % from square, a rotation beyond +-180 degrees.
[[nodiscard]] std::string CameraScaleProblem(const CameraScale& s);

struct RimFit {
    bool ok = false;
    PixelPoint centre;
    double halfWidth = 0;  // the ellipse's half axes along the picture's X and Y, pixels
    double halfHeight = 0;
};

// The ellipse along the picture's axes through the rim points (least squares, at least 5 points).
[[nodiscard]] RimFit FitRim(const std::vector<PixelPoint>& rim);

// The camera's rotation in degrees: a feature's centre seen at `before` and at `after` after the
// stage moved by (dx, dy) millimetres, with the pixel sizes already known. Nothing when the move
// shows less than 20 pixels in the picture.
[[nodiscard]] std::optional<double> CameraRotation(PixelPoint before, PixelPoint after, double dx, double dy,
                                                   double pixelX, double pixelY);

}  // namespace tarvo
