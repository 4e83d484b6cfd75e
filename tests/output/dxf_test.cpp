// DXF drawings and point files of the point memory.
#include "output/dxf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include "base/text.h"
#include "data/pointmemory.h"
#include "support/mainwindowfixture.h"

namespace tarvo {
namespace {

std::vector<std::string> Items(std::initializer_list<std::pair<double, double>> points) {
    std::vector<std::string> items;
    for (const auto& [x, y] : points) {
        items.push_back(PointItemText(x, y, 3));
    }
    return items;
}

TEST(LineExtraction, KeepsTheEndsOfStraightRuns) {
    const auto five = Items({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}});
    EXPECT_EQ(ExtractLines(five, 1.0), (std::vector<std::string>{five[0], five[3], five[4]}));
    EXPECT_TRUE(ExtractLines(Items({{0, 0}, {1, 1}}), 1.0).empty());
    // A deviation of 0 keeps every point whose successor is off the line, however little.
    const auto bent = Items({{0, 0}, {1, 0}, {2, 0.001}, {3, 0.001}, {4, 0.003}, {5, 0.003}});
    EXPECT_EQ(ExtractLines(bent, 0).size(), 6u);
    EXPECT_EQ(ExtractLines(bent, 0.01).size(), 3u);
    EXPECT_EQ(FindSegmentEnd(five, 3, 4, 1.0), 4);
    // A slope beyond the stored reals' range leaves the distance unknown: the point is kept.
    const std::vector<std::string> steep = {"0:0", "0.00000000000000000001:100000000000000000000", "1:1", "2:2"};
    EXPECT_EQ(ExtractLines(steep, 1.0), steep);
}

// A tool marker is no point: it ends the straight run before it and stays in its place; each
// run between markers is thinned on its own.
TEST(LineExtraction, MarkersEndRunsAndStay) {
    const std::vector<std::string> short_runs = {"0:0", "10:0", "+", "20:0", "-", "30:0", "40:0", "40:10"};
    EXPECT_EQ(ExtractLines(short_runs, 1.0), short_runs);
    const std::vector<std::string> long_runs = {"0:0", "1:0", "2:0", "3:0", " - ", "4:0", "5:0", "6:0", "7:0", "+"};
    EXPECT_EQ(ExtractLines(long_runs, 1.0),
              (std::vector<std::string>{"0:0", "2:0", "3:0", " - ", "4:0", "6:0", "7:0", "+"}));
}

class Dxf : public test::MainWindowFixture {
protected:
    void Points(std::initializer_list<std::pair<double, double>> points) {
        for (const auto& [x, y] : points) {
            Capture(x, y);
        }
    }
};

TEST_F(Dxf, TemplatesLimitsEntitiesAndTheTail) {
    Points({{0, 0}, {10, 0}, {10, 5}});
    op.ExpectFile("teil");
    op.ExpectAsk(false);  // no extraction
    op.ExpectAsk(false);  // the point memory stays
    w->Run(CommandOf(CommandId::SavePointsDxf));
    const std::string dxf = dir.Read("teil.DXF");
    EXPECT_NE(dxf.find("$EXTMAX\r\n 10\r\n297.000000\r\n 20\r\n210.000000\r\n"), std::string::npos);
    EXPECT_NE(dxf.find("$LIMMIN\r\n 10\r\n0.000000\r\n 20\r\n0.000000\r\n"), std::string::npos);
    EXPECT_NE(
        dxf.find("LINE\r\n  5\r\n2B\r\n  8\r\n0\r\n 10\r\n0.00000000\r\n 20\r\n0.00000000\r\n 30\r\n0.00000000\r\n"
                 " 11\r\n10.00000000\r\n 21\r\n0.00000000\r\n 31\r\n0.00000000\r\n  0\r\nLINE\r\n  5\r\n2C\r\n"),
        std::string::npos);
    EXPECT_EQ(dxf.substr(dxf.size() - 18), "ENDSEC\r\n  0\r\nEOF\r\n");
    EXPECT_EQ(w->PointCount(), 3);
    // The folder is kept as the stations store it, relative to the working folder.
    EXPECT_EQ(settings().DxfInitialDir, ".\\");
    // The dialogs offer their names: "TARVO.DXF" and "tarvo.pnt".
    op.ExpectFile("ok");
    op.ExpectAsk(false);
    op.ExpectAsk(false);
    w->Run(CommandOf(CommandId::SavePointsDxf));
    EXPECT_TRUE(std::filesystem::exists(dir.work() / "TARVO.DXF"));
    op.ExpectFile("ok");
    w->Run(CommandOf(CommandId::SavePoints));
    EXPECT_TRUE(std::filesystem::exists(dir.work() / "tarvo.pnt"));
    std::filesystem::create_directory(dir.work() / "zeichnungen");
    op.ExpectFile("zeichnungen/teil");
    op.ExpectAsk(false);
    op.ExpectAsk(false);
    w->Run(CommandOf(CommandId::SavePointsDxf));
    EXPECT_EQ(settings().DxfInitialDir, "zeichnungen\\");
    op.ExpectFile("ok");  // the dialog opens in that folder
    op.ExpectAsk(false);
    op.ExpectAsk(false);
    w->Run(CommandOf(CommandId::SavePointsDxf));
    EXPECT_TRUE(std::filesystem::exists(dir.work() / "zeichnungen" / "TARVO.DXF"));
}

TEST_F(Dxf, NodxflimCopiesTheHeaderAndOnePointWritesNoEntity) {
    const std::string head =
        "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$EXTMAX\r\n 10\r\n1.5\r\n 20\r\n2.5\r\n  0\r\nENDSEC\r\n"
        "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\n";
    dir.Write("dxfhead.asc", head);
    dir.Write("nodxflim", "");
    Start();
    Points({{3, 4}});
    op.ExpectFile("eins");
    op.ExpectAsk(true);  // the point memory cleared
    w->Run(CommandOf(CommandId::SavePointsDxf));
    EXPECT_EQ(dir.Read("eins.DXF"), head + "ENDSEC\r\n  0\r\nEOF\r\n");
    EXPECT_EQ(w->PointCount(), 0);
}

TEST_F(Dxf, ExtractionStatusAndThePointFile) {
    // 120 points on a staircase of seven straight runs, 5 mm a step: the first point, the six
    // corners, the point before the last and the last stay.
    double x = 0;
    double y = 0;
    for (int i = 0; i < 120; ++i) {
        Capture(x, y);
        (std::min(i / 17, 6) % 2 == 0 ? x : y) += 5;
    }
    op.ExpectFile("lang");
    op.ExpectAsk(true);
    op.ExpectAsk(false);
    w->Run(CommandOf(CommandId::SavePointsDxf));
    EXPECT_EQ(w->StatusPanels[1], "Lines:120/9");
    EXPECT_EQ(w->PointCount(), 9);
    // Fewer than three points are never thinned away.
    Run(CommandId::ClearPoints);
    Points({{1, 1}, {2, 2}});
    op.ExpectFile("kurz");
    op.ExpectAsk(false);
    w->Run(CommandOf(CommandId::SavePointsDxf));
    EXPECT_EQ(w->PointCount(), 2);
    // The extraction thins with the converter's preset "Max. zulässige Geradenabweichung".
    Run(CommandId::ClearPoints);
    Points({{0, 0}, {10, 0}, {20, 0.5}, {30, 0.5}});
    w->Converter().presets.maxDeviation = 0.1L;
    op.ExpectFile("fein");
    op.ExpectAsk(true);
    op.ExpectAsk(false);
    w->Run(CommandOf(CommandId::SavePointsDxf));
    EXPECT_EQ(w->PointCount(), 4);  // with 1 mm, (10, 0) would go
    Run(CommandId::ClearPoints);
    Points({{1, 1}, {2, 2}});
    w->ListBox1().Append(" - ");
    op.ExpectFile("punkte");
    w->Run(CommandOf(CommandId::SavePoints));
    EXPECT_EQ(dir.Read("punkte.pnt"), "1.000 : 1.000\r\n2.000 : 2.000\r\n-\r\n");
}

}  // namespace
}  // namespace tarvo
