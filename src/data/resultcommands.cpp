#include "data/resultcommands.h"

#include "base/cp1252.h"
#include "base/text.h"
#include "data/commandcontext.h"
#include "data/reportheader.h"
#include "data/resultline.h"
#include "geometry/angles.h"
#include "geometry/lines.h"

namespace tarvo {

namespace {

// Appends a recalled point to the point memory.
void AddRecalledPoint(CommandContext& ctx, const std::string& item) { ctx.points.Append(item); }

std::string Item(long double x, long double y, int width, int decimals) {
    return FormatReal(x, width, decimals) + ":" + FormatReal(y, width, decimals);
}

}  // namespace

void DeleteResultLine(CommandContext& ctx) {
    if (ctx.run.Recording != 0) {
        return;
    }
    ResultList& list = ctx.results;
    if (list.ItemIndex() < 0) {
        return;
    }
    list.Delete(list.ItemIndex());
    list.SelectLast();
    list.Renumber();
    ctx.changes.ElementGraphicChanged.Notify();
}

void ClearAllMemories(CommandContext& ctx) {
    if (ctx.run.Recording != 0) {
        return;
    }
    if (!ctx.op.Ask(ctx.UiText(kTextClearAll), Buttons::OkCancel)) {
        return;
    }
    if (!ctx.folder.ReadOnlyMedia()) {
        const WriteResult r = ctx.results.SaveToFile(ctx.folder.File(kResultBackupFile));
        if (!r.ok) {
            // Without its backup the list is not emptied: the operator's work stays.
            ctx.op.ShowError(r.error);
            return;
        }
    }
    ctx.results.Clear();
    ctx.changes.PanelText.Notify(0, "");
    ctx.ClearPoints();
}

bool RecallPosition(CommandContext& ctx, int index) {
    const std::string& line = ctx.results.Line(index);
    const int dec = ctx.settings.Decimals;
    const long double x = ReadX(line).value;
    const long double y = ReadY(line).value;
    if (!IsLineResult(line, ctx.texts)) {
        AddRecalledPoint(ctx, Item(x, y, 8, dec));
        return false;
    }
    AddRecalledPoint(ctx, Item(x, y, 0, dec));
    const Real angle = ReadAngleValue(line);
    if (ctx.settings.SiemensMode == 0) {
        const XY p = PolarOffset(x, y, angle, 500);
        AddRecalledPoint(ctx, Item(p.x, p.y, 8, dec));
    }
    return true;
}

void RecallCircle(CommandContext& ctx, int index) {
    const std::string& line = ctx.results.Line(index);
    const int dec = ctx.settings.Decimals;
    const long double x = ReadX(line).value;
    const long double y = ReadY(line).value;
    long double r = ReadValue(line).value;
    if (CircleSizeIs(line, kResultDiameter, ctx.texts)) {
        r = r / 2;
    }
    for (const long double a : {0.0L, 120.0L, 240.0L}) {
        AddRecalledPoint(ctx, Item(x + r * CosDeg(a), y + r * SinDeg(a), 0, dec));
    }
}

void RecallLine(CommandContext& ctx) {
    const int index = ctx.results.ItemIndex();
    if (index < 0) {
        return;
    }
    const std::string& line = ctx.results.Line(index);
    if (!IsLineResult(line, ctx.texts) && HasResultName(line, kResultCircle, ctx.texts) &&
        !ctx.op.Ask(ctx.UiText(kTextCircleCentre) + " ?", Buttons::YesNo)) {
        RecallCircle(ctx, index);
        ctx.Record(word::kCircleRecall, std::to_string(index));
        return;
    }
    (void)RecallPosition(ctx, index);
    ctx.Record(word::kRecall, std::to_string(index));
}

void SaveMemory(CommandContext& ctx) {
    const auto name = ctx.op.ChooseFile({"SaveDialog1", kMemoryFilter, kMemoryExtension, "", true});
    if (!name) {
        return;
    }
    std::vector<std::string> lines(ctx.header.values.begin(), ctx.header.values.end());
    lines.insert(lines.end(), ctx.results.Lines().begin(), ctx.results.Lines().end());
    const WriteResult r = WriteFileAtomic(ctx.folder.File(*name), JoinLines(lines));
    if (!r.ok) {
        ctx.op.ShowError(r.error);
    }
}

void LoadMemory(CommandContext& ctx) {
    const auto name = ctx.op.ChooseFile({"OpenDialog1", kMemoryFilter, kMemoryExtension, "", false});
    if (!name) {
        return;
    }
    const std::filesystem::path file = ctx.folder.File(*name);
    const auto lines = ReadOwnTextLines(file);
    if (!lines) {
        TellFileNotes();  // why it cannot be read comes first
        ctx.op.ShowError(Ansi("Die Datei \"") + file.filename().string() + Ansi("\" kann nicht gelesen werden"));
        return;
    }
    if (lines->size() < kHeaderFields) {
        // A truncated file: the list and the header in memory stay as they are.
        ctx.op.ShowError(Ansi("Die Datei \"") + file.filename().string() +
                         Ansi("\" ist unvollständig (weniger als 16 Kopfzeilen); nichts wurde geladen"));
        return;
    }
    for (std::size_t i = 0; i < kHeaderFields; ++i) {
        ctx.header.values[i] = (*lines)[i].substr(0, kHeaderValueLength);
    }
    ctx.results.SetLines(std::vector<std::string>(lines->begin() + kHeaderFields, lines->end()));
    ctx.results.SelectLast();
}

}  // namespace tarvo
