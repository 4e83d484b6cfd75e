#include "programs/recorder.h"

#include "base/cp1252.h"
#include "data/commandcontext.h"
#include "elements/reference.h"
#include "programs/programfile.h"

namespace tarvo {

namespace {}  // namespace

bool SetListAside(CommandContext& ctx) {
    // On read-only media the copy in memory is all there is; elsewhere "temp.lst" keeps it too,
    // and without that file nothing starts.
    if (!ctx.folder.ReadOnlyMedia()) {
        const WriteResult r = ctx.results.SaveToFile(ctx.folder.File(kRunBackupFile));
        if (!r.ok) {
            ctx.op.ShowError(r.error);
            return false;
        }
    }
    ctx.run.ListBeforeRun = ctx.results.Lines();
    return true;
}

namespace {

// The save dialog until the program is written or the operator discards it.
void SaveOrDiscard(CommandContext& ctx) {
    for (;;) {
        const auto name = ctx.op.ChooseFile(ProgramDialog(true));
        if (name) {
            if (ctx.folder.ReadOnlyMedia()) {
                ctx.op.ShowError(Ansi("Schreiben auf CD nicht möglich"));
            } else {
                const WriteResult r = SaveProgramFile(ctx.folder.File(*name), ctx.program);
                if (r.ok) {
                    return;
                }
                ctx.op.ShowError(r.error);
            }
        }
        if (ctx.op.Ask(Ansi("Das Programm ist nicht gespeichert. Verwerfen ?"), Buttons::YesNo)) {
            return;
        }
    }
}

}  // namespace

void RestoreResultList(CommandContext& ctx) {
    // The file as before; where it cannot be read (or was never written), the copy in memory.
    if (ctx.folder.ReadOnlyMedia() || !ctx.results.LoadFromFile(ctx.folder.File(kRunBackupFile))) {
        if (!ctx.folder.ReadOnlyMedia()) {
            TellFileNotes();  // why it cannot be read comes first
            ctx.op.ShowError(Ansi("Die Datei \"temp.lst\" kann nicht gelesen werden"));
        }
        ctx.results.SetLines(ctx.run.ListBeforeRun);
    }
    ctx.run.ListBeforeRun.clear();
    ctx.results.SelectLast();
    ctx.results.Changed.Notify();
}

void StartRecording(CommandContext& ctx) {
    // A run owns the list and "temp.lst" until it ends: no teach-in over it.
    if (ctx.Recording() || ctx.run.ProgramRunning) {
        return;
    }
    ctx.changes.PanelText.Notify(2, ctx.UiText(kTextDeleteLastLine));
    if (!ctx.op.Ask(" " + ctx.UiText(kTextStartTeachIn) + " ?", Buttons::OkCancel)) {
        ctx.changes.PanelText.Notify(2, "");
        return;
    }
    // The list is kept in "temp.lst" before it is emptied; without that copy nothing starts.
    if (!SetListAside(ctx)) {
        ctx.changes.PanelText.Notify(2, "");
        return;
    }
    ctx.run.Recording = 1;
    ctx.program.clear();
    // The modes the results are written in, so a replay on another station writes the same.
    ctx.Record(word::kCircleMode, std::to_string(ctx.settings.CircleMode));
    ctx.Record(word::kAngleMode, std::to_string(ctx.settings.AngleMode));
    RecordReferences(ctx);
    ctx.results.Clear();
    ctx.changes.PanelText.Notify(1, ctx.UiText(kTextTeachInActive));
    Settings& s = ctx.settings;
    if ((s.OffsetX != 0 || s.OffsetY != 0 || s.OffsetW != 0) &&
        ctx.op.Ask(ctx.UiText(kTextResetCoordinates), Buttons::YesNo)) {
        s.OffsetX = 0;
        s.OffsetY = 0;
        s.OffsetW = 0;
    }
}

bool StopRecording(CommandContext& ctx) {
    if (!ctx.Recording()) {
        return true;
    }
    if (!ctx.op.Ask(ctx.UiText(kTextEndTeachIn), Buttons::OkCancel)) {
        return false;
    }
    ctx.changes.PanelText.Notify(2, "");
    ctx.changes.PanelText.Notify(1, "");
    ctx.changes.PanelText.Notify(0, "Speichern..");
    if (!ctx.program.empty()) {
        SaveOrDiscard(ctx);
    }
    ctx.run.Recording = 0;
    RestoreResultList(ctx);
    ctx.changes.PanelText.Notify(0, "");
    ctx.ClearPoints();
    return true;
}

void TakeBackLastLines(CommandContext& ctx) {
    if (!ctx.Recording()) {
        return;
    }
    Operator& op = ctx.op;
    std::vector<std::string>& program = ctx.program;
    const auto isCapture = [&program] { return program.back().find("GETPOINT") != std::string::npos; };
    if (!program.empty() && op.Ask(ctx.UiText(kTextDeleteProgramLine) + "\n" + program.back(), Buttons::OkCancel)) {
        program.pop_back();
        if (!program.empty() && isCapture() && op.Ask(ctx.UiText(kTextDeletePrecedingPoints), Buttons::OkCancel)) {
            while (!program.empty() && isCapture()) {
                program.pop_back();
            }
        }
    }
    if (ctx.results.Count() > 0 &&
        op.Ask(ctx.UiText(kTextDeleteResultLine) + "\n" + ctx.results.Lines().back(), Buttons::OkCancel)) {
        ctx.results.Delete(ctx.results.Count() - 1);
        ctx.results.SelectLast();
    }
}

void DeleteSelectedPoint(CommandContext& ctx) {
    const int sel = ctx.points.ItemIndex();
    if (sel < 0) {
        return;  // nothing selected: nothing to delete
    }
    if (ctx.Recording()) {
        const long long line =
            static_cast<long long>(sel) + static_cast<long long>(ctx.program.size()) - ctx.PointCount();
        if (line >= 0 && line < static_cast<long long>(ctx.program.size())) {
            ctx.program.erase(ctx.program.begin() + static_cast<std::ptrdiff_t>(line));
        }
    }
    ctx.points.Delete(sel);
    ctx.points.SelectLast();
}

}  // namespace tarvo
