// The point list handed to the fits: elements 0..50, element 0 holding the count n in its X
// field, elements 1..n the points in capture order.
#pragma once

#include <array>
#include <cmath>

#include "base/checked.h"
#include "base/real.h"

namespace tarvo {

struct XY {
    Real x;
    Real y;
};

inline constexpr int kMaxListPoints = 50;

struct PointList {
    std::array<XY, kMaxListPoints + 1> p{};

    // The count as the fits read it (truncated); RangeError outside 0..50.
    [[nodiscard]] int Count() const {
        const long double n = std::trunc(p[0].x.value());
        if (n < 0 || n > kMaxListPoints) {
            throw RangeError("Punktliste: " + std::to_string(static_cast<long long>(n)) + " Punkte");
        }
        return static_cast<int>(n);
    }
    // Appends a point and counts it; RangeError beyond 50 points.
    void Add(long double x, long double y) {
        const int n = Count() + 1;
        p[CheckedIndex(n, p.size(), "Punktliste")] = {x, y};
        p[0].x = n;
    }
};

}  // namespace tarvo
