// What the statistics window and its report show besides the figures: the limits of the
// individuals and moving-range control chart, the histogram's bins, and the CSV file of the
// values and figures.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "journal/journal.h"

namespace tarvo {

inline constexpr double kD4 = 3.267;  // D4 of moving ranges of two values

// The individuals chart: mean +- 3 sigma within; the moving-range chart: mean range (sigma
// within * d2) and its upper limit D4 * mean range (the lower one is 0).
struct ControlLimits {
    double center = 0;
    double lower = 0;
    double upper = 0;
    double rangeCenter = 0;
    double rangeUpper = 0;
};
[[nodiscard]] std::optional<ControlLimits> IndividualsLimits(const JournalStatistics& s);

// |x(i) - x(i-1)| from the second value on.
[[nodiscard]] std::vector<double> MovingRanges(const std::vector<JournalValue>& values);

// Equal bins from `from` on, over the values and the tolerance limits; Sturges' number of bins
// (5 to 30).
struct Histogram {
    double from = 0;
    double width = 0;
    std::vector<int> counts;
};
[[nodiscard]] Histogram MakeHistogram(const std::vector<JournalValue>& values, const JournalStatistics& s);

// The CSV file: the figures as "figure,value" lines, an empty line, then one line a value
// (part, station, start, actual, nominal, limits, moving range). Comma-separated, dot decimals,
// UTF-8; fields with commas, quotes or line breaks quoted (RFC 4180).
[[nodiscard]] std::string StatisticsCsv(const JournalFilter& filter, const JournalStatistics& s,
                                        const std::vector<JournalValue>& values);

}  // namespace tarvo
