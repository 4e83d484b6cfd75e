#include "geometry/lines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "geometry/angles.h"
#include "support/pointlists.h"

namespace tarvo {
namespace {

using test::D;
using test::List;
constexpr long double kMarker = 999999.999L;

TEST(Distances, DistanceMidpointAndAxisParts) {
    const DistanceResult d = Distance2P(1, 1, 4, 5);
    EXPECT_EQ(d.distance.value(), 5.0L);
    EXPECT_EQ(d.midX.value(), 2.5L);
    EXPECT_EQ(d.midY.value(), 3.0L);
    EXPECT_EQ(Distance2P(3, 3, 3, 3).distance.value(), 0.0L);
    const AxisDistanceResult a = AxisDistances(4, 5, 1, 1);
    EXPECT_EQ(a.dx.value(), 3.0L);
    EXPECT_EQ(a.dy.value(), 4.0L);
}

TEST(StraightLines, CoefficientsIntersectionsAndMarkers) {
    const LineCoeff c = LineCoefficients(0, 1, 2, 5);
    EXPECT_EQ(c.m.value(), 2.0L);
    EXPECT_EQ(c.b.value(), 1.0L);
    EXPECT_EQ(LineCoefficients(3, 0, 3, 7).m.value(), Real(kMarkerValue).value());
    const XY p = IntersectLines({0, 0, 10, 10}, {0, 10, 10, 0});
    EXPECT_NEAR(D(p.x), 5, 1e-9);
    EXPECT_NEAR(D(p.y), 5, 1e-9);
    const XY parallel = IntersectLines({0, 0, 10, 0}, {0, 1, 10, 1});
    EXPECT_EQ(parallel.x.value(), Real(kMarker).value());
    EXPECT_EQ(parallel.y.value(), Real(kMarker).value());
    // A vertical line enters with its large finite marker slope.
    const XY v = IntersectLines({3, 0, 3, 10}, {0, 2, 10, 2});
    EXPECT_NEAR(D(v.x), 3, 1e-5);
    EXPECT_NEAR(D(v.y), 2, 1e-5);
}

TEST(PointLineDistance, PerpendicularFoot) {
    const FootResult a = PointLineDistance({0, 0, 10, 0}, 5, 5);
    EXPECT_NEAR(D(a.distance), 5, 1e-9);
    EXPECT_NEAR(D(a.footX), 5, 1e-9);
    EXPECT_NEAR(D(a.footY), 0, 1e-9);
    const FootResult b = PointLineDistance({0, 0, 0, 10}, 5, 5);
    EXPECT_NEAR(D(b.distance), 5, 1e-9);
    EXPECT_NEAR(D(b.footX), 0, 1e-9);
    EXPECT_NEAR(D(b.footY), 5, 1e-9);
    const FootResult same = PointLineDistance({2, 2, 2, 2}, 5, 6);  // parallel to X through (2, 2)
    EXPECT_NEAR(D(same.distance), 4, 1e-9);
    EXPECT_NEAR(D(same.footX), 5, 1e-9);
}

TEST(PolarAndRotation, OffsetsAndTheWorkingRange) {
    const XY p = PolarOffset(1, 1, 450, 2);  // 450 folds to 90
    EXPECT_NEAR(D(p.x), 1, 1e-9);
    EXPECT_NEAR(D(p.y), 3, 1e-9);
    const XY w = PolarOffsetWrapped(-90, 0, 0, 2);
    EXPECT_NEAR(D(w.x), 0, 1e-9);
    EXPECT_NEAR(D(w.y), -2, 1e-9);
    const XY r = RotateAboutOrigin(90, 1, 0);
    EXPECT_NEAR(D(r.x), 0, 1e-9);
    EXPECT_NEAR(D(r.y), -1, 1e-9);
    const XY far = RotateAboutOrigin(90, 5000, 0);
    EXPECT_EQ(far.x.value(), 5000.0L);
    EXPECT_EQ(far.y.value(), 0.0L);
    const XY none = RotateAboutOrigin(0, 12.345L, -6.789L);
    EXPECT_EQ(none.x.value(), Real(12.345L).value());
    EXPECT_EQ(none.y.value(), Real(-6.789L).value());
    const XY origin = RotateAboutOrigin(30, 0, 0);
    EXPECT_EQ(origin.x.value(), 0.0L);
}

TEST(SymmetryLine, MidLineOfCrossingAndParallelLines) {
    const LineResult axes = SymmetryLine({0, 0, 10, 0}, {0, 0, 0, 10});
    EXPECT_NEAR(D(axes.angle), 45, 1e-9);
    EXPECT_NEAR(D(axes.footX), 0, 1e-9);
    EXPECT_NEAR(D(axes.footY), 0, 1e-9);
    const LineResult par = SymmetryLine({0, 2, 10, 2}, {0, 6, 10, 6});
    EXPECT_NEAR(D(par.angle), 0, 1e-9);
    EXPECT_NEAR(D(par.footX), 0, 1e-9);
    EXPECT_NEAR(D(par.footY), 4, 1e-9);
}

TEST(SymmetryLine, RetriesWithLineAReversedWhenTheFootFliesOff) {
    // A along +X (0 degrees) and B at 170 degrees meet at (0, 20000): their half-sum, 85 degrees,
    // passes the origin more than 1000 away, so the mid line is taken again with A reversed
    // (180 degrees), which gives the other bisector, 175 degrees.
    const long double t10 = std::tan(10.0L * kPi / 180);
    const LineResult r = SymmetryLine({0, 20000, 10, 20000}, {0, 20000, -10, 20000 + 10 * t10});
    EXPECT_NEAR(D(r.angle), 175, 1e-6);
    const LineResult near = SymmetryLine({0, 200, 10, 200}, {0, 200, -10, 200 + 10 * t10});
    EXPECT_NEAR(D(near.angle), 85, 1e-6);  // close to the origin: no retry
}

TEST(LineFit, ExamplesAndSpecialCases) {
    const LineResult diag = LineFit(List({{0, 0}, {1, 1}, {2, 2}}));
    EXPECT_NEAR(D(diag.angle), 45, 1e-6);
    EXPECT_NEAR(D(diag.footX), 0, 1e-9);
    EXPECT_NEAR(D(diag.footY), 0, 1e-9);
    EXPECT_NEAR(D(diag.form), 0, 1e-9);
    const LineResult flat = LineFit(List({{0, 1}, {2, 1}}));
    EXPECT_EQ(flat.angle.value(), 0.0L);
    EXPECT_EQ(flat.footX.value(), 0.0L);
    EXPECT_EQ(flat.footY.value(), 1.0L);
    EXPECT_EQ(flat.form.value(), 0.0L);
    const LineResult vertical = LineFit(List({{3, 0}, {3, 5}}));
    EXPECT_EQ(vertical.angle.value(), 90.0L);
    EXPECT_EQ(vertical.footX.value(), 3.0L);
    EXPECT_EQ(vertical.footY.value(), 0.0L);
    // Two points on a falling line through the origin are reported in [0, 180] too.
    EXPECT_NEAR(D(LineFit(List({{0, 0}, {1, -1}})).angle), 135, 1e-9);
}

TEST(LineFit, DegenerateListsGiveADefinedResult) {
    const LineResult empty = LineFit(PointList{});
    EXPECT_EQ(empty.angle.value(), 0.0L);
    EXPECT_EQ(empty.footX.value(), 0.0L);
    const LineResult one = LineFit(List({{4, 5}}));
    EXPECT_EQ(one.footX.value(), 4.0L);
    EXPECT_EQ(one.footY.value(), 5.0L);
    const LineResult same = LineFit(List({{1.5L, 2}, {1.5L, 2}, {1.5L, 2}}));
    EXPECT_EQ(same.angle.value(), 0.0L);
    EXPECT_EQ(same.footX.value(), 1.5L);
    EXPECT_EQ(same.form.value(), 0.0L);
}

TEST(LineFit, FormDeviationOfANoisyLine) {
    const LineResult r = LineFit(List({{0, 0}, {1, 0.1L}, {2, 0}, {3, 0.1L}, {4, 0}}));
    EXPECT_NEAR(D(r.form), 0.064, 0.01);
    EXPECT_NEAR(D(r.angle), 0, 0.5);
}

// Points exactly on a line (as exactly as the stored reals allow) give its angle.
TEST(LineFit, PropertyPointsOnALineGiveItsAngle) {
    std::mt19937 rng(12345);
    std::uniform_real_distribution<double> angle(0, 180);
    std::uniform_real_distribution<double> pos(-500, 500);
    std::uniform_real_distribution<double> len(1, 100);
    std::uniform_int_distribution<int> count(3, 50);
    for (int trial = 0; trial < 200; ++trial) {
        const long double a = angle(rng);
        const long double x0 = pos(rng);
        const long double y0 = pos(rng);
        const long double l = len(rng);
        const int n = count(rng);
        PointList list;
        for (int i = 0; i < n; ++i) {
            const long double t = l * i / (n - 1);
            list.Add(x0 + t * std::cos(a * kPi / 180), y0 + t * std::sin(a * kPi / 180));
        }
        const LineResult r = LineFit(list);
        long double diff = std::fabs(r.angle - a);
        diff = std::min(diff, std::fabs(180 - diff));
        EXPECT_LT(D(diff), 0.001) << "trial " << trial << " angle " << D(a) << " got " << D(r.angle);
        EXPECT_LT(D(r.form), 0.0005) << "trial " << trial;
    }
}

TEST(IntersectCircleLine, SecantTangentDiameterAndMiss) {
    struct Case {
        long double y;
        bool found;
        long double x1, y1, x2, y2;
    };
    const Case cases[] = {
        {3, true, 4, 3, -4, 3},
        {5, true, 0, 5, 0, 5},
        {0, true, 5, 0, -5, 0},
        {6, false, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const CircleLineResult r = IntersectCircleLine(0, 0, 5, {-10, c.y, 10, c.y});
        EXPECT_EQ(r.found, c.found) << D(c.y);
        if (r.found) {
            EXPECT_NEAR(D(r.points.x1), D(c.x1), 1e-9);
            EXPECT_NEAR(D(r.points.y1), D(c.y1), 1e-9);
            EXPECT_NEAR(D(r.points.x2), D(c.x2), 1e-9);
            EXPECT_NEAR(D(r.points.y2), D(c.y2), 1e-9);
        }
    }
    // Within 0.0001 of the radius the line touches.
    const CircleLineResult touch = IntersectCircleLine(0, 0, 5, {-10, 4.99995L, 10, 4.99995L});
    EXPECT_TRUE(touch.found);
    EXPECT_EQ(touch.points.x1.value(), touch.points.x2.value());
}

TEST(IntersectCircles, ChordContactsAndMisses) {
    GeometryState st;
    struct Case {
        long double c2x, r1, r2;
        long double x1, y1, x2, y2;
    };
    const Case cases[] = {
        {8, 5, 5, 4, 3, 4, -3},
        {10, 5, 5, 5, 0, 5, 0},
        {2, 5, 3, 5, 0, 5, 0},
        {1, 5, 2, kMarker, kMarker, kMarker, kMarker},
        {11, 5, 5, kMarker, kMarker, kMarker, kMarker},
        {0, 5, 5, kMarker, kMarker, kMarker, kMarker},  // the same circle twice
        {2, 3, 5, -3, 0, -3, 0},                        // the larger circle second: exchanged
    };
    for (const auto& c : cases) {
        const TwoPoints p = IntersectCircles(0, 0, c.c2x, 0, c.r1, c.r2, st);
        EXPECT_NEAR(D(p.x1), D(Real(c.x1)), 1e-9) << D(c.c2x) << " " << D(c.r1) << " " << D(c.r2);
        EXPECT_NEAR(D(p.y1), D(Real(c.y1)), 1e-9) << D(c.c2x);
        EXPECT_NEAR(D(p.x2), D(Real(c.x2)), 1e-9) << D(c.c2x);
        EXPECT_NEAR(D(p.y2), D(Real(c.y2)), 1e-9) << D(c.c2x);
    }
    (void)IntersectCircles(2, 4, 10, 8, 5, 6, st);
    EXPECT_EQ(st.ElementPosX.value(), 6.0L);  // the midpoint of the centres
    EXPECT_EQ(st.ElementPosY.value(), 6.0L);
    // Outer contact within 0.000001.
    const TwoPoints near = IntersectCircles(0, 0, 10.0000005L, 0, 5, 5, st);
    EXPECT_EQ(near.x1.value(), near.x2.value());
}

}  // namespace
}  // namespace tarvo
