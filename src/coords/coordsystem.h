// The workpiece coordinate system: zeroing, offsets, rotation and alignment to measured lines
// and points. The state is OffsetX, OffsetY and OffsetW of the settings; the acquisition applies
// them to every position read.
#pragma once

namespace tarvo {

class MainWindow;

// Where a zeroing comes from: the button (or the typed capital letter), which lists a result
// line and honours NoZero, or the chooser entry and the program runner, which do neither.
enum class ZeroSource { Button, Chooser };

void ZeroX(MainWindow& w, ZeroSource source);
void ZeroY(MainWindow& w, ZeroSource source);

// The entries of the chooser `Tselect_ksys`, in its order.
enum KsysEntry : int {
    kReset = 0,
    kOffsetX = 1,
    kOffsetY = 2,
    kRotate = 3,
    kAlignTwoLines = 4,
    kAlignLine = 5,
    kAlignPointLine = 6,
    kZeroXEntry = 7,
    kZeroYEntry = 8,
    kZeroPoint = 9,
};

// SpeedButton8: shows the chooser and runs the chosen entry.
void CoordinateSystemCommand(MainWindow& w);
// Runs one chooser entry (also the program runner's way in).
void RunCoordinateEntry(MainWindow& w, int entry);
// The typed offset of an axis (0 = X, 1 = Y): entries 1 and 2, and the keys F11 and F12.
void OffsetEntry(MainWindow& w, int axis);

}  // namespace tarvo
