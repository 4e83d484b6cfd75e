// Any bytes as a language file, a bitmap size file, a contour point file (opened in the converter
// and taken through its menu) or a result list drawn by the element graphic: the readers, the
// converter's steps and the drawing never crash or hang, and what they refuse they refuse with
// a message.
#include <filesystem>
#include <fstream>
#include <string>

#include "base/fileio.h"
#include "base/ini.h"
#include "fuzzdir.h"
#include "output/contourconverter.h"
#include "shell/nulloperator.h"
#include "shell/stringloader.h"
#include "shell/uitexts.h"
#include "views/bitmapview.h"
#include "views/elementgraphic.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    static const std::filesystem::path dir = FuzzDir("views");
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // Language files.
    const tarvo::IniFile ini = tarvo::IniFile::FromText(bytes);
    tarvo::UiTexts texts;
    tarvo::LoadTextLists(ini, texts);
    tarvo::WindowTexts window = {tarvo::ControlTexts{"Label1", {{"Caption", "x"}}, {{"Items", {"a"}}}}};
    tarvo::LoadLanguageTexts(ini, window);
    // "bmpsize2.dat".
    std::ofstream(dir / tarvo::kElementGraphicSizeFile, std::ios::binary | std::ios::trunc) << bytes;
    (void)tarvo::ReadBitmapSize(dir / tarvo::kElementGraphicSizeFile, {2000, 1200});
    // A point file through the converter's steps.
    const std::vector<std::string> items = tarvo::SplitLines(bytes);
    std::vector<std::string> path;
    std::vector<std::string> program;
    tarvo::ConverterPresets presets;
    (void)tarvo::CompensateRadius(items, path, 2, false);
    (void)tarvo::WriteGxxProgram(items, program, presets);
    // The same bytes as a point file opened in the converter and taken through its menu.
    std::ofstream(dir / "kontur.pnt", std::ios::binary | std::ios::trunc) << bytes;
    static tarvo::NullOperator op;
    tarvo::ContourConverter converter(op, dir, tarvo::DxfSettings{});
    if (converter.Open("kontur.pnt")) {
        converter.ExtractLinesClick();
        converter.CopyLinesClick();
        converter.CompensateClick();
        converter.CopyPathClick();
        converter.RemoveMarkersClick();
    }
    // The same lines as a result list in the element graphic, on a small picture.
    std::ofstream(dir / tarvo::kElementGraphicSizeFile, std::ios::binary | std::ios::trunc) << "200\n120\n";
    tarvo::ElementGraphic graphic(dir, texts);
    graphic.SetLines(items);
    tarvo::PixelBuffer picture(graphic.Width(), graphic.Height());
    tarvo::PixelCanvas canvas(picture);
    graphic.Draw(canvas);
    (void)tarvo::TakeFileNotes();
    return 0;
}
