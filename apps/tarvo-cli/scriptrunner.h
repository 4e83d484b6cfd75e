// The script language of tarvo-cli: one operator action per line, driving the same start-up,
// main-window model and timers as the desktop program, printing what the operator would see.
#pragma once

#include <deque>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>

#include "base/datetime.h"
#include "readout/countercard.h"
#include "readout/simulatedreadout.h"
#include "shell/operator.h"
#include "shell/signal.h"
#include "base/cp1252.h"

namespace tarvo {

class MainWindow;
class Session;

// Exit statuses of a run.
enum ScriptStatus : int {
    kScriptOk = 0,
    kScriptBadAction = 2,
    kScriptUnanswered = 3,
};

class ScriptRunner final : private Operator {
public:
    // `script` is read as UTF-8 and everything printed to `out` is UTF-8.
    ScriptRunner(std::istream& script, std::ostream& out, std::filesystem::path workDir,
                 std::filesystem::path driveRoot, const WallClock& clock);
    ~ScriptRunner() override;

    // Runs start-up, every action, and the closing of the main window; returns the exit status.
    int Run();

private:
    struct QueuedAnswer {
        std::string kind;  // "answer", "input", "choose", "file"
        std::string text;  // the answer's words as typed (UTF-8)
    };

    // Operator, answered from the queue.
    void ShowInfo(const std::string& text) override;
    void ShowError(const std::string& text) override;
    bool Ask(const std::string& text, Buttons buttons) override;
    std::optional<std::string> Input(const std::string& title, const std::string& preset) override;
    std::optional<bool> TwoButtons(const std::string& caption1, const std::string& caption2) override;
    std::optional<TextLineAnswer> TextLine(bool insertAllowed) override;
    std::optional<std::pair<int, int>> SystemSettings(int circleMode, int angleMode) override;
    std::optional<int> Choose(const std::string& dialog, const std::vector<std::string>& choices) override;
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
    bool ShowFeatureDialog(FeatureDialog& dialog) override;
    bool WaitForPoints(int count, int method) override;
    void Beep() override;

    // Reads and runs the next non-blank script line; false at the end of the script.
    bool Step();
    void Execute(const std::string& line);
    [[nodiscard]] bool Action(const std::string& word, const std::string& rest);
    [[nodiscard]] bool Print(const std::string& what);
    void PrintList(const std::string& name, const std::vector<std::string>& items);
    std::optional<QueuedAnswer> Take(const std::string& kind);
    [[noreturn]] void Unanswered(const std::string& dialog, const std::string& text);
    void Say(const std::string& ansiText);

    SimulatedReadout m_readout;
    MemoryIoPorts m_counterPorts;  // the counter card's ports, set by `readout` in its mode
    std::istream& m_script;
    std::ostream& m_out;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<MainWindow> m_main;
    std::deque<QueuedAnswer> m_answers;
    // Headless, the windows that help and the printer setup open are named instead.
    Slot<> m_help{[this] { Say("help"); }};
    Slot<> m_printerSetup{[this] { Say(Ansi("info: Druckereinrichtung (the system's printer setup dialog)")); }};
};

}  // namespace tarvo
