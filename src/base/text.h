// Number and text conventions: every number TARVO shows or stores as text goes through these
// helpers. Text is Windows-1252 bytes; the decimal separator written is always ".", and a ","
// is accepted wherever a number is read.
#pragma once

#include <string>
#include <string_view>

namespace tarvo {

struct DateTime;

// Fixed notation with exactly `decimals` digits after the point (no point when 0), "-" for
// negative values (not for one that rounds to zero), blanks on the left up to `width`; cut to
// 20 characters. Rounds half away from zero at the requested place.
[[nodiscard]] std::string FormatReal(long double value, int width, int decimals);

// `value` (0..65535, else RangeError) right-aligned in `width` characters; wider values whole.
[[nodiscard]] std::string FormatInt(long long value, int width);

// Fixed notation as FormatReal with width 0, then blanks on the right up to `width`.
[[nodiscard]] std::string FormatRealLeft(long double value, int decimals, int width);

// Blanks appended up to `width`; longer text unchanged.
[[nodiscard]] std::string PadRight(std::string_view text, int width);

// The text left-aligned in `width` columns: followed by 22 blanks and cut to `width`.
[[nodiscard]] std::string FitLeft(std::string_view text, int width);

// Every "," becomes "."; a text starting with "." gets a "0" in front.
[[nodiscard]] std::string NormalizeDecimal(std::string_view text);

// The text with every blank removed.
[[nodiscard]] std::string RemoveSpaces(std::string_view text);

// RemoveSpaces unless the text holds a ":" (a time value), which is kept as it is.
[[nodiscard]] std::string RemoveSpacesUnlessTime(std::string_view text);

struct NumberRead {
    long double value = 0.0L;  // 0 when the text did not convert
    bool ok = false;
};

// NormalizeDecimal, RemoveSpaces, then conversion with "." as separator: an optional sign,
// digits with an optional fraction, an optional exponent. Text that does not convert, or a
// number beyond the 48-bit range, gives {0, false}; most callers ignore `ok` as the system does.
[[nodiscard]] NumberRead ReadNumberChecked(std::string_view text);
[[nodiscard]] long double ReadNumber(std::string_view text);

// Upper-casing of OEM text: ASCII letters, plus the umlauts of code pages 437/850
// (0x81 -> 0x9A, 0x84 -> 0x8E, 0x94 -> 0x99); every other byte unchanged.
[[nodiscard]] std::string UpperCaseOem(std::string_view text);

// Alphabetical order of Windows-1252 text as a German dictionary has it: without regard to case,
// umlauts and accented letters with their base letter ("Öse" between "Nut" and "Passung"), "ß" as
// "ss"; where two texts tie so, the plain letter before the umlaut, then upper before lower case.
[[nodiscard]] bool GermanLess(std::string_view a, std::string_view b);

// "dd:mm:yy:hh:nn" of the given moment.
[[nodiscard]] std::string TimeStampText(const DateTime& now);

// The 8-character code of a moment: century, year - 1980, month, day, hour, minute, second,
// second + 1, each modulo 62 as a digit of "0-9A-Za-z".
[[nodiscard]] std::string DateCode(const DateTime& now);

}  // namespace tarvo
