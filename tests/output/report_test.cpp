// The report's layout on a recording canvas: every text and line with its millimetres.
#include "output/report.h"

#include <gtest/gtest.h>

#include <sstream>

#include "base/cp1252.h"
#include "base/ini.h"
#include "data/resultline.h"
#include "output/pdfcanvas.h"
#include "output/reportcanvas.h"
#include "shell/stringloader.h"
#include "support/mainwindowfixture.h"

namespace tarvo {
namespace {

struct Recorded {
    std::string kind;  // "text", "line", "page", "font", "pen", "image"
    std::string text;
    double x = 0, y = 0, x2 = 0, y2 = 0;
};

class RecordingCanvas final : public ReportCanvas {
public:
    std::vector<Recorded> items;
    bool BeginDoc(const std::string& title) override {
        items.push_back({"begin", title});
        return true;
    }
    void NewPage() override { items.push_back({"page", ""}); }
    bool EndDoc() override {
        items.push_back({"end", ""});
        return true;
    }
    [[nodiscard]] double PageWidthMm() const override { return 200; }
    void SetFont(const std::string& family, int size) override {
        items.push_back({"font", family + " " + std::to_string(size)});
    }
    void SetPenWidth(int px) override { items.push_back({"pen", std::to_string(px)}); }
    void LineMm(double x1, double y1, double x2, double y2) override { items.push_back({"line", "", x1, y1, x2, y2}); }
    void TextMm(const std::string& text, double x, double y) override { items.push_back({"text", text, x, y}); }
    void ImageMm(const std::string& file, double l, double t, double r, double b) override {
        items.push_back({"image", file, l, t, r, b});
    }
    // The first text drawn as `text`; a failure (and a stand-in at -1, -1) when there is none.
    [[nodiscard]] const Recorded* Text(const std::string& text) const {
        for (const auto& i : items) {
            if (i.kind == "text" && i.text == text) {
                return &i;
            }
        }
        ADD_FAILURE() << "no text \"" << text << "\"";
        static const Recorded missing{"text", "", -1, -1};
        return &missing;
    }
    [[nodiscard]] bool Has(const std::string& text) const {
        return std::any_of(items.begin(), items.end(),
                           [&](const Recorded& r) { return r.kind == "text" && r.text == text; });
    }
    [[nodiscard]] int Count(const std::string& kind) const {
        return static_cast<int>(
            std::count_if(items.begin(), items.end(), [&](const Recorded& r) { return r.kind == kind; }));
    }
};

TEST(ReportLines, TheColumnTest) {
    const std::string punkt = "Punkt";
    EXPECT_TRUE(PrintedInColumns(BuildResultLine(1, "Kreis", " 3 D", 10, 10, 20, 3), punkt));
    EXPECT_TRUE(PrintedInColumns("  4 Bohrung          #1       10.000                        -|-----|-----|-", punkt));
    EXPECT_TRUE(PrintedInColumns("  5 ---------", punkt));  // nine dashes, no numbers
    EXPECT_TRUE(PrintedInColumns(WriteResultLine(6, ResultLabel("Punkt", 11), "", {"1.000", "2.000"}), punkt));
    EXPECT_FALSE(PrintedInColumns("  7 Bohrung links", punkt));
    EXPECT_FALSE(PrintedInColumns(WriteResultLine(8, ResultLabel("Nullen", 8), "", {"1.000", "2.000"}), punkt));
    // With 1 or 2 decimals a small value starts within characters 32-34: its blanks lead it.
    for (const int decimals : {1, 2, 3}) {
        for (const double v : {1.25, 9.5, -1.25, 0.5, 123.25}) {
            EXPECT_TRUE(PrintedInColumns(BuildResultLine(9, "Kreis", " 3 D", v, 10, 20, decimals), punkt))
                << decimals << " " << v;
        }
    }
}

class Report : public test::MainWindowFixture {
protected:
    RecordingCanvas canvas;
};

TEST_F(Report, TitleHeaderAndColumns) {
    w->lb1().Append(BuildResultLine(1, "Kreis", " 3 D", 10, 10, 20, 3));
    w->lb1().Append(WriteResultLine(2, ResultLabel("Zeit", 11), " 1:2:345.6"));  // one dot, two colons
    w->lb1().Append("  3 Bohrung links");
    Capture(1, 1);
    ASSERT_TRUE(PrintReport(w->Context(), canvas, ""));
    const std::string title = Ansi("TARVO Meßprotokoll");
    ASSERT_NE(canvas.Text(title), nullptr);
    EXPECT_DOUBLE_EQ(canvas.Text(title)->x, 100 - 2.1 * static_cast<double>(title.size()));
    EXPECT_EQ(canvas.Text(title)->y, 22);
    EXPECT_EQ(canvas.Text(" #  Merkmal               ")->y, 55);  // no header data: at 55 mm
    EXPECT_EQ(canvas.Text("Ergebnis   ")->x, 60);
    EXPECT_EQ(canvas.Text("  1 Kreis    3 D         ")->y, 63);
    EXPECT_EQ(canvas.Text("10.000")->x, 60);
    EXPECT_EQ(canvas.Text(" 1:2:345.6")->x, 60);         // with colons the blanks stay
    EXPECT_EQ(canvas.Text("  3 Bohrung links")->x, 15);  // printed whole
    EXPECT_EQ(canvas.Count("page"), 0);
    EXPECT_EQ(w->PointCount(), 0);
    EXPECT_FALSE(session->acquisition.PollPaused);
}

TEST_F(Report, LineThousandPrintsInTheSameColumnsAsTheOthers) {
    w->lb1().Append(BuildResultLine(1000, "Kreis", " 3 D", 15.999L, 100.5L, -50.25L, 3));
    ASSERT_TRUE(PrintReport(w->Context(), canvas, ""));
    ASSERT_NE(canvas.Text("1000 Kreis    3 D         "), nullptr);
    ASSERT_NE(canvas.Text("15.999"), nullptr);  // not "15.99" with a blank in front
    EXPECT_EQ(canvas.Text("15.999")->x, 60);
    ASSERT_NE(canvas.Text("100.500"), nullptr);
    ASSERT_NE(canvas.Text("-50.250"), nullptr);
}

// The column header is the loaded language's, on every page.
TEST_F(Report, TheColumnHeaderIsTheLoadedLanguages) {
    LoadTextLists(IniFile::FromText("[lb1_label]\r\nCaption=\" #  Feature               Result      X-Pos.    "
                                    "Y-Pos     Dev.         .\"\r\n"),
                  w->texts());
    for (int i = 1; i <= 42; ++i) {
        w->lb1().Append(BuildResultLine(i, "Punkt", "", i, 0, 0, 3));
    }
    ASSERT_TRUE(PrintReport(w->Context(), canvas, ""));
    EXPECT_FALSE(canvas.Has(" #  Merkmal               "));
    EXPECT_EQ(canvas.Text(" #  Feature               ")->y, 55);
    EXPECT_EQ(canvas.Text("Result     ")->x, 60);
    const auto headers = std::count_if(canvas.items.begin(), canvas.items.end(),
                                       [](const Recorded& r) { return r.text == " #  Feature               "; });
    EXPECT_EQ(headers, 2);  // the second page repeats it
}

TEST_F(Report, HeaderDataMovesTheColumnsTo103EvenWhenNotPrinted) {
    session->header.present = true;
    session->header.values[0] = "A-4711";
    session->header.values[8] = "Meier";
    op.ExpectAsk(true);
    ASSERT_TRUE(PrintReport(w->Context(), canvas, ""));
    EXPECT_EQ(canvas.Text("A-4711")->x, 55);
    EXPECT_EQ(canvas.Text("A-4711")->y, 55);
    EXPECT_EQ(canvas.Text("Meier")->x, 153);
    EXPECT_EQ(canvas.Text("Feld 9")->x, 105);
    EXPECT_EQ(canvas.Text(" #  Merkmal               ")->y, 103);
    RecordingCanvas second;
    op.ExpectAsk(false);
    ASSERT_TRUE(PrintReport(w->Context(), second, ""));
    EXPECT_FALSE(second.Has("A-4711"));
    EXPECT_EQ(second.Text(" #  Merkmal               ")->y, 103);
}

TEST_F(Report, PagesBreakAfter270AndAnEmptyListPrintsTheFrame) {
    // 42 lines: the last one at 63 + 41 * 5 = 268 mm leaves the print line at 273: a new page.
    for (int i = 1; i <= 42; ++i) {
        w->lb1().Append(BuildResultLine(i, "Punkt", "", i, 0, 0, 3));
    }
    ASSERT_TRUE(PrintReport(w->Context(), canvas, "/work/LOGO.BMP"));
    EXPECT_EQ(canvas.Count("page"), 1);
    EXPECT_EQ(canvas.Text("Seite: 2")->y, 5);
    EXPECT_EQ(canvas.items.back().kind, "end");
    const auto image =
        std::find_if(canvas.items.begin(), canvas.items.end(), [](const Recorded& r) { return r.kind == "image"; });
    ASSERT_NE(image, canvas.items.end());
    EXPECT_EQ(image->x, 148);  // W - 52
    EXPECT_EQ(image->x2, 180);
    EXPECT_EQ(session->header.present, false);

    w->lb1().Clear();
    RecordingCanvas empty;
    ASSERT_TRUE(PrintReport(w->Context(), empty, ""));
    EXPECT_EQ(empty.Count("text"), 6);  // the title and the five pieces of the column header
    EXPECT_EQ(empty.Count("line"), 5);  // the frame's four lines and the rule
}

TEST_F(Report, RecordedWhileTeachingAndNotPrintedAfterEsc) {
    Teach();
    ASSERT_TRUE(PrintReport(w->Context(), canvas, ""));
    EXPECT_EQ(w->LB_list().back(), "SPDRUCKEN:");
    run().AbortRequested = 1;
    RecordingCanvas none;
    ASSERT_TRUE(PrintReport(w->Context(), none, ""));
    EXPECT_TRUE(none.items.empty());
}

// A 24-bit BMP of 2 x 2 pixels, bottom-up, rows padded to 4 bytes.
std::string SmallBmp() {
    const auto le = [](std::uint32_t v, int n) {
        std::string s;
        for (int i = 0; i < n; ++i) {
            s += static_cast<char>((v >> (8 * i)) & 0xFF);
        }
        return s;
    };
    const std::string pixels = std::string("\x00\x00\xFF\x00\xFF\x00", 6) + std::string(2, '\0') +
                               std::string("\xFF\x00\x00\xFF\xFF\xFF", 6) + std::string(2, '\0');
    return "BM" + le(54 + 16, 4) + le(0, 4) + le(54, 4) + le(40, 4) + le(2, 4) + le(2, 4) + le(1, 2) + le(24, 2) +
           le(0, 4) + le(16, 4) + le(0, 4) + le(0, 4) + le(0, 4) + le(0, 4) + pixels;
}

TEST_F(Report, ThePdfCarriesTheLogo) {
    dir.Write("LOGO.BMP", SmallBmp());
    PdfCanvas pdf(dir.work() / "logo.pdf");
    ASSERT_TRUE(PrintReport(w->Context(), pdf, (dir.work() / "LOGO.BMP").string()));
    const std::string bytes = dir.Read("logo.pdf");
    const auto at = bytes.find("/Subtype /Image /Width 2 /Height 2");
    ASSERT_NE(at, std::string::npos);
    // The file's last row is the picture's top: blue and white, then red and green.
    EXPECT_NE(bytes.find(std::string("stream\n\x00\x00\xFF\xFF\xFF\xFF\xFF\x00\x00\x00\xFF\x00", 19), at),
              std::string::npos);
    EXPECT_NE(bytes.find("/Im0 Do"), std::string::npos);
    PdfCanvas none(dir.work() / "none.pdf");
    dir.Write("bad.bmp", "not a picture");
    ASSERT_TRUE(PrintReport(w->Context(), none, (dir.work() / "bad.bmp").string()));
    EXPECT_EQ(dir.Read("none.pdf").find("/Subtype /Image"), std::string::npos);
}

TEST_F(Report, TheButtonWritesAPdfIntoTheWorkingFolder) {
    w->lb1().Append(BuildResultLine(1, "Kreis", " 3 D", 10, 10, 20, 3));
    op.ExpectInfo();
    Run(CommandId::PrintReport);
    EXPECT_EQ(op.shown.back(), "info: Bericht gespeichert: bericht.pdf");
    const std::string pdf = dir.Read("bericht.pdf");
    EXPECT_EQ(pdf.substr(0, 8), "%PDF-1.4");
    EXPECT_NE(pdf.find("/Count 1"), std::string::npos);
    EXPECT_NE(pdf.find("(  1 Kreis    3 D         ) Tj"), std::string::npos);
}

}  // namespace
}  // namespace tarvo
