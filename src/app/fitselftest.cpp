#include "app/fitselftest.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "geometry/referencefits.h"

namespace tarvo {

namespace {

struct Certified {
    bool expectError = false;
    bool certified = false;  // false: "-", nothing to compare
    std::vector<double> values;
};

struct RefSet {
    std::string name;
    std::vector<FitPoint> points;
    std::map<std::string, Certified> methods;
};

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> w;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
            ++i;
        }
        if (i > start) {
            w.push_back(line.substr(start, i - start));
        }
    }
    return w;
}

// Locale-independent, exact to the nearest double.
std::optional<double> Number(std::string_view s) {
    double v = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

// The sets of one reference text; nothing when the text is damaged.
std::optional<std::vector<RefSet>> ParseSets(std::string_view text, std::size_t valueCount) {
    std::vector<RefSet> sets;
    std::istringstream in{std::string(text)};
    std::string line;
    while (std::getline(in, line)) {
        const auto w = Words(line);
        if (w.empty() || w[0][0] == '#') {
            continue;
        }
        if (w[0] != "set" || w.size() != 3) {
            return std::nullopt;
        }
        RefSet set;
        set.name = std::string(w[1]);
        const auto n = Number(w[2]);
        if (!n || *n < 0 || *n > 1e7) {
            return std::nullopt;
        }
        for (int i = 0; i < static_cast<int>(*n); ++i) {
            if (!std::getline(in, line)) {
                return std::nullopt;
            }
            const auto xy = Words(line);
            const auto x = xy.size() == 2 ? Number(xy[0]) : std::nullopt;
            const auto y = xy.size() == 2 ? Number(xy[1]) : std::nullopt;
            if (!x || !y) {
                return std::nullopt;
            }
            set.points.push_back({*x, *y});
        }
        for (;;) {
            if (!std::getline(in, line)) {
                return std::nullopt;
            }
            const auto m = Words(line);
            if (m.size() == 1 && m[0] == "end") {
                break;
            }
            Certified c;
            if (m.size() == 2 && m[1] == "error") {
                c.expectError = true;
            } else if (m.size() == 2 && m[1] == "-") {
            } else if (m.size() == valueCount + 1) {
                c.certified = true;
                for (std::size_t k = 1; k < m.size(); ++k) {
                    const auto v = Number(m[k]);
                    if (!v) {
                        return std::nullopt;
                    }
                    c.values.push_back(*v);
                }
            } else {
                return std::nullopt;
            }
            set.methods[std::string(m[0])] = c;
        }
        sets.push_back(std::move(set));
    }
    return sets;
}

// Per method: the largest deviations and what went wrong.
struct Tally {
    int sets = 0;
    int errorsExpected = 0;
    double dev[3] = {0, 0, 0};
    std::vector<std::string> faults;
};

std::string Um(double mm) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2e", mm * 1000);
    return buf;
}

void Check(Tally& t, const std::string& set, const Certified& c, bool ok, const std::string& reason,
           const double (&dev)[3]) {
    if (c.expectError) {
        ++t.errorsExpected;
        if (ok) {
            t.faults.push_back(set + ": Ergebnis statt Fehler");
        }
        return;
    }
    if (!c.certified) {
        return;
    }
    ++t.sets;
    if (!ok) {
        t.faults.push_back(set + ": " + reason);
        return;
    }
    bool over = false;
    for (int k = 0; k < 3; ++k) {
        const double d = std::isfinite(dev[k]) ? dev[k] : 1e300;
        t.dev[k] = std::max(t.dev[k], d);
        over = over || d > kFitSelfTestLimit;
    }
    if (over) {
        t.faults.push_back(set + ": Abweichung " + Um(dev[0]) + " / " + Um(dev[1]) + " / " + Um(dev[2]) + " um");
    }
}

void Report(FitSelfTestReport& r, std::string_view method, const Tally& t, const char* n0, const char* n1,
            const char* n2) {
    r.lines.push_back(std::string(method) + ": " + std::to_string(t.sets) + " Saetze, " +
                      std::to_string(t.errorsExpected) + " Fehlerfaelle; groesste Abweichung " + n0 + " " +
                      Um(t.dev[0]) + " um, " + n1 + " " + Um(t.dev[1]) + " um, " + n2 + " " + Um(t.dev[2]) + " um" +
                      (t.faults.empty() ? "" : "  FEHLER"));
    for (const auto& f : t.faults) {
        r.lines.push_back("  " + f);
        r.passed = false;
    }
}

}  // namespace

FitSelfTestReport EvaluateFitReferences(std::string_view circles, std::string_view lines) {
    FitSelfTestReport r;
    r.passed = true;
    const auto circleSets = ParseSets(circles, 4);
    const auto lineSets = ParseSets(lines, 5);
    if (!circleSets || !lineSets || circleSets->empty() || lineSets->empty()) {
        r.passed = false;
        r.lines.push_back("Referenzdaten beschaedigt");
        return r;
    }
    r.lines.push_back("Selbsttest Ausgleichselemente: " + std::to_string(circleSets->size()) + " Kreis- und " +
                      std::to_string(lineSets->size()) + " Geradensaetze, Grenze " + Um(kFitSelfTestLimit) + " um");
    for (const CircleMethod m : {CircleMethod::LSCI, CircleMethod::MZCI, CircleMethod::MICI, CircleMethod::MCCI}) {
        Tally t;
        for (const RefSet& s : *circleSets) {
            const auto it = s.methods.find(std::string(MethodName(m)));
            if (it == s.methods.end()) {
                t.faults.push_back(s.name + ": kein Referenzwert");
                continue;
            }
            const ReferenceCircle c = FitCircle(s.points, m);
            const auto& v = it->second.values;
            double dev[3] = {0, 0, 0};
            if (it->second.certified && c.ok) {
                dev[0] = std::hypot(c.cx - v[0], c.cy - v[1]);
                dev[1] = std::fabs(c.radius - v[2]);
                dev[2] = std::fabs(c.roundness - v[3]);
            }
            Check(t, s.name, it->second, c.ok, c.reason, dev);
        }
        Report(r, MethodName(m), t, "Mitte", "Radius", "Form");
    }
    for (const LineMethod m : {LineMethod::LSLI, LineMethod::MZLI}) {
        Tally t;
        for (const RefSet& s : *lineSets) {
            const auto it = s.methods.find(std::string(MethodName(m)));
            if (it == s.methods.end()) {
                t.faults.push_back(s.name + ": kein Referenzwert");
                continue;
            }
            const ReferenceLine l = FitLine(s.points, m);
            double dev[3] = {0, 0, 0};
            if (it->second.certified && l.ok && !s.points.empty()) {
                const auto& v = it->second.values;
                // Position: how far the fitted line passes from the certified one at the points'
                // centroid. Direction: the turn between the two lines over half the points' extent.
                double gx = 0;
                double gy = 0;
                for (const FitPoint& p : s.points) {
                    gx += p.x;
                    gy += p.y;
                }
                gx /= static_cast<double>(s.points.size());
                gy /= static_cast<double>(s.points.size());
                const double t0 = (gx - l.px) * l.ux + (gy - l.py) * l.uy;
                const double fx = l.px + t0 * l.ux;
                const double fy = l.py + t0 * l.uy;
                dev[0] = std::fabs(-(fx - v[0]) * v[3] + (fy - v[1]) * v[2]);
                double lo = 1e300;
                double hi = -1e300;
                for (const FitPoint& p : s.points) {
                    const double a = p.x * v[2] + p.y * v[3];
                    lo = std::min(lo, a);
                    hi = std::max(hi, a);
                }
                dev[1] = std::fabs(l.ux * v[3] - l.uy * v[2]) * (hi - lo) / 2;
                dev[2] = std::fabs(l.straightness - v[4]);
            }
            Check(t, s.name, it->second, l.ok, l.reason, dev);
        }
        Report(r, MethodName(m), t, "Lage", "Richtung", "Form");
    }
    r.lines.push_back(r.passed ? "Selbsttest bestanden" : "Selbsttest NICHT bestanden");
    return r;
}

FitSelfTestReport RunFitSelfTest(const std::filesystem::path& folder) {
    const auto read = [](const std::filesystem::path& p) -> std::optional<std::string> {
        std::ifstream in(p, std::ios::binary);
        if (!in) {
            return std::nullopt;
        }
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    };
    const auto circles = read(folder / "circles.txt");
    const auto lines = read(folder / "lines.txt");
    if (!circles || !lines) {
        FitSelfTestReport r;
        r.lines.push_back("Referenzdaten fehlen: " + (folder / (circles ? "lines.txt" : "circles.txt")).string());
        return r;
    }
    return EvaluateFitReferences(*circles, *lines);
}

}  // namespace tarvo
