// The script language of tarvo-cli: one operator action per line, driving the same start-up,
// main-window model and timers as the desktop program, printing what the operator would see.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/scriptedoperator.h"
#include "base/cp1252.h"
#include "base/datetime.h"
#include "journal/journal.h"
#include "readout/countercard.h"
#include "readout/simulatedcamera.h"
#include "readout/simulatedreadout.h"
#include "shell/signal.h"

namespace tarvo {

class MainWindow;
class Session;
class VideoProbing;

// Exit statuses of a run.
enum ScriptStatus : int {
    kScriptOk = 0,
    kScriptBadAction = 2,
    kScriptUnanswered = 3,
};

class ScriptRunner final : private ScriptedOperator {
public:
    // `script` is read as UTF-8 and everything printed to `out` is UTF-8.
    ScriptRunner(std::istream& script, std::ostream& out, std::filesystem::path workDir,
                 std::filesystem::path driveRoot, const WallClock& clock);
    ~ScriptRunner() override;

    // Where the data shipped with the program lies (the language folders come from there).
    void SetShippedData(std::filesystem::path dir);
    // The results journal the program writes to (not owned; none: off) and who measures.
    void SetJournal(JournalStore* store, std::string station, std::string operatorName);
    // Runs start-up, every action, and the closing of the main window; returns the exit status.
    int Run();
    // The words a script line can start with, in the order the README lists them.
    [[nodiscard]] static std::vector<std::string> WordNames();

private:
    // Operator: the dialogs are answered from the queue (ScriptedOperator) and printed.
    void Shown(const std::string& kind, const std::string& text, const std::string* answer) override;
    void Unanswered(const std::string& kind, const std::string& text) override;
    [[nodiscard]] std::string Translated(const std::string& german) const override;
    void Refused(const std::string& note) override;
    bool ShowFeatureDialog(FeatureDialog& dialog) override;
    bool ShowGeoToleranceDialog(GeoToleranceDialog& dialog) override;
    bool WaitForPoints(int count, int method) override;
    void Beep() override;

    // Reads and runs the next non-blank script line; false at the end of the script.
    bool Step();
    void Execute(const std::string& line);
    [[nodiscard]] bool Action(const std::string& word, const std::string& rest);

    // One word of the script language and its handler, which gets the word and the rest of the
    // line and returns false when it does not understand them.
    struct Word {
        const char* word;
        bool (ScriptRunner::*action)(const std::string& word, const std::string& rest);
    };
    [[nodiscard]] static std::span<const Word> Words();
    bool ReadoutWord(const std::string& word, const std::string& rest);
    bool PushWord(const std::string& word, const std::string& rest);
    bool PointWord(const std::string& word, const std::string& rest);
    bool WaitWord(const std::string& word, const std::string& rest);
    bool KeyWord(const std::string& word, const std::string& rest);
    bool CommandWord(const std::string& word, const std::string& rest);
    bool ListWord(const std::string& word, const std::string& rest);
    bool StatusBarWord(const std::string& word, const std::string& rest);
    bool EditWord(const std::string& word, const std::string& rest);
    bool AnswerWord(const std::string& word, const std::string& rest);
    bool InputWord(const std::string& word, const std::string& rest);
    bool InputCancelWord(const std::string& word, const std::string& rest);
    bool QueueWord(const std::string& word, const std::string& rest);
    bool AreaWord(const std::string& word, const std::string& rest);
    bool PresetsWord(const std::string& word, const std::string& rest);
    // The contour converter's window, headless: `converter open FILE`, `converter menu CAPTION`,
    // `converter check Geraden|Radius 0|1`, `converter delete LIST N`, `converter print LIST`.
    bool ConverterWord(const std::string& word, const std::string& rest);
    bool HeaderWord(const std::string& word, const std::string& rest);
    bool FeatureWord(const std::string& word, const std::string& rest);
    bool GeoTolWord(const std::string& word, const std::string& rest);
    bool TextLineWord(const std::string& word, const std::string& rest);
    bool SystemWord(const std::string& word, const std::string& rest);
    bool EditFeatureWord(const std::string& word, const std::string& rest);
    bool PrintWord(const std::string& word, const std::string& rest);
    bool SelfTestWord(const std::string& word, const std::string& rest);
    bool FitWord(const std::string& word, const std::string& rest);
    bool CalibrateWord(const std::string& word, const std::string& rest);
    // The simulated camera at the cross-hair and its probes (see the README's table).
    bool CameraWord(const std::string& word, const std::string& rest);

    void PrintList(const std::string& name, const std::vector<std::string>& items);
    void Say(const std::string& ansiText);

    SimulatedReadout m_readout;
    MemoryIoPorts m_counterPorts;  // the counter card's ports, set by `readout` in its mode
    std::istream& m_script;
    std::ostream& m_out;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<MainWindow> m_main;
    SimulatedCamera m_camera;
    std::unique_ptr<VideoProbing> m_video;
    // Headless, the windows that help and the printer setup open are named instead.
    Slot<> m_help{[this] { Say("help"); }};
    Slot<> m_calibrationWindow{[this] { Say("calibration window"); }};
    Slot<> m_statisticsWindow{[this] { Say("statistics window"); }};
    Slot<> m_printerSetup{[this] { Say(Ansi("info: Druckereinrichtung (the system's printer setup dialog)")); }};
    // `journal parts [PROGRAM]`, `journal rows ID`, `journal stats PROGRAM | FEATURE [| FROM [| TO [| STATIONS]]]`,
    // `journal export` with the fields of `stats`: the statistics report and CSV file.
    bool JournalWord(const std::string& word, const std::string& rest);
    Slot<const std::string&> m_journalSaid{[this](const std::string& text) { Say("journal: " + text); }};
    // The element graphic, headless: drawn into the picture file "grafik.png" when it is opened.
    void SaveElementGraphic();
    Slot<bool> m_showGraphic{[this](bool raise) {
        if (raise) {
            SaveElementGraphic();
        }
    }};
};

}  // namespace tarvo
