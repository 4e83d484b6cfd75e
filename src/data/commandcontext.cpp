#include "data/commandcontext.h"

#include <array>

#include "base/text.h"
#include "geometry/angles.h"

namespace tarvo {

bool WaitForPointCount(CommandContext& ctx, int count, int method) {
    if (ctx.PointCount() >= count) {
        return true;
    }
    ctx.run.AbortRequested = 0;
    const bool enough = ctx.op.WaitForPoints(count, method);
    if (ctx.run.AbortRequested != 0 || !enough || ctx.PointCount() < count) {
        // In a program run the flag stays, so the runner asks whether to end the run.
        if (!ctx.run.ProgramRunning) {
            ctx.run.AbortRequested = 0;
        }
        return false;
    }
    return true;
}

PointList PointsFromMemory(const CommandContext& ctx, int first, int count) {
    PointList l;
    for (int i = first; i < first + count; ++i) {
        const Point p = ctx.GetPoint(i);
        l.Add(p.x, p.y);
    }
    return l;
}

Line2P LineThrough(const CommandContext& ctx, int i, int j) {
    const Point a = ctx.GetPoint(i);
    const Point b = ctx.GetPoint(j);
    return {a.x, a.y, b.x, b.y};
}

std::string AngleText(const CommandContext& ctx, long double angle) {
    const Settings& s = ctx.settings;
    const std::string text = s.AngleMode == 1 ? AngleToDmsText(angle) : FormatReal(angle, 10, s.Decimals);
    return text.size() < 10 ? std::string(10 - text.size(), ' ') + text : text;
}

std::optional<int> ChooseAngle(CommandContext& ctx, const Real (&candidates)[4]) {
    if (ctx.run.ReplayChoice != 0) {
        // A preset from a program file (edited by hand, perhaps) names one of the four buttons
        // or nothing: anything else is refused rather than read past the candidates.
        const int preset = ctx.run.ReplayChoice;
        if (preset < 1 || preset > 4) {
            ctx.run.ReplayChoice = 0;
            return std::nullopt;
        }
        return preset;
    }
    const auto k =
        ctx.op.ChooseAngle({candidates[0], candidates[1], candidates[2], candidates[3]}, ctx.ResultName(kResultAngle));
    if (!k || *k < 1 || *k > 4) {
        return std::nullopt;
    }
    return k;
}

}  // namespace tarvo
