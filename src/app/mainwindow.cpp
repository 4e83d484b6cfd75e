#include "app/mainwindow.h"

#include <exception>

#include "base/cp1252.h"
#include "base/text.h"
#include "data/resultcommands.h"
#include "programs/recorder.h"

namespace tarvo {

namespace {
constexpr int kDefaultPollInterval = 20;
constexpr int kSlowSendInterval = 30;
constexpr int kSlowReceiveInterval = 50;
}  // namespace

MainWindow::MainWindow(Session& session)
    : Timer3(session.timers.Declare("Timer3", 100, true, [this] { Guarded([this] { Timer3Timer(); }); })),
      Timer2(session.timers.Declare("Timer2", 500, false, [this] { Guarded([this] { Timer2Timer(); }); })),
      Timersend(session.timers.Declare("Timersend", kDefaultPollInterval, false,
                                       [this] { Guarded([this] { m_link->SendTick(); }); })),
      TimerReceive(session.timers.Declare("TimerReceive", kDefaultPollInterval, false,
                                          [this] { Guarded([this] { m_link->ReceiveTick(); }); })),
      TimerTrigger(
          session.timers.Declare("TimerTrigger", 20, false, [this] { Guarded([this] { m_link->TriggerTick(); }); })),
      wb_timer(session.timers.Declare("wb_timer", 200, false, [this] { Guarded([this] { m_runner->WaitTick(); }); })),
      m_s(session),
      m_graphic(std::make_unique<ElementGraphic>(session.WorkDir(), m_texts)),
      m_bitmapView(std::make_unique<BitmapView>(session.WorkDir())),
      m_converter(std::make_unique<ContourConverter>(session.Op(), session.WorkDir(), session.dxf)),
      m_ctx{session.settings, session.run,     session.Op(),     session.folder,  session.Clock(),
            m_texts,          session.changes, session.geometry, session.feature, session.header,
            m_points,         m_results,       m_program},
      m_journal(session.Clock()),
      m_calibration(m_ctx, session.calibration, session.correction) {
    StatusPanels[1] = "Lernbetrieb:";
    m_link = std::make_unique<ReadoutLink>(ReadoutContext{session.settings, session.run, session.acquisition,
                                                          session.Op(), session.folder, m_texts, session.timers, Timer2,
                                                          Timersend, TimerReceive, TimerTrigger, session.serialDevice,
                                                          session.ioPorts, session.counterCard, session.correction});
    m_runner = std::make_unique<ProgramRunner>(m_ctx, wb_timer);
    // A run replays a word through the command its row runs, unless the row says otherwise.
    for (const Command& c : CommandTable()) {
        if (!c.programWord.empty()) {
            m_runner->Register(c.programWord, [this, &c](const ProgramLine& line) {
                c.replay != nullptr ? c.replay(*this, line) : c.handler(*this);
            });
        }
    }
    m_runner->Journal = &m_journal;
    session.changes.ElementGraphicChanged.Attach(m_elementGraphicChanged);
    m_program.push_back(Ansi(kProgramListItem));
    m_results.Changed.Attach(m_resultsChanged);
    m_points.Changed.Attach(m_pointsChanged);
    m_link->PositionUpdated.Attach(m_positionUpdated);
    m_link->FootSwitchSelected.Attach(m_footSwitchSelected);
    m_link->LinkStateChanged.Attach(m_linkState);
    m_link->FootSwitchCapture.Attach(m_footSwitchCapture);
    session.changes.PanelText.Attach(m_panelText);
    session.changes.Prompt.Attach(m_prompt);
    SetFileNoteTeller([this] { ReportDamagedFiles(); });
}

MainWindow::~MainWindow() { SetFileNoteTeller({}); }

void MainWindow::FormCreate() {
    ScaleText = {"1.0000", "1.0000"};
    m_journal.SetStore(m_s.journal, m_s.journalStation, m_s.journalOperator);
    m_s.PrepareWorkFolder();
    Settings& s = m_s.settings;
    const auto settingsProblems = LoadSettings(m_s.WorkFile(kSettingsFile), s);
    if (!settingsProblems.empty() && settingsProblems.front() == UnreadableIniProblem(m_s.WorkFile(kSettingsFile))) {
        ReportDamagedFiles();  // why it cannot be read comes first (in German: its language is unknown)
    }
    ShowProblems(settingsProblems);
    m_calibration.Load();
    m_s.StartCounterCard();
    if (s.SlowMode != 0) {
        Timersend.SetInterval(kSlowSendInterval);
        TimerReceive.SetInterval(kSlowReceiveInterval);
    }
    LoadResultList();
    m_s.LoadOutputSettings();
    if (FileExists(m_s.WorkFile(kLogoFile))) {
        m_logoFile = m_s.WorkFile(kLogoFile).string();
    }
    Timer2.SetEnabled(true);
    StatusPanels[1] = UiText(kTextTeachInInactive);
    std::vector<std::string> problems;
    const auto intervals = ApplyMarkerFiles(m_s.WorkDir(), s, problems);
    if (s.SiemensMode != 0) {
        StatusPanels[2] = "SIEMENS";
    }
    if (intervals) {
        Timersend.SetInterval(intervals->send);
        TimerReceive.SetInterval(intervals->receive);
    }
    ShowProblems(problems);
    // The damaged files read so far are told by the start-up timer, in the operator's language.
}

bool MainWindow::Close() {
    if (m_destroyed) {
        return true;
    }
    bool canClose = false;
    Guarded([&] { canClose = FormClose(); });
    if (!canClose) {
        return false;
    }
    FormDestroy();
    return true;
}

// Closing while a program is taught in first ends the recording with its save; the window stays
// open when the operator goes on recording.
bool MainWindow::FormClose() {
    if (m_s.run.Recording != 0) {
        return StopRecording(m_ctx);
    }
    // A run ends with the window: the list before the run is what is saved at exit.
    m_runner->Cancel();
    return true;
}

void MainWindow::FormDestroy() {
    if (m_destroyed) {
        return;
    }
    m_runner->Cancel();
    m_destroyed = true;
    Timersend.SetEnabled(false);
    TimerReceive.SetEnabled(false);
    TimerTrigger.SetEnabled(false);
    m_link->ClosePort();
    if (m_s.ReadOnlyMedia()) {
        return;
    }
    ShowWriteProblem(m_results.SaveToFile(m_s.WorkFile(kResultListFile)));
    ShowWriteProblem(SaveSettings(m_s.WorkFile(kSettingsFile), m_s.settings));
}

void MainWindow::Timer3Timer() {
    Timer3.SetEnabled(false);
    LoadLanguage();
    LoadResultList();
    ReportDamagedFiles();
}

void MainWindow::Timer2Timer() {
    StatusPanels[1] = m_s.settings.IfName;
    m_link->StartupStep();
    ReportDamagedFiles();
}

void MainWindow::LoadLanguage() {
    const int index = m_s.settings.Language;
    auto folder = LanguageFolder(index);
    if (!folder) {
        m_s.settings.Language = 0;
        folder = LanguageFolder(0);
    }
    m_languageFolder = m_s.WorkDir() / *folder;
    if (m_s.settings.Language != 0) {
        const std::string before = UiText(kTextTeachInInactive);
        // The shipped translations come into the working folder the first time they are chosen.
        if (!m_s.shippedData.empty() && !m_s.ReadOnlyMedia()) {
            (void)CopyMissingFiles(m_s.shippedData / *folder, m_languageFolder);
        }
        LoadTextLists(IniFile::Load(m_languageFolder / kMainLanguageFile), m_texts);
        // The teach-in state shown since the window's creation, now in the new language.
        if (StatusPanels[1] == before) {
            StatusPanels[1] = UiText(kTextTeachInInactive);
        }
    }
    LanguageLoaded.Notify();
}

bool MainWindow::IsEnabled(const Command& command) const noexcept {
    switch (command.enabled) {
        case Enabled::Always:
            return command.handler != nullptr;
        case Enabled::KeyboardMode:
            return !m_s.acquisition.FootSwitchMode;
        case Enabled::FootSwitchMode:
            return m_s.acquisition.FootSwitchMode;
        case Enabled::Pictures:
            return m_graphic->BitmapReady();
        case Enabled::NoRun:
            return !m_s.run.ProgramRunning && m_s.run.Recording == 0;
        case Enabled::Teaching:
            return m_s.run.Recording != 0;
        case Enabled::RunIdle:
            return m_s.run.Recording == 0 && !m_s.run.RunLineBusy;
    }
    return false;
}

bool MainWindow::Run(const Command& command) {
    if (!IsEnabled(command)) {
        return false;
    }
    Guarded([&] { command.handler(*this); });
    return true;
}

void MainWindow::Guarded(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& e) {
        m_s.Op().ShowError(e.what());
    }
    ReportDamagedFiles();
    ReportJournalNotes();
    Changed.Notify();
}

bool MainWindow::FormKeyDown(int key, unsigned shift) {
    if (shift != kNoShift) {
        return false;
    }
    const Command* command = CommandByKey(key);
    // Space while the foot switch triggers is not consumed: it reaches the focused control.
    return command != nullptr && Run(*command);
}

void MainWindow::FormKeyPress(char ch) {
    if (ch == static_cast<char>(kKeyEscape)) {
        Guarded([this] { m_s.run.AbortRequested = 1; });
    } else if (const Command* command = CommandByTyped(ch)) {
        Run(*command);
    }
}

void MainWindow::ListBox1KeyDown(int key) {
    if (key == kKeyDelete) {
        Guarded([this] { DeleteSelectedPoint(m_ctx); });
    }
}

void MainWindow::lb1KeyDown(int key) {
    if (key == kKeyDelete) {
        Guarded([this] { DeleteResultLine(m_ctx); });
    }
}

void MainWindow::lb1DblClick() {
    Guarded([this] { RecallLine(m_ctx); });
}

void MainWindow::StatusBar1DblClick() {
    if (m_s.run.Recording != 0) {
        Guarded([this] { TakeBackLastLines(m_ctx); });
    }
}

void MainWindow::SpeedButton7Click() {
    m_s.run.AbortRequested = 1;  // a wait for points ends first
    if (!Close()) {
        m_s.run.AbortRequested = 0;  // the operator goes on: the commands work again
    }
}

void MainWindow::PrintReportNow() { PrintReportVia(m_ctx, Report, m_logoFile, m_s.acquisition.PollPaused); }

void MainWindow::Grafik1Click() {
    m_graphic->SetLines(m_results);
    ShowElementGraphic.Notify(true);
}

void MainWindow::AppendPoint() {
    m_results.SelectLast();
    CapturePoint();
    RequestFocus("ListBox1");
}

void MainWindow::CapturePoint() {
    // With the readout unplugged the display shows no position: the last one known is not
    // taken for a new point.
    if (m_link->LinkDown()) {
        m_s.Op().Beep();
        m_s.Op().ShowError(UiText(kMsgCaptureOffline));
        return;
    }
    // A calibration takes the readings themselves, unrounded and before every correction.
    if (!m_calibration.Capture(m_s.acquisition.LastReading[0], m_s.acquisition.LastReading[1])) {
        const Position& p = m_s.run.CurrentPos;
        m_points.Append(PointItemText(p.x, p.y, m_s.settings.Decimals));
        m_ctx.Record(word::kGetPoint);
        Label1Visible = false;
    }
    m_s.Op().Beep();
}

// Every change of the result list is written to "speicher.dat" at once (not only at exit), so a
// crash or a power cut loses no result. While a program is recorded or run the list is saved
// at the end instead; from read-only media never. A failing save is reported once until a save
// succeeds again.
void MainWindow::SaveResultListNow() {
    ++ResultsVersion;
    if (m_destroyed || m_s.run.Recording != 0 || m_s.run.ProgramRunning || m_s.ReadOnlyMedia() ||
        m_resultFileUnreadable) {
        return;
    }
    const WriteResult r = m_results.SaveToFile(m_s.WorkFile(kResultListFile));
    if (!r.ok && !m_autosaveFailed) {
        m_s.Op().ShowError(r.error);
    }
    m_autosaveFailed = !r.ok;
}

void MainWindow::ReportJournalNotes() {
    for (const JournalNote& note : m_journal.TakeNotes()) {
        JournalStatus = JournalNoteMessage(note, m_texts);
        JournalSaid.Notify(JournalStatus);
    }
}

void MainWindow::ScaleChange(int axis, const std::string& text) {
    ScaleText[static_cast<std::size_t>(axis)] = text;
    if (!RemoveSpaces(text).empty()) {
        Guarded([&] { m_s.acquisition.AxisScale[axis] = ReadNumber(text); });
    }
}

void MainWindow::ScaleExit(int axis) {
    Guarded([&] {
        std::string& text = ScaleText[static_cast<std::size_t>(axis)];
        if (RemoveSpaces(text).empty()) {
            text = "1";
        }
        m_s.acquisition.AxisScale[axis] = ReadNumber(text);
        text = FormatReal(m_s.acquisition.AxisScale[axis], 0, m_s.settings.Decimals + 1);
    });
}

void MainWindow::LoadResultList() {
    ++ResultsVersion;
    if (!m_results.LoadFromFile(m_s.WorkFile(kResultListFile))) {
        // The unreadable list is set aside, so the results of this session are saved as usual;
        // where that fails, nothing is saved.
        const auto aside = m_s.ReadOnlyMedia() ? std::nullopt : SetAsideUnreadable(m_s.WorkFile(kResultListFile));
        ReportDamagedFiles();  // why it cannot be read comes first
        if (aside) {
            m_s.Op().ShowError(m_texts.Compose(kMsgListSetAside, {kResultListFile, aside->filename().string()}));
        } else if (!m_resultFileUnreadable) {
            m_resultFileUnreadable = true;
            m_s.Op().ShowError(m_texts.Compose(kMsgListNotSaved, {kResultListFile}));
        }
    }
    m_results.SelectLast();
}

void MainWindow::ShowProblems(const std::vector<std::string>& problems) {
    for (const auto& p : problems) {
        m_s.Op().ShowError(p);
    }
}

void MainWindow::ReportDamagedFiles() {
    for (const FileNote& note : TakeFileNotes()) {
        m_s.Op().ShowError(DamagedFileMessage(note, m_texts));
    }
}

void MainWindow::ShowWriteProblem(const WriteResult& r) {
    if (!r.ok) {
        m_s.Op().ShowError(r.error);
    }
}

void MainWindow::ResultsChanged() {
    SaveResultListNow();
    // A shown element graphic follows the list (a hidden one takes its copy when it is opened).
    if (m_graphic->Shown) {
        m_graphic->SetLines(m_results);
        ShowElementGraphic.Notify(false);
    }
}

void MainWindow::PointsChanged(bool cleared) {
    Label5 = cleared ? "-" : std::to_string(m_points.PointCount());
    if (cleared) {
        m_s.acquisition.ResetPushed();
    }
}

void MainWindow::PositionUpdated(int axis) {
    const Position& p = m_s.run.CurrentPos;
    (axis == 0 ? LV1 : LV2) = FormatReal(axis == 0 ? p.x : p.y, 0, m_s.settings.Decimals);
}

}  // namespace tarvo
