// The report on a QPrinter: a system printer or Qt's own PDF output. Millimetres become device
// pixels through the printer's resolution at the moment of drawing.
#pragma once

#include <QPainter>
#include <QPrinter>

#include "output/reportcanvas.h"

namespace tarvo {

class PrinterCanvas final : public ReportCanvas {
public:
    // The printer must outlive the canvas; it is set to portrait here.
    explicit PrinterCanvas(QPrinter& printer);

    bool BeginDoc(const std::string& title) override;
    void NewPage() override;
    bool EndDoc() override;
    [[nodiscard]] double PageWidthMm() const override;
    void SetFont(const std::string& family, int pointSize) override;
    void SetPenWidth(int pixels) override;
    void SetColor(unsigned rgb) override;
    void LineMm(double x1, double y1, double x2, double y2) override;
    void TextMm(const std::string& text, double x, double y) override;
    void ImageMm(const std::string& file, double left, double top, double right, double bottom) override;

private:
    [[nodiscard]] int X(double mm) const;
    [[nodiscard]] int Y(double mm) const;
    QPrinter& m_printer;
    QPainter m_painter;
};

}  // namespace tarvo
