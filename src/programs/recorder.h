// Teach-in ("Lernbetrieb"): starting and ending the recording of a measurement program, and
// saving it. While recording, every command appends its program line (CommandContext::Record).
#pragma once

namespace tarvo {

struct CommandContext;

// SpeedButton11: asks, then records from an empty program that begins with "KRMODE:" and
// "WIMODE:", with the result list set aside and emptied; offers to reset the coordinate
// system. Nothing while a program run is active.
void StartRecording(CommandContext& ctx);

// SpeedButton12 (and closing the window while recording): asks, then saves the program in "prg"
// and ends the recording, restoring the result list from "temp.lst". A program is never dropped
// unasked: when the save is cancelled, refused (read-only media) or fails, the operator chooses
// between the save dialog again and discarding the program. @retval true recording has ended.
bool StopRecording(CommandContext& ctx);

// Keeps the result list before a recording or a run: in memory and, unless the folder is on
// read-only media, in "temp.lst". @retval false the file could not be written (said); nothing
// may start then.
[[nodiscard]] bool SetListAside(CommandContext& ctx);

// The result list as it was before recording or a program run ("temp.lst", or the copy in
// memory where the file cannot be read), last line selected.
void RestoreResultList(CommandContext& ctx);

// A double click on the status bar while recording takes back what the last command wrote, each
// after asking: the program's last line (then the captures before it, when that was a GETPOINT
// line) and the result list's last line. Nothing when not recording.
void TakeBackLastLines(CommandContext& ctx);

// Delete in the point list: the selected point goes, and while recording its GETPOINT line with
// it (the program's last lines are those of the points in memory).
void DeleteSelectedPoint(CommandContext& ctx);

}  // namespace tarvo
