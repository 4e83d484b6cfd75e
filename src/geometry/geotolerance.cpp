#include "geometry/geotolerance.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarvo {

double MaterialBonus(MaterialCondition mc, const SizeLimits& size, double actualSize) {
    double bonus = 0;
    switch (mc) {
        case MaterialCondition::MMC:
            bonus = size.hole ? actualSize - size.MaximumMaterial() : size.MaximumMaterial() - actualSize;
            break;
        case MaterialCondition::LMC:
            bonus = size.hole ? size.LeastMaterial() - actualSize : actualSize - size.LeastMaterial();
            break;
        case MaterialCondition::RFS:
            return 0;
    }
    return std::clamp(bonus, 0.0, std::max(size.upper - size.lower, 0.0));
}

PositionJudgement JudgePosition(double nominalX, double nominalY, double actualX, double actualY, double zone,
                                MaterialCondition mc, const SizeLimits& size, double actualSize) {
    PositionJudgement j;
    j.deviation = 2 * std::hypot(actualX - nominalX, actualY - nominalY);
    j.bonus = MaterialBonus(mc, size, actualSize);
    j.allowed = zone + j.bonus;
    const double d = actualSize - size.nominal;
    j.sizeWithin = d >= size.lower && d <= size.upper;
    return j;
}

FormDeviation Roundness(std::span<const FitPoint> points, CircleMethod method) {
    const ReferenceCircle c = FitCircle(points, method);
    if (!c.ok) {
        return {false, c.reason, 0};
    }
    return {true, {}, c.roundness};
}

FormDeviation Straightness(std::span<const FitPoint> points, LineMethod method) {
    const ReferenceLine l = FitLine(points, method);
    if (!l.ok) {
        return {false, l.reason, 0};
    }
    return {true, {}, l.straightness};
}

Direction DatumDirection(std::span<const FitPoint> points) {
    const ReferenceLine l = FitLine(points, LineMethod::MZLI);
    if (!l.ok) {
        return {false, l.reason, 1, 0};
    }
    return {true, {}, l.ux, l.uy};
}

FormDeviation OrientationDeviation(std::span<const FitPoint> feature, const Direction& datum, OrientationKind kind,
                                   double angleDegrees) {
    if (!datum.ok) {
        return {false, datum.reason, 0};
    }
    if (feature.size() < 2) {
        return {false, "zu wenige Punkte", 0};
    }
    const double turn = kind == OrientationKind::Parallel        ? 0.0
                        : kind == OrientationKind::Perpendicular ? 90.0
                                                                 : angleDegrees;
    const double a = turn * std::numbers::pi / 180.0;
    const double dx = datum.ux * std::cos(a) - datum.uy * std::sin(a);
    const double dy = datum.ux * std::sin(a) + datum.uy * std::cos(a);
    // Signed distances from the line through the first point, so large coordinates cancel first.
    double low = 0;
    double high = 0;
    for (const FitPoint& p : feature) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
            return {false, "Koordinate ist keine Zahl", 0};
        }
        const double d = dx * (p.y - feature[0].y) - dy * (p.x - feature[0].x);
        low = std::min(low, d);
        high = std::max(high, d);
    }
    return {true, {}, high - low};
}

double Concentricity(double datumX, double datumY, double featureX, double featureY) {
    return 2 * std::hypot(featureX - datumX, featureY - datumY);
}

}  // namespace tarvo
