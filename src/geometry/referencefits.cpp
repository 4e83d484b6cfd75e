#include "geometry/referencefits.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

namespace tarvo {

namespace {

// All fits work on the points moved to their centroid and divided by their largest distance from
// it, so every coordinate lies in [-1, 1] and the tolerances below are relative to the set's size.
struct V {
    double x;
    double y;
};

inline double Dot(V a, V b) { return a.x * b.x + a.y * b.y; }
inline double Cross(V a, V b) { return a.x * b.y - a.y * b.x; }
inline V Sub(V a, V b) { return {a.x - b.x, a.y - b.y}; }
inline double Dist(V a, V b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Relative tolerance of the containment and feasibility tests (the coordinates are about 1).
constexpr double kTol = 1e-13;

struct Prepared {
    std::vector<V> u;    // (p - g) / scale
    long double gx = 0;  // centroid
    long double gy = 0;
    double scale = 0;  // largest distance from the centroid
};

// Fills `prep`; returns the reason when the points cannot carry any element.
std::string Prepare(std::span<const FitPoint> points, std::size_t needed, Prepared& prep) {
    if (points.size() < needed) {
        return "zu wenige Punkte";
    }
    long double sx = 0;
    long double sy = 0;
    for (const FitPoint& p : points) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y)) {
            return "Koordinate nicht endlich";
        }
        sx += p.x;
        sy += p.y;
    }
    const auto n = static_cast<long double>(points.size());
    prep.gx = sx / n;
    prep.gy = sy / n;
    prep.u.resize(points.size());
    double scale = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const V v{static_cast<double>(points[i].x - prep.gx), static_cast<double>(points[i].y - prep.gy)};
        prep.u[i] = v;
        scale = std::max(scale, std::hypot(v.x, v.y));
    }
    if (!(scale > 0)) {
        return "alle Punkte gleich";
    }
    prep.scale = scale;
    for (V& v : prep.u) {
        v.x /= scale;
        v.y /= scale;
    }
    return {};
}

// Total-least-squares direction of points about their centroid (the origin of `u`).
V PrincipalDirection(const std::vector<V>& u) {
    long double sxx = 0;
    long double syy = 0;
    long double sxy = 0;
    for (const V& v : u) {
        sxx += static_cast<long double>(v.x) * v.x;
        syy += static_cast<long double>(v.y) * v.y;
        sxy += static_cast<long double>(v.x) * v.y;
    }
    const long double t = 0.5L * std::atan2(2 * sxy, sxx - syy);
    return {static_cast<double>(std::cos(t)), static_cast<double>(std::sin(t))};
}

// Largest minus smallest signed distance from the line through the origin along `dir`.
void NormalRange(const std::vector<V>& u, V dir, double& lo, double& hi) {
    const V nrm{-dir.y, dir.x};
    lo = std::numeric_limits<double>::infinity();
    hi = -lo;
    for (const V& v : u) {
        const double o = Dot(nrm, v);
        lo = std::min(lo, o);
        hi = std::max(hi, o);
    }
}

bool Collinear(const std::vector<V>& u) {
    double lo = 0;
    double hi = 0;
    NormalRange(u, PrincipalDirection(u), lo, hi);
    return hi - lo <= 1e-12;
}

// Solves the symmetric 3x3 system a x = b by Gaussian elimination with partial pivoting.
template <typename T>
bool Solve3(std::array<std::array<T, 3>, 3> a, std::array<T, 3> b, std::array<T, 3>& x) {
    for (int c = 0; c < 3; ++c) {
        int piv = c;
        for (int r = c + 1; r < 3; ++r) {
            if (std::fabs(a[r][c]) > std::fabs(a[piv][c])) {
                piv = r;
            }
        }
        if (!(std::fabs(a[piv][c]) > 0)) {
            return false;
        }
        std::swap(a[c], a[piv]);
        std::swap(b[c], b[piv]);
        for (int r = c + 1; r < 3; ++r) {
            const T f = a[r][c] / a[c][c];
            for (int k = c; k < 3; ++k) {
                a[r][k] -= f * a[c][k];
            }
            b[r] -= f * b[c];
        }
    }
    for (int c = 2; c >= 0; --c) {
        T s = b[c];
        for (int k = c + 1; k < 3; ++k) {
            s -= a[c][k] * x[k];
        }
        x[c] = s / a[c][c];
    }
    return std::isfinite(static_cast<double>(x[0])) && std::isfinite(static_cast<double>(x[1])) &&
           std::isfinite(static_cast<double>(x[2]));
}

// ---- Least squares -----------------------------------------------------------------------------

// Normal equations of the orthogonal distances |u - c| - r at (a, b, r): n = J'J, g = J'e, s = e'e.
template <typename T>
void NormalEquations(const std::vector<V>& u, T a, T b, T r, std::array<std::array<T, 3>, 3>& n, std::array<T, 3>& g,
                     T& s) {
    n = {};
    g = {};
    s = 0;
    for (const V& v : u) {
        const T dx = v.x - a;
        const T dy = v.y - b;
        const T d = std::sqrt(dx * dx + dy * dy);
        if (!(d > 0)) {
            continue;  // a point on the centre has no direction; it only adds r^2 to s
        }
        const T j0 = -dx / d;
        const T j1 = -dy / d;
        const T e = d - r;
        n[0][0] += j0 * j0;
        n[0][1] += j0 * j1;
        n[1][1] += j1 * j1;
        n[0][2] -= j0;
        n[1][2] -= j1;
        g[0] += j0 * e;
        g[1] += j1 * e;
        g[2] -= e;
        s += e * e;
    }
    n[1][0] = n[0][1];
    n[2][0] = n[0][2];
    n[2][1] = n[1][2];
    n[2][2] = static_cast<T>(u.size());
}

template <typename T>
T SumOfSquares(const std::vector<V>& u, T a, T b, T r) {
    T s = 0;
    for (const V& v : u) {
        const T dx = v.x - a;
        const T dy = v.y - b;
        const T e = std::sqrt(dx * dx + dy * dy) - r;
        s += e * e;
    }
    return s;
}

// The normal equations are solved to rounding: every component of J'e is negligible against the
// size of its column and of the residuals.
template <typename T>
bool Stationary(const std::array<std::array<T, 3>, 3>& n, const std::array<T, 3>& g, T s, std::size_t count) {
    const T eps = std::numeric_limits<T>::epsilon();
    for (int k = 0; k < 3; ++k) {
        const T col = std::sqrt(n[k][k]);
        if (std::fabs(g[k]) > 64 * eps * col * (std::sqrt(s) + std::sqrt(static_cast<T>(count)))) {
            return false;
        }
    }
    return true;
}

// Kasa's algebraic circle: least squares of x^2 + y^2 + D x + E y + F.
bool AlgebraicCircle(const std::vector<V>& u, double& a, double& b, double& r) {
    std::array<std::array<long double, 3>, 3> m{};
    std::array<long double, 3> rhs{};
    for (const V& v : u) {
        const long double z = static_cast<long double>(v.x) * v.x + static_cast<long double>(v.y) * v.y;
        const std::array<long double, 3> row{v.x, v.y, 1.0L};
        for (int i = 0; i < 3; ++i) {
            for (int k = 0; k < 3; ++k) {
                m[i][k] += row[i] * row[k];
            }
            rhs[i] -= row[i] * z;
        }
    }
    std::array<long double, 3> x{};
    if (!Solve3(m, rhs, x)) {
        return false;
    }
    const long double ca = -x[0] / 2;
    const long double cb = -x[1] / 2;
    const long double r2 = ca * ca + cb * cb - x[2];
    if (!(r2 > 0) || !std::isfinite(static_cast<double>(r2))) {
        return false;
    }
    a = static_cast<double>(ca);
    b = static_cast<double>(cb);
    r = static_cast<double>(std::sqrt(r2));
    return true;
}

// Levenberg-Marquardt in double from the algebraic start, then Gauss-Newton steps in extended
// precision until the normal equations are solved to that precision.
bool LeastSquaresCircle(const std::vector<V>& u, double& a, double& b, double& r) {
    if (!AlgebraicCircle(u, a, b, r)) {
        a = 0;
        b = 0;
        r = 0;
        for (const V& v : u) {
            r += std::hypot(v.x, v.y);
        }
        r /= static_cast<double>(u.size());
    }
    double lambda = 1e-3;
    std::array<std::array<double, 3>, 3> n{};
    std::array<double, 3> g{};
    double s = 0;
    NormalEquations(u, a, b, r, n, g, s);
    for (int iter = 0; iter < 200 && !Stationary(n, g, s, u.size()); ++iter) {
        bool stepped = false;
        while (lambda < 1e20) {
            std::array<std::array<double, 3>, 3> m = n;
            for (int k = 0; k < 3; ++k) {
                m[k][k] *= 1 + lambda;
            }
            std::array<double, 3> d{};
            if (Solve3(m, {-g[0], -g[1], -g[2]}, d)) {
                const double sn = SumOfSquares<double>(u, a + d[0], b + d[1], r + d[2]);
                if (sn <= s) {
                    a += d[0];
                    b += d[1];
                    r += d[2];
                    lambda = std::max(lambda / 10, 1e-12);
                    stepped = true;
                    break;
                }
            }
            lambda *= 10;
        }
        if (!stepped) {
            break;  // no lower sum in double any more: the extended steps below finish
        }
        NormalEquations(u, a, b, r, n, g, s);
    }
    long double la = a;
    long double lb = b;
    long double lr = r;
    for (int iter = 0; iter < 8; ++iter) {
        std::array<std::array<long double, 3>, 3> ln{};
        std::array<long double, 3> lg{};
        long double ls = 0;
        NormalEquations(u, la, lb, lr, ln, lg, ls);
        if (Stationary(ln, lg, ls, u.size())) {
            break;
        }
        std::array<long double, 3> d{};
        if (!Solve3(ln, {-lg[0], -lg[1], -lg[2]}, d)) {
            return false;
        }
        la += d[0];
        lb += d[1];
        lr += d[2];
    }
    a = static_cast<double>(la);
    b = static_cast<double>(lb);
    r = static_cast<double>(lr);
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(r) && r > 0;
}

// ---- Minimum circumscribed: Welzl -----------------------------------------------------------------

struct Circle {
    V c;
    double r;
};

Circle Circle2(V a, V b) { return {{(a.x + b.x) / 2, (a.y + b.y) / 2}, Dist(a, b) / 2}; }

// Circle through three points; the largest of the pair circles when they are (nearly) collinear.
Circle Circle3(V a, V b, V c) {
    const V ab = Sub(b, a);
    const V ac = Sub(c, a);
    const double d = 2 * Cross(ab, ac);
    const double ab2 = Dot(ab, ab);
    const double ac2 = Dot(ac, ac);
    if (std::fabs(d) <= 1e-15 * (ab2 + ac2)) {
        Circle best = Circle2(a, b);
        for (const Circle& k : {Circle2(a, c), Circle2(b, c)}) {
            if (k.r > best.r) {
                best = k;
            }
        }
        return best;
    }
    const V o{(ac.y * ab2 - ab.y * ac2) / d, (ab.x * ac2 - ac.x * ab2) / d};
    return {{a.x + o.x, a.y + o.y}, std::hypot(o.x, o.y)};
}

bool Outside(const Circle& k, V p) { return Dist(k.c, p) > k.r * (1 + kTol) + kTol; }

// A fixed pseudo-random order, so the same points always give the same bits.
std::vector<std::size_t> ShuffledOrder(std::size_t n) {
    std::vector<std::size_t> idx(n);
    for (std::size_t i = 0; i < n; ++i) {
        idx[i] = i;
    }
    std::uint64_t state = 0x9E3779B97F4A7C15ULL;
    for (std::size_t i = n; i > 1; --i) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        std::swap(idx[i - 1], idx[(state >> 33) % i]);
    }
    return idx;
}

V SmallestEnclosing(const std::vector<V>& u) {
    const std::vector<std::size_t> idx = ShuffledOrder(u.size());
    Circle k{u[idx[0]], 0};
    for (std::size_t i = 1; i < idx.size(); ++i) {
        const V p = u[idx[i]];
        if (!Outside(k, p)) {
            continue;
        }
        k = {p, 0};
        for (std::size_t j = 0; j < i; ++j) {
            const V q = u[idx[j]];
            if (!Outside(k, q)) {
                continue;
            }
            k = Circle2(p, q);
            for (std::size_t m = 0; m < j; ++m) {
                const V s = u[idx[m]];
                if (Outside(k, s)) {
                    k = Circle3(p, q, s);
                }
            }
        }
    }
    return k.c;
}

// ---- Convex hull ------------------------------------------------------------------------------------

// Andrew's monotone chain: the hull's vertices counter-clockwise, without collinear points.
std::vector<V> ConvexHull(const std::vector<V>& u) {
    std::vector<V> p = u;
    std::sort(p.begin(), p.end(), [](V a, V b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
    p.erase(std::unique(p.begin(), p.end(), [](V a, V b) { return a.x == b.x && a.y == b.y; }), p.end());
    if (p.size() < 3) {
        return p;
    }
    std::vector<V> h(2 * p.size());
    std::size_t k = 0;
    for (const V& v : p) {
        while (k >= 2 && Cross(Sub(h[k - 1], h[k - 2]), Sub(v, h[k - 2])) <= 0) {
            --k;
        }
        h[k++] = v;
    }
    const std::size_t lower = k + 1;
    for (std::size_t i = p.size() - 1; i-- > 0;) {
        const V v = p[i];
        while (k >= lower && Cross(Sub(h[k - 1], h[k - 2]), Sub(v, h[k - 2])) <= 0) {
            --k;
        }
        h[k++] = v;
    }
    h.resize(k - 1);
    return h;
}

// Inside or on the convex polygon `h` (counter-clockwise, at least 3 vertices), in O(log h).
bool InsideHull(const std::vector<V>& h, V p) {
    const std::size_t n = h.size();
    const V o = h[0];
    const auto left = [&](V a, V b) {
        const V e = Sub(b, a);
        return Cross(e, Sub(p, a)) >= -kTol * std::hypot(e.x, e.y);
    };
    if (!left(o, h[1]) || !left(h[n - 1], o)) {
        return false;
    }
    std::size_t lo = 1;
    std::size_t hi = n - 1;
    while (hi - lo > 1) {
        const std::size_t mid = (lo + hi) / 2;
        if (Cross(Sub(h[mid], o), Sub(p, o)) >= 0) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    return left(h[lo], h[lo + 1]);
}

// ---- Minimum zone and maximum inscribed: exchange over a candidate set ------------------------------
//
// Both optima are fixed by a few points: the minimum zone by two points on the outer and two on the
// inner circle (the centre on both perpendicular bisectors), the inscribed circle by three points
// (their circumcentre) or, when the centre must stay on the hull's boundary, by two points and a hull
// edge. The set S starts with the extreme points about the least-squares centre. Each round takes
// the best of every such candidate formed from S (exhaustively, so it is the exact optimum for S),
// then checks all points: if none lies outside what S allows, the optimum for S is the optimum for
// all points (removing points can only improve the objective); otherwise the offending points join S.

struct Pair {
    std::size_t i;
    std::size_t j;
    V n;       // w_j - w_i
    double c;  // (|w_j|^2 - |w_i|^2) / 2: the bisector is n . x = c
};

std::vector<Pair> Bisectors(const std::vector<V>& w, const std::vector<std::size_t>& s) {
    std::vector<Pair> pairs;
    for (std::size_t a = 0; a < s.size(); ++a) {
        for (std::size_t b = a + 1; b < s.size(); ++b) {
            const V p = w[s[a]];
            const V q = w[s[b]];
            const V n = Sub(q, p);
            if (n.x == 0 && n.y == 0) {
                continue;
            }
            pairs.push_back({s[a], s[b], n, (Dot(q, q) - Dot(p, p)) / 2});
        }
    }
    return pairs;
}

bool Intersect(const Pair& p, const Pair& q, V& c) {
    const double det = Cross(p.n, q.n);
    if (std::fabs(det) <= 1e-14 * std::hypot(p.n.x, p.n.y) * std::hypot(q.n.x, q.n.y)) {
        return false;
    }
    c = {(p.c * q.n.y - q.c * p.n.y) / det, (p.n.x * q.c - q.n.x * p.c) / det};
    return true;
}

// Smallest zone over S: every 2+2 bisector crossing and every triple's circumcentre.
bool ZoneOfSet(const std::vector<V>& w, const std::vector<std::size_t>& s, V& best, double& bestWidth) {
    bestWidth = std::numeric_limits<double>::infinity();
    const auto width = [&](V c) {
        double lo = std::numeric_limits<double>::infinity();
        double hi = 0;
        for (const std::size_t k : s) {
            const double d = Dist(w[k], c);
            lo = std::min(lo, d);
            hi = std::max(hi, d);
            if (hi - lo >= bestWidth) {
                return hi - lo;
            }
        }
        return hi - lo;
    };
    const auto consider = [&](V c) {
        const double z = width(c);
        if (z < bestWidth) {
            bestWidth = z;
            best = c;
        }
    };
    const std::vector<Pair> pairs = Bisectors(w, s);
    for (std::size_t a = 0; a < pairs.size(); ++a) {
        for (std::size_t b = a + 1; b < pairs.size(); ++b) {
            const Pair& p = pairs[a];
            const Pair& q = pairs[b];
            V c{};
            if (Intersect(p, q, c)) {
                consider(c);
            }
        }
    }
    return std::isfinite(bestWidth);
}

// Largest empty circle of S with its centre in the hull of all points.
bool InscribedOfSet(const std::vector<V>& w, const std::vector<std::size_t>& s, const std::vector<V>& hull,
                    const std::vector<std::array<V, 2>>& longEdges, V& best, double& bestR) {
    bestR = -1;
    const auto nearest = [&](V c) {
        double lo = std::numeric_limits<double>::infinity();
        for (const std::size_t k : s) {
            lo = std::min(lo, Dist(w[k], c));
            if (lo <= bestR) {
                break;
            }
        }
        return lo;
    };
    const auto consider = [&](V c) {
        const double r = nearest(c);
        if (r > bestR) {
            bestR = r;
            best = c;
        }
    };
    const std::vector<Pair> pairs = Bisectors(w, s);
    // Circumcentres: a triple's centre is where the bisectors of two of its pairs cross.
    for (std::size_t a = 0; a < s.size(); ++a) {
        for (std::size_t b = a + 1; b < s.size(); ++b) {
            for (std::size_t d = b + 1; d < s.size(); ++d) {
                const V p = w[s[a]];
                const V q = w[s[b]];
                const V t = w[s[d]];
                const V pq = Sub(q, p);
                const V pt = Sub(t, p);
                const double det = 2 * Cross(pq, pt);
                const double pq2 = Dot(pq, pq);
                const double pt2 = Dot(pt, pt);
                if (std::fabs(det) <= 1e-15 * (pq2 + pt2)) {
                    continue;
                }
                const V c{p.x + (pt.y * pq2 - pq.y * pt2) / det, p.y + (pq.x * pt2 - pt.x * pq2) / det};
                if (InsideHull(hull, c)) {
                    consider(c);
                }
            }
        }
    }
    // Where the centre sits on a hull edge: a bisector crossing the edge, or the edge's ends.
    for (const auto& e : longEdges) {
        consider(e[0]);
        consider(e[1]);
        const V dir = Sub(e[1], e[0]);
        for (const Pair& p : pairs) {
            const double den = Dot(p.n, dir);
            if (den == 0) {
                continue;
            }
            const double t = (p.c - Dot(p.n, e[0])) / den;
            if (t >= 0 && t <= 1) {
                consider({e[0].x + t * dir.x, e[0].y + t * dir.y});
            }
        }
    }
    return bestR >= 0;
}

// Indices of the k points farthest from and the k nearest to c.
std::vector<std::size_t> ExtremeIndices(const std::vector<V>& w, V c, std::size_t k, bool outer, bool inner) {
    std::vector<std::pair<double, std::size_t>> d(w.size());
    for (std::size_t i = 0; i < w.size(); ++i) {
        d[i] = {Dist(w[i], c), i};
    }
    std::vector<std::size_t> s;
    k = std::min(k, w.size());
    if (inner) {
        std::partial_sort(d.begin(), d.begin() + static_cast<std::ptrdiff_t>(k), d.end());
        for (std::size_t i = 0; i < k; ++i) {
            s.push_back(d[i].second);
        }
    }
    if (outer) {
        std::partial_sort(d.begin(), d.begin() + static_cast<std::ptrdiff_t>(k), d.end(),
                          [](const auto& a, const auto& b) { return a > b; });
        for (std::size_t i = 0; i < k; ++i) {
            s.push_back(d[i].second);
        }
    }
    std::sort(s.begin(), s.end());
    s.erase(std::unique(s.begin(), s.end()), s.end());
    return s;
}

void AddIndex(std::vector<std::size_t>& s, std::size_t i) {
    if (std::find(s.begin(), s.end(), i) == s.end()) {
        s.push_back(i);
    }
}

constexpr int kMaxRounds = 200;

bool MinimumZone(const std::vector<V>& w, V& c) {
    std::vector<std::size_t> s =
        w.size() <= 12 ? ExtremeIndices(w, {0, 0}, w.size(), true, false) : ExtremeIndices(w, {0, 0}, 4, true, true);
    for (int round = 0; round < kMaxRounds; ++round) {
        double width = 0;
        if (!ZoneOfSet(w, s, c, width)) {
            if (s.size() >= w.size()) {
                return false;
            }
            for (std::size_t i = 0; i < w.size() && s.size() < 12; ++i) {
                AddIndex(s, i);
            }
            continue;
        }
        double sLo = std::numeric_limits<double>::infinity();
        double sHi = 0;
        for (const std::size_t k : s) {
            const double d = Dist(w[k], c);
            sLo = std::min(sLo, d);
            sHi = std::max(sHi, d);
        }
        double lo = sLo;
        double hi = sHi;
        std::size_t iLo = 0;
        std::size_t iHi = 0;
        bool outLo = false;
        bool outHi = false;
        for (std::size_t i = 0; i < w.size(); ++i) {
            const double d = Dist(w[i], c);
            if (d > hi) {
                hi = d;
                iHi = i;
            }
            if (d < lo) {
                lo = d;
                iLo = i;
            }
        }
        outHi = hi > sHi + kTol;
        outLo = lo < sLo - kTol;
        if (!outHi && !outLo) {
            return true;
        }
        if (outHi) {
            AddIndex(s, iHi);
        }
        if (outLo) {
            AddIndex(s, iLo);
        }
    }
    return false;
}

bool MaximumInscribed(const std::vector<V>& w, V& c) {
    const std::vector<V> hull = ConvexHull(w);
    if (hull.size() < 3) {
        return false;
    }
    // A lower bound of the optimum: the empty circle about the centroid (inside the hull). On an
    // edge no longer than twice that bound every point is nearer than the bound to an end of the
    // edge, so only the longer edges can hold the optimum.
    V g{0, 0};
    for (const V& v : w) {
        g.x += v.x;
        g.y += v.y;
    }
    g.x /= static_cast<double>(w.size());
    g.y /= static_cast<double>(w.size());
    double bound = std::numeric_limits<double>::infinity();
    for (const V& v : w) {
        bound = std::min(bound, Dist(v, g));
    }
    std::vector<std::array<V, 2>> longEdges;
    for (std::size_t i = 0; i < hull.size(); ++i) {
        const V a = hull[i];
        const V b = hull[(i + 1) % hull.size()];
        if (Dist(a, b) > 2 * bound) {
            longEdges.push_back({a, b});
        }
    }
    std::vector<std::size_t> s =
        w.size() <= 12 ? ExtremeIndices(w, {0, 0}, w.size(), true, false) : ExtremeIndices(w, {0, 0}, 6, false, true);
    for (int round = 0; round < kMaxRounds; ++round) {
        double r = 0;
        if (!InscribedOfSet(w, s, hull, longEdges, c, r)) {
            return false;
        }
        double lo = r;
        std::size_t iLo = 0;
        for (std::size_t i = 0; i < w.size(); ++i) {
            const double d = Dist(w[i], c);
            if (d < lo) {
                lo = d;
                iLo = i;
            }
        }
        if (lo >= r - kTol) {
            return true;
        }
        AddIndex(s, iLo);
    }
    return false;
}

ReferenceCircle Failed(std::string reason) {
    ReferenceCircle r;
    r.reason = std::move(reason);
    return r;
}

ReferenceLine FailedLine(std::string reason) {
    ReferenceLine r;
    r.reason = std::move(reason);
    return r;
}

}  // namespace

std::string_view MethodName(CircleMethod m) {
    switch (m) {
        case CircleMethod::LSCI:
            return "LSCI";
        case CircleMethod::MZCI:
            return "MZCI";
        case CircleMethod::MICI:
            return "MICI";
        case CircleMethod::MCCI:
            return "MCCI";
    }
    return "";
}

std::string_view MethodName(LineMethod m) { return m == LineMethod::LSLI ? "LSLI" : "MZLI"; }

namespace {
bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return (x >= 'a' && x <= 'z' ? x - 32 : x) == y; });
}
}  // namespace

bool ParseCircleMethod(std::string_view name, CircleMethod& out) {
    for (const CircleMethod m : {CircleMethod::LSCI, CircleMethod::MZCI, CircleMethod::MICI, CircleMethod::MCCI}) {
        if (SameName(name, MethodName(m))) {
            out = m;
            return true;
        }
    }
    return false;
}

bool ParseLineMethod(std::string_view name, LineMethod& out) {
    for (const LineMethod m : {LineMethod::LSLI, LineMethod::MZLI}) {
        if (SameName(name, MethodName(m))) {
            out = m;
            return true;
        }
    }
    return false;
}

ReferenceCircle FitCircle(std::span<const FitPoint> points, CircleMethod method) {
    Prepared prep;
    if (std::string why = Prepare(points, 3, prep); !why.empty()) {
        return Failed(std::move(why));
    }
    if (Collinear(prep.u)) {
        return Failed("Punkte auf einer Geraden");
    }
    V c{};
    if (method == CircleMethod::MCCI) {
        c = SmallestEnclosing(prep.u);
    } else {
        double a = 0;
        double b = 0;
        double r = 0;
        if (!LeastSquaresCircle(prep.u, a, b, r)) {
            return Failed("keine Konvergenz");
        }
        c = {a, b};
        if (method != CircleMethod::LSCI) {
            // The searches run about the least-squares centre, where the distances are well scaled.
            std::vector<V> w(prep.u.size());
            for (std::size_t i = 0; i < w.size(); ++i) {
                w[i] = Sub(prep.u[i], c);
            }
            V e{};
            const bool found = method == CircleMethod::MZCI ? MinimumZone(w, e) : MaximumInscribed(w, e);
            if (!found) {
                return Failed("keine Konvergenz");
            }
            c = {c.x + e.x, c.y + e.y};
        } else {
            ReferenceCircle out;
            out.ok = true;
            double lo = std::numeric_limits<double>::infinity();
            double hi = 0;
            for (const V& v : prep.u) {
                const double d = Dist(v, c);
                lo = std::min(lo, d);
                hi = std::max(hi, d);
            }
            out.cx = static_cast<double>(prep.gx + static_cast<long double>(c.x) * prep.scale);
            out.cy = static_cast<double>(prep.gy + static_cast<long double>(c.y) * prep.scale);
            out.radius = r * prep.scale;
            out.roundness = (hi - lo) * prep.scale;
            return out;
        }
    }
    double lo = std::numeric_limits<double>::infinity();
    double hi = 0;
    for (const V& v : prep.u) {
        const double d = Dist(v, c);
        lo = std::min(lo, d);
        hi = std::max(hi, d);
    }
    ReferenceCircle out;
    out.ok = true;
    out.cx = static_cast<double>(prep.gx + static_cast<long double>(c.x) * prep.scale);
    out.cy = static_cast<double>(prep.gy + static_cast<long double>(c.y) * prep.scale);
    switch (method) {
        case CircleMethod::MZCI:
            out.radius = (lo + hi) / 2 * prep.scale;
            break;
        case CircleMethod::MICI:
            out.radius = lo * prep.scale;
            break;
        default:
            out.radius = hi * prep.scale;
            break;
    }
    out.roundness = (hi - lo) * prep.scale;
    return out;
}

ReferenceLine FitLine(std::span<const FitPoint> points, LineMethod method) {
    Prepared prep;
    if (std::string why = Prepare(points, 2, prep); !why.empty()) {
        return FailedLine(std::move(why));
    }
    V dir{};
    V at{0, 0};  // the reported point, in prepared coordinates
    double width = 0;
    if (method == LineMethod::LSLI) {
        dir = PrincipalDirection(prep.u);
        double lo = 0;
        double hi = 0;
        NormalRange(prep.u, dir, lo, hi);
        width = hi - lo;
    } else {
        const std::vector<V> h = ConvexHull(prep.u);
        if (h.size() == 2) {
            const V e = Sub(h[1], h[0]);
            const double len = std::hypot(e.x, e.y);
            dir = {e.x / len, e.y / len};
            const V nrm{-dir.y, dir.x};
            const double off = Dot(nrm, h[0]);
            at = {nrm.x * off, nrm.y * off};
        } else {
            // Rotating calipers: for each hull edge the farthest vertex; the narrowest of these
            // slabs is the minimum zone.
            const std::size_t n = h.size();
            std::size_t j = 1;
            double best = std::numeric_limits<double>::infinity();
            std::size_t bi = 0;
            std::size_t bj = 0;
            for (std::size_t i = 0; i < n; ++i) {
                const V a = h[i];
                const V e = Sub(h[(i + 1) % n], a);
                while (Cross(e, Sub(h[(j + 1) % n], a)) > Cross(e, Sub(h[j], a))) {
                    j = (j + 1) % n;
                }
                const double wdt = Cross(e, Sub(h[j], a)) / std::hypot(e.x, e.y);
                if (wdt < best) {
                    best = wdt;
                    bi = i;
                    bj = j;
                }
            }
            const V a = h[bi];
            const V e = Sub(h[(bi + 1) % n], a);
            const double len = std::hypot(e.x, e.y);
            dir = {e.x / len, e.y / len};
            const V nrm{-dir.y, dir.x};
            const double mid = (Dot(nrm, a) + Dot(nrm, h[bj])) / 2;
            at = {nrm.x * mid, nrm.y * mid};
        }
        double lo = 0;
        double hi = 0;
        NormalRange(prep.u, dir, lo, hi);
        width = hi - lo;
    }
    if (dir.x < 0 || (dir.x == 0 && dir.y < 0)) {
        dir = {-dir.x, -dir.y};
    }
    ReferenceLine out;
    out.ok = true;
    out.ux = dir.x;
    out.uy = dir.y;
    out.px = static_cast<double>(prep.gx + static_cast<long double>(at.x) * prep.scale);
    out.py = static_cast<double>(prep.gy + static_cast<long double>(at.y) * prep.scale);
    out.straightness = width * prep.scale;
    return out;
}

}  // namespace tarvo
