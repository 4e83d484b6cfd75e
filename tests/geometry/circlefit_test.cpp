#include "geometry/circlefit.h"

#include <gtest/gtest.h>

#include "geometry/angles.h"

#include "support/pointlists.h"

#include <cmath>
#include <random>

#include "base/errors.h"

namespace tarvo {
namespace {

using test::D;
using test::List;

// Points on a circle from angle a0 over `span` degrees, optionally with radial noise.
PointList Arc(long double cx, long double cy, long double r, long double a0, long double span, int n,
              long double noise = 0, unsigned seed = 1) {
    std::mt19937 rng(seed);
    std::normal_distribution<double> err(0, 1);
    PointList l;
    const bool full = span >= 360;
    for (int i = 0; i < n; ++i) {
        const long double a = (a0 + span * i / (full ? n : n - 1)) * kPi / 180;
        const long double rr = r + noise * err(rng);
        l.Add(cx + rr * std::cos(a), cy + rr * std::sin(a));
    }
    return l;
}

TEST(CircleFrom3Points, CircleAndTheThreeWaysToHaveNone) {
    Real cx = 7;
    Real cy = 7;
    EXPECT_EQ(CircleFrom3Points(15, 20, 10, 25, 5, 20, cx, cy).value(), 5.0L);
    EXPECT_EQ(cx.value(), 10.0L);
    EXPECT_EQ(cy.value(), 20.0L);
    cx = 7;
    EXPECT_EQ(CircleFrom3Points(1, 1, 1, 1, 5, 2, cx, cy).value(), kNoCircle);  // coinciding
    EXPECT_EQ(CircleFrom3Points(0, 0, 1, 1, 2, 2, cx, cy).value(), kNoCircle);  // collinear
    EXPECT_EQ(cx.value(), 7.0L);  // untouched
    // Nearly collinear: the centre lies beyond 1e8.
    EXPECT_EQ(CircleFrom3Points(0, 0, 1, 1e-12L, 2, 0, cx, cy).value(), kNoCircle);
    // A vertical chord takes the steep marker slope and still gives the circle.
    EXPECT_NEAR(D(CircleFrom3Points(5, 0, 5, 10, 0, 5, cx, cy)), 5, 1e-5);
}

TEST(CircleFit, ExactThreePointsNeedNoSearch) {
    GeometryState st;
    const CircleResult r = CircleFit(List({{15, 20}, {10, 25}, {5, 20}}), st);
    EXPECT_EQ(r.cx.value(), 10.0L);
    EXPECT_EQ(r.cy.value(), 20.0L);
    EXPECT_EQ(r.radius.value(), 5.0L);
    EXPECT_EQ(r.form.value(), 0.0L);
}

TEST(CircleFit, MarkersForNoCircle) {
    GeometryState st;
    st.WorstPointAngle = 33;
    for (const PointList& l : {List({{0, 0}, {1, 1}, {2, 2}}), List({{0, 0}, {1, 1}}), PointList{}}) {
        const CircleResult r = CircleFit(l, st);
        EXPECT_EQ(r.radius.value(), kNoCircle);
        EXPECT_EQ(r.cx.value(), 0.0L);
        EXPECT_EQ(r.cy.value(), 0.0L);
        EXPECT_EQ(r.form.value(), 0.0L);
    }
    EXPECT_EQ(st.WorstPointAngle.value(), 33.0L);  // unchanged
    PointList tooMany;
    tooMany.p[0].x = 51;
    EXPECT_THROW((void)CircleFit(tooMany, st), RangeError);
}

TEST(CircleFit, ARepeatedPointLeavesTheOtherTriples) {
    GeometryState st;
    const CircleResult r = CircleFit(List({{5, 0}, {5, 0}, {0, 5}, {-5, 0}}), st);
    EXPECT_NEAR(D(r.cx), 0, 0.0005);
    EXPECT_NEAR(D(r.cy), 0, 0.0005);
    EXPECT_NEAR(D(r.radius), 5, 0.0005);
}

TEST(CircleFit, NoisyPointsGiveMeanDistanceAndRangeAboutTheCentre) {
    GeometryState st;
    const PointList l = List({{10.01L, 0}, {0, 9.99L}, {-10, 0.003L}, {0.002L, -10.004L}, {7.07L, 7.08L}});
    const CircleResult r = CircleFit(l, st);
    long double sum = 0;
    long double lo = 1e9;
    long double hi = -1e9;
    for (int i = 1; i <= 5; ++i) {
        const long double d = std::hypot(l.p[i].x - r.cx, l.p[i].y - r.cy);
        sum += d;
        lo = std::min(lo, d);
        hi = std::max(hi, d);
    }
    EXPECT_NEAR(D(r.radius), D(sum / 5), 1e-9);
    EXPECT_NEAR(D(r.form), D(hi - lo), 1e-9);
    EXPECT_NEAR(D(r.radius), 10, 0.01);
    // The worst-point angle was set by the search (an inclination, so within +-90 or 90/270).
    EXPECT_LE(std::fabs(D(st.WorstPointAngle)), 270.0);
}

// Points sampled exactly on a circle, full or a 30-degree arc, give that circle.
TEST(CircleFit, PropertyPointsOnACircleGiveThatCircle) {
    std::mt19937 rng(2026);
    std::uniform_real_distribution<double> radius(0.5, 500);
    std::uniform_real_distribution<double> centre(-1000, 1000);
    std::uniform_real_distribution<double> start(0, 360);
    std::uniform_int_distribution<int> count(3, 50);
    for (int trial = 0; trial < 120; ++trial) {
        const long double r = radius(rng);
        const long double cx = centre(rng);
        const long double cy = centre(rng);
        const bool full = trial % 2 == 0;
        const PointList l = Arc(cx, cy, r, start(rng), full ? 360 : 30, count(rng));
        GeometryState st;
        const CircleResult c = CircleFit(l, st);
        EXPECT_NEAR(D(c.cx), D(cx), 0.0005) << "trial " << trial << " r " << D(r) << (full ? " full" : " arc");
        EXPECT_NEAR(D(c.cy), D(cy), 0.0005) << "trial " << trial;
        EXPECT_NEAR(D(c.radius), D(r), 0.0005) << "trial " << trial;
    }
}

// The least-squares circle computed independently: Newton's method on the three unknowns of
// sum (d_i - r)^2, started from the true circle.
struct Ref {
    long double x, y, r;
};
Ref ReferenceCircle(const PointList& l, Ref start) {
    const int n = l.Count();
    Ref c = start;
    for (int it = 0; it < 100; ++it) {
        long double g[3] = {};
        long double h[3][3] = {};
        for (int i = 1; i <= n; ++i) {
            const long double dx = c.x - l.p[i].x;
            const long double dy = c.y - l.p[i].y;
            const long double d = std::hypot(dx, dy);
            const long double e = d - c.r;
            const long double ux = dx / d;
            const long double uy = dy / d;
            g[0] += e * ux;
            g[1] += e * uy;
            g[2] -= e;
            // Exact Hessian of 0.5 * sum e^2.
            h[0][0] += ux * ux + e * (1 - ux * ux) / d;
            h[1][1] += uy * uy + e * (1 - uy * uy) / d;
            h[0][1] += ux * uy - e * ux * uy / d;
            h[0][2] -= ux;
            h[1][2] -= uy;
            h[2][2] += 1;
        }
        h[1][0] = h[0][1];
        h[2][0] = h[0][2];
        h[2][1] = h[1][2];
        // Cramer's rule for the Newton step.
        const auto det3 = [](long double m[3][3]) {
            return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                   m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                   m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
        };
        const long double det = det3(h);
        long double step[3];
        for (int k = 0; k < 3; ++k) {
            long double m[3][3];
            for (int a = 0; a < 3; ++a) {
                for (int b = 0; b < 3; ++b) {
                    m[a][b] = b == k ? -g[a] : h[a][b];
                }
            }
            step[k] = det3(m) / det;
        }
        c.x += step[0];
        c.y += step[1];
        c.r += step[2];
    }
    return c;
}

// Many points close together on a partial arc: the mean of the triple circles starts far off
// and the fixed-step searches alone cannot recover; the result is the least-squares circle.
TEST(CircleFit, ManyPointsOnAPartialArcGiveTheLeastSquaresCircle) {
    struct Case {
        int n;
        long double span, r, noise;
    };
    const Case cases[] = {
        {50, 90, 0.5L, 0.001L}, {12, 30, 0.5L, 0.001L}, {25, 30, 10, 0.005L},
        {25, 10, 10, 0.0005L},  {50, 10, 500, 0.005L},
    };
    for (const auto& c : cases) {
        const long double cx = 12.3L;
        const long double cy = -45.6L;
        const PointList l = Arc(cx, cy, c.r, 20, c.span, c.n, c.noise, 7);
        const Ref ref = ReferenceCircle(l, {cx, cy, c.r});
        GeometryState st;
        const CircleResult fit = CircleFit(l, st);
        EXPECT_NEAR(D(fit.cx), D(ref.x), 0.001) << c.n << " points, " << D(c.span) << " deg, r " << D(c.r);
        EXPECT_NEAR(D(fit.cy), D(ref.y), 0.001) << c.n << " points, " << D(c.span) << " deg, r " << D(c.r);
        EXPECT_NEAR(D(fit.radius), D(ref.r), 0.001) << c.n << " points, " << D(c.span) << " deg, r " << D(c.r);
    }
}

TEST(LeastSquaresCircleCentre, NothingForCollinearOrTooFewPoints) {
    EXPECT_FALSE(LeastSquaresCircleCentre(List({{0, 0}, {1, 1}})).has_value());
    EXPECT_FALSE(LeastSquaresCircleCentre(List({{0, 0}, {1, 1}, {2, 2}, {3, 3}})).has_value());
    const auto c = LeastSquaresCircleCentre(List({{15, 20}, {10, 25}, {5, 20}}));
    ASSERT_TRUE(c.has_value());
    EXPECT_NEAR(D(c->x), 10, 1e-9);
    EXPECT_NEAR(D(c->y), 20, 1e-9);
}

TEST(StepPoint, MovesByHalfTheSharedStepLength) {
    GeometryState st;
    st.StepLength = 0.02L;
    Real x = 1;
    Real y = 1;
    StepPoint(x, y, -270, st);  // raised to 90
    EXPECT_NEAR(D(x), 1, 1e-12);
    EXPECT_NEAR(D(y), 1.01, 1e-12);
    const CircleResult r = RefineCircleCentre(List({{15, 20}, {10, 25}, {5, 20}}), 10, 20, st);
    EXPECT_EQ(st.StepLength.value(), Real(0.02L).value());  // restored after the pass
    EXPECT_EQ(r.radius.value(), 5.0L);
}

}  // namespace
}  // namespace tarvo
