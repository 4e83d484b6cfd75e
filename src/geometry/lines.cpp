#include "geometry/lines.h"

#include <cmath>
#include <utility>

#include "geometry/angles.h"

namespace tarvo {

namespace {
constexpr long double kTouchTolerance = 0.0001L;
constexpr long double kContactTolerance = 0.000001L;
constexpr long double kRotateRange = 4000.0L;
constexpr long double kSymmetryRetry = 1000.0L;
// A safety net for the angle walks of LineFit: far more steps than any line needs.
constexpr int kMaxWalkSteps = 200000;
}  // namespace

DistanceResult Distance2P(Real x1, Real y1, Real x2, Real y2) {
    DistanceResult r;
    r.distance = PointDistance(x1, y1, x2, y2);
    r.midX = x1 + (x2 - x1) * 0.5L;
    r.midY = y1 + (y2 - y1) * 0.5L;
    return r;
}

AxisDistanceResult AxisDistances(Real x1, Real y1, Real x2, Real y2) {
    return {Distance2P(x1, y1, x2, y2).distance, std::fabs(x2 - x1), std::fabs(y2 - y1)};
}

LineCoeff LineCoefficients(Real x1, Real y1, Real x2, Real y2) {
    LineCoeff c;
    c.m = x2 == x1 ? Real(kMarkerValue) : Real((y2 - y1) / (x2 - x1));
    c.b = y1 - c.m * x1;
    return c;
}

XY IntersectLineCoefficients(Real b1, Real m1, Real b2, Real m2) {
    if (m1 == m2) {
        return {kMarkerValue, kMarkerValue};
    }
    return {(b2 - b1) / (m1 - m2), (b2 * m1 - b1 * m2) / (m1 - m2)};
}

XY IntersectLines(const Line2P& a, const Line2P& b) {
    const LineCoeff ca = LineCoefficients(a.x1, a.y1, a.x2, a.y2);
    const LineCoeff cb = LineCoefficients(b.x1, b.y1, b.x2, b.y2);
    return IntersectLineCoefficients(ca.b, ca.m, cb.b, cb.m);
}

FootResult PointLineDistance(const Line2P& line, Real px, Real py) {
    const Real a1 = DirectionAngle(line.x1, line.y1, line.x2, line.y2);
    const Real a2 = DirectionAngle(line.x1, line.y1, px, py);
    const Real l = Distance2P(line.x1, line.y1, px, py).distance;
    const Real t = CosDeg(a2 - a1) * l;
    FootResult r;
    r.footX = line.x1 + CosDeg(a1) * t;
    r.footY = line.y1 + SinDeg(a1) * t;
    r.distance = Distance2P(px, py, r.footX, r.footY).distance;
    return r;
}

XY PolarOffset(Real x0, Real y0, Real angle, Real distance) {
    angle = FoldDown(angle, 360);
    return {x0 + CosDeg(angle) * distance, y0 + SinDeg(angle) * distance};
}

XY PolarOffsetWrapped(Real angle, Real x0, Real y0, Real distance) {
    angle = RaiseToPositive(angle, 360);
    return PolarOffset(x0, y0, angle, distance);
}

XY RotateAboutOrigin(Real w, Real x, Real y) {
    if (x > kRotateRange || x < -kRotateRange || y > kRotateRange || y < -kRotateRange || w == 0) {
        return {x, y};
    }
    const Real phi = DirectionAngle(0, 0, x, y);
    const Real rho = (x == 0 && y == 0) ? Real(0) : Real(std::sqrt(x * x + y * y));
    return {CosDeg(phi - w) * rho, SinDeg(phi - w) * rho};
}

namespace {

Real FoldTo180(Real a) { return FoldDown(a, 180); }

LineResult SymmetryOnce(const Line2P& a, const Line2P& b) {
    const XY i = IntersectLines(a, b);
    const Real da = FoldTo180(DirectionAngle(a.x1, a.y1, a.x2, a.y2));
    const Real db = FoldTo180(DirectionAngle(b.x1, b.y1, b.x2, b.y2));
    LineResult r;
    if (da == db) {
        r.angle = da;
        const FootResult fa = PointLineDistance(a, 0, 0);
        const FootResult fb = PointLineDistance(b, 0, 0);
        const DistanceResult mid = Distance2P(fa.footX, fa.footY, fb.footX, fb.footY);
        r.footX = mid.midX;
        r.footY = mid.midY;
        return r;
    }
    r.angle = da + (db - da) * 0.5L;
    const XY q = PolarOffset(i.x, i.y, r.angle, 10);
    const FootResult f = PointLineDistance({i.x, i.y, q.x, q.y}, 0, 0);
    r.footX = f.footX;
    r.footY = f.footY;
    return r;
}

}  // namespace

LineResult SymmetryLine(const Line2P& a, const Line2P& b) {
    const LineResult r = SymmetryOnce(a, b);
    if (std::fabs(r.footX) > kSymmetryRetry || std::fabs(r.footY) > kSymmetryRetry) {
        return SymmetryOnce({a.x2, a.y2, a.x1, a.y1}, b);
    }
    return r;
}

namespace {

// Sum of the squared distances of the points from the line through G at angle theta.
Real SquaredDistanceSum(const PointList& list, int n, Real gx, Real gy, Real theta) {
    const XY q = PolarOffset(gx, gy, theta, 10);
    long double sum = 0;
    for (int i = 1; i <= n; ++i) {
        const Real d = PointLineDistance({gx, gy, q.x, q.y}, list.p[i].x, list.p[i].y).distance;
        sum += d * d;
    }
    return sum;
}

// One refinement pass with `step`: walks while the sum does not grow, then steps back.
Real RefineAngle(const PointList& list, int n, Real gx, Real gy, Real angle, long double step) {
    const Real s0 = SquaredDistanceSum(list, n, gx, gy, angle);
    const Real sp = SquaredDistanceSum(list, n, gx, gy, angle + step);
    const Real sm = SquaredDistanceSum(list, n, gx, gy, angle - step);
    long double dir = 0;
    if (sp < s0) {
        dir = step;
    } else if (sm < s0) {
        dir = -step;
    } else {
        return angle;
    }
    Real best = s0;
    Real s = s0;
    int steps = 0;
    do {
        angle += dir;
        s = SquaredDistanceSum(list, n, gx, gy, angle);
        if (s < best) {
            best = s;
        }
    } while (s <= best && ++steps < kMaxWalkSteps);
    angle -= dir;
    return angle;
}

}  // namespace

LineResult LineFit(const PointList& list) {
    const int n = list.Count();
    LineResult r;
    // Fewer than two points, or all on one spot: no direction to fit. Angle 0, foot at the
    // points' mean (the origin for an empty list), no form deviation.
    bool coincide = true;
    for (int i = 2; i <= n; ++i) {
        coincide = coincide && list.p[i].x == list.p[1].x && list.p[i].y == list.p[1].y;
    }
    if (n < 2 || coincide) {
        if (n >= 1) {
            r.footX = list.p[1].x;
            r.footY = list.p[1].y;
        }
        return r;
    }
    Real sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    for (int i = 1; i <= n; ++i) {
        const XY& p = list.p[i];
        sx += p.x;
        sy += p.y;
        const Real xx = p.x * p.x;
        const Real yy = p.y * p.y;
        const Real xy = p.x * p.y;
        sxx += xx;
        syy += yy;
        sxy += xy;
    }
    const Real qxx = sxx - sx * sx / n;
    Real m = 0;
    Real b = 0;
    Real x0 = 0;
    bool vertical = false;
    bool horizontal = false;
    if (qxx == 0) {
        vertical = true;
        r.angle = 90;
        const Real qyy = syy - sy * sy / n;
        const Real k = qyy == 0 ? Real(0) : Real((sxy - sx * sy / n) / qyy);
        x0 = sx / n - k * sy / n;
    } else {
        m = (sxy - sx * sy / n) / qxx;
        r.angle = std::atan(m.value()) * 360 * 0.5L * (1 / kPi);
        if (r.angle < 0) {
            r.angle += 360;
        }
        b = sy / n - m * sx / n;
        if (m != 0) {
            x0 = -b / m;
        }
        horizontal = m == 0;
    }
    const bool throughOrigin = x0 == 0 && b == 0;
    if (throughOrigin) {
        r.footX = 0;
        r.footY = 0;
    } else if (horizontal) {
        r.footX = 0;
        r.footY = b;
    } else if (vertical) {
        r.footX = x0;
        r.footY = 0;
    } else {
        r.footX = x0 * b * b / (x0 * x0 + b * b);
        r.footY = r.footX * x0 / b;
    }
    if ((horizontal || vertical || throughOrigin) && n == 2) {
        // A line is reported in [0, 180] like every other fitted line.
        r.angle = FoldTo180(r.angle);
        return r;
    }
    if (!vertical) {
        const XY& first = list.p[1];
        const XY& last = list.p[n];
        const Line2P reg{first.x, m * first.x + b, last.x, m * last.x + b};
        Real form = 0;
        for (int i = 1; i <= n; ++i) {
            const Real d = PointLineDistance(reg, list.p[i].x, list.p[i].y).distance;
            if (d > form) {
                form = d;
            }
        }
        r.form = form;
    }
    const Real gx = sx / n;
    const Real gy = sy / n;
    Real angle = RefineAngle(list, n, gx, gy, r.angle, 1.0L);
    angle = RefineAngle(list, n, gx, gy, angle, 0.01L);
    r.angle = FoldTo180(angle);
    const XY q = PolarOffset(gx, gy, r.angle, 10);
    const FootResult f = PointLineDistance({gx, gy, q.x, q.y}, 0, 0);
    r.footX = f.footX;
    r.footY = f.footY;
    return r;
}

CircleLineResult IntersectCircleLine(Real cx, Real cy, Real r, const Line2P& line) {
    const FootResult f = PointLineDistance(line, cx, cy);
    CircleLineResult res;
    if (f.distance > r) {
        return res;
    }
    res.found = true;
    if (std::fabs(f.distance - r) < kTouchTolerance) {
        res.points = {f.footX, f.footY, f.footX, f.footY};
        return res;
    }
    Real h = r;
    if (f.distance != 0) {
        const Real alpha = ArcSinDeg(f.distance / r);
        h = f.distance / TanDeg(alpha);
    }
    const Real beta = DirectionAngle(line.x1, line.y1, line.x2, line.y2);
    res.points.x1 = f.footX + h * CosDeg(beta);
    res.points.y1 = f.footY + h * SinDeg(beta);
    res.points.x2 = f.footX + h * CosDeg(beta + 180);
    res.points.y2 = f.footY + h * SinDeg(beta + 180);
    return res;
}

TwoPoints IntersectCircles(Real c1x, Real c1y, Real c2x, Real c2y, Real r1, Real r2, GeometryState& state) {
    const TwoPoints none{kMarkerValue, kMarkerValue, kMarkerValue, kMarkerValue};
    if (r2 > r1) {
        std::swap(c1x, c2x);
        std::swap(c1y, c2y);
        std::swap(r1, r2);
    }
    const DistanceResult dist = Distance2P(c1x, c1y, c2x, c2y);
    state.ElementPosX = dist.midX;
    state.ElementPosY = dist.midY;
    const Real d = dist.distance;
    if (d - (r1 + r2) > kContactTolerance) {
        return none;
    }
    if (std::fabs(d - (r1 + r2)) <= kContactTolerance) {
        // Outer contact; two circles of radius 0 on one spot touch there.
        const long double f = (r1 + r2) == 0 ? 0.0L : r1 / (r1 + r2);
        const Real tx = c1x + (c2x - c1x) * f;
        const Real ty = c1y + (c2y - c1y) * f;
        return {tx, ty, tx, ty};
    }
    if (std::fabs(r1 - (d + r2)) <= kContactTolerance) {
        if (d == 0) {
            return none;
        }
        const Real tx = c1x + (c2x - c1x) * r1 / d;
        const Real ty = c1y + (c2y - c1y) * r1 / d;
        return {tx, ty, tx, ty};
    }
    if (d < r1 && d + r2 < r1) {
        return none;
    }
    if (d == 0) {
        return none;
    }
    const Real a = (d * d + r2 * r2 - r1 * r1) / (2 * d);
    const long double hh = r2 * r2 - a * a;
    const Real h = hh > 0 ? std::sqrt(hh) : 0.0L;  // rounding may leave a hair below zero
    const Real beta = DirectionAngle(c1x, c1y, c2x, c2y);
    const XY mid = PolarOffsetWrapped(beta, c1x, c1y, d - a);
    const XY p1 = PolarOffsetWrapped(beta + 90, mid.x, mid.y, h);
    const XY p2 = PolarOffsetWrapped(beta - 90, mid.x, mid.y, h);
    return {p1.x, p1.y, p2.x, p2.y};
}

}  // namespace tarvo
