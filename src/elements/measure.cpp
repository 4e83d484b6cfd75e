#include "elements/measure.h"

#include <cmath>
#include <span>

#include "base/text.h"
#include "data/commandcontext.h"
#include "data/resultline.h"
#include "elements/reference.h"
#include "geometry/angles.h"
#include "geometry/circlefit.h"
#include "geometry/lines.h"
#include "geometry/referencefits.h"

namespace tarvo {

namespace {

// The area of a stored circle uses this decimal value of pi, not the full constant, so areas
// match the lists of earlier versions to the last place.
constexpr long double kAreaPi = 3.141592654L;

// Records the program word, clears the point memory and, for the commands the element graphic
// shows, refreshes it: what every measuring command does after listing its result.
void Finish(CommandContext& ctx, std::string_view word, std::string_view parameters, bool graphic) {
    ctx.Record(word, parameters);
    ctx.ClearPoints();
    if (graphic) {
        ctx.changes.ElementGraphicChanged.Notify();
    }
}

bool Aborted(const CommandContext& ctx) { return ctx.run.AbortRequested != 0; }

// The four candidates of the angle and line commands.
void Candidates(long double a, bool siemens, Real (&c)[4]) {
    c[0] = a;
    c[1] = 360 - a;
    c[2] = siemens ? std::fabs(90 - a) : 90 - a;
    c[3] = siemens ? 90 - a : 180 - a;
}

}  // namespace

std::vector<FitPoint> FitPointsOf(const PointList& list) {
    std::vector<FitPoint> points;
    for (int i = 1; i <= list.Count(); ++i) {
        points.push_back({static_cast<double>(list.p[i].x.value()), static_cast<double>(list.p[i].y.value())});
    }
    return points;
}

namespace {

PointList ListOf(std::span<const FitPoint> points) {
    PointList list;
    for (std::size_t i = 0; i < points.size() && i < static_cast<std::size_t>(kMaxListPoints); ++i) {
        list.Add(points[i].x, points[i].y);
    }
    return list;
}

// " LSCI" after the result name's detail: the reference when it is not the program's own.
std::string ReferenceSuffix(std::string_view reference) {
    return reference == kOwnReference ? std::string() : " " + std::string(reference);
}

// The circle of `list` as `reference` gives it (the worst-point angle set as the own search sets
// it). Nothing, and the reason said, when that reference has no circle for these points.
std::optional<CircleResult> CircleOf(CommandContext& ctx, const PointList& list, std::string_view reference) {
    CircleMethod method{};
    if (!ParseCircleMethod(reference, method)) {
        return CircleFit(list, ctx.geometry);
    }
    const ReferenceCircle r = FitCircle(FitPointsOf(list), method);
    if (!r.ok) {
        ctx.op.ShowError(ctx.texts.Compose(kMsgNoReference, {reference, r.reason}));
        return std::nullopt;
    }
    CircleResult c;
    c.cx = r.cx;
    c.cy = r.cy;
    c.radius = r.radius;
    c.form = r.roundness;
    (void)RadialSpread(list, c.cx, c.cy, c.radius, ctx.geometry);
    return c;
}

// The line of `list` as `reference` gives it: the inclination in degrees (0 <= a < 360 as the
// own fit gives it) and the line's point nearest the origin.
std::optional<LineResult> LineOf(CommandContext& ctx, const PointList& list, std::string_view reference) {
    LineMethod method{};
    if (!ParseLineMethod(reference, method)) {
        return LineFit(list);
    }
    const ReferenceLine r = FitLine(FitPointsOf(list), method);
    if (!r.ok) {
        ctx.op.ShowError(ctx.texts.Compose(kMsgNoReference, {reference, r.reason}));
        return std::nullopt;
    }
    long double angle = std::atan2(static_cast<long double>(r.uy), static_cast<long double>(r.ux)) * 180 / kPi;
    if (angle < 0) {
        angle += 360;
    }
    const long double t = -(static_cast<long double>(r.px) * r.ux + static_cast<long double>(r.py) * r.uy);
    LineResult l{};
    l.footX = r.px + t * r.ux;
    l.footY = r.py + t * r.uy;
    l.angle = angle;
    l.form = r.straightness;
    return l;
}

}  // namespace

bool ListCircle(CommandContext& ctx, const PointList& list, std::string_view reference) {
    const int n = list.Count();
    const auto fit = CircleOf(ctx, list, reference);
    if (!fit) {
        return false;
    }
    const CircleResult& c = *fit;
    const bool radius = ctx.settings.CircleMode == 1;
    const std::string label = ctx.Label(
        kResultCircle, 8,
        FormatInt(n, 2) + " " + ctx.ResultName(radius ? kResultRadius : kResultDiameter) + ReferenceSuffix(reference));
    const std::string size = FieldText(ctx, radius ? c.radius.value() : 2 * c.radius);
    const std::string x = FieldText(ctx, c.cx);
    const std::string y = FieldText(ctx, c.cy);
    const std::string line = n > 3 ? WriteResultLine(ctx.NextLineNumber(), label, size, {x, y, FieldText(ctx, c.form)})
                                   : WriteResultLine(ctx.NextLineNumber(), label, size, {x, y});
    ctx.results.Append(line, FitPointsOf(list));
    if (ctx.settings.AngleDiffLine != 0) {
        // "winkel": the direction of the point farthest off the radius, on a line of its own.
        ctx.ListResult(ResultLabel("W m Diff    ", 8), FieldText(ctx, ctx.geometry.WorstPointAngle), {x, y});
    }
    ctx.geometry.ElementPosX = c.cx;
    ctx.geometry.ElementPosY = c.cy;
    ctx.geometry.LastElementKind = 1;
    return true;
}

void EvaluateCircle(CommandContext& ctx) {
    if (Aborted(ctx) || !WaitForPointCount(ctx, 3, kMethodCircle)) {
        return;
    }
    const int n = std::min(ctx.PointCount(), kMaxListPoints);
    const std::string& reference = ReferenceInForce(ctx, ReferenceKind::Circle);
    if (!ListCircle(ctx, PointsFromMemory(ctx, 0, n), reference)) {
        return;
    }
    Finish(ctx, word::kCircle, {}, true);
}

void DistanceTwoPoints(CommandContext& ctx) {
    if (Aborted(ctx) || !WaitForPointCount(ctx, 2, kMethodTwoPoints)) {
        return;
    }
    const Point p1 = ctx.GetPoint(0);
    const Point p2 = ctx.GetPoint(1);
    const DistanceResult d = Distance2P(p1.x, p1.y, p2.x, p2.y);
    ctx.ListResult(ctx.Label(kResultDistanceTwoPoints, 11), FieldText(ctx, d.distance),
                   {FieldText(ctx, d.midX), FieldText(ctx, d.midY)});
    Finish(ctx, word::kDistanceTwoPoints, {}, false);
}

void DistanceLinePoint(CommandContext& ctx) {
    if (Aborted(ctx) || !WaitForPointCount(ctx, 3, kMethodLinePoint)) {
        return;
    }
    const Point p3 = ctx.GetPoint(2);
    const FootResult f = PointLineDistance(LineThrough(ctx, 0, 1), p3.x, p3.y);
    ctx.ListResult(ctx.Label(kResultDistanceLinePoint, 11), FieldText(ctx, f.distance),
                   {FieldText(ctx, f.footX), FieldText(ctx, f.footY)});
    Finish(ctx, word::kDistanceLinePoint, {}, false);
}

void PointCommand(CommandContext& ctx) {
    if (Aborted(ctx)) {
        return;
    }
    if (ctx.PointCount() < 1) {
        ctx.op.ShowInfo(ctx.UiText(kTextTooFewPoints));
        return;
    }
    const Point p = ctx.GetPoint(0);
    ctx.geometry.ElementPosX = p.x;
    ctx.geometry.ElementPosY = p.y;
    ctx.ListResult(ctx.Label(kResultPoint, 11), "", {FieldText(ctx, p.x), FieldText(ctx, p.y)});
    Finish(ctx, word::kPoint, {}, true);
}

void AxisDistanceCommand(CommandContext& ctx) {
    if (Aborted(ctx) || !WaitForPointCount(ctx, 2, kMethodTwoPoints)) {
        return;
    }
    int choice = ctx.run.ReplayChoice;
    if (choice == 0) {
        const auto k = ctx.op.Choose("Tsel_abstand", {"X Abstand", "Y Abstand"});
        if (!k || (*k != 1 && *k != 2)) {
            return;
        }
        choice = *k;
    }
    const Point p1 = ctx.GetPoint(0);
    const Point p2 = ctx.GetPoint(1);
    const AxisDistanceResult d = AxisDistances(p1.x, p1.y, p2.x, p2.y);
    const bool y = choice == 2;
    ctx.run.ReplayChoice = 0;
    ctx.ListResult(ctx.Label(y ? kResultDistanceY : kResultDistanceX, 11), FieldText(ctx, y ? d.dy : d.dx));
    Finish(ctx, word::kAxisDistance, std::to_string(choice), false);
}

void PointEntry(CommandContext& ctx) {
    const auto xText = ctx.op.Input(ctx.UiText(kTextXCoordinate), "0");
    if (!xText) {
        return;
    }
    const Real x = ReadNumber(*xText);
    const auto yText = ctx.op.Input(ctx.UiText(kTextYCoordinate), "0");
    if (!yText) {
        return;
    }
    ListEnteredPoint(ctx, x, ReadNumber(*yText));
}

void ListEnteredPoint(CommandContext& ctx, long double x, long double y) {
    const int dec = ctx.settings.Decimals;
    ctx.ListResult(ResultLabel(ctx.UiText(kTextPointEntry), 21), "", {FieldText(ctx, x), FieldText(ctx, y)});
    ctx.geometry.ElementPosX = x;
    ctx.geometry.ElementPosY = y;
    ctx.Record(word::kPointEntry, FormatReal(x, 0, dec) + ":" + FormatReal(y, 0, dec));
    ctx.changes.ElementGraphicChanged.Notify();
}

void AngleBetweenLines(CommandContext& ctx) {
    if (Aborted(ctx) || !WaitForPointCount(ctx, 4, kMethodAngle)) {
        return;
    }
    const Line2P la = LineThrough(ctx, 0, 1);
    const Line2P lb = LineThrough(ctx, 2, 3);
    const Real a1 = InclinationAngle(la.x1, la.y1, la.x2, la.y2);
    const Real a2 = InclinationAngle(lb.x1, lb.y1, lb.x2, lb.y2);
    const Real a = a2 > a1 ? a2 - a1 : a1 - a2;
    const XY vertex = IntersectLines(la, lb);
    Real c[4];
    Candidates(a, ctx.settings.SiemensMode != 0, c);
    const auto k = ChooseAngle(ctx, c);
    if (!k) {
        return;
    }
    // The reported angle is the candidate the operator chose (in SiemensMode too).
    const Real result = c[*k - 1];
    ctx.geometry.ElementPosX = vertex.x;
    ctx.geometry.ElementPosY = vertex.y;
    ctx.run.ReplayChoice = 0;
    ctx.ListResult(ctx.Label(kResultAngle, 11), AngleText(ctx, result),
                   {FieldText(ctx, vertex.x), FieldText(ctx, vertex.y)});
    Finish(ctx, word::kAngle, std::to_string(*k), true);
}

std::optional<int> ListLine(CommandContext& ctx, const PointList& list, std::string_view reference) {
    const int n = list.Count();
    const auto found = LineOf(ctx, list, reference);
    if (!found) {
        return std::nullopt;
    }
    const LineResult& fit = *found;
    Real c[4];
    Candidates(fit.angle, ctx.settings.SiemensMode != 0, c);
    const auto k = ChooseAngle(ctx, c);
    if (!k) {
        return std::nullopt;
    }
    const Real result = c[*k - 1];
    Real fx = fit.footX;
    Real fy = fit.footY;
    if (ctx.settings.SiemensMode != 0) {
        const XY cross = IntersectLines({list.p[1].x, list.p[1].y, list.p[n].x, list.p[n].y}, {0, 0, 100, 0});
        fx = cross.x;
        fy = cross.y;
    }
    const std::string label = ctx.Label(kResultLine, 8, FormatInt(n, 2) + ReferenceSuffix(reference));
    const std::string line = n > 2 ? WriteResultLine(ctx.NextLineNumber(), label, AngleText(ctx, result),
                                                     {FieldText(ctx, fx), FieldText(ctx, fy), FieldText(ctx, fit.form)})
                                   : WriteResultLine(ctx.NextLineNumber(), label, AngleText(ctx, result),
                                                     {FieldText(ctx, fx), FieldText(ctx, fy)});
    ctx.results.Append(line, FitPointsOf(list));
    ctx.geometry.ElementPosX = fx;
    ctx.geometry.ElementPosY = fy;
    ctx.run.ReplayChoice = 0;
    return k;
}

void LineCommand(CommandContext& ctx) {
    if (Aborted(ctx) || !WaitForPointCount(ctx, 2, kMethodLine)) {
        return;
    }
    const int n = std::min(ctx.PointCount(), kMaxListPoints);
    const std::string& reference = ReferenceInForce(ctx, ReferenceKind::Line);
    const auto k = ListLine(ctx, PointsFromMemory(ctx, 0, n), reference);
    if (!k) {
        return;
    }
    Finish(ctx, word::kLine, std::to_string(*k), true);
}

void ReevaluateResult(CommandContext& ctx) {
    const int index = ctx.results.ItemIndex();
    if (index < 0 || ctx.Recording() || ctx.run.ProgramRunning) {
        return;
    }
    const std::string line = ctx.results.Line(index);
    const bool circle =
        HasResultName(line, kResultCircle, ctx.texts) &&
        (CircleSizeIs(line, kResultDiameter, ctx.texts) || CircleSizeIs(line, kResultRadius, ctx.texts));
    const bool straight = !circle && HasResultName(line, kResultLine, ctx.texts);
    // A copy: listing the new line moves what the list keeps.
    const std::vector<FitPoint> kept = ctx.results.KeptPoints(index);
    if ((!circle && !straight) || kept.empty()) {
        ctx.op.ShowInfo(ctx.UiText(kMsgNoKeptPoints));
        return;
    }
    const auto names = ReferenceNames(circle ? ReferenceKind::Circle : ReferenceKind::Line);
    const auto choice = ctx.op.Choose(ctx.UiText(kMsgReevaluate), std::vector<std::string>(names.begin(), names.end()));
    if (!choice || *choice < 1 || *choice > static_cast<int>(names.size())) {
        return;
    }
    const std::string reference = names[static_cast<std::size_t>(*choice - 1)];
    const PointList list = ListOf(kept);
    const bool listed = circle ? ListCircle(ctx, list, reference) : ListLine(ctx, list, reference).has_value();
    if (listed) {
        ctx.changes.ElementGraphicChanged.Notify();
    }
}

void SymmetryLineCommand(CommandContext& ctx) {
    if (Aborted(ctx) || !WaitForPointCount(ctx, 4, kMethodSymmetry)) {
        return;
    }
    const LineResult r = SymmetryLine(LineThrough(ctx, 0, 1), LineThrough(ctx, 2, 3));
    ctx.geometry.ElementPosX = r.footX;
    ctx.geometry.ElementPosY = r.footY;
    ctx.ListResult(ctx.Label(kResultSymmetryLine, 14), AngleText(ctx, r.angle),
                   {FieldText(ctx, r.footX), FieldText(ctx, r.footY)});
    Finish(ctx, word::kSymmetryLine, {}, true);
}

namespace {

// "Punkt 1" / "Punkt 2" with a position, or with the texts of a failed intersection.
void ListIntersection(CommandContext& ctx, int k, std::string_view x, std::string_view y) {
    ctx.ListResult(ResultLabel(ctx.ResultName(kResultPoint) + " " + std::to_string(k), 21), "", {x, y});
}

// The text both coordinates of a failed circle-line intersection show.
constexpr std::string_view kNoIntersection = "999999.000";

// The start both intersection commands share: the abort flag, the last-element kind, the wait.
bool StartIntersection(CommandContext& ctx, int count, int method) {
    if (Aborted(ctx)) {
        return false;
    }
    ctx.geometry.LastElementKind = 1;
    return WaitForPointCount(ctx, count, method);
}

CircleResult CircleOfPoints(CommandContext& ctx, int first) {
    return CircleFit(PointsFromMemory(ctx, first, 3), ctx.geometry);
}

}  // namespace

void IntersectCircleLineCommand(CommandContext& ctx) {
    if (!StartIntersection(ctx, 5, kMethodCircleLine)) {
        return;
    }
    const CircleResult c = CircleOfPoints(ctx, 0);
    const CircleLineResult r = IntersectCircleLine(c.cx, c.cy, c.radius, LineThrough(ctx, 3, 4));
    if (r.found) {
        ctx.geometry.ElementPosX = r.points.x1;
        ctx.geometry.ElementPosY = r.points.y1;
        ListIntersection(ctx, 1, FieldText(ctx, r.points.x1), FieldText(ctx, r.points.y1));
        if (!(r.points.x2 == r.points.x1 && r.points.y2 == r.points.y1)) {
            ListIntersection(ctx, 2, FieldText(ctx, r.points.x2), FieldText(ctx, r.points.y2));
        }
    } else {
        ListIntersection(ctx, 1, kNoIntersection, kNoIntersection);
        ListIntersection(ctx, 2, kNoIntersection, kNoIntersection);
    }
    ctx.Record(word::kCircleLine);
    ctx.ClearPoints();
}

void IntersectCirclesCommand(CommandContext& ctx) {
    if (!StartIntersection(ctx, 6, kMethodCircleCircle)) {
        return;
    }
    const CircleResult c1 = CircleOfPoints(ctx, 0);
    const CircleResult c2 = CircleOfPoints(ctx, 3);
    const TwoPoints p = IntersectCircles(c1.cx, c1.cy, c2.cx, c2.cy, c1.radius, c2.radius, ctx.geometry);
    if (p.x1 == Real(kMarkerValue)) {
        return;
    }
    ListIntersection(ctx, 1, FieldText(ctx, p.x1), FieldText(ctx, p.y1));
    ListIntersection(ctx, 2, FieldText(ctx, p.x2), FieldText(ctx, p.y2));
    ctx.Record(word::kCircleCircle);
    ctx.ClearPoints();
}

void AreaFromStoredCircle(CommandContext& ctx) {
    const int index = ctx.results.ItemIndex();
    if (index >= 0) {
        (void)AreaOfCircleLine(ctx, index);
    }
}

bool AreaOfCircleLine(CommandContext& ctx, int index) {
    const std::string line = ctx.results.Line(index);
    if (!HasResultName(line, kResultCircle, ctx.texts)) {
        return false;
    }
    const Real x = ReadX(line).value;
    const Real y = ReadY(line).value;
    const Real size = ReadValue(line).value;
    const bool radius = CircleSizeIs(line, kResultRadius, ctx.texts);
    const Real d = radius ? 2 * size : size.value();
    const Real area = d * d * kAreaPi * 0.25L;
    ctx.geometry.ElementPosX = x;
    ctx.geometry.ElementPosY = y;
    ctx.ListResult(ctx.Label(kResultCircle, 21), FieldText(ctx, area), {FieldText(ctx, x), FieldText(ctx, y)});
    // The line it used goes with the word: on replay the selection is wherever the run left it.
    ctx.Record(word::kAreaFromCircle, ":" + std::to_string(index));
    return true;
}

}  // namespace tarvo
