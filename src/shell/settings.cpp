#include "shell/settings.h"

#include <sys/stat.h>

#include <charconv>
#include <cmath>
#include <limits>

#include "base/checked.h"
#include "base/cp1252.h"
#include "base/ini.h"
#include "base/text.h"

namespace tarvo {

namespace {

std::string RangeMessage(const std::string& file, const std::string& key, long long value, long long lo,
                         long long hi) {
    return file + ": " + key + " = " + std::to_string(value) + Ansi(" liegt außerhalb ") + std::to_string(lo) +
           ".." + std::to_string(hi) + Ansi(", der Standardwert bleibt");
}

class Reader {
public:
    Reader(const IniFile& ini, std::string file, std::vector<std::string>& problems)
        : m_ini(ini), m_file(std::move(file)), m_problems(problems) {}

    void Byte(const char* section, const char* key, std::uint8_t& field) const {
        if (!m_ini.HasKey(section, key)) {
            return;
        }
        const long long v = m_ini.ReadInteger(section, key, field);
        if (!FitsIn<std::uint8_t>(v)) {
            m_problems.push_back(RangeMessage(m_file, key, v, 0, 255));
            return;
        }
        field = static_cast<std::uint8_t>(v);
    }

    void Flag(const char* section, const char* key, std::uint8_t& field) const {
        if (m_ini.HasKey(section, key)) {
            field = m_ini.ReadInteger(section, key, 0) != 0 ? 1 : 0;
        }
    }

    // An offset stored as a signed integer in units of 0.0001.
    void Offset(const char* key, Real& field) const {
        if (!m_ini.HasKey(kSectionParameter, key)) {
            return;
        }
        const long long v = m_ini.ReadInteger(kSectionParameter, key, 0);
        if (!FitsIn<std::int32_t>(v)) {
            m_problems.push_back(RangeMessage(m_file, key, v, std::numeric_limits<std::int32_t>::min(),
                                              std::numeric_limits<std::int32_t>::max()));
            return;
        }
        field = static_cast<long double>(v) * 0.0001L;
    }

private:
    const IniFile& m_ini;
    std::string m_file;
    std::vector<std::string>& m_problems;
};

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
    const Reader r(ini, file.filename().string(), problems);
    s.IfName = ini.ReadString(kSectionSettings, "IFNAME", s.IfName, 9);
    r.Byte(kSectionSettings, "NK", s.Decimals);
    r.Byte(kSectionSettings, "LANGUAGE", s.Language);
    r.Offset("OFFSETX", s.OffsetX);
    r.Offset("OFFSETY", s.OffsetY);
    r.Offset("OFFSETW", s.OffsetW);
    r.Byte(kSectionParameter, "FONT_SIZE", s.FontSize);
    r.Byte(kSectionParameter, "KR_MODE", s.CircleMode);
    r.Byte(kSectionParameter, "WI_MODE", s.AngleMode);
    r.Flag(kSectionParameter, "IF3INC", s.If3Inc);
    r.Flag(kSectionParameter, "NOZERO", s.NoZero);
    r.Byte(kSectionParameter, "TR_MODE", s.TriggerMode);
    if (ini.ReadInteger(kSectionParameter, "SLOW_MODE", 0) == 1) {
        s.SlowMode = 1;
    }
    s.DxfInitialDir = ini.ReadString(kSectionSettings, "DXFINITIALDIR", s.DxfInitialDir, 78);
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

namespace {
// Offset in units of 0.0001, rounded to nearest (ties to even, as the platform's rounding).
std::optional<long long> OffsetUnits(long double v) {
    const long double scaled = std::nearbyint(v * 10000.0L);
    if (!std::isfinite(scaled) || !FitsIn<std::int32_t>(scaled)) {
        return std::nullopt;
    }
    return static_cast<long long>(scaled);
}
}  // namespace

WriteResult SaveSettings(const std::filesystem::path& file, const Settings& s) {
    IniFile ini = IniFile::Load(file);
    WriteResult result;
    const std::pair<const char*, long double> offsets[] = {
        {"OFFSETX", s.OffsetX}, {"OFFSETY", s.OffsetY}, {"OFFSETW", s.OffsetW}};
    for (const auto& [key, value] : offsets) {
        if (const auto units = OffsetUnits(value)) {
            ini.WriteString(kSectionParameter, key, std::to_string(*units));
        } else {
            result = {false, file.filename().string() + ": " + key + " = " + FormatReal(value, 0, 4) +
                                 Ansi(" kann nicht gespeichert werden")};
        }
    }
    ini.WriteString(kSectionParameter, "TR_MODE", std::to_string(s.TriggerMode));
    ini.WriteString(kSectionSettings, "DXFINITIALDIR", s.DxfInitialDir);
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
    const auto n = [](std::uint8_t v) { return std::to_string(v); };
    return {
        "IfName=" + s.IfName,
        "Decimals=" + n(s.Decimals),
        "FontSize=" + n(s.FontSize),
        "Language=" + n(s.Language),
        "OffsetX=" + RealText(s.OffsetX),
        "OffsetY=" + RealText(s.OffsetY),
        "OffsetW=" + RealText(s.OffsetW),
        "CircleMode=" + n(s.CircleMode),
        "AngleMode=" + n(s.AngleMode),
        "If3Inc=" + n(s.If3Inc),
        "NoZero=" + n(s.NoZero),
        "TriggerMode=" + n(s.TriggerMode),
        "SlowMode=" + n(s.SlowMode),
        "DxfInitialDir=" + s.DxfInitialDir,
        "AngleDiffLine=" + n(s.AngleDiffLine),
        "SiemensMode=" + n(s.SiemensMode),
        "AxisFactorX=" + RealText(s.AxisFactorX),
        "AxisFactorY=" + RealText(s.AxisFactorY),
        "AxisFactorZ=" + RealText(s.AxisFactorZ),
        "Recording=" + n(run.Recording),
        "AbortRequested=" + n(run.AbortRequested),
        "CurrentPos=" + RealText(run.CurrentPos.x) + " " + RealText(run.CurrentPos.y),
    };
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
