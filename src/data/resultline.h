// The result-line codec: every command writes its result lines here, and the recall, the area
// command and (next) the comparison, the report and the exports read them back here, by fixed
// columns (counted from 1). The columns live in this file and nowhere else.
//
//   1-3 number | 4 blank | 5-26 name and detail (the name fitted into 8, 11, 14 or 21) |
//   27-36 value | 2 blanks | 39-48 X | 2 blanks | 51-60 Y | [2 blanks | 63-72 deviation]
//
// A text line (text, reset, rotation, zeroing) is the number, a blank and its text as it stands.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "base/text.h"
#include "shell/uitexts.h"

namespace tarvo {

inline constexpr int kNumberWidth = 3;
inline constexpr int kLabelWidth = 22;
inline constexpr int kFieldWidth = 10;

// Read-back windows, wider than the fields so a value wider than 10 is still caught.
struct Column {
    int start;  // first character, counted from 1
    int length;
};
inline constexpr Column kValueColumn{25, 12};
inline constexpr Column kXColumn{38, 11};
inline constexpr Column kYColumn{50, 11};
// The value field itself, where an angle may stand as degrees-minutes-seconds text.
inline constexpr Column kValueTextColumn{27, 10};
// The deviation field (63-72) with the blank before it.
inline constexpr Column kDeviationColumn{62, 11};
// The size kind of a circle line: result name 1 ("D") or 2 ("R").
inline constexpr Column kSizeKindColumn{16, 2};

// --- Writing -------------------------------------------------------------------------------
// A number as the value, X, Y and deviation fields show it: right-aligned in 10.
[[nodiscard]] std::string NumberField(long double v, int decimals);
// Columns 5-26: the element name fitted into `nameWidth`, then the detail, padded to 22.
[[nodiscard]] std::string ResultLabel(std::string_view name, int nameWidth, std::string_view detail = {});
// A whole line: the number, the label, the value (right-aligned in 10; empty: blanks) and the
// fields that follow it (X, Y, deviation), each after 2 blanks and right-aligned in 10.
[[nodiscard]] std::string WriteResultLine(int number, std::string_view label, std::string_view value,
                                          std::initializer_list<std::string_view> fields = {});
// A text line: the number, a blank and the text.
[[nodiscard]] std::string WriteTextLine(int number, std::string_view text);
// The line with a new number (at most 200 characters of the rest are kept).
[[nodiscard]] std::string Renumbered(std::string_view line, int number);
// A line of the usual numeric kind: the name in 8, a 14-character detail, value, X, Y and an
// optional deviation with `decimals` places.
[[nodiscard]] std::string BuildResultLine(int number, std::string_view name, std::string_view detail, long double value,
                                          long double x, long double y, int decimals,
                                          std::optional<long double> deviation = std::nullopt);

// --- Reading -------------------------------------------------------------------------------
// How far the columns of a line stand to the right of their places because its number has more
// than three digits: from line 1000 on the number is written whole and moves the rest of the
// line. Every reader of columns adds it, so line 1000 reads as line 999 does.
[[nodiscard]] std::size_t NumberOverflow(std::string_view line);
// The characters of a column (fewer, or none, when the line is shorter).
[[nodiscard]] std::string ColumnText(std::string_view line, Column c);
// A column read as a number with its blanks removed.
[[nodiscard]] NumberRead ReadColumn(std::string_view line, Column c);
[[nodiscard]] inline NumberRead ReadValue(std::string_view line) { return ReadColumn(line, kValueColumn); }
[[nodiscard]] inline NumberRead ReadX(std::string_view line) { return ReadColumn(line, kXColumn); }
[[nodiscard]] inline NumberRead ReadY(std::string_view line) { return ReadColumn(line, kYColumn); }
// The angle of a line result: the value as a number, else the value field read as
// degrees-minutes-seconds text.
[[nodiscard]] long double ReadAngleValue(std::string_view line);
// Whether a line is of the kind result name `n` names: the line contains the name, both
// upper-cased as the code page does. A symmetry line ("Symetriegerade") so also counts as a
// line ("Gerade"), and a text line that mentions a name counts as that kind.
[[nodiscard]] bool HasResultName(std::string_view line, int n, const UiTexts& texts);
// Whether the recall takes a line as a straight line: it names a line (result name 6) or a
// symmetry line (8). In German the one name holds the other; in other languages it need not.
[[nodiscard]] bool IsLineResult(std::string_view line, const UiTexts& texts);
// Whether a circle line's size kind is result name `n`: 1 ("D", a diameter) or 2 ("R").
[[nodiscard]] bool CircleSizeIs(std::string_view line, int n, const UiTexts& texts);

}  // namespace tarvo
