// Checked narrowing: a value that does not fit its field is an error, never a silent truncation.
#pragma once

#include <limits>
#include <string>

#include "base/errors.h"

namespace tarvo {

template <class To, class From>
[[nodiscard]] constexpr bool FitsIn(From v) noexcept {
    return v >= static_cast<From>(std::numeric_limits<To>::min()) &&
           v <= static_cast<From>(std::numeric_limits<To>::max());
}

// Stores `v` into the narrower type or throws RangeError naming `what`.
template <class To, class From>
[[nodiscard]] To CheckedNarrow(From v, const std::string& what) {
    if (!FitsIn<To>(v)) {
        throw RangeError(what + " = " + std::to_string(v) + ": Bereichsfehler");
    }
    return static_cast<To>(v);
}

// Index into a list of `size` entries, or RangeError.
inline std::size_t CheckedIndex(long long i, std::size_t size, const std::string& what) {
    if (i < 0 || static_cast<unsigned long long>(i) >= size) {
        throw RangeError(what + ": Index " + std::to_string(i) +
                         " au\xDF"
                         "erhalb 0.." +
                         std::to_string(static_cast<long long>(size) - 1));
    }
    return static_cast<std::size_t>(i);
}

}  // namespace tarvo
