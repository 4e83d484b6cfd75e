// What the report is drawn on, in millimetres from the top left of the printable area: a printer
// page (QPainter on QPrinter), a PDF file written by the core, or a recording in the tests.
#pragma once

#include <string>

namespace tarvo {

class ReportCanvas {
public:
    virtual ~ReportCanvas() = default;
    // Starts the job with its title; false when it cannot be started (nothing is printed).
    virtual bool BeginDoc(const std::string& title) = 0;
    virtual void NewPage() = 0;
    // Ends the job; false when it failed (the file could not be written, the printer refused).
    virtual bool EndDoc() = 0;
    [[nodiscard]] virtual double PageWidthMm() const = 0;
    virtual void SetFont(const std::string& family, int pointSize) = 0;
    // Pen width in device pixels.
    virtual void SetPenWidth(int pixels) = 0;
    // The colour of lines and text from now on, 0xRRGGBB (black at the start); a canvas without
    // colours ignores it.
    virtual void SetColor(unsigned /*rgb*/) {}
    virtual void LineMm(double x1, double y1, double x2, double y2) = 0;
    // Windows-1252 text with its top-left corner at (x, y).
    virtual void TextMm(const std::string& text, double x, double y) = 0;
    // The logo picture (a file) stretched into the rectangle.
    virtual void ImageMm(const std::string& file, double left, double top, double right, double bottom) = 0;
};

}  // namespace tarvo
