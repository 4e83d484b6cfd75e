#include "readout/scalecorrection.h"

#include <algorithm>
#include <cmath>

namespace tarvo {

bool ScaleCorrection::Active() const noexcept {
    return factor[0] != 1.0L || factor[1] != 1.0L || segments[0].size() >= 2 || segments[1].size() >= 2 ||
           squareness != 0 || grid.Active();
}

bool GridCorrection::Active() const noexcept {
    return columns >= 2 && rows >= 2 && step[0] > 0 && step[1] > 0 &&
           nodes.size() == static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
}

CorrectedXY GridCorrection::At(long double x, long double y) const {
    if (!Active()) {
        return {};
    }
    // The cell holding the point and the place within it (0..1); outside the grid the edge.
    const auto cell = [](long double offset, long double step, int count, int& index) {
        long double u = offset / step;
        u = u > 0 ? std::min(u, static_cast<long double>(count - 1)) : 0;  // NaN too
        index = std::min(static_cast<int>(u), count - 2);
        return u - static_cast<long double>(index);
    };
    int i = 0;
    int j = 0;
    const long double u = cell(x - x0, step[0], columns, i);
    const long double v = cell(y - y0, step[1], rows, j);
    const auto node = [this](int c, int r) {
        return nodes[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(c)];
    };
    const CorrectedXY a = node(i, j);
    const CorrectedXY b = node(i + 1, j);
    const CorrectedXY c = node(i, j + 1);
    const CorrectedXY d = node(i + 1, j + 1);
    return {(1 - v) * ((1 - u) * a.x + u * b.x) + v * ((1 - u) * c.x + u * d.x),
            (1 - v) * ((1 - u) * a.y + u * b.y) + v * ((1 - u) * c.y + u * d.y)};
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
    if (upTo > CorrectionStage::Grid && grid.Active()) {
        const CorrectedXY g = grid.At(x, y);
        x += g.x;
        y += g.y;
    }
    return {x, y};
}

}  // namespace tarvo
