// A report canvas that writes a PDF file itself: A4 portrait, the standard Helvetica font in the
// Windows code page (so umlauts and the tolerance bar's byte 127 need no conversion), lines, text
// and the logo (an uncompressed BMP of 1, 4, 8, 24 or 32 bits, as "LOGO.BMP" files are). Used where no
// printer is at hand: tarvo-cli and any headless run; the window prints through Qt.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "base/fileio.h"
#include "output/reportcanvas.h"

namespace tarvo {

// The pixels of an uncompressed BMP (1-, 4- and 8-bit palette pictures, 24 or 32 bits) as
// top-down RGB, three bytes a pixel; false for any other file.
[[nodiscard]] bool ReadBmp(const std::filesystem::path& file, int& width, int& height, std::string& rgb);

class PdfCanvas final : public ReportCanvas {
public:
    explicit PdfCanvas(std::filesystem::path file) : m_file(std::move(file)) {}

    bool BeginDoc(const std::string& title) override;
    void NewPage() override;
    bool EndDoc() override;
    [[nodiscard]] double PageWidthMm() const override { return kPrintableWidthMm; }
    void SetFont(const std::string& family, int pointSize) override;
    void SetPenWidth(int pixels) override;
    void SetColor(unsigned rgb) override;
    void LineMm(double x1, double y1, double x2, double y2) override;
    void TextMm(const std::string& text, double x, double y) override;
    void ImageMm(const std::string& file, double left, double top, double right, double bottom) override;

    // Why EndDoc failed.
    [[nodiscard]] const std::string& Error() const noexcept { return m_error; }

    // The printable area of an A4 page with 5 mm kept free at each edge, and the device
    // resolution the pen widths are counted in (a 300 dpi printer's pixel).
    static constexpr double kPrintableWidthMm = 200.0;
    static constexpr double kPrintableHeightMm = 287.0;
    static constexpr double kMarginMm = 5.0;
    static constexpr double kDevicePixelMm = 25.4 / 300.0;

private:
    std::filesystem::path m_file;
    std::string m_title;
    std::vector<std::string> m_pages;  // content streams
    struct Image {
        int width = 0;
        int height = 0;
        std::string rgb;  // rows top down, 3 bytes a pixel
    };
    std::vector<Image> m_images;  // XObjects /Im0, /Im1, ...
    int m_fontSize = 10;
    double m_penMm = kDevicePixelMm;
    std::string m_error;
};

}  // namespace tarvo
