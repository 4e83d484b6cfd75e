#include "data/isotolerance.h"

#include <gtest/gtest.h>

#include "support/tempdir.h"

namespace tarvo {
namespace {

// Limits 3, 6, 10, 18, 30, 50 in 7-character columns; classes H7, h6 and H6.
const char* const kTable =
    "ISO tolerances\r\n"
    "free text\r\n"
    "free text\r\n"
    "      3      6     10     18     30     50\r\n"
    "H7\r\n"
    "not read\r\n"
    "     10     12     15     18     21     25\r\n"
    "      0      0      0      0      0      0\r\n"
    "h6\r\n"
    "not read\r\n"
    "      0      0      0      0      0      0\r\n"
    "     -6     -8     -9    -11    -13    -16\r\n"
    "H6\r\n"
    "not read\r\n"
    "      6      8      9     11     13     16\r\n"
    "      0      0      0      0      0      0\r\n";

class IsoTable : public ::testing::Test {
protected:
    test::TempDir dir;
    void SetUp() override { dir.Write("iso_tol.dat", kTable); }
    IsoTolerance Look(const char* text) { return IsoToleranceLookup(text, dir.work() / "iso_tol.dat"); }
};

TEST_F(IsoTable, PicksTheRangeWhoseInclusiveLimitIsNotBelowTheSize) {
    const IsoTolerance a = Look("20H7");
    ASSERT_TRUE(a.found);
    EXPECT_EQ(a.nominal.value(), 20.0L);
    EXPECT_EQ(a.upper.value(), Real(0.021L).value());
    EXPECT_EQ(a.lower.value(), 0.0L);
    EXPECT_EQ(Look("18H7").upper.value(), Real(0.018L).value());  // the limit is inclusive
    EXPECT_EQ(Look("2,5H7").upper.value(), Real(0.010L).value());
}

TEST_F(IsoTable, ClassCodesAreBlankFreeAndCaseSensitive) {
    const IsoTolerance a = Look("20 h6");
    const IsoTolerance b = Look("20h6");
    ASSERT_TRUE(a.found);
    EXPECT_EQ(a.lower.value(), b.lower.value());
    EXPECT_EQ(a.lower.value(), Real(-0.013L).value());
    EXPECT_EQ(Look("20H6").upper.value(), Real(0.013L).value());
}

TEST_F(IsoTable, WhatTheTableDoesNotHoldIsNotFound) {
    EXPECT_FALSE(Look("20").found);    // no class code
    EXPECT_FALSE(Look("H7").found);    // no size
    EXPECT_FALSE(Look("20k5").found);  // no such class
    EXPECT_FALSE(Look("60H7").found);  // beyond the last limit
    EXPECT_FALSE(IsoToleranceLookup("20H7", dir.work() / "none.dat").found);
}

TEST_F(IsoTable, DamagedTablesNeverCrash) {
    dir.Write("iso_tol.dat", "a\nb\n");
    EXPECT_FALSE(Look("20H7").found);
    dir.Write("iso_tol.dat", "a\nb\nc\n      3     30\nH7\nx\n");  // block cut short
    EXPECT_FALSE(Look("20H7").found);
    dir.Write("iso_tol.dat", "a\nb\nc\n      3     30\nH7\nx\n  1\n");  // short deviation lines
    EXPECT_FALSE(Look("20H7").found);
    dir.Write("iso_tol.dat", "a\nb\nc\n      3     30\nH7\nx\n  1\n");
    dir.Write("iso_tol.dat", "a\nb\nc\n  abc  30\nH7\nx\n  1\n 2\n");
    EXPECT_FALSE(Look("20H7").found);  // an unreadable limit counts as 0
}

// The shipped table against published limit deviations of ISO 286-2 (micrometres).
TEST(ShippedIsoTable, HoldsThePublishedLimitDeviations) {
    const std::filesystem::path table = std::filesystem::path(TARVO_SHIPPED_DATA) / kIsoToleranceFile;
    struct Published {
        const char* text;
        double upper, lower;
    };
    const Published published[] = {
        {"20H7", 21, 0},      {"20h6", 0, -13},     {"40H6", 16, 0},    {"60H8", 46, 0},    {"12H9", 43, 0},
        {"150H11", 250, 0},   {"5H10", 48, 0},      {"8G6", 14, 5},     {"25G7", 28, 7},    {"40F7", 50, 25},
        {"25F8", 53, 20},     {"70E8", 106, 60},    {"15E9", 75, 32},   {"45D9", 142, 80},  {"100D10", 260, 120},
        {"20JS6", 6.5, -6.5}, {"60JS7", 15, -15},   {"25JS8", 16, -16}, {"35JS9", 31, -31}, {"12K6", 2, -9},
        {"40K7", 7, -18},     {"30M6", -4, -17},    {"160M7", 0, -40},  {"50N6", -12, -28}, {"65N7", -9, -39},
        {"22P6", -18, -31},   {"110P7", -24, -59},  {"35h5", 0, -11},   {"75h7", 0, -30},   {"2h8", 0, -14},
        {"200h9", 0, -115},   {"450h11", 0, -400},  {"20g5", -7, -16},  {"45g6", -9, -25},  {"16f6", -16, -27},
        {"28f7", -20, -41},   {"55e7", -60, -90},   {"32e8", -50, -89}, {"19d8", -65, -98}, {"90d9", -120, -207},
        {"24js5", 4.5, -4.5}, {"70js6", 9.5, -9.5}, {"11js9", 21, -21}, {"21k5", 11, 2},    {"48k6", 18, 2},
        {"7m5", 12, 6},       {"26m6", 21, 8},      {"30n5", 24, 15},   {"56n6", 39, 20},   {"14p5", 26, 18},
        {"38p6", 42, 26},     {"85r6", 73, 51},     {"60r6", 60, 41},   {"20s6", 48, 35},   {"110s6", 101, 79},
        {"18H7", 18, 0},      {"500h6", 0, -40},    {"3K7", 0, -10},    {"2M7", -2, -12},   {"220s6", 159, 130},
    };
    for (const Published& p : published) {
        const IsoTolerance t = IsoToleranceLookup(p.text, table);
        ASSERT_TRUE(t.found) << p.text;
        EXPECT_NEAR(static_cast<double>(t.upper.value()) * 1000, p.upper, 1e-6) << p.text;
        EXPECT_NEAR(static_cast<double>(t.lower.value()) * 1000, p.lower, 1e-6) << p.text;
    }
    EXPECT_FALSE(IsoToleranceLookup("501H7", table).found);
    EXPECT_FALSE(IsoToleranceLookup("20Z9", table).found);
    // A class matches whole, never by its beginning (H10, H6, h5, JS6 are in the table).
    for (const char* part : {"20H1", "20H", "20h", "20J", "20js", "20E"}) {
        EXPECT_FALSE(IsoToleranceLookup(part, table).found) << part;
    }
    // E and e classes are classes: the size before them stays the size.
    const IsoTolerance e9 = IsoToleranceLookup("80E9", table);
    ASSERT_TRUE(e9.found);
    EXPECT_EQ(e9.nominal.value(), 80.0L);
    EXPECT_NEAR(static_cast<double>(e9.upper.value()) * 1000, 134, 1e-6);
    EXPECT_TRUE(HasClassCode("55e8"));
    EXPECT_FALSE(ReadNominal("55e8").ok);
    EXPECT_EQ(ReadNominal("55,5").value, 55.5L);
}

}  // namespace
}  // namespace tarvo
