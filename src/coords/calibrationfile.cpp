#include "coords/calibrationfile.h"

#include <cmath>
#include <cstdio>

#include "base/cp1252.h"
#include "base/ini.h"
#include "base/text.h"
#include "shell/settings.h"

namespace tarvo {

namespace {
constexpr const char* kSectionRecord = "Kalibrierung";
constexpr const char* kSectionCorrection = "Korrektur";
constexpr long double kMaxRelative = 0.01L;
constexpr long double kMaxSquareness = 0.01L;  // rad

// Days since 1970-01-01 of a proleptic Gregorian date.
long long DaysOf(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

DateTime DateOf(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    DateTime t;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2 ? 1 : 0));
    return t;
}

std::string Number(long double v, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*Lf", digits, v);
    return buf;
}

bool ParseDate(const std::string& text, DateTime& d) {
    int day = 0;
    int month = 0;
    int year = 0;
    char end = 0;
    if (std::sscanf(text.c_str(), "%2d.%2d.%4d%c", &day, &month, &year, &end) != 3 || month < 1 || month > 12 ||
        day < 1 || day > 31 || year < 1900 || year > 9999) {
        return false;
    }
    d = DateTime{year, month, day, 0, 0, 0};
    return DateOf(DaysOf(year, month, day)).day == day;
}

// "reading:correction;reading:correction;..." of an axis's table.
bool ParseMarks(const std::string& text, std::vector<SegmentMark>& marks) {
    marks.clear();
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(';', start), text.size());
        const std::string item = text.substr(start, end - start);
        const std::size_t colon = item.find(':');
        if (colon == std::string::npos) {
            return false;
        }
        const NumberRead r = ReadNumberChecked(item.substr(0, colon));
        const NumberRead c = ReadNumberChecked(item.substr(colon + 1));
        if (!r.ok || !c.ok) {
            return false;
        }
        marks.push_back({r.value, c.value});
        start = end + 1;
    }
    return true;
}
}  // namespace

std::string DateText(const DateTime& d) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d.day, d.month, d.year);
    return buf;
}

DateTime AddDays(const DateTime& d, int days) { return DateOf(DaysOf(d.year, d.month, d.day) + days); }

bool DateBefore(const DateTime& a, const DateTime& b) {
    return DaysOf(a.year, a.month, a.day) < DaysOf(b.year, b.month, b.day);
}

std::string CorrectionProblem(const ScaleCorrection& c) {
    for (int a = 0; a < 2; ++a) {
        const std::string axis = a == 0 ? "X" : "Y";
        if (!(std::fabs(c.factor[a] - 1.0L) <= kMaxRelative)) {
            return Ansi("Faktor ") + axis + Ansi(" ändert um mehr als 1 %");
        }
        const auto& m = c.segments[a];
        if (m.size() > kMaxSegmentMarks) {
            return Ansi("mehr als 50 Marken in ") + axis;
        }
        for (std::size_t i = 1; i < m.size(); ++i) {
            const long double span = m[i].reading - m[i - 1].reading;
            if (!(span > 0)) {
                return Ansi("Marken in ") + axis + Ansi(" nicht aufsteigend");
            }
            if (!(std::fabs((m[i].correction - m[i - 1].correction) / span) <= kMaxRelative)) {
                return Ansi("Marken in ") + axis + Ansi(" korrigieren um mehr als 1 %");
            }
        }
    }
    if (!(std::fabs(c.squareness) <= kMaxSquareness)) {
        return Ansi("Rechtwinkligkeit über 10 mrad");
    }
    return {};
}

CalibrationFileState LoadCalibrationFile(const std::filesystem::path& file) {
    CalibrationFileState state;
    if (!FileExists(file)) {
        return state;
    }
    state.status = CalibrationFileStatus::Damaged;
    const std::optional<std::string> text = ReadTextFile(file, true);
    if (!text) {
        state.problem = Ansi("nicht lesbar");
        return state;
    }
    const IniFile ini = IniFile::FromText(*text);
    CalibrationRecord& r = state.record;
    if (!ParseDate(ini.ReadString(kSectionRecord, "DATUM", ""), r.date)) {
        state.problem = Ansi("kein gültiges Datum");
        return state;
    }
    r.operatorName = ini.ReadString(kSectionRecord, "BEDIENER", "");
    r.standard = ini.ReadString(kSectionRecord, "NORMAL", "");
    r.certificate = ini.ReadString(kSectionRecord, "ZERTIFIKAT", "");
    r.temperature = ini.ReadString(kSectionRecord, "TEMPERATUR", "");
    const auto number = [&ini](const char* key, long double def, bool& ok) {
        if (!ini.HasKey(kSectionCorrection, key)) {
            return def;
        }
        const NumberRead n = ReadNumberChecked(ini.ReadString(kSectionCorrection, key, ""));
        ok = ok && n.ok;
        return n.value;
    };
    bool ok = true;
    r.correction.factor[0] = number("FAKTOR_X", 1.0L, ok);
    r.correction.factor[1] = number("FAKTOR_Y", 1.0L, ok);
    r.correction.squareness = number("RECHTWINKLIGKEIT_URAD", 0.0L, ok) * 1e-6L;
    ok = ok && ParseMarks(ini.ReadString(kSectionCorrection, "MARKEN_X", ""), r.correction.segments[0]) &&
         ParseMarks(ini.ReadString(kSectionCorrection, "MARKEN_Y", ""), r.correction.segments[1]);
    if (!ok) {
        state.problem = Ansi("eine Korrektur ist keine Zahl");
        return state;
    }
    state.problem = CorrectionProblem(r.correction);
    if (state.problem.empty()) {
        state.status = CalibrationFileStatus::Loaded;
    }
    return state;
}

std::string CalibrationFileText(const CalibrationRecord& r) {
    std::vector<std::string> lines;
    lines.push_back(std::string("[") + kSectionRecord + "]");
    lines.push_back("DATUM=" + DateText(r.date));
    lines.push_back("BEDIENER=" + r.operatorName);
    lines.push_back("NORMAL=" + r.standard);
    lines.push_back("ZERTIFIKAT=" + r.certificate);
    lines.push_back("TEMPERATUR=" + r.temperature);
    lines.push_back(std::string("[") + kSectionCorrection + "]");
    lines.push_back("FAKTOR_X=" + Number(r.correction.factor[0], 12));
    lines.push_back("FAKTOR_Y=" + Number(r.correction.factor[1], 12));
    lines.push_back("RECHTWINKLIGKEIT_URAD=" + Number(r.correction.squareness * 1e6L, 4));
    for (int a = 0; a < 2; ++a) {
        std::string marks;
        for (const SegmentMark& m : r.correction.segments[a]) {
            marks += (marks.empty() ? "" : ";") + Number(m.reading, 6) + ":" + Number(m.correction, 7);
        }
        lines.push_back(std::string(a == 0 ? "MARKEN_X=" : "MARKEN_Y=") + marks);
    }
    return JoinLines(lines);
}

WriteResult SaveCalibrationFile(const std::filesystem::path& file, const CalibrationRecord& r) {
    return WriteFileAtomic(file, CalibrationFileText(r));
}

int CalibrationIntervalDays(const std::filesystem::path& settingsFile) {
    const long long days = IniFile::Load(settingsFile)
                               .ReadInteger(kSectionParameter, kCalibrationIntervalKey, kDefaultCalibrationInterval);
    return static_cast<int>(std::max(-1LL, std::min(days, 36500LL)));
}

}  // namespace tarvo
