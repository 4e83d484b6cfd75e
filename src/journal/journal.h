// The results journal: every replayed part and every comparison judged in it, kept in a
// database so the inspection room can follow a feature over parts, days and stations. The core
// knows the records and the store's interface; the database drivers are adapters in qt/.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/datetime.h"

namespace tarvo {

// One part: a replay of a program, or the comparisons made by hand in one session.
struct JournalPart {
    std::string id;          // chosen by the station, unique across stations (the key everywhere)
    std::string program;     // the program file's name; empty for comparisons made by hand
    std::string partNumber;  // counted per program and station
    long long sequence = 0;  // the same count as a number: orders parts started in one second
    std::string station;
    std::string operatorName;
    std::string start;  // "YYYY-MM-DD HH:MM:SS", local time of the station
    std::string end;
    bool finished = false;  // false: the run was aborted (or the session ended)
};

// One judged comparison of a part. Numbers are absent where the kind has none (kind A).
struct JournalRow {
    std::string feature;
    char kind = 'V';  // 'V' dimension, 'P' position, 'A' attribute
    std::optional<double> nominal;
    std::optional<double> upperLimit;  // absolute limits: nominal + tolerance
    std::optional<double> lowerLimit;
    std::optional<double> actual;     // the judged value (kind P: the distance from the nominal position)
    std::optional<double> deviation;  // actual - nominal
    bool good = false;
    std::string line;  // the judgement line as the result list shows it
};

// One value of a feature, as the charts show it.
struct JournalValue {
    double actual = 0;
    std::optional<double> nominal;
    std::optional<double> lowerLimit;
    std::optional<double> upperLimit;
    std::string partNumber;
    std::string station;
    std::string start;
};

// Which parts a listing or a statistic takes. Empty texts and lists take everything.
struct JournalFilter {
    std::string program;
    std::string feature;                // statistics only
    std::string from;                   // start >= from (a date or a time stamp text)
    std::string to;                     // start < to
    std::vector<std::string> stations;  // any of these
    int limit = 1000;                   // listings and values only: the newest first
};

// What the database adds up for one feature; the figures below are derived from it.
struct JournalAggregates {
    long long n = 0;
    double mean = 0;
    double sumSquares = 0;       // sum of (x - mean)^2
    double sumMovingRanges = 0;  // sum of |x(i) - x(i-1)| in the order the parts were started
    long long movingRanges = 0;
    long long outside = 0;             // values beyond their own limits
    std::optional<double> lowerLimit;  // the limits of the newest part
    std::optional<double> upperLimit;
};

inline constexpr double kD2 = 1.128;  // d2 of moving ranges of two values

// The figures of a feature; an index is absent where it is not defined (too few values, no
// spread, a missing limit).
struct JournalStatistics {
    long long n = 0;
    double mean = 0;
    std::optional<double> sigmaOverall;  // sample standard deviation
    std::optional<double> sigmaWithin;   // mean moving range / d2
    std::optional<double> cp, cpk, pp, ppk;
    double outsideShare = 0;  // 0..1
    std::optional<double> lowerLimit, upperLimit;
};

[[nodiscard]] JournalStatistics DeriveStatistics(const JournalAggregates& a);

// What a store has to tell the operator; each is said once by the store.
struct JournalNote {
    enum class Kind {
        Damaged,       // the journal file cannot be used (detail: why); it is left as it is
        Unreachable,   // the server cannot be reached; parts are kept locally
        Refused,       // the server refused the login (detail: the server's reason)
        Reachable,     // the server is back; the parts kept locally are sent
        PasswordFile,  // the password file is missing or readable by others (detail: the file)
        Failed,        // a write or a query failed (detail: why)
        Sending,       // sending to the server takes a while (detail: the parts still waiting)
    };
    Kind kind;
    std::string detail;
};

// The store behind the journal. Texts are Windows-1252 like all core text; the adapter
// converts. None of the calls throws; a failure is a false/empty answer and a note.
class JournalStore {
public:
    virtual ~JournalStore() = default;
    // Writes the part and its rows in one transaction: after a crash the part is there whole or
    // not at all. A part of the same id is replaced whole.
    [[nodiscard]] virtual bool WritePart(const JournalPart& part, const std::vector<JournalRow>& rows) = 0;
    [[nodiscard]] virtual std::vector<JournalPart> ListParts(const JournalFilter& filter) = 0;
    [[nodiscard]] virtual std::vector<JournalRow> Rows(const std::string& partId) = 0;
    // Sums computed by the database over the values of `filter.feature` in `filter.program`.
    [[nodiscard]] virtual std::optional<JournalAggregates> Aggregates(const JournalFilter& filter) = 0;
    // The newest `filter.limit` values of `filter.feature`, oldest first (the order the parts
    // were started in, as the moving ranges take them).
    [[nodiscard]] virtual std::vector<JournalValue> Values(const JournalFilter& /*filter*/) { return {}; }
    // The programs in the journal, and the features of one ("" : the comparisons made by hand).
    [[nodiscard]] virtual std::vector<std::string> Programs() { return {}; }
    [[nodiscard]] virtual std::vector<std::string> Features(const std::string& /*program*/) { return {}; }
    // The number the next part of `program` gets at this station.
    [[nodiscard]] virtual long long NextPartNumber(const std::string& program, const std::string& station) = 0;
    // What happened since the last call that the operator should hear about.
    [[nodiscard]] virtual std::vector<JournalNote> TakeNotes() = 0;
};

// "YYYY-MM-DD HH:MM:SS".
[[nodiscard]] std::string JournalTime(const DateTime& t);
// A random id in the form of a UUID (version 4).
[[nodiscard]] std::string NewPartId();

}  // namespace tarvo

namespace tarvo {

// The journal as text lines (tarvo-cli, exports): fields joined by " | ", numbers with up to
// 10 significant digits, "-" for an absent one.
[[nodiscard]] std::string JournalNumber(std::optional<double> v);
[[nodiscard]] std::string PartText(const JournalPart& p);
[[nodiscard]] std::string RowText(const JournalRow& r);
[[nodiscard]] std::vector<std::string> StatisticsText(const JournalStatistics& s);

}  // namespace tarvo
