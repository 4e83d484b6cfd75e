// Any bytes as "iso_tol.dat", a memory file or "speicher.dat": the line readers and the ISO
// lookup never crash or hang, and a result line read back by columns never fails.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "data/isotolerance.h"
#include "data/resultline.h"
#include "base/fileio.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("tarvo-fuzz-" + std::to_string(::getpid()) + ".dat");
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    for (const char* text : {"20H7", "18 h6", "1,5K12", "x"}) {
        (void)tarvo::IsoToleranceLookup(text, file);
    }
    for (const auto& line : tarvo::SplitLines(bytes)) {
        (void)tarvo::ReadColumn(line, tarvo::kValueColumn);
        (void)tarvo::ReadColumn(line, tarvo::kXColumn);
        (void)tarvo::ReadColumn(line, tarvo::kYColumn);
    }
    return 0;
}
