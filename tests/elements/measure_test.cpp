#include "elements/measure.h"

#include <gtest/gtest.h>

#include <cmath>

#include "data/resultline.h"
#include "geometry/angles.h"
#include "support/mainwindowfixture.h"

namespace tarvo {
namespace {

class Measure : public test::MainWindowFixture {
protected:
    // Two lines through the origin at the given inclinations.
    void Lines(long double deg1, long double deg2) {
        const long double k = kPi / 180;
        Capture(0, 0);
        Capture(10 * std::cos(deg1 * k), 10 * std::sin(deg1 * k));
        Capture(0, 0);
        Capture(10 * std::cos(deg2 * k), 10 * std::sin(deg2 * k));
    }
};

TEST_F(Measure, CircleLineAsInTheWorkedExample) {
    for (int i = 0; i < 7; ++i) {
        w->lb1().Append("x");
    }
    Capture(15, 20);
    Capture(10, 25);
    Capture(5, 20);
    Teach();
    w->FormKeyDown(kKeyF1 + 1);
    EXPECT_EQ(LastResult(), "  8 Kreis    3 D              10.000      10.000      20.000");
    EXPECT_EQ(w->LB_list().back(), "Kreis:");
    EXPECT_EQ(w->PointCount(), 0);
    EXPECT_EQ(w->Label5, "-");
}

TEST_F(Measure, CircleFormColumnRadiusModeAndSecondLine) {
    settings().CircleMode = 1;
    settings().AngleDiffLine = 1;
    for (const auto& [x, y] : {std::pair{5.0L, 0.0L}, {0, 5}, {-5, 0}, {0, -5}}) {
        Capture(x, y);
    }
    Run(CommandId::Circle);
    ASSERT_EQ(Results().size(), 2u);
    EXPECT_EQ(Results()[0], "  1 Kreis    4 R               5.000       0.000       0.000       0.000");
    EXPECT_EQ(Results()[1].substr(0, 26), "  2 W m Diff              ");
    EXPECT_EQ(ReadColumn(Results()[1], kXColumn).value, 0.0L);
}

TEST_F(Measure, CircleUsesTheFirstFiftyPointsAndClearsAll) {
    for (int i = 0; i < 51; ++i) {
        const long double a = i * 2 * kPi / 51;
        Capture(10 * std::cos(a), 10 * std::sin(a));
    }
    Run(CommandId::Circle);
    EXPECT_EQ(LastResult().substr(0, 16), "  1 Kreis   50 D");
    EXPECT_EQ(w->PointCount(), 0);
}

TEST_F(Measure, CollinearPointsGiveTheNoCircleMarker) {
    Capture(0, 0);
    Capture(1, 1);
    Capture(2, 2);
    Run(CommandId::Circle);
    EXPECT_EQ(LastResult(), "  1 Kreis    3 D          199998.000       0.000       0.000");
}

TEST_F(Measure, WaitingForPointsTakesCapturesOrEndsOnEsc) {
    Capture(15, 20);
    op.duringWait = [this] {
        Capture(10, 25);
        Capture(5, 20);
    };
    Run(CommandId::Circle);
    EXPECT_EQ(Results().size(), 1u);

    Capture(1, 1);
    op.duringWait = [this] { w->FormKeyPress(27); };
    Run(CommandId::Circle);
    EXPECT_TRUE(Results().size() == 1u);
    EXPECT_EQ(w->PointCount(), 1);       // the points stay
    EXPECT_EQ(run().AbortRequested, 0);  // and the flag is cleared again
}

TEST_F(Measure, AnAbortFlagLeftSetStopsCommandsButNotPointEntry) {
    Capture(1, 1);
    Capture(2, 2);
    run().AbortRequested = 1;
    Run(CommandId::DistanceTwoPoints);
    Run(CommandId::Point);
    EXPECT_TRUE(Results().empty());
    op.ExpectInput("1");
    op.ExpectInput("2");
    Run(CommandId::PointEntry);
    EXPECT_EQ(Results().size(), 1u);
}

TEST_F(Measure, DistancesPointAndPointEntry) {
    for (int i = 0; i < 5; ++i) {
        Capture(i == 1 ? 3 : 0, i == 1 ? 4 : 0);
    }
    Teach();
    Run(CommandId::DistanceTwoPoints);
    EXPECT_EQ(LastResult(), "  1 Abstand 2P                 5.000       1.500       2.000");
    EXPECT_EQ(w->PointCount(), 0);  // all five cleared
    Capture(0, 0);
    Capture(10, 0);
    Capture(5, 5);
    Run(CommandId::DistanceLinePoint);
    EXPECT_EQ(LastResult(), "  2 Abstand GP                 5.000       5.000       0.000");
    op.ExpectInfo();
    Run(CommandId::Point);
    EXPECT_EQ(op.shown.back(), "info: Zuwenig Punkte");
    Capture(-1.25L, 2);
    Run(CommandId::Point);
    EXPECT_EQ(LastResult(), "  3 Punkt                                 -1.250       2.000");
    op.ExpectInput("12,5");
    op.ExpectInput("3");
    Run(CommandId::PointEntry);
    EXPECT_EQ(LastResult(), "  4 Punkteingabe                          12.500       3.000");
    EXPECT_EQ(w->LB_list(), (std::vector<std::string>{"Abstand2P:", "GETPOINT:", "GETPOINT:", "GETPOINT:", "AbstandGP:",
                                                      "GETPOINT:", "Punkt:", "PKT:12.500:3.000"}));
    op.ExpectInput(std::string(1, '\0'));
    Run(CommandId::PointEntry);  // cancelled: no line
    EXPECT_EQ(Results().size(), 4u);
}

TEST_F(Measure, AxisDistanceAsksXOrY) {
    Capture(1, 1);
    Capture(4, -3);
    op.ExpectChoose("2");
    Run(CommandId::AxisDistance);
    EXPECT_EQ(LastResult(), "  1 Abstand Y                  4.000");
    Capture(1, 1);
    Capture(4, -3);
    op.ExpectChoose("cancel");
    Run(CommandId::AxisDistance);
    EXPECT_EQ(w->PointCount(), 2);  // kept
    session->run.ReplayChoice = 1;
    Run(CommandId::AxisDistance);  // replayed: no dialog
    EXPECT_EQ(LastResult(), "  2 Abstand X                  3.000");
    EXPECT_EQ(session->run.ReplayChoice, 0);
}

TEST_F(Measure, AngleCandidatesAndChoices) {
    const auto value = [this] { return static_cast<double>(ReadColumn(LastResult(), kValueColumn).value); };
    Lines(10, 40);  // a = 30 (the captures carry 3 decimals, so within 0.01)
    op.ExpectChoose("3");
    Run(CommandId::Angle);
    EXPECT_NEAR(value(), 60, 0.01);
    EXPECT_EQ(LastResult().substr(0, 26), "  1 Winkel                ");
    Lines(80, -80);  // a = 160
    op.ExpectChoose("3");
    Run(CommandId::Angle);
    EXPECT_NEAR(value(), -70, 0.01);
    Lines(0, 90);  // exactly 90
    op.ExpectChoose("2");
    settings().AngleMode = 1;
    Run(CommandId::Angle);
    EXPECT_EQ(ColumnText(LastResult(), {27, 10}), " 270:00:00");
    Teach();
    session->run.ReplayChoice = 4;
    settings().AngleMode = 0;
    Lines(10, 40);
    Run(CommandId::Angle);  // replayed choice 4: no dialog
    EXPECT_NEAR(value(), 150, 0.01);
    EXPECT_EQ(w->LB_list().back(), "Winkel:4");
    EXPECT_EQ(session->run.ReplayChoice, 0);
    // A preset beyond the four candidates (a program file edited by hand) is refused: no result,
    // nothing recorded, the points stay.
    const int lines = w->lb1().Count();
    const std::size_t programLines = w->LB_list().size();
    for (const int preset : {5, 255}) {
        session->run.ReplayChoice = static_cast<std::uint8_t>(preset);
        Lines(10, 40);
        Run(CommandId::Angle);
        EXPECT_EQ(w->lb1().Count(), lines);
        EXPECT_EQ(w->LB_list().size(), programLines + 4 * (preset == 5 ? 1 : 2));  // only the captures
        EXPECT_EQ(session->run.ReplayChoice, 0);
        Run(CommandId::ClearPoints);
    }
}

TEST_F(Measure, SiemensModeReportsTheChosenCandidate) {
    const auto value = [this] { return static_cast<double>(ReadColumn(LastResult(), kValueColumn).value); };
    settings().SiemensMode = 1;
    Lines(-60, 60);  // a = 120
    op.ExpectChoose("3");
    Run(CommandId::Angle);
    EXPECT_NEAR(value(), 30, 0.01);  // abs(90 - 120)
    Lines(-60, 60);
    op.ExpectChoose("4");
    Run(CommandId::Angle);
    EXPECT_NEAR(value(), -30, 0.01);  // 90 - 120
}

TEST_F(Measure, ParallelLinesGiveTheNotComputableVertex) {
    Capture(0, 0);
    Capture(10, 0);
    Capture(0, 5);
    Capture(10, 5);
    op.ExpectChoose("1");
    Run(CommandId::Angle);
    EXPECT_EQ(ColumnText(LastResult(), {39, 10}), "999999.999");
    EXPECT_EQ(LastResult().find("nan"), std::string::npos);
}

TEST_F(Measure, LineWithAndWithoutFormDeviation) {
    Capture(0, 1);
    Capture(2, 1);
    op.ExpectChoose("1");
    Run(CommandId::Line);
    EXPECT_EQ(LastResult(), "  1 Gerade   2                 0.000       0.000       1.000");
    Capture(0, 0);
    Capture(1, 1);
    Capture(2, 2);
    op.ExpectChoose("1");
    Run(CommandId::Line);
    EXPECT_EQ(LastResult(), "  2 Gerade   3                45.000       0.000       0.000       0.000");
    for (int i = 0; i < 60; ++i) {
        Capture(i, 2);
    }
    op.ExpectChoose("4");
    Run(CommandId::Line);
    EXPECT_EQ(LastResult().substr(0, 14), "  3 Gerade  50");
    EXPECT_EQ(ReadColumn(LastResult(), kValueColumn).value, 180.0L);
}

TEST_F(Measure, SymmetryLine) {
    Capture(0, 2);
    Capture(10, 2);
    Capture(0, 6);
    Capture(10, 6);
    Run(CommandId::SymmetryLine);
    EXPECT_EQ(LastResult(), "  1 Symetriegerade             0.000       0.000       4.000");
}

class Intersections : public test::MainWindowFixture {
protected:
    void Circle(long double cx) {
        Capture(cx + 5, 0);
        Capture(cx, 5);
        Capture(cx - 5, 0);
    }
};

TEST_F(Intersections, CircleAndLine) {
    struct Case {
        long double y;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {3,
         {"  1 Punkt 1                                4.000       3.000",
          "  2 Punkt 2                               -4.000       3.000"}},
        {5, {"  1 Punkt 1                                0.000       5.000"}},
        {6,
         {"  1 Punkt 1                           999999.000  999999.000",
          "  2 Punkt 2                           999999.000  999999.000"}},
    };
    for (const auto& c : cases) {
        w->lb1().Clear();
        Circle(0);
        Capture(-10, c.y);
        Capture(10, c.y);
        w->Run(CommandOf(CommandId::CircleLine));
        EXPECT_EQ(Results(), c.lines) << static_cast<double>(c.y);
        EXPECT_EQ(w->PointCount(), 0);
        EXPECT_EQ(session->geometry.LastElementKind, 1);
    }
}

TEST_F(Intersections, TwoCirclesAndCirclesApart) {
    Circle(0);
    Circle(8);
    Teach();
    w->Run(CommandOf(CommandId::CircleCircle));
    EXPECT_EQ(Results(), (std::vector<std::string>{"  1 Punkt 1                                4.000       3.000",
                                                   "  2 Punkt 2                                4.000      -3.000"}));
    EXPECT_EQ(w->LB_list().back(), "SPKK:");
    Circle(0);
    Circle(20);
    w->Run(CommandOf(CommandId::CircleCircle));
    EXPECT_EQ(Results().size(), 2u);  // apart: nothing listed
    EXPECT_EQ(w->PointCount(), 6);    // and the points stay
}

TEST_F(Intersections, AreaFromTheSelectedCircleLine) {
    w->lb1().Append(BuildResultLine(1, "Kreis", " 3 R", 2, 1, 1, 3));
    w->Run(CommandOf(CommandId::AreaFromCircle));
    EXPECT_EQ(LastResult(), "  2 Kreis                     12.566       1.000       1.000");
    w->lb1().Append(BuildResultLine(3, "Kreis", " 3 D", 2, 1, 1, 3));
    w->Run(CommandOf(CommandId::AreaFromCircle));
    EXPECT_NEAR(static_cast<double>(ReadColumn(LastResult(), kValueColumn).value), 3.142, 1e-9);
    w->lb1().Append(BuildResultLine(5, "Punkt", "", 2, 1, 1, 3));
    w->Run(CommandOf(CommandId::AreaFromCircle));  // not a circle: nothing
    EXPECT_EQ(Results().size(), 5u);
}

}  // namespace
}  // namespace tarvo
