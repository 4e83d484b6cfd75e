// A camera at the cross-hair: frames as 8-bit grey pictures, and the scale that turns a pixel
// offset from the cross-hair into a stage offset. The real camera (qt/) and the simulated one
// (simulatedcamera.h) both stand behind `Camera`; the edge probes work on a frame alone.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvo {

// Row by row from the top left, one byte per pixel (0 black .. 255 white).
struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    void Resize(int w, int h) {
        width = w;
        height = h;
        pixels.assign(static_cast<std::size_t>(w) * static_cast<std::size_t>(h), 0);
    }
    [[nodiscard]] int At(int x, int y) const noexcept {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
    }
    [[nodiscard]] bool Empty() const noexcept { return width <= 0 || height <= 0; }
    // The cross-hair: the middle of the frame. Pixel coordinates count from the centre of the
    // top left pixel, X to the right and Y down.
    [[nodiscard]] double CentreX() const noexcept { return (width - 1) / 2.0; }
    [[nodiscard]] double CentreY() const noexcept { return (height - 1) / 2.0; }
};

// A pixel position in a frame (sub-pixel).
struct PixelPoint {
    double x = 0;
    double y = 0;
};

// The camera's calibration: a pixel's width and height in millimetres on the stage and the
// camera's rotation against the stage axes (the angle of the picture's X axis from the stage's
// X axis, counter-clockwise, in degrees).
struct CameraScale {
    double pixelX = 0.005;
    double pixelY = 0.005;
    double rotation = 0;
};

struct StageOffset {
    double x = 0;
    double y = 0;
};

// The stage offset of a pixel position from the cross-hair (picture Y points down, stage Y up).
[[nodiscard]] inline StageOffset PixelToStage(const GreyImage& frame, PixelPoint p, const CameraScale& s) {
    const double u = (p.x - frame.CentreX()) * s.pixelX;
    const double v = -(p.y - frame.CentreY()) * s.pixelY;
    const double a = s.rotation * M_PI / 180.0;
    return {u * std::cos(a) - v * std::sin(a), u * std::sin(a) + v * std::cos(a)};
}

class Camera {
public:
    virtual ~Camera() = default;
    // The newest frame; false when the camera delivers none (not there, stopped, or its last
    // frame is too old to be the picture at the current position).
    [[nodiscard]] virtual bool Grab(GreyImage& frame) = 0;
    // What the operator sees in messages and the live view's title.
    [[nodiscard]] virtual std::string Name() const = 0;
};

}  // namespace tarvo
