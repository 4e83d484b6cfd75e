// Commands of the main window itself: the text line and the system settings.
#pragma once

namespace tarvo {

struct CommandContext;

// SpeedButton21: `Ttext_zeile` appends a numbered free-text line (recorded as "Text:") or
// inserts it before the selected line and renumbers (not while recording).
void TextLineCommand(CommandContext& ctx);
// "Systemeinstellungen": `TSys` sets CircleMode and AngleMode, writes "KR_MODE" and "WI_MODE"
// at once and records "KRMODE:"/"WIMODE:" while recording.
void SystemSettingsCommand(CommandContext& ctx);

}  // namespace tarvo
