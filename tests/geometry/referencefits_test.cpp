// Properties of the reference circles and lines over seeded random sets.
#include "geometry/referencefits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace tarvo {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr CircleMethod kCircleMethods[] = {CircleMethod::LSCI, CircleMethod::MZCI, CircleMethod::MICI,
                                           CircleMethod::MCCI};
constexpr LineMethod kLineMethods[] = {LineMethod::LSLI, LineMethod::MZLI};

struct CircleCase {
    double cx, cy, r;
    std::vector<FitPoint> points;
};

// A measured circle: centre up to 1000 away, radius 0.1 .. 500, arc 20 .. 360 degrees,
// radial noise up to 1 % of the radius (and never above 0.05).
CircleCase RandomCircle(std::mt19937& rng, bool exact = false, double minSpan = 20) {
    std::uniform_real_distribution<double> u(0, 1);
    CircleCase c;
    c.cx = (u(rng) - 0.5) * 2000;
    c.cy = (u(rng) - 0.5) * 2000;
    c.r = 0.1 * std::pow(5000.0, u(rng));
    const double span = minSpan + (360 - minSpan) * u(rng);
    const double a0 = 360 * u(rng);
    const int n = 4 + static_cast<int>(u(rng) * 60);
    const double noise = exact ? 0 : std::min(0.05, 0.01 * c.r) * u(rng);
    std::normal_distribution<double> g(0, 1);
    for (int i = 0; i < n; ++i) {
        // Full circles spread their points round the whole circle.
        const double at = span >= 360 ? (i + 0.6 * u(rng)) / n : u(rng);
        const double a = (a0 + span * at) * kPi / 180;
        const double rr = c.r + noise * g(rng);
        c.points.push_back({c.cx + rr * std::cos(a), c.cy + rr * std::sin(a)});
    }
    return c;
}

std::vector<FitPoint> RandomLine(std::mt19937& rng, double& angle) {
    std::uniform_real_distribution<double> u(0, 1);
    const double ox = (u(rng) - 0.5) * 2000;
    const double oy = (u(rng) - 0.5) * 2000;
    angle = kPi * u(rng);
    const double len = 0.5 + 300 * u(rng);
    const double noise = 0.05 * u(rng) * u(rng);
    const int n = 3 + static_cast<int>(u(rng) * 80);
    std::normal_distribution<double> g(0, 1);
    std::vector<FitPoint> p;
    for (int i = 0; i < n; ++i) {
        const double t = len * (u(rng) - 0.5);
        const double o = noise * g(rng);
        p.push_back({ox + t * std::cos(angle) - o * std::sin(angle), oy + t * std::sin(angle) + o * std::cos(angle)});
    }
    return p;
}

double Distance(FitPoint p, double cx, double cy) { return std::hypot(p.x - cx, p.y - cy); }

// The objectives, evaluated directly at a given centre.
double Width(const std::vector<FitPoint>& p, double cx, double cy) {
    double lo = std::numeric_limits<double>::infinity();
    double hi = 0;
    for (const FitPoint& q : p) {
        lo = std::min(lo, Distance(q, cx, cy));
        hi = std::max(hi, Distance(q, cx, cy));
    }
    return hi - lo;
}

TEST(ReferenceFits, TranslationAndRotationLeaveTheElementInPlace) {
    std::mt19937 rng(31);
    std::uniform_real_distribution<double> u(0, 1);
    for (int k = 0; k < 60; ++k) {
        const CircleCase c = RandomCircle(rng);
        const double phi = 2 * kPi * u(rng);
        const double tx = (u(rng) - 0.5) * 400;
        const double ty = (u(rng) - 0.5) * 400;
        const auto move = [&](double x, double y) {
            return FitPoint{x * std::cos(phi) - y * std::sin(phi) + tx, x * std::sin(phi) + y * std::cos(phi) + ty};
        };
        std::vector<FitPoint> moved;
        for (const FitPoint& p : c.points) {
            moved.push_back(move(p.x, p.y));
        }
        const double tol = 1e-9 * (1 + c.r);
        for (const CircleMethod m : kCircleMethods) {
            const ReferenceCircle a = FitCircle(c.points, m);
            const ReferenceCircle b = FitCircle(moved, m);
            ASSERT_TRUE(a.ok && b.ok) << MethodName(m) << " set " << k;
            const FitPoint ac = move(a.cx, a.cy);
            EXPECT_NEAR(ac.x, b.cx, tol) << MethodName(m) << " set " << k;
            EXPECT_NEAR(ac.y, b.cy, tol) << MethodName(m) << " set " << k;
            EXPECT_NEAR(a.radius, b.radius, tol) << MethodName(m) << " set " << k;
            EXPECT_NEAR(a.roundness, b.roundness, tol) << MethodName(m) << " set " << k;
        }
    }
    for (int k = 0; k < 60; ++k) {
        double angle = 0;
        const std::vector<FitPoint> p = RandomLine(rng, angle);
        const double phi = 2 * kPi * u(rng);
        std::vector<FitPoint> moved;
        for (const FitPoint& q : p) {
            moved.push_back(
                {q.x * std::cos(phi) - q.y * std::sin(phi) + 50, q.x * std::sin(phi) + q.y * std::cos(phi) - 20});
        }
        for (const LineMethod m : kLineMethods) {
            const ReferenceLine a = FitLine(p, m);
            const ReferenceLine b = FitLine(moved, m);
            ASSERT_TRUE(a.ok && b.ok);
            EXPECT_NEAR(a.straightness, b.straightness, 1e-9) << MethodName(m) << " set " << k;
            // The moved line's direction is the turned one (up to sign), and it passes the moved point.
            const double ux = a.ux * std::cos(phi) - a.uy * std::sin(phi);
            const double uy = a.ux * std::sin(phi) + a.uy * std::cos(phi);
            EXPECT_NEAR(std::fabs(ux * b.uy - uy * b.ux), 0, 1e-11) << MethodName(m) << " set " << k;
            const double px = a.px * std::cos(phi) - a.py * std::sin(phi) + 50;
            const double py = a.px * std::sin(phi) + a.py * std::cos(phi) - 20;
            EXPECT_NEAR(-(px - b.px) * b.uy + (py - b.py) * b.ux, 0, 1e-9) << MethodName(m) << " set " << k;
        }
    }
}

TEST(ReferenceFits, ExactPointsGiveTheExactElement) {
    std::mt19937 rng(7);
    for (int k = 0; k < 120; ++k) {
        // Least squares and minimum zone on any arc; the inscribed and circumscribed circles only
        // on full circles (on a partial arc the circumscribed circle is smaller and the inscribed
        // circle's centre must stay in the points' hull).
        const bool full = k % 2 == 0;
        const CircleCase c = RandomCircle(rng, true, full ? 360 : 20);
        for (const CircleMethod m : kCircleMethods) {
            if (!full && (m == CircleMethod::MICI || m == CircleMethod::MCCI)) {
                continue;
            }
            const ReferenceCircle f = FitCircle(c.points, m);
            ASSERT_TRUE(f.ok);
            const double tol = 1e-9 * (1 + c.r);
            EXPECT_LE(f.roundness, tol) << MethodName(m) << " set " << k;
            EXPECT_NEAR(f.cx, c.cx, 10 * tol) << MethodName(m) << " set " << k;
            EXPECT_NEAR(f.cy, c.cy, 10 * tol) << MethodName(m) << " set " << k;
            EXPECT_NEAR(f.radius, c.r, 10 * tol) << MethodName(m) << " set " << k;
        }
    }
    for (int k = 0; k < 40; ++k) {
        std::uniform_real_distribution<double> u(0, 1);
        const double a = kPi * u(rng);
        std::vector<FitPoint> p;
        for (int i = 0; i < 5 + k; ++i) {
            const double t = 100 * u(rng) - 50;
            p.push_back({300 + t * std::cos(a), -800 + t * std::sin(a)});
        }
        for (const LineMethod m : kLineMethods) {
            const ReferenceLine f = FitLine(p, m);
            ASSERT_TRUE(f.ok);
            EXPECT_LE(f.straightness, 1e-10);
            EXPECT_NEAR(std::fabs(f.ux * std::sin(a) - f.uy * std::cos(a)), 0, 1e-12);
            EXPECT_NEAR(-(f.px - 300) * std::sin(a) + (f.py + 800) * std::cos(a), 0, 1e-9);
        }
    }
}

TEST(ReferenceFits, CircumscribedHoldsEveryPointAndInscribedNone) {
    std::mt19937 rng(12);
    for (int k = 0; k < 100; ++k) {
        const CircleCase c = RandomCircle(rng, false, 5);
        const ReferenceCircle mc = FitCircle(c.points, CircleMethod::MCCI);
        const ReferenceCircle mi = FitCircle(c.points, CircleMethod::MICI);
        ASSERT_TRUE(mc.ok && mi.ok);
        const double tol = 1e-10 * (1 + c.r + 1000);
        double nearest = std::numeric_limits<double>::infinity();
        double farthest = 0;
        for (const FitPoint& p : c.points) {
            EXPECT_LE(Distance(p, mc.cx, mc.cy), mc.radius + tol) << "set " << k;
            EXPECT_GE(Distance(p, mi.cx, mi.cy), mi.radius - tol) << "set " << k;
            nearest = std::min(nearest, Distance(p, mi.cx, mi.cy));
            farthest = std::max(farthest, Distance(p, mc.cx, mc.cy));
        }
        // Both touch the points, and no nearby centre does better.
        EXPECT_NEAR(nearest, mi.radius, tol);
        EXPECT_NEAR(farthest, mc.radius, tol);
        std::normal_distribution<double> g(0, 1e-4 * c.r);
        for (int t = 0; t < 40; ++t) {
            const double x = mc.cx + g(rng);
            const double y = mc.cy + g(rng);
            double far = 0;
            for (const FitPoint& p : c.points) {
                far = std::max(far, Distance(p, x, y));
            }
            EXPECT_GE(far, mc.radius - tol) << "set " << k;
        }
    }
}

TEST(ReferenceFits, MinimumZoneIsNeverWiderThanAnyOtherCentreGives) {
    std::mt19937 rng(99);
    for (int k = 0; k < 100; ++k) {
        const CircleCase c = RandomCircle(rng, false, 30);
        const ReferenceCircle mz = FitCircle(c.points, CircleMethod::MZCI);
        ASSERT_TRUE(mz.ok);
        const double tol = 1e-10 * (1 + c.r + 1000);
        EXPECT_NEAR(Width(c.points, mz.cx, mz.cy), mz.roundness, tol);
        for (const CircleMethod m : {CircleMethod::LSCI, CircleMethod::MICI, CircleMethod::MCCI}) {
            const ReferenceCircle o = FitCircle(c.points, m);
            ASSERT_TRUE(o.ok);
            EXPECT_LE(mz.roundness, o.roundness + tol) << MethodName(m) << " set " << k;
        }
        std::normal_distribution<double> g(0, 0.2 * mz.roundness + 1e-9);
        for (int t = 0; t < 40; ++t) {
            EXPECT_GE(Width(c.points, mz.cx + g(rng), mz.cy + g(rng)), mz.roundness - tol) << "set " << k;
        }
    }
}

TEST(ReferenceFits, MinimumZoneLineIsNeverWiderThanTheLeastSquaresRange) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> u(0, 1);
    for (int k = 0; k < 200; ++k) {
        double angle = 0;
        std::vector<FitPoint> p = RandomLine(rng, angle);
        if (k % 4 == 0) {
            p[p.size() / 2].x += 0.3;  // an outlier
        }
        const ReferenceLine ls = FitLine(p, LineMethod::LSLI);
        const ReferenceLine mz = FitLine(p, LineMethod::MZLI);
        ASSERT_TRUE(ls.ok && mz.ok);
        EXPECT_LE(mz.straightness, ls.straightness + 1e-12) << "set " << k;
        // No other direction gives a narrower slab.
        for (int t = 0; t < 20; ++t) {
            const double a = std::atan2(mz.uy, mz.ux) + (u(rng) - 0.5) * 1e-3;
            double lo = 1e300;
            double hi = -1e300;
            for (const FitPoint& q : p) {
                const double o = -q.x * std::sin(a) + q.y * std::cos(a);
                lo = std::min(lo, o);
                hi = std::max(hi, o);
            }
            EXPECT_GE(hi - lo, mz.straightness - 1e-9) << "set " << k;
        }
        // Every point lies in the zone about the reported middle line.
        for (const FitPoint& q : p) {
            EXPECT_LE(std::fabs(-(q.x - mz.px) * mz.uy + (q.y - mz.py) * mz.ux), mz.straightness / 2 + 1e-9);
        }
    }
}

TEST(ReferenceFits, BadInputGivesAReasonAndNoNumbers) {
    const std::vector<std::vector<FitPoint>> circles = {
        {},
        {{1, 2}, {3, 4}},
        {{1000, 5}, {1001, 6}, {1003, 8}, {1004.5, 9.5}},
        {{999.5, 12.25}, {999.5, 12.25}, {999.5, 12.25}, {999.5, 12.25}},
        {{0, 0}, {1, 0}, {0, std::numeric_limits<double>::quiet_NaN()}},
        {{0, 0}, {1, 0}, {0, std::numeric_limits<double>::infinity()}},
    };
    for (const auto& p : circles) {
        for (const CircleMethod m : kCircleMethods) {
            const ReferenceCircle f = FitCircle(p, m);
            EXPECT_FALSE(f.ok) << MethodName(m) << " " << p.size();
            EXPECT_FALSE(f.reason.empty());
            EXPECT_FALSE(std::isnan(f.cx) || std::isnan(f.cy) || std::isnan(f.radius) || std::isnan(f.roundness));
        }
    }
    const std::vector<std::vector<FitPoint>> lines = {{}, {{3, 4}}, {{3, 4}, {3, 4}, {3, 4}}};
    for (const auto& p : lines) {
        for (const LineMethod m : kLineMethods) {
            const ReferenceLine f = FitLine(p, m);
            EXPECT_FALSE(f.ok);
            EXPECT_FALSE(f.reason.empty());
        }
    }
    // Three points are enough for a circle; two distinct ones for a line (duplicates allowed).
    EXPECT_TRUE(FitCircle(std::vector<FitPoint>{{0, 0}, {2, 0}, {1, 1}}, CircleMethod::MZCI).ok);
    EXPECT_TRUE(FitLine(std::vector<FitPoint>{{0, 0}, {0, 0}, {2, 1}}, LineMethod::MZLI).ok);
}

TEST(ReferenceFits, MethodNamesReadBack) {
    CircleMethod c{};
    LineMethod l{};
    EXPECT_TRUE(ParseCircleMethod("mzci", c));
    EXPECT_EQ(c, CircleMethod::MZCI);
    EXPECT_TRUE(ParseLineMethod("LSLI", l));
    EXPECT_EQ(l, LineMethod::LSLI);
    EXPECT_FALSE(ParseCircleMethod("LSLI", c));
    EXPECT_FALSE(ParseLineMethod("SEARCH", l));
}

}  // namespace
}  // namespace tarvo
