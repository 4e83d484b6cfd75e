#include "programs/runner.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "base/cp1252.h"
#include "base/text.h"
#include "coords/coordsystem.h"
#include "data/commandcontext.h"
#include "data/resultcommands.h"
#include "elements/measure.h"
#include "elements/reference.h"
#include "programs/comparison.h"
#include "programs/geocompare.h"
#include "programs/recorder.h"

namespace tarvo {

namespace {

// A line is of a word when it begins with the word up to its colon, whatever the case.
bool OfWord(const std::string& upper, std::string_view word) {
    const std::string key = UpperCaseOem(std::string(word.substr(0, word.find(':'))));
    return upper.rfind(key, 0) == 0;
}

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
        // The header data's field labelled "Teilename" names the part when it is filled.
        std::string partName;
        for (std::size_t i = 0; i < kHeaderFields; ++i) {
            if (RemoveSpaces(m_ctx.header.labels[i]) == RemoveSpaces(m_ctx.UiText(kTextPartName))) {
                partName = m_ctx.header.values[i];
            }
        }
        Journal->StartPart(file.filename().string(), partName);
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

// What a replay works on: the line upper-cased and parsed, its index and the word it is of.
struct ProgramRunner::Line {
    const std::string& upper;
    const ProgramLine& p;
    int index;
    std::string_view word;
};

// The words the runner replays itself, or through their command with the recorded choice answered
// first, in the order it compares them with a line (a line runs every word it begins with). The
// other words are replayed by the commands registered for them, compared after these in the
// order of registration.
struct ProgramRunner::Word {
    std::string_view word;
    int choices;
    Step (ProgramRunner::*own)(const Line&);
};

namespace {
using R = ProgramRunner;
}  // namespace

std::span<const ProgramRunner::Word> ProgramRunner::Words() {
    static const Word kWords[] = {
        {word::kGetPoint, 0, &R::ReplayGetPoint},
        // A point probed again in the camera's picture (a circle probe recorded a line a point).
        {word::kVideoEdge, 0, &R::ReplayGetPoint},
        {word::kVideoCircle, 0, &R::ReplayGetPoint},
        {word::kText, 0, &R::ReplayText},
        {word::kAxisDistance, 2, nullptr},
        {word::kAngle, 4, nullptr},
        {word::kLine, 4, nullptr},
        {word::kCircleRecall, 0, &R::ReplayCircleRecall},
        {word::kRecall, 0, &R::ReplayRecall},
        {word::kCompareVariable, 0, &R::ReplayComparison},
        {word::kComparePosition, 0, &R::ReplayComparison},
        {word::kCompareAttribute, 0, &R::ReplayComparison},
        {word::kCircleReference, 0, &R::ReplayReference},
        {word::kLineReference, 0, &R::ReplayReference},
        {word::kGeoPosition, 0, &R::ReplayGeoTolerance},
        {word::kGeoRoundness, 0, &R::ReplayGeoTolerance},
        {word::kGeoStraightness, 0, &R::ReplayGeoTolerance},
        {word::kGeoParallelism, 0, &R::ReplayGeoTolerance},
        {word::kGeoPerpendicularity, 0, &R::ReplayGeoTolerance},
        {word::kGeoAngularity, 0, &R::ReplayGeoTolerance},
        {word::kGeoConcentricity, 0, &R::ReplayGeoTolerance},
        {word::kReset, 0, &R::ReplayReset},
        {word::kOffsetX, 0, &R::ReplayOffset},
        {word::kOffsetY, 0, &R::ReplayOffset},
        {word::kRotate, 0, &R::ReplayRotation},
        {word::kAlignTwoLines, 0, &R::ReplayAlignment},
        {word::kAlignLine, 0, &R::ReplayAlignment},
        {word::kAlignCircleLine, 0, &R::ReplayAlignment},
        {word::kPointEntry, 0, &R::ReplayPointEntry},
        {word::kCircleMode, 0, &R::ReplayMode},
        {word::kAngleMode, 0, &R::ReplayMode},
        {word::kZeroX, 0, &R::ReplayZero},
        {word::kZeroY, 0, &R::ReplayZero},
        {word::kAreaFromCircle, 0, &R::ReplayAreaFromCircle},
        {word::kZeroPoint, 0, &R::ReplayZeroPoint},
    };
    return kWords;
}

void ProgramRunner::Register(std::string_view word, std::function<void(const ProgramLine&)> command) {
    if (Command(word) == nullptr) {
        m_commands.emplace_back(std::string(word), std::move(command));
    }
}

const std::function<void(const ProgramLine&)>* ProgramRunner::Command(std::string_view word) const {
    for (const auto& [registered, command] : m_commands) {
        if (registered == word) {
            return &command;
        }
    }
    return nullptr;
}

bool ProgramRunner::OwnWord(std::string_view word) {
    return std::any_of(Words().begin(), Words().end(), [word](const Word& w) { return w.word == word; });
}

ProgramRunner::Replay ProgramRunner::HowReplayed(std::string_view word) const {
    for (const Word& w : Words()) {
        if (w.word == word && w.own != nullptr) {
            return Replay::Own;
        }
    }
    if (Command(word) != nullptr) {
        return Replay::Command;
    }
    return OwnWord(word) ? Replay::NoCommand : Replay::Unknown;
}

std::vector<std::string_view> ProgramRunner::WordsWithoutCommand() const {
    std::vector<std::string_view> out;
    for (const Word& w : Words()) {
        if (w.own == nullptr && Command(w.word) == nullptr) {
            out.push_back(w.word);
        }
    }
    return out;
}

void ProgramRunner::ReplayLine(const std::string& line) {
    if (UpperCaseOem(line).rfind("GETPOINT", 0) != 0) {
        (void)Dispatch(UpperCaseOem(line), ParseProgramLine(line), 0);
    }
}

ProgramRunner::Step ProgramRunner::Dispatch(const std::string& upper, const ProgramLine& p, int index) {
    bool known = false;
    for (const Word& w : Words()) {
        if (!OfWord(upper, w.word)) {
            continue;
        }
        known = true;
        if (w.choices > 0 && !Preset(p, w.choices, index)) {
            continue;
        }
        if (w.own != nullptr) {
            if (const Step step = (this->*w.own)(Line{upper, p, index, w.word}); step != Step::Next) {
                return step;
            }
        } else if (const auto* command = Command(w.word)) {
            (*command)(p);
        } else {
            Skip(index, Ansi("kein Befehl für \"") + std::string(w.word) + "\"");
        }
    }
    for (const auto& [word, command] : m_commands) {
        if (!OwnWord(word) && OfWord(upper, word)) {
            known = true;
            if (word == word::kAscii && Journal != nullptr) {
                Journal->NamePart(p.Rest[1]);  // the export's part name names the journal's part
            }
            command(p);
        }
    }
    // A word the runner does not know (a typo) is said; a blank line stays silent.
    if (!known && !RemoveSpaces(upper).empty()) {
        const std::string w = upper.substr(0, upper.find(':'));
        Skip(index, Ansi("unbekanntes Wort \"") + w.substr(0, 20) + "\"");
    }
    return Step::Next;
}

ProgramRunner::Step ProgramRunner::ReplayGetPoint(const Line& l) {
    if (m_ctx.run.AbortRequested == 0) {
        Wait(l.index);
        return Step::Wait;
    }
    return Step::Next;
}

ProgramRunner::Step ProgramRunner::ReplayText(const Line& l) {
    m_ctx.ListText(l.p.Rest[1]);
    m_prompt = l.p.Rest[1] + " " + m_ctx.UiText(kTextEscAborts);
    return Step::Next;
}

ProgramRunner::Step ProgramRunner::ReplayCircleRecall(const Line& l) {
    if (const int i = ResultIndex(l.p, l.index); i >= 0) {
        if (HasResultName(m_ctx.results.Line(i), 0, m_ctx.texts)) {
            RecallCircle(m_ctx, i);
        } else {
            Skip(l.index, Ansi("Speicherzeile ") + std::to_string(i + 1) + Ansi(" ist kein Kreis"));
        }
    }
    return Step::Next;
}

ProgramRunner::Step ProgramRunner::ReplayRecall(const Line& l) {
    if (const int i = ResultIndex(l.p, l.index); i >= 0) {
        if (RecallPosition(m_ctx, i) && m_ctx.settings.SiemensMode != 0) {
            m_ctx.op.ShowInfo("#");
        }
    }
    return Step::Next;
}

ProgramRunner::Step ProgramRunner::ReplayComparison(const Line& l) {
    if (const auto why = tarvo::ReplayComparison(m_ctx, l.upper, l.p, Journal)) {
        Skip(l.index, *why);
    }
    return Step::Next;
}

ProgramRunner::Step ProgramRunner::ReplayReference(const Line& l) {
    const bool circle = l.word == word::kCircleReference;
    if (!tarvo::ReplayReference(m_ctx, circle ? ReferenceKind::Circle : ReferenceKind::Line,
                                std::string_view(l.upper).substr(l.word.size()))) {
        Skip(l.index, m_ctx.texts.Compose(kMsgUnknownReference, {}));
    }
    return Step::Next;
}

ProgramRunner::Step ProgramRunner::ReplayGeoTolerance(const Line& l) {
    if (const auto why = ReplayGeometric(m_ctx, l.upper, l.p, Journal)) {
        Skip(l.index, *why);
    }
    return Step::Next;
}

ProgramRunner::Step ProgramRunner::ReplayReset(const Line&) {
    (void)RunCoordinateEntry(m_ctx, kReset);
    return Step::Next;
}

ProgramRunner::Step ProgramRunner::ReplayOffset(const Line& l) {
    if (l.p.Value[1]) {
        ApplyOffset(m_ctx, l.word == word::kOffsetX ? 0 : 1, *l.p.Value[1]);
    } else {
        Skip(l.index, Ansi("kein Versatz angegeben"));
    }
    return Step::Next;
}

// The angle offset taught in is applied again, as the entry "Koordinatensystem drehen" did, so
// the replay measures in the system the program was taught in.
ProgramRunner::Step ProgramRunner::ReplayRotation(const Line& l) {
    if (l.p.Value[1]) {
        ApplyRotation(m_ctx, *l.p.Value[1]);
    } else {
        Skip(l.index, Ansi("kein Winkel angegeben"));
    }
    return Step::Next;
}

ProgramRunner::Step ProgramRunner::ReplayAlignment(const Line& l) {
    const bool two = l.word == word::kAlignTwoLines;
    if (m_ctx.PointCount() < (two ? 4 : 2)) {
        m_ctx.op.ShowInfo(m_ctx.UiText(kTextTooFewPoints));
        m_ctx.changes.PanelText.Notify(0, "");
        return Stop(l.index);
    }
    if (Preset(l.p, two ? 4 : 2, l.index)) {
        (void)RunCoordinateEntry(m_ctx, two                          ? kAlignTwoLines
                                        : l.word == word::kAlignLine ? kAlignLine
                                                                     : kAlignPointLine);
    }
    return Step::Next;
}

ProgramRunner::Step ProgramRunner::ReplayPointEntry(const Line& l) {
    if (l.p.Value[1] && l.p.Value[2]) {
        ListEnteredPoint(m_ctx, *l.p.Value[1], *l.p.Value[2]);
    } else {
        Skip(l.index, Ansi("keine Koordinaten angegeben"));
    }
    return Step::Next;
}

ProgramRunner::Step ProgramRunner::ReplayMode(const Line& l) {
    if (const auto v = Rounded(l.p, 1); v && (*v == 0 || *v == 1)) {
        (l.word == word::kCircleMode ? m_ctx.settings.CircleMode : m_ctx.settings.AngleMode) =
            static_cast<std::uint8_t>(*v);
    } else {
        Skip(l.index, Ansi("Modus 0 oder 1 erwartet"));
    }
    return Step::Next;
}

ProgramRunner::Step ProgramRunner::ReplayZero(const Line& l) {
    (void)Zero(m_ctx, l.word == word::kZeroX ? 0 : 1, ZeroSource::Chooser);
    return Step::Next;
}

// With the line it was taught on; a line without one takes the selected line.
ProgramRunner::Step ProgramRunner::ReplayAreaFromCircle(const Line& l) {
    if (l.p.count == 0) {
        AreaFromStoredCircle(m_ctx);
    } else if (const int i = ResultIndex(l.p, l.index); i >= 0 && !AreaOfCircleLine(m_ctx, i)) {
        Skip(l.index, Ansi("Speicherzeile ") + std::to_string(i + 1) + Ansi(" ist kein Kreis"));
    }
    return Step::Next;
}

ProgramRunner::Step ProgramRunner::ReplayZeroPoint(const Line& l) {
    if (m_ctx.run.AbortRequested != 0 || m_ctx.PointCount() == 0) {
        if (m_ctx.PointCount() == 0) {
            m_ctx.op.ShowInfo(m_ctx.UiText(kTextTooFewPoints));
        }
        return Stop(l.index);
    }
    (void)RunCoordinateEntry(m_ctx, kZeroPoint);
    return Step::Next;
}

void ProgramRunner::Wait(int index) {
    // The points due: this line and the lines of the same word after it.
    const std::string upper = UpperCaseOem(m_ctx.program[static_cast<std::size_t>(index)]);
    const std::string word = upper.substr(0, upper.find(':'));
    int due = 0;
    for (std::size_t i = static_cast<std::size_t>(index); i < m_ctx.program.size(); ++i) {
        if (UpperCaseOem(m_ctx.program[i]).rfind(word, 0) != 0) {
            break;
        }
        ++due;
    }
    std::string prompt = m_prompt;
    const std::size_t next = static_cast<std::size_t>(index + due);
    if (word + ":" == word::kVideoEdge || word + ":" == word::kVideoCircle) {
        prompt = m_ctx.UiText(word + ":" == word::kVideoEdge ? kMsgVideoEdgeDue : kMsgVideoCircleDue);
    } else if (prompt.empty() && next < m_ctx.program.size()) {
        // Without a text line the operator still learns what the points are for.
        const std::string& line = m_ctx.program[next];
        const std::string then = line.substr(0, std::min(line.find(':'), std::size_t{20}));
        if (!RemoveSpaces(then).empty()) {
            prompt = m_ctx.texts.Compose(kMsgPointsFor, {then}) + " " + m_ctx.UiText(kTextEscAborts);
        }
    }
    m_ctx.changes.Prompt.Notify(std::to_string(due) + " " + prompt);
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
