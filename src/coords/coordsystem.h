// The workpiece coordinate system: zeroing, offsets, rotation and alignment to measured lines
// and points. The state is OffsetX, OffsetY and OffsetW of the settings; the acquisition applies
// them to every position read.
#pragma once

namespace tarvo {

struct CommandContext;

// Where a zeroing comes from: the button (or the typed capital letter), which honours NoZero, or
// the chooser entry and the program runner, which do not.
enum class ZeroSource { Button, Chooser };

// Zeroes axis 0 (X) or 1 (Y) at the current position and lists a text line "Nullen X" (one
// line whatever the way in, so a replay lists what its teach-in listed); with "NoZero" the Y
// button does nothing. @retval true the axis was zeroed.
bool Zero(CommandContext& ctx, int axis, ZeroSource source);

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

// SpeedButton8: shows the chooser and runs the chosen entry. @retval true an entry ran.
bool CoordinateSystemCommand(CommandContext& ctx);
// Runs one chooser entry (also the program runner's way in). @retval false no such entry.
bool RunCoordinateEntry(CommandContext& ctx, int entry);
// The typed offset of an axis (0 = X, 1 = Y): entries 1 and 2, and the keys F11 and F12.
void OffsetEntry(CommandContext& ctx, int axis);
// Shifts the offset of an axis by `v` and lists it: what the typed offset and its replay do.
void ApplyOffset(CommandContext& ctx, int axis, long double v);
// Turns the system by `v` degrees and lists it: what the chooser's entry and its replay do.
void ApplyRotation(CommandContext& ctx, long double v);

}  // namespace tarvo
