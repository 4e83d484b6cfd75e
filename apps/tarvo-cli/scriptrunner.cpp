#include "scriptrunner.h"

#include <charconv>
#include <istream>
#include <ostream>
#include <sstream>

#include "app/fitselftest.h"
#include "app/mainwindow.h"
#include "app/session.h"
#include "app/videoprobing.h"
#include "base/cp1252.h"
#include "base/fileio.h"
#include "base/text.h"
#include "coords/calibration.h"
#include "data/feature.h"
#include "elements/reference.h"
#include "featuretyping.h"
#include "journal/statistics.h"
#include "output/pdfcanvas.h"
#include "output/statisticsreport.h"
#include "printviews.h"
#include "programs/geocompare.h"
#include "readout/interfaceprofile.h"
#include "shell/settings.h"
#include "views/elementgraphic.h"
#include "views/pngwriter.h"

namespace tarvo {

namespace {

// Ends a run from deep inside a command (an unanswered dialog, a bad action during a wait).
// Not a std::exception, so the command boundary of the main window lets it pass.
struct ScriptEnd {
    int status;
};

std::string Escaped(const std::string& utf8) {
    std::string out;
    for (const char c : utf8) {
        if (c == '\n') {
            out += "\\n";
        } else if (c != '\r') {
            out += c;
        }
    }
    return out;
}

std::string Trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos) {
        return {};
    }
    const auto e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

std::optional<long long> WholeNumber(const std::string& s) {
    if (s.empty() || s.size() > 12) {
        return std::nullopt;
    }
    long long v = 0;
    for (const char c : s) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        v = v * 10 + (c - '0');
    }
    return v;
}

// Splits "a b" into its two words; false unless there are exactly two.
bool TwoWords(const std::string& s, std::string& a, std::string& b) {
    const auto sp = s.find(' ');
    if (sp == std::string::npos) {
        return false;
    }
    a = s.substr(0, sp);
    b = Trimmed(s.substr(sp + 1));
    return !a.empty() && !b.empty() && b.find(' ') == std::string::npos;
}

// Two numbers "X Y" (a decimal comma is fine), or nothing.
std::optional<std::pair<long double, long double>> TwoNumbers(const std::string& s) {
    std::string xs;
    std::string ys;
    if (!TwoWords(s, xs, ys)) {
        return std::nullopt;
    }
    const NumberRead x = ReadNumberChecked(xs);
    const NumberRead y = ReadNumberChecked(ys);
    if (!x.ok || !y.ok) {
        return std::nullopt;
    }
    return std::make_pair(x.value, y.value);
}

}  // namespace

ScriptRunner::ScriptRunner(std::istream& script, std::ostream& out, std::filesystem::path workDir,
                           std::filesystem::path driveRoot, const WallClock& clock)
    : ScriptedOperator(Order::ByKind),
      m_script(script),
      m_out(out),
      m_session(
          std::make_unique<Session>(static_cast<Operator&>(*this), clock, std::move(workDir), std::move(driveRoot))),
      m_main(std::make_unique<MainWindow>(*m_session)) {
    // The simulated readout answers in the value window of the profile the program will load.
    Settings probe;
    (void)LoadSettings(m_session->WorkFile(kSettingsFile), probe);
    InterfaceProfile profile;
    (void)LoadInterfaceProfile(m_session->WorkFile(probe.IfName + ".VAL"), profile);
    m_readout.SetProfile(profile);
    m_session->serialDevice = &m_readout;
    m_session->ioPorts = &m_counterPorts;
    m_session->changes.HelpRequested.Attach(m_help);
    m_session->changes.PrinterSetupRequested.Attach(m_printerSetup);
    m_main->ShowCalibration.Attach(m_calibrationWindow);
    m_main->ShowStatistics.Attach(m_statisticsWindow);
    m_main->ShowElementGraphic.Attach(m_showGraphic);
    m_main->JournalSaid.Attach(m_journalSaid);
    m_video = std::make_unique<VideoProbing>(*m_main);
}

void ScriptRunner::SetJournal(JournalStore* store, std::string station, std::string operatorName) {
    m_session->journal = store;
    m_session->journalStation = std::move(station);
    m_session->journalOperator = std::move(operatorName);
}

bool ScriptRunner::JournalWord(const std::string&, const std::string& rest) {
    JournalStore* store = m_session->journal;
    const auto sp = rest.find(' ');
    const std::string what = rest.substr(0, sp);
    const std::string arg = sp == std::string::npos ? std::string() : Trimmed(rest.substr(sp + 1));
    if (what != "parts" && what != "rows" && what != "stats" && what != "export") {
        return false;
    }
    std::vector<std::string> items;
    if (store == nullptr) {
        Say("journal: off");
    } else if (what == "parts") {
        JournalFilter f;
        f.program = Utf8ToAnsi(arg);
        for (const JournalPart& p : store->ListParts(f)) {
            items.push_back(PartText(p));
        }
    } else if (what == "rows") {
        for (const JournalRow& r : store->Rows(arg)) {
            items.push_back(RowText(r));
        }
    } else {
        // Fields by " | ": a feature name may hold blanks.
        std::vector<std::string> fields;
        std::string text = Utf8ToAnsi(arg);
        for (std::size_t from = 0;;) {
            const auto bar = text.find('|', from);
            fields.push_back(Trimmed(text.substr(from, bar == std::string::npos ? std::string::npos : bar - from)));
            if (bar == std::string::npos) {
                break;
            }
            from = bar + 1;
        }
        if (fields.size() < 2) {
            return false;
        }
        JournalFilter f;
        f.program = fields[0];
        f.feature = fields[1];
        f.from = fields.size() > 2 ? fields[2] : std::string();
        f.to = fields.size() > 3 ? fields[3] : std::string();
        if (fields.size() > 4) {
            std::stringstream list(fields[4]);
            for (std::string st; std::getline(list, st, ',');) {
                if (!Trimmed(st).empty()) {
                    f.stations.push_back(Trimmed(st));
                }
            }
        }
        if (what == "export") {
            f.limit = 1000000;  // every value in the file
            const StatisticsContent content = CollectStatistics(*store, f, m_main->texts());
            PdfCanvas pdf(m_session->WorkFile(kStatisticsReportFile));
            const WriteResult csv = WriteFileAtomic(m_session->WorkFile(kStatisticsCsvFile),
                                                    StatisticsCsv(content.filter, content.stats, content.values));
            if (!DrawStatisticsReport(content, pdf)) {
                Say("error: " + pdf.Error());
            } else if (!csv.ok) {
                Say("error: " + csv.error);
            } else {
                items = {kStatisticsReportFile, kStatisticsCsvFile};
            }
        } else if (const auto a = store->Aggregates(f)) {
            items = StatisticsText(DeriveStatistics(*a));
        }
    }
    m_main->ReportJournalNotes();
    PrintList("journal " + what, items);
    return true;
}

bool ScriptRunner::ConverterWord(const std::string&, const std::string& rest) {
    ContourConverter& c = m_main->Converter();
    const auto sp = rest.find(' ');
    const std::string what = rest.substr(0, sp);
    const std::string arg = sp == std::string::npos ? std::string() : rest.substr(sp + 1);
    if (what == "open" && !arg.empty()) {
        m_main->Guarded([&] { (void)c.Open(Utf8ToAnsi(arg)); });
        return true;
    }
    if (what == "menu") {
        for (const ConverterMenuEntry& e : kConverterMenu) {
            const std::string caption = MenuText(*e.caption != 0 ? e.caption : e.menu);
            if (caption == arg) {
                if (e.command != nullptr) {
                    m_main->Guarded([&] { (c.*e.command)(); });
                }
                return true;
            }
        }
        return false;
    }
    if (what == "check") {
        const std::string box = arg.substr(0, arg.find(' '));
        const std::string on = arg.substr(arg.find(' ') + 1);
        if ((box != "Geraden" && box != "Radius") || (on != "0" && on != "1")) {
            return false;
        }
        (box == "Geraden" ? c.cb1 : c.cb2) = on == "1";
        return true;
    }
    if (what == "delete" || what == "print") {
        std::istringstream in(arg);
        int list = 0;
        int index = 0;
        if (!(in >> list) || c.List(list) == nullptr || (what == "delete" && !(in >> index))) {
            return false;
        }
        if (what == "delete") {
            (void)c.DeleteItem(list, index);
        } else {
            PrintList("converter " + std::to_string(list), *c.List(list));
        }
        return true;
    }
    return false;
}

void ScriptRunner::SaveElementGraphic() {
    ElementGraphic& graphic = m_main->ElementGraphicModel();
    if (!graphic.BitmapReady()) {
        return;
    }
    PixelBuffer picture(graphic.Width(), graphic.Height());
    PixelCanvas canvas(picture);
    graphic.Draw(canvas);
    if (WritePng(m_session->WorkFile(kElementGraphicPicture), picture)) {
        Say(Ansi("graphic: ") + kElementGraphicPicture + " (" + graphic.Labels().count + " Elemente, " +
            graphic.Labels().factor + ")");
    } else {
        Say(Ansi("error: ") + kElementGraphicPicture + Ansi(" kann nicht geschrieben werden"));
    }
}

ScriptRunner::~ScriptRunner() = default;

void ScriptRunner::SetShippedData(std::filesystem::path dir) { m_session->shippedData = std::move(dir); }

int ScriptRunner::Run() {
    try {
        m_main->FormCreate();
        while (!m_main->Closed() && Step()) {
        }
        m_main->Close();
    } catch (const ScriptEnd& end) {
        m_out.flush();
        return end.status;
    }
    m_out.flush();
    return kScriptOk;
}

bool ScriptRunner::Step() {
    std::string raw;
    while (std::getline(m_script, raw)) {
        const std::string line = Trimmed(raw);
        if (line.empty() || line[0] == '#') {
            continue;
        }
        Execute(line);
        return true;
    }
    return false;
}

void ScriptRunner::Execute(const std::string& line) {
    const auto sp = line.find(' ');
    const std::string word = line.substr(0, sp);
    const std::string rest = sp == std::string::npos ? std::string() : Trimmed(line.substr(sp + 1));
    if (!Action(word, rest)) {
        m_out << "bad action: " << line << '\n';
        throw ScriptEnd{kScriptBadAction};
    }
}

// The script's words, in the order the README lists them. A handler gets its word and the rest of
// the line and returns false when it does not understand them.
std::span<const ScriptRunner::Word> ScriptRunner::Words() {
    using R = ScriptRunner;
    static constexpr Word kWords[] = {
        {"readout", &R::ReadoutWord},
        {"push", &R::PushWord},
        {"point", &R::PointWord},
        {"wait", &R::WaitWord},
        {"key", &R::KeyWord},
        {"click", &R::CommandWord},
        {"menu", &R::CommandWord},
        {"select", &R::ListWord},
        {"dblclick", &R::ListWord},
        {"delete-result", &R::ListWord},
        {"delete-point", &R::ListWord},
        {"statusbar-dblclick", &R::StatusBarWord},
        {"edit", &R::EditWord},
        {"fit", &R::FitWord},
        {"answer", &R::AnswerWord},
        {"input", &R::InputWord},
        {"input-cancel", &R::InputCancelWord},
        {"choose", &R::QueueWord},
        {"file", &R::QueueWord},
        {"area", &R::AreaWord},
        {"presets", &R::PresetsWord},
        {"converter", &R::ConverterWord},
        {"header", &R::HeaderWord},
        {"feature", &R::FeatureWord},
        {"geotol", &R::GeoTolWord},
        {"textline", &R::TextLineWord},
        {"system", &R::SystemWord},
        {"edit-feature", &R::EditFeatureWord},
        {"print", &R::PrintWord},
        {"self-test", &R::SelfTestWord},
        {"calibrate", &R::CalibrateWord},
        {"camera", &R::CameraWord},
        {"journal", &R::JournalWord},
    };
    return kWords;
}

std::vector<std::string> ScriptRunner::WordNames() {
    std::vector<std::string> names;
    for (const Word& w : Words()) {
        names.emplace_back(w.word);
    }
    return names;
}

bool ScriptRunner::Action(const std::string& word, const std::string& rest) {
    for (const Word& w : Words()) {
        if (word == w.word) {
            return (this->*w.action)(word, rest);
        }
    }
    return false;
}

// The reference fits against their certified sets; prints the deviations per method.
bool ScriptRunner::SelfTestWord(const std::string&, const std::string& rest) {
    if (!rest.empty()) {
        return false;
    }
    const FitSelfTestReport report = RunFitSelfTest(m_session->shippedData / "fits");
    PrintList("self-test", report.lines);
    return true;
}

// `fit circle METHOD` / `fit line METHOD`: the station's reference element, as the system
// settings choose it.
bool ScriptRunner::FitWord(const std::string&, const std::string& rest) {
    const auto sp = rest.find(' ');
    if (sp == std::string::npos) {
        return false;
    }
    const std::string what = rest.substr(0, sp);
    if (what != "circle" && what != "line") {
        return false;
    }
    return ChooseReference(m_main->Context(), what == "circle" ? ReferenceKind::Circle : ReferenceKind::Line,
                           Trimmed(rest.substr(sp + 1)));
}

bool ScriptRunner::PointWord(const std::string&, const std::string& rest) {
    const auto xy = TwoNumbers(rest);
    if (!xy) {
        return false;
    }
    m_session->run.CurrentPos = {xy->first, xy->second};
    m_main->FormKeyDown(kKeySpace);
    return true;
}

bool ScriptRunner::ReadoutWord(const std::string&, const std::string& rest) {
    const auto xy = TwoNumbers(rest);
    if (!xy) {
        return false;
    }
    m_readout.SetReading(xy->first, xy->second);
    if (m_session->settings.If3Inc != 0) {
        PresetCounter(m_session->counterCard, m_counterPorts, 1, xy->first);
        PresetCounter(m_session->counterCard, m_counterPorts, 2, xy->second);
    }
    return true;
}

bool ScriptRunner::PushWord(const std::string&, const std::string& rest) {
    m_readout.Push(Utf8ToAnsi(rest));
    return true;
}

bool ScriptRunner::WaitWord(const std::string&, const std::string& rest) {
    const auto ms = WholeNumber(rest);
    if (!ms) {
        return false;
    }
    m_session->timers.Advance(*ms);
    return true;
}

bool ScriptRunner::KeyWord(const std::string&, const std::string& rest) {
    MainWindow& w = *m_main;
    if (rest == "Space") {
        w.FormKeyDown(kKeySpace);
    } else if (rest == "Esc") {
        if (!w.FormKeyDown(kKeyEscape)) {
            w.FormKeyPress(static_cast<char>(kKeyEscape));
        }
    } else if (rest.size() >= 2 && rest[0] == 'F' && WholeNumber(rest.substr(1)) && *WholeNumber(rest.substr(1)) >= 1 &&
               *WholeNumber(rest.substr(1)) <= 12) {
        w.FormKeyDown(kKeyF1 + static_cast<int>(*WholeNumber(rest.substr(1))) - 1);
    } else if (rest.size() == 1 && rest[0] > ' ' && rest[0] < 0x7F) {
        char vk = rest[0];
        if (vk >= 'a' && vk <= 'z') {
            vk = static_cast<char>(vk - 32);
        }
        if (!w.FormKeyDown(vk)) {
            w.FormKeyPress(rest[0]);
        }
    } else {
        return false;
    }
    return true;
}

// `click` and `menu`: the window's controls and menu entries as the command table lists them; a
// disabled control or entry ignores the click, as it does in the window.
bool ScriptRunner::CommandWord(const std::string& word, const std::string& rest) {
    const Command* command = word == "click" ? CommandByControl(rest) : CommandByMenu(rest);
    if (command == nullptr) {
        return false;
    }
    m_main->Run(*command);
    return true;
}

// `select`, `dblclick`, `delete-result` (result lines) and `delete-point` (the point list).
bool ScriptRunner::ListWord(const std::string& word, const std::string& rest) {
    MainWindow& w = *m_main;
    const auto n = WholeNumber(rest);
    const int count = word == "delete-point" ? w.PointCount() : w.lb1().Count();
    if (!n || *n >= count) {
        return false;
    }
    if (word != "delete-point") {
        w.lb1().SetItemIndex(static_cast<int>(*n));
        if (word == "dblclick") {
            w.lb1DblClick();
        } else if (word == "delete-result") {
            w.lb1KeyDown(kKeyDelete);
        }
    } else {
        w.ListBox1().SetItemIndex(static_cast<int>(*n));
        w.ListBox1KeyDown(kKeyDelete);
    }
    return true;
}

bool ScriptRunner::StatusBarWord(const std::string&, const std::string& rest) {
    if (!rest.empty()) {
        return false;
    }
    m_main->StatusBar1DblClick();
    return true;
}

bool ScriptRunner::EditWord(const std::string&, const std::string& rest) {
    MainWindow& w = *m_main;
    const auto sp = rest.find(' ');
    const std::string name = rest.substr(0, sp);
    const std::string text = sp == std::string::npos ? std::string() : Utf8ToAnsi(rest.substr(sp + 1));
    if (name != "FX" && name != "FY") {
        return false;
    }
    // Typing replaces the selected text character by character, each a change event.
    const auto change = [&](const std::string& t) { name == "FX" ? w.FXChange(t) : w.FYChange(t); };
    change("");
    for (std::size_t i = 1; i <= text.size(); ++i) {
        change(text.substr(0, i));
    }
    name == "FX" ? w.FXExit() : w.FYExit();
    return true;
}

bool ScriptRunner::AnswerWord(const std::string&, const std::string& rest) {
    if (rest != "ok" && rest != "cancel" && rest != "yes" && rest != "no") {
        return false;
    }
    Queue("answer", rest);
    return true;
}

bool ScriptRunner::InputWord(const std::string&, const std::string& rest) {
    Queue("input", Utf8ToAnsi(rest));
    return true;
}

bool ScriptRunner::InputCancelWord(const std::string&, const std::string& rest) {
    if (!rest.empty()) {
        return false;
    }
    Queue("input", std::string(1, '\0'));
    return true;
}

// `choose` and `file`: queued under their own word.
bool ScriptRunner::QueueWord(const std::string& word, const std::string& rest) {
    if (rest.empty() || (word == "choose" && rest != "cancel" && !WholeNumber(rest))) {
        return false;
    }
    Queue(word, Utf8ToAnsi(rest));
    return true;
}

bool ScriptRunner::TextLineWord(const std::string&, const std::string& rest) {
    const auto sp = rest.find(' ');
    const std::string how = rest.substr(0, sp);
    if (how != "append" && how != "insert" && how != "cancel") {
        return false;
    }
    Queue("textline", Utf8ToAnsi(rest));
    return true;
}

bool ScriptRunner::SystemWord(const std::string&, const std::string& rest) {
    // "C A" or "C A L": circle mode and angle mode 0 or 1, the language 0-5.
    const bool modes =
        rest.size() >= 3 && (rest[0] == '0' || rest[0] == '1') && rest[1] == ' ' && (rest[2] == '0' || rest[2] == '1');
    const bool language = rest.size() == 5 && rest[3] == ' ' && rest[4] >= '0' && rest[4] <= '5';
    if (rest != "cancel" && !(modes && (rest.size() == 3 || language))) {
        return false;
    }
    Queue("system", rest);
    return true;
}

bool ScriptRunner::PresetsWord(const std::string&, const std::string& rest) {
    const std::string how = rest.substr(0, rest.find(' '));
    if (how != "ok" && how != "cancel") {
        return false;
    }
    Queue("presets", Utf8ToAnsi(rest));
    return true;
}

bool ScriptRunner::AreaWord(const std::string&, const std::string& rest) {
    if (rest.empty()) {
        return false;
    }
    Queue("area", rest);
    return true;
}

bool ScriptRunner::HeaderWord(const std::string&, const std::string& rest) {
    const std::string how = rest.substr(0, rest.find(' '));
    if (how != "ok" && how != "save" && how != "cancel") {
        return false;
    }
    Queue("header", Utf8ToAnsi(rest));
    return true;
}

bool ScriptRunner::FeatureWord(const std::string&, const std::string& rest) {
    if (rest != "cancel" && rest.size() < 3) {
        return false;
    }
    Queue("feature", Utf8ToAnsi(rest));
    return true;
}

bool ScriptRunner::GeoTolWord(const std::string&, const std::string& rest) {
    if (rest.empty()) {
        return false;
    }
    Queue("geotol", Utf8ToAnsi(rest));
    return true;
}

bool ScriptRunner::EditFeatureWord(const std::string&, const std::string& rest) {
    if (!rest.empty()) {
        return false;
    }
    Session& s = *m_session;
    int choice = 0;
    m_main->Guarded(
        [&] { EditFeature(s.feature, *this, s.settings.Decimals, s.WorkDir(), s.ReadOnlyMedia(), &choice); });
    return true;
}

bool ScriptRunner::PrintWord(const std::string&, const std::string& what) {
    const PrintView* view = PrintViewByName(what);
    if (view == nullptr) {
        return false;
    }
    PrintList(view->name, view->items(*m_main, *m_session));
    return true;
}

void ScriptRunner::PrintList(const std::string& name, const std::vector<std::string>& items) {
    m_out << "--- " << name << " (" << items.size() << ")\n";
    for (const auto& item : items) {
        m_out << AnsiToUtf8(item) << '\n';
    }
    // What is printed has happened: a reader (or a process killed right after) sees it at once.
    m_out.flush();
}

void ScriptRunner::Say(const std::string& ansiText) { m_out << Escaped(AnsiToUtf8(ansiText)) << '\n' << std::flush; }

void ScriptRunner::Shown(const std::string& kind, const std::string& text, const std::string* answer) {
    // What the core composes in German reaches the operator in the loaded language.
    Say(kind + ": " + m_main->texts().Translate(text) + (answer != nullptr ? " -> " + *answer : std::string()));
}

std::string ScriptRunner::Translated(const std::string& german) const { return m_main->texts().Translate(german); }

void ScriptRunner::Unanswered(const std::string& kind, const std::string& text) {
    Say("unanswered: " + kind + " " + text);
    throw ScriptEnd{kScriptUnanswered};
}

void ScriptRunner::Refused(const std::string& note) { Say("bad answer: " + note); }

bool ScriptRunner::ShowFeatureDialog(FeatureDialog& dialog) {
    for (;;) {
        const auto a = Take("feature", "feature", dialog.Text(FeatureDialog::kName));
        if (!a) {
            return false;
        }
        Shown("feature", "Tmrk_set", &*a);
        switch (TypeFeatureAnswer(dialog, *a)) {
            case FeatureTyping::Ok:
                return true;
            case FeatureTyping::Cancel:
                return false;
            case FeatureTyping::Refused:
                Refused("feature " + *a);
                throw ScriptEnd{kScriptBadAction};
            case FeatureTyping::StaysOpen:
                break;  // the error was shown; the next queued answer is typed into the dialog
        }
    }
}

bool ScriptRunner::ShowGeoToleranceDialog(GeoToleranceDialog& dialog) {
    for (;;) {
        const auto a = Take("geotol", "geotol", dialog.Text(GeoToleranceDialog::kName));
        if (!a) {
            return false;
        }
        Shown("geotol", "Tform_lage", &*a);
        switch (TypeGeoToleranceAnswer(dialog, *a)) {
            case GeoTyping::Ok:
                return true;
            case GeoTyping::Cancel:
                return false;
            case GeoTyping::Refused:
                Refused("geotol " + *a);
                throw ScriptEnd{kScriptBadAction};
            case GeoTyping::StaysOpen:
                break;  // the error was shown; the next queued answer is typed into the dialog
        }
    }
}

bool ScriptRunner::WaitForPoints(int count, int /*method*/) {
    const RunState& run = m_session->run;
    while (m_main->PointCount() < count && run.AbortRequested == 0 && !m_main->Closed()) {
        if (!Step()) {
            return false;  // the script ended inside the wait: as if the operator left it
        }
    }
    return m_main->PointCount() >= count;
}

void ScriptRunner::Beep() { m_out << "beep\n"; }

// The calibration steps: "calibrate linear X|Y LENGTH", "calibrate segments X|Y POS POS ..." or
// "calibrate segments X|Y file CSV", "calibrate square [ANGLE]", "calibrate turn", then captures
// as usual, "calibrate next" between the two edges, "calibrate compute", "calibrate save" (the
// details from the next four input answers, then the question), "calibrate cancel".
bool ScriptRunner::CameraWord(const std::string&, const std::string& rest) {
    std::istringstream in(rest);
    std::string step;
    in >> step;
    std::vector<long double> n;
    std::vector<std::string> words;
    for (std::string w; in >> w;) {
        words.push_back(w);
        const NumberRead r = ReadNumberChecked(w);
        n.push_back(r.ok ? r.value : 0);
    }
    const auto numbers = [&](std::size_t count, std::size_t from = 0) {
        if (words.size() != from + count) {
            return false;
        }
        for (std::size_t i = from; i < words.size(); ++i) {
            if (!ReadNumberChecked(words[i]).ok) {
                return false;
            }
        }
        return true;
    };
    const auto seeds = [&](std::size_t from, PixelPoint(&out)[3]) {
        for (int i = 0; i < 3; ++i) {
            out[i] = {static_cast<double>(n[from + 2 * i]), static_cast<double>(n[from + 2 * i + 1])};
        }
    };
    SimulatedCameraSettings& st = m_camera.Settings();
    PixelPoint s[3];
    if (step == "on" && words.empty()) {
        m_video->SetCamera(&m_camera);
    } else if (step == "off" && words.empty()) {
        m_video->SetCamera(nullptr);
    } else if ((step == "stop" || step == "start") && words.empty()) {
        m_camera.SetDelivering(step == "start");
    } else if (step == "at" && numbers(2)) {
        // The stage moves: the camera sees the workpiece there, the readout reads it.
        m_camera.SetStagePosition(static_cast<double>(n[0]), static_cast<double>(n[1]));
        m_readout.SetReading(n[0], n[1]);
    } else if (step == "blur" && numbers(1) && n[0] >= 0 && n[0] <= 10) {
        st.blur = static_cast<double>(n[0]);
    } else if (step == "noise" && numbers(1) && n[0] >= 0 && n[0] <= 100) {
        st.noise = static_cast<double>(n[0]);
    } else if (step == "light" && numbers(1) && n[0] >= 0 && n[0] <= 1) {
        st.light = static_cast<double>(n[0]);
    } else if (step == "contrast" && numbers(2) && n[0] >= 0 && n[1] <= 255) {
        st.dark = static_cast<double>(n[0]);
        st.bright = static_cast<double>(n[1]);
    } else if (step == "pixel" && numbers(2) && n[0] > 0 && n[1] > 0 && n[0] < 1000 && n[1] < 1000) {
        st.scale.pixelX = static_cast<double>(n[0]) / 1000;
        st.scale.pixelY = static_cast<double>(n[1]) / 1000;
    } else if (step == "rotation" && numbers(1) && n[0] > -180 && n[0] <= 180) {
        st.scale.rotation = static_cast<double>(n[0]);
    } else if (step == "size" && numbers(2) && n[0] >= 16 && n[1] >= 16 && n[0] <= 4096 && n[1] <= 4096) {
        st.width = static_cast<int>(n[0]);
        st.height = static_cast<int>(n[1]);
    } else if (step == "sample" && words.empty()) {
        m_camera.SetWorkpiece(SampleWorkpiece());
    } else if (step == "standard" && numbers(3) && n[0] > 0) {
        m_camera.SetWorkpiece(
            CertifiedCircle(static_cast<double>(n[0]), static_cast<double>(n[1]), static_cast<double>(n[2])));
    } else if (step == "edge" && numbers(2)) {
        (void)m_video->Edge({static_cast<double>(n[0]), static_cast<double>(n[1])});
    } else if (step == "circle" && numbers(7) && n[0] >= 3 && n[0] <= 50) {
        seeds(1, s);
        (void)m_video->Circle(s, static_cast<int>(n[0]));
    } else if (step == "calibrate" && words.size() == 9 && words[0] == "start" && numbers(6, 3) &&
               ReadNumberChecked(words[1]).ok) {
        seeds(3, s);
        (void)m_video->CalibrateStart(static_cast<double>(n[1]), Utf8ToAnsi(words[2]), s);
    } else if (step == "calibrate" && words.size() == 7 && words[0] == "finish" && numbers(6, 1)) {
        seeds(1, s);
        (void)m_video->CalibrateFinish(s);
    } else if (step == "status" && words.empty()) {
        Say(Ansi("camera: ") + (m_video->GetCamera() != nullptr ? m_camera.Name() : Ansi("keine")));
        Say(m_video->CalibrationText());
    } else {
        return false;
    }
    return true;
}

bool ScriptRunner::CalibrateWord(const std::string&, const std::string& rest) {
    MainWindow& w = *m_main;
    std::istringstream in(rest);
    std::string step;
    in >> step;
    const auto numbers = [&in](std::vector<long double>& out) {
        std::string word;
        while (in >> word) {
            const NumberRead n = ReadNumberChecked(word);
            if (!n.ok) {
                return false;
            }
            out.push_back(n.value);
        }
        return true;
    };
    if (step == "linear" || step == "segments") {
        std::string axis;
        in >> axis;
        if (axis != "X" && axis != "Y") {
            return false;
        }
        std::vector<long double> certified;
        std::string first;
        const auto start = in.tellg();
        if (step == "segments" && (in >> first) && first == "file") {
            std::string name;
            std::getline(in, name);
            std::string problem;
            const auto positions = ReadCertificateCsv(m_session->WorkFile(Utf8ToAnsi(Trimmed(name))), problem);
            if (!positions) {
                Shown("error", w.texts().Compose(kMsgCalCertificate, {problem}), nullptr);
                return true;
            }
            certified = *positions;
        } else {
            in.clear();
            in.seekg(start);
            if (!numbers(certified) || certified.empty() || (step == "linear" && certified.size() != 1)) {
                return false;
            }
        }
        w.StartCalibration(step == "linear" ? CalibrationKind::Linear : CalibrationKind::Segments, axis == "X" ? 0 : 1,
                           certified);
        return true;
    }
    if (step == "square" || step == "turn") {
        std::vector<long double> angle;
        if (!numbers(angle) || angle.size() > 1 || (step == "turn" && !angle.empty())) {
            return false;
        }
        w.StartCalibration(step == "square" ? CalibrationKind::Square : CalibrationKind::Turn, 0,
                           angle.empty() ? std::vector<long double>{90} : angle);
        return true;
    }
    if (step == "grid") {
        std::vector<long double> shape;
        if (!numbers(shape) || shape.size() != 4) {
            return false;
        }
        w.StartCalibration(CalibrationKind::Grid, 0, shape);
        return true;
    }
    std::string more;
    if (in >> more) {
        return false;
    }
    if (step == "next") {
        (void)w.CalibrationNextEdge();
    } else if (step == "compute") {
        (void)w.ComputeCalibration();
    } else if (step == "save") {
        CalibrationRecord details;
        if (w.AskCalibrationDetails(details)) {
            (void)w.SaveCalibration(details);
        }
    } else if (step == "cancel") {
        w.CancelCalibration();
    } else {
        return false;
    }
    return true;
}

}  // namespace tarvo
