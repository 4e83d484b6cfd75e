#include "base/real.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "base/cp1252.h"
#include "base/errors.h"

namespace tarvo {

namespace {
constexpr int kFractionBits = 39;
constexpr int kSignificandBits = kFractionBits + 1;  // with the hidden bit
constexpr int kBias = 129;
}  // namespace

const long double Real::kMax = std::ldexp(2.0L - std::ldexp(1.0L, -kFractionBits), 126);

void RealStoreFailed(long double v) {
    throw RangeError(std::isnan(v) ? Ansi("Ungültige Zahl") : Ansi("Zahl außerhalb des Wertebereichs"));
}

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
