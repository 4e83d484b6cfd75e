// The statistics of one feature drawn on a report canvas: the run chart of the values with the
// nominal and the tolerance limits, the individuals and moving-range control charts with their
// limits from the data, the histogram with the tolerance limits and the normal curve, and the
// figures. The statistics window draws the charts with the same code on the screen.
#pragma once

#include <string>
#include <vector>

#include "journal/journal.h"
#include "journal/statistics.h"

namespace tarvo {

class ReportCanvas;
class UiTexts;

// The report written as a PDF into the working folder when no printer is chosen, and its CSV.
inline constexpr const char* kStatisticsReportFile = "statistik.pdf";
inline constexpr const char* kStatisticsCsvFile = "statistik.csv";

struct StatisticsContent {
    JournalFilter filter;
    JournalStatistics stats;
    std::vector<JournalValue> values;  // the newest values, oldest first
    // The texts in the loaded language.
    std::string title;
    std::string runChart, individuals, movingRange, histogram;
    std::vector<std::pair<std::string, std::string>> figures;  // label, value
};

// The figures and the charts' texts for `filter` from `store` (the figures over all values, the
// charts over the newest `filter.limit`).
[[nodiscard]] StatisticsContent CollectStatistics(JournalStore& store, const JournalFilter& filter,
                                                  const UiTexts& texts);

enum class StatisticsChart { Run, Individuals, MovingRange, Histogram };
// One chart into the box (millimetres on the canvas).
void DrawStatisticsChart(const StatisticsContent& c, StatisticsChart chart, ReportCanvas& canvas, double left,
                         double top, double width, double height);
// The whole page: title, filter, figures, the four charts. @retval false the job failed.
bool DrawStatisticsReport(const StatisticsContent& c, ReportCanvas& canvas);

}  // namespace tarvo
