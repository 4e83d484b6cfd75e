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
#include "coords/calibration.h"
#include "coords/calibrationfile.h"
#include "data/commandcontext.h"
#include "data/pointmemory.h"
#include "data/resultlist.h"
#include "journal/partjournal.h"
#include "output/contourconverter.h"
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

    // --- Timers -----------------------------------------------------------------------------
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

    // --- The command table ----------------------------------------------------------------------
    // Whether a command of the table can be started now (a disabled control ignores clicks).
    [[nodiscard]] bool IsEnabled(const Command& command) const noexcept;
    // Starts a command of the table as its control, key or menu entry does; false when it is
    // disabled or not built.
    bool Run(const Command& command);

    // --- Keys -------------------------------------------------------------------------------
    // The window sees every key first; returns true when the key was consumed.
    bool FormKeyDown(int key, unsigned shift = kNoShift);
    void FormKeyPress(char ch);
    void ListBox1KeyDown(int key);

    // --- Controls ---------------------------------------------------------------------------
    void SpeedButton7Click();   // exit
    void SpeedButton23Click();  // clear the point memory
    void StatusBar1DblClick();
    void SpeedButton21Click();  // text line
    // Help (F1, SpeedButton10, menu "Hilfe"): the session's HelpRequested signal opens the
    // operator's manual.
    void HelpClick() { m_s.changes.HelpRequested.Notify(); }
    // Menu "Druckereinrichtung": the platform's printer setup dialog (the window opens it).
    void PrinterSetupClick() { m_s.changes.PrinterSetupRequested.Notify(); }
    void BeendenClick() { (void)Close(); }  // menu "Beenden"
    void OffsetXKey();                      // F11
    void SpeedButton11Click();              // start teach-in
    void SpeedButton12Click();              // end teach-in and save the program
    void SpeedButton13Click();              // run a program (or go on with a waiting run)
    void SpeedButton16Click();              // nominal/actual comparison of the selected line
    void SpeedButton15Click();              // print the report
    void SpeedButton20Click();              // header data of the report
    void SpeedButton19Click();              // ASCII export of the comparisons
    void Speichern1Click();                 // the point list's "Speichern": a point file
    void SpeichernalsDXF1Click();           // the point list's "Speichern als DXF"
    // Where the report goes: a new canvas for each print run. By default a PDF file in the
    // working folder, announced to the operator; the window puts the printer here.
    std::function<std::unique_ptr<ReportCanvas>()> ReportTarget;
    // The window's way: it chooses the printer, shows a preview that draws the report with
    // `draw`, and prints it when the operator confirms. @retval true printed.
    // The preview of the report, with printing and saving as PDF: nothing when closed without
    // either, an empty text when printed, the file when saved as PDF.
    std::function<std::optional<std::string>(const std::function<void(ReportCanvas&)>& draw)> ReportPreview;
    [[nodiscard]] ProgramRunner& Runner() noexcept { return *m_runner; }
    void OffsetYKey();           // F12
    void SystemSettingsClick();  // menu "Systemeinstellungen"
    void SpeedButton22Click();   // clear all
    void SpeedButton24Click();   // keyboard trigger
    void SpeedButton25Click();   // foot-switch trigger
    // Measuring and coordinate commands (buttons, keys and menus of the window).
    void SpeedButton1Click();   // circle
    void SpeedButton2Click();   // distance of two points
    void SpeedButton3Click();   // distance line to point
    void SpeedButton4Click();   // angle
    void SpeedButton5Click();   // point
    void SpeedButton6Click();   // line
    void SpeedButton8Click();   // coordinate system chooser
    void SpeedButton9Click();   // symmetry line
    void SpeedButton17Click();  // X or Y distance
    void SpeedButton18Click();  // point entry
    void Button1Click();        // zero X
    void Button2Click();        // zero Y
    void CircleLineClick();     // menu "Schnitpunkt(e) Kreis-Gerade"
    void SpeedButton14Click();  // area
    // The result list's "Grafik": the element graphic takes a copy of the list and comes up.
    void Grafik1Click();
    // Tells the element-graphic window to draw the model again: true to show it and bring it to
    // the front (then the focus goes back to the main window), false only when it is shown.
    Signal<bool> ShowElementGraphic;
    [[nodiscard]] ElementGraphic& ElementGraphicModel() noexcept { return *m_graphic; }
    [[nodiscard]] BitmapView& BitmapViewModel() noexcept { return *m_bitmapView; }
    // Menu "Konturkonverter": the converter window comes up (`ShowConverter`).
    void KonturkonverterClick() { ShowConverter.Notify(); }
    Signal<> ShowConverter;
    [[nodiscard]] ContourConverter& Converter() noexcept { return *m_converter; }
    void AreaFromCircleClick();  // menu "Fläche aus Speicherkreis"
    void ReevaluateClick();      // context menu of `lb1` "Neu auswerten"
    void CircleCircleClick();    // menu "Schnittpunkt Kreis-Kreis"
    void lb1KeyDown(int key);    // Delete removes the selected result line
    void lb1DblClick();          // recall the selected line into the point memory
    void RenumberClick();        // menu "Renummerieren"
    void SaveMemoryClick();      // menu "Speicherinhalt sichern"
    void LoadMemoryClick();      // menu "Speicherinhalt laden"
    // Writes "speicher.dat" now unless a program is recorded or run or the media is read-only
    // (called after every change of the result list).
    void SaveResultListNow();
    // Counts changes of the result list, so a view knows when to read it again.
    std::uint64_t ResultsVersion = 0;
    void FXChange(const std::string& text) { ScaleChange(0, text); }
    void FXExit() { ScaleExit(0); }
    void FYChange(const std::string& text) { ScaleChange(1, text); }
    void FYExit() { ScaleExit(1); }

    // --- Machine calibration ---------------------------------------------------------------
    // Menu "Maschine kalibrieren": the guided calibration window comes up.
    void KalibrierenClick() { ShowCalibration.Notify(); }
    Signal<> ShowCalibration;
    // Starts a calibration (a running one is dropped): from now on every capture, Space or foot
    // switch, goes to it instead of the point memory, and `Label1` says what to probe next.
    void StartCalibration(CalibrationKind kind, int axis, std::vector<long double> certified);
    // The calibration under way, or nullptr.
    [[nodiscard]] const CalibrationProcedure* Calibration() const noexcept { return m_calibration.get(); }
    // Square and Turn: the second edge begins. False without a calibration that has one.
    bool CalibrationNextEdge();
    // Computes the corrections from the captures. A refusal is told to the operator; the result
    // is kept for saving either way (nullptr without a calibration).
    const CalibrationResult* ComputeCalibration();
    [[nodiscard]] const CalibrationResult* CalibrationOutcome() const noexcept { return m_calibrationResult.get(); }
    // Asks for the details (operator, standard, certificate, temperature) with input dialogs.
    // @retval false the operator cancelled one.
    bool AskCalibrationDetails(CalibrationRecord& details);
    // Saves the computed corrections with `details` (the date is today's) after asking; a damaged
    // calibration file is replaced only when the operator agrees. The corrections then apply at
    // once. @retval true saved.
    bool SaveCalibration(const CalibrationRecord& details);
    // Ends the calibration without change; captures go to the point memory again.
    void CancelCalibration();
    // The status bar's calibration field: the date and due date, or that the file is damaged and
    // measuring goes on uncorrected; empty without a calibration file.
    std::string CalibrationStatus;

    // --- Point memory -----------------------------------------------------------------------
    // A keyboard capture of CurrentPos: the last result line is selected, then the capture,
    // then the point list gets the focus.
    void AppendPoint();
    // Every capture, keyboard or foot switch: the point item of CurrentPos, "GETPOINT:" while
    // recording, `Label1` hidden, the beep.
    void CapturePoint();
    void ClearPoints();
    [[nodiscard]] Point GetPoint(int i) const { return m_points.GetPoint(i); }
    [[nodiscard]] int PointCount() const noexcept { return m_points.PointCount(); }

    // --- What the window holds and shows ------------------------------------------------------
    [[nodiscard]] Session& session() const noexcept { return m_s; }
    // What the commands work with.
    [[nodiscard]] CommandContext& Context() noexcept { return m_ctx; }
    [[nodiscard]] ReadoutLink& Link() noexcept { return *m_link; }
    [[nodiscard]] PointMemory& ListBox1() noexcept { return m_points; }
    [[nodiscard]] ResultList& lb1() noexcept { return m_results; }
    [[nodiscard]] const ResultList& lb1() const noexcept { return m_results; }
    [[nodiscard]] std::vector<std::string>& LB_list() noexcept { return m_program; }
    [[nodiscard]] const UiTexts& texts() const noexcept { return m_texts; }
    [[nodiscard]] UiTexts& texts() noexcept { return m_texts; }
    [[nodiscard]] const std::string& UiText(int n) const { return m_texts.UiText(n); }
    [[nodiscard]] const std::string& ResultName(int n) const { return m_texts.ResultName(n); }

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

    Timer& Timer3;
    Timer& Timer2;
    Timer& Timersend;
    Timer& TimerReceive;
    Timer& TimerTrigger;
    Timer& wb_timer;

    // Runs one operator command: a RangeError (or any other failure) ends the command and is
    // shown to the operator as an error, never passed on. When it ends, `Changed` tells the
    // window (and a wait for points) to look at the new state.
    void Guarded(const std::function<void()>& command);
    // The results journal: each run a part, each comparison a row.
    [[nodiscard]] PartJournal& Journal() noexcept { return m_journal; }
    // What the journal said last (the status bar shows it); each message is said once, through
    // `JournalSaid` too.
    std::string JournalStatus;
    Signal<const std::string&> JournalSaid;
    // Says what the journal has to say since the last command.
    void ReportJournalNotes();
    Signal<> Changed;

private:
    void ScaleChange(int axis, const std::string& text);
    void ScaleExit(int axis);
    void LoadResultList();
    void ShowProblems(const std::vector<std::string>& problems);
    // Tells the operator of the damaged files the last command or start-up step read.
    void ReportDamagedFiles();
    void ShowWriteProblem(const WriteResult& r);

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
    std::unique_ptr<ReadoutLink> m_link;
    std::unique_ptr<ProgramRunner> m_runner;
    bool m_destroyed = false;
    std::filesystem::path m_languageFolder;
    std::string m_logoFile;  // the logo found at start-up, empty without one
    void PrintReportNow();
    bool m_autosaveFailed = false;
    bool m_resultFileUnreadable = false;  // "speicher.dat" could not be read nor set aside
    // What the model derives from the lists, the link and the commands' signals.
    void ResultsChanged();
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
    void PointsChanged(bool cleared);
    void PositionUpdated(int axis);
    // Reads the calibration file at start: its corrections, the status field, the report's line.
    void LoadCalibration();
    void ShowCalibrationState();
    std::unique_ptr<CalibrationProcedure> m_calibration;
    std::unique_ptr<CalibrationResult> m_calibrationResult;
};

}  // namespace tarvo
