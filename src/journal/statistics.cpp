#include "journal/statistics.h"

#include <algorithm>
#include <cmath>

#include "base/cp1252.h"

namespace tarvo {

std::optional<ControlLimits> IndividualsLimits(const JournalStatistics& s) {
    if (!s.sigmaWithin || s.n < 2) {
        return std::nullopt;
    }
    ControlLimits c;
    c.center = s.mean;
    c.lower = s.mean - 3 * *s.sigmaWithin;
    c.upper = s.mean + 3 * *s.sigmaWithin;
    c.rangeCenter = *s.sigmaWithin * kD2;
    c.rangeUpper = kD4 * c.rangeCenter;
    return c;
}

std::vector<double> MovingRanges(const std::vector<JournalValue>& values) {
    std::vector<double> out;
    for (std::size_t i = 1; i < values.size(); ++i) {
        out.push_back(std::abs(values[i].actual - values[i - 1].actual));
    }
    return out;
}

Histogram MakeHistogram(const std::vector<JournalValue>& values, const JournalStatistics& s) {
    Histogram h;
    if (values.empty()) {
        return h;
    }
    double lo = values.front().actual;
    double hi = lo;
    for (const JournalValue& v : values) {
        lo = std::min(lo, v.actual);
        hi = std::max(hi, v.actual);
    }
    for (const auto& limit : {s.lowerLimit, s.upperLimit}) {
        if (limit) {
            lo = std::min(lo, *limit);
            hi = std::max(hi, *limit);
        }
    }
    if (!(hi > lo)) {
        const double pad = lo != 0 ? std::abs(lo) * 1e-3 : 1e-3;
        lo -= pad;
        hi += pad;
    }
    const int bins = std::clamp(static_cast<int>(std::ceil(std::log2(static_cast<double>(values.size())) + 1)), 5, 30);
    h.width = (hi - lo) / bins;
    h.from = lo;
    h.counts.assign(static_cast<std::size_t>(bins), 0);
    for (const JournalValue& v : values) {
        const auto bin = static_cast<std::size_t>(std::clamp(static_cast<int>((v.actual - lo) / h.width), 0, bins - 1));
        ++h.counts[bin];
    }
    return h;
}

namespace {

std::string Field(const std::string& ansi) {
    std::string text = AnsiToUtf8(ansi);
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + "\"";
}

std::string Number(std::optional<double> v) { return v ? JournalNumber(v) : std::string(); }

}  // namespace

std::string StatisticsCsv(const JournalFilter& filter, const JournalStatistics& s,
                          const std::vector<JournalValue>& values) {
    std::string out = "figure,value\r\n";
    const auto figure = [&out](const std::string& name, const std::string& value) {
        out += name + "," + Field(value) + "\r\n";
    };
    figure("program", filter.program);
    figure("feature", filter.feature);
    figure("from", filter.from);
    figure("to", filter.to);
    std::string stations;
    for (const std::string& st : filter.stations) {
        stations += (stations.empty() ? "" : " ") + st;
    }
    figure("stations", stations);
    figure("n", std::to_string(s.n));
    figure("mean", Number(s.n > 0 ? std::optional<double>(s.mean) : std::nullopt));
    figure("sigma_within", Number(s.sigmaWithin));
    figure("sigma_overall", Number(s.sigmaOverall));
    figure("Cp", Number(s.cp));
    figure("Cpk", Number(s.cpk));
    figure("Pp", Number(s.pp));
    figure("Ppk", Number(s.ppk));
    figure("outside", Number(s.outsideShare));
    figure("LSL", Number(s.lowerLimit));
    figure("USL", Number(s.upperLimit));
    out += "\r\npart,station,start,actual,nominal,lower_limit,upper_limit,moving_range\r\n";
    for (std::size_t i = 0; i < values.size(); ++i) {
        const JournalValue& v = values[i];
        out += Field(v.partNumber) + "," + Field(v.station) + "," + Field(v.start) + "," + JournalNumber(v.actual) +
               "," + Number(v.nominal) + "," + Number(v.lowerLimit) + "," + Number(v.upperLimit) + "," +
               (i > 0 ? JournalNumber(std::abs(v.actual - values[i - 1].actual)) : std::string()) + "\r\n";
    }
    return out;
}

}  // namespace tarvo
