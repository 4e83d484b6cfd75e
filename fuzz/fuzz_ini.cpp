// Any bytes as a settings file: lookups, the settings load and a write never crash, and a write
// keeps the value it wrote readable.
#include <cstdlib>
#include <string>

#include "base/ini.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    tarvo::IniFile ini = tarvo::IniFile::FromText(text);
    (void)ini.ReadString("Einstellungen", "IFNAME", "IF2M", 9);
    (void)ini.ReadInteger("PARAMETER", "OFFSETX", 0);
    (void)ini.Keys("PARAMETER");
    ini.WriteString("PARAMETER", "OFFSETX", "12345");
    if (ini.ReadInteger("PARAMETER", "OFFSETX", 0) != 12345) {
        std::abort();
    }
    return 0;
}
