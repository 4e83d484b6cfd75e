// The workpieces the simulated camera looks at, as exact geometry in stage millimetres: a plate
// outline with round holes and slots cut out of it, and discs on top (a certified circle on a
// glass standard is a disc alone). The stage window of the demo draws the same sample.
#pragma once

#include <vector>

namespace tarvo {

struct WorkpiecePoint {
    double x = 0;
    double y = 0;
};

struct WorkpieceCircle {
    double cx = 0;
    double cy = 0;
    double r = 0;
};

// Every point within `r` of the segment from (x1, y1) to (x2, y2).
struct WorkpieceSlot {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    double r = 0;
};

struct Workpiece {
    std::vector<WorkpiecePoint> outline;   // the plate, a simple polygon (either sense); may be empty
    std::vector<WorkpieceCircle> holes;    // cut out of the plate
    std::vector<WorkpieceSlot> longHoles;  // slots, cut out of the plate
    std::vector<WorkpieceCircle> discs;    // material on top of everything
};

// The demo's sample: an 80 x 50 mm plate from (10, 5) with a chamfered corner at the top right,
// a 20 mm and a 10 mm hole and a slot of 8 mm width.
[[nodiscard]] Workpiece SampleWorkpiece();
// A certified circle: a disc of `diameter` at (cx, cy) on glass.
[[nodiscard]] Workpiece CertifiedCircle(double diameter, double cx, double cy);

// Signed distance of (x, y) from the material's edge: negative inside the material. Exact near a
// single edge, never larger than the true distance anywhere.
[[nodiscard]] double MaterialDistance(const Workpiece& w, double x, double y);

// One piece of the material's edge near a point: the signed distance as above and the unit
// normal pointing out of the material.
struct EdgePiece {
    double distance = 0;
    double nx = 0;
    double ny = 0;
};

// The edge pieces of `w` within `reach` of (x, y): plate edges, hole, slot and disc rims.
// Fills `out` (cleared first) and returns how many there are.
int EdgePiecesNear(const Workpiece& w, double x, double y, double reach, std::vector<EdgePiece>& out);

}  // namespace tarvo
