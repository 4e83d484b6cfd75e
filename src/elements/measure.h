// The measuring commands: points in the memory (or typed coordinates) become result lines.
// Each takes the `CommandContext` it works on, never the main window; they are reached through
// the command table (tool buttons, keys, menu entries) and from the program runner.
#pragma once

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

void IntersectCircleLineCommand(CommandContext& ctx);  // menu "Schnitpunkt(e) Kreis-Gerade"
void IntersectCirclesCommand(CommandContext& ctx);     // menu "Schnittpunkt Kreis-Kreis"
void AreaFromStoredCircle(CommandContext& ctx);        // menu "Fläche aus Speicherkreis"
// The area of the circle on result line `index`; records the line it used. @retval false the
// line is no circle (nothing listed).
bool AreaOfCircleLine(CommandContext& ctx, int index);

}  // namespace tarvo
