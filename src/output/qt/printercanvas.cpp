#include "output/qt/printercanvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPageLayout>
#include <cmath>

#include "base/fileio.h"
#include "shell/qt/qtext.h"

namespace tarvo {

namespace {
constexpr double kMmPerInch = 25.4;
}  // namespace

PrinterCanvas::PrinterCanvas(QPrinter& printer) : m_printer(printer) {
    m_printer.setPageOrientation(QPageLayout::Portrait);
}

int PrinterCanvas::X(double mm) const {
    return static_cast<int>(std::lround(mm * m_printer.logicalDpiX() / kMmPerInch));
}
int PrinterCanvas::Y(double mm) const {
    return static_cast<int>(std::lround(mm * m_printer.logicalDpiY() / kMmPerInch));
}

bool PrinterCanvas::BeginDoc(const std::string& title) {
    m_printer.setDocName(Q(title));
    return m_painter.begin(&m_printer);
}

void PrinterCanvas::NewPage() { m_printer.newPage(); }

bool PrinterCanvas::EndDoc() { return m_painter.end(); }

double PrinterCanvas::PageWidthMm() const {
    return m_printer.pageLayout().paintRectPixels(m_printer.resolution()).width() * kMmPerInch /
           m_printer.logicalDpiX();
}

void PrinterCanvas::SetFont(const std::string& family, int pointSize) {
    QFont font(Q(family));
    font.setPointSize(pointSize > 0 ? pointSize : 10);
    m_painter.setFont(font);
}

void PrinterCanvas::SetPenWidth(int pixels) {
    QPen pen = m_painter.pen();
    pen.setWidth(pixels);
    m_painter.setPen(pen);
}

void PrinterCanvas::SetColor(unsigned rgb) {
    QPen pen = m_painter.pen();
    pen.setColor(QColor::fromRgb(rgb));
    m_painter.setPen(pen);
}

void PrinterCanvas::LineMm(double x1, double y1, double x2, double y2) {
    m_painter.drawLine(X(x1), Y(y1), X(x2), Y(y2));
}

void PrinterCanvas::TextMm(const std::string& text, double x, double y) {
    // The byte 127 of the tolerance bar shows as a block, as in the window.
    const QString shown = Q(text).replace(QChar(0x7F), QChar(0x25AE));
    m_painter.drawText(X(x), Y(y) + QFontMetrics(m_painter.font(), &m_printer).ascent(), shown);
}

void PrinterCanvas::ImageMm(const std::string& file, double left, double top, double right, double bottom) {
    const QImage picture(Q(file));
    if (picture.isNull() && tarvo::FileExists(file)) {
        tarvo::NoteFileDamage(file, tarvo::FileDamage::NotPicture);
    }
    if (!picture.isNull()) {
        tarvo::NoteFileWhole(file);
        m_painter.drawImage(QRect(QPoint(X(left), Y(top)), QPoint(X(right), Y(bottom))), picture);
    }
}

}  // namespace tarvo
