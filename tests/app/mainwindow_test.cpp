#include "app/mainwindow.h"

#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "support/mainwindowfixture.h"

namespace tarvo {
namespace {

class MainWindowTest : public test::MainWindowFixture {
protected:
    // Each test lays out its files first, then starts the window.
    void SetUp() override {}
};

TEST_F(MainWindowTest, FirstStartInAnEmptyFolder) {
    Start();  // no settings file, no result list: no message at all
    EXPECT_EQ(w->StatusPanels[1], "Lernbetrieb: inaktiv");
    EXPECT_EQ(w->StatusPanels[2], "");
    EXPECT_EQ(w->ScaleText[0], "1.0000");
    EXPECT_EQ(w->lb1().Count(), 0);
    EXPECT_EQ(w->Label5, "-");
    EXPECT_EQ(w->LV1, "-");
    EXPECT_TRUE(w->Timer2.Enabled());
    EXPECT_TRUE(w->Timer3.Enabled());
    EXPECT_EQ(w->Timersend.Interval(), 20);
    EXPECT_EQ(w->TimerReceive.Interval(), 20);
}

// The shipped files are in the folder before anything reads them: the header labels of the
// first start are the shipped ones, not "Feld 1" ...
TEST_F(MainWindowTest, TheFirstStartInANewFolderReadsTheShippedFiles) {
    session = std::make_unique<Session>(op, clock, dir.work(), dir.root());
    session->shippedData = TARVO_SHIPPED_DATA;
    w = std::make_unique<MainWindow>(*session);
    w->FormCreate();
    EXPECT_EQ(session->header.labels[0], "Auftrag");
    EXPECT_EQ(session->header.labels[1], "Teilenummer");
}

TEST_F(MainWindowTest, StartUpTakesSlowModeThenTheTimerFileAndShowsSiemens) {
    dir.Write("TARVO.INI", "[PARAMETER]\nSLOW_MODE=1\n");
    Start();
    EXPECT_EQ(w->Timersend.Interval(), 30);
    EXPECT_EQ(w->TimerReceive.Interval(), 50);

    dir.Write("timer", "100\n200\n");
    dir.Write("siemens", "");
    Start();
    EXPECT_EQ(w->Timersend.Interval(), 100);
    EXPECT_EQ(w->TimerReceive.Interval(), 200);
    EXPECT_EQ(w->StatusPanels[2], "SIEMENS");
}

TEST_F(MainWindowTest, StartUpReportsBadSettingsAndGoesOn) {
    dir.Write("TARVO.INI", "[Einstellungen]\nNK=256\n");
    dir.Write("ch_dir", "x\n");
    op.ExpectError();
    op.ExpectError();
    Start();
    EXPECT_NE(op.shown[0].find("NK = 256"), std::string::npos);
    EXPECT_NE(op.shown[1].find("ch_dir"), std::string::npos);
    EXPECT_EQ(session->settings.Decimals, 3);
}

TEST_F(MainWindowTest, AnUnreadableSettingsFileIsReportedOnceAndKeptAtExit) {
    std::filesystem::create_symlink("/proc/self/mem", dir.work() / "TARVO.INI");  // reading fails
    op.ExpectError();
    Start();
    EXPECT_NE(op.shown.back().find("TARVO.INI"), std::string::npos);
    settings().OffsetX = 5;
    EXPECT_TRUE(w->Close());  // no second message, nothing written over the file
    EXPECT_TRUE(std::filesystem::is_symlink(dir.work() / "TARVO.INI"));
}

TEST_F(MainWindowTest, ResultListSurvivesARestart) {
    dir.Write("speicher.dat", "  1 first\r\n  2 second\r\n");
    Start();
    ASSERT_EQ(w->lb1().Count(), 2);
    EXPECT_EQ(w->lb1().ItemIndex(), 1);
    session->timers.Advance(100);  // Timer3 loads it again, once
    EXPECT_FALSE(w->Timer3.Enabled());
    EXPECT_EQ(w->lb1().Count(), 2);
    w->lb1().Append("  3 third");
    session->settings.OffsetX = 1.23456L;
    EXPECT_TRUE(w->Close());
    EXPECT_EQ(dir.Read("speicher.dat"), "  1 first\r\n  2 second\r\n  3 third\r\n");
    EXPECT_NE(dir.Read("TARVO.INI").find("OFFSETX=12346"), std::string::npos);
    EXPECT_FALSE(w->Timersend.Enabled());
}

TEST_F(MainWindowTest, NothingIsWrittenFromReadOnlyMedia) {
    std::ofstream(dir.root() / "menue.cd") << "";
    dir.Write("speicher.dat", "  1 kept\r\n");
    Start();
    w->lb1().Append("  2 lost on purpose");
    w->Close();
    EXPECT_EQ(dir.Read("speicher.dat"), "  1 kept\r\n");
    EXPECT_EQ(dir.Read("TARVO.INI"), "<missing>");
}

TEST_F(MainWindowTest, SpaceCapturesTheCurrentPositionInKeyboardMode) {
    dir.Write("speicher.dat", "  1 a\r\n  2 b\r\n");
    Start();
    w->lb1().SetItemIndex(0);
    w->Label1Visible = true;
    Capture(12.5L, -3.25L);
    EXPECT_EQ(w->ListBox1().Items(), std::vector<std::string>{"  12.500 :   -3.250"});
    EXPECT_EQ(w->ListBox1().ItemIndex(), 0);
    EXPECT_EQ(w->lb1().ItemIndex(), 1);  // the last result line is selected
    EXPECT_EQ(w->Label5, "1");
    EXPECT_FALSE(w->Label1Visible);
    EXPECT_EQ(op.beeps, 1);
    EXPECT_EQ(w->FocusedControl, "ListBox1");
    EXPECT_EQ(w->LB_list(), std::vector<std::string>{Ansi("Speicher für Lernbetrieb")});  // not recording

    Run(CommandId::FootSwitchTrigger);  // foot-switch mode: Space does nothing
    ASSERT_TRUE(w->SpeedButton24Enabled());
    EXPECT_FALSE(w->FormKeyDown(kKeySpace));
    EXPECT_FALSE(w->FormKeyDown(kKeySpace, kShift));
    EXPECT_EQ(w->PointCount(), 1);
}

TEST_F(MainWindowTest, FourDecimalsKeepTheXFieldAtEightCharacters) {
    dir.Write("TARVO.INI", "[Einstellungen]\nNK=4\n");
    Start();
    Capture(123.45678L, 1.0L);
    EXPECT_EQ(w->ListBox1().Items()[0], "123.4568 :   1.0000");
}

TEST_F(MainWindowTest, DeletingAPointWhileRecordingRemovesItsCaptureLine) {
    Start();
    Teach();
    w->LB_list() = {"Kreis:", "Text:a"};
    Capture(1, 1);
    Capture(2, 2);
    Capture(3, 3);
    ASSERT_EQ(w->LB_list().size(), 5u);
    w->LB_list()[3] = "GETPOINT:second";
    w->ListBox1().SetItemIndex(1);
    w->ListBox1KeyDown(kKeyDelete);
    EXPECT_EQ(w->LB_list(), (std::vector<std::string>{"Kreis:", "Text:a", "GETPOINT:", "GETPOINT:"}));
    EXPECT_EQ(w->ListBox1().Items(), (std::vector<std::string>{"   1.000 :    1.000", "   3.000 :    3.000"}));
    EXPECT_EQ(w->ListBox1().ItemIndex(), 1);
    EXPECT_EQ(w->Label5, "2");
}

TEST_F(MainWindowTest, DeleteWithoutASelectionOrAnotherKeyDoesNothing) {
    Start();
    Capture(1, 1);
    w->ListBox1().SetItemIndex(-1);
    w->ListBox1KeyDown(kKeyDelete);
    w->ListBox1().SetItemIndex(0);
    w->ListBox1KeyDown(kKeyBack);
    EXPECT_EQ(w->PointCount(), 1);
}

TEST_F(MainWindowTest, ClearButtonEmptiesTheMemoryAndResetsThePushedPosition) {
    Start();
    Capture(1, 1);
    session->acquisition.PushedPos[0] = 5.0L;
    Run(CommandId::ClearPoints);
    EXPECT_EQ(w->PointCount(), 0);
    EXPECT_EQ(w->Label5, "-");
    EXPECT_EQ(session->acquisition.PushedPos[0].value(), Real(kMarkerValue).value());
}

TEST_F(MainWindowTest, EscRequestsAbortAndExitCloses) {
    Start();
    w->FormKeyPress('x');
    EXPECT_EQ(session->run.AbortRequested, 0);
    w->FormKeyPress(static_cast<char>(kKeyEscape));
    EXPECT_EQ(session->run.AbortRequested, 1);
    Run(CommandId::Exit);
    EXPECT_TRUE(w->Closed());
    EXPECT_NE(dir.Read("TARVO.INI"), "<missing>");
}

TEST_F(MainWindowTest, ScaleFieldsFollowTypingAndLeaving) {
    Start();
    w->FXChange("2,5");
    EXPECT_EQ(session->acquisition.AxisScale[0].value(), 2.5L);
    w->FXExit();
    EXPECT_EQ(w->ScaleText[0], "2.5000");
    w->FYChange("  ");
    EXPECT_EQ(session->acquisition.AxisScale[1].value(), 1.0L);  // blank text changes nothing yet
    w->FYChange("");
    w->FYExit();
    EXPECT_EQ(w->ScaleText[1], "1.0000");
    EXPECT_EQ(session->acquisition.AxisScale[1].value(), 1.0L);
}

TEST_F(MainWindowTest, AFailureInsideACommandIsShownAsAnError) {
    dir.Write("TARVO.INI", "[Einstellungen]\nNK=255\n");
    Start();
    op.ExpectError();  // 256 decimals do not fit the format
    w->FXChange("2");
    w->FXExit();
    EXPECT_EQ(op.shown.size(), 1u);
}

TEST_F(MainWindowTest, StatusBarDoubleClickUndoesTheLastStepsOnlyWhileRecording) {
    Start();
    w->lb1().Append("  1 line");
    w->StatusBar1DblClick();  // not recording: nothing, no question
    EXPECT_EQ(w->lb1().Count(), 1);

    Teach();
    w->LB_list() = {"Kreis:", "GETPOINT:", "GETPOINT:", "Abstand2P:"};
    op.ExpectAsk(true);   // delete "Abstand2P:"
    op.ExpectAsk(true);   // and the GETPOINT lines before it
    op.ExpectAsk(false);  // keep the result line
    w->StatusBar1DblClick();
    EXPECT_EQ(w->LB_list(), std::vector<std::string>{"Kreis:"});
    EXPECT_EQ(w->lb1().Count(), 1);
    EXPECT_EQ(op.shown[0], "ask: " + Ansi("Letzte Programmzeile löschen ?") + "\nAbstand2P:");
}

}  // namespace
}  // namespace tarvo
