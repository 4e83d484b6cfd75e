// The state of the running session that is not configuration: whether a program is recorded or
// run, the abort request of Esc, the current position and the choice the runner presets. It is
// never stored in the settings file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/real.h"
#include "shell/signal.h"

namespace tarvo {

struct Position {
    Real x;
    Real y;
};

struct RunState {
    // A program is being recorded (teach-in): commands append their program lines.
    std::uint8_t Recording = 0;
    // Esc was pressed: a wait for points or a program run ends.
    std::uint8_t AbortRequested = 0;
    // The position of the stage in workpiece coordinates, as the link last computed it.
    Position CurrentPos;
    // A program run is active (the runner sets it); the result list is then saved at its end.
    bool ProgramRunning = false;
    // A line of the run is being executed (a measuring line may wait inside for points): the run
    // button and the teach-in wait until it has returned.
    bool RunLineBusy = false;
    // The result list as it was before the teach-in or the run, given back when it ends (also
    // kept in "temp.lst" where the folder can be written).
    std::vector<std::string> ListBeforeRun;
    // The choice the program runner presets for the next angle chooser, X/Y distance or X/Y
    // alignment (1..4); 0 asks the operator. Every command that reads it sets it back to 0 when
    // it ends with a result.
    std::uint8_t ReplayChoice = 0;
    // A feature was defined in this run of the program (the first comparison starts from
    // nominal 0, tolerances 0 and factor 1).
    bool FeatureDefined = false;
    // The folder of the ASCII export, relative to the working folder ("ascii", or the first line
    // of "asc_pfad.cfg" at start-up).
    std::string ExportFolder = "ascii";
    // The reference elements a program run evaluates with: the program's own search at the start
    // of every run, then as the program's "KRBEZUG:"/"GEBEZUG:" lines say. The station's setting
    // stays as it is.
    std::string RunCircleReference = "SEARCH";
    std::string RunLineReference = "SEARCH";
};

// What commands report besides their lists, for the windows that show it.
struct ChangeSignals {
    // The element graphic redraws itself when its option "Immer sichtbar" is on.
    Signal<> ElementGraphicChanged;
    // Text for status panel 0, 1 or 2 (empty clears it).
    Signal<int, const std::string&> PanelText;
    // The prompt of a program run's wait for points in `Label1` (empty hides the label).
    Signal<const std::string&> Prompt;
    // Help was asked for (F1, the help button, the menu).
    Signal<> HelpRequested;
    // The printer setup was asked for (menu "Druckereinrichtung").
    Signal<> PrinterSetupRequested;
    // The station's reference elements changed (the status bar shows them).
    Signal<> ReferenceChanged;
};

}  // namespace tarvo
