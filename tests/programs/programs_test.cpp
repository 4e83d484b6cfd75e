// Teach-in and replay: the program lines, recording and saving, and the runner.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/cp1252.h"
#include "coords/coordsystem.h"
#include "data/resultline.h"
#include "programs/programfile.h"
#include "programs/recorder.h"
#include "programs/runner.h"
#include "support/mainwindowfixture.h"

namespace tarvo {
namespace {

TEST(ProgramLine, FieldsAsTextAndNumbers) {
    const ProgramLine w = ParseProgramLine("Winkel:2");
    EXPECT_EQ(w.count, 1u);
    EXPECT_EQ(w.Param[1], "2");
    EXPECT_EQ(*w.Value[1], 2.0L);
    const ProgramLine p = ParseProgramLine("PKT:12,5:3.25");
    EXPECT_EQ(*p.Value[1], 12.5L);
    EXPECT_EQ(*p.Value[2], 3.25L);
    EXPECT_EQ(ParseProgramLine("NULLX").count, 0u);
    const ProgramLine t = ParseProgramLine("Text:Bohrung 1");
    EXPECT_EQ(t.Param[1], "Bohrung 1");
    EXPECT_FALSE(t.Value[1].has_value());
    // Ten fields at most: the tenth keeps the rest; the last field is cut to 100 characters.
    const ProgramLine many = ParseProgramLine("X:1:2:3:4:5:6:7:8:9:10:11:12");
    EXPECT_EQ(many.count, 10u);
    EXPECT_EQ(many.Param[10], "10:11:12");
    EXPECT_EQ(ParseProgramLine("Text:" + std::string(150, 'a')).Param[1].size(), 100u);
}

// The first line of a message (the end of a run says its summary below).
std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

class Programs : public test::MainWindowFixture {
protected:
    void SetUp() override {
        Start();
        op.ExpectError();  // no serial line in the tests: "COM1 Error" when the link starts
        session->timers.Advance(500);
    }
    void Points(std::initializer_list<std::pair<long double, long double>> points) {
        for (const auto& [x, y] : points) {
            Capture(x, y);
        }
    }
    // A capture during a run's wait, and the wait timer's next tick.
    void Feed(long double x, long double y) {
        Capture(x, y);
        session->timers.Advance(200);
    }
    void StartTeachIn() {
        op.ExpectAsk(true);
        Run(CommandId::StartTeachIn);
    }
    void StopAndSave(const std::string& name) {
        op.ExpectAsk(true);
        op.ExpectFile(name);
        Run(CommandId::StopTeachIn);
    }
    void StartRun(const std::string& name) {
        op.ExpectFile(name);
        Run(CommandId::RunProgram);
    }
};

TEST_F(Programs, RecordingACircleSavesItsProgramAndGivesTheListBack) {
    w->lb1().Append("  1 vorher");
    StartTeachIn();
    EXPECT_TRUE(w->HeaderRed());
    EXPECT_EQ(w->StatusPanels[1], "Lernbetrieb: aktiv");
    EXPECT_EQ(w->lb1().Count(), 0);
    Points({{15, 20}, {10, 25}, {5, 20}});
    Run(CommandId::Circle);
    EXPECT_EQ(w->LB_list(),
              (std::vector<std::string>{"KRMODE:0", "WIMODE:0", "GETPOINT:", "GETPOINT:", "GETPOINT:", "Kreis:"}));
    StopAndSave("kreis");
    EXPECT_FALSE(w->HeaderRed());
    EXPECT_EQ(run().Recording, 0);
    EXPECT_EQ(dir.Read("prg/kreis.PRG"), "KRMODE:0\r\nWIMODE:0\r\nGETPOINT:\r\nGETPOINT:\r\nGETPOINT:\r\nKreis:\r\n");
    EXPECT_EQ(Results(), std::vector<std::string>{"  1 vorher"});
    EXPECT_EQ(dir.Read("speicher.dat"), "  1 vorher\r\n");
}

TEST_F(Programs, CancellingTheStartLeavesEverything) {
    w->lb1().Append("  1 vorher");
    op.ExpectAsk(false);
    Run(CommandId::StartTeachIn);
    EXPECT_EQ(run().Recording, 0);
    EXPECT_EQ(Results(), std::vector<std::string>{"  1 vorher"});
    EXPECT_EQ(w->StatusPanels[2], "");
}

// A taught program is never lost unasked: a cancelled dialog, read-only media or a failing write
// lead back to the dialog unless the operator discards the program.
TEST_F(Programs, ACancelledOrRefusedSaveKeepsTheProgram) {
    StartTeachIn();
    Points({{1, 1}});
    op.ExpectAsk(true);  // "Lernbetrieb beenden ?"
    op.ExpectFile("cancel");
    op.ExpectAsk(false);               // not discarded: the dialog again
    dir.MakeFolder("prg/ordner.PRG");  // a folder of that name: the write fails
    op.ExpectFile("ordner");
    op.ExpectError();
    op.ExpectAsk(false);
    op.ExpectFile("gut");
    Run(CommandId::StopTeachIn);
    EXPECT_EQ(dir.Read("prg/gut.PRG"), "KRMODE:0\r\nWIMODE:0\r\nGETPOINT:\r\n");

    StartTeachIn();
    std::ofstream(dir.root() / "menue.cd") << "";  // read-only media
    op.ExpectAsk(true);
    op.ExpectFile("cd");
    op.ExpectError();
    op.ExpectAsk(true);  // discarded on purpose
    Run(CommandId::StopTeachIn);
    EXPECT_EQ(run().Recording, 0);
    EXPECT_EQ(op.shown[op.shown.size() - 2], Ansi("error: Schreiben auf CD nicht möglich"));
}

TEST_F(Programs, ClosingWhileRecordingAsksAndMayStayOpen) {
    StartTeachIn();
    op.ExpectAsk(false);  // "Lernbetrieb beenden ?" cancelled: the window stays
    EXPECT_FALSE(w->Close());
    EXPECT_FALSE(w->Closed());
    op.ExpectAsk(true);
    op.ExpectFile("zu");
    EXPECT_TRUE(w->Close());
    EXPECT_EQ(dir.Read("prg/zu.PRG"), "KRMODE:0\r\nWIMODE:0\r\n");
}

TEST_F(Programs, ARunWaitsPointByPointAndEndsWithTheListAsBefore) {
    dir.Write("prg/p.PRG", "KRMODE:0\r\nText:Bohrung 1\r\nGETPOINT:\r\nGETPOINT:\r\nGETPOINT:\r\nKreis:\r\n");
    w->lb1().Append("  1 vorher");
    StartRun("p.PRG");
    EXPECT_TRUE(w->Label1Visible);
    EXPECT_EQ(w->Label1, Ansi("3 Bohrung 1 <ESC>=Abbruch"));
    EXPECT_EQ(w->LB_list().size(), 6u);
    EXPECT_EQ(Results(), std::vector<std::string>{"  1 Bohrung 1"});  // the run starts a list of its own
    Capture(15, 20);
    EXPECT_FALSE(w->Label1Visible);  // hidden by the capture
    session->timers.Advance(200);
    EXPECT_EQ(w->Runner().ResumeLine(), 3);
    EXPECT_EQ(w->Label1, Ansi("2 Bohrung 1 <ESC>=Abbruch"));
    Feed(10, 25);
    op.ExpectInfo();  // "Wiederholung beendet !"
    Feed(5, 20);
    EXPECT_EQ(FirstLine(op.shown.back()), "info: Wiederholung beendet !");
    EXPECT_TRUE(w->Runner().Idle());
    EXPECT_EQ(Results(), std::vector<std::string>{"  1 vorher"});
    EXPECT_EQ(w->PointCount(), 0);
}

TEST_F(Programs, TheDueCountStopsAtTheEndOfTheProgramAndTheRunButtonGoesOn) {
    dir.Write("prg/p.PRG", "GETPOINT:\nGETPOINT:\n");
    StartRun("p.PRG");
    EXPECT_EQ(w->Label1, "2 ");
    Run(CommandId::RunProgram);  // on at once, without a point
    EXPECT_EQ(w->Runner().ResumeLine(), 1);
    EXPECT_EQ(w->Label1, "1 ");
    op.ExpectInfo();
    Feed(1, 1);
    EXPECT_TRUE(w->Runner().Idle());
}

// Two points captured within one tick of the wait: each GETPOINT line takes one of them.
TEST_F(Programs, QuickCapturesAreTakenOneByOne) {
    dir.Write("prg/p.PRG", "GETPOINT:\nGETPOINT:\nAbstand2P:\n");
    StartRun("p.PRG");
    Capture(0, 0);
    Capture(3, 4);
    std::string listed;
    Slot<> keep([&] {
        if (w->lb1().Count() == 1) {
            listed = Results()[0];
        }
    });
    w->lb1().Changed.Attach(keep);
    session->timers.Advance(200);  // the first GETPOINT goes on; the second has its point already
    EXPECT_EQ(w->Runner().ResumeLine(), 1);
    op.ExpectInfo();
    session->timers.Advance(200);
    EXPECT_TRUE(w->Runner().Idle());
    EXPECT_EQ(ReadValue(listed).value, 5.0L);
}

// A recorded circle recall replays on the circle line it names, whichever line is selected.
TEST_F(Programs, CircleRecallTakesTheNamedLine) {
    dir.Write("prg/p.PRG", "GETPOINT:\nGETPOINT:\nGETPOINT:\nKreis:\nText:danach\nKR-ABRUF:0\nPunkt:\n");
    StartRun("p.PRG");
    std::string point;
    Slot<> keep([&] {
        if (w->lb1().Count() == 3) {
            point = Results()[2];
        }
    });
    w->lb1().Changed.Attach(keep);
    Feed(15, 20);
    Feed(10, 25);
    op.ExpectInfo();
    Feed(5, 20);
    EXPECT_EQ(ReadX(point).value, 15.0L);  // the first of the three points: centre + r at 0 degrees
    EXPECT_EQ(ReadY(point).value, 20.0L);
}

TEST_F(Programs, TheRunnerReplaysComparisons) {
    dir.Write("prg/p.PRG", "PKT:1:2\nSOLLIST-P:0:10000:20000:500:Lage\nsollist-a:Sicht\n");
    std::vector<std::string> listed;
    Slot<> keep([&] {
        if (w->lb1().Count() == 5) {
            listed = Results();
        }
    });
    w->lb1().Changed.Attach(keep);
    op.ExpectFile("p.PRG");
    op.ExpectAsk(true);  // "   Sicht   ": good
    op.ExpectInfo();
    Run(CommandId::RunProgram);
    ASSERT_EQ(listed.size(), 5u);
    EXPECT_EQ(listed[1].substr(0, 26), "  2 Soll-Ist Vergleich PT:");
    EXPECT_EQ(ReadValue(listed[2]).value, 0.0L);
    EXPECT_EQ(listed[4].substr(0, 33), "  5 Sicht            #---  IO  0 ");
}

TEST_F(Programs, TheRunnerPrintsTheReport) {
    dir.Write("prg/p.PRG", "PKT:1:2\nSPDRUCKEN:\n");
    op.ExpectFile("p.PRG");
    op.ExpectInfo();  // "Bericht gespeichert: bericht.pdf"
    op.ExpectInfo();  // "Wiederholung beendet !"
    Run(CommandId::RunProgram);
    EXPECT_EQ(op.shown[op.shown.size() - 2], "info: Bericht gespeichert: bericht.pdf");
    EXPECT_NE(dir.Read("bericht.pdf").find("(  1 Punkt"), std::string::npos);
}

TEST_F(Programs, TheRunnerWritesTheTransferFileOnly) {
    dir.Write("prg/p.PRG", "ASCII:Welle               \n");
    op.ExpectFile("p.PRG");
    op.ExpectInput("Meier");
    op.ExpectInput("K1");
    op.ExpectInfo();
    Run(CommandId::RunProgram);
    int npa = 0, trf = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.work() / "ascii")) {
        npa += e.path().extension() == ".NPA" ? 1 : 0;
        trf += e.path().extension() == ".TRF" ? 1 : 0;
    }
    EXPECT_EQ(npa, 0);
    EXPECT_EQ(trf, 1);
}

TEST_F(Programs, AbortWithNoGoesOnAndWithYesEnds) {
    // Esc during a wait, answered No, waits again for the same point: the line after the wait
    // runs once, with the point.
    dir.Write("prg/p.PRG", "GETPOINT:\nAARVX:1\nGETPOINT:\nPunkt:\n");
    w->lb1().Append("  1 vorher");
    StartRun("p.PRG");
    w->FormKeyPress(static_cast<char>(kKeyEscape));
    op.ExpectAsk(false);  // "Lernbetrieb abbrechen ?"
    session->timers.Advance(200);
    EXPECT_EQ(w->Runner().ResumeLine(), 0);
    // Still due: the point of this wait, and without a text line, what it is for.
    EXPECT_EQ(w->Label1, Ansi("1 Punkte für \"AARVX\" <ESC>=Abbruch"));
    Feed(1, 1);
    EXPECT_EQ(Results(), std::vector<std::string>{Ansi("  1 Versatz    X               1.000")});
    EXPECT_EQ(settings().OffsetX.value(), 1.0L);
    w->FormKeyPress(static_cast<char>(kKeyEscape));
    op.ExpectAsk(true);
    op.ExpectInfo();
    session->timers.Advance(200);
    EXPECT_EQ(FirstLine(op.shown.back()), "info: Wiederholung abgebrochen !");
    EXPECT_TRUE(w->Runner().Idle());
    EXPECT_EQ(Results(), std::vector<std::string>{"  1 vorher"});
    EXPECT_EQ(run().AbortRequested, 0);
}

// Points of a line that did not complete are not taken by the next one: a skipped preset line
// drops them, and Esc in a measuring line's own wait leads to the question.
TEST_F(Programs, ALineThatDoesNotCompleteLeavesNoPoints) {
    dir.Write("prg/p.PRG",
              "GETPOINT:\nGETPOINT:\nGETPOINT:\nGETPOINT:\nWinkel:7\nGETPOINT:\nGETPOINT:\nGETPOINT:\nKreis:\n"
              "Abstand2P:\n");
    StartRun("p.PRG");
    op.ExpectError();  // "Programmzeile 5 übersprungen: Auswahl 7 gibt es nicht"
    for (const auto& [x, y] : {std::pair{50.0L, 50.0L}, {60.0L, 50.0L}, {70.0L, 50.0L}, {80.0L, 55.0L}}) {
        Feed(x, y);
    }
    Feed(5, 0);
    Feed(0, 5);
    std::vector<std::string> listed;
    Slot<> keep([&] {
        if (!Results().empty()) {
            listed = Results();
        }
    });
    w->lb1().Changed.Attach(keep);
    // Abstand2P finds no points and waits inside; Esc there asks.
    op.duringWait = [this] { w->FormKeyPress(static_cast<char>(kKeyEscape)); };
    op.ExpectAsk(true);
    op.ExpectInfo();
    Feed(-5, 0);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(ReadValue(listed[0]).value, 10.0L);  // the circle of its own three points
    EXPECT_EQ(FirstLine(op.shown.back()), "info: Wiederholung abgebrochen !");
}

// Every way a run ends gives the operator's list back; a run owns the list while it lasts.
TEST_F(Programs, NoWayOutOfARunLosesTheList) {
    dir.Write("prg/p.PRG", "GETPOINT:\nAbstand2P:\nGETPOINT:\nPunkt:\n");
    w->lb1().Append("  1 vorher");
    StartRun("p.PRG");
    EXPECT_FALSE(w->IsEnabled(CommandOf(CommandId::StartTeachIn)));
    Run(CommandId::StartTeachIn);  // no teach-in over a run: nothing asked, temp.lst untouched
    EXPECT_EQ(run().Recording, 0);
    // Abstand2P waits inside for its second point; the run button there starts no second run
    // and skips nothing.
    bool enabledInside = true;
    op.duringWait = [&] {
        enabledInside = w->IsEnabled(CommandOf(CommandId::RunProgram));
        Run(CommandId::RunProgram);
        Capture(3, 4);
    };
    Feed(0, 0);
    op.duringWait = nullptr;
    EXPECT_FALSE(enabledInside);
    EXPECT_EQ(Results(), std::vector<std::string>{"  1 Abstand 2P                 5.000       1.500       2.000"});
    EXPECT_EQ(w->Runner().ResumeLine(), 2);
    // Closing the window ends the run: the list before it is what is saved.
    EXPECT_TRUE(w->Close());
    EXPECT_EQ(dir.Read("speicher.dat"), "  1 vorher\r\n");
}

TEST_F(Programs, ExitCancelledWhileRecordingLeavesTheCommandsWorking) {
    StartTeachIn();
    op.ExpectAsk(false);  // "Lernbetrieb beenden ?": Cancel
    Run(CommandId::Exit);
    EXPECT_EQ(run().AbortRequested, 0);
    Points({{0, 0}, {3, 4}});
    Run(CommandId::DistanceTwoPoints);
    EXPECT_EQ(Results().size(), 1u);
}

// On read-only media nothing is written: the list before the run is kept in memory.
TEST_F(Programs, ARunFromReadOnlyMediaGivesTheListBack) {
    dir.Write("prg/p.PRG", "PKT:1:2\n");
    std::ofstream(dir.root() / "menue.cd") << "";
    w->lb1().Append("  1 vorher");
    op.ExpectFile("p.PRG");
    op.ExpectInfo();
    Run(CommandId::RunProgram);
    EXPECT_EQ(FirstLine(op.shown.back()), "info: Wiederholung beendet !");
    EXPECT_EQ(Results(), std::vector<std::string>{"  1 vorher"});
    EXPECT_FALSE(std::filesystem::exists(dir.work() / "temp.lst"));
}

TEST_F(Programs, NothingToDoAndACancelledOpen) {
    w->lb1().Append("  1 vorher");
    op.ExpectFile("cancel");
    Run(CommandId::RunProgram);
    EXPECT_EQ(Results(), std::vector<std::string>{"  1 vorher"});
    EXPECT_TRUE(w->Runner().Idle());
    dir.Write("prg/leer.PRG", "");
    op.ExpectFile("leer.PRG");
    op.ExpectInfo();
    Run(CommandId::RunProgram);
    EXPECT_EQ(op.shown.back(), "info: Nichts zu tun");
    EXPECT_FALSE(run().ProgramRunning);
    EXPECT_EQ(Results(), std::vector<std::string>{"  1 vorher"});
}

// A program written by hand: lower-case words, CR LF, decimal commas; lines naming a chooser
// value or a result line that does not exist, damaged comparisons and unknown words are skipped
// with a message naming the line (result lines as the list numbers them), never read out of
// range or judged with zeros.
TEST_F(Programs, HandWrittenProgramsAndTheirFaults) {
    dir.Write("prg/h.PRG",
              "pkt:12,5:3,25\r\naarvx:0,5\r\nwinkel:7\r\nabruf:99\r\nnullx\r\naarvw:90\r\nsf1\r\n"
              "\r\nkries:\r\nsollist-v:0:100000:1000:-1000\r\nsollist-v:0:abc:1000:-1000:10000:X\r\n"
              "sollist-p:0:100000\r\nsollist-v:1:125000:1000:-1000:10000:Sitz: oben\r\n");
    op.ExpectFile("h.PRG");
    for (int i = 0; i < 6; ++i) {
        op.ExpectError();
    }
    op.ExpectInfo();
    Run(CommandId::RunProgram);
    ASSERT_EQ(op.shown.size(), 9u);
    const std::vector<std::string> said(op.shown.begin() + 2, op.shown.end() - 1);
    EXPECT_EQ(said, (std::vector<std::string>{
                        Ansi("error: Programmzeile 3 übersprungen: Auswahl 7 gibt es nicht"),
                        Ansi("error: Programmzeile 4 übersprungen: Speicherzeile 100 gibt es nicht"),
                        Ansi("error: Programmzeile 9 übersprungen: unbekanntes Wort \"KRIES\""),
                        Ansi("error: Programmzeile 10 übersprungen: Feld 5 ist keine Zahl"),
                        Ansi("error: Programmzeile 11 übersprungen: Feld 2 ist keine Zahl"),
                        Ansi("error: Programmzeile 12 übersprungen: Feld 3 ist keine Zahl"),
                    }));
    EXPECT_EQ(settings().OffsetX.value(), Real(0.5L).value());
    EXPECT_EQ(settings().OffsetW.value(), 90.0L);  // the taught angle offset is applied again
    EXPECT_EQ(w->Context().feature.Name, "Sitz: oben");
}

// A degree:minute:second angle is judged on replay as the teach-in judged it; the name keeps
// its colon.
TEST_F(Programs, AReplayJudgesAnAngleInDegreesMinutesSeconds) {
    dir.Write("prg/w.PRG",
              "WIMODE:1\nGETPOINT:\nGETPOINT:\nGETPOINT:\nGETPOINT:\nWinkel:1\n"
              "SOLLIST-V:0:450000:100:-100:10000:Fase: links\n");
    StartRun("w.PRG");
    std::vector<std::string> listed;
    Slot<> keep([&] {
        if (!Results().empty()) {
            listed = Results();
        }
    });
    w->lb1().Changed.Attach(keep);
    Feed(0, 0);
    Feed(10, 0);
    Feed(0, 0);
    op.ExpectInfo();  // "Wiederholung beendet !"
    Feed(10, 10);
    EXPECT_EQ(listed.size(), 3u);
    ASSERT_FALSE(listed.empty());
    EXPECT_EQ(listed.back().substr(0, 36), "  3 Fase: links      #1       45.000") << listed.back();
    EXPECT_EQ(op.shown.back(),
              "info: Wiederholung beendet !\nErgebniszeilen: 3; Merkmale: 1, davon gut: 1, schlecht: 0");
}

TEST_F(Programs, ReplayingATaughtSessionGivesItsResultLines) {
    // Teach: offsets, a circle, a distance, an angle with its quadrant, a line, an alignment and
    // a circle-line intersection.
    StartTeachIn();
    op.ExpectInput("0,5");
    w->FormKeyDown(kKeyF1 + 10);  // F11: offset X
    Points({{15, 20}, {10, 25}, {5, 20}});
    Run(CommandId::Circle);
    Points({{0, 0}, {3, 4}});
    Run(CommandId::DistanceTwoPoints);
    Points({{0, 0}, {10, 0}, {0, 0}, {10, 10}});
    op.ExpectChoose("2");
    Run(CommandId::Angle);
    Points({{0, 1}, {10, 2}, {20, 3}});
    op.ExpectChoose("1");
    Run(CommandId::Line);
    Points({{10, 0}, {0, 10}, {-10, 0}, {-20, -5}, {20, -5}});
    w->Run(CommandOf(CommandId::CircleLine));
    Points({{0, 0}, {10, 0.5L}});
    op.ExpectChoose(std::to_string(kAlignLine));
    op.ExpectTwoButtons("no");
    Run(CommandId::CoordinateSystem);
    const std::vector<std::string> taught = Results();
    ASSERT_EQ(taught.size(), 8u);
    const std::vector<std::string> program = w->LB_list();
    StopAndSave("sitzung");
    // Replay on the same stage, coordinate system reset first.
    op.ExpectFile("sitzung.PRG");
    op.ExpectAsk(true);  // "Koordinatensystem zurücksetzen ?"
    Run(CommandId::RunProgram);
    EXPECT_EQ(w->LB_list(), program);
    for (const auto& [x, y] : std::vector<std::pair<long double, long double>>{{15, 20},
                                                                               {10, 25},
                                                                               {5, 20},
                                                                               {0, 0},
                                                                               {3, 4},
                                                                               {0, 0},
                                                                               {10, 0},
                                                                               {0, 0},
                                                                               {10, 10},
                                                                               {0, 1},
                                                                               {10, 2},
                                                                               {20, 3},
                                                                               {10, 0},
                                                                               {0, 10},
                                                                               {-10, 0},
                                                                               {-20, -5},
                                                                               {20, -5},
                                                                               {0, 0}}) {
        Feed(x, y);
    }
    op.ExpectInfo();  // the run ends with the last point
    Capture(10, 0.5L);
    std::vector<std::string> replayed;
    Slot<> keep([&] {
        if (w->lb1().Count() == 8) {
            replayed = Results();
        }
    });
    w->lb1().Changed.Attach(keep);
    session->timers.Advance(200);
    EXPECT_EQ(replayed, taught);
    EXPECT_EQ(FirstLine(op.shown.back()), "info: Wiederholung beendet !");
}

}  // namespace
}  // namespace tarvo
