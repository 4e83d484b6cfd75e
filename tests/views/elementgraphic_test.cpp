#include "views/elementgraphic.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/cp1252.h"
#include "data/resultline.h"
#include "geometry/angles.h"
#include "support/tempdir.h"

namespace tarvo {
namespace {

// What the graphic drew, shape by shape.
struct Recording final : GraphicCanvas {
    struct Shape {
        char kind;  // 'L' line, 'R' rectangle, 'E' ellipse, 'T' text
        Rgb pen;
        long long a, b, c, d;
        std::string text;
    };
    std::vector<Shape> shapes;
    Rgb pen = kRgbBlack;
    int clears = 0;
    void Clear(Rgb) override { ++clears; }
    void SetPen(Rgb colour) override { pen = colour; }
    void Line(long long a, long long b, long long c, long long d) override {
        shapes.push_back({'L', pen, a, b, c, d, {}});
    }
    void Rectangle(long long a, long long b, long long c, long long d) override {
        shapes.push_back({'R', pen, a, b, c, d, {}});
    }
    void Ellipse(long long a, long long b, long long c, long long d) override {
        shapes.push_back({'E', pen, a, b, c, d, {}});
    }
    void Text(long long x, long long y, const std::string& t) override { shapes.push_back({'T', pen, x, y, 0, 0, t}); }
    [[nodiscard]] int Count(char kind) const {
        int n = 0;
        for (const Shape& s : shapes) {
            n += s.kind == kind ? 1 : 0;
        }
        return n;
    }
    [[nodiscard]] const Shape& First(char kind) const {
        for (const Shape& s : shapes) {
            if (s.kind == kind) {
                return s;
            }
        }
        throw std::runtime_error("no such shape");
    }
};

class ElementGraphicTest : public ::testing::Test {
protected:
    test::TempDir dir;
    UiTexts texts;
    Recording canvas;
    ElementGraphic Draw(std::vector<std::string> lines, int trackBar = 1) {
        ElementGraphic g(dir.work(), texts);
        g.SetLines(std::move(lines));
        g.SetTrackBar(trackBar);
        g.Draw(canvas);
        return g;
    }
};

TEST_F(ElementGraphicTest, AnEmptyListDrawsTheOriginCrossInTheMarginedDefaultArea) {
    const ElementGraphic g = Draw({});
    EXPECT_EQ(canvas.clears, 1);
    EXPECT_EQ(canvas.Count('L'), 2);
    EXPECT_EQ(canvas.Count('T'), 1);
    EXPECT_EQ(canvas.First('T').text, "0");
    EXPECT_EQ(g.ElementCount(), 0);
    // 0..50 x 0..25 with margin 0.1: -5.5..55 and -2.75..27.5; Y then grows to the 2000 x 1200
    // picture's proportion.
    EXPECT_NEAR(static_cast<double>(g.ViewBox().minX), -5.5, 1e-12);
    EXPECT_NEAR(static_cast<double>(g.ViewBox().minY), -2.75, 1e-12);
    EXPECT_NEAR(static_cast<double>(g.ViewBox().rangeX), 60.5, 1e-12);
    EXPECT_NEAR(static_cast<double>(g.ViewBox().rangeY), 60.5 * 1200 / 2000, 1e-12);
    EXPECT_EQ(g.Labels().maxX, "50.000");
    EXPECT_EQ(g.Labels().minY, "0.000");
    EXPECT_EQ(g.Labels().factor, "0.030 mm/p");
    EXPECT_EQ(g.Labels().count, "0");
    // The origin is mapped with Y upwards.
    const auto [ox, oy] = g.PixelOf(0, 0);
    EXPECT_EQ(ox, std::llround(5.5 * 2000 / 60.5));
    EXPECT_EQ(oy, 1200 - std::llround(2.75 * 2000 / 60.5));
}

TEST_F(ElementGraphicTest, TheTrackBarAtThirtyAddsThreeTimesTheExtent) {
    const ElementGraphic g = Draw({}, 30);
    EXPECT_DOUBLE_EQ(g.ZoomMargin(), 3.0);
    // max 50 + 50 * 3 = 200, min 0 - 200 * 3 = -600.
    EXPECT_NEAR(static_cast<double>(g.ViewBox().minX), -600, 1e-9);
    EXPECT_NEAR(static_cast<double>(g.ViewBox().rangeX), 800, 1e-9);
}

TEST_F(ElementGraphicTest, CirclesWithADiameterMarkAreDrawnWithHalfTheValue) {
    const std::string diameter = Ansi("  1 Kreis    3 D              20.000      30.000      10.000");
    const std::string radius = Ansi("  1 Kreis    3 R              20.000      30.000      10.000");
    const ElementGraphic d = Draw({diameter});
    const Recording::Shape e = canvas.First('E');
    EXPECT_EQ(e.pen, kRgbBlue);
    const long double scale = 2000 / d.ViewBox().rangeX;
    EXPECT_EQ((e.c - e.a) / 2, std::llround(10 * scale));
    EXPECT_EQ(d.Labels().maxX, "50.000");  // x + r = 30 + 10 stays inside the default 50
    EXPECT_EQ(d.Labels().minY, "0.000");
    canvas.shapes.clear();
    const ElementGraphic r = Draw({radius});
    const Recording::Shape f = canvas.First('E');
    EXPECT_EQ((f.c - f.a) / 2, std::llround(20 * 2000 / r.ViewBox().rangeX));
    EXPECT_EQ(r.Labels().minY, "-10.000");
}

TEST_F(ElementGraphicTest, LinesRunAcrossTheViewAtTheirAngleAlsoInDegreesMinutesSeconds) {
    for (const std::string& value : {std::string("30.000"), AngleToDmsText(30)}) {
        canvas.shapes.clear();
        const std::string line = WriteResultLine(2, ResultLabel(Ansi("Gerade"), 8, " 2"), value, {"10.000", "10.000"});
        const ElementGraphic g = Draw({"  1 Text", line});
        ASSERT_EQ(canvas.Count('L'), 4) << value;  // the cross and the two halves of the line
        const Recording::Shape& half = canvas.shapes.back();
        EXPECT_EQ(half.pen, kRgbRed);
        const double angle = std::atan2(static_cast<double>(-(half.d - half.b)), static_cast<double>(half.c - half.a));
        EXPECT_NEAR(angle * 180 / M_PI, -150.0, 0.1) << value;
        EXPECT_EQ(canvas.First('T').text, "0");
        EXPECT_EQ(canvas.shapes[canvas.shapes.size() - 3].text, "2");  // its line number
        EXPECT_EQ(g.ElementCount(), 1);
    }
}

TEST_F(ElementGraphicTest, KindsAreToldByTheFirstNameInOrder) {
    EXPECT_EQ(ElementKindOf(Ansi("  1 Symetriegerade"), texts), ElementKind::SymmetryLine);
    EXPECT_EQ(ElementKindOf(Ansi("  1 Punkteingabe"), texts), ElementKind::Point);
    EXPECT_EQ(ElementKindOf(Ansi("  1 Winkel"), texts), ElementKind::Angle);
    EXPECT_EQ(ElementKindOf(Ansi("  1 Gerade"), texts), ElementKind::Line);
    EXPECT_EQ(ElementKindOf(Ansi("  1 Kreis    3 D  Punkt"), texts), ElementKind::Circle);
    EXPECT_EQ(ElementKindOf(Ansi("  1 Abstand 2P"), texts), ElementKind::None);
}

// The area of a stored circle is named "Kreis" too, but its value is an area and it has no size
// kind: it is no circle to draw (with the area as its radius it would fill the view).
TEST_F(ElementGraphicTest, OnlyCircleResultsAreDrawnAsCircles) {
    const std::string circle =
        WriteResultLine(1, ResultLabel(Ansi("Kreis"), 8, " 3 D"), "20.000", {"30.000", "10.000"});
    const std::string area = WriteResultLine(2, ResultLabel(Ansi("Kreis"), 21), "314.159", {"30.000", "10.000"});
    EXPECT_EQ(ElementKindOf(circle, texts), ElementKind::Circle);
    EXPECT_EQ(ElementKindOf(area, texts), ElementKind::None);
    const ElementGraphic g = Draw({circle, area});
    EXPECT_EQ(canvas.Count('E'), 1);
    EXPECT_EQ(g.Labels().maxX, "50.000");
    EXPECT_EQ(g.ElementCount(), 1);
}

TEST_F(ElementGraphicTest, TheMarkerFileAndTheSizeFileAreHonoured) {
    dir.Write(kElementGraphicSizeFile, "640\r\n480\r\n");
    EXPECT_EQ(ElementGraphic(dir.work(), texts).Width(), 640);
    dir.Write(kElementGraphicSizeFile, "640\r\nviel\r\n");
    EXPECT_EQ(ElementGraphic(dir.work(), texts).Height(), kElementGraphicHeight);
    dir.Write(kElementGraphicSizeFile, "99999999\r\n480\r\n");
    EXPECT_EQ(ElementGraphic(dir.work(), texts).Width(), kElementGraphicWidth);
    dir.Write(kNoBitmapMarker, "");
    const ElementGraphic g = Draw({Ansi("  1 Punkt                                   1.000       1.000")});
    EXPECT_FALSE(g.BitmapReady());
    EXPECT_TRUE(canvas.shapes.empty());
}

}  // namespace
}  // namespace tarvo
