// The 48-bit real of TARVO's stored values: 8-bit exponent, 39-bit fraction with a hidden
// leading bit, sign. Arithmetic runs in long double; every store into a Real rounds the value
// to the 48-bit format (round to nearest, ties to even), so results computed here match values
// computed and stored the same way in every earlier installation.
#pragma once

#include <cstdint>
#include <cstring>
#include <limits>

namespace tarvo {

class Real final {
public:
    // Largest magnitude the format holds: (2 - 2^-39) * 2^126, about 1.7e38.
    static const long double kMax;

    constexpr Real() noexcept = default;
    // Rounds to the 48-bit format. Throws RangeError for NaN and for values beyond kMax
    // after rounding; values below the smallest normal (about 2.9e-39) become 0.
    Real(long double v);  // NOLINT(google-explicit-constructor): stores are implicit by design

    constexpr operator long double() const noexcept { return m_v; }  // NOLINT
    [[nodiscard]] constexpr long double value() const noexcept { return m_v; }

    // The stored 48 bits as laid out in the files of the era: bits 0-7 exponent (bias 129,
    // 0 means zero), bits 8-46 fraction, bit 47 sign.
    [[nodiscard]] std::uint64_t bits() const noexcept;
    static Real fromBits(std::uint64_t bits) noexcept;

    Real& operator+=(long double v) { return *this = m_v + v; }
    Real& operator-=(long double v) { return *this = m_v - v; }
    Real& operator*=(long double v) { return *this = m_v * v; }
    Real& operator/=(long double v) { return *this = m_v / v; }

private:
    long double m_v = 0.0L;
};

// The value that stands for "none" wherever a number is expected: the slope of a vertical line,
// the coordinates of parallels and of circles that do not meet, a text that cannot be read as
// an angle, an axis of a pushed foot-switch position not yet received. It is an ordinary value
// that fits the result columns ("999999.999"), so it passes through lists and files unchanged.
inline constexpr long double kMarkerValue = 999999.999L;

// Throws the RangeError of a failed store of v.
[[noreturn]] void RealStoreFailed(long double v);

// Rounds v as a store into a Real would, returning the long double (throws as Real does).
// Works on the bits of the 80-bit extended format (64-bit significand with explicit leading
// bit, 15-bit exponent with bias 16383, sign): it runs on every store, millions of times per
// circle fit.
[[nodiscard]] inline long double RoundToReal(long double v) {
    static_assert(std::numeric_limits<long double>::digits == 64, "x87 extended long double expected");
    constexpr int kSignificandBits = 40;
    constexpr int kDropped = 64 - kSignificandBits;
    constexpr std::uint64_t kHalf = std::uint64_t{1} << (kDropped - 1);
    std::uint64_t mant = 0;
    std::uint16_t signExp = 0;
    std::memcpy(&mant, &v, sizeof mant);
    std::memcpy(&signExp, reinterpret_cast<const char*>(&v) + sizeof mant, sizeof signExp);
    int e = signExp & 0x7FFF;
    if (e == 0x7FFF) {
        RealStoreFailed(v);
    }
    if (e == 0 || mant == 0) {
        return 0.0L;  // zero, or far below the smallest stored value
    }
    const std::uint64_t low = mant & ((std::uint64_t{1} << kDropped) - 1);
    std::uint64_t sig = mant >> kDropped;
    if (low > kHalf || (low == kHalf && (sig & 1))) {
        ++sig;
        if (sig == (std::uint64_t{1} << kSignificandBits)) {
            sig >>= 1;
            ++e;
        }
    }
    const int stored = e - 16383 + 129;  // the 48-bit format's exponent byte
    if (stored > 255) {
        RealStoreFailed(v);
    }
    if (stored < 1) {
        return 0.0L;
    }
    mant = sig << kDropped;
    signExp = static_cast<std::uint16_t>((signExp & 0x8000) | e);
    long double r = 0.0L;
    std::memcpy(&r, &mant, sizeof mant);
    std::memcpy(reinterpret_cast<char*>(&r) + sizeof mant, &signExp, sizeof signExp);
    return r;
}

inline Real::Real(long double v) : m_v(RoundToReal(v)) {}

}  // namespace tarvo
