#include "base/text.h"

#include <gtest/gtest.h>

#include <limits>

#include "base/cp1252.h"
#include "base/datetime.h"
#include "base/errors.h"

namespace tarvo {
namespace {

TEST(FormatReal, FixedNotationPaddedOnTheLeft) {
    struct Case {
        long double v;
        int width;
        int decimals;
        const char* text;
    };
    const Case cases[] = {
        {-3.14159L, 10, 3, "    -3.142"},
        {2.4L, 0, 0, "2"},
        {123456789.5L, 8, 3, "123456789.500"},  // wider than the width: written whole
        {12.5L, 8, 3, "  12.500"},
        {-3.25L, 8, 3, "  -3.250"},
        {0.0L, 10, 3, "     0.000"},
        {0.5L, 0, 0, "1"},  // halves round away from zero
        {-2.5L, 0, 0, "-3"},
        {0.0005L, 0, 3, "0.001"},
        {999.9996L, 0, 3, "1000.000"},  // the carry adds a digit
        {0.04L, 0, 1, "0.0"},
        {123.45678L, 8, 4, "123.4568"},
        {1e-9L, 0, 2, "0.00"},
        {1.0L, 0, 5, "1.00000"},
        {999999.999L, 10, 3, "999999.999"},
        {-1e-17L, 10, 3, "     0.000"},  // rounds to zero: no sign
        {-0.0004L, 0, 3, "0.000"},
        {-0.0005L, 0, 3, "-0.001"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatReal(c.v, c.width, c.decimals), c.text) << static_cast<double>(c.v);
    }
}

TEST(FormatReal, NeverLongerThanTwentyCharacters) {
    EXPECT_EQ(FormatReal(1e30L, 0, 3).size(), 20u);
    EXPECT_EQ(FormatReal(1.0L, 0, 30).size(), 20u);
    EXPECT_THROW((void)FormatReal(1.0L, 300, 3), RangeError);
    EXPECT_THROW((void)FormatReal(std::numeric_limits<long double>::infinity(), 10, 3), RangeError);
}

TEST(FormatInt, RightAlignedAndChecked) {
    EXPECT_EQ(FormatInt(7, 3), "  7");
    EXPECT_EQ(FormatInt(1234, 3), "1234");
    EXPECT_EQ(FormatInt(0, 0), "0");
    EXPECT_THROW((void)FormatInt(65536, 3), RangeError);
    EXPECT_THROW((void)FormatInt(-1, 3), RangeError);
}

TEST(TextHelpers, PaddingAndFitting) {
    EXPECT_EQ(FitLeft("Abstand 2P", 8), "Abstand ");
    EXPECT_EQ(FitLeft("D", 8), "D       ");
    EXPECT_EQ(FitLeft("", 30), std::string(22, ' '));  // only 22 blanks are ever added
    EXPECT_EQ(PadRight("ab", 5), "ab   ");
    EXPECT_EQ(PadRight("abcdef", 3), "abcdef");
    EXPECT_EQ(FormatRealLeft(2.5L, 4, 10), "2.5000    ");
    EXPECT_EQ(RemoveSpaces(" 1 2 3 "), "123");
    EXPECT_EQ(RemoveSpacesUnlessTime("06:12:26 : 14:05"), "06:12:26 : 14:05");
    EXPECT_EQ(RemoveSpacesUnlessTime(" 1 . 5"), "1.5");
}

TEST(TextHelpers, NormalizeDecimal) {
    EXPECT_EQ(NormalizeDecimal(",5"), "0.5");
    EXPECT_EQ(NormalizeDecimal("1,234,5"), "1.234.5");
    EXPECT_EQ(NormalizeDecimal("-,5"), "-.5");
    EXPECT_EQ(NormalizeDecimal(""), "");
}

TEST(ReadNumber, AcceptsCommasAndBlanksAndReportsFailure) {
    struct Case {
        const char* text;
        long double value;
        bool ok;
    };
    const Case cases[] = {
        {" 12 , 5 ", 12.5L, true}, {",5", 0.5L, true},    {"-3", -3.0L, true},
        {"+3.5", 3.5L, true},      {"-.5", -0.5L, true},  {"1e3", 1000.0L, true},
        {"1,5E-2", 0.015L, true},  {"5.", 5.0L, true},    {"1,234,5", 0.0L, false},
        {"", 0.0L, false},         {"abc", 0.0L, false},  {"12abc", 0.0L, false},
        {"1e", 0.0L, false},       {"inf", 0.0L, false},  {"nan", 0.0L, false},
        {"1e999", 0.0L, false},  // beyond the stored range
        {"-", 0.0L, false},        {"20H7", 0.0L, false},
    };
    for (const auto& c : cases) {
        const NumberRead r = ReadNumberChecked(c.text);
        EXPECT_EQ(r.ok, c.ok) << c.text;
        EXPECT_DOUBLE_EQ(static_cast<double>(r.value), static_cast<double>(c.value)) << c.text;
    }
    EXPECT_EQ(ReadNumber("garbage"), 0.0L);
}

TEST(UpperCaseOem, AsciiAndOemUmlautsOnly) {
    EXPECT_EQ(UpperCaseOem("gerade 1"), "GERADE 1");
    EXPECT_EQ(UpperCaseOem("\x81\x84\x94"), "\x9A\x8E\x99");
    EXPECT_EQ(UpperCaseOem("\x8E\x99\x9A\x82"), "\x8E\x99\x9A\x82");
    // Windows-1252 umlauts are not OEM ones and stay as they are.
    EXPECT_EQ(UpperCaseOem(Ansi("fläche")), Ansi("FLäCHE"));
}

TEST(DateTexts, TimeStampAndDateCode) {
    const DateTime t{2026, 12, 6, 18, 55, 7};
    EXPECT_EQ(TimeStampText(t), "06:12:26:18:55");
    EXPECT_EQ(DateCode(t), "KkC6It78");
    EXPECT_EQ(DateCode(DateTime{2042, 1, 2, 3, 4, 59}).substr(1, 1), "0");  // 62 mod 62
    EXPECT_EQ(DateCode(DateTime{2042, 1, 2, 3, 4, 59}).substr(6), "xy");
    EXPECT_EQ(TimeStampText(DateTime{2009, 1, 2, 3, 4, 5}), "02:01:09:03:04");
}

TEST(Cp1252, RoundTripsThroughUtf8) {
    const std::string ansi = Ansi("Fläche Meßprotokoll Prüfer €");
    EXPECT_EQ(ansi.size(), 28u);  // one byte per character
    EXPECT_EQ(AnsiToUtf8(ansi), "Fläche Meßprotokoll Prüfer €");
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
    EXPECT_EQ(Utf8ToAnsi("漢"), "?");
}

}  // namespace
}  // namespace tarvo
