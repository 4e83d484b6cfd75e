// Small helpers of the geometry tests: point lists from literal pairs, long double to double
// for gtest's comparisons.
#pragma once

#include <initializer_list>
#include <utility>

#include "geometry/pointlist.h"

namespace tarvo::test {

inline double D(long double v) { return static_cast<double>(v); }

inline PointList List(std::initializer_list<std::pair<long double, long double>> pts) {
    PointList l;
    for (const auto& [x, y] : pts) {
        l.Add(x, y);
    }
    return l;
}

}  // namespace tarvo::test
