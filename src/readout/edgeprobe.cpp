#include "readout/edgeprobe.h"

#include <algorithm>
#include <cmath>

#include "geometry/referencefits.h"

namespace tarvo {

namespace {

constexpr double kStep = 0.5;  // pixels between the samples of a profile

bool InFrame(const GreyImage& f, double x, double y) {
    return x >= 0 && y >= 0 && x <= f.width - 1 && y <= f.height - 1;
}

// Bilinear between the four pixels about (x, y); (x, y) must lie in the frame.
double Sample(const GreyImage& f, double x, double y) {
    const int i = std::min(static_cast<int>(x), f.width - 2);
    const int j = std::min(static_cast<int>(y), f.height - 2);
    const double fx = x - i;
    const double fy = y - j;
    const double top = f.At(i, j) + fx * (f.At(i + 1, j) - f.At(i, j));
    const double bottom = f.At(i, j + 1) + fx * (f.At(i + 1, j + 1) - f.At(i, j + 1));
    return top + fy * (bottom - top);
}

struct Sobel {
    int gx;
    int gy;
};

Sobel SobelAt(const GreyImage& f, int x, int y) {
    const int gx = (f.At(x + 1, y - 1) + 2 * f.At(x + 1, y) + f.At(x + 1, y + 1)) -
                   (f.At(x - 1, y - 1) + 2 * f.At(x - 1, y) + f.At(x - 1, y + 1));
    const int gy = (f.At(x - 1, y + 1) + 2 * f.At(x, y + 1) + f.At(x + 1, y + 1)) -
                   (f.At(x - 1, y - 1) + 2 * f.At(x, y - 1) + f.At(x + 1, y - 1));
    return {gx, gy};
}

// The direction across the strongest edge nearest the click: the grey-level gradient there.
std::optional<PixelPoint> EdgeDirection(const GreyImage& f, PixelPoint click, const EdgeProbeSettings& s) {
    const double r = s.searchHalf;
    const int x0 = std::max(1, static_cast<int>(std::floor(click.x - r)));
    const int x1 = std::min(f.width - 2, static_cast<int>(std::ceil(click.x + r)));
    const int y0 = std::max(1, static_cast<int>(std::floor(click.y - r)));
    const int y1 = std::min(f.height - 2, static_cast<int>(std::ceil(click.y + r)));
    long best = 0;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            if (std::hypot(x - click.x, y - click.y) > r) {
                continue;
            }
            const Sobel g = SobelAt(f, x, y);
            best = std::max(best, static_cast<long>(g.gx) * g.gx + static_cast<long>(g.gy) * g.gy);
        }
    }
    // A Sobel gradient is eight times the slope in grey levels per pixel.
    if (std::sqrt(static_cast<double>(best)) / 8 < s.minSlope) {
        return std::nullopt;
    }
    double nearest = r * r + 1;
    int bx = -1;
    int by = -1;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double d2 = (x - click.x) * (x - click.x) + (y - click.y) * (y - click.y);
            if (d2 >= nearest || d2 > r * r) {
                continue;
            }
            const Sobel g = SobelAt(f, x, y);
            if (4 * (static_cast<long>(g.gx) * g.gx + static_cast<long>(g.gy) * g.gy) >= best) {
                nearest = d2;
                bx = x;
                by = y;
            }
        }
    }
    double sx = 0;
    double sy = 0;
    for (int y = std::max(1, by - 1); y <= std::min(f.height - 2, by + 1); ++y) {
        for (int x = std::max(1, bx - 1); x <= std::min(f.width - 2, bx + 1); ++x) {
            const Sobel g = SobelAt(f, x, y);
            sx += g.gx;
            sy += g.gy;
        }
    }
    const double len = std::hypot(sx, sy);
    if (len == 0) {
        return std::nullopt;
    }
    return PixelPoint{sx / len, sy / len};
}

}  // namespace

EdgeResult ProbeEdge(const GreyImage& frame, PixelPoint click, std::optional<PixelPoint> direction,
                     const EdgeProbeSettings& s) {
    EdgeResult result;
    if (frame.width < 3 || frame.height < 3 || !InFrame(frame, click.x, click.y)) {
        return result;
    }
    if (!direction) {
        direction = EdgeDirection(frame, click, s);
        if (!direction) {
            return result;
        }
    }
    const double len = std::hypot(direction->x, direction->y);
    if (!(len > 0)) {
        return result;
    }
    const double nx = direction->x / len;
    const double ny = direction->y / len;

    // The profile along the search line, each sample the mean across the band; only the stretch
    // inside the frame about the click counts.
    const int half = static_cast<int>(s.searchHalf / kStep);
    const int count = 2 * half + 1;
    std::vector<double> profile(static_cast<std::size_t>(count));
    int first = half;
    int last = half;
    for (int dir = -1; dir <= 1; dir += 2) {
        for (int k = half; k >= 0 && k < count; k += dir) {
            const double t = (k - half) * kStep;
            double sum = 0;
            bool inside = true;
            for (int b = -s.band; b <= s.band && inside; ++b) {
                const double x = click.x + t * nx - b * ny;
                const double y = click.y + t * ny + b * nx;
                inside = InFrame(frame, x, y);
                if (inside) {
                    sum += Sample(frame, x, y);
                }
            }
            if (!inside) {
                break;
            }
            profile[static_cast<std::size_t>(k)] = sum / (2 * s.band + 1);
            (dir < 0 ? first : last) = k;
        }
    }
    if (last - first < 8) {
        return result;
    }
    std::vector<double> slope(static_cast<std::size_t>(count), 0.0);
    double steepest = 0;
    for (int k = first + 1; k < last; ++k) {
        slope[k] = (profile[k + 1] - profile[k - 1]) / (2 * kStep);
        steepest = std::max(steepest, std::abs(slope[k]));
    }
    if (steepest < s.minSlope) {
        return result;
    }
    // The strongest edge nearest the click: of the slope's peaks at least half the steepest, the
    // one closest to the click.
    int peak = -1;
    for (int k = first + 1; k < last; ++k) {
        const double a = std::abs(slope[k]);
        if (a >= 0.5 * steepest && a >= std::abs(slope[k - 1]) && a > std::abs(slope[k + 1]) &&
            (peak < 0 || std::abs(k - half) < std::abs(peak - half))) {
            peak = k;
        }
    }
    if (peak < 0) {
        return result;
    }
    // The edge's extent: until the slope has fallen to a tenth, then two pixels of either side.
    const double tail = 0.1 * std::abs(slope[peak]);
    int lo = peak;
    while (lo > first + 1 && std::abs(slope[lo - 1]) > tail && slope[lo - 1] * slope[peak] > 0) {
        --lo;
    }
    int hi = peak;
    while (hi < last - 1 && std::abs(slope[hi + 1]) > tail && slope[hi + 1] * slope[peak] > 0) {
        ++hi;
    }
    const int margin = static_cast<int>(2 / kStep);
    lo = std::max(first, lo - margin);
    hi = std::min(last, hi + margin);
    if (peak - lo < 3 || hi - peak < 3) {
        return result;
    }
    const double a = (profile[lo] + profile[lo + 1] + profile[lo + 2]) / 3;
    const double b = (profile[hi] + profile[hi - 1] + profile[hi - 2]) / 3;
    result.contrast = std::abs(b - a);
    if (result.contrast < s.minContrast) {
        result.failure = ProbeFailure::TooWeak;
        return result;
    }
    // The ideal step of the same area: from level a up to where it jumps to level b.
    double area = 0;
    for (int k = lo; k < hi; ++k) {
        area += kStep * ((b - profile[k]) + (b - profile[k + 1])) / 2;
    }
    const double t = (lo - half) * kStep + area / (b - a);
    if (t < (lo - half) * kStep || t > (hi - half) * kStep) {
        return result;
    }
    result.failure = ProbeFailure::None;
    result.point = {click.x + t * nx, click.y + t * ny};
    const double sign = b > a ? 1 : -1;
    result.nx = sign * nx;
    result.ny = sign * ny;
    return result;
}

CircleProbeResult ProbeCircle(const GreyImage& frame, const PixelPoint (&seeds)[3], int count,
                              const EdgeProbeSettings& s) {
    CircleProbeResult result;
    count = std::clamp(count, 3, 50);
    PixelPoint p[3];
    for (int i = 0; i < 3; ++i) {
        const EdgeResult e = ProbeEdge(frame, seeds[i], std::nullopt, s);
        if (!e.Ok()) {
            result.failure = e.failure;
            result.contrast = e.contrast;
            return result;
        }
        p[i] = e.point;
    }
    // The circle through the three seed edges.
    const double ax = p[1].x - p[0].x;
    const double ay = p[1].y - p[0].y;
    const double bx = p[2].x - p[0].x;
    const double by = p[2].y - p[0].y;
    const double det = 2 * (ax * by - ay * bx);
    const double span = std::max({std::hypot(ax, ay), std::hypot(bx, by), 1.0});
    if (std::abs(det) < 1e-3 * span * span) {
        return result;
    }
    const double a2 = ax * ax + ay * ay;
    const double b2 = bx * bx + by * by;
    const double ux = (by * a2 - ay * b2) / det;
    const double uy = (ax * b2 - bx * a2) / det;
    const double cx = p[0].x + ux;
    const double cy = p[0].y + uy;
    const double r = std::hypot(ux, uy);
    const double start = std::atan2(p[0].y - cy, p[0].x - cx);
    EdgeProbeSettings round = s;
    round.searchHalf = std::max(3.0, std::min(s.searchHalf, r / 3));
    std::vector<FitPoint> fit;
    for (int k = 0; k < count; ++k) {
        const double angle = start + 2 * M_PI * k / count;
        const PixelPoint dir{std::cos(angle), std::sin(angle)};
        const EdgeResult e = ProbeEdge(frame, {cx + r * dir.x, cy + r * dir.y}, dir, round);
        if (!e.Ok()) {
            result.failure = e.failure;
            result.contrast = e.contrast;
            result.points.clear();
            return result;
        }
        result.points.push_back(e.point);
        fit.push_back({e.point.x, e.point.y});
    }
    const ReferenceCircle c = FitCircle(fit, CircleMethod::LSCI);
    if (!c.ok) {
        result.points.clear();
        return result;
    }
    result.failure = ProbeFailure::None;
    result.centre = {c.cx, c.cy};
    result.radius = c.radius;
    return result;
}

}  // namespace tarvo
