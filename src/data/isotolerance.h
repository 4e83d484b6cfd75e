// The ISO tolerance table "iso_tol.dat": a size with a tolerance class ("20H7") gives the
// nominal size and its upper and lower deviation in millimetres.
#pragma once

#include <filesystem>
#include <string_view>

#include "base/real.h"
#include "base/text.h"

namespace tarvo {

inline constexpr const char* kIsoToleranceFile = "iso_tol.dat";

struct IsoTolerance {
    bool found = false;
    Real nominal = 0.0L;
    Real upper = 0.0L;  // mm
    Real lower = 0.0L;  // mm
};

// Whether a typed size carries a tolerance class: any character from ":" on (a letter). "80E9"
// and "55e8" are the sizes 80 and 55 with the classes E9 and e8, never numbers in exponent
// notation.
[[nodiscard]] bool HasClassCode(std::string_view text);
// A nominal size as typed: a plain number; a text with a class code does not convert.
[[nodiscard]] NumberRead ReadNominal(std::string_view text);

// Looks the text up in `table`. Line 4 holds the upper limits of the size ranges in columns of
// 7 characters (a limit is inclusive); then each class has a block of 4 lines: a line beginning
// with the class code (letter case matters), one unread line, the upper and the lower
// deviations in micrometres in the same columns. The class matches the line's first word whole.
// Not found: no class code, no such class, a size beyond the table, or an unreadable table.
[[nodiscard]] IsoTolerance IsoToleranceLookup(std::string_view text, const std::filesystem::path& table);

}  // namespace tarvo
