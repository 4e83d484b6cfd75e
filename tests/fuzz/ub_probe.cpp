// A fuzz target with one signed overflow, reached by any input of two bytes or more.
#include <climits>
#include <cstddef>

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    volatile long long v = LLONG_MAX - 1;
    for (std::size_t i = 0; i < size; ++i) {
        v = v + data[i];
    }
    return 0;
}
