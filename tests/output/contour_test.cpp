#include "output/contour.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "base/fileio.h"
#include "output/contourconverter.h"
#include "output/converterpresetsdialog.h"
#include "support/scriptedoperator.h"
#include "support/tempdir.h"

namespace tarvo {
namespace {

const std::vector<std::string> kSquare = {"10:10", "10:50", "50:50", "50:10"};

TEST(CompensateRadius, OffsetsTheSampleSquareByHalfTheDiameter) {
    std::vector<std::string> path;
    EXPECT_FALSE(CompensateRadius(kSquare, path, 2, false));
    EXPECT_EQ(path, (std::vector<std::string>{"11.000:11.000", "11.000:49.000", "49.000:49.000", "49.000:11.000"}));
    EXPECT_FALSE(CompensateRadius(kSquare, path, 2, true));
    EXPECT_EQ(path, (std::vector<std::string>{"9.000:9.000", "9.000:51.000", "51.000:51.000", "51.000:9.000"}));
    // A negative diameter goes to the other side; 0 copies.
    EXPECT_FALSE(CompensateRadius(kSquare, path, -2, true));
    EXPECT_EQ(path.front(), "11.000:11.000");
    EXPECT_FALSE(CompensateRadius({"1:1", "-", "x"}, path, 0, false));
    EXPECT_EQ(path, (std::vector<std::string>{"1:1", "-", "x"}));
}

// A straight continuation would give parallel offset lines with no crossing: the vertex is the
// moved point itself, never a far-away marker value a machine would be sent to.
TEST(CompensateRadius, StraightRunsKeepTheMovedPointAndRepeatsAreTakenOnce) {
    std::vector<std::string> path;
    EXPECT_FALSE(CompensateRadius({"0:0", "0:20", "0:40", "40:40", "40:40", "40:0", "0:0"}, path, 4, false));
    EXPECT_EQ(path, (std::vector<std::string>{"2.000:2.000", "2.000:20.000", "2.000:38.000", "38.000:38.000",
                                              "38.000:2.000"}));
    // A slanted straight run too.
    EXPECT_FALSE(CompensateRadius({"0:0", "10:10", "20:20", "20:0"}, path, 2, true));
    EXPECT_NEAR(std::stod(path[1].substr(0, path[1].find(':'))), 10 - 0.7071, 0.001);
}

TEST(CompensateRadius, RefusesWhatHasNoToolPath) {
    std::vector<std::string> path{"old"};
    const auto reversal = CompensateRadius({"0:0", "10:0"}, path, 2, false);
    ASSERT_TRUE(reversal);
    EXPECT_NE(reversal->find("kehrt"), std::string::npos);
    EXPECT_TRUE(path.empty());
    EXPECT_TRUE(CompensateRadius({"0:0", "10:0", "5:0", "5:5"}, path, 2, false));  // turns back at point 2
    EXPECT_TRUE(CompensateRadius({"3:3", "3:3"}, path, 2, false));
    EXPECT_TRUE(CompensateRadius({"0:0", "-", "10:0", "10:10"}, path, 2, false));
    EXPECT_TRUE(CompensateRadius({"0:0", "zehn", "10:10"}, path, 2, false));
    EXPECT_TRUE(path.empty());
    // Almost turning back: the vertex would lie 20 m away. Refused, naming the point; a sharp
    // but usable corner (about 160 degrees, under 6 radii off) is kept.
    const auto nearly = CompensateRadius({"0:0", "20:0", "10:0.001", "10:10", "0:10"}, path, 2, false);
    ASSERT_TRUE(nearly);
    EXPECT_NE(nearly->find("\"20:0\""), std::string::npos) << *nearly;
    EXPECT_TRUE(path.empty());
    EXPECT_FALSE(CompensateRadius({"0:0", "20:0", "0:7.3", "-5:-5"}, path, 2, false));
    EXPECT_EQ(path.size(), 4u);
}

TEST(WriteGxxProgram, TheClosedSquareGivesTenLines) {
    ConverterPresets p;
    std::vector<std::string> g;
    EXPECT_FALSE(WriteGxxProgram(kSquare, g, p));
    EXPECT_EQ(g, (std::vector<std::string>{"G91", "M59", "G01 Z-1.000", "G01 X0.000 Y40.000", "G01 X40.000 Y0.000",
                                           "G01 X0.000 Y-40.000", "G01 X-40.000 Y0.000", "G01 Z1.000", "M58", "M30"}));
    // The first point overwrote the offsets.
    EXPECT_EQ(p.offsetX, -10);
    p.factorX = -1;
    EXPECT_FALSE(WriteGxxProgram(kSquare, g, p));
    EXPECT_EQ(g[4], "G01 X-40.000 Y0.000");
    EXPECT_EQ(g[3], "G01 X0.000 Y40.000");
}

TEST(WriteGxxProgram, OpenContoursLiftBeforeTheWayBackAndMarkersMoveZ) {
    ConverterPresets p;
    p.firstPointToZero = false;
    p.closed = false;
    p.offsetX = 5;
    p.depth = 2.5;
    std::vector<std::string> g;
    EXPECT_FALSE(WriteGxxProgram({"0:0", "+", "10:0", " - "}, g, p));
    EXPECT_EQ(g, (std::vector<std::string>{"G91", "M59", "G01 X5.000 Y0.000", "G01 Z-2.500", "G01 Z2.500",
                                           "G01 X10.000 Y0.000", "G01 Z-2.500", "G01 Z2.500", "G01 X-10.000 Y0.000",
                                           "M58", "M30"}));
}

TEST(WriteGxxProgram, RefusesAMarkerFirstAnUnreadableItemAndAnEmptyPath) {
    ConverterPresets p;
    std::vector<std::string> g{"old"};
    const auto marker = WriteGxxProgram({"-", "0:0", "1:1"}, g, p);
    ASSERT_TRUE(marker);
    EXPECT_NE(marker->find("Punkt"), std::string::npos);
    EXPECT_TRUE(g.empty());
    EXPECT_TRUE(WriteGxxProgram({"0:0", "1;1"}, g, p));
    EXPECT_TRUE(WriteGxxProgram({}, g, p));
}

// The drawing holds what the tool cuts: "-" lowers it (it starts lowered), "+" lifts it.
TEST(CreateDxfFromContour, WritesTheFileAndItsPreviewAndDrawsWhatTheToolCuts) {
    const test::TempDir dir;
    ConverterPresets p;
    p.fileName = "K.DXF";
    std::vector<std::string> preview;
    const DxfSettings dxf;
    EXPECT_TRUE(CreateDxfFromContour(kSquare, preview, p, dir.work(), dxf));  // no templates yet
    InstallDxfTemplates(dir.work());
    EXPECT_FALSE(CreateDxfFromContour({"10:10", "10:50", "+", "50:50", "-", "50:10"}, preview, p, dir.work(), dxf));
    const auto file = ReadTextLines(dir.work() / "K.DXF");
    ASSERT_TRUE(file);
    const auto count = [](const std::vector<std::string>& lines) {
        return std::count(lines.begin(), lines.end(), "LINE");
    };
    EXPECT_EQ(count(*file), 3);  // 10:10-10:50, 50:50-50:10 and the closing 50:10-10:10; not 10:50-50:50
    EXPECT_EQ(count(preview), 3);
    EXPECT_EQ(preview.back(), file->back());
    // Lifted at the end: the way back to the start is travelled, not cut.
    EXPECT_FALSE(CreateDxfFromContour({"0:0", "10:0", "-", "10:10", "+"}, preview, p, dir.work(), dxf));
    EXPECT_EQ(count(preview), 2);
}

TEST(ConverterPresetsDialog, FieldsMirroringAndTheOutputName) {
    ConverterPresets p;
    ConverterPresetsDialog d(p);
    d.Prefill();
    EXPECT_EQ(d.toolDiameter, "2.000");
    EXPECT_EQ(d.factorX, "1.000");
    EXPECT_FALSE(d.OffsetsEnabled());
    d.FactorDblClick(1);
    EXPECT_EQ(d.factorY, "-1.000");
    EXPECT_EQ(p.factorY, -1);  // at once
    d.ClosedClick(false);
    d.OutputKindClick(true);
    EXPECT_EQ(d.fileName, "VOX.DXF");
    EXPECT_EQ(OutputFileName("teil.gxx.alt", true), "teil.DXF");
    EXPECT_EQ(OutputFileName("teil", false), "teil.GXX");
    EXPECT_FALSE(p.dxfOutput);  // only OK takes the kind and the fields
    EXPECT_FALSE(p.closed);
    d.toolDiameter = "4,5";
    d.fileName = "   ";
    d.Ok();
    EXPECT_EQ(p.toolDiameter, 4.5L);
    EXPECT_TRUE(p.dxfOutput);
    EXPECT_EQ(p.fileName, "VOX.DXF");
}

// The window reaches the fields by their controls' numbers, Edit1 to Edit8.
TEST(ConverterPresetsDialog, TheControlsNumbersNameTheFields) {
    ConverterPresets p;
    ConverterPresetsDialog d(p);
    const std::string* byNumber[] = {&d.offsetX, &d.offsetY,      &d.toolDiameter, &d.fileName,
                                     &d.depth,   &d.maxDeviation, &d.factorX,      &d.factorY};
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(&d.Edit(n), byNumber[n - 1]) << n;
    }
    EXPECT_THROW((void)d.Edit(0), RangeError);
    EXPECT_THROW((void)d.Edit(9), RangeError);
}

// The window's commands: a refused compensation writes no program; Delete selects the item before.
TEST(ContourConverter, ExportStopsAtARefusalAndDeleteSelectsTheItemBefore) {
    const test::TempDir dir;
    test::ScriptedOperator op;
    const DxfSettings dxf;
    ContourConverter c(op, dir.work(), dxf);
    EXPECT_EQ(c.OutputLabel(), "Gxx Befehle");
    // The sample a new window shows exports without a refusal.
    op.Queue("presets", "ok");
    op.ExpectInfo();  // "Programm gespeichert: ..."
    c.ExportClick();
    EXPECT_FALSE(c.ListBox4.empty());
    std::filesystem::remove(dir.work() / "VOX.GXX");
    c.ListBox1 = {"0:0", "-", "10:0", "+"};
    c.cb1 = false;
    op.Queue("presets", "ok");
    op.ExpectError();
    c.ExportClick();
    EXPECT_TRUE(c.ListBox4.empty());
    EXPECT_FALSE(FileExists(dir.work() / "VOX.GXX"));
    c.RemoveMarkersClick();
    EXPECT_EQ(c.ListBox1, (std::vector<std::string>{"0:0", "10:0"}));
    EXPECT_EQ(c.ListBox5.size(), 4u);
    c.ListBox1 = kSquare;
    op.Queue("presets", "ok");
    op.ExpectInfo();  // where the program went
    c.ExportClick();
    EXPECT_EQ(c.ListBox4.size(), 10u);
    EXPECT_TRUE(FileExists(dir.work() / "VOX.GXX"));
    EXPECT_EQ(op.shown.back(), "info: Programm gespeichert: " + (dir.work() / "VOX.GXX").string());
    EXPECT_EQ(c.DeleteItem(3, 2), 1);
    EXPECT_EQ(c.DeleteItem(3, 0), 0);
    EXPECT_EQ(c.ListBox3.size(), 2u);
    EXPECT_EQ(c.DeleteItem(3, 5), -1);
    op.ExpectError();
    EXPECT_FALSE(c.Open("fehlt.pnt"));
}

}  // namespace
}  // namespace tarvo
