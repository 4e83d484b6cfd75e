#include "programs/runner.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/cp1252.h"
#include "base/text.h"
#include "coords/coordsystem.h"
#include "data/commandcontext.h"
#include "data/resultcommands.h"
#include "elements/measure.h"
#include "elements/reference.h"
#include "programs/comparison.h"
#include "programs/recorder.h"

namespace tarvo {

namespace {

// The dispatch words, in the order the runner compares them with the upper-cased line; a line
// runs every word it begins with.
enum class Word {
    GetPoint,
    Kreis,
    Text,
    Abstand2P,
    AbstandGP,
    AbstandXY,
    Winkel,
    Gerade,
    Punkt,
    Symg,
    KrAbruf,
    Abruf,
    SollistV,
    SollistP,
    SollistA,
    Spdrucken,
    Aar0,
    Aarvx,
    Aarvy,
    Aarvw,
    Aar2g,
    Aar1g,
    Aarkg,
    Ascii,
    Pkt,
    KrMode,
    WiMode,
    KrBezug,
    GeBezug,
    NullX,
    NullY,
    Flaeche,
    Sf1,
    Spkg,
    Spkk,
    Aarpn,
};
struct WordEntry {
    const char* upper;
    Word word;
};
const WordEntry kWords[] = {
    {"GETPOINT", Word::GetPoint},
    {"KREIS", Word::Kreis},
    {"TEXT", Word::Text},
    {"ABSTAND2P", Word::Abstand2P},
    {"ABSTANDGP", Word::AbstandGP},
    {"ABSTANDXY", Word::AbstandXY},
    {"WINKEL", Word::Winkel},
    {"GERADE", Word::Gerade},
    {"PUNKT", Word::Punkt},
    {"SYMG", Word::Symg},
    {"KR-ABRUF", Word::KrAbruf},
    {"ABRUF", Word::Abruf},
    {"SOLLIST-V", Word::SollistV},
    {"SOLLIST-P", Word::SollistP},
    {"SOLLIST-A", Word::SollistA},
    {"SPDRUCKEN", Word::Spdrucken},
    {"AAR0", Word::Aar0},
    {"AARVX", Word::Aarvx},
    {"AARVY", Word::Aarvy},
    {"AARVW", Word::Aarvw},
    {"AAR2G", Word::Aar2g},
    {"AAR1G", Word::Aar1g},
    {"AARKG", Word::Aarkg},
    {"ASCII", Word::Ascii},
    {"PKT", Word::Pkt},
    {"KRMODE", Word::KrMode},
    {"WIMODE", Word::WiMode},
    {"KRBEZUG:", Word::KrBezug},
    {"GEBEZUG:", Word::GeBezug},
    {"NULLX", Word::NullX},
    {"NULLY", Word::NullY},
    {"FLAECHE", Word::Flaeche},
    {"SF1", Word::Sf1},
    {"SPKG", Word::Spkg},
    {"SPKK", Word::Spkk},
    {"AARPN:", Word::Aarpn},
};

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// A field as a whole number, rounded; nothing when it is no number or far out of range.
std::optional<long long> Rounded(const ProgramLine& p, std::size_t field) {
    if (field > p.count || !p.Value[field] || std::fabs(*p.Value[field]) > 1e9L) {
        return std::nullopt;
    }
    return std::llround(*p.Value[field]);
}

}  // namespace

void ProgramRunner::RunProgram() {
    // While a line of the run is busy (a measuring line waiting for points inside), the button
    // neither starts a second run over this one nor skips what that line waits for.
    if (m_ctx.Recording() || m_ctx.run.RunLineBusy) {
        return;
    }
    if (m_resumeLine < 0) {
        if (StartRun()) {
            Continue(0);
        }
        return;
    }
    // Going on by hand: a wait ends without a point; a line that stopped the run runs again.
    const bool waiting = m_timer.Enabled();
    m_timer.SetEnabled(false);
    Continue(waiting ? m_resumeLine + 1 : m_resumeLine);
}

void ProgramRunner::WaitTick() {
    if (m_resumeLine < 0) {
        m_timer.SetEnabled(false);
        return;
    }
    if (m_ctx.PointCount() > m_waitPointCount) {
        m_timer.SetEnabled(false);
        // This GETPOINT took one point; a second one captured within the same tick belongs to
        // the next GETPOINT line.
        m_taken = m_waitPointCount + 1;
        Continue(m_resumeLine + 1);
    } else if (m_ctx.run.AbortRequested != 0) {
        // Esc during the wait: the line in question is the wait itself. No waits again for the
        // same point; the line after it runs once, when the point has come.
        m_timer.SetEnabled(false);
        if (m_ctx.op.Ask(m_ctx.UiText(kTextAbortTeachIn), Buttons::YesNo)) {
            Finish(true);
            return;
        }
        m_ctx.run.AbortRequested = 0;
        Wait(m_resumeLine);
    }
}

void ProgramRunner::Cancel() {
    if (m_resumeLine < 0 && !m_ctx.run.ProgramRunning) {
        return;
    }
    m_timer.SetEnabled(false);
    m_ctx.changes.PanelText.Notify(2, "");
    m_ctx.changes.Prompt.Notify("");
    m_ctx.run.ProgramRunning = false;
    if (Journal != nullptr) {
        Journal->EndPart(false);
    }
    RestoreResultList(m_ctx);
    m_ctx.ClearPoints();
    m_ctx.run.AbortRequested = 0;
    m_resumeLine = -1;
}

bool ProgramRunner::StartRun() {
    m_ctx.run.AbortRequested = 0;
    if (!SetListAside(m_ctx)) {
        return false;  // without the copy the list could not be given back after the run
    }
    m_ctx.run.ProgramRunning = true;
    m_ctx.run.RunCircleReference = kOwnReference;  // programs without reference lines evaluate so
    m_ctx.run.RunLineReference = kOwnReference;
    m_ctx.results.Clear();
    const auto name = m_ctx.op.ChooseFile(ProgramDialog(false));
    if (!name) {
        m_ctx.run.ProgramRunning = false;
        RestoreResultList(m_ctx);
        m_ctx.changes.PanelText.Notify(0, "");
        return false;
    }
    const auto file = m_ctx.folder.File(*name);
    const auto lines = ReadTextLines(file);
    if (!lines) {
        TellFileNotes();  // why it cannot be read comes first
        m_ctx.op.ShowError(Ansi("Die Datei \"") + file.filename().string() + Ansi("\" kann nicht gelesen werden"));
        m_ctx.run.ProgramRunning = false;
        RestoreResultList(m_ctx);
        return false;
    }
    m_ctx.program = *lines;
    m_ctx.ClearPoints();
    if (m_ctx.program.empty()) {
        m_ctx.op.ShowInfo("Nichts zu tun");
        m_ctx.run.ProgramRunning = false;
        RestoreResultList(m_ctx);
        return false;
    }
    Settings& s = m_ctx.settings;
    if ((s.OffsetX != 0 || s.OffsetY != 0 || s.OffsetW != 0) &&
        m_ctx.op.Ask(m_ctx.UiText(kTextResetCoordinates), Buttons::YesNo)) {
        s.OffsetX = 0;
        s.OffsetY = 0;
        s.OffsetW = 0;
    }
    m_prompt.clear();
    if (Journal != nullptr) {
        Journal->StartPart(file.filename().string());
    }
    return true;
}

void ProgramRunner::Continue(int line) {
    m_ctx.run.ProgramRunning = true;
    int current = line;
    while (current < static_cast<int>(m_ctx.program.size())) {
        const Step step = ExecuteBusy(current);
        m_ctx.run.ReplayChoice = 0;  // a preset never outlives its line
        if (step == Step::Wait || step == Step::Stop) {
            return;
        }
        if (m_ctx.run.AbortRequested != 0) {
            if (m_ctx.op.Ask(m_ctx.UiText(kTextAbortTeachIn), Buttons::YesNo)) {
                Finish(true);
                return;
            }
            m_ctx.run.AbortRequested = 0;
            continue;  // the same line once more
        }
        ++current;
    }
    Finish(false);
}

ProgramRunner::Step ProgramRunner::ExecuteBusy(int index) {
    struct Busy {
        bool& flag;
        explicit Busy(bool& f) : flag(f) { flag = true; }
        ~Busy() { flag = false; }
    } busy(m_ctx.run.RunLineBusy);
    return Execute(index);
}

ProgramRunner::Step ProgramRunner::Execute(int index) {
    const std::string& line = m_ctx.program[static_cast<std::size_t>(index)];
    m_ctx.changes.PanelText.Notify(2, line);
    const ProgramLine p = ParseProgramLine(line);
    const std::string upper = UpperCaseOem(line);
    const Step step = Dispatch(upper, p, index);
    if (step != Step::Wait) {
        m_taken = -1;
    }
    return step;
}

ProgramRunner::Step ProgramRunner::Dispatch(const std::string& upper, const ProgramLine& p, int index) {
    CommandContext& c = m_ctx;
    bool known = false;
    for (const WordEntry& e : kWords) {
        if (!StartsWith(upper, e.upper)) {
            continue;
        }
        known = true;
        switch (e.word) {
            case Word::GetPoint:
                if (c.run.AbortRequested == 0) {
                    Wait(index);
                    return Step::Wait;
                }
                break;
            case Word::Kreis:
                EvaluateCircle(c);
                break;
            case Word::Text:
                c.ListText(p.Rest[1]);
                m_prompt = p.Rest[1] + " " + c.UiText(kTextEscAborts);
                break;
            case Word::Abstand2P:
                DistanceTwoPoints(c);
                break;
            case Word::AbstandGP:
                DistanceLinePoint(c);
                break;
            case Word::AbstandXY:
                if (Preset(p, 2, index)) {
                    AxisDistanceCommand(c);
                }
                break;
            case Word::Winkel:
                if (Preset(p, 4, index)) {
                    AngleBetweenLines(c);
                }
                break;
            case Word::Gerade:
                if (Preset(p, 4, index)) {
                    LineCommand(c);
                }
                break;
            case Word::Punkt:
                PointCommand(c);
                break;
            case Word::Symg:
                SymmetryLineCommand(c);
                break;
            case Word::KrAbruf:
                if (const int i = ResultIndex(p, index); i >= 0) {
                    if (HasResultName(c.results.Line(i), 0, c.texts)) {
                        RecallCircle(c, i);
                    } else {
                        Skip(index, Ansi("Speicherzeile ") + std::to_string(i + 1) + Ansi(" ist kein Kreis"));
                    }
                }
                break;
            case Word::Abruf:
                if (const int i = ResultIndex(p, index); i >= 0) {
                    if (RecallPosition(c, i) && c.settings.SiemensMode != 0) {
                        c.op.ShowInfo("#");
                    }
                }
                break;
            case Word::SollistV:
            case Word::SollistP:
            case Word::SollistA:
                if (const auto why = ReplayComparison(c, upper, p, Journal)) {
                    Skip(index, *why);
                }
                break;
            case Word::Spdrucken:
                if (OnPrint) {
                    OnPrint();
                }
                break;
            case Word::Aar0:
                (void)RunCoordinateEntry(c, kReset);
                break;
            case Word::Aarvx:
            case Word::Aarvy:
                if (p.Value[1]) {
                    ApplyOffset(c, e.word == Word::Aarvx ? 0 : 1, *p.Value[1]);
                } else {
                    Skip(index, Ansi("kein Versatz angegeben"));
                }
                break;
            case Word::Aarvw:
                // The angle offset taught in is applied again, as the entry "Koordinatensystem
                // drehen" did, so the replay measures in the system the program was taught in.
                if (p.Value[1]) {
                    ApplyRotation(c, *p.Value[1]);
                } else {
                    Skip(index, Ansi("kein Winkel angegeben"));
                }
                break;
            case Word::Aar2g:
            case Word::Aar1g:
            case Word::Aarkg: {
                const bool two = e.word == Word::Aar2g;
                if (c.PointCount() < (two ? 4 : 2)) {
                    c.op.ShowInfo(c.UiText(kTextTooFewPoints));
                    c.changes.PanelText.Notify(0, "");
                    return Stop(index);
                }
                if (Preset(p, two ? 4 : 2, index)) {
                    (void)RunCoordinateEntry(c, two                     ? kAlignTwoLines
                                                : e.word == Word::Aar1g ? kAlignLine
                                                                        : kAlignPointLine);
                }
                break;
            }
            case Word::Ascii:
                if (OnAsciiExport) {
                    OnAsciiExport(p.Rest[1]);
                }
                break;
            case Word::Pkt:
                if (p.Value[1] && p.Value[2]) {
                    ListEnteredPoint(c, *p.Value[1], *p.Value[2]);
                } else {
                    Skip(index, Ansi("keine Koordinaten angegeben"));
                }
                break;
            case Word::KrMode:
            case Word::WiMode:
                if (const auto v = Rounded(p, 1); v && (*v == 0 || *v == 1)) {
                    (e.word == Word::KrMode ? c.settings.CircleMode : c.settings.AngleMode) =
                        static_cast<std::uint8_t>(*v);
                } else {
                    Skip(index, Ansi("Modus 0 oder 1 erwartet"));
                }
                break;
            case Word::KrBezug:
            case Word::GeBezug:
                if (!ReplayReference(c, e.word == Word::KrBezug ? ReferenceKind::Circle : ReferenceKind::Line,
                                     std::string_view(upper).substr(std::string_view("KRBEZUG:").size()))) {
                    Skip(index, c.texts.Compose(kMsgUnknownReference, {}));
                }
                break;
            case Word::NullX:
            case Word::NullY: {
                (void)Zero(c, e.word == Word::NullX ? 0 : 1, ZeroSource::Chooser);
                break;
            }
            case Word::Flaeche:
                if (OnArea) {
                    OnArea();
                }
                break;
            case Word::Sf1:
                // With the line it was taught on; a line without one takes the selected line.
                if (p.count == 0) {
                    AreaFromStoredCircle(c);
                } else if (const int i = ResultIndex(p, index); i >= 0 && !AreaOfCircleLine(c, i)) {
                    Skip(index, Ansi("Speicherzeile ") + std::to_string(i + 1) + Ansi(" ist kein Kreis"));
                }
                break;
            case Word::Spkg:
                IntersectCircleLineCommand(c);
                break;
            case Word::Spkk:
                IntersectCirclesCommand(c);
                break;
            case Word::Aarpn:
                if (c.run.AbortRequested != 0 || c.PointCount() == 0) {
                    if (c.PointCount() == 0) {
                        c.op.ShowInfo(c.UiText(kTextTooFewPoints));
                    }
                    return Stop(index);
                }
                (void)RunCoordinateEntry(c, kZeroPoint);
                break;
        }
    }
    // A word the runner does not know (a typo) is said; a blank line stays silent.
    if (!known && !RemoveSpaces(upper).empty()) {
        const std::string w = upper.substr(0, upper.find(':'));
        Skip(index, Ansi("unbekanntes Wort \"") + w.substr(0, 20) + "\"");
    }
    return Step::Next;
}

void ProgramRunner::Wait(int index) {
    int due = 0;
    for (std::size_t i = static_cast<std::size_t>(index); i < m_ctx.program.size(); ++i) {
        if (UpperCaseOem(m_ctx.program[i]).rfind("GETPOINT", 0) != 0) {
            break;
        }
        ++due;
    }
    m_ctx.changes.Prompt.Notify(std::to_string(due) + " " + m_prompt);
    m_resumeLine = index;
    m_waitPointCount = m_taken >= 0 ? std::min(m_taken, m_ctx.PointCount()) : m_ctx.PointCount();
    m_taken = -1;
    m_timer.SetEnabled(true);
}

ProgramRunner::Step ProgramRunner::Stop(int index) {
    m_timer.SetEnabled(false);
    // After Esc the operator is asked, so a run can always be ended.
    if (m_ctx.run.AbortRequested != 0) {
        if (m_ctx.op.Ask(m_ctx.UiText(kTextAbortTeachIn), Buttons::YesNo)) {
            Finish(true);
            return Step::Stop;
        }
        m_ctx.run.AbortRequested = 0;
    }
    // The run stops at this line without ending: the operator captures what is missing and the
    // run button tries the line again.
    m_resumeLine = index;
    return Step::Stop;
}

void ProgramRunner::Finish(bool aborted) {
    m_timer.SetEnabled(false);
    m_ctx.changes.PanelText.Notify(2, "");
    m_ctx.changes.Prompt.Notify("");
    // What the part got, said before the list before the run comes back; the box stays until
    // the operator closes it.
    int good = 0;
    int bad = 0;
    for (const std::string& line : m_ctx.results.Lines()) {
        if (const auto judged = BarJudgement(line)) {
            ++(*judged ? good : bad);
        }
    }
    m_ctx.op.ShowInfo(
        m_ctx.UiText(aborted ? kTextRunAborted : kTextRunFinished) + "\n" +
        m_ctx.texts.Compose(kMsgRunSummary, {std::to_string(m_ctx.results.Count()), std::to_string(good + bad),
                                             std::to_string(good), std::to_string(bad)}));
    m_ctx.run.ProgramRunning = false;
    if (Journal != nullptr) {
        Journal->EndPart(!aborted);
    }
    RestoreResultList(m_ctx);
    m_ctx.changes.PanelText.Notify(aborted ? 1 : 0, "");
    m_ctx.ClearPoints();
    m_ctx.run.AbortRequested = 0;
    m_resumeLine = -1;
}

bool ProgramRunner::Preset(const ProgramLine& p, int count, int index) {
    const auto v = Rounded(p, 1);
    if (!v || *v < 1 || *v > count) {
        Skip(index, Ansi("Auswahl ") + (p.count >= 1 ? p.Param[1] : std::string()) + Ansi(" gibt es nicht"));
        // The points captured for this measurement are not left to the next one.
        m_ctx.ClearPoints();
        return false;
    }
    m_ctx.run.ReplayChoice = static_cast<std::uint8_t>(*v);
    return true;
}

int ProgramRunner::ResultIndex(const ProgramLine& p, int index) {
    const auto v = Rounded(p, 1);
    if (!v || *v < 0 || *v >= m_ctx.results.Count()) {
        // Named as the list numbers its lines (from 1); the file counts from 0.
        Skip(index, Ansi("Speicherzeile ") +
                        (v              ? std::to_string(*v + 1)
                         : p.count >= 1 ? p.Param[1]
                                        : std::string()) +
                        Ansi(" gibt es nicht"));
        return -1;
    }
    return static_cast<int>(*v);
}

void ProgramRunner::Skip(int index, const std::string& why) {
    m_ctx.op.ShowError(Ansi("Programmzeile ") + std::to_string(index + 1) + Ansi(" übersprungen: ") + why);
}

}  // namespace tarvo
