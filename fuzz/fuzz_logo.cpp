// Any bytes as the report's logo "LOGO.BMP": the BMP reader (palette pictures of 1, 4 and 8 bits,
// 24 and 32 bits, bottom-up or top-down rows) never reads outside the file and gives three bytes
// a pixel for what it takes; the PDF report either draws it or goes without it, and says so.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/fileio.h"
#include "fuzzdir.h"
#include "output/pdfcanvas.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    static const std::filesystem::path dir = FuzzDir("logo");
    const std::filesystem::path logo = dir / "LOGO.BMP";
    std::ofstream(logo, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    int width = 0;
    int height = 0;
    std::string rgb;
    if (tarvo::ReadBmp(logo, width, height, rgb) &&
        (width <= 0 || height <= 0 || rgb.size() != static_cast<std::size_t>(width) * height * 3)) {
        std::abort();  // a picture taken with a size its pixels do not have
    }
    tarvo::PdfCanvas pdf(dir / "report.pdf");
    if (!pdf.BeginDoc("logo")) {
        std::abort();
    }
    pdf.ImageMm(logo.string(), 10, 10, 60, 30);
    if (!pdf.EndDoc()) {
        std::abort();
    }
    (void)tarvo::TakeFileNotes();
    return 0;
}
