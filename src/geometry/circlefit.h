// Circle from captured points: the mean of the circles through consecutive point triples,
// improved by fixed-step searches of the centre, then checked against the least-squares circle.
#pragma once

#include <optional>

#include "base/real.h"
#include "geometry/geometrystate.h"
#include "geometry/pointlist.h"

namespace tarvo {

// A radius of exactly this value means "no circle".
inline constexpr long double kNoCircle = 99999.0L;

struct CircleResult {
    Real cx = 0.0L;
    Real cy = 0.0L;
    Real radius = kNoCircle;
    Real form = 0.0L;  // largest minus smallest point distance from the centre
};

// Circle through three points; kNoCircle (centre untouched) when two coincide, the points are
// collinear or the centre lies beyond 1e8.
[[nodiscard]] Real CircleFrom3Points(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3, Real& cx, Real& cy);

// Largest minus smallest distance of the points from (cx, cy); sets the worst-point angle
// (inclination from the centre to the point whose distance differs most from `radius`).
[[nodiscard]] Real RadialSpread(const PointList& list, Real cx, Real cy, Real radius, GeometryState& state);

// Moves (x, y) by half the shared step length in the direction `angle` (degrees).
void StepPoint(Real& x, Real& y, Real angle, const GeometryState& state);

// One pass of the direction search that lowers the scatter of the point distances about their
// mean; returns the improved centre with the mean distance and the distance range.
[[nodiscard]] CircleResult RefineCircleCentre(const PointList& list, Real cx, Real cy, GeometryState& state);

struct LsqCentre {
    long double x;
    long double y;
};
// Centre of the least-squares circle (lowest scatter of the point distances about their mean):
// Taubin's algebraic fit on the centred points as the start, then Levenberg-Marquardt to
// convergence. Nothing for fewer than 3 points, collinear points or no convergence.
[[nodiscard]] std::optional<LsqCentre> LeastSquaresCircleCentre(const PointList& list);

// The circle of the points as the searches find it: the mean of the triple circles, the walks
// along X and Y with the fixed step, one refinement pass. kNoCircle with centre (0, 0) when no
// triple defines a circle.
[[nodiscard]] CircleResult CircleFitBySearch(const PointList& list, GeometryState& state);

// The circle of the points: the searched circle, unless it is plainly wrong (its scatter more
// than four times that of the least-squares circle, which lies more than 0.0001 away); then the
// least-squares circle.
[[nodiscard]] CircleResult CircleFit(const PointList& list, GeometryState& state);

}  // namespace tarvo
