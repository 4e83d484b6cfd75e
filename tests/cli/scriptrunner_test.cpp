#include "scriptrunner.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/commandtable.h"
#include "support/tempdir.h"

namespace tarvo {
namespace {

class CliTest : public ::testing::Test {
protected:
    test::TempDir dir;
    FixedWallClock clock{DateTime{2026, 12, 8, 9, 30, 0}};
    std::string out;

    int Run(const std::string& script) {
        std::istringstream in(script);
        std::ostringstream os;
        ScriptRunner runner(in, os, dir.work(), dir.root(), clock);
        const int status = runner.Run();
        out = os.str();
        return status;
    }
};

TEST_F(CliTest, CapturesAndPrintsPointsAndStatus) {
    ASSERT_EQ(Run("# a comment\n\npoint 12.5 -3.25\npoint 1,5 2\nprint points\nprint status\n"), kScriptOk);
    EXPECT_EQ(out,
              "beep\nbeep\n"
              "--- points (2)\n  12.500 :   -3.250\n   1.500 :    2.000\n"
              "--- status (8)\nPanel0=\nPanel1=Lernbetrieb: inaktiv\nPanel2=\nLV1=-\nLV2=-\nLabel1=hidden\n"
              "Label5=2\nCaption=TARVO v1.51\n");
}

TEST_F(CliTest, PrintsSettingsByTheirNames) {
    dir.Write("TARVO.INI", "[Einstellungen]\nNK=4\n[PARAMETER]\nOFFSETX=12345\n");
    ASSERT_EQ(Run("print settings\n"), kScriptOk);
    EXPECT_NE(out.find("--- settings (24)\nIfName=IF2M\nDecimals=4\n"), std::string::npos);
    EXPECT_NE(out.find("\nOffsetX=1.2345\n"), std::string::npos);
    EXPECT_NE(out.find("\nCurrentPos=0 0\n"), std::string::npos);
}

TEST_F(CliTest, DeletesPointsAndClearsTheMemory) {
    ASSERT_EQ(Run("point 1 1\npoint 2 2\npoint 3 3\ndelete-point 1\nprint points\nclick SpeedButton23\nprint points\n"
                  "print status\n"),
              kScriptOk);
    EXPECT_NE(out.find("--- points (2)\n   1.000 :    1.000\n   3.000 :    3.000\n--- points (0)\n"),
              std::string::npos);
    EXPECT_NE(out.find("Label5=-"), std::string::npos);
}

TEST_F(CliTest, TheExitSavesWhatTheGuiSaves) {
    dir.Write("speicher.dat", "  1 Kreis\r\n");
    ASSERT_EQ(Run("edit FX 2,5\nprint status\n"), kScriptOk);
    EXPECT_EQ(dir.Read("speicher.dat"), "  1 Kreis\r\n");
    EXPECT_NE(dir.Read("TARVO.INI").find("OFFSETX=0"), std::string::npos);
}

TEST_F(CliTest, BadActionsEndTheRunWithStatusTwo) {
    for (const char* bad : {"fly away", "point 1", "point a b", "wait -5", "key F13", "click Nothing", "delete-point 0",
                            "answer maybe", "print nothing", "edit ZZ 1"}) {
        EXPECT_EQ(Run(std::string(bad) + "\nprint points\n"), kScriptBadAction) << bad;
        EXPECT_EQ(out, std::string("bad action: ") + bad + "\n") << bad;
    }
}

TEST_F(CliTest, StatusBarOutsideTeachInAsksNothing) {
    dir.Write("speicher.dat", "  1 a\r\n");
    EXPECT_EQ(Run("statusbar-dblclick\n"), kScriptOk);  // not recording: no question
    EXPECT_EQ(out, "");
}

TEST_F(CliTest, UmlautsPassAsUtf8AndErrorsAreShown) {
    dir.Write("TARVO.INI", "[Einstellungen]\nNK=999\n");
    ASSERT_EQ(Run("print points\n"), kScriptOk);
    EXPECT_EQ(out.substr(0, 7), "error: ");
    EXPECT_NE(out.find("außerhalb"), std::string::npos);
}

TEST_F(CliTest, WaitMovesTheVirtualClock) {
    ASSERT_EQ(Run("print timers\nwait 100\nprint timers\n"), kScriptOk);
    EXPECT_NE(out.find("--- timers (7)\nTimer3=100 enabled\nTimer2=500 enabled\n"), std::string::npos);
    EXPECT_NE(out.find("--- timers (7)\nTimer3=100 disabled\nTimer2=500 enabled\n"), std::string::npos);
}

class CliResults : public CliTest {};

const char* const kThreeLines =
    "  1 Punkt                     1.000       1.000       2.000\r\n"
    "  2 Kreis    3 D             10.000       0.000       0.000\r\n"
    "  3 Punkt                     3.000       5.000       6.000\r\n";

TEST_F(CliResults, DeleteRenumberAndRecallFromAScript) {
    dir.Write("speicher.dat", kThreeLines);
    ASSERT_EQ(Run("delete-result 0\nprint results\nanswer no\ndblclick 0\nprint points\n"), kScriptOk);
    EXPECT_EQ(out,
              "--- results (2)\n"
              "  1 Kreis    3 D             10.000       0.000       0.000\n"
              "  2 Punkt                     3.000       5.000       6.000\n"
              "ask: Kreismittelpunkt ? -> no\n"
              "--- points (3)\n5.000:0.000\n-2.500:4.330\n-2.500:-4.330\n");
}

TEST_F(CliResults, ClearAllAndMemoryFilesThroughMenus) {
    dir.Write("speicher.dat", kThreeLines);
    ASSERT_EQ(Run("file teil\nmenu Speicherinhalt sichern\nanswer ok\nclick SpeedButton22\nprint results\n"
                  "file teil.spt\nmenu Speicherinhalt laden\nmenu Renummerieren\nprint results\n"),
              kScriptOk);
    EXPECT_NE(out.find("file: SaveDialog1 -> teil\nask: Alle Speicher löschen ? -> ok\n--- results (0)\n"),
              std::string::npos);
    EXPECT_NE(out.find("--- results (3)\n  1 Punkt"), std::string::npos);
    EXPECT_EQ(dir.Read("temp.bak"), kThreeLines);
}

TEST_F(CliResults, AQuestionWithoutAnswerEndsWithStatusThree) {
    dir.Write("speicher.dat", kThreeLines);
    EXPECT_EQ(Run("click SpeedButton22\nprint results\n"), kScriptUnanswered);
    EXPECT_EQ(out, "unanswered: ask Alle Speicher löschen ?\n");
    EXPECT_EQ(dir.Read("speicher.dat"), kThreeLines);  // nothing lost
}

TEST_F(CliResults, TheFeatureDialogFromAScript) {
    dir.Write("iso_tol.dat", "\n\n\n     18     30\nH7\n\n     18     21\n      0      0\n");
    ASSERT_EQ(Run("feature V Bohrung 20H7 - -\nedit-feature\nprint feature\n"
                  "feature V Fehler 10 -1 1\nfeature V Welle 10 0.1 -0.1 2\nedit-feature\nprint feature\n"
                  "feature cancel\nedit-feature\n"),
              kScriptOk);
    EXPECT_NE(out.find("--- feature (9)\nName=Bohrung\nNominal=20\nUpperTol=0.021\nLowerTol=0\n"), std::string::npos);
    EXPECT_NE(out.find("error:  OT <= UT \nfeature: Tmrk_set -> V Welle 10 0.1 -0.1 2\n"), std::string::npos);
    EXPECT_NE(out.find("Name=Welle\nNominal=10\nUpperTol=0.1\nLowerTol=-0.1\nFactor=2\n"), std::string::npos);
    EXPECT_EQ(dir.Read("mrk_var.txt"), "Bohrung\r\nWelle\r\n");
}

class CliMeasure : public CliTest {};

TEST_F(CliMeasure, ACircleWaitsForItsPointsThenWritesItsLine) {
    // F2 with one point waits; the next script lines are the captures of the wait.
    ASSERT_EQ(Run("point 15 20\nkey F2\npoint 10 25\npoint 5 20\nprint results\nprint points\n"), kScriptOk);
    EXPECT_EQ(out,
              "beep\nbeep\nbeep\n--- results (1)\n"
              "  1 Kreis    3 D              10.000      10.000      20.000\n--- points (0)\n");
}

// The reference chosen by `fit` names the results, is stored, and the kept points let a result be
// evaluated again after a restart, from the result list's context menu.
TEST_F(CliMeasure, ReferenceElementsChosenKeptAndEvaluatedAgain) {
    ASSERT_EQ(Run("fit circle MZCI\nfit line mzli\npoint 10 0\npoint 0 10.02\npoint -10 0\npoint 0 -10\nkey F2\n"
                  "point 0 0\npoint 10 0.004\npoint 20 0\nchoose 1\nkey F6\nprint results\nprint settings\n"),
              kScriptOk);
    EXPECT_NE(out.find("  1 Kreis    4 D MZCI         20.010       0.000       0.010       0.010\n"
                       "  2 Gerade   3 MZLI            0.000       0.000       0.002       0.004\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("\nCircleReference=MZCI\nLineReference=MZLI\n"), std::string::npos) << out;
    EXPECT_NE(dir.Read("TARVO.INI").find("KR_BEZUG=MZCI"), std::string::npos);
    ASSERT_EQ(Run("fit circle search\nselect 0\nchoose 2\nmenu Neu auswerten\nselect 1\nchoose 1\nchoose 1\n"
                  "menu Neu auswerten\nprint results\n"),
              kScriptOk);
    EXPECT_NE(out.find("  3 Kreis    4 D LSCI         20.010       0.000       0.010       0.010\n"
                       "  4 Gerade   3               180.000       0.000       0.001       0.003\n"),
              std::string::npos)
        << out;
    EXPECT_EQ(Run("fit circle LSLI\n"), kScriptBadAction);
    EXPECT_EQ(Run("fit line\n"), kScriptBadAction);
}

TEST_F(CliMeasure, EscEndsTheWaitAndKeepsThePoints) {
    ASSERT_EQ(Run("point 1 1\nkey F3\nkey Esc\nprint results\nprint points\nprint settings\n"), kScriptOk);
    EXPECT_NE(out.find("--- results (0)\n--- points (1)\n"), std::string::npos);
    EXPECT_NE(out.find("AbortRequested=0"), std::string::npos);
}

TEST_F(CliMeasure, AngleWithTheChooserAndAlignmentWithTheCoordinateChooser) {
    ASSERT_EQ(Run("choose 1\nkey F5\npoint 0 0\npoint 10 0\npoint 0 0\npoint 0 10\n"
                  "choose 4\nchoose 2\nclick SpeedButton8\npoint 10 0\npoint 0 0\npoint 4 -1\npoint 6 1\n"
                  "print results\nprint settings\n"),
              kScriptOk);
    EXPECT_NE(out.find("choose: Tselect_winkel -> 1\n"), std::string::npos);
    EXPECT_NE(out.find("  1 Winkel                    90.000       0.000       0.000\n"), std::string::npos);
    EXPECT_NE(out.find("choose: Tselect_ksys -> 4\n"), std::string::npos);
    EXPECT_NE(out.find("  2 Ausrichtung 2 G           45.000       5.000       0.000\n"), std::string::npos);
    EXPECT_NE(out.find("OffsetX=5\nOffsetY=0\nOffsetW=45\n"), std::string::npos);
}

TEST_F(CliMeasure, OffsetEntryByF11AndZeroingByTheTypedLetter) {
    ASSERT_EQ(Run("input 0,5\nkey F11\npoint 3 4\nkey x\nkey Y\nprint results\nprint settings\n"), kScriptOk);
    EXPECT_NE(out.find("input: Versatz X -> 0,5\n"), std::string::npos);
    EXPECT_NE(out.find("  1 Versatz    X               0.500\n  2 Nullen   Y                        \n"),
              std::string::npos);
    EXPECT_NE(out.find("OffsetX=0.5\nOffsetY=4\n"), std::string::npos);
}

class CliDialogs : public CliTest {};

TEST_F(CliDialogs, TextLineSystemSettingsAndTheXYChoice) {
    ASSERT_EQ(Run("textline append Charge 7\nclick SpeedButton21\nsystem 1 0\nmenu Systemeinstellungen\n"
                  "point 0 2\npoint 10 2\nchoose 5\nanswer yes\nclick SpeedButton8\nprint results\nprint settings\n"),
              kScriptOk);
    EXPECT_NE(out.find("textline: Textzeile -> append Charge 7\n"), std::string::npos);
    EXPECT_NE(out.find("system: TSys -> 1 0\n"), std::string::npos);
    EXPECT_NE(out.find("ask: X / Y -> yes\n"), std::string::npos);
    EXPECT_NE(out.find("--- results (2)\n  1 Charge 7\n  2 Ausrichtung 1 G           90.000"), std::string::npos);
    EXPECT_NE(out.find("CircleMode=1\nAngleMode=0\n"), std::string::npos);
    // With the language, as documented; a language the dialog does not offer is a bad action.
    ASSERT_EQ(Run("system 0 1 2\nmenu Systemeinstellungen\nprint settings\n"), kScriptOk);
    EXPECT_NE(out.find("system: TSys -> 0 1 2\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Language=2\n"), std::string::npos) << out;
    EXPECT_EQ(Run("system 0 1 7\n"), kScriptBadAction);
}

TEST_F(CliTest, ReachesEveryControlAndMenuEntryOfTheWindow) {
    // Each control and entry once, with the answers its dialog needs; none is a bad action.
    ASSERT_EQ(Run("wait 500\nclick SpeedButton10\nmenu Hilfe\nmenu Druckereinrichtung\nkey F1\n"
                  "click SpeedButton14\nclick SpeedButton24\nmenu Grafik\nprint timers\n"),
              kScriptOk);
    EXPECT_NE(out.find("help\nhelp\ninfo: Druckereinrichtung (the system's printer setup dialog)\nhelp\n"),
              std::string::npos);
    // SpeedButton24 is disabled in keyboard mode: the click changes nothing, polling goes on.
    EXPECT_NE(out.find("Timersend=20 enabled"), std::string::npos) << out;
    EXPECT_NE(out.find("TimerTrigger=20 disabled"), std::string::npos) << out;
    for (const Command& c : CommandTable()) {
        const std::string action =
            c.control.empty() ? "menu " + MenuText(c.caption) : "click " + std::string(c.control);
        if (c.place == Place::None || c.id == CommandId::Exit || c.id == CommandId::Close) {
            continue;  // keys only; or they end the run (tested on their own)
        }
        Run("answer cancel\ninput-cancel\nchoose cancel\nfile cancel\ntextline cancel\nsystem cancel\n" + action +
            "\n");
        EXPECT_EQ(out.find("bad action"), std::string::npos) << action << "\n" << out;
    }
}

TEST_F(CliTest, TeachesSavesAndReplaysAProgram) {
    ASSERT_EQ(
        Run("wait 500\nanswer ok\nclick SpeedButton11\npoint 0 0\npoint 3 4\nkey F3\n"
            "answer ok\nfile teil\nclick SpeedButton12\nprint program\n"
            "file teil\nclick SpeedButton13\nprint prompt\npoint 0 0\nwait 200\npoint 3 4\nprint results\nwait 200\n"
            "print results\n"),
        kScriptOk);
    EXPECT_EQ(dir.Read("prg/teil.PRG"), "KRMODE:0\r\nWIMODE:0\r\nGETPOINT:\r\nGETPOINT:\r\nAbstand2P:\r\n");
    EXPECT_NE(
        out.find("file: SaveDialog2 -> teil\n--- program (5)\nKRMODE:0\nWIMODE:0\nGETPOINT:\nGETPOINT:\nAbstand2P:\n"),
        std::string::npos)
        << out;
    EXPECT_NE(out.find("file: OpenDialog2 -> teil\n--- prompt (1)\n2 Punkte für \"Abstand2P\" <ESC>=Abbruch\n"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("info: Wiederholung beendet !\\nErgebniszeilen: 1; Merkmale: 0, davon gut: 0, schlecht: 0\n--- "
                       "results (0)\n"),
              std::string::npos)
        << out;
}

TEST_F(CliTest, MeasuresAnAreaByAClickAndWritesTheElementGraphic) {
    ASSERT_EQ(Run("point 0 0\npoint 20 0\npoint 20 10\npoint 0 10\n"
                  "area 25 5\narea 10 5\nanswer yes\nclick SpeedButton14\nclick SpeedButton14\n"
                  "point 30 30\nkey F7\nmenu Grafik\nprint results\n"),
              kScriptOk);
    EXPECT_NE(out.find("area: TBMP_View -> 25 5: Linienlänge: 60.0\nerror: Der Klick liegt außerhalb"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("area: TBMP_View -> 10 5: Fläche in mm²: 200.00\nask: Punktespeicher löschen ? -> yes"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("graphic: grafik.png (1 Elemente, 0.030 mm/p)"), std::string::npos) << out;
    EXPECT_NE(out.find("  1 Fläche                   200.000      10.000       5.000\n  2 Punkt"), std::string::npos)
        << out;
    const auto png = ReadFileBytes(dir.work() / "grafik.png");
    ASSERT_TRUE(png);
    EXPECT_EQ(png->substr(1, 3), "PNG");
}

// With English chosen, what the program composes reaches the operator in English.
TEST_F(CliTest, MessagesReadInTheChosenLanguage) {
    dir.Write("TARVO.INI", "[Einstellungen]\r\nLANGUAGE=1\r\n");
    std::istringstream in(
        "wait 500\npoint 0 0\nclick SpeedButton14\nconverter open fehlt.pnt\n"
        "point 0 0\npoint 20 0\npoint 20 10\npoint 0 10\narea 10 5\nanswer yes\nclick SpeedButton14\n");
    std::ostringstream os;
    ScriptRunner runner(in, os, dir.work(), dir.root(), clock);
    runner.SetShippedData(TARVO_SHIPPED_DATA);
    ASSERT_EQ(runner.Run(), kScriptOk);
    EXPECT_NE(os.str().find("info: Too few points1\nerror: The file \"fehlt.pnt\" cannot be read\n"), std::string::npos)
        << os.str();
    // The area view's answer, with its label in English too.
    EXPECT_EQ(os.str().find(Ansi("Fläche in mm²")), std::string::npos) << os.str();
    EXPECT_NE(os.str().find("area: TBMP_View -> 10 5: "), std::string::npos) << os.str();
}

}  // namespace
}  // namespace tarvo
