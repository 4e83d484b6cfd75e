#include "output/statisticsreport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "output/reportcanvas.h"
#include "shell/uitexts.h"

namespace tarvo {

namespace {

constexpr unsigned kBlack = 0x000000;
constexpr unsigned kGrey = 0x808080;
constexpr unsigned kTolerance = 0xC00000;  // the tolerance limits
constexpr unsigned kControl = 0x0050C0;    // control limits
constexpr unsigned kCenter = 0x008000;     // nominal, mean, mean range
constexpr unsigned kData = 0x202020;
constexpr double kPointMm = 25.4 / 72;

std::string Figure(std::optional<double> v, int digits = 4) {
    if (!v) {
        return "-";
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.*f", digits, *v);
    return buf;
}

// A value in a chart's label: as many digits as the spread of the chart asks for.
std::string Label(double v, double span) {
    const int digits = std::clamp(static_cast<int>(std::ceil(-std::log10(span > 0 ? span : 1) + 2)), 0, 6);
    return Figure(v, digits);
}

struct Line {
    double value;
    std::string name;
    unsigned color;
};

struct Plot {
    ReportCanvas& canvas;
    double left, top, width, height;  // the plot area inside the frame
    double yLow, yHigh;
    double Y(double v) const { return top + height - (v - yLow) / (yHigh - yLow) * height; }
};

// Title, frame and the y range over the data and the lines.
Plot Frame(ReportCanvas& canvas, const std::string& title, double left, double top, double width, double height,
           const std::vector<double>& data, const std::vector<Line>& lines) {
    canvas.SetColor(kBlack);
    canvas.SetFont("Arial", 8);
    canvas.TextMm(title, left, top);
    const double labelWidth = 16;
    Plot p{canvas, left + labelWidth, top + 5, width - labelWidth - 2, height - 10, 0, 1};
    double lo = data.empty() ? 0 : *std::min_element(data.begin(), data.end());
    double hi = data.empty() ? 1 : *std::max_element(data.begin(), data.end());
    for (const Line& l : lines) {
        lo = std::min(lo, l.value);
        hi = std::max(hi, l.value);
    }
    if (!(hi > lo)) {
        const double pad = lo != 0 ? std::abs(lo) * 1e-3 : 1e-3;
        lo -= pad;
        hi += pad;
    }
    const double pad = (hi - lo) * 0.08;
    p.yLow = lo - pad;
    p.yHigh = hi + pad;
    canvas.SetPenWidth(1);
    canvas.SetColor(kGrey);
    canvas.LineMm(p.left, p.top, p.left + p.width, p.top);
    canvas.LineMm(p.left + p.width, p.top, p.left + p.width, p.top + p.height);
    canvas.LineMm(p.left + p.width, p.top + p.height, p.left, p.top + p.height);
    canvas.LineMm(p.left, p.top + p.height, p.left, p.top);
    canvas.SetFont("Arial", 6);
    canvas.SetColor(kBlack);
    const double span = hi - lo;
    canvas.TextMm(Label(p.yHigh, span), left, p.top - 1);
    canvas.TextMm(Label(p.yLow, span), left, p.top + p.height - 2.5);
    for (const Line& l : lines) {
        const double y = p.Y(l.value);
        canvas.SetColor(l.color);
        canvas.SetPenWidth(l.color == kTolerance ? 3 : 2);
        canvas.LineMm(p.left, y, p.left + p.width, y);
        canvas.TextMm(l.name, p.left + p.width - 1.5 * kPointMm * 6 * static_cast<double>(l.name.size()) / 2.2,
                      y - 2.6);
        canvas.TextMm(Label(l.value, span), left, y - 1.2);
    }
    canvas.SetPenWidth(1);
    return p;
}

// The values in order, joined, each marked; values beyond `lower`..`upper` marked in red.
void Series(const Plot& p, const std::vector<double>& data, std::optional<double> lower, std::optional<double> upper,
            std::size_t firstIndex = 0, std::size_t count = 0) {
    ReportCanvas& c = p.canvas;
    const std::size_t n = std::max(count, data.size() + firstIndex);
    const auto x = [&](std::size_t i) {
        return n <= 1 ? p.left + p.width / 2 : p.left + 2 + (p.width - 4) * static_cast<double>(i) / (n - 1);
    };
    c.SetColor(kData);
    c.SetPenWidth(1);
    for (std::size_t i = 1; i < data.size(); ++i) {
        c.LineMm(x(i - 1 + firstIndex), p.Y(data[i - 1]), x(i + firstIndex), p.Y(data[i]));
    }
    const double r = std::clamp(p.width / static_cast<double>(n) / 3, 0.25, 0.7);
    c.SetPenWidth(2);
    for (std::size_t i = 0; i < data.size(); ++i) {
        const bool out = (lower && data[i] < *lower) || (upper && data[i] > *upper);
        c.SetColor(out ? kTolerance : kData);
        const double cx = x(i + firstIndex);
        const double cy = p.Y(data[i]);
        c.LineMm(cx - r, cy, cx + r, cy);
        c.LineMm(cx, cy - r, cx, cy + r);
    }
    c.SetPenWidth(1);
    c.SetColor(kBlack);
    c.SetFont("Arial", 6);
    if (n > 0) {
        c.TextMm(std::to_string(firstIndex + 1), x(firstIndex) - 1, p.top + p.height + 0.5);
        c.TextMm(std::to_string(n), x(n - 1) - 2, p.top + p.height + 0.5);
    }
}

std::vector<double> Actuals(const std::vector<JournalValue>& values) {
    std::vector<double> out;
    out.reserve(values.size());
    for (const JournalValue& v : values) {
        out.push_back(v.actual);
    }
    return out;
}

void DrawHistogram(const StatisticsContent& c, ReportCanvas& canvas, double left, double top, double width,
                   double height) {
    const Histogram h = MakeHistogram(c.values, c.stats);
    canvas.SetColor(kBlack);
    canvas.SetFont("Arial", 8);
    canvas.TextMm(c.histogram, left, top);
    if (h.counts.empty()) {
        return;
    }
    const double plotLeft = left + 8, plotTop = top + 5, plotWidth = width - 10, plotHeight = height - 12;
    const double to = h.from + h.width * static_cast<double>(h.counts.size());
    const double pad = (to - h.from) * 0.05;
    const double xFrom = h.from - pad, xTo = to + pad;
    const auto X = [&](double v) { return plotLeft + (v - xFrom) / (xTo - xFrom) * plotWidth; };
    // The normal curve of mean and sigma overall, as counts of a bin.
    const auto density = [&](double v) {
        const double s = *c.stats.sigmaOverall;
        return static_cast<double>(c.values.size()) * h.width * std::exp(-0.5 * std::pow((v - c.stats.mean) / s, 2)) /
               (s * std::sqrt(2 * 3.14159265358979323846));
    };
    double top_count = *std::max_element(h.counts.begin(), h.counts.end());
    const bool curve = c.stats.sigmaOverall && *c.stats.sigmaOverall > 0;
    if (curve) {
        top_count = std::max(top_count, density(c.stats.mean));
    }
    const auto Y = [&](double count) { return plotTop + plotHeight - count / (top_count * 1.1) * plotHeight; };
    canvas.SetPenWidth(1);
    canvas.SetColor(kGrey);
    canvas.LineMm(plotLeft, plotTop + plotHeight, plotLeft + plotWidth, plotTop + plotHeight);
    canvas.LineMm(plotLeft, plotTop, plotLeft, plotTop + plotHeight);
    canvas.SetColor(kData);
    for (std::size_t i = 0; i < h.counts.size(); ++i) {
        if (h.counts[i] == 0) {
            continue;
        }
        const double x1 = X(h.from + h.width * static_cast<double>(i));
        const double x2 = X(h.from + h.width * static_cast<double>(i + 1));
        const double y = Y(h.counts[i]);
        canvas.LineMm(x1, plotTop + plotHeight, x1, y);
        canvas.LineMm(x1, y, x2, y);
        canvas.LineMm(x2, y, x2, plotTop + plotHeight);
    }
    if (curve) {
        canvas.SetColor(kControl);
        canvas.SetPenWidth(2);
        constexpr int kSteps = 80;
        for (int i = 1; i <= kSteps; ++i) {
            const double a = xFrom + (xTo - xFrom) * (i - 1) / kSteps;
            const double b = xFrom + (xTo - xFrom) * i / kSteps;
            canvas.LineMm(X(a), Y(density(a)), X(b), Y(density(b)));
        }
    }
    canvas.SetFont("Arial", 6);
    const double span = to - h.from;
    const auto mark = [&](std::optional<double> v, const std::string& name, unsigned color) {
        if (!v) {
            return;
        }
        canvas.SetColor(color);
        canvas.SetPenWidth(3);
        canvas.LineMm(X(*v), plotTop, X(*v), plotTop + plotHeight);
        canvas.TextMm(name + " " + Label(*v, span), X(*v) - 6, plotTop + plotHeight + 0.5);
    };
    mark(c.stats.lowerLimit, "UGW", kTolerance);
    mark(c.stats.upperLimit, "OGW", kTolerance);
    canvas.SetPenWidth(1);
    canvas.SetColor(kBlack);
    canvas.TextMm(std::to_string(static_cast<int>(top_count * 1.1)), left, plotTop - 1);
    canvas.TextMm("0", left + 4, plotTop + plotHeight - 2.5);
}

}  // namespace

StatisticsContent CollectStatistics(JournalStore& store, const JournalFilter& filter, const UiTexts& texts) {
    StatisticsContent c;
    c.filter = filter;
    if (const auto a = store.Aggregates(filter)) {
        c.stats = DeriveStatistics(*a);
    }
    c.values = store.Values(filter);
    c.title = texts.Compose(kMsgStatTitle, {filter.program, filter.feature});
    c.runChart = texts.UiText(kMsgStatRunChart);
    c.individuals = texts.UiText(kMsgStatIndividuals);
    c.movingRange = texts.UiText(kMsgStatMovingRange);
    c.histogram = texts.UiText(kMsgStatHistogram);
    const JournalStatistics& s = c.stats;
    c.figures = {
        {"n", std::to_string(s.n)},
        {texts.UiText(kMsgStatMean), s.n > 0 ? Figure(s.mean) : "-"},
        {texts.UiText(kMsgStatSigmaWithin), Figure(s.sigmaWithin, 5)},
        {texts.UiText(kMsgStatSigmaOverall), Figure(s.sigmaOverall, 5)},
        {"Cp", Figure(s.cp, 3)},
        {"Cpk", Figure(s.cpk, 3)},
        {"Pp", Figure(s.pp, 3)},
        {"Ppk", Figure(s.ppk, 3)},
        {texts.UiText(kMsgStatOutside), Figure(s.outsideShare * 100, 2) + " %"},
        {"UGW / OGW", Figure(s.lowerLimit) + " / " + Figure(s.upperLimit)},
    };
    std::string stations;
    for (const std::string& st : filter.stations) {
        stations += (stations.empty() ? "" : ", ") + st;
    }
    const std::string all = texts.UiText(kMsgStatAll);
    c.figures.emplace_back(texts.UiText(kMsgStatPeriod), (filter.from.empty() ? all : filter.from) + " - " +
                                                             (filter.to.empty() ? all : filter.to) + ", " +
                                                             (stations.empty() ? all : stations));
    return c;
}

void DrawStatisticsChart(const StatisticsContent& c, StatisticsChart chart, ReportCanvas& canvas, double left,
                         double top, double width, double height) {
    const std::vector<double> data = Actuals(c.values);
    const std::optional<ControlLimits> limits = IndividualsLimits(c.stats);
    switch (chart) {
        case StatisticsChart::Run: {
            std::vector<Line> lines;
            if (!c.values.empty() && c.values.back().nominal) {
                lines.push_back({*c.values.back().nominal, "N", kCenter});
            }
            if (c.stats.lowerLimit) {
                lines.push_back({*c.stats.lowerLimit, "UGW", kTolerance});
            }
            if (c.stats.upperLimit) {
                lines.push_back({*c.stats.upperLimit, "OGW", kTolerance});
            }
            const Plot p = Frame(canvas, c.runChart, left, top, width, height, data, lines);
            Series(p, data, c.stats.lowerLimit, c.stats.upperLimit);
            break;
        }
        case StatisticsChart::Individuals: {
            std::vector<Line> lines;
            if (limits) {
                lines = {
                    {limits->center, "M", kCenter}, {limits->lower, "UEG", kControl}, {limits->upper, "OEG", kControl}};
            }
            const Plot p = Frame(canvas, c.individuals, left, top, width, height, data, lines);
            Series(p, data, limits ? std::optional(limits->lower) : std::nullopt,
                   limits ? std::optional(limits->upper) : std::nullopt);
            break;
        }
        case StatisticsChart::MovingRange: {
            const std::vector<double> ranges = MovingRanges(c.values);
            std::vector<Line> lines{{0, "", kGrey}};
            if (limits) {
                lines = {{0, "", kGrey}, {limits->rangeCenter, "MR", kCenter}, {limits->rangeUpper, "OEG", kControl}};
            }
            const Plot p = Frame(canvas, c.movingRange, left, top, width, height, ranges, lines);
            Series(p, ranges, std::nullopt, limits ? std::optional(limits->rangeUpper) : std::nullopt, 1,
                   c.values.size());
            break;
        }
        case StatisticsChart::Histogram:
            DrawHistogram(c, canvas, left, top, width, height);
            break;
    }
}

bool DrawStatisticsReport(const StatisticsContent& c, ReportCanvas& canvas) {
    if (!canvas.BeginDoc(c.title)) {
        return false;
    }
    const double w = canvas.PageWidthMm();
    canvas.SetColor(kBlack);
    canvas.SetFont("Arial", 14);
    canvas.TextMm(c.title, 0, 0);
    canvas.SetPenWidth(3);
    canvas.LineMm(0, 8, w, 8);
    canvas.SetPenWidth(1);
    canvas.SetFont("Arial", 9);
    // The figures in two columns.
    const std::size_t half = (c.figures.size() + 1) / 2;
    for (std::size_t i = 0; i < c.figures.size(); ++i) {
        const double x = i < half ? 0 : w / 2;
        const double y = 11 + 5 * static_cast<double>(i < half ? i : i - half);
        canvas.TextMm(c.figures[i].first, x, y);
        canvas.TextMm(c.figures[i].second, x + 45, y);
    }
    double y = 11 + 5 * static_cast<double>(half) + 3;
    const double h = (287 - y) / 4;
    for (const StatisticsChart chart : {StatisticsChart::Run, StatisticsChart::Individuals,
                                        StatisticsChart::MovingRange, StatisticsChart::Histogram}) {
        DrawStatisticsChart(c, chart, canvas, 0, y, w, h - 2);
        y += h;
    }
    return canvas.EndDoc();
}

}  // namespace tarvo
