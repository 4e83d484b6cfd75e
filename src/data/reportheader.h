// The report header data ("Kopfdaten"): sixteen values of at most 50 characters, kept for the
// whole run, printed on the report and stored as the first lines of a memory file.
#pragma once

#include <array>
#include <string>

namespace tarvo {

inline constexpr std::size_t kHeaderFields = 16;
inline constexpr std::size_t kHeaderValueLength = 50;

struct ReportHeaderData {
    std::array<std::string, kHeaderFields> values;
    // Set once the header dialog was closed with OK; never cleared.
    bool present = false;
};

}  // namespace tarvo
