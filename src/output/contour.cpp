#include "output/contour.h"

#include <algorithm>
#include <cmath>

#include "base/cp1252.h"
#include "base/fileio.h"
#include "base/text.h"

namespace tarvo {

namespace {

using XYPair = std::pair<long double, long double>;

std::string ItemName(std::size_t i, const std::string& item) {
    return Ansi("Eintrag ") + std::to_string(i + 1) + " (\"" + item + "\")";
}

// The items as points, a tool marker as none; a problem names the first item that is neither.
ContourProblem ReadContour(const std::vector<std::string>& source, std::vector<std::optional<XYPair>>& points) {
    points.clear();
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (IsToolMarker(source[i])) {
            points.emplace_back();
            continue;
        }
        const auto point = ReadContourPoint(source[i]);
        if (!point) {
            return Ansi("Kein Punkt: ") + ItemName(i, source[i]);
        }
        points.push_back(point);
    }
    return std::nullopt;
}

// Below this, two directions count as one straight line (or as a reversal).
constexpr long double kStraight = 1e-9L;
// The farthest a tool-path vertex may lie from its contour point, in tool radii.
constexpr long double kMaxVertexShift = 10;

}  // namespace

std::optional<XYPair> ReadContourPoint(const std::string& item) {
    const auto colon = item.find(':');
    if (colon == std::string::npos) {
        return std::nullopt;
    }
    const NumberRead x = ReadNumberChecked(item.substr(0, colon));
    const NumberRead y = ReadNumberChecked(item.substr(colon + 1, 100));
    if (!x.ok || !y.ok || !std::isfinite(x.value) || !std::isfinite(y.value)) {
        return std::nullopt;
    }
    return XYPair{x.value, y.value};
}

ContourProblem CompensateRadius(const std::vector<std::string>& source, std::vector<std::string>& destination,
                                long double diameter, bool left) {
    destination.clear();
    if (diameter == 0) {
        destination = source;
        return std::nullopt;
    }
    std::vector<XYPair> p;
    std::vector<std::size_t> from;  // the source item of each point, for the messages
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (IsToolMarker(source[i])) {
            return Ansi("Die Radienkompensation braucht eine Kontur ohne Werkzeugmarken: ") + ItemName(i, source[i]) +
                   Ansi(". Zuerst \"+/- entfernen\".");
        }
        const auto point = ReadContourPoint(source[i]);
        if (!point) {
            return Ansi("Kein Punkt: ") + ItemName(i, source[i]);
        }
        // A point repeated at once has no direction to offset: it is taken once.
        if (p.empty() || *point != p.back()) {
            p.push_back(*point);
            from.push_back(i);
        }
    }
    while (p.size() > 1 && p.front() == p.back()) {
        p.pop_back();
    }
    if (p.size() < 2) {
        return Ansi("Für die Radienkompensation sind mindestens zwei verschiedene Punkte nötig.");
    }
    const long double h = diameter / 2;
    const std::size_t n = p.size();
    // The unit normal of each segment i -> i + 1 on the compensation side.
    std::vector<XYPair> normal(n);
    for (std::size_t i = 0; i < n; ++i) {
        const XYPair& a = p[i];
        const XYPair& b = p[(i + 1) % n];
        const long double len = std::hypot(b.first - a.first, b.second - a.second);
        const long double ux = (b.first - a.first) / len;
        const long double uy = (b.second - a.second) / len;
        normal[i] = left ? XYPair{-uy, ux} : XYPair{uy, -ux};
    }
    for (std::size_t i = 0; i < n; ++i) {
        const XYPair& n1 = normal[(i + n - 1) % n];  // incoming segment
        const XYPair& n2 = normal[i];                // outgoing segment
        const long double dot = n1.first * n2.first + n1.second * n2.second;
        const long double cross = n1.first * n2.second - n1.second * n2.first;
        long double x = p[i].first;
        long double y = p[i].second;
        if (std::fabs(cross) <= kStraight && dot > 0) {
            // Straight on: the moved lines are one line; the vertex is the moved point.
            x += n1.first * h;
            y += n1.second * h;
        } else if (1 + dot <= kStraight) {
            destination.clear();
            return Ansi("Die Kontur kehrt bei ") + ItemName(from[i], source[from[i]]) +
                   Ansi(" um (Hin- und Rückweg auf einer Linie): dafür gibt es keine Werkzeugbahn.");
        } else {
            // Where the two moved lines meet: the corner point moved along the bisector, by
            // h * sqrt(2 / (1 + dot)). A contour that almost turns back would send the tool far
            // off; beyond 10 tool radii (a turn sharper than about 163.7 degrees) the contour
            // has no usable tool path there.
            const long double k = h / (1 + dot);
            const long double dx = (n1.first + n2.first) * k;
            const long double dy = (n1.second + n2.second) * k;
            if (std::hypot(dx, dy) > kMaxVertexShift * std::fabs(h)) {
                destination.clear();
                return Ansi("Die Kontur kehrt bei ") + ItemName(from[i], source[from[i]]) +
                       Ansi(" fast um: die Werkzeugbahn liefe dort ") + ConverterNumber(std::hypot(dx, dy)) +
                       Ansi(" mm von der Kontur weg (erlaubt sind 10 Werkzeugradien).");
            }
            x += dx;
            y += dy;
        }
        destination.push_back(ConverterNumber(x) + ":" + ConverterNumber(y));
    }
    return std::nullopt;
}

ContourProblem WriteGxxProgram(const std::vector<std::string>& source, std::vector<std::string>& destination,
                               ConverterPresets& presets) {
    destination.clear();
    std::vector<std::optional<XYPair>> points;
    if (ContourProblem problem = ReadContour(source, points)) {
        return problem;
    }
    if (points.empty()) {
        return Ansi("Die Werkzeugbahn ist leer: kein Programm geschrieben.");
    }
    if (!points.front()) {
        return Ansi("Der erste Eintrag muss ein Punkt sein (Startpunkt und Rückweg), nicht \"") + source.front() +
               "\".";
    }
    std::vector<std::string> g = {"G91", "M59"};
    const auto move = [&](long double dx, long double dy) {
        g.push_back("G01 X" + ConverterNumber(dx * presets.factorX) + " Y" + ConverterNumber(dy * presets.factorY));
    };
    const std::string down = "G01 Z" + ConverterNumber(-presets.depth);
    const std::string up = "G01 Z" + ConverterNumber(presets.depth);
    if (!presets.firstPointToZero && !points.empty()) {
        move(points[0]->first + presets.offsetX, points[0]->second + presets.offsetY);
    }
    g.push_back(down);
    XYPair q{0, 0};
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!points[i]) {
            g.push_back(RemoveSpaces(source[i]) == "-" ? down : up);
            continue;
        }
        XYPair pt = *points[i];
        if (i == 0 && presets.firstPointToZero) {
            presets.offsetX = -pt.first;
            presets.offsetY = -pt.second;
        }
        pt.first += presets.offsetX;
        pt.second += presets.offsetY;
        if (i > 0) {
            move(pt.first - q.first, pt.second - q.second);
        }
        q = pt;
    }
    if (!presets.closed) {
        g.push_back(up);
    }
    if (!points.empty()) {
        move(points[0]->first + presets.offsetX - q.first, points[0]->second + presets.offsetY - q.second);
    }
    if (presets.closed) {
        g.push_back(up);
    }
    g.push_back("M58");
    g.push_back("M30");
    destination = std::move(g);
    return std::nullopt;
}

ContourProblem CreateDxfFromContour(const std::vector<std::string>& source, std::vector<std::string>& preview,
                                    ConverterPresets& presets, const std::filesystem::path& dir,
                                    const DxfSettings& dxf) {
    preview.clear();
    // The drawing limits of the session ("dxfout", or A4 after a point-list drawing); A4 while
    // none are set, so a CAD program opens on a sheet, not on a point.
    DxfSettings limits = dxf;
    if (limits.maxX == 0 && limits.maxY == 0 && limits.minX == 0 && limits.minY == 0) {
        limits.maxX = 297;
        limits.maxY = 210;
    }
    const auto header = DxfHeader(dir, limits);
    const auto tail = ReadTextLines(dir / kDxfTailFile);
    if (!header || !tail) {
        return Ansi("Die DXF-Vorlagen \"dxfhead.asc\" und \"dxftail.asc\" fehlen im Arbeitsordner");
    }
    std::vector<std::optional<XYPair>> points;
    if (ContourProblem problem = ReadContour(source, points)) {
        return problem;
    }
    if (presets.firstPointToZero && !points.empty() && points.front()) {
        presets.offsetX = -points.front()->first;
        presets.offsetY = -points.front()->second;
    }
    std::vector<std::string> file = *header;
    std::vector<std::string> list = *header;
    unsigned handle = 0x2B;
    const auto segment = [&](const XYPair& a, const XYPair& b) {
        const long double x1 = (a.first + presets.offsetX) * presets.factorX;
        const long double y1 = (a.second + presets.offsetY) * presets.factorY;
        const long double x2 = (b.first + presets.offsetX) * presets.factorX;
        const long double y2 = (b.second + presets.offsetY) * presets.factorY;
        AddDxfLine(file, x1, y1, x2, y2, handle++);
        AddDxfLineToList(list, x1, y1, x2, y2);
    };
    // The drawing follows the tool as the G-code program moves it: lowered at the start, "-"
    // lowers it, "+" lifts it; a move between two points is drawn when the tool cuts it,
    // whatever markers stand between them. The way back to the start is cut only on a closed
    // contour (an open one lifts the tool first).
    bool down = true;
    constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    std::size_t previous = kNone;
    std::size_t pointCount = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (!points[i]) {
            down = RemoveSpaces(source[i]) == "-";
            continue;
        }
        if (previous != kNone && down) {
            segment(*points[previous], *points[i]);
        }
        previous = i;
        ++pointCount;
    }
    if (presets.closed && down && pointCount > 1 && points.front()) {
        segment(*points[previous], *points.front());
    }
    file.insert(file.end(), tail->begin(), tail->end());
    list.insert(list.end(), tail->begin(), tail->end());
    const WriteResult r = WriteFileAtomic(dir / presets.fileName, JoinLines(file));
    if (!r.ok) {
        return r.error;
    }
    preview = std::move(list);
    return std::nullopt;
}

std::string ConverterNumber(long double v) {
    const std::string t = FormatReal(v, 0, 3);
    return t == "-0.000" ? "0.000" : t;
}

std::string OutputFileName(const std::string& name, bool dxf) {
    std::string n = name;
    if (const auto dot = n.find('.'); dot != std::string::npos) {
        n.erase(dot, 10);
    }
    return n + (dxf ? ".DXF" : ".GXX");
}

}  // namespace tarvo
