// Any bytes as a settings file and as the files read beside it at start-up: the private-profile
// reader, the whole settings load and its write-back, the interface profile (".VAL"), the marker
// files "ch_dir" and "timer" and the counter card's "if3inc.adr" and "if3inc.dat" never crash,
// a write keeps the value it wrote readable, and a file that was not used is never written over.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "base/fileio.h"
#include "base/ini.h"
#include "fuzzdir.h"
#include "readout/countercard.h"
#include "readout/interfaceprofile.h"
#include "shell/settings.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    static const std::filesystem::path dir = FuzzDir("ini");
    const std::string text(reinterpret_cast<const char*>(data), size);
    tarvo::IniFile ini = tarvo::IniFile::FromText(text);
    (void)ini.ReadString("Einstellungen", "IFNAME", "IF2M", 9);
    (void)ini.ReadInteger("PARAMETER", "OFFSETX", 0);
    (void)ini.Keys("PARAMETER");
    ini.WriteString("PARAMETER", "OFFSETX", "12345");
    if (ini.ReadInteger("PARAMETER", "OFFSETX", 0) != 12345) {
        std::abort();
    }

    for (const char* name : {"TARVO.INI", "IF2M.VAL", "ch_dir", "timer", "if3inc.adr", "if3inc.dat"}) {
        std::ofstream(dir / name, std::ios::binary | std::ios::trunc) << text;
    }
    tarvo::Settings settings;
    (void)tarvo::LoadSettings(dir / "TARVO.INI", settings);
    const bool used = !tarvo::IniFile::Load(dir / "TARVO.INI").Unreadable();
    (void)tarvo::SaveSettings(dir / "TARVO.INI", settings);
    if (!used && tarvo::ReadFileBytes(dir / "TARVO.INI") != text) {
        std::abort();  // a damaged settings file was written over
    }
    tarvo::InterfaceProfile profile;
    (void)tarvo::LoadInterfaceProfile(dir / "IF2M.VAL", profile);
    (void)profile.ValueWindow(text);
    std::vector<std::string> problems;
    (void)tarvo::ApplyMarkerFiles(dir, settings, problems);
    tarvo::CounterCard card;
    tarvo::MemoryIoPorts ports;
    (void)tarvo::InitCounterCard(dir, card, ports);
    for (int axis = 1; axis <= 3; ++axis) {
        (void)tarvo::ReadCounter(card, ports, axis);
    }
    (void)tarvo::TakeFileNotes();
    return 0;
}
