// The result-line layout: every measuring command writes it and reports, exports and the recall
// read it back by fixed columns (counted from 1), so the columns live here and nowhere else.
//
//   1-3 number | 4 blank | 5-12 name | 13-26 detail | 27-36 value | 2 blanks | 39-48 X |
//   2 blanks | 51-60 Y | [2 blanks | 63-72 deviation]
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/text.h"

namespace tarvo {

inline constexpr int kNumberWidth = 3;
inline constexpr int kNameWidth = 8;
inline constexpr int kDetailWidth = 14;
inline constexpr int kFieldWidth = 10;

// Read-back windows, wider than the fields so a value wider than 10 is still caught.
struct Column {
    int start;  // first character, counted from 1
    int length;
};
inline constexpr Column kValueColumn{25, 12};
inline constexpr Column kXColumn{38, 11};
inline constexpr Column kYColumn{50, 11};
inline constexpr Column kDetailColumn{13, 14};
// Where the recall looks for the size name "D" of a circle line.
inline constexpr Column kSizeNameColumn{16, 2};

// "  8 Kreis   ": the number right-aligned in 3, a blank, the name fitted into 8.
[[nodiscard]] std::string ResultHead(int number, std::string_view name);
// Value, X and Y, each right-aligned in 10 with `decimals` places, 2 blanks between.
[[nodiscard]] std::string ResultNumbers(long double value, long double x, long double y, int decimals);
// A whole line: head, the detail padded to 14, the numbers and an optional deviation.
[[nodiscard]] std::string BuildResultLine(int number, std::string_view name, std::string_view detail,
                                          long double value, long double x, long double y, int decimals,
                                          std::optional<long double> deviation = std::nullopt);

// The characters of a column (fewer, or none, when the line is shorter).
[[nodiscard]] std::string ColumnText(std::string_view line, Column c);
// A column read as a number with its blanks removed.
[[nodiscard]] NumberRead ReadColumn(std::string_view line, Column c);

}  // namespace tarvo
