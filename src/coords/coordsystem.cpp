#include "coords/coordsystem.h"

#include <algorithm>
#include <vector>

#include "elements/commandsupport.h"
#include "geometry/angles.h"
#include "geometry/lines.h"
#include "base/cp1252.h"
#include "shell/mainwindow.h"
#include "base/text.h"

namespace tarvo {

namespace {

constexpr int kMaxPoints = 50;

std::vector<std::string> ChooserEntries() {
    return {Ansi("Zurücksetzen"),
            "Versatz X",
            "Versatz Y",
            "Koordinatensystem drehen ",
            Ansi("Ausrichten über zwei Geraden"),
            Ansi("Ausrichten über eine Gerade"),
            "Ausrichten (Kreismittel)-Punkt - Gerade",
            "Nullen X",
            "Nullen Y",
            "Punkt nullen"};
}

std::string Num(const MainWindow& w, long double v) { return FormatReal(v, 10, w.session().settings.Decimals); }

std::string LineStart(const MainWindow& w) { return FormatInt(NextLineNumber(w), 3) + " "; }

void AppendSelected(MainWindow& w, const std::string& line) {
    w.lb1().Append(line);
    w.lb1().SelectLast();
}

// The X/Y choice of an alignment: the preset replay choice, else `TAuswahl`; a closed dialog
// counts as "X". Returns 2 for "Y" (the line is the Y axis), else 1.
int AxisChoice(MainWindow& w) {
    Session& s = w.session();
    if (s.elements.ReplayChoice == 1 || s.elements.ReplayChoice == 2) {
        return s.elements.ReplayChoice;
    }
    return s.Op().TwoButtons("X", "Y").value_or(false) ? 2 : 1;
}

// Wait of the alignment entries: status panel 0 is cleared first.
bool WaitForAlignment(MainWindow& w, int count, int method) {
    w.StatusPanels[0].clear();
    return WaitForPointCount(w, count, method);
}

void ShiftAndTurn(MainWindow& w, long double dx, long double dy, long double angle) {
    Settings& s = w.session().settings;
    s.OffsetX += dx;
    s.OffsetY += dy;
    s.OffsetW += angle;
}

void AlignTwoLines(MainWindow& w) {
    if (!WaitForAlignment(w, 4, kMethodAlignTwoLines)) {
        return;
    }
    Session& s = w.session();
    const Line2P l1 = LineThrough(w, 0, 1);
    const Line2P l2 = LineThrough(w, 2, 3);
    const XY i = IntersectLines(l1, l2);
    const Real a1 = DirectionAngle(l1.x2, l1.y2, l1.x1, l1.y1);  // from P2 towards P1
    const Real a2 = DirectionAngle(l2.x1, l2.y1, l2.x2, l2.y2);
    const Real candidates[4] = {a1, a2, 0, 0};
    const auto k = ChooseAngle(w, candidates);
    if (!k) {
        return;
    }
    const Real a = *k == 2 ? a2 : a1;
    s.geometry.ElementPosX = i.x;
    s.geometry.ElementPosY = i.y;
    AppendSelected(w, LineStart(w) + FitLeft(w.ResultName(19), 21) + " " + AngleText(w, a) + "  " + Num(w, i.x) +
                          "  " + Num(w, i.y));
    w.RecordLine("AAR2G:" + std::to_string(*k));
    s.elements.ReplayChoice = 0;
    ShiftAndTurn(w, i.x, i.y, a);
    w.ClearPoints();
}

void AlignLine(MainWindow& w, bool throughPoint) {
    const int needed = throughPoint ? 3 : 2;
    if (!WaitForAlignment(w, needed, throughPoint ? kMethodAlignPointLine : kMethodAlignLine)) {
        return;
    }
    Session& s = w.session();
    const int first = throughPoint ? 1 : 0;
    const int n = std::min(w.PointCount() - first, kMaxPoints);
    const LineResult fit = LineFit(PointsFromMemory(w, first, n));
    const int choice = AxisChoice(w);
    Real a = fit.angle;
    if (choice == 2) {
        a += 90;
    }
    Real px = fit.footX;
    Real py = fit.footY;
    if (throughPoint) {
        const Point p0 = w.GetPoint(0);
        px = p0.x;
        py = p0.y;
    }
    s.geometry.ElementPosX = px;
    s.geometry.ElementPosY = py;
    AppendSelected(w, LineStart(w) + FitLeft(w.ResultName(throughPoint ? 21 : 20), 21) + " " + AngleText(w, a) +
                          "  " + Num(w, px) + "  " + Num(w, py));
    w.RecordLine((throughPoint ? "AARKG:" : "AAR1G:") + std::to_string(choice));
    s.elements.ReplayChoice = 0;
    ShiftAndTurn(w, px, py, a);
    w.ClearPoints();
}

void ZeroPoint(MainWindow& w) {
    if (w.PointCount() == 0) {
        w.session().Op().ShowInfo(w.UiText(13));
        return;
    }
    const Point p = w.GetPoint(0);
    ShiftAndTurn(w, p.x, p.y, 0);
    AppendSelected(w, LineStart(w) + FitLeft(w.ResultName(22), 11) + std::string(23, ' ') + Num(w, 0) + "  " +
                          Num(w, 0));
    w.RecordLine("AARPN:");
    w.ClearPoints();
}

void Rotate(MainWindow& w) {
    const auto text = w.session().Op().Input(w.ResultName(5), "0");
    if (!text) {
        return;
    }
    const Real v = ReadNumber(*text);
    w.session().settings.OffsetW += v;
    AppendSelected(w, LineStart(w) + "Koordinatensystem drehen ");
    w.RecordLine("AARVW:" + FormatReal(v, 0, 4));
}

void Reset(MainWindow& w) {
    Settings& s = w.session().settings;
    s.OffsetX = 0;
    s.OffsetY = 0;
    s.OffsetW = 0;
    w.RecordLine("AAR0:");
    AppendSelected(w, LineStart(w) + Ansi("Zurücksetzen"));
}

}  // namespace

void ZeroX(MainWindow& w, ZeroSource source) {
    Settings& s = w.session().settings;
    const long double v = s.CurrentPos.x;
    const long double wAngle = s.OffsetW;
    s.OffsetX += v * CosDeg(wAngle);
    s.OffsetY += v * SinDeg(wAngle);
    w.RecordLine("NULLX");
    if (source == ZeroSource::Button) {
        AppendSelected(w, LineStart(w) + FitLeft(w.ResultName(22), 8) + " X                        ");
        w.FocusedControl = "lb1";
    }
}

void ZeroY(MainWindow& w, ZeroSource source) {
    Settings& s = w.session().settings;
    if (source == ZeroSource::Button && s.NoZero != 0) {
        return;
    }
    const long double v = s.CurrentPos.y;
    const long double wAngle = s.OffsetW;
    s.OffsetX -= v * SinDeg(wAngle);
    s.OffsetY += v * CosDeg(wAngle);
    w.RecordLine("NULLY");
    if (source == ZeroSource::Button) {
        AppendSelected(w, LineStart(w) + FitLeft(w.ResultName(22), 8) + " Y                        ");
        w.FocusedControl = "lb1";
    }
}

void OffsetEntry(MainWindow& w, int axis) {
    Session& s = w.session();
    const char* name = axis == 0 ? " X" : " Y";
    const auto text = s.Op().Input(w.UiText(26) + name, "0");
    if (!text) {
        return;
    }
    const Real v = ReadNumber(*text);
    (axis == 0 ? s.settings.OffsetX : s.settings.OffsetY) += v;
    AppendSelected(w, LineStart(w) + FitLeft(w.UiText(26), 8) + (axis == 0 ? "   X          " : "   Y          ") +
                          Num(w, v));
    w.RecordLine((axis == 0 ? "AARVX:" : "AARVY:") + FormatReal(v, 0, 4));
}

void RunCoordinateEntry(MainWindow& w, int entry) {
    switch (entry) {
        case kReset:
            Reset(w);
            break;
        case kOffsetX:
        case kOffsetY:
            OffsetEntry(w, entry == kOffsetX ? 0 : 1);
            break;
        case kRotate:
            Rotate(w);
            break;
        case kAlignTwoLines:
            AlignTwoLines(w);
            break;
        case kAlignLine:
        case kAlignPointLine:
            AlignLine(w, entry == kAlignPointLine);
            break;
        case kZeroXEntry:
            ZeroX(w, ZeroSource::Chooser);
            break;
        case kZeroYEntry:
            ZeroY(w, ZeroSource::Chooser);
            break;
        case kZeroPoint:
            ZeroPoint(w);
            break;
        default:
            return;
    }
    w.FocusedControl = "lb1";
}

void CoordinateSystemCommand(MainWindow& w) {
    const auto entry = w.session().Op().Choose("Tselect_ksys", ChooserEntries());
    if (!entry || *entry < 0 || *entry > kZeroPoint) {
        return;
    }
    RunCoordinateEntry(w, *entry);
}

}  // namespace tarvo
