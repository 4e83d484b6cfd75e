// The camera at the cross-hair as the window uses it: which camera there is (none is fine: the
// program then works as without one), its calibration from "kamera.dat", the probes run as the
// window's commands, and the camera calibration with a certified circle in two steps (the circle
// in the picture, then again after a move of the stage).
#pragma once

#include <optional>
#include <string>

#include "coords/cameracalibration.h"
#include "readout/camera.h"

namespace tarvo {

class MainWindow;

class VideoProbing final {
public:
    // Reads the camera calibration of the working folder (none or a damaged one: 5 um square
    // pixels, no rotation, and `CalibrationText` says so).
    explicit VideoProbing(MainWindow& window);

    void SetCamera(Camera* camera) noexcept { m_camera = camera; }
    [[nodiscard]] Camera* GetCamera() const noexcept { return m_camera; }
    [[nodiscard]] const CameraScale& Scale() const noexcept { return m_scale; }
    // The calibration in effect, for the status and the live view's title.
    [[nodiscard]] std::string CalibrationText() const;

    // The probes at pixels of the newest frame, each as a command of the window (its failures
    // told, its end reported). True when points were captured.
    bool Edge(PixelPoint click);
    bool Circle(const PixelPoint (&seeds)[3], int count);

    // Step 1: the certified circle (`diameter` mm, identifier `standard`) seeded in the picture.
    bool CalibrateStart(double diameter, std::string standard, const PixelPoint (&seeds)[3]);
    // Step 2, after the stage moved with the circle still in the picture: the pixel size and the
    // rotation are computed, saved and put into effect.
    bool CalibrateFinish(const PixelPoint (&seeds)[3]);

private:
    struct RimSeen {
        RimFit fit;
        double readingX = 0;
        double readingY = 0;
    };
    bool Ready();
    std::optional<RimSeen> SeeRim(const PixelPoint (&seeds)[3]);

    MainWindow& m_w;
    Camera* m_camera = nullptr;
    CameraScale m_scale;
    CameraCalibrationState m_file;
    struct Started {
        double diameter;
        std::string standard;
        RimSeen first;
    };
    std::optional<Started> m_started;
};

}  // namespace tarvo
