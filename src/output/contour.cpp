#include "output/contour.h"

#include <algorithm>
#include <cmath>

#include "base/cp1252.h"
#include "base/fileio.h"
#include "base/text.h"
#include "shell/operator.h"

namespace tarvo {

namespace {

using XYPair = std::pair<long double, long double>;

// A number as the converter writes it: 3 decimals, no leading blanks, never "-0.000".
std::string Num(long double v) {
    const std::string t = FormatReal(v, 0, 3);
    return t == "-0.000" ? "0.000" : t;
}

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
                       Ansi(" fast um: die Werkzeugbahn liefe dort ") + Num(std::hypot(dx, dy)) +
                       Ansi(" mm von der Kontur weg (erlaubt sind 10 Werkzeugradien).");
            }
            x += dx;
            y += dy;
        }
        destination.push_back(Num(x) + ":" + Num(y));
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
        return Ansi("Der erste Eintrag muss ein Punkt sein (Startpunkt und Rückweg), nicht \"") + source.front() + "\".";
    }
    std::vector<std::string> g = {"G91", "M59"};
    const auto move = [&](long double dx, long double dy) {
        g.push_back("G01 X" + Num(dx * presets.factorX) + " Y" + Num(dy * presets.factorY));
    };
    const std::string down = "G01 Z" + Num(-presets.depth);
    const std::string up = "G01 Z" + Num(presets.depth);
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

std::string OutputFileName(const std::string& name, bool dxf) {
    std::string n = name;
    if (const auto dot = n.find('.'); dot != std::string::npos) {
        n.erase(dot, 10);
    }
    return n + (dxf ? ".DXF" : ".GXX");
}

// --- The presets dialog ---------------------------------------------------------------------

ConverterPresetsDialog::ConverterPresetsDialog(ConverterPresets& presets) : m_presets(presets) {}

void ConverterPresetsDialog::Prefill() {
    Edit1 = Num(m_presets.offsetX);
    Edit2 = Num(m_presets.offsetY);
    Edit3 = FormatReal(m_presets.toolDiameter, 0, 3);
    Edit4 = m_presets.fileName;
    Edit5 = FormatReal(m_presets.depth, 0, 3);
    Edit6 = FormatReal(m_presets.maxDeviation, 0, 3);
    Edit7 = FormatReal(m_presets.factorX, 0, 3);
    Edit8 = FormatReal(m_presets.factorY, 0, 3);
    m_dxf = m_presets.dxfOutput;
}

void ConverterPresetsDialog::OutputKindClick(bool dxf) {
    m_dxf = dxf;
    Edit4 = OutputFileName(Edit4, dxf);
}

void ConverterPresetsDialog::FactorDblClick(int axis) {
    std::string& field = axis == 0 ? Edit7 : Edit8;
    const long double v = -ReadNumber(field);
    (axis == 0 ? m_presets.factorX : m_presets.factorY) = v;
    field = FormatReal(v, 0, 3);
}

void ConverterPresetsDialog::Ok() {
    m_presets.offsetX = ReadNumber(Edit1);
    m_presets.offsetY = ReadNumber(Edit2);
    m_presets.toolDiameter = ReadNumber(Edit3);
    m_presets.depth = ReadNumber(Edit5);
    m_presets.maxDeviation = ReadNumber(Edit6);
    m_presets.factorX = ReadNumber(Edit7);
    m_presets.factorY = ReadNumber(Edit8);
    m_presets.dxfOutput = m_dxf;
    m_presets.fileName = RemoveSpaces(Edit4).empty() ? (m_dxf ? "VOX.DXF" : "VOX.GXX") : Edit4;
}

// --- The converter window ---------------------------------------------------------------------

ContourConverter::ContourConverter(Operator& op, const std::filesystem::path& dir, const DxfSettings& dxf)
    : ListBox1{"5:2",  "10:2", "20:2", "30:2", "40:2", "50:2",
               "60:2", "70:2", "80:2", "90:2", "95:2", "100:2"},
      ListBox2{"10:10", "10:50", "50:50", "50:10"},
      m_op(op),
      m_dir(dir),
      m_dxf(dxf) {}

std::string ContourConverter::OutputLabel() const { return presets.dxfOutput ? "DXF-Datei" : "Gxx Befehle"; }

bool ContourConverter::Report(const ContourProblem& problem) {
    if (problem) {
        m_op.ShowError(*problem);
        return false;
    }
    return true;
}

bool ContourConverter::Open(const std::filesystem::path& file) {
    const auto lines = ReadTextLines(m_dir / file);
    if (!lines) {
        TellFileNotes();  // why it cannot be read comes first
        m_op.ShowError(Ansi("Die Datei \"") + file.string() + Ansi("\" kann nicht gelesen werden"));
        return false;
    }
    ListBox1 = *lines;
    while (!ListBox1.empty() && RemoveSpaces(ListBox1.back()).empty()) {
        ListBox1.pop_back();
    }
    return true;
}

void ContourConverter::OpenClick() {
    if (const auto name = m_op.ChooseFile({"OpenDialog1", "Punktdateien|*.PNT|Alle Dateien|*.*", "PNT", "", false})) {
        (void)Open(*name);
    }
}

void ContourConverter::ExtractLinesClick() {
    ListBox2 = ListBox1.size() < 3 ? ListBox1 : ExtractLines(ListBox1, static_cast<double>(presets.maxDeviation));
}

void ContourConverter::CopyLinesClick() { ListBox2 = ListBox1; }

void ContourConverter::CompensateClick() {
    if (!ListBox2.empty()) {
        (void)Report(CompensateRadius(ListBox2, ListBox3, presets.toolDiameter, presets.left));
    }
}

void ContourConverter::CopyPathClick() { ListBox3 = ListBox2; }

void ContourConverter::SaveProgram() {
    const std::filesystem::path file = m_dir / presets.fileName;
    const WriteResult r = WriteFileAtomic(file, JoinLines(ListBox4));
    if (!r.ok) {
        m_op.ShowError(r.error);
        return;
    }
    m_op.ShowInfo(Ansi("Programm gespeichert: ") + file.string());  // where it went
}

void ContourConverter::GxxClick() {
    if (Report(WriteGxxProgram(ListBox3, ListBox4, presets))) {
        SaveProgram();
    }
}

void ContourConverter::DxfClick() { (void)Report(CreateDxfFromContour(ListBox3, ListBox4, presets, m_dir, m_dxf)); }

void ContourConverter::RemoveMarkersClick() {
    ListBox5 = ListBox1;
    ListBox1.clear();
    for (const std::string& item : ListBox5) {
        if (!IsToolMarker(item)) {
            ListBox1.push_back(item);
        }
    }
}

bool ContourConverter::PresetsClick() {
    ConverterPresetsDialog dialog(presets);
    dialog.Prefill();
    return m_op.ShowConverterPresets(dialog);
}

void ContourConverter::ExportClick() {
    if (!PresetsClick()) {
        return;
    }
    if (cb1) {
        ExtractLinesClick();
    } else {
        CopyLinesClick();
    }
    if (cb2) {
        // A refused compensation ends the chain: no program from a broken tool path.
        if (!Report(CompensateRadius(ListBox2, ListBox3, presets.toolDiameter, presets.left))) {
            ListBox4.clear();
            return;
        }
    } else {
        CopyPathClick();
    }
    if (presets.dxfOutput) {
        DxfClick();
    } else {
        GxxClick();
    }
}

std::vector<std::string>* ContourConverter::List(int list) {
    switch (list) {
        case 1:
            return &ListBox1;
        case 2:
            return &ListBox2;
        case 3:
            return &ListBox3;
        case 4:
            return &ListBox4;
        default:
            return nullptr;
    }
}

int ContourConverter::DeleteItem(int list, int index) {
    std::vector<std::string>* items = List(list);
    if (items == nullptr || index < 0 || index >= static_cast<int>(items->size())) {
        return -1;
    }
    items->erase(items->begin() + index);
    if (items->empty()) {
        return -1;
    }
    return std::max(0, index - 1);
}

}  // namespace tarvo
