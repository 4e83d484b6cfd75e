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
#include "programs/comparison.h"
#include "programs/recorder.h"

namespace tarvo {

namespace {

// The dispatch words, in the order the runner compares them with the upper-cased line; a line
// runs every word it begins with.
enum class Word {
    GetPoint, Kreis, Text, Abstand2P, AbstandGP, AbstandXY, Winkel, Gerade, Punkt, Symg, KrAbruf, Abruf,
    SollistV, SollistP, SollistA, Spdrucken, Aar0, Aarvx, Aarvy, Aarvw, Aar2g, Aar1g, Aarkg, Ascii, Pkt, KrMode,
    WiMode, NullX, NullY, Flaeche, Sf1, Spkg, Spkk, Aarpn,
};
struct WordEntry {
    const char* upper;
    Word word;
};
const WordEntry kWords[] = {
    {"GETPOINT", Word::GetPoint}, {"KREIS", Word::Kreis},       {"TEXT", Word::Text},
    {"ABSTAND2P", Word::Abstand2P}, {"ABSTANDGP", Word::AbstandGP}, {"ABSTANDXY", Word::AbstandXY},
    {"WINKEL", Word::Winkel},     {"GERADE", Word::Gerade},     {"PUNKT", Word::Punkt},
    {"SYMG", Word::Symg},         {"KR-ABRUF", Word::KrAbruf},  {"ABRUF", Word::Abruf},
    {"SOLLIST-V", Word::SollistV}, {"SOLLIST-P", Word::SollistP}, {"SOLLIST-A", Word::SollistA},
    {"SPDRUCKEN", Word::Spdrucken}, {"AAR0", Word::Aar0},       {"AARVX", Word::Aarvx},
    {"AARVY", Word::Aarvy},       {"AARVW", Word::Aarvw},       {"AAR2G", Word::Aar2g},
    {"AAR1G", Word::Aar1g},       {"AARKG", Word::Aarkg},       {"ASCII", Word::Ascii},
    {"PKT", Word::Pkt},           {"KRMODE", Word::KrMode},     {"WIMODE", Word::WiMode},
    {"NULLX", Word::NullX},       {"NULLY", Word::NullY},       {"FLAECHE", Word::Flaeche},
    {"SF1", Word::Sf1},           {"SPKG", Word::Spkg},         {"SPKK", Word::Spkk},
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
    if (m_ctx.Recording()) {
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
    if (m_ctx.PointCount() > m_waitPointCount || m_ctx.run.AbortRequested != 0) {
        m_timer.SetEnabled(false);
        // This GETPOINT took one point; a second one captured within the same tick belongs to
        // the next GETPOINT line.
        m_taken = m_ctx.PointCount() > m_waitPointCount ? m_waitPointCount + 1 : -1;
        Continue(m_resumeLine + 1);
    }
}

bool ProgramRunner::StartRun() {
    m_ctx.run.AbortRequested = 0;
    const WriteResult saved = m_ctx.results.SaveToFile(m_ctx.folder.File(kRunBackupFile));
    if (!saved.ok) {
        // Without the copy the list could not be given back after the run: nothing starts.
        m_ctx.op.ShowError(saved.error);
        return false;
    }
    m_ctx.run.ProgramRunning = true;
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
        return false;
    }
    Settings& s = m_ctx.settings;
    if ((s.OffsetX != 0 || s.OffsetY != 0 || s.OffsetW != 0) && m_ctx.op.Ask(m_ctx.UiText(25), Buttons::YesNo)) {
        s.OffsetX = 0;
        s.OffsetY = 0;
        s.OffsetW = 0;
    }
    m_prompt.clear();
    return true;
}

void ProgramRunner::Continue(int line) {
    m_ctx.run.ProgramRunning = true;
    int current = line;
    while (current < static_cast<int>(m_ctx.program.size())) {
        const Step step = Execute(current);
        m_ctx.run.ReplayChoice = 0;  // a preset never outlives its line
        if (step == Step::Wait || step == Step::Stop) {
            return;
        }
        if (m_ctx.run.AbortRequested != 0) {
            if (m_ctx.op.Ask(m_ctx.UiText(21), Buttons::YesNo)) {
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
    for (const WordEntry& e : kWords) {
        if (!StartsWith(upper, e.upper)) {
            continue;
        }
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
                c.ListText(p.Param[1]);
                m_prompt = p.Param[1] + " " + c.UiText(20);
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
                        Skip(index, Ansi("Speicherzeile ") + std::to_string(i) + Ansi(" ist kein Kreis"));
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
                ReplayComparison(c, upper, p);
                break;
            case Word::Spdrucken:
                if (OnPrint) {
                    OnPrint();
                }
                break;
            case Word::Aar0:
                c.settings.OffsetW = 0;
                c.settings.OffsetX = 0;
                c.settings.OffsetY = 0;
                break;
            case Word::Aarvx:
            case Word::Aarvy:
                if (p.Value[1]) {
                    const bool x = e.word == Word::Aarvx;
                    (x ? c.settings.OffsetX : c.settings.OffsetY) += *p.Value[1];
                    c.ListResult(ResultLabel(c.ResultName(x ? 17 : 18), 12), FieldText(c, *p.Value[1]));
                } else {
                    Skip(index, Ansi("kein Versatz angegeben"));
                }
                break;
            case Word::Aarvw:
                // The angle offset taught in is applied again, as the entry "Koordinatensystem
                // drehen" did, so the replay measures in the system the program was taught in.
                if (p.Value[1]) {
                    c.settings.OffsetW += *p.Value[1];
                    c.ListText(c.texts.Translate("Koordinatensystem drehen "));
                } else {
                    Skip(index, Ansi("kein Winkel angegeben"));
                }
                break;
            case Word::Aar2g:
            case Word::Aar1g:
            case Word::Aarkg: {
                const bool two = e.word == Word::Aar2g;
                if (c.PointCount() < (two ? 4 : 2)) {
                    c.op.ShowInfo(c.UiText(13));
                    c.changes.PanelText.Notify(0, "");
                    return Stop(index);
                }
                if (Preset(p, two ? 4 : 2, index)) {
                    (void)RunCoordinateEntry(c, two ? kAlignTwoLines : e.word == Word::Aar1g ? kAlignLine : kAlignPointLine);
                }
                break;
            }
            case Word::Ascii:
                if (OnAsciiExport) {
                    OnAsciiExport(p.Param[1]);
                }
                break;
            case Word::Pkt:
                if (p.Value[1] && p.Value[2]) {
                    c.ListResult(c.Label(7, 11), "", {FieldText(c, *p.Value[1]), FieldText(c, *p.Value[2])});
                } else {
                    Skip(index, Ansi("keine Koordinaten angegeben"));
                }
                break;
            case Word::KrMode:
            case Word::WiMode:
                if (const auto v = Rounded(p, 1); v && (*v == 0 || *v == 1)) {
                    (e.word == Word::KrMode ? c.settings.CircleMode : c.settings.AngleMode) = static_cast<std::uint8_t>(*v);
                } else {
                    Skip(index, Ansi("Modus 0 oder 1 erwartet"));
                }
                break;
            case Word::NullX:
            case Word::NullY: {
                const int axis = e.word == Word::NullX ? 0 : 1;
                (void)Zero(c, axis, ZeroSource::Chooser);
                c.ListText(FitLeft(c.ResultName(22), 8) + (axis == 0 ? "X" : "Y") + std::string(24, ' '));
                break;
            }
            case Word::Flaeche:
                if (OnArea) {
                    OnArea();
                }
                break;
            case Word::Sf1:
                AreaFromStoredCircle(c);
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
                        c.op.ShowInfo(c.UiText(13));
                    }
                    return Stop(index);
                }
                (void)RunCoordinateEntry(c, kZeroPoint);
                break;
        }
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
        if (m_ctx.op.Ask(m_ctx.UiText(21), Buttons::YesNo)) {
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
    m_ctx.op.ShowInfo(m_ctx.UiText(aborted ? 22 : 23));
    m_ctx.run.ProgramRunning = false;
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
        return false;
    }
    m_ctx.run.ReplayChoice = static_cast<std::uint8_t>(*v);
    return true;
}

int ProgramRunner::ResultIndex(const ProgramLine& p, int index) {
    const auto v = Rounded(p, 1);
    if (!v || *v < 0 || *v >= m_ctx.results.Count()) {
        Skip(index, Ansi("Speicherzeile ") + (p.count >= 1 ? p.Param[1] : std::string()) + Ansi(" gibt es nicht"));
        return -1;
    }
    return static_cast<int>(*v);
}

void ProgramRunner::Skip(int index, const std::string& why) {
    m_ctx.op.ShowError(Ansi("Programmzeile ") + std::to_string(index + 1) + Ansi(" übersprungen: ") + why);
}

}  // namespace tarvo
