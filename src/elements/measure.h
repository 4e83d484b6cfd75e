// The measuring commands: points in the memory (or typed coordinates) become result lines.
// Each takes the `CommandContext` it works on, never the main window; they are reached through
// the command table (tool buttons, keys, menu entries) and from the program runner.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "geometry/pointlist.h"
#include "geometry/referencefits.h"

namespace tarvo {

struct CommandContext;

void EvaluateCircle(CommandContext& ctx);       // "Kreis", SpeedButton1, F2
void DistanceTwoPoints(CommandContext& ctx);    // "Abstand 2P", SpeedButton2, F3
void DistanceLinePoint(CommandContext& ctx);    // "Abstand GP", SpeedButton3, F4
void AngleBetweenLines(CommandContext& ctx);    // "Winkel", SpeedButton4, F5
void PointCommand(CommandContext& ctx);         // "Punkt", SpeedButton5, F7
void LineCommand(CommandContext& ctx);          // "Gerade", SpeedButton6, F6
void SymmetryLineCommand(CommandContext& ctx);  // "Symetriegerade", SpeedButton9
void AxisDistanceCommand(CommandContext& ctx);  // "Abstand X" / "Abstand Y", SpeedButton17
void PointEntry(CommandContext& ctx);           // "Punkteingabe", SpeedButton18
// Lists an entered point as the point entry does (also its replay) and records it.
void ListEnteredPoint(CommandContext& ctx, long double x, long double y);

// The circle (line) of `list` evaluated with `reference` (a name of ReferenceNames) listed as the
// circle (line) command lists it, the reference in its name when it is not the program's own
// search, and the points kept with the line. A reference without a result for these points is
// said and nothing is listed (false / nothing). ListLine asks the angle chooser and gives its
// choice.
bool ListCircle(CommandContext& ctx, const PointList& list, std::string_view reference);
std::optional<int> ListLine(CommandContext& ctx, const PointList& list, std::string_view reference);
// The result list's context menu "Neu auswerten": the selected circle or line evaluated again
// from its kept points with the reference the operator chooses, listed as a new line (not while
// a program is taught in or run; not recorded).
void ReevaluateResult(CommandContext& ctx);
// The points of a point list as the fits and the kept points take them.
[[nodiscard]] std::vector<FitPoint> FitPointsOf(const PointList& list);

void IntersectCircleLineCommand(CommandContext& ctx);  // menu "Schnitpunkt(e) Kreis-Gerade"
void IntersectCirclesCommand(CommandContext& ctx);     // menu "Schnittpunkt Kreis-Kreis"
void AreaFromStoredCircle(CommandContext& ctx);        // menu "Fläche aus Speicherkreis"
// The area of the circle on result line `index`; records the line it used. @retval false the
// line is no circle (nothing listed).
bool AreaOfCircleLine(CommandContext& ctx, int index);

}  // namespace tarvo
