// Corrections of the machine's own errors, applied to every position read from the scales before
// the offsets and the coordinate system: a factor per axis, an error table per axis (certified
// positions along the axis, linear between them, the end segments' slope beyond), the
// squareness of the two axes, and optionally an error grid measured on a grid plate (bilinear
// between its nodes, the nearest edge's beyond). The identity by default: then nothing is
// applied at all.
#pragma once

#include <vector>

namespace tarvo {

// The corrections run in this order; a calibration measures through the stages before its own.
enum class CorrectionStage { Linear = 0, Segments = 1, Squareness = 2, Grid = 3, All = 4 };

inline constexpr std::size_t kMaxSegmentMarks = 50;
inline constexpr int kMaxGridNodes = 50;  // along each axis

// One mark of an axis's error table: at this reading (after the factor) the correction in mm.
struct SegmentMark {
    long double reading = 0;
    long double correction = 0;
};

struct CorrectedXY {
    long double x = 0;
    long double y = 0;
};

// The error grid: nodes at x0 + i·step[0], y0 + j·step[1] (positions after the axis
// corrections), i < columns, j < rows, each with the correction (mm) found there; fewer than
// 2 × 2 nodes: none.
struct GridCorrection {
    long double x0 = 0;
    long double y0 = 0;
    long double step[2] = {0, 0};
    int columns = 0;
    int rows = 0;
    std::vector<CorrectedXY> nodes;  // row by row, from y0 up

    [[nodiscard]] bool Active() const noexcept;
    // The correction at (x, y).
    [[nodiscard]] CorrectedXY At(long double x, long double y) const;
};

struct ScaleCorrection {
    long double factor[2] = {1.0L, 1.0L};
    std::vector<SegmentMark> segments[2];  // ascending readings; fewer than two: none
    // The angle (radians) by which the Y guide leans towards +X: the axes stand at 90° - angle.
    long double squareness = 0;
    GridCorrection grid;

    // Anything to correct at all.
    [[nodiscard]] bool Active() const noexcept;
    // The reading (after the scale fields and axis factors) corrected by the stages before
    // `upTo` (All: every stage).
    [[nodiscard]] CorrectedXY Apply(long double x, long double y, CorrectionStage upTo = CorrectionStage::All) const;
};

// The correction of an axis's table at `reading` (0 without a table).
[[nodiscard]] long double SegmentCorrection(const std::vector<SegmentMark>& marks, long double reading);

}  // namespace tarvo
