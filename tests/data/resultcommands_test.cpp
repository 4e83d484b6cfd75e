#include "data/resultcommands.h"

#include <gtest/gtest.h>

#include "app/mainwindow.h"
#include "data/resultline.h"
#include "support/mainwindowfixture.h"

namespace tarvo {
namespace {

class ResultCommands : public test::MainWindowFixture {
protected:
    // Each test lays out its files first, then starts the window.
    void SetUp() override {}
    std::vector<std::string> Points() { return w->ListBox1().Items(); }
};

TEST_F(ResultCommands, RecallOfACircleAsThreePointsOrItsCentre) {
    Start();
    w->lb1().Append(BuildResultLine(1, "Kreis", " 3 D", 10, 1, 2, 3));
    w->lb1().SetItemIndex(0);
    op.ExpectAsk(false);  // "Kreismittelpunkt ?" -> No: three points on the circle
    w->lb1DblClick();
    EXPECT_EQ(Points(), (std::vector<std::string>{"6.000:2.000", "-1.500:6.330", "-1.500:-2.330"}));
    EXPECT_EQ(w->Label5, "3");
    EXPECT_EQ(op.shown[0], "ask: Kreismittelpunkt ?");

    Run(CommandId::ClearPoints);
    w->lb1().Append(BuildResultLine(2, "Kreis", " 3 R", 5, 1, 2, 3));
    w->lb1().SetItemIndex(1);
    op.ExpectAsk(false);
    w->lb1DblClick();  // "R": the value is the radius already
    EXPECT_EQ(Points()[0], "6.000:2.000");

    Run(CommandId::ClearPoints);
    op.ExpectAsk(true);  // Yes: the centre only
    w->lb1DblClick();
    EXPECT_EQ(Points(), std::vector<std::string>{"   1.000:   2.000"});
}

TEST_F(ResultCommands, RecallOfLinesAddsTheFootAndAPointAlongTheAngle) {
    Start();
    Teach();
    w->lb1().Append(BuildResultLine(1, "Gerade", "", 90, 3, 4, 3));
    w->lb1().Append(BuildResultLine(2, "Symetrie", "gerade", 0, 1, 1, 3));  // name over 22 columns
    w->lb1().Append(BuildResultLine(3, "Gerade", "", 0, 0, 0, 3).replace(26, 10, "  45:30:00"));
    w->lb1().SetItemIndex(0);
    w->lb1DblClick();
    EXPECT_EQ(Points(), (std::vector<std::string>{"3.000:4.000", "   3.000: 504.000"}));
    w->lb1().SetItemIndex(1);
    w->lb1DblClick();  // "Symetriegerade" contains "GERADE"
    ASSERT_EQ(Points().size(), 4u);
    EXPECT_EQ(Points()[3], " 501.000:   1.000");
    w->lb1().SetItemIndex(2);
    w->lb1DblClick();  // the angle as degrees-minutes-seconds
    ASSERT_EQ(Points().size(), 6u);
    EXPECT_EQ(Points()[5], " 350.455: 356.625");
    EXPECT_EQ(w->LB_list(), (std::vector<std::string>{"ABRUF:0", "ABRUF:1", "ABRUF:2"}));
}

TEST_F(ResultCommands, SiemensModeRecallsOnlyTheReferencePoint) {
    dir.Write("siemens", "");
    Start();
    w->lb1().Append(BuildResultLine(1, "Gerade", "", 90, 3, 4, 3));
    w->lb1DblClick();
    EXPECT_EQ(Points(), std::vector<std::string>{"3.000:4.000"});
}

TEST_F(ResultCommands, OtherLinesGiveTheirPosition) {
    Start();
    w->lb1().Append(BuildResultLine(1, "Punkt", "", 0, -1.5L, 2.25L, 3));
    w->lb1DblClick();
    EXPECT_EQ(Points(), std::vector<std::string>{"  -1.500:   2.250"});
    w->lb1().SetItemIndex(-1);
    w->lb1DblClick();  // nothing selected: nothing
    EXPECT_EQ(w->PointCount(), 1);
}

TEST_F(ResultCommands, DeleteRenumbersAndIsIgnoredWhileRecording) {
    Start();
    int redraws = 0;
    Slot<> redraw([&] { ++redraws; });
    session->changes.ElementGraphicChanged.Attach(redraw);
    for (int i = 1; i <= 3; ++i) {
        w->lb1().Append(BuildResultLine(i, "Punkt", "", i, 0, 0, 3));
    }
    w->lb1().SetItemIndex(0);
    w->lb1KeyDown(kKeyDelete);
    EXPECT_EQ(w->lb1().Count(), 2);
    EXPECT_EQ(w->lb1().Line(0).substr(0, 4), "  1 ");
    EXPECT_EQ(ReadColumn(w->lb1().Line(0), kValueColumn).value, 2.0L);
    EXPECT_EQ(w->lb1().ItemIndex(), 1);
    EXPECT_EQ(redraws, 1);
    Teach();
    w->lb1KeyDown(kKeyDelete);
    EXPECT_EQ(w->lb1().Count(), 2);
}

TEST_F(ResultCommands, ClearAllAsksKeepsABackupAndEmptiesEverything) {
    Start();
    w->lb1().Append("  1 a");
    w->StatusPanels[0] = "x";
    session->run.CurrentPos = {1, 1};
    w->FormKeyDown(kKeySpace);
    op.ExpectAsk(false);
    Run(CommandId::ClearAll);
    EXPECT_EQ(w->lb1().Count(), 1);
    op.ExpectAsk(true);
    Run(CommandId::ClearAll);
    EXPECT_EQ(w->lb1().Count(), 0);
    EXPECT_EQ(w->PointCount(), 0);
    EXPECT_EQ(w->StatusPanels[0], "");
    EXPECT_EQ(dir.Read("temp.bak"), "  1 a\r\n");
    EXPECT_EQ(dir.Read("speicher.dat"), "");  // saved at once
}

TEST_F(ResultCommands, EveryChangeReachesSpeicherDatAtOnceButNotWhileRecording) {
    Start();
    w->lb1().Append("  1 first");
    EXPECT_EQ(dir.Read("speicher.dat"), "  1 first\r\n");
    Teach();
    w->lb1().Append("  2 second");
    EXPECT_EQ(dir.Read("speicher.dat"), "  1 first\r\n");
    session->run.Recording = 0;
    w->Close();
    EXPECT_EQ(dir.Read("speicher.dat"), "  1 first\r\n  2 second\r\n");
}

TEST_F(ResultCommands, MemoryFilesHoldTheHeaderThenTheLines) {
    Start();
    session->header.values[0] = "Auftrag 7";
    w->lb1().Append("  1 a");
    w->lb1().Append("  2 b");
    op.ExpectFile("teil.spt");
    w->Run(CommandOf(CommandId::SaveMemory));
    const std::string saved = dir.Read("teil.spt");
    std::string expected = "Auftrag 7\r\n";
    for (int i = 1; i < 16; ++i) {
        expected += "\r\n";  // the other 15 header fields are empty
    }
    EXPECT_EQ(saved, expected + "  1 a\r\n  2 b\r\n");

    w->lb1().Clear();
    session->header.values[0] = "changed";
    op.ExpectFile("teil.spt");
    w->Run(CommandOf(CommandId::LoadMemory));
    EXPECT_EQ(session->header.values[0], "Auftrag 7");
    EXPECT_EQ(w->lb1().Lines(), (std::vector<std::string>{"  1 a", "  2 b"}));
    EXPECT_EQ(w->lb1().ItemIndex(), 1);

    op.ExpectFile("cancel");
    w->Run(CommandOf(CommandId::LoadMemory));  // cancelled: nothing changes
    EXPECT_EQ(w->lb1().Count(), 2);
}

TEST_F(ResultCommands, ATruncatedMemoryFileChangesNothingAndSaysSo) {
    Start();
    w->lb1().Append("  1 kept");
    dir.Write("kurz.spt", "h1\nh2\n");
    op.ExpectFile("kurz.spt");
    op.ExpectError();
    w->Run(CommandOf(CommandId::LoadMemory));
    EXPECT_EQ(w->lb1().Lines(), std::vector<std::string>{"  1 kept"});
    EXPECT_NE(op.shown[1].find("kurz.spt"), std::string::npos);
    op.ExpectFile("fehlt.spt");
    op.ExpectError();
    w->Run(CommandOf(CommandId::LoadMemory));
    EXPECT_EQ(w->lb1().Count(), 1);
}

TEST_F(ResultCommands, AFailedSaveIsReported) {
    Start();
    op.ExpectFile("no/such/folder/x.spt");
    op.ExpectError();
    w->Run(CommandOf(CommandId::SaveMemory));
}

}  // namespace
}  // namespace tarvo
