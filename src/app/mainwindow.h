// The main window `Tmain` as a model: its handlers under their names, the lists it owns and
// what its controls show. The Qt window only forwards widget events here and renders the state;
// tarvo-cli drives the very same model.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/commandtable.h"
#include "app/session.h"
#include "coords/machinecalibration.h"
#include "data/commandcontext.h"
#include "data/pointmemory.h"
#include "data/resultlist.h"
#include "journal/partjournal.h"
#include "output/contourconverter.h"
#include "output/report.h"
#include "output/reportcanvas.h"
#include "programs/runner.h"
#include "readout/readoutlink.h"
#include "shell/signal.h"
#include "shell/stringloader.h"
#include "shell/uitexts.h"
#include "views/bitmapview.h"
#include "views/elementgraphic.h"

namespace tarvo {

// Key codes of the key-down handlers (the platform's virtual-key numbers).
enum Key : int {
    kKeyBack = 8,
    kKeyReturn = 13,
    kKeyEscape = 27,
    kKeySpace = 32,
    kKeyDelete = 46,
    kKeyF1 = 112,
    kKeyF12 = 123,
};

enum ShiftState : unsigned {
    kNoShift = 0,
    kShift = 1,
    kCtrl = 2,
    kAlt = 4,
};

// Colours the window's labels show, as RGB.
inline constexpr unsigned kColourAqua = 0x00FFFF;
inline constexpr unsigned kColourSilver = 0xC0C0C0;

class MainWindow final {
public:
    explicit MainWindow(Session& session);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // --- Life cycle -------------------------------------------------------------------------
    void FormCreate();
    // Closing as the exit does: asks FormClose, then destroys. Returns false when the window
    // stays open.
    bool Close();
    [[nodiscard]] bool FormClose();
    void FormDestroy();
    [[nodiscard]] bool Closed() const noexcept { return m_destroyed; }
    void Timer3Timer();
    void Timer2Timer();
    // The start-up timer's language step: "Language:" and the index in the status bar, the
    // folder of the chosen language (an unknown index is German and stored back as 0), and the
    // main window's two text lists from its file; then `LanguageLoaded` lets the windows load
    // theirs.
    void LoadLanguage();
    Signal<> LanguageLoaded;
    // The folder of the language loaded (the working folder for German).
    [[nodiscard]] const std::filesystem::path& LanguageFolderPath() const noexcept { return m_languageFolder; }

    Timer& Timer3;
    Timer& Timer2;
    Timer& Timersend;
    Timer& TimerReceive;
    Timer& TimerTrigger;
    Timer& wb_timer;

    // --- Handlers ---------------------------------------------------------------------------
    // Whether a command of the table can be started now (a disabled control ignores clicks).
    [[nodiscard]] bool IsEnabled(const Command& command) const noexcept;
    // Starts a command of the table as its control, key or menu entry does, guarded; false when
    // it is disabled or not built.
    bool Run(const Command& command);
    // Runs one operator command: a RangeError (or any other failure) ends the command and is
    // shown to the operator as an error, never passed on. When it ends, `Changed` tells the
    // window (and a wait for points) to look at the new state.
    void Guarded(const std::function<void()>& command);
    Signal<> Changed;
    // The window sees every key first; returns true when the key was consumed.
    bool FormKeyDown(int key, unsigned shift = kNoShift);
    void FormKeyPress(char ch);
    void ListBox1KeyDown(int key);  // Delete removes the selected point (and its program line)
    void lb1KeyDown(int key);       // Delete removes the selected result line
    void lb1DblClick();             // recall the selected line into the point memory
    void GeoToleranceClick();       // geometric tolerance of the selected line (geocommand.cpp)
    void StatusBar1DblClick();      // while recording: take back the last lines, each asked
    void SpeedButton7Click();       // exit: a wait for points ends first
    // Prints the report the way `Report` says (SpeedButton15 and the word of a run).
    void PrintReportNow();
    // The result list's "Grafik": the element graphic takes a copy of the list and comes up.
    void Grafik1Click();
    // A keyboard capture of CurrentPos: the last result line is selected, then the capture,
    // then the point list gets the focus.
    void AppendPoint();
    // Every capture, keyboard or foot switch: to a calibration under way, else the point item
    // of CurrentPos, "GETPOINT:" while recording, `Label1` hidden, the beep.
    void CapturePoint();
    void ClearPoints() { m_ctx.ClearPoints(); }
    void FXChange(const std::string& text) { ScaleChange(0, text); }
    void FXExit() { ScaleExit(0); }
    void FYChange(const std::string& text) { ScaleChange(1, text); }
    void FYExit() { ScaleExit(1); }
    // Writes "speicher.dat" now unless a program is recorded or run or the media is read-only
    // (called after every change of the result list).
    void SaveResultListNow();
    // Says what the journal has to say since the last command.
    void ReportJournalNotes();

    // Machine calibration ("Maschine kalibrieren" brings up its window through ShowCalibration),
    // each step guarded. While one is under way every capture goes to it, and `Label1` says what
    // to probe next.
    void StartCalibration(CalibrationKind kind, int axis, std::vector<long double> certified) {
        Guarded([&] { m_calibration.Start(kind, axis, std::move(certified)); });
    }
    bool CalibrationNextEdge() {
        return GuardedResult(false, [this] { return m_calibration.NextEdge(); });
    }
    const CalibrationResult* ComputeCalibration() {
        Guarded([this] { (void)m_calibration.Compute(); });
        return m_calibration.Outcome();
    }
    bool AskCalibrationDetails(CalibrationRecord& details) {
        return GuardedResult(true, [&] { return m_calibration.AskDetails(details); });
    }
    bool SaveCalibration(const CalibrationRecord& details) {
        return GuardedResult(false, [&] { return m_calibration.Save(details); });
    }
    void CancelCalibration() {
        Guarded([this] { m_calibration.Cancel(); });
    }
    [[nodiscard]] const CalibrationProcedure* Calibration() const noexcept { return m_calibration.Procedure(); }
    [[nodiscard]] const CalibrationResult* CalibrationOutcome() const noexcept { return m_calibration.Outcome(); }

    // --- What the window holds and shows ------------------------------------------------------
    [[nodiscard]] Session& session() const noexcept { return m_s; }
    // What the commands work with.
    [[nodiscard]] CommandContext& Context() noexcept { return m_ctx; }
    [[nodiscard]] ReadoutLink& Link() noexcept { return *m_link; }
    [[nodiscard]] ProgramRunner& Runner() noexcept { return *m_runner; }
    [[nodiscard]] PartJournal& Journal() noexcept { return m_journal; }
    [[nodiscard]] ElementGraphic& ElementGraphicModel() noexcept { return *m_graphic; }
    [[nodiscard]] BitmapView& BitmapViewModel() noexcept { return *m_bitmapView; }
    [[nodiscard]] ContourConverter& Converter() noexcept { return *m_converter; }
    [[nodiscard]] PointMemory& ListBox1() noexcept { return m_points; }
    [[nodiscard]] ResultList& lb1() noexcept { return m_results; }
    [[nodiscard]] const ResultList& lb1() const noexcept { return m_results; }
    [[nodiscard]] std::vector<std::string>& LB_list() noexcept { return m_program; }
    [[nodiscard]] const UiTexts& texts() const noexcept { return m_texts; }
    [[nodiscard]] UiTexts& texts() noexcept { return m_texts; }
    [[nodiscard]] const std::string& UiText(int n) const { return m_texts.UiText(n); }
    [[nodiscard]] const std::string& ResultName(int n) const { return m_texts.ResultName(n); }
    [[nodiscard]] Point GetPoint(int i) const { return m_points.GetPoint(i); }
    [[nodiscard]] int PointCount() const noexcept { return m_points.PointCount(); }
    // Where the report goes: by default a PDF file in the working folder; the window puts its
    // preview or the printer here.
    ReportWay Report;

    // The windows that come up on a command: the element graphic (true: show it and bring it to
    // the front, then the focus goes back to the main window; false: only when it is shown), the
    // converter, the calibration, the statistics and the camera's live view.
    Signal<bool> ShowElementGraphic;
    Signal<> ShowConverter;
    Signal<> ShowCalibration;
    Signal<> ShowStatistics;
    Signal<> ShowLiveView;
    // What the journal said last (the status bar shows it); each message is said once, through
    // `JournalSaid` too.
    std::string JournalStatus;
    Signal<const std::string&> JournalSaid;
    // The status bar's calibration field: the date and due date, or that the file is damaged and
    // measuring goes on uncorrected; empty without a calibration file.
    [[nodiscard]] const std::string& CalibrationStatus() const noexcept { return m_calibration.Status(); }
    // Counts changes of the result list, so a view knows when to read it again.
    std::uint64_t ResultsVersion = 0;

    std::array<std::string, 3> StatusPanels;
    std::string LV1 = "-";
    std::string LV2 = "-";
    std::string Label1 = "******";
    // The result list's header label: red while a program is taught in.
    [[nodiscard]] bool HeaderRed() const noexcept { return m_s.run.Recording != 0; }
    // The scale fields "FX"/"FY" act on polled positions only: in foot-switch mode they are
    // shown inactive.
    [[nodiscard]] bool ScaleFieldsActive() const noexcept { return !m_s.acquisition.FootSwitchMode; }
    bool Label1Visible = true;
    std::string Label5 = "-";
    std::string Caption = "TARVO v1.51";
    // The trigger buttons: the active mode's button is disabled.
    [[nodiscard]] bool SpeedButton24Enabled() const noexcept { return m_s.acquisition.FootSwitchMode; }
    [[nodiscard]] bool SpeedButton25Enabled() const noexcept { return !m_s.acquisition.FootSwitchMode; }
    // The live position's text colour: aqua while polling, silver in foot-switch mode.
    [[nodiscard]] unsigned LVColour() const noexcept {
        return m_s.acquisition.FootSwitchMode ? kColourSilver : kColourAqua;
    }
    std::array<std::string, 2> ScaleText = {"1.0000", "1.0000"};  // FX, FY
    // The control the model last gave the keyboard focus to ("ListBox1" after a capture, "lb1"
    // after a zeroing or coordinate entry). The window moves the focus once per request, so the
    // operator can click elsewhere afterwards.
    std::string FocusedControl;
    std::uint64_t FocusRequests = 0;
    void RequestFocus(std::string control) {
        FocusedControl = std::move(control);
        ++FocusRequests;
    }

private:
    template <typename T, typename F>
    T GuardedResult(T otherwise, F step) {
        T result = otherwise;
        Guarded([&] { result = step(); });
        return result;
    }
    void ScaleChange(int axis, const std::string& text);
    void ScaleExit(int axis);
    void LoadResultList();
    void ShowProblems(const std::vector<std::string>& problems);
    // Tells the operator of the damaged files the last command or start-up step read.
    void ReportDamagedFiles();
    void ShowWriteProblem(const WriteResult& r);
    // What the model derives from the lists, the link and the commands' signals.
    void ResultsChanged();
    void PointsChanged(bool cleared);
    void PositionUpdated(int axis);

    Session& m_s;
    UiTexts m_texts;
    PointMemory m_points;
    ResultList m_results;
    std::vector<std::string> m_program;
    std::unique_ptr<ElementGraphic> m_graphic;
    std::unique_ptr<BitmapView> m_bitmapView;
    std::unique_ptr<ContourConverter> m_converter;
    CommandContext m_ctx;
    PartJournal m_journal;
    MachineCalibration m_calibration;
    std::unique_ptr<ReadoutLink> m_link;
    std::unique_ptr<ProgramRunner> m_runner;
    bool m_destroyed = false;
    std::filesystem::path m_languageFolder;
    std::string m_logoFile;  // the logo found at start-up, empty without one
    bool m_autosaveFailed = false;
    bool m_resultFileUnreadable = false;  // "speicher.dat" could not be read nor set aside

    Slot<> m_resultsChanged{[this] { ResultsChanged(); }};
    // A measuring command listed an element: "Immer sichtbar" brings the graphic up to date and
    // to the front.
    Slot<> m_elementGraphicChanged{[this] {
        if (m_graphic->AlwaysVisible) {
            Grafik1Click();
        }
    }};
    Slot<bool> m_pointsChanged{[this](bool cleared) { PointsChanged(cleared); }};
    Slot<int> m_positionUpdated{[this](int axis) { PositionUpdated(axis); }};
    Slot<> m_footSwitchSelected{[this] { LV1 = LV2 = "----"; }};
    Slot<bool> m_linkState{[this](bool up) {
        LV1 = LV2 = up ? (m_s.acquisition.FootSwitchMode ? "----" : "-") : UiText(kMsgLinkDown);
        StatusPanels[0] = up ? std::string() : m_link->LostText();
    }};
    Slot<> m_footSwitchCapture{[this] { CapturePoint(); }};
    Slot<int, const std::string&> m_panelText{[this](int panel, const std::string& text) {
        StatusPanels.at(static_cast<std::size_t>(panel)) = m_texts.Translate(text);
    }};
    Slot<const std::string&> m_prompt{[this](const std::string& text) {
        Label1Visible = !text.empty();
        if (!text.empty()) {
            Label1 = m_texts.Translate(text);
        }
    }};
};

}  // namespace tarvo
