// Geometric tolerances judged in the plane: position of a centre with a diameter zone and its
// material-condition modifier, roundness and straightness, orientation of a line to a datum
// line (parallelism, perpendicularity, angularity) and concentricity of two centres. Pure
// computations on plain doubles; the reference elements come from `referencefits`.
#pragma once

#include <span>
#include <string>

#include "geometry/referencefits.h"

namespace tarvo {

// RFS: regardless of feature size; MMC and LMC: the zone grows by how far the actual size has
// left the maximum- or least-material size.
enum class MaterialCondition { RFS = 0, MMC = 1, LMC = 2 };

// The size of a circle feature: nominal and the signed limits, and whether it is a hole
// (internal: the maximum-material size is the lower limit) or a shaft (the upper limit).
struct SizeLimits {
    double nominal = 0;
    double upper = 0;
    double lower = 0;
    bool hole = true;
    [[nodiscard]] double MaximumMaterial() const { return nominal + (hole ? lower : upper); }
    [[nodiscard]] double LeastMaterial() const { return nominal + (hole ? upper : lower); }
};

struct PositionJudgement {
    double deviation = 0;    // twice the distance of the centre from its nominal position
    double bonus = 0;        // what the material condition adds to the zone
    double allowed = 0;      // zone + bonus
    bool sizeWithin = true;  // the actual size lies within its limits
};

// The bonus: MMC, hole actual - MMC size, shaft MMC size - actual; LMC, hole LMC size - actual,
// shaft actual - LMC size; RFS none. It is never below 0 (a size beyond its material limit earns
// nothing) nor above the size tolerance (a size beyond the other limit earns no more than the
// whole tolerance); the size itself is judged by its own comparison.
[[nodiscard]] double MaterialBonus(MaterialCondition mc, const SizeLimits& size, double actualSize);
[[nodiscard]] PositionJudgement JudgePosition(double nominalX, double nominalY, double actualX, double actualY,
                                              double zone, MaterialCondition mc, const SizeLimits& size,
                                              double actualSize);

struct FormDeviation {
    bool ok = false;
    std::string reason;  // why there is none (ok = false)
    double value = 0;
};

// Roundness and straightness about the chosen reference element (MZCI and MZLI by default, as
// ISO 12181 and ISO 12780 define them).
[[nodiscard]] FormDeviation Roundness(std::span<const FitPoint> points, CircleMethod method = CircleMethod::MZCI);
[[nodiscard]] FormDeviation Straightness(std::span<const FitPoint> points, LineMethod method = LineMethod::MZLI);

enum class OrientationKind { Parallel = 0, Perpendicular = 1, Angular = 2 };

// The direction of a datum line from its points: the minimum-zone line (ISO 5459's default
// associated line), pointing to +X (or +Y when upright). ok = false for points that are no line.
struct Direction {
    bool ok = false;
    std::string reason;
    double ux = 1;
    double uy = 0;
};
[[nodiscard]] Direction DatumDirection(std::span<const FitPoint> points);

// The zone's direction: the datum turned by 0 (parallel), 90 (perpendicular) or the nominal
// angle in degrees, counter-clockwise from the datum's direction (angularity). The deviation is
// the width of the feature's points across that direction: the largest minus the smallest
// signed distance from a line in that direction.
[[nodiscard]] FormDeviation OrientationDeviation(std::span<const FitPoint> feature, const Direction& datum,
                                                 OrientationKind kind, double angleDegrees = 0);

// Concentricity in the plane: the diameter of the zone about the datum centre that just holds
// the feature's centre (twice their distance).
[[nodiscard]] double Concentricity(double datumX, double datumY, double featureX, double featureY);

}  // namespace tarvo
