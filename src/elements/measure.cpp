#include "elements/measure.h"

#include <cmath>

#include "data/resultline.h"
#include "elements/commandsupport.h"
#include "geometry/angles.h"
#include "geometry/circlefit.h"
#include "geometry/lines.h"
#include "shell/mainwindow.h"
#include "base/text.h"

namespace tarvo {

namespace {

constexpr int kMaxPoints = 50;

std::string Num(const MainWindow& w, long double v) { return FormatReal(v, kFieldWidth, w.session().settings.Decimals); }

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

// The line number, a blank and the name fitted into `width`.
std::string Head(const MainWindow& w, int nameIndex, int width) {
    return FormatInt(NextLineNumber(w), 3) + " " + FitLeft(w.ResultName(nameIndex), width);
}

// Appends the line, selects it, records the program word, clears the point memory and, for
// the commands the element graphic shows, refreshes it.
void Finish(MainWindow& w, const std::string& line, const std::string& programWord, bool graphic) {
    w.lb1().Append(line);
    w.lb1().SelectLast();
    w.RecordLine(programWord);
    w.ClearPoints();
    if (graphic) {
        w.ElementGraphicChanged();
    }
}

bool Aborted(const MainWindow& w) { return w.session().settings.AbortRequested != 0; }

// The four candidates of the angle and line commands.
void Candidates(long double a, bool siemens, Real (&c)[4]) {
    c[0] = a;
    c[1] = 360 - a;
    c[2] = siemens ? std::fabs(90 - a) : 90 - a;
    c[3] = siemens ? 90 - a : 180 - a;
}

}  // namespace

void EvaluateCircle(MainWindow& w) {
    if (Aborted(w) || !WaitForPointCount(w, 3, kMethodCircle)) {
        return;
    }
    Session& s = w.session();
    const int n = std::min(w.PointCount(), kMaxPoints);
    const PointList list = PointsFromMemory(w, 0, n);
    const CircleResult c = CircleFit(list, s.geometry);
    const bool radius = s.settings.CircleMode == 1;
    std::string line = Head(w, 0, 8) + FormatInt(n, 2) + " " + w.ResultName(radius ? 2 : 1) + Blanks(10) +
                       ResultNumbers(radius ? c.radius.value() : 2 * c.radius, c.cx, c.cy, s.settings.Decimals);
    if (n > 3) {
        line += "  " + Num(w, c.form);
    }
    w.lb1().Append(line);
    if (s.settings.AngleDiffLine != 0) {
        w.lb1().Append(FormatInt(NextLineNumber(w), 3) + " " + FitLeft("W m Diff    ", 8) + Blanks(14) +
                       ResultNumbers(s.geometry.WorstPointAngle, c.cx, c.cy, s.settings.Decimals));
    }
    s.geometry.ElementPosX = c.cx;
    s.geometry.ElementPosY = c.cy;
    s.elements.LastElementKind = 1;
    w.lb1().SelectLast();
    w.RecordLine("Kreis:");
    w.ClearPoints();
    w.ElementGraphicChanged();
}

void DistanceTwoPoints(MainWindow& w) {
    if (Aborted(w) || !WaitForPointCount(w, 2, kMethodTwoPoints)) {
        return;
    }
    const Point p1 = w.GetPoint(0);
    const Point p2 = w.GetPoint(1);
    const DistanceResult d = Distance2P(p1.x, p1.y, p2.x, p2.y);
    Finish(w, Head(w, 3, 11) + Blanks(11) + ResultNumbers(d.distance, d.midX, d.midY, w.session().settings.Decimals),
           "Abstand2P:", false);
}

void DistanceLinePoint(MainWindow& w) {
    if (Aborted(w) || !WaitForPointCount(w, 3, kMethodLinePoint)) {
        return;
    }
    const Point p3 = w.GetPoint(2);
    const FootResult f = PointLineDistance(LineThrough(w, 0, 1), p3.x, p3.y);
    Finish(w, Head(w, 4, 11) + Blanks(11) + ResultNumbers(f.distance, f.footX, f.footY, w.session().settings.Decimals),
           "AbstandGP:", false);
}

void PointCommand(MainWindow& w) {
    if (Aborted(w)) {
        return;
    }
    if (w.PointCount() < 1) {
        w.session().Op().ShowInfo(w.UiText(13));
        return;
    }
    const Point p = w.GetPoint(0);
    w.session().geometry.ElementPosX = p.x;
    w.session().geometry.ElementPosY = p.y;
    Finish(w, Head(w, 7, 11) + Blanks(23) + Num(w, p.x) + "  " + Num(w, p.y), "Punkt:", true);
}

void AxisDistanceCommand(MainWindow& w) {
    if (Aborted(w) || !WaitForPointCount(w, 2, kMethodTwoPoints)) {
        return;
    }
    Session& s = w.session();
    int choice = s.elements.ReplayChoice;
    if (choice == 0) {
        const auto k = s.Op().Choose("Tsel_abstand", {"X Abstand", "Y Abstand"});
        if (!k || (*k != 1 && *k != 2)) {
            return;
        }
        choice = *k;
    }
    const Point p1 = w.GetPoint(0);
    const Point p2 = w.GetPoint(1);
    const AxisDistanceResult d = AxisDistances(p1.x, p1.y, p2.x, p2.y);
    const bool y = choice == 2;
    s.elements.ReplayChoice = 0;
    Finish(w, Head(w, y ? 10 : 9, 11) + Blanks(11) + Num(w, y ? d.dy : d.dx), "AbstandXY:" + std::to_string(choice),
           false);
}

void PointEntry(MainWindow& w) {
    Session& s = w.session();
    const auto xText = s.Op().Input(w.UiText(30), "0");
    if (!xText) {
        return;
    }
    const Real x = ReadNumber(*xText);
    const auto yText = s.Op().Input(w.UiText(31), "0");
    if (!yText) {
        return;
    }
    const Real y = ReadNumber(*yText);
    const int dec = s.settings.Decimals;
    w.lb1().Append(FormatInt(NextLineNumber(w), 3) + " " + FitLeft(w.UiText(32), 21) + Blanks(13) + Num(w, x) + "  " +
                   Num(w, y));
    w.lb1().SelectLast();
    s.geometry.ElementPosX = x;
    s.geometry.ElementPosY = y;
    w.RecordLine("PKT:" + FormatReal(x, 0, dec) + ":" + FormatReal(y, 0, dec));
    w.ElementGraphicChanged();
}

void AngleBetweenLines(MainWindow& w) {
    if (Aborted(w) || !WaitForPointCount(w, 4, kMethodAngle)) {
        return;
    }
    Session& s = w.session();
    const Line2P la = LineThrough(w, 0, 1);
    const Line2P lb = LineThrough(w, 2, 3);
    const Real a1 = InclinationAngle(la.x1, la.y1, la.x2, la.y2);
    const Real a2 = InclinationAngle(lb.x1, lb.y1, lb.x2, lb.y2);
    const Real a = a2 > a1 ? a2 - a1 : a1 - a2;
    const XY vertex = IntersectLines(la, lb);
    Real c[4];
    Candidates(a, s.settings.SiemensMode != 0, c);
    const auto k = ChooseAngle(w, c);
    if (!k) {
        return;
    }
    // The reported angle is the candidate the operator chose (in SiemensMode too).
    const Real result = c[*k - 1];
    s.geometry.ElementPosX = vertex.x;
    s.geometry.ElementPosY = vertex.y;
    s.elements.ReplayChoice = 0;
    Finish(w, Head(w, 5, 11) + Blanks(11) + AngleText(w, result) + "  " + Num(w, vertex.x) + "  " + Num(w, vertex.y),
           "Winkel:" + std::to_string(*k), true);
}

void LineCommand(MainWindow& w) {
    if (Aborted(w) || !WaitForPointCount(w, 2, kMethodLine)) {
        return;
    }
    Session& s = w.session();
    const int n = std::min(w.PointCount(), kMaxPoints);
    const PointList list = PointsFromMemory(w, 0, n);
    const LineResult fit = LineFit(list);
    Real c[4];
    Candidates(fit.angle, s.settings.SiemensMode != 0, c);
    const auto k = ChooseAngle(w, c);
    if (!k) {
        return;
    }
    const Real result = c[*k - 1];
    Real fx = fit.footX;
    Real fy = fit.footY;
    if (s.settings.SiemensMode != 0) {
        const XY cross = IntersectLines({list.p[1].x, list.p[1].y, list.p[n].x, list.p[n].y}, {0, 0, 100, 0});
        fx = cross.x;
        fy = cross.y;
    }
    std::string line = Head(w, 6, 8) + FormatInt(n, 2) + Blanks(12) + AngleText(w, result) + "  " + Num(w, fx) + "  " +
                       Num(w, fy);
    if (n > 2) {
        line += "  " + Num(w, fit.form);
    }
    s.geometry.ElementPosX = fx;
    s.geometry.ElementPosY = fy;
    s.elements.ReplayChoice = 0;
    Finish(w, line, "Gerade:" + std::to_string(*k), true);
}

void SymmetryLineCommand(MainWindow& w) {
    if (Aborted(w) || !WaitForPointCount(w, 4, kMethodSymmetry)) {
        return;
    }
    Session& s = w.session();
    const LineResult r = SymmetryLine(LineThrough(w, 0, 1), LineThrough(w, 2, 3));
    s.geometry.ElementPosX = r.footX;
    s.geometry.ElementPosY = r.footY;
    Finish(w, Head(w, 8, 14) + Blanks(8) + AngleText(w, r.angle) + "  " + Num(w, r.footX) + "  " + Num(w, r.footY),
           "SYMG:", true);
}

namespace {

// "Punkt 1" / "Punkt 2" with a position, or with the texts of a failed intersection.
std::string IntersectionLine(const MainWindow& w, int k, const std::string& coordinates) {
    return FormatInt(NextLineNumber(w), 3) + " " + FitLeft(w.ResultName(7) + " " + std::to_string(k), 21) +
           Blanks(13) + coordinates;
}

// The start both intersection commands share: the abort flag, the last-element kind, the wait.
bool StartIntersection(MainWindow& w, int count, int method) {
    if (Aborted(w)) {
        return false;
    }
    w.session().elements.LastElementKind = 1;
    return WaitForPointCount(w, count, method);
}

CircleResult CircleOfPoints(MainWindow& w, int first) {
    return CircleFit(PointsFromMemory(w, first, 3), w.session().geometry);
}

}  // namespace

void IntersectCircleLineCommand(MainWindow& w) {
    Session& s = w.session();
    if (!StartIntersection(w, 5, kMethodCircleLine)) {
        return;
    }
    const CircleResult c = CircleOfPoints(w, 0);
    const CircleLineResult r = IntersectCircleLine(c.cx, c.cy, c.radius, LineThrough(w, 3, 4));
    if (r.found) {
        s.geometry.ElementPosX = r.points.x1;
        s.geometry.ElementPosY = r.points.y1;
        w.lb1().Append(IntersectionLine(w, 1, Num(w, r.points.x1) + "  " + Num(w, r.points.y1)));
        if (!(r.points.x2 == r.points.x1 && r.points.y2 == r.points.y1)) {
            w.lb1().Append(IntersectionLine(w, 2, Num(w, r.points.x2) + "  " + Num(w, r.points.y2)));
        }
    } else {
        w.lb1().Append(IntersectionLine(w, 1, "999999.000  999999.000"));
        w.lb1().Append(IntersectionLine(w, 2, "999999.000  999999.000"));
    }
    w.lb1().SelectLast();
    w.RecordLine("SPKG:");
    w.ClearPoints();
}

void IntersectCirclesCommand(MainWindow& w) {
    Session& s = w.session();
    if (!StartIntersection(w, 6, kMethodCircleCircle)) {
        return;
    }
    const CircleResult c1 = CircleOfPoints(w, 0);
    const CircleResult c2 = CircleOfPoints(w, 3);
    const TwoPoints p = IntersectCircles(c1.cx, c1.cy, c2.cx, c2.cy, c1.radius, c2.radius, s.geometry);
    if (p.x1 == Real(kVerticalSlope)) {
        return;
    }
    w.lb1().Append(IntersectionLine(w, 1, Num(w, p.x1) + "  " + Num(w, p.y1)));
    w.lb1().Append(IntersectionLine(w, 2, Num(w, p.x2) + "  " + Num(w, p.y2)));
    w.lb1().SelectLast();
    w.RecordLine("SPKK:");
    w.ClearPoints();
}

void AreaFromStoredCircle(MainWindow& w) {
    Session& s = w.session();
    const int index = w.lb1().ItemIndex();
    if (index < 0) {
        return;
    }
    const std::string line = w.lb1().Line(index);
    if (UpperCaseOem(line).find(UpperCaseOem(w.ResultName(0))) == std::string::npos) {
        return;
    }
    const Real x = ReadColumn(line, kXColumn).value;
    const Real y = ReadColumn(line, kYColumn).value;
    const Real size = ReadColumn(line, kValueColumn).value;
    const bool radius = RemoveSpaces(ColumnText(line, {15, 3})) == w.ResultName(2);
    const Real d = radius ? 2 * size : size.value();
    const Real area = d * d * 3.141592654L * 0.25L;
    s.geometry.ElementPosX = x;
    s.geometry.ElementPosY = y;
    w.lb1().Append(FormatInt(NextLineNumber(w), 3) + " " + FitLeft(w.ResultName(0), 21) + " " + Num(w, area) + "  " +
                   Num(w, x) + "  " + Num(w, y));
    w.lb1().SelectLast();
    w.RecordLine("SF1");
}

}  // namespace tarvo
