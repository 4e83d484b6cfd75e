#include "coords/calibrationfile.h"

#include <algorithm>
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
// "x0;y0;stepX;stepY;columns;rows" and a line of nodes per row ("cx:cy;cx:cy;..."); no grid
// without the key. The shape is checked with the corrections (GridProblem).
bool ParseGrid(const IniFile& ini, GridCorrection& g) {
    g = GridCorrection{};
    if (!ini.HasKey(kSectionCorrection, "GITTER")) {
        return true;
    }
    const std::string head = ini.ReadString(kSectionCorrection, "GITTER", "");
    std::vector<long double> v;
    std::size_t start = 0;
    while (start <= head.size() && v.size() < 7) {
        const std::size_t end = std::min(head.find(';', start), head.size());
        const NumberRead n = ReadNumberChecked(head.substr(start, end - start));
        if (!n.ok) {
            return false;
        }
        v.push_back(n.value);
        start = end + 1;
    }
    if (v.size() != 6 || v[4] != std::floor(v[4]) || v[5] != std::floor(v[5])) {
        return false;
    }
    g.x0 = v[0];
    g.y0 = v[1];
    g.step[0] = v[2];
    g.step[1] = v[3];
    g.columns = static_cast<int>(std::clamp(v[4], -1.0L, kMaxGridNodes + 1.0L));
    g.rows = static_cast<int>(std::clamp(v[5], -1.0L, kMaxGridNodes + 1.0L));
    for (int row = 1; row <= std::min(g.rows, kMaxGridNodes); ++row) {
        std::vector<SegmentMark> nodes;
        if (!ParseMarks(ini.ReadString(kSectionCorrection, "GITTER_ZEILE" + std::to_string(row), ""), nodes)) {
            return false;
        }
        for (const SegmentMark& n : nodes) {
            g.nodes.push_back({n.reading, n.correction});
        }
    }
    return true;
}
}  // namespace

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

std::string DateText(const DateTime& d) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d.%02d.%04d", d.day, d.month, d.year);
    return buf;
}

DateTime AddDays(const DateTime& d, int days) { return DateOf(DaysOf(d.year, d.month, d.day) + days); }

bool DateBefore(const DateTime& a, const DateTime& b) {
    return DaysOf(a.year, a.month, a.day) < DaysOf(b.year, b.month, b.day);
}

std::string GridProblem(const GridCorrection& g, const UiTexts& texts) {
    const bool none = g.columns == 0 && g.rows == 0 && g.nodes.empty();
    if (none) {
        return {};
    }
    const auto count = static_cast<std::size_t>(std::max(g.columns, 0)) * static_cast<std::size_t>(std::max(g.rows, 0));
    const bool finite = std::isfinite(g.x0) && std::isfinite(g.y0);
    if (!finite || g.columns < 2 || g.rows < 2 || g.columns > kMaxGridNodes || g.rows > kMaxGridNodes ||
        !(g.step[0] > 0 && g.step[0] < 1e6L) || !(g.step[1] > 0 && g.step[1] < 1e6L) || g.nodes.size() != count) {
        return texts.Compose(kMsgCalFileGrid, {std::to_string(g.columns), std::to_string(g.rows), Number(g.step[0], 3),
                                               Number(g.step[1], 3), std::to_string(g.nodes.size())});
    }
    // Between neighbours a grid corrects as a scale does: never more than 1 % of the distance.
    for (int r = 0; r < g.rows; ++r) {
        for (int c = 0; c < g.columns; ++c) {
            const std::size_t at =
                static_cast<std::size_t>(r) * static_cast<std::size_t>(g.columns) + static_cast<std::size_t>(c);
            const CorrectedXY& n = g.nodes[at];
            const auto steep = [&](const CorrectedXY& m, long double step) {
                return !(std::fabs(m.x - n.x) <= kMaxRelative * step && std::fabs(m.y - n.y) <= kMaxRelative * step);
            };
            if ((c + 1 < g.columns && steep(g.nodes[at + 1], g.step[0])) ||
                (r + 1 < g.rows && steep(g.nodes[at + static_cast<std::size_t>(g.columns)], g.step[1]))) {
                return texts.Compose(kMsgCalGridSlope, {std::to_string(at + 1)});
            }
        }
    }
    return {};
}

std::string CorrectionProblem(const ScaleCorrection& c, const UiTexts& texts) {
    for (int a = 0; a < 2; ++a) {
        const std::string axis = a == 0 ? "X" : "Y";
        if (!(std::fabs(c.factor[a] - 1.0L) <= kMaxRelative)) {
            return texts.Compose(kMsgCalFileFactor, {axis});
        }
        const auto& m = c.segments[a];
        if (m.size() > kMaxSegmentMarks) {
            return texts.Compose(kMsgCalFileTooManyMarks, {std::to_string(kMaxSegmentMarks), axis});
        }
        for (std::size_t i = 1; i < m.size(); ++i) {
            const long double span = m[i].reading - m[i - 1].reading;
            if (!(span > 0)) {
                return texts.Compose(kMsgCalFileMarkOrder, {axis});
            }
            if (!(std::fabs((m[i].correction - m[i - 1].correction) / span) <= kMaxRelative)) {
                return texts.Compose(kMsgCalFileMarkSlope, {axis});
            }
        }
    }
    if (!(std::fabs(c.squareness) <= kMaxSquareness)) {
        return texts.Compose(kMsgCalFileSquareness, {});
    }
    return GridProblem(c.grid, texts);
}

CalibrationFileState LoadCalibrationFile(const std::filesystem::path& file, const UiTexts& texts) {
    CalibrationFileState state;
    if (!FileExists(file)) {
        return state;
    }
    state.status = CalibrationFileStatus::Damaged;
    const std::optional<std::string> text = ReadTextFile(file, true);
    if (!text) {
        state.problem = texts.Compose(kMsgCalFileUnreadable, {});
        return state;
    }
    const IniFile ini = IniFile::FromText(*text);
    CalibrationRecord& r = state.record;
    if (!ParseDate(ini.ReadString(kSectionRecord, "DATUM", ""), r.date)) {
        state.problem = texts.Compose(kMsgCalFileNoDate, {});
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
         ParseMarks(ini.ReadString(kSectionCorrection, "MARKEN_Y", ""), r.correction.segments[1]) &&
         ParseGrid(ini, r.correction.grid);
    if (!ok) {
        state.problem = texts.Compose(kMsgCalFileNotNumber, {});
        return state;
    }
    state.problem = CorrectionProblem(r.correction, texts);
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
    const GridCorrection& g = r.correction.grid;
    if (g.Active()) {
        lines.push_back("GITTER=" + Number(g.x0, 6) + ";" + Number(g.y0, 6) + ";" + Number(g.step[0], 6) + ";" +
                        Number(g.step[1], 6) + ";" + std::to_string(g.columns) + ";" + std::to_string(g.rows));
        // A row a line: a whole grid on one line would be longer than a text file's line may be.
        for (int row = 0; row < g.rows; ++row) {
            std::string nodes;
            for (int c = 0; c < g.columns; ++c) {
                const CorrectedXY& n = g.nodes[static_cast<std::size_t>(row) * static_cast<std::size_t>(g.columns) +
                                               static_cast<std::size_t>(c)];
                nodes += (nodes.empty() ? "" : ";") + Number(n.x, 7) + ":" + Number(n.y, 7);
            }
            lines.push_back("GITTER_ZEILE" + std::to_string(row + 1) + "=" + nodes);
        }
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
