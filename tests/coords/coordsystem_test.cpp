#include "coords/coordsystem.h"

#include <gtest/gtest.h>

#include "data/resultline.h"
#include "support/mainwindowfixture.h"

namespace tarvo {
namespace {

double D(long double v) { return static_cast<double>(v); }

class Coords : public test::MainWindowFixture {};

TEST_F(Coords, ZeroingTurnsTheShiftByTheRotation) {
    settings().OffsetW = 30;
    run().CurrentPos = {10, 0};
    Teach();
    w->Run(CommandOf(CommandId::ZeroX));
    EXPECT_NEAR(D(settings().OffsetX), 8.660, 0.0005);
    EXPECT_NEAR(D(settings().OffsetY), 5.0, 1e-9);
    EXPECT_EQ(LastResult(), "  1 Nullen   X                        ");
    EXPECT_EQ(w->LB_list().back(), "NULLX");
    w->FormKeyPress('x');  // lower case does nothing
    EXPECT_EQ(Results().size(), 1u);
    w->FormKeyPress('X');  // the capital letter is the button
    EXPECT_EQ(Results().size(), 2u);
}

TEST_F(Coords, NoZeroStopsTheYButtonButNotTheChooser) {
    settings().NoZero = 1;
    run().CurrentPos = {0, 4};
    w->Run(CommandOf(CommandId::ZeroY));
    EXPECT_EQ(D(settings().OffsetY), 0.0);
    EXPECT_TRUE(Results().empty());
    op.ExpectChoose("8");
    Run(CommandId::CoordinateSystem);
    EXPECT_EQ(D(settings().OffsetY), 4.0);
    // Listed as the button lists it, so the replay of "NULLY" numbers the list as taught.
    EXPECT_EQ(Results(), std::vector<std::string>{"  1 Nullen   Y                        "});
}

TEST_F(Coords, OffsetEntriesAndRotation) {
    settings().OffsetX = 2;
    Teach();
    op.ExpectChoose("1");
    op.ExpectInput("1,5");
    Run(CommandId::CoordinateSystem);
    EXPECT_EQ(D(settings().OffsetX), 3.5);
    EXPECT_EQ(LastResult(), "  1 Versatz    X               1.500");
    EXPECT_EQ(w->LB_list().back(), "AARVX:1.5000");
    op.ExpectInput("0.5");
    w->FormKeyDown(kKeyF12);
    EXPECT_EQ(D(settings().OffsetY), 0.5);
    EXPECT_EQ(w->LB_list().back(), "AARVY:0.5000");
    op.ExpectInput(std::string(1, '\0'));
    w->FormKeyDown(kKeyF1 + 10);  // F11 cancelled: nothing
    EXPECT_EQ(Results().size(), 2u);
    op.ExpectChoose("3");
    op.ExpectInput("12");
    Run(CommandId::CoordinateSystem);
    EXPECT_EQ(D(settings().OffsetW), 12.0);
    EXPECT_EQ(LastResult(), "  3 Koordinatensystem drehen ");
    EXPECT_EQ(w->LB_list().back(), "AARVW:12.0000");
    op.ExpectChoose("0");
    Run(CommandId::CoordinateSystem);
    EXPECT_EQ(D(settings().OffsetX), 0.0);
    EXPECT_EQ(D(settings().OffsetW), 0.0);
    EXPECT_EQ(w->LB_list().back(), "AAR0:");
    op.ExpectChoose("cancel");
    Run(CommandId::CoordinateSystem);
    EXPECT_EQ(Results().size(), 4u);
}

TEST_F(Coords, AlignmentToTwoLines) {
    for (const int choice : {1, 2}) {
        settings().OffsetX = 0;
        settings().OffsetY = 0;
        settings().OffsetW = 0;
        Capture(10, 0);
        Capture(0, 0);
        Capture(4, -1);
        Capture(6, 1);
        op.ExpectChoose("4");
        op.ExpectChoose(std::to_string(choice));
        Run(CommandId::CoordinateSystem);
        EXPECT_NEAR(D(settings().OffsetX), 5, 1e-9);
        EXPECT_NEAR(D(settings().OffsetY), 0, 1e-9);
        EXPECT_NEAR(D(settings().OffsetW), choice == 1 ? 0 : 45, 1e-9);
        EXPECT_EQ(LastResult().substr(0, 26), "  " + std::to_string(choice) + " Ausrichtung 2 G       ");
        EXPECT_EQ(w->PointCount(), 0);
    }
}

TEST_F(Coords, AlignmentToALineAsXOrYAxisAndToAPointAndALine) {
    Capture(0, 2);
    Capture(10, 2);
    op.ExpectChoose("5");
    op.ExpectTwoButtons("yes");  // "Y": the line is the Y axis
    Teach();
    Run(CommandId::CoordinateSystem);
    EXPECT_NEAR(D(settings().OffsetW), 90, 1e-9);
    EXPECT_NEAR(D(settings().OffsetY), 2, 1e-9);
    EXPECT_EQ(w->LB_list().back(), "AAR1G:2");
    Capture(3, 4);  // the point
    Capture(0, 0);
    Capture(10, 10);
    op.ExpectChoose("6");
    op.ExpectTwoButtons("cancel");  // closed: counts as "X"
    Run(CommandId::CoordinateSystem);
    EXPECT_NEAR(D(settings().OffsetX), 3, 1e-9);
    EXPECT_NEAR(D(settings().OffsetW), 135, 1e-6);
    EXPECT_EQ(w->LB_list().back(), "AARKG:1");
}

TEST_F(Coords, OriginToAPoint) {
    op.ExpectChoose("9");
    op.ExpectInfo();
    Run(CommandId::CoordinateSystem);
    EXPECT_EQ(op.shown.back(), "info: Zuwenig Punkte");
    EXPECT_TRUE(Results().empty());
    Capture(2.5L, -1);
    op.ExpectChoose("9");
    Run(CommandId::CoordinateSystem);
    EXPECT_EQ(D(settings().OffsetX), 2.5);
    EXPECT_EQ(D(settings().OffsetY), -1.0);
    EXPECT_EQ(LastResult(), "  1 Nullen                                 0.000       0.000");
}

TEST_F(Coords, EscDuringTheAlignmentWaitChangesNothing) {
    Capture(1, 1);
    op.ExpectChoose("4");
    op.duringWait = [this] { w->FormKeyPress(27); };
    Run(CommandId::CoordinateSystem);
    EXPECT_EQ(D(settings().OffsetX), 0.0);
    EXPECT_TRUE(Results().empty());
    EXPECT_EQ(w->PointCount(), 1);
}

}  // namespace
}  // namespace tarvo
