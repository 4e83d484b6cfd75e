#include "shell/real.h"

#include <cmath>
#include <string>

#include "shell/cp1252.h"
#include "shell/errors.h"

namespace tarvo {

namespace {
constexpr int kFractionBits = 39;
constexpr int kSignificandBits = kFractionBits + 1;  // with the hidden bit
constexpr int kBias = 129;
}  // namespace

const long double Real::kMax = std::ldexp(2.0L - std::ldexp(1.0L, -kFractionBits), 126);

long double RoundToReal(long double v) {
    if (std::isnan(v)) {
        throw RangeError(Ansi("Ungültige Zahl"));
    }
    if (v == 0.0L) {
        return 0.0L;
    }
    if (std::isinf(v)) {
        throw RangeError(Ansi("Zahl außerhalb des Wertebereichs"));
    }
    int exp = 0;
    const long double m = std::frexp(std::fabs(v), &exp);  // m in [0.5, 1)
    // m * 2^40 is exact in long double (64-bit significand); rint rounds ties to even.
    long double sig = std::rint(std::ldexp(m, kSignificandBits));
    if (sig == std::ldexp(1.0L, kSignificandBits)) {
        sig = std::ldexp(1.0L, kSignificandBits - 1);
        ++exp;
    }
    // value = sig * 2^(exp - 40); stored exponent e = exp + 128.
    const int stored = exp + kBias - 1;
    if (stored > 255) {
        throw RangeError(Ansi("Zahl außerhalb des Wertebereichs"));
    }
    if (stored < 1) {
        return 0.0L;
    }
    const long double r = std::ldexp(sig, exp - kSignificandBits);
    return v < 0 ? -r : r;
}

Real::Real(long double v) : m_v(RoundToReal(v)) {}

std::uint64_t Real::bits() const noexcept {
    if (m_v == 0.0L) {
        return 0;
    }
    int exp = 0;
    const long double m = std::frexp(std::fabs(m_v), &exp);
    const auto sig = static_cast<std::uint64_t>(std::ldexp(m, kSignificandBits));
    const std::uint64_t fraction = sig & ((std::uint64_t{1} << kFractionBits) - 1);
    const auto stored = static_cast<std::uint64_t>(exp + kBias - 1);
    const std::uint64_t sign = m_v < 0 ? 1 : 0;
    return (sign << 47) | (fraction << 8) | stored;
}

Real Real::fromBits(std::uint64_t bits) noexcept {
    Real r;
    const auto stored = static_cast<int>(bits & 0xFF);
    if (stored == 0) {
        return r;
    }
    const std::uint64_t fraction = (bits >> 8) & ((std::uint64_t{1} << kFractionBits) - 1);
    const std::uint64_t sig = fraction | (std::uint64_t{1} << kFractionBits);
    long double v = std::ldexp(static_cast<long double>(sig), stored - kBias - kFractionBits);
    if ((bits >> 47) & 1) {
        v = -v;
    }
    r.m_v = v;
    return r;
}

}  // namespace tarvo
