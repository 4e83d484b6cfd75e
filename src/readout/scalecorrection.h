// Corrections of the machine's own errors, applied to every position read from the scales before
// the offsets and the coordinate system: a factor per axis, an error table per axis (certified
// positions along the axis, linear between them, the end segments' slope beyond), and the
// squareness of the two axes. The identity by default: then nothing is applied at all.
#pragma once

#include <vector>

namespace tarvo {

// The corrections run in this order; a calibration measures through the stages before its own.
enum class CorrectionStage { Linear = 0, Segments = 1, Squareness = 2, All = 3 };

inline constexpr std::size_t kMaxSegmentMarks = 50;

// One mark of an axis's error table: at this reading (after the factor) the correction in mm.
struct SegmentMark {
    long double reading = 0;
    long double correction = 0;
};

struct CorrectedXY {
    long double x = 0;
    long double y = 0;
};

struct ScaleCorrection {
    long double factor[2] = {1.0L, 1.0L};
    std::vector<SegmentMark> segments[2];  // ascending readings; fewer than two: none
    // The angle (radians) by which the Y guide leans towards +X: the axes stand at 90° - angle.
    long double squareness = 0;

    // Anything to correct at all.
    [[nodiscard]] bool Active() const noexcept;
    // The reading (after the scale fields and axis factors) corrected by the stages before
    // `upTo` (All: every stage).
    [[nodiscard]] CorrectedXY Apply(long double x, long double y, CorrectionStage upTo = CorrectionStage::All) const;
};

// The correction of an axis's table at `reading` (0 without a table).
[[nodiscard]] long double SegmentCorrection(const std::vector<SegmentMark>& marks, long double reading);

}  // namespace tarvo
