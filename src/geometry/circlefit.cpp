#include "geometry/circlefit.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "geometry/angles.h"
#include "geometry/lines.h"

namespace tarvo {

namespace {
constexpr long double kCentreStep = 0.002L;
constexpr int kCentreStepCap = 10000;
constexpr long double kDirectionStep = 2.0L;
constexpr long double kCoarseStepLength = 0.02L;
constexpr long double kFineStepLength = 0.0002L;
constexpr long double kCentreLimit = 100000000.0L;
constexpr long double kSteepBisector = 999999999.0L;
// How much larger the searched centre's scatter must be before the least-squares centre is taken.
constexpr double kTakeOverRatio = 4.0;
}  // namespace

Real CircleFrom3Points(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3, Real& cx, Real& cy) {
    if ((x1 == x2 && y1 == y2) || (x1 == x3 && y1 == y3) || (x2 == x3 && y2 == y3)) {
        return kNoCircle;
    }
    const LineCoeff c1 = LineCoefficients(x1, y1, x2, y2);
    const LineCoeff c2 = LineCoefficients(x2, y2, x3, y3);
    const Real m1x = x1 + (x2 - x1) * 0.5L;
    const Real m1y = y1 + (y2 - y1) * 0.5L;
    const Real p1 = c1.m != 0 ? Real(1 / -c1.m) : Real(kSteepBisector);
    const Real q1 = m1y - p1 * m1x;
    const Real m2x = x2 + (x3 - x2) * 0.5L;
    const Real m2y = y2 + (y3 - y2) * 0.5L;
    const Real p2 = c2.m != 0 ? Real(1 / -c2.m) : Real(kSteepBisector);
    const Real q2 = m2y - p2 * m2x;
    if (p1 == p2) {
        return kNoCircle;
    }
    const XY c = IntersectLineCoefficients(q1, p1, q2, p2);
    cx = c.x;
    cy = c.y;
    if (-kCentreLimit < cx && cx < kCentreLimit && -kCentreLimit < cy && cy < kCentreLimit) {
        return Distance2P(cx, cy, x1, y1).distance;
    }
    return kNoCircle;
}

Real RadialSpread(const PointList& list, Real cx, Real cy, Real radius, GeometryState& state) {
    const int n = list.Count();
    Real lo = 1000000;
    Real hi = -1000000;
    Real worst = -1000000;
    int worstPoint = 0;
    for (int i = 1; i <= n; ++i) {
        const Real d = PointDistance(cx, cy, list.p[i].x, list.p[i].y);
        if (d < lo) {
            lo = d;
        }
        if (d > hi) {
            hi = d;
        }
        if (std::fabs(d - radius) > worst) {
            worst = std::fabs(d - radius);
            worstPoint = i;
        }
    }
    if (worstPoint > 0) {
        state.WorstPointAngle = InclinationAngle(cx, cy, list.p[worstPoint].x, list.p[worstPoint].y);
    }
    return hi - lo;
}

void StepPoint(Real& x, Real& y, Real angle, const GeometryState& state) {
    angle = RaiseToPositive(angle, 360);
    x = x + (state.StepLength * 0.5L) * CosDeg(angle);
    y = y + (state.StepLength * 0.5L) * SinDeg(angle);
}

namespace {

// The objective of the refinement: scatter of the point distances about their mean.
double DistanceScatter(const PointList& list, int n, Real x, Real y) {
    std::array<Real, kMaxListPoints + 1> dist;
    long double sum = 0;
    for (int i = 1; i <= n; ++i) {
        dist[i] = PointDistance(x, y, list.p[i].x, list.p[i].y);
        sum += dist[i];
    }
    const Real mean = sum / n;
    double q = 0;
    for (int i = 1; i <= n; ++i) {
        const Real d = dist[i];
        if (d != 0) {
            q += static_cast<double>((d - mean) * (d - mean));
        }
    }
    return q;
}

// Walks from (cx, cy) along `direction` while each step lowers `best`. The step is the one of
// StepPoint, worked out once for the walk's fixed direction.
void Walk(const PointList& list, int n, Real& cx, Real& cy, Real direction, double& best, const GeometryState& state) {
    const Real angle = RaiseToPositive(direction, 360);
    const long double dx = (state.StepLength * 0.5L) * CosDeg(angle);
    const long double dy = (state.StepLength * 0.5L) * SinDeg(angle);
    for (;;) {
        const Real tx = cx + dx;
        const Real ty = cy + dy;
        const double s = DistanceScatter(list, n, tx, ty);
        if (!(s < best)) {
            return;
        }
        best = s;
        cx = tx;
        cy = ty;
    }
}

// Centre search along one axis (`axis` 0 = X, 1 = Y) with the fixed step; returns the spread.
Real AxisSearch(const PointList& list, Real& cx, Real& cy, Real radius, int axis, GeometryState& state) {
    Real& c = axis == 0 ? cx : cy;
    Real f = RadialSpread(list, cx, cy, radius, state);
    const Real a = axis == 0 ? RadialSpread(list, cx + kCentreStep, cy, radius, state)
                             : RadialSpread(list, cx, cy + kCentreStep, radius, state);
    const Real b = axis == 0 ? RadialSpread(list, cx - kCentreStep, cy, radius, state)
                             : RadialSpread(list, cx, cy - kCentreStep, radius, state);
    if (!(a < f) && !(b < f)) {
        return f;
    }
    const long double d = b < f ? -kCentreStep : kCentreStep;
    int count = 0;
    bool worse = false;
    do {
        c = c + d;
        const Real g = RadialSpread(list, cx, cy, radius, state);
        worse = g > f;
        f = g;
        ++count;
    } while (!worse && count <= kCentreStepCap);
    c = c - d;
    return f;
}

// Gauss elimination with partial pivoting of a 3x3 system given as [A | b].
bool Solve3(long double m[3][4], long double out[3]) {
    for (int c = 0; c < 3; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 3; ++r) {
            if (std::fabs(m[r][c]) > std::fabs(m[pivot][c])) {
                pivot = r;
            }
        }
        if (m[pivot][c] == 0) {
            return false;
        }
        for (int k = 0; k < 4; ++k) {
            std::swap(m[c][k], m[pivot][k]);
        }
        for (int r = c + 1; r < 3; ++r) {
            const long double f = m[r][c] / m[c][c];
            for (int k = c; k < 4; ++k) {
                m[r][k] -= f * m[c][k];
            }
        }
    }
    for (int r = 2; r >= 0; --r) {
        long double v = m[r][3];
        for (int k = r + 1; k < 3; ++k) {
            v -= m[r][k] * out[k];
        }
        out[r] = v / m[r][r];
    }
    return std::isfinite(out[0]) && std::isfinite(out[1]) && std::isfinite(out[2]);
}

// Radius (mean distance) and form deviation (distance range) about a final centre.
CircleResult CentreResult(const PointList& list, int n, Real cx, Real cy) {
    double sum = 0;
    double lo = 1000000;
    double hi = -1000000;
    for (int i = 1; i <= n; ++i) {
        const auto d = static_cast<double>(PointDistance(cx, cy, list.p[i].x, list.p[i].y).value());
        sum += d;
        lo = d < lo ? d : lo;
        hi = d > hi ? d : hi;
    }
    CircleResult r;
    r.cx = cx;
    r.cy = cy;
    r.radius = sum / n;
    r.form = hi - lo;
    return r;
}

}  // namespace

CircleResult RefineCircleCentre(const PointList& list, Real cx, Real cy, GeometryState& state) {
    const int n = list.Count();
    if (n == 0) {
        return CircleResult{};
    }
    double best = DistanceScatter(list, n, cx, cy);
    double bestDirection = best;
    long double direction = -1;
    const Real savedStep = state.StepLength;
    state.StepLength = kCoarseStepLength;
    const int directions = static_cast<int>(std::lround(360 / kDirectionStep));
    for (int i = 1; i <= directions; ++i) {
        const long double angle = kDirectionStep * (i - 1);
        Real tx = cx;
        Real ty = cy;
        StepPoint(tx, ty, angle, state);
        const double s = DistanceScatter(list, n, tx, ty);
        if (s < bestDirection) {
            bestDirection = s;
            direction = angle;
        }
    }
    if (direction != -1) {
        Walk(list, n, cx, cy, direction, best, state);
        state.StepLength = kFineStepLength;
        best = DistanceScatter(list, n, cx, cy);
        Walk(list, n, cx, cy, direction, best, state);
    }
    state.StepLength = savedStep;
    return CentreResult(list, n, cx, cy);
}

CircleResult CircleFitBySearch(const PointList& list, GeometryState& state) {
    const int n = list.Count();
    long double sumX = 0;
    long double sumY = 0;
    long double sumR = 0;
    int m = 0;
    for (int k = 1; k <= n; ++k) {
        const int i2 = k % n + 1;        // k + 1, cyclic
        const int i3 = (k + 1) % n + 1;  // k + 2, cyclic
        Real cx = 0;
        Real cy = 0;
        const XY& a = list.p[k];
        const XY& b = list.p[i2];
        const XY& c = list.p[i3];
        const Real r = CircleFrom3Points(a.x, a.y, b.x, b.y, c.x, c.y, cx, cy);
        if (r == kNoCircle) {
            continue;
        }
        sumX += cx;
        sumY += cy;
        sumR += r;
        ++m;
    }
    if (m == 0) {
        return CircleResult{};
    }
    Real cx = sumX / m;
    Real cy = sumY / m;
    const Real radius = sumR / m;
    (void)AxisSearch(list, cx, cy, radius, 0, state);
    (void)AxisSearch(list, cx, cy, radius, 1, state);
    return RefineCircleCentre(list, cx, cy, state);
}

CircleResult CircleFit(const PointList& list, GeometryState& state) {
    const CircleResult searched = CircleFitBySearch(list, state);
    if (searched.radius == Real(kNoCircle)) {
        return searched;
    }
    const int n = list.Count();
    // The searches start from the mean of the triple circles. Many points close together on a
    // partial arc (a fillet taken with the edge sensor or the foot switch) make neighbouring
    // triples nearly collinear, their circles wild and that start far off; the fixed steps then
    // cannot bring the centre back, and the searched centre is plainly wrong. The least-squares
    // circle of the same objective is computed as well and taken only then: when it lies more
    // than the fine step (0.0001) from the searched centre and the searched centre's scatter is
    // more than four times its own. On noisy full circles the search is within the noise (the
    // ratio stays below 2) and its result stands exactly as it is; a wrong start gives ratios
    // from about 30 to far beyond.
    const auto lsq = LeastSquaresCircleCentre(list);
    if (!lsq) {
        return searched;
    }
    Real lx = 0;
    Real ly = 0;
    try {
        lx = lsq->x;
        ly = lsq->y;
    } catch (const RangeError&) {
        return searched;
    }
    const double before = DistanceScatter(list, n, searched.cx, searched.cy);
    const double after = DistanceScatter(list, n, lx, ly);
    const Real moved = Distance2P(searched.cx, searched.cy, lx, ly).distance;
    if (!(before > kTakeOverRatio * after) || !(moved > kFineStepLength * 0.5L)) {
        return searched;
    }
    return CentreResult(list, n, lx, ly);
}

std::optional<LsqCentre> LeastSquaresCircleCentre(const PointList& list) {
    const int n = list.Count();
    if (n < 3) {
        return std::nullopt;
    }
    using LD = long double;
    LD xm = 0;
    LD ym = 0;
    for (int i = 1; i <= n; ++i) {
        xm += list.p[i].x;
        ym += list.p[i].y;
    }
    xm /= n;
    ym /= n;
    // Taubin's algebraic fit on the centred points (Newton on its characteristic polynomial).
    LD mxx = 0, myy = 0, mxy = 0, mxz = 0, myz = 0, mzz = 0;
    for (int i = 1; i <= n; ++i) {
        const LD u = list.p[i].x - xm;
        const LD v = list.p[i].y - ym;
        const LD z = u * u + v * v;
        mxx += u * u;
        myy += v * v;
        mxy += u * v;
        mxz += u * z;
        myz += v * z;
        mzz += z * z;
    }
    mxx /= n;
    myy /= n;
    mxy /= n;
    mxz /= n;
    myz /= n;
    mzz /= n;
    const LD mz = mxx + myy;
    const LD covXY = mxx * myy - mxy * mxy;
    const LD varZ = mzz - mz * mz;
    const LD a3 = 4 * mz;
    const LD a2 = -3 * mz * mz - mzz;
    const LD a1 = varZ * mz + 4 * covXY * mz - mxz * mxz - myz * myz;
    const LD a0 = mxz * (mxz * myy - myz * mxy) + myz * (myz * mxx - mxz * mxy) - varZ * covXY;
    LD x = 0;
    LD y = a0;
    for (int it = 0; it < 100; ++it) {
        const LD dy = a1 + x * (2 * a2 + 3 * a3 * x);
        if (dy == 0) {
            break;
        }
        const LD xNew = x - y / dy;
        if (xNew == x || !std::isfinite(xNew)) {
            break;
        }
        const LD yNew = a0 + xNew * (a1 + xNew * (a2 + xNew * a3));
        if (std::fabs(yNew) >= std::fabs(y)) {
            break;
        }
        x = xNew;
        y = yNew;
    }
    const LD det = x * x - x * mz + covXY;
    if (det == 0 || !std::isfinite(det)) {
        return std::nullopt;  // collinear points: no circle
    }
    LD a = (mxz * (myy - x) - myz * mxy) / det / 2;
    LD b = (myz * (mxx - x) - mxz * mxy) / det / 2;
    // Levenberg-Marquardt on the geometric distances: unknowns centre (a, b) and radius r.
    LD r = 0;
    for (int i = 1; i <= n; ++i) {
        r += std::hypot(list.p[i].x - xm - a, list.p[i].y - ym - b);
    }
    r /= n;
    const auto cost = [&](LD ca, LD cb, LD cr) {
        LD s = 0;
        for (int i = 1; i <= n; ++i) {
            const LD e = std::hypot(list.p[i].x - xm - ca, list.p[i].y - ym - cb) - cr;
            s += e * e;
        }
        return s;
    };
    LD lambda = 1e-3L;
    LD current = cost(a, b, r);
    const LD scale = std::sqrt(mz) + 1;
    bool converged = false;
    for (int it = 0; it < 200 && !converged; ++it) {
        LD jtj[3][3] = {};
        LD jte[3] = {};
        for (int i = 1; i <= n; ++i) {
            const LD dx = list.p[i].x - xm - a;
            const LD dy = list.p[i].y - ym - b;
            const LD d = std::hypot(dx, dy);
            if (d == 0) {
                return std::nullopt;
            }
            const LD j[3] = {-dx / d, -dy / d, -1};
            const LD e = d - r;
            for (int p = 0; p < 3; ++p) {
                jte[p] += j[p] * e;
                for (int q = 0; q < 3; ++q) {
                    jtj[p][q] += j[p] * j[q];
                }
            }
        }
        for (int tries = 0; tries < 30; ++tries) {
            LD m[3][4];
            for (int p = 0; p < 3; ++p) {
                for (int q = 0; q < 3; ++q) {
                    m[p][q] = jtj[p][q] + (p == q ? lambda * jtj[p][p] : 0);
                }
                m[p][3] = -jte[p];
            }
            LD delta[3];
            if (!Solve3(m, delta)) {
                lambda *= 10;
                continue;
            }
            const LD na = a + delta[0];
            const LD nb = b + delta[1];
            const LD nr = r + delta[2];
            const LD c = cost(na, nb, nr);
            if (std::isfinite(c) && c <= current) {
                a = na;
                b = nb;
                r = nr;
                current = c;
                lambda = std::max(lambda / 10, 1e-12L);
                const LD step = std::sqrt(delta[0] * delta[0] + delta[1] * delta[1] + delta[2] * delta[2]);
                converged = step <= 1e-15L * scale;
                break;
            }
            lambda *= 10;
            if (tries == 29) {
                converged = true;  // no step lowers the cost any more: at the minimum
            }
        }
    }
    if (!converged || !std::isfinite(a) || !std::isfinite(b)) {
        return std::nullopt;
    }
    return LsqCentre{a + xm, b + ym};
}

}  // namespace tarvo
