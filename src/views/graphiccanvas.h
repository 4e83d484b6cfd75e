// What the element graphic is drawn on, in pixels from the top left: the window's picture
// (QPainter on a QImage), a PixelBuffer for a picture file, or a recording in the tests.
#pragma once

#include <string>

#include "views/pixelbuffer.h"

namespace tarvo {

class GraphicCanvas {
public:
    virtual ~GraphicCanvas() = default;
    // The whole picture in one colour.
    virtual void Clear(Rgb colour) = 0;
    // The colour of the lines, rectangles and ellipses that follow.
    virtual void SetPen(Rgb colour) = 0;
    virtual void Line(long long x1, long long y1, long long x2, long long y2) = 0;
    // Outline only, as the clear brush draws it.
    virtual void Rectangle(long long left, long long top, long long right, long long bottom) = 0;
    virtual void Ellipse(long long left, long long top, long long right, long long bottom) = 0;
    // Text in the canvas's default colour and font, its top left at (x, y).
    virtual void Text(long long x, long long y, const std::string& text) = 0;
};

// The canvas of a PixelBuffer.
class PixelCanvas final : public GraphicCanvas {
public:
    explicit PixelCanvas(PixelBuffer& picture) : m_picture(picture) {}
    void Clear(Rgb colour) override { m_picture.Fill(colour); }
    void SetPen(Rgb colour) override { m_pen = colour; }
    void Line(long long x1, long long y1, long long x2, long long y2) override {
        m_picture.Line(x1, y1, x2, y2, m_pen);
    }
    void Rectangle(long long l, long long t, long long r, long long b) override {
        m_picture.Rectangle(l, t, r, b, m_pen);
    }
    void Ellipse(long long l, long long t, long long r, long long b) override { m_picture.Ellipse(l, t, r, b, m_pen); }
    void Text(long long x, long long y, const std::string& text) override { m_picture.Text(x, y, text, kRgbBlack); }

private:
    PixelBuffer& m_picture;
    Rgb m_pen = kRgbBlack;
};

}  // namespace tarvo
