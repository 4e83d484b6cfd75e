// Plane geometry of the measuring functions: distances, lines, perpendiculars, rotation of a
// position, the mid line of two lines, the best-fit line, and circle intersections. Never fails:
// degenerate input gives the marker `kMarkerValue` (or "no" for a circle and a line apart).
#pragma once

#include <cmath>

#include "base/real.h"
#include "geometry/geometrystate.h"
#include "geometry/pointlist.h"

namespace tarvo {

struct Line2P {
    Real x1, y1, x2, y2;
};

struct DistanceResult {
    Real distance;
    Real midX, midY;
};
struct AxisDistanceResult {
    Real distance;
    Real dx, dy;  // abs(x2 - x1), abs(y2 - y1)
};
struct LineCoeff {
    Real b;  // intercept
    Real m;  // slope (kMarkerValue when vertical)
};
struct FootResult {
    Real distance;  // not negative
    Real footX, footY;
};
struct LineResult {
    Real footX, footY;  // the line's point nearest the origin
    Real angle;         // degrees
    Real form = 0.0L;   // form deviation (LineFit only)
};
struct TwoPoints {
    Real x1, y1, x2, y2;
};
struct CircleLineResult {
    bool found = false;
    TwoPoints points;
};

// The distance of Distance2P alone (0 for equal points), for the fits' inner loops.
[[nodiscard]] inline Real PointDistance(Real x1, Real y1, Real x2, Real y2) {
    if (x1 == x2 && y1 == y2) {
        return 0.0L;
    }
    const long double dx = x2 - x1;
    const long double dy = y2 - y1;
    return std::sqrt(dx * dx + dy * dy);
}
[[nodiscard]] DistanceResult Distance2P(Real x1, Real y1, Real x2, Real y2);
[[nodiscard]] AxisDistanceResult AxisDistances(Real x1, Real y1, Real x2, Real y2);
[[nodiscard]] LineCoeff LineCoefficients(Real x1, Real y1, Real x2, Real y2);
// Both coordinates kMarkerValue when m1 = m2.
[[nodiscard]] XY IntersectLineCoefficients(Real b1, Real m1, Real b2, Real m2);
[[nodiscard]] XY IntersectLines(const Line2P& a, const Line2P& b);
// Distance of (px, py) from the line and the foot of the perpendicular. Coinciding line points
// make a line parallel to X.
[[nodiscard]] FootResult PointLineDistance(const Line2P& line, Real px, Real py);
[[nodiscard]] XY PolarOffset(Real x0, Real y0, Real angle, Real distance);
[[nodiscard]] XY PolarOffsetWrapped(Real angle, Real x0, Real y0, Real distance);
// Turns a position by -W about the origin; unchanged beyond +-4000 or for W = 0.
[[nodiscard]] XY RotateAboutOrigin(Real w, Real x, Real y);
[[nodiscard]] LineResult SymmetryLine(const Line2P& a, const Line2P& b);
// Best-fit line: regression, foot point, form deviation, angle refinement about the centroid.
[[nodiscard]] LineResult LineFit(const PointList& list);
[[nodiscard]] CircleLineResult IntersectCircleLine(Real cx, Real cy, Real r, const Line2P& line);
// All four coordinates kMarkerValue when the circles do not meet. Writes the midpoint of the
// two centres into the shared element position.
[[nodiscard]] TwoPoints IntersectCircles(Real c1x, Real c1y, Real c2x, Real c2y, Real r1, Real r2,
                                         GeometryState& state);

}  // namespace tarvo
