// Geometric tolerances worked by hand: the working of each case is in its comment.
#include "geometry/geotolerance.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace tarvo {
namespace {

constexpr double kEps = 1e-9;

TEST(GeoTolerance, PositionWithMaterialCondition) {
    // Hole 10 +0.1/0, nominal 20/30, zone 0.05. Measured 10.06 at 20.03/29.98: the centre lies
    // sqrt(0.03² + 0.02²) = 0.0360555 off, Ø0.0721110. MMC size 10.000, bonus 10.06 - 10 = 0.06,
    // allowed 0.05 + 0.06 = 0.11: good. Without the modifier 0.0721 > 0.05: bad.
    const SizeLimits hole{10, 0.1, 0, true};
    auto j = JudgePosition(20, 30, 20.03, 29.98, 0.05, MaterialCondition::MMC, hole, 10.06);
    EXPECT_NEAR(j.deviation, 0.0721110255, kEps);
    EXPECT_NEAR(j.bonus, 0.06, kEps);
    EXPECT_NEAR(j.allowed, 0.11, kEps);
    EXPECT_LT(j.deviation, j.allowed);
    j = JudgePosition(20, 30, 20.03, 29.98, 0.05, MaterialCondition::RFS, hole, 10.06);
    EXPECT_EQ(j.bonus, 0);
    EXPECT_GT(j.deviation, j.allowed);

    // Shaft 20 0/-0.021 (h7): MMC size 20.000; actual 19.990 earns 20 - 19.99 = 0.010, zone 0.02
    // grows to 0.030. Off by 0.012/0.016 = 0.020, Ø0.040 > 0.030: bad even with the bonus.
    const SizeLimits shaft{20, 0, -0.021, false};
    j = JudgePosition(0, 0, 0.012, 0.016, 0.02, MaterialCondition::MMC, shaft, 19.990);
    EXPECT_NEAR(j.deviation, 0.040, kEps);
    EXPECT_NEAR(j.allowed, 0.030, kEps);
    EXPECT_TRUE(j.sizeWithin);
    // LMC: hole LMC size 10.1, actual 10.06 earns 10.1 - 10.06 = 0.04; shaft LMC size 19.979,
    // actual 19.990 earns 19.990 - 19.979 = 0.011.
    EXPECT_NEAR(MaterialBonus(MaterialCondition::LMC, hole, 10.06), 0.04, kEps);
    EXPECT_NEAR(MaterialBonus(MaterialCondition::LMC, shaft, 19.990), 0.011, kEps);
    // A hole of 9.99 is below its MMC size 10.0: no bonus (the size is bad); a hole of 10.15 is
    // beyond its LMC size: no more than the whole size tolerance 0.1.
    j = JudgePosition(0, 0, 0, 0, 0.05, MaterialCondition::MMC, hole, 9.99);
    EXPECT_EQ(j.bonus, 0);
    EXPECT_FALSE(j.sizeWithin);
    EXPECT_NEAR(MaterialBonus(MaterialCondition::MMC, hole, 10.15), 0.1, kEps);
    // RFS shaft off by 0.003/-0.004 = 0.005: Ø0.010, whatever its size.
    j = JudgePosition(0, 0, 0.003, -0.004, 0.01, MaterialCondition::RFS, shaft, 25);
    EXPECT_NEAR(j.deviation, 0.010, kEps);
    EXPECT_NEAR(j.allowed, 0.01, kEps);
}

TEST(GeoTolerance, FormAboutTheMinimumZone) {
    // Six points at 60° steps on radii 5.00 and 5.01 in turn: three on each circle alternating,
    // the minimum zone's condition, about the origin: roundness 0.010.
    std::vector<FitPoint> circle;
    for (int i = 0; i < 6; ++i) {
        const double r = i % 2 == 0 ? 5.0 : 5.01;
        const double a = i * std::numbers::pi / 3;
        circle.push_back({r * std::cos(a), r * std::sin(a)});
    }
    const FormDeviation round = Roundness(circle);
    ASSERT_TRUE(round.ok);
    EXPECT_NEAR(round.value, 0.010, kEps);

    // 0/0, 10/0.01, 20/-0.005, 30/0. Lower hull edge 0/0-20/-0.005 (slope -0.00025): 10/0.01 lies
    // 0.01 + 0.0025 = 0.0125 above it, 30/0 only 0.0075; the other hull edges leave 0.02, 0.025
    // and 0.015. The zone is 0.0125 wide vertically, 0.0125 / sqrt(1 + 0.00025²) across.
    const std::vector<FitPoint> line{{0, 0}, {10, 0.01}, {20, -0.005}, {30, 0}};
    const FormDeviation straight = Straightness(line);
    ASSERT_TRUE(straight.ok);
    EXPECT_NEAR(straight.value, 0.0125 / std::sqrt(1 + 0.00025 * 0.00025), kEps);
    EXPECT_LE(straight.value, Straightness(line, LineMethod::LSLI).value + kEps);

    EXPECT_FALSE(Roundness(std::vector<FitPoint>{{0, 0}, {1, 1}, {2, 2}}).ok);  // collinear: no circle
    EXPECT_FALSE(Straightness(std::vector<FitPoint>{{1, 1}}).ok);
}

TEST(GeoTolerance, OrientationToADatumLine) {
    const Direction alongX = DatumDirection(std::vector<FitPoint>{{0, 0}, {50, 0}});
    ASSERT_TRUE(alongX.ok);
    // Parallelism to X: the points' Y run 10.00 ... 10.03: 0.030.
    const std::vector<FitPoint> level{{0, 10.00}, {10, 10.02}, {20, 10.01}, {30, 10.03}};
    EXPECT_NEAR(OrientationDeviation(level, alongX, OrientationKind::Parallel).value, 0.030, kEps);
    // Perpendicularity to X: the zone runs along Y, the X run 9.995 ... 10.02: 0.025.
    const std::vector<FitPoint> upright{{10, 0}, {10.01, 10}, {9.995, 20}, {10.02, 30}};
    EXPECT_NEAR(OrientationDeviation(upright, alongX, OrientationKind::Perpendicular).value, 0.025, kEps);

    // Angularity 45°: points t along (c, s) and e across it, e = 0, +0.01, -0.01: 0.020. The same
    // points judged at 135° lie 10 and 20 along that line's normal apart: about 20, not hidden.
    const double c = std::cos(std::numbers::pi / 4);
    const double s = std::sin(std::numbers::pi / 4);
    std::vector<FitPoint> slant;
    for (const auto& [t, e] : std::vector<std::pair<double, double>>{{0, 0}, {10, 0.01}, {20, -0.01}}) {
        slant.push_back({5 + t * c - e * s, 2 + t * s + e * c});
    }
    EXPECT_NEAR(OrientationDeviation(slant, alongX, OrientationKind::Angular, 45).value, 0.020, kEps);
    EXPECT_NEAR(OrientationDeviation(slant, alongX, OrientationKind::Angular, 135).value, 20, 0.02);

    // A tilted datum 0/0-100/10, u = (100, 10)/|(100, 10)|, n = (-uy, ux); feature points
    // 0/5 + t u + e n with e = 0, 0.02, 0.005: parallelism 0.020 whatever the tilt.
    const Direction tilted = DatumDirection(std::vector<FitPoint>{{0, 0}, {100, 10}});
    const double len = std::hypot(100.0, 10.0);
    const double ux = 100 / len;
    const double uy = 10 / len;
    std::vector<FitPoint> feature;
    for (const auto& [t, e] : std::vector<std::pair<double, double>>{{0, 0}, {30, 0.02}, {60, 0.005}}) {
        feature.push_back({t * ux - e * uy, 5 + t * uy + e * ux});
    }
    EXPECT_NEAR(OrientationDeviation(feature, tilted, OrientationKind::Parallel).value, 0.020, kEps);

    // A datum of one point repeated is no line; a feature of one point has no width to judge.
    EXPECT_FALSE(DatumDirection(std::vector<FitPoint>{{1, 1}, {1, 1}}).ok);
    EXPECT_FALSE(OrientationDeviation(std::vector<FitPoint>{{1, 1}}, alongX, OrientationKind::Parallel).ok);
}

TEST(GeoTolerance, Concentricity) {
    // Datum 0/0, feature 0.01/0.02: 2 sqrt(0.0001 + 0.0004) = 2 * 0.0223607 = Ø0.0447214.
    EXPECT_NEAR(Concentricity(0, 0, 0.01, 0.02), 0.0447213595, kEps);
    // Datum 12.5/-3, feature 12.497/-2.996: off by 0.003/0.004 = 0.005, Ø0.010.
    EXPECT_NEAR(Concentricity(12.5, -3, 12.497, -2.996), 0.010, kEps);
}

}  // namespace
}  // namespace tarvo
