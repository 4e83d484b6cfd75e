// The measuring commands: points in the memory (or typed coordinates) become result lines.
// Each takes the main window it works on; all are reached from the tool buttons, the keys and
// the program runner.
#pragma once

namespace tarvo {

class MainWindow;

void EvaluateCircle(MainWindow& w);          // "Kreis", SpeedButton1, F2
void DistanceTwoPoints(MainWindow& w);       // "Abstand 2P", SpeedButton2, F3
void DistanceLinePoint(MainWindow& w);       // "Abstand GP", SpeedButton3, F4
void AngleBetweenLines(MainWindow& w);       // "Winkel", SpeedButton4, F5
void PointCommand(MainWindow& w);            // "Punkt", SpeedButton5, F7
void LineCommand(MainWindow& w);             // "Gerade", SpeedButton6, F6
void SymmetryLineCommand(MainWindow& w);     // "Symetriegerade", SpeedButton9
void AxisDistanceCommand(MainWindow& w);     // "Abstand X" / "Abstand Y", SpeedButton17
void PointEntry(MainWindow& w);              // "Punkteingabe", SpeedButton18

void IntersectCircleLineCommand(MainWindow& w);  // menu "Schnitpunkt(e) Kreis-Gerade"
void IntersectCirclesCommand(MainWindow& w);     // menu "Schnittpunkt Kreis-Kreis"
void AreaFromStoredCircle(MainWindow& w);        // menu "Fläche aus Speicherkreis"

}  // namespace tarvo
