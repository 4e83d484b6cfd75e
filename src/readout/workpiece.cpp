#include "readout/workpiece.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tarvo {

namespace {

constexpr double kFar = std::numeric_limits<double>::max();

// std::hypot guards against overflow that millimetres never reach, and costs much more.
double Len(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }

struct Nearest {
    double distance;  // unsigned
    double qx;        // the nearest point of the segment
    double qy;
};

Nearest NearestOnSegment(double x, double y, double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((x - x1) * dx + (y - y1) * dy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double qx = x1 + t * dx;
    const double qy = y1 + t * dy;
    return {Len(x - qx, y - qy), qx, qy};
}

// Even-odd rule: whether (x, y) lies inside the polygon.
bool InsidePolygon(const std::vector<WorkpiecePoint>& poly, double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const WorkpiecePoint& a = poly[i];
        const WorkpiecePoint& b = poly[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
    }
    return inside;
}

double PolygonDistance(const std::vector<WorkpiecePoint>& poly, double x, double y) {
    if (poly.size() < 3) {
        return kFar;
    }
    double d = kFar;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        d = std::min(d, NearestOnSegment(x, y, poly[j].x, poly[j].y, poly[i].x, poly[i].y).distance);
    }
    return InsidePolygon(poly, x, y) ? -d : d;
}

double SlotDistance(const WorkpieceSlot& s, double x, double y) {
    return NearestOnSegment(x, y, s.x1, s.y1, s.x2, s.y2).distance - s.r;
}

}  // namespace

Workpiece SampleWorkpiece() {
    Workpiece w;
    w.outline = {{10, 5}, {90, 5}, {90, 45}, {80, 55}, {10, 55}};
    w.holes = {{35, 30, 10}, {70, 20, 5}};
    w.longHoles = {{59, 39, 76, 39, 4}};
    return w;
}

Workpiece CertifiedCircle(double diameter, double cx, double cy) {
    Workpiece w;
    w.discs = {{cx, cy, diameter / 2}};
    return w;
}

double MaterialDistance(const Workpiece& w, double x, double y) {
    double d = PolygonDistance(w.outline, x, y);
    for (const WorkpieceCircle& h : w.holes) {
        d = std::max(d, w.outline.empty() ? kFar : h.r - Len(x - h.cx, y - h.cy));
    }
    for (const WorkpieceSlot& s : w.longHoles) {
        d = std::max(d, w.outline.empty() ? kFar : -SlotDistance(s, x, y));
    }
    for (const WorkpieceCircle& c : w.discs) {
        d = std::min(d, Len(x - c.cx, y - c.cy) - c.r);
    }
    return d;
}

int EdgePiecesNear(const Workpiece& w, double x, double y, double reach, std::vector<EdgePiece>& out) {
    out.clear();
    const auto radial = [&](double cx, double cy, double r, double sign) {
        const double len = Len(x - cx, y - cy);
        const double d = len - r;
        if (std::abs(d) <= reach && len > 0) {
            // A disc's rim: out of the material is away from the centre; a hole's: towards it.
            out.push_back({sign * d, sign * (x - cx) / len, sign * (y - cy) / len});
        }
    };
    if (w.outline.size() >= 3) {
        const bool inside = InsidePolygon(w.outline, x, y);
        for (std::size_t i = 0, j = w.outline.size() - 1; i < w.outline.size(); j = i++) {
            const WorkpiecePoint& a = w.outline[j];
            const WorkpiecePoint& b = w.outline[i];
            const Nearest n = NearestOnSegment(x, y, a.x, a.y, b.x, b.y);
            if (n.distance > reach) {
                continue;
            }
            // The edge's line: normal perpendicular to it, turned to point out of the plate.
            const double len = Len(b.x - a.x, b.y - a.y);
            double nx = (b.y - a.y) / len;
            double ny = -(b.x - a.x) / len;
            double d = (x - a.x) * nx + (y - a.y) * ny;
            if ((d < 0) != inside) {
                nx = -nx;
                ny = -ny;
                d = -d;
            }
            out.push_back({d, nx, ny});
        }
        for (const WorkpieceCircle& h : w.holes) {
            radial(h.cx, h.cy, h.r, -1);
        }
        for (const WorkpieceSlot& s : w.longHoles) {
            const Nearest n = NearestOnSegment(x, y, s.x1, s.y1, s.x2, s.y2);
            radial(n.qx, n.qy, s.r, -1);
        }
    }
    for (const WorkpieceCircle& c : w.discs) {
        radial(c.cx, c.cy, c.r, 1);
    }
    return static_cast<int>(out.size());
}

}  // namespace tarvo
