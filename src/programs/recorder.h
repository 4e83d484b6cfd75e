// Teach-in ("Lernbetrieb"): starting and ending the recording of a measurement program, and
// saving it. While recording, every command appends its program line (CommandContext::Record).
#pragma once

namespace tarvo {

struct CommandContext;

// SpeedButton11: asks, then records from an empty program that begins with "KRMODE:", with the
// result list saved to "temp.lst" and emptied; offers to reset the coordinate system.
void StartRecording(CommandContext& ctx);

// SpeedButton12 (and closing the window while recording): asks, then saves the program in "prg"
// and ends the recording, restoring the result list from "temp.lst". A program is never dropped
// unasked: when the save is cancelled, refused (read-only media) or fails, the operator chooses
// between the save dialog again and discarding the program. @retval true recording has ended.
bool StopRecording(CommandContext& ctx);

// The result list as it was before recording or a program run ("temp.lst"), last line selected.
void RestoreResultList(CommandContext& ctx);

}  // namespace tarvo
