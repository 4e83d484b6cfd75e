// The simulated camera: renders what a camera at the cross-hair sees of a workpiece at the
// current stage position, in transmitted light (the material dark, the light through holes and
// around the plate bright). Each pixel's share of material is computed exactly (the area a
// straight edge cuts from the pixel, finer sampling at corners), so the geometry of the picture
// is known to a small fraction of a pixel; then the lens's blur, uneven light and sensor noise.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "readout/camera.h"
#include "readout/workpiece.h"

namespace tarvo {

struct SimulatedCameraSettings {
    int width = 1280;
    int height = 720;
    CameraScale scale;    // the camera as built: pixel size and rotation
    double blur = 1.0;    // sigma of the lens's blur in pixels (0: sharp)
    double noise = 2.0;   // sigma of the sensor noise in grey levels
    double light = 0.2;   // how much darker the corners are than the middle (0: even)
    double dark = 30;     // grey level of the material
    double bright = 220;  // grey level of the light
};

class SimulatedCamera final : public Camera {
public:
    explicit SimulatedCamera(Workpiece workpiece = SampleWorkpiece());

    [[nodiscard]] bool Grab(GreyImage& frame) override;
    [[nodiscard]] std::string Name() const override { return "Simulierte Kamera"; }

    // The stage position: the workpiece point under the cross-hair, in millimetres.
    void SetStagePosition(double x, double y) {
        m_x = x;
        m_y = y;
    }
    [[nodiscard]] double StageX() const noexcept { return m_x; }
    [[nodiscard]] double StageY() const noexcept { return m_y; }
    // A camera that stops delivering (unplugged, its driver hung) and one that comes back.
    void SetDelivering(bool on) noexcept { m_delivering = on; }
    [[nodiscard]] SimulatedCameraSettings& Settings() noexcept { return m_settings; }
    [[nodiscard]] const SimulatedCameraSettings& Settings() const noexcept { return m_settings; }
    void SetWorkpiece(Workpiece w) { m_workpiece = std::move(w); }
    [[nodiscard]] const Workpiece& GetWorkpiece() const noexcept { return m_workpiece; }

    // The picture without blur, light and noise: each pixel's share of material (0..1), row by
    // row, for a frame of the settings' size.
    void Coverage(std::vector<float>& out) const;

private:
    void RenderCoverage(std::vector<float>& out, int w, int h, int margin) const;

    Workpiece m_workpiece;
    SimulatedCameraSettings m_settings;
    double m_x = 35;
    double m_y = 30;
    bool m_delivering = true;
    std::uint32_t m_frameNo = 0;
    std::vector<float> m_normal;  // a table of standard normal numbers for the noise
    std::vector<float> m_buffer;
    std::vector<float> m_blurred;
    std::vector<float> m_kernel;
    std::vector<float> m_column;  // the light's fall-off along a row
};

}  // namespace tarvo
