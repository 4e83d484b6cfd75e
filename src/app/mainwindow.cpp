#include "app/mainwindow.h"

#include <exception>

#include "app/windowcommands.h"
#include "base/cp1252.h"
#include "base/text.h"
#include "coords/coordsystem.h"
#include "data/resultcommands.h"
#include "elements/measure.h"
#include "output/asciiexport.h"
#include "output/headerdata.h"
#include "output/pdfcanvas.h"
#include "output/report.h"
#include "programs/comparison.h"
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
      m_journal(session.Clock()) {
    StatusPanels[1] = "Lernbetrieb:";
    m_link = std::make_unique<ReadoutLink>(ReadoutContext{session.settings, session.run, session.acquisition,
                                                          session.Op(), session.folder, m_texts, session.timers, Timer2,
                                                          Timersend, TimerReceive, TimerTrigger, session.serialDevice,
                                                          session.ioPorts, session.counterCard, session.correction});
    m_runner = std::make_unique<ProgramRunner>(m_ctx, wb_timer);
    m_runner->OnPrint = [this] { PrintReportNow(); };
    m_runner->OnAsciiExport = [this](const std::string& part) { ReplayAsciiExport(m_ctx, part); };
    m_runner->OnArea = [this] { MeasureArea(m_ctx, *m_bitmapView); };
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

void MainWindow::ReportJournalNotes() {
    for (const JournalNote& note : m_journal.TakeNotes()) {
        int n = kMsgJournalFailed;
        switch (note.kind) {
            case JournalNote::Kind::Damaged:
                n = kMsgJournalDamaged;
                break;
            case JournalNote::Kind::Unreachable:
                n = kMsgJournalUnreachable;
                break;
            case JournalNote::Kind::Refused:
                n = kMsgJournalRefused;
                break;
            case JournalNote::Kind::Reachable:
                n = kMsgJournalReachable;
                break;
            case JournalNote::Kind::PasswordFile:
                n = kMsgJournalPassword;
                break;
            case JournalNote::Kind::Failed:
                n = kMsgJournalFailed;
                break;
        }
        JournalStatus = m_texts.Compose(n, {note.detail});
        JournalSaid.Notify(JournalStatus);
    }
}

void MainWindow::ReportDamagedFiles() {
    for (const FileNote& note : TakeFileNotes()) {
        const std::string name = note.file.filename().string();
        switch (note.damage) {
            case FileDamage::Binary:
                m_s.Op().ShowError(m_texts.Compose(kMsgFileDamaged, {name, m_texts.Compose(kMsgBinaryBytes, {})}));
                break;
            case FileDamage::LongLine:
                m_s.Op().ShowError(m_texts.Compose(
                    kMsgFileDamaged, {name, m_texts.Compose(kMsgLongLine, {std::to_string(kMaxFileLine)})}));
                break;
            case FileDamage::Utf8:
                m_s.Op().ShowError(m_texts.Compose(kMsgFileUtf8, {name}));
                break;
            case FileDamage::Cut:
                m_s.Op().ShowError(m_texts.Compose(kMsgFileCut, {name}));
                break;
            case FileDamage::NotNumbers:
                m_s.Op().ShowError(NotNumbersProblem(name));
                break;
            case FileDamage::NotPicture:
                m_s.Op().ShowError(m_texts.Compose(kMsgNotPicture, {name}));
                break;
        }
    }
}

void MainWindow::ShowProblems(const std::vector<std::string>& problems) {
    for (const auto& p : problems) {
        m_s.Op().ShowError(p);
    }
}

void MainWindow::ShowWriteProblem(const WriteResult& r) {
    if (!r.ok) {
        m_s.Op().ShowError(r.error);
    }
}

void MainWindow::LoadResultList() {
    ++ResultsVersion;
    if (!m_results.LoadFromFile(m_s.WorkFile(kResultListFile))) {
        // The unreadable list is never written over: it is set aside under a name of its own, so
        // the results of this session are saved as usual; where that fails, nothing is saved.
        const std::filesystem::path file = m_s.WorkFile(kResultListFile);
        std::filesystem::path aside = file;
        aside += ".unlesbar";
        for (int n = 2; std::filesystem::exists(std::filesystem::symlink_status(aside)); ++n) {
            aside = file;
            aside += ".unlesbar" + std::to_string(n);
        }
        std::error_code ec;
        if (!m_s.ReadOnlyMedia()) {
            std::filesystem::rename(file, aside, ec);
        }
        ReportDamagedFiles();  // why it cannot be read comes first
        if (!m_s.ReadOnlyMedia() && !ec) {
            m_s.Op().ShowError(m_texts.Compose(kMsgListSetAside, {kResultListFile, aside.filename().string()}));
        } else if (!m_resultFileUnreadable) {
            m_resultFileUnreadable = true;
            m_s.Op().ShowError(m_texts.Compose(kMsgListNotSaved, {kResultListFile}));
        }
    }
    m_results.SelectLast();
}

void MainWindow::FormCreate() {
    ScaleText = {"1.0000", "1.0000"};
    m_journal.SetStore(m_s.journal, m_s.journalStation, m_s.journalOperator);
    if (!m_s.ReadOnlyMedia()) {
        RemoveStaleTempFiles(m_s.WorkDir());
        RemoveStaleTempFiles(m_s.WorkDir() / "prg");
        // The shipped files (ISO table, templates, header labels, names files, the example
        // interface profile) where the working folder lacks them, the operator's kept: first,
        // so that everything below reads them on the first start in a new folder too.
        if (!m_s.shippedData.empty()) {
            (void)CopyMissingFiles(m_s.shippedData, m_s.WorkDir(), false);
        }
        InstallDxfTemplates(m_s.WorkDir());
    }
    Settings& s = m_s.settings;
    const auto settingsProblems = LoadSettings(m_s.WorkFile(kSettingsFile), s);
    if (!settingsProblems.empty() && settingsProblems.front() == UnreadableIniProblem(m_s.WorkFile(kSettingsFile))) {
        ReportDamagedFiles();  // why it cannot be read comes first (in German: its language is unknown)
    }
    ShowProblems(settingsProblems);
    LoadCalibration();
    // The counter card's ports are touched only when the card is the selected interface:
    // writing I/O ports of a machine without it could disturb other hardware.
    if (s.If3Inc != 0) {
        if (m_s.ioPorts == nullptr) {
            m_s.Op().ShowError(CounterCardUnavailableProblem());  // once; the link then stays silent
        } else {
            ShowProblems(InitCounterCard(m_s.WorkDir(), m_s.counterCard, *m_s.ioPorts));
        }
    }
    if (s.SlowMode != 0) {
        Timersend.SetInterval(kSlowSendInterval);
        TimerReceive.SetInterval(kSlowReceiveInterval);
    }
    LoadResultList();
    LoadHeaderLabels(m_s.WorkDir(), m_s.header);
    m_s.run.ExportFolder = LoadExportFolder(m_s.WorkDir());
    if (!m_s.ReadOnlyMedia()) {
        // A hidden half-written export must not lie in the folder the evaluation system reads.
        RemoveStaleTempFiles(m_s.folder.File(m_s.run.ExportFolder));
    }
    LoadDxfSettings(m_s.WorkDir(), m_s.dxf);
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

void MainWindow::Timer3Timer() {
    Timer3.SetEnabled(false);
    LoadLanguage();
    LoadResultList();
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

void MainWindow::Timer2Timer() {
    StatusPanels[1] = m_s.settings.IfName;
    m_link->StartupStep();
    ReportDamagedFiles();
}

void MainWindow::SpeedButton24Click() {
    Guarded([this] { m_link->SelectKeyboardTrigger(); });
}

void MainWindow::SpeedButton25Click() {
    Guarded([this] { m_link->SelectFootSwitchTrigger(); });
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

void MainWindow::SpeedButton11Click() {
    Guarded([this] { StartRecording(m_ctx); });
}
void MainWindow::SpeedButton12Click() {
    Guarded([this] { (void)StopRecording(m_ctx); });
}
void MainWindow::SpeedButton15Click() {
    Guarded([this] { PrintReportNow(); });
}

void MainWindow::PrintReportNow() {
    if (ReportPreview) {
        if (m_s.run.AbortRequested != 0) {
            return;
        }
        const ReportContent content = CollectReport(m_ctx, m_logoFile);
        m_s.acquisition.PollPaused = true;
        // Drawing the preview's pages prints nothing: the status bar stays quiet until it has.
        const auto printed = ReportPreview(
            [&content](ReportCanvas& canvas) { (void)DrawReport(content, canvas, [](const std::string&) {}); });
        m_s.acquisition.PollPaused = false;
        m_s.changes.PanelText.Notify(1, "");
        if (printed) {
            FinishReport(m_ctx);
            if (!printed->empty()) {
                const std::string said = m_texts.Compose(kMsgReportSaved, {*printed});
                m_s.changes.PanelText.Notify(0, said);
                m_s.Op().ShowInfo(said);
            }
        }
        return;
    }
    std::unique_ptr<ReportCanvas> canvas;
    std::filesystem::path pdf;
    if (ReportTarget) {
        canvas = ReportTarget();
    } else {
        pdf = m_s.WorkFile(kReportFile);
        canvas = std::make_unique<PdfCanvas>(pdf);
    }
    if (!canvas) {
        return;  // no printer chosen
    }
    // The polling holds back while the report is printed.
    m_s.acquisition.PollPaused = true;
    const bool printed = PrintReport(m_ctx, *canvas, m_logoFile);
    m_s.acquisition.PollPaused = false;
    if (!pdf.empty()) {
        if (printed) {
            m_s.Op().ShowInfo(Ansi("Bericht gespeichert: ") + pdf.filename().string());
        } else {
            m_s.Op().ShowError(static_cast<PdfCanvas&>(*canvas).Error());
        }
    }
}

void MainWindow::SpeedButton19Click() {
    Guarded([this] { AsciiExport(m_ctx); });
}

void MainWindow::Speichern1Click() {
    Guarded([this] { SavePointFile(m_ctx); });
}

void MainWindow::SpeichernalsDXF1Click() {
    Guarded([this] { SavePointsAsDxf(m_ctx, m_s.dxf, static_cast<double>(m_converter->presets.maxDeviation)); });
}

void MainWindow::SpeedButton20Click() {
    Guarded([this] { EditHeaderData(m_ctx); });
}

void MainWindow::SpeedButton16Click() {
    Guarded([this] { CompareNominalActual(m_ctx, &m_journal); });
}
void MainWindow::SpeedButton13Click() {
    Guarded([this] { m_runner->RunProgram(); });
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
    Guarded([&] { (this->*command.handler)(); });
    return true;
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

void MainWindow::OffsetXKey() {
    Guarded([this] { OffsetEntry(m_ctx, 0); });
}
void MainWindow::OffsetYKey() {
    Guarded([this] { OffsetEntry(m_ctx, 1); });
}

void MainWindow::SpeedButton1Click() {
    Guarded([this] { EvaluateCircle(m_ctx); });
}
void MainWindow::SpeedButton2Click() {
    Guarded([this] { DistanceTwoPoints(m_ctx); });
}
void MainWindow::SpeedButton3Click() {
    Guarded([this] { DistanceLinePoint(m_ctx); });
}
void MainWindow::SpeedButton4Click() {
    Guarded([this] { AngleBetweenLines(m_ctx); });
}
void MainWindow::SpeedButton5Click() {
    Guarded([this] { PointCommand(m_ctx); });
}
void MainWindow::SpeedButton6Click() {
    Guarded([this] { LineCommand(m_ctx); });
}
void MainWindow::SpeedButton8Click() {
    Guarded([this] {
        if (CoordinateSystemCommand(m_ctx)) {
            RequestFocus("lb1");
        }
    });
}
void MainWindow::SpeedButton9Click() {
    Guarded([this] { SymmetryLineCommand(m_ctx); });
}
void MainWindow::SpeedButton17Click() {
    Guarded([this] { AxisDistanceCommand(m_ctx); });
}
void MainWindow::SpeedButton18Click() {
    Guarded([this] { PointEntry(m_ctx); });
}
void MainWindow::Button1Click() {
    Guarded([this] {
        if (Zero(m_ctx, 0, ZeroSource::Button)) {
            RequestFocus("lb1");
        }
    });
}
void MainWindow::Button2Click() {
    Guarded([this] {
        if (Zero(m_ctx, 1, ZeroSource::Button)) {
            RequestFocus("lb1");
        }
    });
}
void MainWindow::CircleLineClick() {
    Guarded([this] { IntersectCircleLineCommand(m_ctx); });
}
void MainWindow::SpeedButton14Click() {
    Guarded([this] { MeasureArea(m_ctx, *m_bitmapView); });
}

void MainWindow::Grafik1Click() {
    m_graphic->SetLines(m_results.Lines());
    ShowElementGraphic.Notify(true);
}

void MainWindow::ResultsChanged() {
    SaveResultListNow();
    // A shown element graphic follows the list (a hidden one takes its copy when it is opened).
    if (m_graphic->Shown) {
        m_graphic->SetLines(m_results.Lines());
        ShowElementGraphic.Notify(false);
    }
}

void MainWindow::AreaFromCircleClick() {
    Guarded([this] { AreaFromStoredCircle(m_ctx); });
}
void MainWindow::CircleCircleClick() {
    Guarded([this] { IntersectCirclesCommand(m_ctx); });
}

void MainWindow::ListBox1KeyDown(int key) {
    if (key != kKeyDelete) {
        return;
    }
    Guarded([this] {
        const int sel = m_points.ItemIndex();
        if (sel < 0) {
            return;  // nothing selected: nothing to delete
        }
        if (m_s.run.Recording != 0) {
            // The program's last lines are the GETPOINT lines of the points in memory.
            const long long line =
                static_cast<long long>(sel) + static_cast<long long>(m_program.size()) - m_points.PointCount();
            if (line >= 0 && line < static_cast<long long>(m_program.size())) {
                m_program.erase(m_program.begin() + static_cast<std::ptrdiff_t>(line));
            }
        }
        m_points.Delete(sel);
        m_points.SelectLast();
    });
}

void MainWindow::SpeedButton7Click() {
    m_s.run.AbortRequested = 1;  // a wait for points ends first
    if (!Close()) {
        m_s.run.AbortRequested = 0;  // the operator goes on: the commands work again
    }
}

void MainWindow::SpeedButton23Click() {
    Guarded([this] { ClearPoints(); });
}

void MainWindow::StatusBar1DblClick() {
    if (m_s.run.Recording == 0) {
        return;
    }
    Guarded([this] {
        Operator& op = m_s.Op();
        if (!m_program.empty()) {
            if (op.Ask(UiText(kTextDeleteProgramLine) + "\n" + m_program.back(), Buttons::OkCancel)) {
                m_program.pop_back();
                if (!m_program.empty() && m_program.back().find("GETPOINT") != std::string::npos &&
                    op.Ask(UiText(kTextDeletePrecedingPoints), Buttons::OkCancel)) {
                    while (!m_program.empty() && m_program.back().find("GETPOINT") != std::string::npos) {
                        m_program.pop_back();
                    }
                }
            }
        }
        if (m_results.Count() > 0) {
            if (op.Ask(UiText(kTextDeleteResultLine) + "\n" + m_results.Lines().back(), Buttons::OkCancel)) {
                m_results.Delete(m_results.Count() - 1);
                m_results.SelectLast();
            }
        }
    });
}

void MainWindow::SpeedButton21Click() {
    Guarded([this] { TextLineCommand(m_ctx); });
}

void MainWindow::SystemSettingsClick() {
    Guarded([this] { SystemSettingsCommand(m_ctx); });
}

void MainWindow::SpeedButton22Click() {
    Guarded([this] { ClearAllMemories(m_ctx); });
}

void MainWindow::lb1KeyDown(int key) {
    if (key == kKeyDelete) {
        Guarded([this] { DeleteResultLine(m_ctx); });
    }
}

void MainWindow::lb1DblClick() {
    Guarded([this] { RecallLine(m_ctx); });
}

void MainWindow::RenumberClick() {
    Guarded([this] { m_results.Renumber(); });
}

void MainWindow::SaveMemoryClick() {
    Guarded([this] { SaveMemory(m_ctx); });
}

void MainWindow::LoadMemoryClick() {
    Guarded([this] { LoadMemory(m_ctx); });
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
    if (m_calibration) {
        // A calibration takes the readings themselves, unrounded and before every correction.
        m_calibration->Capture(m_s.acquisition.LastReading[0], m_s.acquisition.LastReading[1]);
        m_s.changes.Prompt.Notify(m_calibration->Prompt(m_texts));
        m_s.Op().Beep();
        return;
    }
    const Position& p = m_s.run.CurrentPos;
    m_points.Append(PointItemText(p.x, p.y, m_s.settings.Decimals));
    m_ctx.Record(word::kGetPoint);
    Label1Visible = false;
    m_s.Op().Beep();
}

void MainWindow::ClearPoints() { m_ctx.ClearPoints(); }

void MainWindow::LoadCalibration() {
    m_s.calibration = LoadCalibrationFile(m_s.WorkFile(kCalibrationFile), m_texts);
    const CalibrationFileState& c = m_s.calibration;
    if (c.status == CalibrationFileStatus::Damaged) {
        m_s.correction = ScaleCorrection{};
        m_s.Op().ShowError(m_texts.Compose(kMsgCalibrationDamaged, {kCalibrationFile, c.problem}));
    } else if (c.status == CalibrationFileStatus::Loaded) {
        m_s.correction = c.record.correction;
        const int days = CalibrationIntervalDays(m_s.WorkFile(kSettingsFile));
        if (days > 0 && DateBefore(AddDays(c.record.date, days), m_s.Clock().Now())) {
            m_s.Op().ShowInfo(m_texts.Compose(kMsgCalibrationOverdue,
                                              {DateText(c.record.date), DateText(AddDays(c.record.date, days))}));
        }
    }
    ShowCalibrationState();
}

void MainWindow::ShowCalibrationState() {
    const CalibrationFileState& c = m_s.calibration;
    CalibrationStatus.clear();
    m_s.header.calibration.clear();
    if (c.status == CalibrationFileStatus::Damaged) {
        CalibrationStatus = m_texts.Compose(kMsgUncorrected, {});
    } else if (c.status == CalibrationFileStatus::Loaded) {
        const int days = CalibrationIntervalDays(m_s.WorkFile(kSettingsFile));
        const std::string due = days > 0 ? DateText(AddDays(c.record.date, days)) : "-";
        CalibrationStatus = m_texts.Compose(kMsgCalibrated, {DateText(c.record.date), due});
        m_s.header.calibration =
            m_texts.Compose(kMsgCalReport, {DateText(c.record.date), due, c.record.standard, c.record.certificate});
    }
}

void MainWindow::StartCalibration(CalibrationKind kind, int axis, std::vector<long double> certified) {
    Guarded([&] {
        m_calibrationResult.reset();
        m_calibration = std::make_unique<CalibrationProcedure>(kind, axis, std::move(certified));
        m_s.changes.Prompt.Notify(m_calibration->Prompt(m_texts));
    });
}

bool MainWindow::CalibrationNextEdge() {
    bool ok = false;
    Guarded([&] {
        ok = m_calibration && m_calibration->NextEdge();
        if (ok) {
            m_s.changes.Prompt.Notify(m_calibration->Prompt(m_texts));
        }
    });
    return ok;
}

const CalibrationResult* MainWindow::ComputeCalibration() {
    Guarded([&] {
        if (!m_calibration) {
            m_s.Op().ShowError(m_texts.Compose(kMsgCalNothing, {}));
            return;
        }
        m_calibrationResult = std::make_unique<CalibrationResult>(m_calibration->Compute(m_s.correction, m_texts));
        if (!m_calibrationResult->ok) {
            m_s.Op().ShowError(m_texts.Compose(kMsgCalRefused, {m_calibrationResult->refusal}));
        }
    });
    return m_calibrationResult.get();
}

bool MainWindow::AskCalibrationDetails(CalibrationRecord& details) {
    bool ok = true;
    Guarded([&] {
        Operator& op = m_s.Op();
        for (auto [field, title] :
             {std::pair{&details.operatorName, kMsgCalOperator}, std::pair{&details.standard, kMsgCalStandard},
              std::pair{&details.certificate, kMsgCalCertNo}, std::pair{&details.temperature, kMsgCalTemperature}}) {
            const std::optional<std::string> text = op.Input(m_texts.Compose(title, {}), *field);
            if (!text) {
                ok = false;
                return;
            }
            *field = *text;
        }
    });
    return ok;
}

bool MainWindow::SaveCalibration(const CalibrationRecord& details) {
    bool saved = false;
    Guarded([&] {
        Operator& op = m_s.Op();
        if (!m_calibrationResult || !m_calibrationResult->ok) {
            const std::string reason =
                m_calibrationResult ? m_calibrationResult->refusal : m_texts.Compose(kMsgCalNothing, {});
            op.ShowError(m_texts.Compose(kMsgCalRefused, {reason}));
            return;
        }
        if (m_s.ReadOnlyMedia()) {
            op.ShowInfo(Ansi("Schreiben auf CD nicht möglich"));
            return;
        }
        if (m_s.calibration.status == CalibrationFileStatus::Damaged &&
            !op.Ask(m_texts.Compose(kMsgCalReplaceDamaged, {kCalibrationFile}), Buttons::YesNo)) {
            return;
        }
        const auto& lines = m_calibrationResult->lines;
        if (!op.Ask(m_texts.Compose(kMsgCalSave, {lines.empty() ? std::string() : lines.back()}), Buttons::YesNo)) {
            return;
        }
        CalibrationRecord record = details;
        // One line each in the file: a line break typed into a field does not start another key.
        for (std::string* field : {&record.operatorName, &record.standard, &record.certificate, &record.temperature}) {
            for (char& ch : *field) {
                if (ch == '\r' || ch == '\n') {
                    ch = ' ';
                }
            }
        }
        const DateTime now = m_s.Clock().Now();
        record.date = DateTime{now.year, now.month, now.day, 0, 0, 0};
        record.correction = m_calibrationResult->correction;
        const WriteResult w = SaveCalibrationFile(m_s.WorkFile(kCalibrationFile), record);
        if (!w.ok) {
            op.ShowError(w.error);
            return;
        }
        m_s.calibration.status = CalibrationFileStatus::Loaded;
        m_s.calibration.record = record;
        m_s.calibration.problem.clear();
        m_s.correction = record.correction;
        ShowCalibrationState();
        m_calibration.reset();
        m_calibrationResult.reset();
        m_s.changes.Prompt.Notify("");
        op.ShowInfo(m_texts.Compose(kMsgCalSaved, {kCalibrationFile}));
        saved = true;
    });
    return saved;
}

void MainWindow::CancelCalibration() {
    Guarded([&] {
        m_calibration.reset();
        m_calibrationResult.reset();
        m_s.changes.Prompt.Notify("");
    });
}

}  // namespace tarvo
