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
    // The captions of the sixteen fields ("teiledat.txt"; a blank one hides its input).
    std::array<std::string, kHeaderFields> labels = {"Feld 1",  "Feld 2",  "Feld 3",  "Feld 4",  "Feld 5",  "Feld 6",
                                                     "Feld 7",  "Feld 8",  "Feld 9",  "Feld 10", "Feld 11", "Feld 12",
                                                     "Feld 13", "Feld 14", "Feld 15", "Feld 16"};
    // Set once the header dialog was closed with OK; never cleared.
    bool present = false;
    // The machine calibration in effect (date, due date, standard), printed in the title block;
    // empty without a calibration.
    std::string calibration;
};

}  // namespace tarvo
