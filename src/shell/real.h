// The 48-bit real of TARVO's stored values: 8-bit exponent, 39-bit fraction with a hidden
// leading bit, sign. Arithmetic runs in long double; every store into a Real rounds the value
// to the 48-bit format (round to nearest, ties to even), so results computed here match values
// computed and stored the same way in every earlier installation.
#pragma once

#include <cstdint>

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

// Rounds v as a store into a Real would, returning the long double (throws as Real does).
[[nodiscard]] long double RoundToReal(long double v);

}  // namespace tarvo
