// Any text as a point item: GetPoint never crashes and returns values in range.
#include <string>

#include "data/pointmemory.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    tarvo::PointMemory m;
    m.Append(std::string(reinterpret_cast<const char*>(data), size));
    (void)m.GetPoint(0);
    return 0;
}
