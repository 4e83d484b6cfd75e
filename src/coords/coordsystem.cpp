#include "coords/coordsystem.h"

#include <algorithm>
#include <vector>

#include "base/cp1252.h"
#include "base/text.h"
#include "data/commandcontext.h"
#include "geometry/angles.h"
#include "geometry/lines.h"

namespace tarvo {

namespace {

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

// The X/Y choice of an alignment: the preset replay choice, else `TAuswahl`; a closed dialog
// counts as "X". Returns 2 for "Y" (the line is the Y axis), else 1.
int AxisChoice(CommandContext& ctx) {
    if (ctx.run.ReplayChoice == 1 || ctx.run.ReplayChoice == 2) {
        return ctx.run.ReplayChoice;
    }
    return ctx.op.TwoButtons("X", "Y").value_or(false) ? 2 : 1;
}

// Wait of the alignment entries: status panel 0 is cleared first.
bool WaitForAlignment(CommandContext& ctx, int count, int method) {
    ctx.changes.PanelText.Notify(0, "");
    return WaitForPointCount(ctx, count, method);
}

void ShiftAndTurn(CommandContext& ctx, long double dx, long double dy, long double angle) {
    Settings& s = ctx.settings;
    s.OffsetX += dx;
    s.OffsetY += dy;
    s.OffsetW += angle;
}

void AlignTwoLines(CommandContext& ctx) {
    if (!WaitForAlignment(ctx, 4, kMethodAlignTwoLines)) {
        return;
    }
    const Line2P l1 = LineThrough(ctx, 0, 1);
    const Line2P l2 = LineThrough(ctx, 2, 3);
    const XY i = IntersectLines(l1, l2);
    const Real a1 = DirectionAngle(l1.x2, l1.y2, l1.x1, l1.y1);  // from P2 towards P1
    const Real a2 = DirectionAngle(l2.x1, l2.y1, l2.x2, l2.y2);
    const Real candidates[4] = {a1, a2, 0, 0};
    const auto k = ChooseAngle(ctx, candidates);
    if (!k) {
        return;
    }
    const Real a = *k == 2 ? a2 : a1;
    ctx.geometry.ElementPosX = i.x;
    ctx.geometry.ElementPosY = i.y;
    ctx.ListResult(ctx.Label(kResultAlignTwoLines, 21), AngleText(ctx, a), {FieldText(ctx, i.x), FieldText(ctx, i.y)});
    ctx.Record(word::kAlignTwoLines, std::to_string(*k));
    ctx.run.ReplayChoice = 0;
    ShiftAndTurn(ctx, i.x, i.y, a);
    ctx.ClearPoints();
}

void AlignLine(CommandContext& ctx, bool throughPoint) {
    const int needed = throughPoint ? 3 : 2;
    if (!WaitForAlignment(ctx, needed, throughPoint ? kMethodAlignPointLine : kMethodAlignLine)) {
        return;
    }
    const int first = throughPoint ? 1 : 0;
    const int n = std::min(ctx.PointCount() - first, kMaxListPoints);
    const LineResult fit = LineFit(PointsFromMemory(ctx, first, n));
    const int choice = AxisChoice(ctx);
    Real a = fit.angle;
    if (choice == 2) {
        a += 90;
    }
    Real px = fit.footX;
    Real py = fit.footY;
    if (throughPoint) {
        const Point p0 = ctx.GetPoint(0);
        px = p0.x;
        py = p0.y;
    }
    ctx.geometry.ElementPosX = px;
    ctx.geometry.ElementPosY = py;
    ctx.ListResult(ctx.Label(throughPoint ? kResultAlignPointLine : kResultAlignOneLine, 21), AngleText(ctx, a),
                   {FieldText(ctx, px), FieldText(ctx, py)});
    ctx.Record(throughPoint ? word::kAlignCircleLine : word::kAlignLine, std::to_string(choice));
    ctx.run.ReplayChoice = 0;
    ShiftAndTurn(ctx, px, py, a);
    ctx.ClearPoints();
}

void ZeroPoint(CommandContext& ctx) {
    if (ctx.PointCount() == 0) {
        ctx.op.ShowInfo(ctx.UiText(kTextTooFewPoints));
        return;
    }
    const Point p = ctx.GetPoint(0);
    ShiftAndTurn(ctx, p.x, p.y, 0);
    ctx.ListResult(ctx.Label(kResultZero, 11), "", {FieldText(ctx, 0), FieldText(ctx, 0)});
    ctx.Record(word::kZeroPoint);
    ctx.ClearPoints();
}

void Rotate(CommandContext& ctx) {
    const auto text = ctx.op.Input(ctx.ResultName(kResultAngle), "0");
    if (!text) {
        return;
    }
    ApplyRotation(ctx, ReadNumber(*text));
}

void Reset(CommandContext& ctx) {
    Settings& s = ctx.settings;
    s.OffsetX = 0;
    s.OffsetY = 0;
    s.OffsetW = 0;
    ctx.Record(word::kReset);
    ctx.ListText(ctx.texts.Translate(Ansi("Zurücksetzen")));
}

}  // namespace

bool Zero(CommandContext& ctx, int axis, ZeroSource source) {
    Settings& s = ctx.settings;
    // "NoZero" locks the Y button only; the chooser entry still zeroes Y.
    if (axis == 1 && source == ZeroSource::Button && s.NoZero != 0) {
        return false;
    }
    // The current position along the axis, turned back into machine directions.
    const long double wAngle = s.OffsetW;
    if (axis == 0) {
        const long double v = ctx.run.CurrentPos.x;
        s.OffsetX += v * CosDeg(wAngle);
        s.OffsetY += v * SinDeg(wAngle);
    } else {
        const long double v = ctx.run.CurrentPos.y;
        s.OffsetX -= v * SinDeg(wAngle);
        s.OffsetY += v * CosDeg(wAngle);
    }
    ctx.Record(axis == 0 ? word::kZeroX : word::kZeroY);
    // A text line whose blanks run up to the X column.
    ctx.ListText(ctx.Label(kResultZero, 8, axis == 0 ? " X" : " Y") + std::string(kFieldWidth + 2, ' '));
    return true;
}

void ApplyOffset(CommandContext& ctx, int axis, long double v) {
    (axis == 0 ? ctx.settings.OffsetX : ctx.settings.OffsetY) += v;
    ctx.ListResult(ResultLabel(ctx.UiText(kTextOffset), 8, axis == 0 ? "   X" : "   Y"), FieldText(ctx, v));
    ctx.Record(axis == 0 ? word::kOffsetX : word::kOffsetY, FormatReal(v, 0, 4));
}

void ApplyRotation(CommandContext& ctx, long double v) {
    ctx.settings.OffsetW += v;
    ctx.ListText(ctx.texts.Translate("Koordinatensystem drehen "));
    ctx.Record(word::kRotate, FormatReal(v, 0, 4));
}

void OffsetEntry(CommandContext& ctx, int axis) {
    const char* name = axis == 0 ? " X" : " Y";
    const auto text = ctx.op.Input(ctx.UiText(kTextOffset) + name, "0");
    if (!text) {
        return;
    }
    ApplyOffset(ctx, axis, ReadNumber(*text));
}

bool RunCoordinateEntry(CommandContext& ctx, int entry) {
    switch (entry) {
        case kReset:
            Reset(ctx);
            break;
        case kOffsetX:
        case kOffsetY:
            OffsetEntry(ctx, entry == kOffsetX ? 0 : 1);
            break;
        case kRotate:
            Rotate(ctx);
            break;
        case kAlignTwoLines:
            AlignTwoLines(ctx);
            break;
        case kAlignLine:
        case kAlignPointLine:
            AlignLine(ctx, entry == kAlignPointLine);
            break;
        case kZeroXEntry:
        case kZeroYEntry:
            Zero(ctx, entry == kZeroXEntry ? 0 : 1, ZeroSource::Chooser);
            break;
        case kZeroPoint:
            ZeroPoint(ctx);
            break;
        default:
            return false;
    }
    return true;
}

bool CoordinateSystemCommand(CommandContext& ctx) {
    const auto entry = ctx.op.Choose("Tselect_ksys", ChooserEntries());
    if (!entry || *entry < 0 || *entry > kZeroPoint) {
        return false;
    }
    return RunCoordinateEntry(ctx, *entry);
}

}  // namespace tarvo
