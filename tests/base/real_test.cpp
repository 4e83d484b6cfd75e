#include "base/real.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "base/errors.h"

namespace tarvo {
namespace {

// Patterns worked out by hand from exact fractions: exponent byte (bias 129), then the 39
// fraction bits, then the sign, as the stored files lay them out.
TEST(Real, StoresRoundToTheKnownBitPatterns) {
    struct Case {
        long double value;
        std::uint64_t bits;
    };
    const Case cases[] = {
        {0.1L, 0x4CCCCCCCCD7D},         // 1.6 * 2^-4, fraction rounds up
        {-0.1L, 0xCCCCCCCCCD7D},        // same with the sign bit
        {1.0L / 3.0L, 0x2AAAAAAAAB7F},  // 1.333.. * 2^-2
        {12345.6789L, 0x40E6B731908E}, {1.0L, 0x81}, {0.0L, 0x0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Real(c.value).bits(), c.bits) << static_cast<double>(c.value);
        EXPECT_EQ(Real::fromBits(c.bits).value(), Real(c.value).value());
    }
}

TEST(Real, HalfwayValuesRoundToEven) {
    // 1 + 2^-40 lies halfway between 1 and the next value: the even neighbour is 1.
    EXPECT_EQ(Real(1.0L + std::ldexp(1.0L, -40)).bits(), 0x81u);
    // 1 + 3 * 2^-40 lies halfway between fractions 1 and 2: the even one is 2.
    EXPECT_EQ(Real(1.0L + 3 * std::ldexp(1.0L, -40)).bits(), 0x281u);
    // A carry out of the fraction moves the exponent: just below 2 rounds to 2.
    EXPECT_EQ(Real(2.0L - std::ldexp(1.0L, -42)).value(), 2.0L);
}

TEST(Real, StoresOutsideTheRangeAreErrorsAndTinyValuesBecomeZero) {
    EXPECT_THROW((void)Real(1e39L), RangeError);
    EXPECT_THROW((void)Real(-1e39L), RangeError);
    EXPECT_THROW((void)Real(std::numeric_limits<long double>::quiet_NaN()), RangeError);
    EXPECT_THROW((void)Real(std::numeric_limits<long double>::infinity()), RangeError);
    EXPECT_NO_THROW((void)Real(1.7e38L));
    EXPECT_EQ(Real(Real::kMax).value(), Real::kMax);
    EXPECT_EQ(Real(1e-40L).value(), 0.0L);
    EXPECT_EQ(Real(std::ldexp(1.0L, -128)).bits(), 0x1u);  // the smallest value kept
}

TEST(Real, ArithmeticRunsWideAndRoundsOnStore) {
    Real a = 0.1L;
    Real b = 0.2L;
    const long double wide = a + b;  // not rounded: computed in long double
    Real stored = a + b;
    EXPECT_EQ(stored.value(), Real(wide).value());
    EXPECT_THROW(stored *= 1e39L, RangeError);      // compound stores are checked too
    EXPECT_EQ(stored.value(), Real(wide).value());  // and a failed store changes nothing
}

}  // namespace
}  // namespace tarvo
