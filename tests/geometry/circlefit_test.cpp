#include "geometry/circlefit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "base/errors.h"
#include "geometry/angles.h"
#include "geometry/lines.h"
#include "support/pointlists.h"

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
    EXPECT_EQ(cx.value(), 7.0L);                                                // untouched
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

// The searches of the circle fit written out once more, step by step as the system defines
// them, independently of the production code (only the three-point circle, the distance and the
// angle helpers are shared). The fit must give these values to the last bit.
struct Searched {
    Real cx, cy, radius, form, worst;
};

// One refinement pass: 180 directions, the earlier one kept on a tie, a coarse and a fine walk
// in the chosen direction; the radius is the mean distance, the form the distance range.
Searched RefineAsDefined(const PointList& list, Real cx, Real cy) {
    const int n = list.Count();
    const auto q = [&](Real x, Real y) {
        Real d[kMaxListPoints + 1];
        long double sum = 0;
        for (int i = 1; i <= n; ++i) {
            d[i] = Distance2P(x, y, list.p[i].x, list.p[i].y).distance;
            sum += d[i];
        }
        const Real mean = sum / n;
        double s = 0;
        for (int i = 1; i <= n; ++i) {
            if (d[i] != 0) {
                s += static_cast<double>((d[i] - mean) * (d[i] - mean));
            }
        }
        return s;
    };
    const auto step = [](Real& x, Real& y, long double angle, long double length) {
        x = x + (length * 0.5L) * CosDeg(angle);
        y = y + (length * 0.5L) * SinDeg(angle);
    };
    double best = q(cx, cy);
    double bestDirection = best;
    long double direction = -1;
    for (int i = 1; i <= 180; ++i) {
        const long double angle = 2.0L * (i - 1);
        Real tx = cx, ty = cy;
        step(tx, ty, angle, 0.02L);
        const double s = q(tx, ty);
        if (s < bestDirection) {
            bestDirection = s;
            direction = angle;
        }
    }
    if (direction != -1) {
        for (const long double length : {0.02L, 0.0002L}) {
            best = q(cx, cy);
            for (;;) {
                Real tx = cx, ty = cy;
                step(tx, ty, direction, length);
                const double s = q(tx, ty);
                if (!(s < best)) {
                    break;
                }
                best = s;
                cx = tx;
                cy = ty;
            }
        }
    }
    double sum = 0, lo = 1000000, hi = -1000000;
    for (int i = 1; i <= n; ++i) {
        const auto d = static_cast<double>(Distance2P(cx, cy, list.p[i].x, list.p[i].y).distance.value());
        sum += d;
        lo = d < lo ? d : lo;
        hi = d > hi ? d : hi;
    }
    return {cx, cy, Real(sum / n), Real(hi - lo), Real(0)};
}

Searched SearchAsDefined(const PointList& list) {
    const int n = list.Count();
    Real worstAngle = 0;
    const auto spread = [&](Real cx, Real cy, Real r) {
        Real lo = 1000000;
        Real hi = -1000000;
        Real worst = -1000000;
        int wp = 0;
        for (int i = 1; i <= n; ++i) {
            const Real d = Distance2P(cx, cy, list.p[i].x, list.p[i].y).distance;
            lo = d < lo ? d : lo;
            hi = d > hi ? d : hi;
            if (std::fabs(d - r) > worst) {
                worst = std::fabs(d - r);
                wp = i;
            }
        }
        worstAngle = InclinationAngle(cx, cy, list.p[wp].x, list.p[wp].y);
        return Real(hi - lo);
    };
    long double sx = 0, sy = 0, sr = 0;
    int m = 0;
    for (int k = 1; k <= n; ++k) {
        const int b = k + 1 > n ? k + 1 - n : k + 1;
        const int c = k + 2 > n ? k + 2 - n : k + 2;
        Real tx = 0, ty = 0;
        const Real r =
            CircleFrom3Points(list.p[k].x, list.p[k].y, list.p[b].x, list.p[b].y, list.p[c].x, list.p[c].y, tx, ty);
        if (r != Real(kNoCircle)) {
            sx += tx;
            sy += ty;
            sr += r;
            ++m;
        }
    }
    Real cx = sx / m;
    Real cy = sy / m;
    const Real R = sr / m;
    // The walks along X, then Y: the minus side wins when both neighbours improve, the walk ends
    // on the first worse step or after 10000 steps, and the last step is taken back.
    for (int axis = 0; axis < 2; ++axis) {
        Real& c = axis == 0 ? cx : cy;
        Real F = spread(cx, cy, R);
        const Real keep = c;
        c = keep + 0.002L;
        const Real a = spread(cx, cy, R);
        c = keep - 0.002L;
        const Real b = spread(cx, cy, R);
        c = keep;
        if (!(a < F) && !(b < F)) {
            continue;
        }
        const long double d = b < F ? -0.002L : 0.002L;
        int count = 0;
        for (;;) {
            c = c + d;
            const Real f = spread(cx, cy, R);
            const bool ends = f > F;
            F = f;
            ++count;
            if (ends || count > 10000) {
                break;
            }
        }
        c = c - d;
    }
    Searched out = RefineAsDefined(list, cx, cy);
    out.worst = worstAngle;
    return out;
}

void ExpectSame(const CircleResult& fit, const Searched& want, const std::string& what) {
    EXPECT_EQ(fit.cx.value(), want.cx.value()) << what;
    EXPECT_EQ(fit.cy.value(), want.cy.value()) << what;
    EXPECT_EQ(fit.radius.value(), want.radius.value()) << what;
    EXPECT_EQ(fit.form.value(), want.form.value()) << what;
}

// The search is the system's: walks, cap, the step taken back and the direction ties, pinned on
// full circles, partial arcs whose start lies far off (the walks run into the cap) and lists of
// three to six points where both neighbours improve.
TEST(CircleFitBySearch, FollowsTheDefinedSearchToTheLastBit) {
    std::mt19937 rng(3202);
    std::uniform_real_distribution<double> unit(0, 1);
    int trials = 0;
    for (int t = 0; t < 60; ++t) {
        const int n = 3 + t % 6;
        const long double span = t % 3 == 0 ? 360 : 40 + 100 * unit(rng);
        const PointList l = Arc(100 * unit(rng), -50 * unit(rng), 1 + 40 * unit(rng), 360 * unit(rng), span, n,
                                0.01L * unit(rng), static_cast<unsigned>(t));
        GeometryState st;
        const CircleResult fit = CircleFitBySearch(l, st);
        const Searched want = SearchAsDefined(l);
        ExpectSame(fit, want, "trial " + std::to_string(t));
        EXPECT_EQ(st.WorstPointAngle.value(), want.worst.value()) << "trial " << t;
        ++trials;
    }
    for (const auto& c :
         {std::tuple{50, 90.0L, 0.5L, 0.001L}, {25, 30.0L, 10.0L, 0.005L}, {50, 10.0L, 500.0L, 0.005L}}) {
        const PointList l = Arc(12.3L, -45.6L, std::get<2>(c), 20, std::get<1>(c), std::get<0>(c), std::get<3>(c), 7);
        GeometryState st;
        ExpectSame(CircleFitBySearch(l, st), SearchAsDefined(l), "partial arc");
        ++trials;
    }
    // Lists whose start improves on both sides along X: the minus side wins.
    const std::vector<std::vector<std::pair<long double, long double>>> bothSides = {
        {{-6.79L, -9.57L}, {5.76L, -7.63L}, {4.67L, 1.19L}, {-8.02L, 6.03L}},
        {{-7.13L, 5.01L}, {-5.70L, -7.69L}, {-1.95L, -5.83L}, {9.28L, -2.18L}, {1.29L, 4.44L}},
        {{-1.15L, 5.22L}, {-5.44L, 1.29L}, {-7.21L, 8.39L}, {1.30L, -3.78L}}};
    for (const auto& points : bothSides) {
        PointList l;
        for (const auto& [x, y] : points) {
            l.Add(x, y);
        }
        GeometryState st;
        ExpectSame(CircleFitBySearch(l, st), SearchAsDefined(l), "both sides improve");
        ++trials;
    }
    EXPECT_EQ(trials, 66);
}

// The noisy five points of the mean-distance test: the centre is the searched one, to the bit.
TEST(CircleFit, NoisyPointsGiveTheSearchedCentre) {
    const PointList l = List({{10.01L, 0}, {0, 9.99L}, {-10, 0.003L}, {0.002L, -10.004L}, {7.07L, 7.08L}});
    GeometryState st;
    ExpectSame(CircleFit(l, st), SearchAsDefined(l), "five noisy points");
}

// Points on one vertical line with the centre on it: the directions 0 and 180 degrees lower the
// scatter equally, and the earlier one is kept.
TEST(RefineCircleCentre, KeepsTheEarlierOfTwoEqualDirections) {
    const std::vector<std::pair<long double, std::vector<long double>>> cases = {
        {-0.268L, {1.31L, 0.92L}}, {0.166L, {-0.24L, -3.18L, -3.40L}}, {0.154L, {-0.93L, -0.54L, -0.71L, -4.18L}}};
    for (const auto& [cy, ys] : cases) {
        PointList l;
        for (const long double y : ys) {
            l.Add(0, y);
        }
        GeometryState st;
        const CircleResult fit = RefineCircleCentre(l, 0, cy, st);
        ExpectSame(fit, RefineAsDefined(l, 0, cy), "tie");
        EXPECT_GT(fit.cx.value(), 0.0L);  // moved along 0 degrees, not 180
    }
}

// On noisy full circles the search is within the noise: the fit keeps the searched circle to the
// last bit, in every one of 120 cases of 3 to 50 points with 1 to 10 micrometres of noise.
TEST(CircleFit, NoisyFullCirclesKeepTheSearchedResult) {
    std::mt19937 rng(1212);
    std::uniform_int_distribution<int> count(3, 50);
    std::uniform_real_distribution<double> noise(0.001, 0.010);
    std::uniform_real_distribution<double> radius(1, 60);
    std::uniform_real_distribution<double> place(-200, 200);
    for (int t = 0; t < 120; ++t) {
        const PointList l = Arc(place(rng), place(rng), radius(rng), 360 * noise(rng) * 100, 360, count(rng),
                                noise(rng), static_cast<unsigned>(1000 + t));
        GeometryState a;
        GeometryState b;
        const CircleResult fit = CircleFit(l, a);
        const CircleResult searched = CircleFitBySearch(l, b);
        EXPECT_EQ(fit.cx.value(), searched.cx.value()) << "case " << t;
        EXPECT_EQ(fit.cy.value(), searched.cy.value()) << "case " << t;
        EXPECT_EQ(fit.radius.value(), searched.radius.value()) << "case " << t;
        EXPECT_EQ(fit.form.value(), searched.form.value()) << "case " << t;
    }
}

}  // namespace
}  // namespace tarvo
