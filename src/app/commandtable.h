// The one list of the main window's commands: every button, key, menu entry and context-menu
// entry, with the handler that runs it, the program word it records and when it is enabled.
// `Tmain` builds its buttons and menus from it (the language files reach them by the control
// names given here), `FormKeyDown` and `FormKeyPress` look keys up in it, and tarvo-cli finds
// `click` and `menu` targets in it. The program-word and result-name columns say what a command
// records and lists; the command itself writes both through its `CommandContext`. A row holds
// its command itself: the window runs it guarded, with the enabled rule checked first.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "programs/programfile.h"

namespace tarvo {

class MainWindow;

enum class CommandId {
    CoordinateSystem,
    Circle,
    Area,
    StartTeachIn,
    DistanceTwoPoints,
    AxisDistance,
    StopTeachIn,
    DistanceLinePoint,
    PointEntry,
    RunProgram,
    Angle,
    Comparison,
    AsciiExport,
    Line,
    SymmetryLine,
    PrintReport,
    Point,
    TextLine,
    Help,
    ClearAll,
    HeaderData,
    Exit,
    ClearPoints,
    KeyboardTrigger,
    FootSwitchTrigger,
    ZeroX,
    ZeroY,
    Capture,
    OffsetX,
    OffsetY,
    HelpMenu,
    PrinterSetup,
    Close,
    Renumber,
    SaveMemory,
    LoadMemory,
    SystemSettings,
    CircleLine,
    AreaFromCircle,
    CircleCircle,
    ResultListClear,
    ElementGraphic,
    PointListClear,
    SavePoints,
    SavePointsDxf,
    Converter,
    Calibrate,
    Statistics,
    LiveView,
    GeoTolerance,
    Reevaluate,
};

// When a command can be started.
enum class Enabled {
    Always,
    KeyboardMode,    // only while the keyboard trigger is active (Space; `SpeedButton25`)
    FootSwitchMode,  // only while the foot-switch trigger is active (`SpeedButton24`)
    Pictures,        // the graphic views: disabled with the marker file "nobmp"
    NoRun,           // not while a program run is active nor while teaching in (the teach-in)
    Teaching,        // only while teaching in (its end)
    RunIdle,         // not while teaching in, nor while a line of the run is busy (the run button)
};

// Where a command is placed besides its control and key.
enum class Place {
    None,
    ToolPanel,  // the grid of tool buttons in `Panel1` (row, column)
    TopPanel,   // the trigger and zero buttons beside the position display
    PointList,  // beside the point list's caption
    MenuDatei,
    MenuAllgemeines,
    MenuZusatz,
    PopupResults,  // context menu of `lb1`
    PopupPoints,   // context menu of `ListBox1`
};

struct Command {
    CommandId id;
    std::string_view control;  // the control's name ("SpeedButton1"), empty for menu entries
    Place place;
    int row;  // ToolPanel: 0-based row and column
    int column;
    int key;     // the virtual key that starts it (F2 ... F12, Space), 0 for none
    char typed;  // the typed character that starts it ('X', 'Y'), 0 for none
    // The texts as designed, UTF-8 (the language loader replaces them by control name):
    // the button caption or the menu entry with its "&", and the hint.
    std::string_view caption;
    std::string_view hint;
    std::string_view picture;      // the button picture's file of a language folder
    std::string_view programWord;  // the word it records while teaching in, without parameters
    int resultName;                // the result name of the line it writes, -1 for none
    void (*handler)(MainWindow&);  // the command the control, key or entry runs
    Enabled enabled;
    // How a run replays the word where that differs from the command (nullptr: the command, the
    // recorded choice answered). The runner replays the words of the floors below itself.
    void (*replay)(MainWindow&, const ProgramLine&) = nullptr;
};

// Every command, tool buttons first in panel order.
[[nodiscard]] std::span<const Command> CommandTable();
[[nodiscard]] const Command& CommandOf(CommandId id);
// The command behind a control name, a key (no shift), a typed character or a menu caption
// given without "&" (UTF-8); nullptr when there is none.
[[nodiscard]] const Command* CommandByControl(std::string_view control);
[[nodiscard]] const Command* CommandByKey(int key);
[[nodiscard]] const Command* CommandByTyped(char ch);
[[nodiscard]] const Command* CommandByMenu(std::string_view captionWithoutAmpersand);
// A menu caption without its "&".
[[nodiscard]] std::string MenuText(std::string_view caption);

}  // namespace tarvo
