#include "scriptrunner.h"

#include <charconv>
#include <istream>
#include <sstream>
#include <ostream>

#include "data/feature.h"
#include "views/elementgraphic.h"
#include "readout/interfaceprofile.h"
#include "base/cp1252.h"
#include "app/mainwindow.h"
#include "app/session.h"
#include "base/text.h"

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
      m_session(std::make_unique<Session>(static_cast<Operator&>(*this), clock, std::move(workDir), std::move(driveRoot))),
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
    m_main->ShowElementGraphic.Attach(m_showGraphic);
    m_main->JournalSaid.Attach(m_journalSaid);
}

void ScriptRunner::SetJournal(JournalStore* store, std::string station, std::string operatorName) {
    m_session->journal = store;
    m_session->journalStation = std::move(station);
    m_session->journalOperator = std::move(operatorName);
}

bool ScriptRunner::JournalWord(const std::string& rest) {
    JournalStore* store = m_session->journal;
    const auto sp = rest.find(' ');
    const std::string what = rest.substr(0, sp);
    const std::string arg = sp == std::string::npos ? std::string() : Trimmed(rest.substr(sp + 1));
    if (what != "parts" && what != "rows" && what != "stats") {
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
        if (const auto a = store->Aggregates(f)) {
            items = StatisticsText(DeriveStatistics(*a));
        }
    }
    m_main->ReportJournalNotes();
    PrintList("journal " + what, items);
    return true;
}

// The contour converter's window, headless: `converter open FILE`, `converter menu CAPTION`,
// `converter check Geraden|Radius 0|1`, `converter delete LIST N`, `converter print LIST`.
bool ScriptRunner::Converter(const std::string& rest) {
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

bool ScriptRunner::Action(const std::string& word, const std::string& rest) {
    MainWindow& w = *m_main;
    if (word == "point") {
        const auto xy = TwoNumbers(rest);
        if (!xy) {
            return false;
        }
        m_session->run.CurrentPos = {xy->first, xy->second};
        w.FormKeyDown(kKeySpace);
        return true;
    }
    if (word == "readout") {
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
    if (word == "push") {
        m_readout.Push(Utf8ToAnsi(rest));
        return true;
    }
    if (word == "wait") {
        const auto ms = WholeNumber(rest);
        if (!ms) {
            return false;
        }
        m_session->timers.Advance(*ms);
        return true;
    }
    if (word == "key") {
        if (rest == "Space") {
            w.FormKeyDown(kKeySpace);
        } else if (rest == "Esc") {
            if (!w.FormKeyDown(kKeyEscape)) {
                w.FormKeyPress(static_cast<char>(kKeyEscape));
            }
        } else if (rest.size() >= 2 && rest[0] == 'F' && WholeNumber(rest.substr(1)) &&
                   *WholeNumber(rest.substr(1)) >= 1 && *WholeNumber(rest.substr(1)) <= 12) {
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
    if (word == "click" || word == "menu") {
        // The window's controls and menu entries as the command table lists them; a disabled
        // control or entry ignores the click, as it does in the window.
        const Command* command = word == "click" ? CommandByControl(rest) : CommandByMenu(rest);
        if (command == nullptr) {
            return false;
        }
        w.Run(*command);
        return true;
    }
    if (word == "select" || word == "delete-point" || word == "dblclick" || word == "delete-result") {
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
    if (word == "statusbar-dblclick" && rest.empty()) {
        w.StatusBar1DblClick();
        return true;
    }
    if (word == "edit") {
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
    if (word == "answer") {
        if (rest != "ok" && rest != "cancel" && rest != "yes" && rest != "no") {
            return false;
        }
        Queue("answer", rest);
        return true;
    }
    if (word == "input") {
        Queue("input", Utf8ToAnsi(rest));
        return true;
    }
    if (word == "input-cancel" && rest.empty()) {
        Queue("input", std::string(1, '\0'));
        return true;
    }
    if (word == "choose" || word == "file") {
        if (rest.empty() || (word == "choose" && rest != "cancel" && !WholeNumber(rest))) {
            return false;
        }
        Queue(word, Utf8ToAnsi(rest));
        return true;
    }
    if (word == "textline") {
        const auto sp = rest.find(' ');
        const std::string how = rest.substr(0, sp);
        if (how != "append" && how != "insert" && how != "cancel") {
            return false;
        }
        Queue("textline", Utf8ToAnsi(rest));
        return true;
    }
    if (word == "system") {
        // "C A" or "C A L": circle mode and angle mode 0 or 1, the language 0-5.
        const bool modes = rest.size() >= 3 && (rest[0] == '0' || rest[0] == '1') && rest[1] == ' ' &&
                           (rest[2] == '0' || rest[2] == '1');
        const bool language = rest.size() == 5 && rest[3] == ' ' && rest[4] >= '0' && rest[4] <= '5';
        if (rest != "cancel" && !(modes && (rest.size() == 3 || language))) {
            return false;
        }
        Queue("system", rest);
        return true;
    }
    if (word == "converter") {
        return Converter(rest);
    }
    if (word == "journal") {
        return JournalWord(rest);
    }
    if (word == "presets") {
        const std::string how = rest.substr(0, rest.find(' '));
        if (how != "ok" && how != "cancel") {
            return false;
        }
        Queue("presets", Utf8ToAnsi(rest));
        return true;
    }
    if (word == "area") {
        if (rest.empty()) {
            return false;
        }
        Queue("area", rest);
        return true;
    }
    if (word == "header") {
        const std::string how = rest.substr(0, rest.find(' '));
        if (how != "ok" && how != "save" && how != "cancel") {
            return false;
        }
        Queue("header", Utf8ToAnsi(rest));
        return true;
    }
    if (word == "feature") {
        if (rest != "cancel" && rest.size() < 3) {
            return false;
        }
        Queue("feature", Utf8ToAnsi(rest));
        return true;
    }
    if (word == "edit-feature" && rest.empty()) {
        Session& s = *m_session;
        int choice = 0;
        w.Guarded([&] {
            EditFeature(s.feature, *this, s.settings.Decimals, s.WorkDir(), s.ReadOnlyMedia(), &choice);
        });
        return true;
    }
    if (word == "print") {
        return Print(rest);
    }
    return false;
}

bool ScriptRunner::Print(const std::string& what) {
    MainWindow& w = *m_main;
    if (what == "points") {
        PrintList("points", w.ListBox1().Items());
    } else if (what == "results") {
        PrintList("results", w.lb1().Lines());
    } else if (what == "program") {
        PrintList("program", w.LB_list());
    } else if (what == "settings") {
        PrintList("settings", SettingsListing(m_session->settings, m_session->run));
    } else if (what == "status") {
        PrintList("status", {"Panel0=" + w.StatusPanels[0], "Panel1=" + w.StatusPanels[1],
                             "Panel2=" + w.StatusPanels[2], "LV1=" + w.LV1, "LV2=" + w.LV2,
                             std::string("Label1=") + (w.Label1Visible ? "visible" : "hidden"),
                             "Label5=" + w.Label5, "Caption=" + w.Caption});
    } else if (what == "prompt") {
        PrintList("prompt", {w.Label1});
    } else if (what == "feature") {
        const FeatureDef& f = m_session->feature;
        const auto r = [](long double v) { return RealText(v); };
        PrintList("feature", {"Name=" + f.Name, "Nominal=" + r(f.Nominal), "UpperTol=" + r(f.UpperTol),
                              "LowerTol=" + r(f.LowerTol), "Factor=" + r(f.Factor), "PosX=" + r(f.PosX),
                              "PosY=" + r(f.PosY), "PosTol=" + r(f.PosTol), "Kind=" + std::to_string(f.Kind)});
    } else if (what == "header") {
        const auto& v = m_session->header.values;
        PrintList("header", std::vector<std::string>(v.begin(), v.end()));
    } else if (what == "timers") {
        std::vector<std::string> items;
        for (const auto& t : m_session->timers.All()) {
            items.push_back(t->Name() + "=" + std::to_string(t->Interval()) + (t->Enabled() ? " enabled" : " disabled"));
        }
        PrintList("timers", items);
    } else {
        return false;
    }
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
        std::istringstream words(*a);
        std::vector<std::string> f;
        for (std::string word; words >> word;) {
            f.push_back(word);
        }
        Shown("feature", "Tmrk_set", &*a);
        if (f.size() == 1 && f[0] == "cancel") {
            return false;
        }
        // Typed as the operator would: the page, the name, each field, leaving "Nennwert".
        const bool variable = f[0] == "V" && (f.size() == 5 || f.size() == 6);
        const bool position = f[0] == "P" && f.size() == 5;
        const bool attributive = f[0] == "A" && f.size() == 3 && (f[2] == "good" || f[2] == "bad");
        if (!variable && !position && !attributive) {
            Refused("feature " + *a);
            throw ScriptEnd{kScriptBadAction};
        }
        dialog.Text(FeatureDialog::kName) = f[1];
        if (variable) {
            dialog.SetPage(FeatureDialog::kVariabel);
            dialog.Text(FeatureDialog::kNennwert) = f[2];
            dialog.NennwertExit();
            // A size with a class fills OT and UT itself; typed values are taken as they come.
            if (f[3] != "-") {
                dialog.Text(FeatureDialog::kOT) = f[3];
            }
            if (f[4] != "-") {
                dialog.Text(FeatureDialog::kUT) = f[4];
            }
            if (f.size() == 6) {
                dialog.Text(FeatureDialog::kFaktor) = f[5];
            }
        } else if (position) {
            dialog.SetPage(FeatureDialog::kPosition);
            dialog.Text(FeatureDialog::kPositionX) = f[2];
            dialog.Text(FeatureDialog::kPositionY) = f[3];
            dialog.Text(FeatureDialog::kToleranz) = f[4];
        } else {
            dialog.SetPage(FeatureDialog::kAttributiv);
            dialog.choice = f[2] == "bad" ? 1 : 0;
        }
        switch (dialog.Ok()) {
            case FeatureDialog::Closing::Ok:
                return true;
            case FeatureDialog::Closing::Cancel:
                return false;
            case FeatureDialog::Closing::StaysOpen:
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

}  // namespace tarvo
