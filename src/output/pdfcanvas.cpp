#include "output/pdfcanvas.h"

#include <cstdint>
#include <cstdio>

#include "base/fileio.h"

namespace tarvo {

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr double kPageHeightPt = 297.0 * kPointsPerMm;

std::string Num(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

double X(double mm) { return (PdfCanvas::kMarginMm + mm) * kPointsPerMm; }
double Y(double mm) { return kPageHeightPt - (PdfCanvas::kMarginMm + mm) * kPointsPerMm; }

// A PDF string of Windows-1252 bytes: brackets and backslashes escaped, control bytes as octal.
std::string PdfString(const std::string& text) {
    std::string out = "(";
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (c == '(' || c == ')' || c == '\\') {
            out += '\\';
            out += c;
        } else if (b < 32 || b == 127) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\%03o", b);
            out += buf;
        } else {
            out += c;
        }
    }
    return out + ")";
}

}  // namespace

bool PdfCanvas::BeginDoc(const std::string& title) {
    m_title = title;
    m_pages.assign(1, std::string());
    return true;
}

void PdfCanvas::NewPage() { m_pages.emplace_back(); }

void PdfCanvas::SetFont(const std::string& /*family*/, int pointSize) { m_fontSize = pointSize > 0 ? pointSize : 10; }

void PdfCanvas::SetPenWidth(int pixels) { m_penMm = (pixels > 0 ? pixels : 1) * kDevicePixelMm; }

void PdfCanvas::SetColor(unsigned rgb) {
    if (m_pages.empty()) {
        return;
    }
    const std::string c =
        Num(((rgb >> 16) & 0xFF) / 255.0) + " " + Num(((rgb >> 8) & 0xFF) / 255.0) + " " + Num((rgb & 0xFF) / 255.0);
    m_pages.back() += c + " RG " + c + " rg\n";
}

void PdfCanvas::LineMm(double x1, double y1, double x2, double y2) {
    if (m_pages.empty()) {
        return;
    }
    m_pages.back() += Num(m_penMm * kPointsPerMm) + " w " + Num(X(x1)) + " " + Num(Y(y1)) + " m " + Num(X(x2)) + " " +
                      Num(Y(y2)) + " l S\n";
}

void PdfCanvas::TextMm(const std::string& text, double x, double y) {
    if (m_pages.empty()) {
        return;
    }
    // The baseline lies one ascent (about 0.8 of the size) below the top of the text.
    const double baseline = Y(y) - 0.8 * m_fontSize;
    m_pages.back() += "BT /F1 " + std::to_string(m_fontSize) + " Tf " + Num(X(x)) + " " + Num(baseline) + " Td " +
                      PdfString(text) + " Tj ET\n";
}

namespace {

std::uint32_t Le(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) {
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(i)]);
    }
    return v;
}

}  // namespace

bool ReadBmp(const std::filesystem::path& file, int& width, int& height, std::string& rgb) {
    const auto bytes = ReadFileBytes(file);
    if (!bytes || bytes->size() < 54 || bytes->substr(0, 2) != "BM") {
        return false;
    }
    const std::string& b = *bytes;
    const std::uint32_t offset = Le(b, 10, 4);
    const std::uint32_t headerSize = Le(b, 14, 4);
    const auto w = static_cast<std::int32_t>(Le(b, 18, 4));
    const auto h = static_cast<std::int32_t>(Le(b, 22, 4));
    const std::uint32_t bpp = Le(b, 28, 2);
    const std::uint32_t compression = Le(b, 30, 4);
    const bool palette = bpp == 1 || bpp == 4 || bpp == 8;
    if (w <= 0 || h == 0 || w > 10000 || h > 10000 || h < -10000 || headerSize < 40 ||
        (bpp != 24 && bpp != 32 && !palette) || (compression != 0 && !(compression == 3 && bpp == 32))) {
        return false;
    }
    // A palette picture (the logos that paint programs save with 2, 16 or 256 colours): its
    // colours follow the header, 4 bytes each (blue, green, red, unused).
    std::uint32_t colours = 0;
    if (palette) {
        colours = Le(b, 46, 4);
        if (colours == 0 || colours > (1U << bpp)) {
            colours = 1U << bpp;
        }
        if (14 + static_cast<std::size_t>(headerSize) + 4 * static_cast<std::size_t>(colours) > b.size()) {
            return false;
        }
    }
    const int rows = h < 0 ? -h : h;
    const std::size_t stride = ((static_cast<std::size_t>(w) * bpp + 7) / 8 + 3) / 4 * 4;
    if (offset + stride * static_cast<std::size_t>(rows) > b.size()) {
        return false;
    }
    rgb.clear();
    rgb.reserve(static_cast<std::size_t>(w) * static_cast<std::size_t>(rows) * 3);
    for (int r = 0; r < rows; ++r) {
        const int source = h > 0 ? rows - 1 - r : r;  // bottom-up unless the height is negative
        const std::size_t at = offset + stride * static_cast<std::size_t>(source);
        for (int x = 0; x < w; ++x) {
            if (palette) {
                const std::size_t bit = static_cast<std::size_t>(x) * bpp;
                const auto byte = static_cast<unsigned char>(b[at + bit / 8]);
                const unsigned index = (byte >> (8 - bpp - bit % 8)) & ((1U << bpp) - 1);
                if (index >= colours) {
                    return false;  // a colour the palette does not hold
                }
                const std::size_t c = 14 + headerSize + 4 * static_cast<std::size_t>(index);
                rgb += b[c + 2];
                rgb += b[c + 1];
                rgb += b[c];
                continue;
            }
            const std::size_t p = at + static_cast<std::size_t>(x) * (bpp / 8);
            rgb += b[p + 2];
            rgb += b[p + 1];
            rgb += b[p];
        }
    }
    width = w;
    height = rows;
    return true;
}

void PdfCanvas::ImageMm(const std::string& file, double left, double top, double right, double bottom) {
    Image image;
    if (m_pages.empty()) {
        return;
    }
    if (!ReadBmp(file, image.width, image.height, image.rgb)) {
        // No picture that can be read: nothing is drawn, as for a missing logo, and the operator
        // is told when the file is there.
        if (FileExists(file)) {
            NoteFileDamage(file, FileDamage::NotPicture);
        }
        return;
    }
    NoteFileWhole(file);
    const std::string name = "/Im" + std::to_string(m_images.size());
    m_images.push_back(std::move(image));
    m_pages.back() += "q " + Num((right - left) * kPointsPerMm) + " 0 0 " + Num((bottom - top) * kPointsPerMm) + " " +
                      Num(X(left)) + " " + Num(Y(bottom)) + " cm " + name + " Do Q\n";
}

bool PdfCanvas::EndDoc() {
    // Objects: 1 catalog, 2 pages, 3 font, 4 info, a page and its content for each page, then
    // the images.
    std::vector<std::string> objects;
    std::string kids;
    const std::size_t n = m_pages.size();
    for (std::size_t i = 0; i < n; ++i) {
        kids += std::to_string(5 + 2 * i) + " 0 R ";
    }
    objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
    objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(n) + " >>");
    objects.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
    objects.push_back("<< /Title " + PdfString(m_title) + " /Producer (TARVO) >>");
    std::string xobjects;
    for (std::size_t k = 0; k < m_images.size(); ++k) {
        xobjects += "/Im" + std::to_string(k) + " " + std::to_string(5 + 2 * n + k) + " 0 R ";
    }
    for (std::size_t i = 0; i < n; ++i) {
        objects.push_back(
            "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595.28 841.89] /Resources << /Font << /F1 3 0 R >> "
            "/XObject << " +
            xobjects + ">> >> /Contents " + std::to_string(6 + 2 * i) + " 0 R >>");
        objects.push_back("<< /Length " + std::to_string(m_pages[i].size()) + " >>\nstream\n" + m_pages[i] +
                          "endstream");
    }
    for (const Image& image : m_images) {
        objects.push_back("<< /Type /XObject /Subtype /Image /Width " + std::to_string(image.width) + " /Height " +
                          std::to_string(image.height) + " /ColorSpace /DeviceRGB /BitsPerComponent 8 /Length " +
                          std::to_string(image.rgb.size()) + " >>\nstream\n" + image.rgb + "\nendstream");
    }
    std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t off : offsets) {
        char buf[24];
        std::snprintf(buf, sizeof buf, "%010zu 00000 n \n", off);
        pdf += buf;
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R /Info 4 0 R >>\nstartxref\n" +
           std::to_string(xref) + "\n%%EOF\n";
    const WriteResult r = WriteFileAtomic(m_file, pdf);
    m_error = r.error;
    return r.ok;
}

}  // namespace tarvo
