#include "readout/scalecorrection.h"

#include <cmath>

namespace tarvo {

bool ScaleCorrection::Active() const noexcept {
    return factor[0] != 1.0L || factor[1] != 1.0L || segments[0].size() >= 2 || segments[1].size() >= 2 ||
           squareness != 0;
}

long double SegmentCorrection(const std::vector<SegmentMark>& marks, long double reading) {
    if (marks.size() < 2) {
        return 0;
    }
    // The segment holding the reading; before the first and after the last mark the end segment.
    std::size_t i = 1;
    while (i + 1 < marks.size() && reading > marks[i].reading) {
        ++i;
    }
    const SegmentMark& a = marks[i - 1];
    const SegmentMark& b = marks[i];
    const long double span = b.reading - a.reading;
    if (span == 0) {
        return a.correction;
    }
    return a.correction + (reading - a.reading) * (b.correction - a.correction) / span;
}

CorrectedXY ScaleCorrection::Apply(long double x, long double y, CorrectionStage upTo) const {
    if (upTo > CorrectionStage::Linear) {
        x *= factor[0];
        y *= factor[1];
    }
    if (upTo > CorrectionStage::Segments) {
        x += SegmentCorrection(segments[0], x);
        y += SegmentCorrection(segments[1], y);
    }
    if (upTo > CorrectionStage::Squareness && squareness != 0) {
        // A reading y along the leaning Y guide lies y·sin(angle) further in X and y·cos(angle) in Y.
        const long double s = std::sin(squareness);
        const long double c = std::cos(squareness);
        x += y * s;
        y *= c;
    }
    return {x, y};
}

}  // namespace tarvo
