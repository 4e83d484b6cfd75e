// Any text read as a number: no crash, and a successful read is a finite value in range.
#include <cmath>
#include <cstdlib>
#include <string>

#include "base/real.h"
#include "base/text.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const tarvo::NumberRead r = tarvo::ReadNumberChecked(text);
    if (r.ok && (!std::isfinite(r.value) || std::fabs(r.value) > tarvo::Real::kMax)) {
        std::abort();
    }
    if (!r.ok && r.value != 0.0L) {
        std::abort();
    }
    if (r.ok) {
        (void)tarvo::FormatReal(r.value, 10, static_cast<int>(size % 12));
    }
    return 0;
}
