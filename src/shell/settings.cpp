#include "shell/settings.h"

#include <sys/stat.h>

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <span>
#include <variant>

#include "base/checked.h"
#include "base/cp1252.h"
#include "base/ini.h"
#include "base/text.h"

namespace tarvo {

namespace {

// How a field is stored in the settings file.
enum class Stored {
    No,      // set by a marker file, never read from or written to the settings file
    Text,    // a string of at most `maxLength` characters
    Byte,    // an integer 0..255
    Flag,    // nonzero is on (stored back as 0 or 1)
    Slow,    // "SLOW_MODE": on only when the value is exactly 1, never switched off
    Offset,  // a signed 32-bit integer in units of 0.0001
    Choice,  // one of the names in `choices` (any case); another keeps the default and is said
};

using FieldRef = std::variant<std::string Settings::*, std::uint8_t Settings::*, Real Settings::*>;

struct Field {
    const char* name;  // as `print settings` lists it
    FieldRef ref;
    Stored stored;
    const char* section;  // where it is stored
    const char* key;
    std::size_t maxLength;                      // Text: the longest value read
    bool savedAtExit;                           // written back when the main window closes
    std::span<const char* const> choices = {};  // Choice: the names it takes
};

// Every field of the settings record, in the order they are listed. Loading reads them in this
// order, the exit writes those marked saved, `print settings` lists them all.
const std::array<Field, 21> kFields = {{
    {"IfName", &Settings::IfName, Stored::Text, kSectionSettings, "IFNAME", 9, false},
    {"Decimals", &Settings::Decimals, Stored::Byte, kSectionSettings, "NK", 0, false},
    {"FontSize", &Settings::FontSize, Stored::Byte, kSectionParameter, "FONT_SIZE", 0, false},
    {"Language", &Settings::Language, Stored::Byte, kSectionSettings, "LANGUAGE", 0, false},
    {"OffsetX", &Settings::OffsetX, Stored::Offset, kSectionParameter, "OFFSETX", 0, true},
    {"OffsetY", &Settings::OffsetY, Stored::Offset, kSectionParameter, "OFFSETY", 0, true},
    {"OffsetW", &Settings::OffsetW, Stored::Offset, kSectionParameter, "OFFSETW", 0, true},
    {"CircleMode", &Settings::CircleMode, Stored::Byte, kSectionParameter, "KR_MODE", 0, false},
    {"AngleMode", &Settings::AngleMode, Stored::Byte, kSectionParameter, "WI_MODE", 0, false},
    {"If3Inc", &Settings::If3Inc, Stored::Flag, kSectionParameter, "IF3INC", 0, false},
    {"NoZero", &Settings::NoZero, Stored::Flag, kSectionParameter, "NOZERO", 0, false},
    {"TriggerMode", &Settings::TriggerMode, Stored::Byte, kSectionParameter, "TR_MODE", 0, true},
    {"SlowMode", &Settings::SlowMode, Stored::Slow, kSectionParameter, "SLOW_MODE", 0, false},
    {"DxfInitialDir", &Settings::DxfInitialDir, Stored::Text, kSectionSettings, "DXFINITIALDIR", 78, true},
    {"AngleDiffLine", &Settings::AngleDiffLine, Stored::No, nullptr, nullptr, 0, false},
    {"SiemensMode", &Settings::SiemensMode, Stored::No, nullptr, nullptr, 0, false},
    {"AxisFactorX", &Settings::AxisFactorX, Stored::No, nullptr, nullptr, 0, false},
    {"AxisFactorY", &Settings::AxisFactorY, Stored::No, nullptr, nullptr, 0, false},
    {"AxisFactorZ", &Settings::AxisFactorZ, Stored::No, nullptr, nullptr, 0, false},
    {"CircleReference", &Settings::CircleReference, Stored::Choice, kSectionParameter, "KR_BEZUG", 0, false,
     kCircleReferences},
    {"LineReference", &Settings::LineReference, Stored::Choice, kSectionParameter, "GE_BEZUG", 0, false,
     kLineReferences},
}};

// The name among `choices` that `value` is, compared without regard to case and blanks around.
const char* ChoiceOf(std::span<const char* const> choices, std::string_view value) {
    const std::string v = UpperCaseOem(value);
    for (const char* c : choices) {
        if (v == c) {
            return c;
        }
    }
    return nullptr;
}

// Reads one field; a value outside the field's range keeps the default and is reported.
void ReadField(const Field& f, const IniFile& ini, const std::string& file, Settings& s,
               std::vector<std::string>& problems) {
    if (f.stored == Stored::No) {
        return;
    }
    if (f.stored == Stored::Text) {
        std::string& text = s.*std::get<std::string Settings::*>(f.ref);
        text = ini.ReadString(f.section, f.key, text, f.maxLength);
        return;
    }
    if (f.stored == Stored::Choice) {
        if (!ini.HasKey(f.section, f.key)) {
            return;
        }
        const std::string value = ini.ReadString(f.section, f.key, "");
        if (const char* name = ChoiceOf(f.choices, value)) {
            s.*std::get<std::string Settings::*>(f.ref) = name;
        } else {
            problems.push_back(file + ": " + f.key + " = " + value + Ansi(" ist unbekannt; es gilt ") +
                               s.*std::get<std::string Settings::*>(f.ref));
        }
        return;
    }
    if (!ini.HasKey(f.section, f.key)) {
        return;
    }
    if (f.stored == Stored::Offset) {
        const long long v = ini.ReadInteger(f.section, f.key, 0);
        if (!FitsIn<std::int32_t>(v)) {
            problems.push_back(RangeProblem(file, f.key, ini.ReadString(f.section, f.key, ""),
                                            std::numeric_limits<std::int32_t>::min(),
                                            std::numeric_limits<std::int32_t>::max()));
            return;
        }
        s.*std::get<Real Settings::*>(f.ref) = static_cast<long double>(v) * 0.0001L;
        return;
    }
    std::uint8_t& field = s.*std::get<std::uint8_t Settings::*>(f.ref);
    if (f.stored == Stored::Flag) {
        field = ini.ReadInteger(f.section, f.key, 0) != 0 ? 1 : 0;
    } else if (f.stored == Stored::Slow) {
        if (ini.ReadInteger(f.section, f.key, 0) == 1) {
            field = 1;
        }
    } else {
        const long long v = ini.ReadInteger(f.section, f.key, field);
        if (!FitsIn<std::uint8_t>(v)) {
            problems.push_back(RangeProblem(file, f.key, ini.ReadString(f.section, f.key, ""), 0, 255));
            return;
        }
        field = static_cast<std::uint8_t>(v);
    }
}

// Offset in units of 0.0001, rounded to nearest (ties to even, as the platform's rounding).
std::optional<long long> OffsetUnits(long double v) {
    const long double scaled = std::nearbyint(v * 10000.0L);
    if (!std::isfinite(scaled) || !FitsIn<std::int32_t>(scaled)) {
        return std::nullopt;
    }
    return static_cast<long long>(scaled);
}

// A number as the Pascal text-file read takes it: blanks around it, "." as the only separator.
std::optional<long double> StrictNumber(const std::string& line) {
    std::string t;
    for (const char c : line) {
        if (c != ' ' && c != '\t') {
            t += c;
        }
    }
    if (t.empty() || t.find(',') != std::string::npos) {
        return std::nullopt;
    }
    const NumberRead r = ReadNumberChecked(t);
    if (!r.ok) {
        return std::nullopt;
    }
    return r.value;
}

}  // namespace

std::vector<std::string> LoadSettings(const std::filesystem::path& file, Settings& s) {
    std::vector<std::string> problems;
    const IniFile ini = IniFile::Load(file);
    if (ini.Unreadable()) {
        problems.push_back(UnreadableIniProblem(file));
        return problems;
    }
    for (const Field& f : kFields) {
        ReadField(f, ini, file.filename().string(), s, problems);
    }
    return problems;
}

std::optional<MarkerTimerIntervals> ApplyMarkerFiles(const std::filesystem::path& dir, Settings& s,
                                                     std::vector<std::string>& problems) {
    if (FileExists(dir / "winkel")) {
        s.AngleDiffLine = 1;
    }
    if (FileExists(dir / "siemens")) {
        s.SiemensMode = 1;
    }
    if (FileExists(dir / "ch_dir")) {
        const auto lines = ReadTextLines(dir / "ch_dir");
        std::optional<long double> f[3];
        for (std::size_t i = 0; lines && i < 3 && i < lines->size(); ++i) {
            f[i] = StrictNumber((*lines)[i]);
        }
        bool ok = f[0] && f[1] && f[2];
        for (const auto& v : f) {
            ok = ok && v && std::fabs(*v) <= Real::kMax;
        }
        if (ok) {
            s.AxisFactorX = *f[0];
            s.AxisFactorY = *f[1];
            s.AxisFactorZ = *f[2];
        } else {
            problems.push_back(NotNumbersProblem("ch_dir"));
        }
    }
    if (FileExists(dir / "timer")) {
        const auto lines = ReadTextLines(dir / "timer");
        long long v[2] = {-1, -1};
        for (std::size_t i = 0; lines && i < 2 && i < lines->size(); ++i) {
            const auto n = StrictNumber((*lines)[i]);
            if (n && *n == std::floor(*n) && *n >= 1 && *n <= 3600000) {
                v[i] = static_cast<long long>(*n);
            }
        }
        if (v[0] > 0 && v[1] > 0) {
            return MarkerTimerIntervals{static_cast<int>(v[0]), static_cast<int>(v[1])};
        }
        problems.push_back(NotNumbersProblem("timer"));
    }
    return std::nullopt;
}

WriteResult WriteIniInteger(const std::string& section, const std::filesystem::path& file, const std::string& key,
                            long long value, bool readOnlyMedia) {
    if (readOnlyMedia) {
        return {};
    }
    return WritePrivateProfileString(file, section, key, std::to_string(value));
}

WriteResult SaveSettings(const std::filesystem::path& file, const Settings& s) {
    IniFile ini = IniFile::Load(file);
    if (ini.Unreadable()) {
        return {};  // never replaced; the operator was told when it was loaded
    }
    WriteResult result;
    for (const Field& f : kFields) {
        if (!f.savedAtExit) {
            continue;
        }
        if (f.stored == Stored::Offset) {
            const long double value = s.*std::get<Real Settings::*>(f.ref);
            if (const auto units = OffsetUnits(value)) {
                ini.WriteString(f.section, f.key, std::to_string(*units));
            } else {
                result = {false, file.filename().string() + ": " + f.key + " = " + FormatReal(value, 0, 4) +
                                     Ansi(" kann nicht gespeichert werden")};
            }
        } else if (f.stored == Stored::Text) {
            ini.WriteString(f.section, f.key, s.*std::get<std::string Settings::*>(f.ref));
        } else {
            ini.WriteString(f.section, f.key, std::to_string(s.*std::get<std::uint8_t Settings::*>(f.ref)));
        }
    }
    const WriteResult saved = ini.Save(file);
    return saved.ok ? result : saved;
}

std::string RealText(long double v) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 10);
    return std::string(buf, res.ptr);
}

std::string NotNumbersProblem(const std::string& file) {
    return Ansi("Die Datei \"") + file + Ansi("\" enthält keine gültigen Zahlen; sie wird nicht beachtet");
}

std::vector<std::string> SettingsListing(const Settings& s, const RunState& run) {
    std::vector<std::string> items;
    for (const Field& f : kFields) {
        std::string value;
        if (const auto* text = std::get_if<std::string Settings::*>(&f.ref)) {
            value = s.**text;
        } else if (const auto* byte = std::get_if<std::uint8_t Settings::*>(&f.ref)) {
            value = std::to_string(s.**byte);
        } else {
            value = RealText(s.*std::get<Real Settings::*>(f.ref));
        }
        items.push_back(std::string(f.name) + "=" + value);
    }
    items.push_back("Recording=" + std::to_string(run.Recording));
    items.push_back("AbortRequested=" + std::to_string(run.AbortRequested));
    items.push_back("CurrentPos=" + RealText(run.CurrentPos.x) + " " + RealText(run.CurrentPos.y));
    return items;
}

std::filesystem::path FileSystemRootOf(const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::absolute(dir, ec);
    if (ec) {
        return "/";
    }
    p = p.lexically_normal();
    struct stat st {};
    if (::stat(p.c_str(), &st) != 0) {
        return p.root_path();
    }
    const dev_t dev = st.st_dev;
    while (p.has_relative_path()) {
        const std::filesystem::path parent = p.parent_path();
        struct stat ps {};
        if (::stat(parent.c_str(), &ps) != 0 || ps.st_dev != dev) {
            break;
        }
        p = parent;
    }
    return p;
}

}  // namespace tarvo
