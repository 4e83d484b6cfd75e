#include "readout/interfaceprofile.h"

#include "base/checked.h"
#include "base/cp1252.h"
#include "base/ini.h"
#include "readout/commportdriver.h"

namespace tarvo {

namespace {
const char* const kSection = "PARAMETER";

std::string DefaultSign(int slot) { return "0" + std::to_string((slot - 1) % 8 + 1) + "A"; }
}  // namespace

std::string NotAllowedProblem(const std::string& file, std::string_view key, std::string_view text, int used) {
    return file + ": " + std::string(key) + " = " + std::string(text) + " ist nicht erlaubt, es gilt " +
           std::to_string(used);
}

InterfaceProfile::InterfaceProfile() {
    for (int i = 1; i <= 16; ++i) {
        SendSign[i] = DefaultSign(i);
        AxisMark[i] = DefaultSign(i);
        InitSign[i] = DefaultSign(i);
    }
}

std::string InterfaceProfile::ValueWindow(const std::string& line) const {
    const std::size_t start = StartPos == 0 ? 0 : StartPos - 1u;
    if (start >= line.size() || EndPosPlus1 <= StartPos) {
        return {};
    }
    return line.substr(start, static_cast<std::size_t>(EndPosPlus1 - StartPos));
}

std::vector<std::string> LoadInterfaceProfile(const std::filesystem::path& file, InterfaceProfile& p) {
    std::vector<std::string> problems;
    const IniFile ini = IniFile::Load(file);
    const std::string name = file.filename().string();
    const auto integer = [&](const char* key, long long def) { return ini.ReadInteger(kSection, key, def); };
    const auto asWritten = [&](const char* key) { return ini.ReadString(kSection, key, ""); };
    // A byte field takes 0..255 as the file has it (ENDPOS 0..254, since the record keeps
    // ENDPOS + 1): the range is checked before anything is added, so no value can overflow.
    const auto byte = [&](const char* key, int def, std::uint8_t& field, int add = 0) {
        const long long v = integer(key, def);
        if (v < 0 || v > 255 - add) {
            problems.push_back(RangeProblem(name, key, asWritten(key), 0, 255 - add));
            field = static_cast<std::uint8_t>(def + add);
            return;
        }
        field = static_cast<std::uint8_t>(v + add);
    };
    const auto whole = [&](const char* key, long long def, int& field) {
        const long long v = integer(key, def);
        field = FitsIn<int>(v) ? static_cast<int>(v) : static_cast<int>(def);
    };
    // A line setting the port cannot take is held as read; the port keeps its own setting, which
    // is the profile's default, and the operator is told so.
    const auto lineSetting = [&](const char* key, int def, int& field, bool (*allowed)(long long)) {
        whole(key, def, field);
        if (ini.HasKey(kSection, key) && !allowed(integer(key, def))) {
            problems.push_back(NotAllowedProblem(name, key, asWritten(key), def));
        }
    };
    whole("COMx", 1, p.ComPortNumber);
    lineSetting("BAUD", 9600, p.BaudRate, [](long long v) {
        for (int i = br110; i <= br115200; ++i) {
            if (BaudOf(static_cast<TComPortBaudRate>(i)) == v) {
                return true;
            }
        }
        return false;
    });
    whole("PARITY", 0, p.Parity);
    lineSetting("BYTELEN", 8, p.DataBits, [](long long v) { return v >= 5 && v <= 8; });
    lineSetting("STOPBITS", 1, p.StopBits, [](long long v) { return v == 1 || v == 2; });
    for (int i = 1; i <= 16; ++i) {
        const std::string key = i <= 15 ? "snd_SIGN" + std::to_string(i) : "snd_SIGN20";
        p.SendSign[i] = ini.ReadString(kSection, key, DefaultSign(i), 19);
    }
    for (int i = 1; i <= 16; ++i) {
        const std::string key = (i <= 8 ? "MW_SIGN" : "mw_SIGN") + std::to_string(i);
        p.AxisMark[i] = ini.ReadString(kSection, key, DefaultSign(i), 4);
    }
    for (int i = 1; i <= 16; ++i) {
        p.InitSign[i] = ini.ReadString(kSection, "mwi_SIGN" + std::to_string(i), DefaultSign(i), 7);
    }
    byte("ENDCHAR1", 13, p.EndChar1);
    byte("ENDCHAR2", 0, p.EndChar2);
    byte("STARTPOS", 4, p.StartPos);
    byte("ENDPOS", 13, p.EndPosPlus1, 1);
    byte("CNTCH", 2, p.CharCount);
    byte("AUTOTRIGGER", 0, p.AutoTrigger);
    byte("AUTOTRG_S1", 3, p.AutoX.Start);
    byte("AUTOTRG_L1", 9, p.AutoX.Length);
    byte("AUTOTRG_S2", 16, p.AutoY.Start);
    byte("AUTOTRG_L2", 9, p.AutoY.Length);
    p.UseRtsCts = integer("USE_RTS", 0) == 1;
    p.RaiseRts = integer("RTS", 0) == 1;
    p.Terminator = std::string(1, static_cast<char>(p.EndChar1));
    if (p.EndChar2 != 0) {
        p.Terminator += static_cast<char>(p.EndChar2);
    }
    for (int i = 1; i <= 16; ++i) {
        const auto at = p.InitSign[i].find("#13");
        if (at != std::string::npos) {
            p.InitSign[i].replace(at, 3, "\r");
        }
    }
    return problems;
}

}  // namespace tarvo
