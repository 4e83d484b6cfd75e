#include "views/bitmapview.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/cp1252.h"
#include "data/pointmemory.h"
#include "support/mainwindowfixture.h"
#include "support/tempdir.h"

namespace tarvo {
namespace {

class BitmapViewTest : public ::testing::Test {
protected:
    test::TempDir dir;
    BitmapView view{dir.work()};
    void Show(std::initializer_list<std::pair<double, double>> points) {
        view.lb1.clear();
        for (const auto& [x, y] : points) {
            view.lb1.push_back(PointItemText(x, y, 3));
        }
        view.FormShow();
    }
    // Draws, clicks "Fläche" and into the point (x, y) in millimetres.
    bool Measure(double x, double y) {
        if (!view.Draw()) {
            return false;
        }
        view.StartArea();
        const auto [px, py] = view.PixelOf(x, y);
        return view.Click(px, py);
    }
};

TEST_F(BitmapViewTest, TheScaleIsTheFirstOfTheListThatFits) {
    Show({{0, 0}, {40, 0}, {40, 20}, {0, 20}});
    ASSERT_TRUE(view.Draw());
    EXPECT_EQ(view.Scale(), 50);  // 40 * 100 = 4000 does not fit into 3000
    EXPECT_EQ(view.Label3, "50/0.02 mm/p");
    EXPECT_EQ(view.Label7, "38");
    EXPECT_NEAR(static_cast<double>(view.CentreX()), 20, 1e-12);
    EXPECT_NEAR(static_cast<double>(view.CentreY()), 10, 1e-12);
    Show({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    ASSERT_TRUE(view.Draw());
    EXPECT_EQ(view.Scale(), 100);
    EXPECT_EQ(view.Label8, Ansi("Linienlänge:"));
    EXPECT_EQ(view.Label6, "40.0");
    EXPECT_TRUE(view.AreaEnabled());
}

// A polygon just under the picture's size at a scale takes the next scale: its outline stays
// inside the picture with a margin, so a click inside it is closed in and measured.
TEST_F(BitmapViewTest, PolygonsJustUnderThePictureSizeCanBeMeasured) {
    for (const double h : {14.9, 14.984, 14.985, 14.99, 14.999, 15.0}) {
        Show({{0, 0}, {10, 0}, {10, h}, {0, h}});
        ASSERT_TRUE(Measure(5, h / 2)) << h << ": " << view.Problem();
        EXPECT_NEAR(static_cast<double>(view.Result()), 10 * h, 0.01 * 10 * h) << h;
    }
    for (const double w : {29.97, 29.985, 29.999}) {
        Show({{0, 0}, {w, 0}, {w, 5}, {0, 5}});
        ASSERT_TRUE(Measure(w / 2, 2.5)) << w << ": " << view.Problem();
        EXPECT_NEAR(static_cast<double>(view.Result()), 5 * w, 0.01 * 5 * w) << w;
    }
}

TEST_F(BitmapViewTest, TheSampleListDrawsAClosedTriangle) {
    view.lb1 = {"100.000:50.000", "100.000:30.000", "129.000:30.000", "100.000:50.000"};
    view.FormShow();
    ASSERT_TRUE(Measure(105, 35));
    const double perimeter = 20 + 29 + std::hypot(29.0, 20.0);
    EXPECT_NEAR(std::stod(view.Label6.empty() ? "0" : view.Label6), 290, 0.5);
    EXPECT_NEAR(static_cast<double>(view.Perimeter() / view.Scale()), perimeter, 0.05);
}

// Areas against their exact values, within what the pixels resolve.
TEST_F(BitmapViewTest, KnownAreasComeOutWithinThePixelResolution) {
    Show({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    ASSERT_TRUE(Measure(5, 5));
    EXPECT_NEAR(static_cast<double>(view.Result()), 100.0, 0.01);
    EXPECT_EQ(view.Label8, Ansi("Fläche in mm²:"));
    EXPECT_EQ(view.Label6, "100.00");
    EXPECT_TRUE(view.Ok());
    EXPECT_FALSE(view.AreaMode());

    Show({{2, 3}, {27, 3}, {27, 15}, {2, 15}});  // 25 x 12 at 100 px/mm
    ASSERT_TRUE(Measure(10, 10));
    EXPECT_NEAR(static_cast<double>(view.Result()), 300.0, 0.03);

    view.lb1.clear();
    for (int i = 0; i < 720; ++i) {
        const double a = i * M_PI / 360;
        view.lb1.push_back(PointItemText(50 + 8 * std::cos(a), 20 + 8 * std::sin(a), 4));
    }
    view.FormShow();
    ASSERT_TRUE(Measure(50, 20));
    EXPECT_NEAR(static_cast<double>(view.Result()), M_PI * 64, 0.05);
    EXPECT_NEAR(static_cast<double>(view.CentreX()), 50, 1e-3);
}

TEST_F(BitmapViewTest, ClicksOutsideOrOnTheLineMeasureNothingAndWaitForTheNext) {
    Show({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    ASSERT_TRUE(view.Draw());
    view.StartArea();
    EXPECT_EQ(view.Status, Ansi("In die Fläche klicken"));
    auto [px, py] = view.PixelOf(12, 5);
    EXPECT_FALSE(view.Click(px, py));
    EXPECT_NE(view.Problem().find(Ansi("außerhalb")), std::string::npos);
    std::tie(px, py) = view.PixelOf(0, 5);
    EXPECT_FALSE(view.Click(px, py));
    EXPECT_NE(view.Problem().find("Linie"), std::string::npos);
    EXPECT_TRUE(view.AreaMode());
    EXPECT_EQ(view.Bitmap().CountNot(kRgbWhite, 0, 0, 2999, 1499), 4000);  // the outline only
    std::tie(px, py) = view.PixelOf(5, 5);
    EXPECT_TRUE(view.Click(px, py));
}

TEST_F(BitmapViewTest, FewerThanThreeDistinctPointsAreRefused) {
    Show({{1, 1}, {5, 5}, {1, 1}, {5, 5}});
    EXPECT_FALSE(view.Draw());
    EXPECT_FALSE(view.Problem().empty());
    EXPECT_FALSE(view.AreaEnabled());
    view.StartArea();
    EXPECT_FALSE(view.AreaMode());
}

// Each drawing starts on a clean picture, so an earlier polygon is not counted into the area.
TEST_F(BitmapViewTest, ARedrawDoesNotCountTheEarlierDrawing) {
    Show({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    ASSERT_TRUE(Measure(5, 5));
    view.lb1 = {PointItemText(0, 0, 3), PointItemText(10, 0, 3), PointItemText(10, 5, 3), PointItemText(0, 5, 3)};
    ASSERT_TRUE(Measure(5, 2));
    EXPECT_NEAR(static_cast<double>(view.Result()), 50.0, 0.01);
}

TEST_F(BitmapViewTest, OkStraightAwayIsCancelAndTheSizeFileIsRead) {
    Show({{0, 0}, {10, 0}, {10, 10}});
    EXPECT_FALSE(view.Ok());
    EXPECT_EQ(view.Result(), kNoArea);
    EXPECT_EQ(view.Label8, Ansi("Ergebnis:"));
    dir.Write(kBitmapSizeFile, "800\n400\n");
    BitmapView small(dir.work());
    small.lb1 = view.lb1;
    small.FormShow();
    ASSERT_TRUE(small.Draw());
    EXPECT_EQ(small.Bitmap().Width(), 800);
    EXPECT_EQ(small.Scale(), 10);
    dir.Write("nobmp", "");
    BitmapView none(dir.work());
    EXPECT_FALSE(none.Available());
}

// --- The area command ------------------------------------------------------------------------

class AreaCommand : public test::MainWindowFixture {
protected:
    void Square() {
        for (const auto& [x, y] : {std::pair{0, 0}, {10, 0}, {10, 10}, {0, 10}}) {
            Capture(x, y);
        }
    }
};

TEST_F(AreaCommand, ListsTheAreaAndTheCentreAndAsksToClearThePoints) {
    Capture(0, 0);
    Capture(10, 0);
    op.ExpectInfo();
    Run(CommandId::Area);
    EXPECT_EQ(op.shown.back(), Ansi("info: Zuwenig Punkte2"));
    Capture(10, 10);
    Capture(0, 10);
    op.ExpectArea("5 5");
    op.ExpectAsk(false);
    Run(CommandId::Area);
    EXPECT_EQ(LastResult(), Ansi("  1 Fläche                   100.000       5.000       5.000"));
    EXPECT_EQ(w->PointCount(), 4);
    op.ExpectArea("cancel");
    Run(CommandId::Area);
    op.ExpectArea("ok");
    Run(CommandId::Area);
    EXPECT_EQ(Results().size(), 1u);
    op.ExpectArea("5 5");
    op.ExpectAsk(true);
    Run(CommandId::Area);
    EXPECT_EQ(w->PointCount(), 0);
}

TEST_F(AreaCommand, IsRecordedAndReplayed) {
    Teach();
    Square();
    op.ExpectArea("2 2");
    op.ExpectAsk(true);
    Run(CommandId::Area);
    EXPECT_EQ(w->LB_list().back(), "FLAECHE");
    run().Recording = 0;
    // The runner's word reaches the same command.
    Square();
    op.ExpectArea("5 5");
    op.ExpectAsk(true);
    w->Runner().ReplayLine(w->LB_list().back());
    EXPECT_EQ(Results().size(), 2u);
}

TEST_F(AreaCommand, TheMarkerFileDisablesBothViews) {
    EXPECT_TRUE(w->IsEnabled(CommandOf(CommandId::Area)));
    EXPECT_TRUE(w->IsEnabled(CommandOf(CommandId::ElementGraphic)));
    dir.Write("nobmp", "");
    Start();
    EXPECT_FALSE(w->IsEnabled(CommandOf(CommandId::Area)));
    EXPECT_FALSE(w->IsEnabled(CommandOf(CommandId::ElementGraphic)));
    Square();
    op.ExpectInfo();
    w->Runner().ReplayLine("FLAECHE");
}

// "Immer sichtbar": a measuring command that the graphic shows brings it up to date and to the
// front; every change of the list redraws a shown graphic.
TEST_F(AreaCommand, TheElementGraphicFollowsTheResultList) {
    std::vector<bool> shows;
    Slot<bool> show([&](bool raise) { shows.push_back(raise); });
    w->ShowElementGraphic.Attach(show);
    Capture(1, 2);
    Run(CommandId::Point);
    EXPECT_TRUE(shows.empty());  // hidden: no copy, no drawing
    w->ElementGraphicModel().Shown = true;
    Capture(3, 4);
    Run(CommandId::Point);
    EXPECT_EQ(shows, std::vector<bool>{false});
    w->ElementGraphicModel().AlwaysVisible = true;
    Capture(5, 6);
    Run(CommandId::Point);
    EXPECT_EQ(shows, (std::vector<bool>{false, false, true}));
    EXPECT_EQ(w->ElementGraphicModel().Lines(), Results());
    shows.clear();
    w->Run(CommandOf(CommandId::ElementGraphic));
    EXPECT_EQ(shows, std::vector<bool>{true});
}

}  // namespace
}  // namespace tarvo
