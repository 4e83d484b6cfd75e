// The commands of the result list: delete a line, clear everything, recall a line into the
// point memory, and save or load the list with the report header as a memory file (".spt").
#pragma once

#include <string>

namespace tarvo {

struct CommandContext;

inline constexpr const char* kMemoryFilter = "Speicherinhalt|*.spt";
inline constexpr const char* kMemoryExtension = "spt";

// Delete key in the list: ignored while recording; else the selected line goes, the last line
// is selected, the list renumbered and the element graphic refreshed.
void DeleteResultLine(CommandContext& ctx);
// Clear-all button: ignored while recording; asks, saves "temp.bak", empties list, panel 0 and
// point memory.
void ClearAllMemories(CommandContext& ctx);
// Double-click on the selected line: its point (a line's foot and a second point along it, a
// circle's centre or three points on it) goes into the point memory.
void RecallLine(CommandContext& ctx);
// Result line `index` into the point memory as a position: a line (or symmetry line) as its foot
// and, unless in SiemensMode, a second point 500 along it; any other line as its X and Y.
// @retval true it was a line. RangeError when there is no such line.
bool RecallPosition(CommandContext& ctx, int index);
// Circle line `index` as three points on the circle at 0, 120 and 240 degrees.
void RecallCircle(CommandContext& ctx, int index);
void SaveMemory(CommandContext& ctx);
void LoadMemory(CommandContext& ctx);

}  // namespace tarvo
