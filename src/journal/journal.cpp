#include "journal/journal.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

namespace tarvo {

JournalStatistics DeriveStatistics(const JournalAggregates& a) {
    JournalStatistics s;
    s.n = a.n;
    s.mean = a.mean;
    s.lowerLimit = a.lowerLimit;
    s.upperLimit = a.upperLimit;
    if (a.n > 0) {
        s.outsideShare = static_cast<double>(a.outside) / static_cast<double>(a.n);
    }
    if (a.n >= 2) {
        s.sigmaOverall = std::sqrt(std::max(a.sumSquares, 0.0) / static_cast<double>(a.n - 1));
    }
    if (a.movingRanges >= 1) {
        s.sigmaWithin = a.sumMovingRanges / static_cast<double>(a.movingRanges) / kD2;
    }
    // Cp from the width of the tolerance, Cpk from the nearer limit (one limit is enough).
    const auto indices = [&a](std::optional<double> sigma, std::optional<double>& p, std::optional<double>& pk) {
        if (!sigma || !(*sigma > 0)) {
            return;
        }
        if (a.lowerLimit && a.upperLimit) {
            p = (*a.upperLimit - *a.lowerLimit) / (6 * *sigma);
        }
        std::optional<double> k;
        if (a.upperLimit) {
            k = (*a.upperLimit - a.mean) / (3 * *sigma);
        }
        if (a.lowerLimit) {
            const double lower = (a.mean - *a.lowerLimit) / (3 * *sigma);
            k = k ? std::min(*k, lower) : lower;
        }
        pk = k;
    };
    indices(s.sigmaWithin, s.cp, s.cpk);
    indices(s.sigmaOverall, s.pp, s.ppk);
    return s;
}

std::string JournalTime(const DateTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
    return buf;
}

std::string NewPartId() {
    // Two stations never draw the same 122 random bits in practice; the id is the key of the
    // part in every journal it reaches.
    static thread_local std::mt19937_64 gen([] {
        std::random_device rd;
        std::seed_seq seq{rd(), rd(), rd(), rd(), rd(), rd(), rd(), rd()};
        return std::mt19937_64(seq);
    }());
    std::uint64_t hi = gen();
    std::uint64_t lo = gen();
    hi = (hi & 0xFFFFFFFFFFFF0FFFULL) | 0x0000000000004000ULL;  // version 4
    lo = (lo & 0x3FFFFFFFFFFFFFFFULL) | 0x8000000000000000ULL;  // variant 1
    char buf[40];
    std::snprintf(buf, sizeof buf, "%08llx-%04llx-%04llx-%04llx-%012llx", static_cast<unsigned long long>(hi >> 32),
                  static_cast<unsigned long long>((hi >> 16) & 0xFFFF), static_cast<unsigned long long>(hi & 0xFFFF),
                  static_cast<unsigned long long>(lo >> 48), static_cast<unsigned long long>(lo & 0xFFFFFFFFFFFFULL));
    return buf;
}

}  // namespace tarvo

namespace tarvo {

std::string JournalNumber(std::optional<double> v) {
    if (!v) {
        return "-";
    }
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.10g", *v);
    return buf;
}

std::string PartText(const JournalPart& p) {
    return p.id + " | " + p.program + " | " + p.partNumber + " | " + p.station + " | " + p.operatorName + " | " +
           p.start + " | " + p.end + " | " + (p.finished ? "finished" : "aborted");
}

std::string RowText(const JournalRow& r) {
    return r.feature + " | " + std::string(1, r.kind) + " | " + JournalNumber(r.nominal) + " | " +
           JournalNumber(r.lowerLimit) + " | " + JournalNumber(r.upperLimit) + " | " + JournalNumber(r.actual) + " | " +
           JournalNumber(r.deviation) + " | " + (r.good ? "good" : "bad");
}

std::vector<std::string> StatisticsText(const JournalStatistics& s) {
    return {"n=" + std::to_string(s.n),
            "mean=" + JournalNumber(s.n > 0 ? std::optional<double>(s.mean) : std::nullopt),
            "sigma=" + JournalNumber(s.sigmaOverall),
            "sigma_within=" + JournalNumber(s.sigmaWithin),
            "Cp=" + JournalNumber(s.cp),
            "Cpk=" + JournalNumber(s.cpk),
            "Pp=" + JournalNumber(s.pp),
            "Ppk=" + JournalNumber(s.ppk),
            "outside=" + JournalNumber(s.outsideShare),
            "LSL=" + JournalNumber(s.lowerLimit),
            "USL=" + JournalNumber(s.upperLimit)};
}

}  // namespace tarvo
