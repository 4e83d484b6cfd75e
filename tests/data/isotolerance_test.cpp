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
    EXPECT_FALSE(Look("20").found);      // no class code
    EXPECT_FALSE(Look("H7").found);      // no size
    EXPECT_FALSE(Look("20k5").found);    // no such class
    EXPECT_FALSE(Look("60H7").found);    // beyond the last limit
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

}  // namespace
}  // namespace tarvo
