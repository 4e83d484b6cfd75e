#include "data/resultcommands.h"

#include "data/resultline.h"
#include "geometry/angles.h"
#include "geometry/lines.h"
#include "output/reportheader.h"
#include "base/cp1252.h"
#include "shell/mainwindow.h"
#include "base/text.h"

namespace tarvo {

namespace {

// Appends a recalled point to the point memory and shows the new count.
void AddRecalledPoint(MainWindow& w, const std::string& item) {
    w.ListBox1().Append(item);
    w.Label5 = std::to_string(w.PointCount());
}

std::string Item(long double x, long double y, int width, int decimals) {
    return FormatReal(x, width, decimals) + ":" + FormatReal(y, width, decimals);
}

}  // namespace

void AppendResultLine(MainWindow& w, std::string line) { w.lb1().Append(std::move(line)); }

void DeleteResultLine(MainWindow& w) {
    if (w.session().settings.Recording != 0) {
        return;
    }
    ResultList& list = w.lb1();
    if (list.ItemIndex() < 0) {
        return;
    }
    list.Delete(list.ItemIndex());
    list.SelectLast();
    list.Renumber();
    w.ElementGraphicChanged();
}

void ClearAllMemories(MainWindow& w) {
    Session& s = w.session();
    if (s.settings.Recording != 0) {
        return;
    }
    if (!s.Op().Ask(w.UiText(24), Buttons::OkCancel)) {
        return;
    }
    if (!s.ReadOnlyMedia()) {
        const WriteResult r = w.lb1().SaveToFile(s.WorkFile(kResultBackupFile));
        if (!r.ok) {
            // Without its backup the list is not emptied: the operator's work stays.
            s.Op().ShowError(r.error);
            return;
        }
    }
    w.lb1().Clear();
    w.StatusPanels[0].clear();
    w.ClearPoints();
}

void RecallLine(MainWindow& w) {
    ResultList& list = w.lb1();
    const int index = list.ItemIndex();
    if (index < 0) {
        return;
    }
    Session& s = w.session();
    const int dec = s.settings.Decimals;
    const std::string line = list.Line(index);
    const std::string upper = UpperCaseOem(line);
    const long double x = ReadColumn(line, kXColumn).value;
    const long double y = ReadColumn(line, kYColumn).value;
    if (upper.find(UpperCaseOem(w.ResultName(6))) != std::string::npos) {
        AddRecalledPoint(w, Item(x, y, 0, dec));
        const NumberRead value = ReadColumn(line, kValueColumn);
        const Real angle = value.ok ? Real(value.value) : DmsTextToAngle(RemoveSpaces(ColumnText(line, {27, 10})));
        if (s.settings.SiemensMode == 0) {
            const XY p = PolarOffset(x, y, angle, 500);
            AddRecalledPoint(w, Item(p.x, p.y, 8, dec));
        }
        w.RecordLine("ABRUF:" + std::to_string(index));
        return;
    }
    if (upper.find(UpperCaseOem(w.ResultName(0))) != std::string::npos &&
        !s.Op().Ask(w.UiText(38) + " ?", Buttons::YesNo)) {
        long double r = ReadColumn(line, kValueColumn).value;
        if (RemoveSpaces(ColumnText(line, kSizeNameColumn)) == w.ResultName(1)) {
            r = r / 2;
        }
        for (const long double a : {0.0L, 120.0L, 240.0L}) {
            AddRecalledPoint(w, Item(x + r * CosDeg(a), y + r * SinDeg(a), 0, dec));
        }
        w.RecordLine("KR-ABRUF:" + std::to_string(index));
        return;
    }
    AddRecalledPoint(w, Item(x, y, 8, dec));
    w.RecordLine("ABRUF:" + std::to_string(index));
}

void SaveMemory(MainWindow& w) {
    Session& s = w.session();
    const auto name = s.Op().ChooseFile({"SaveDialog1", kMemoryFilter, kMemoryExtension, "", true});
    if (!name) {
        return;
    }
    std::vector<std::string> lines(s.header.values.begin(), s.header.values.end());
    lines.insert(lines.end(), w.lb1().Lines().begin(), w.lb1().Lines().end());
    const WriteResult r = WriteFileAtomic(s.WorkFile(*name), JoinLines(lines));
    if (!r.ok) {
        s.Op().ShowError(r.error);
    }
}

void LoadMemory(MainWindow& w) {
    Session& s = w.session();
    const auto name = s.Op().ChooseFile({"OpenDialog1", kMemoryFilter, kMemoryExtension, "", false});
    if (!name) {
        return;
    }
    const std::filesystem::path file = s.WorkFile(*name);
    const auto lines = ReadTextLines(file);
    if (!lines) {
        s.Op().ShowError(Ansi("Die Datei \"") + file.filename().string() + Ansi("\" kann nicht gelesen werden"));
        return;
    }
    if (lines->size() < kHeaderFields) {
        // A truncated file: the list and the header in memory stay as they are.
        s.Op().ShowError(Ansi("Die Datei \"") + file.filename().string() +
                         Ansi("\" ist unvollständig (weniger als 16 Kopfzeilen); nichts wurde geladen"));
        return;
    }
    for (std::size_t i = 0; i < kHeaderFields; ++i) {
        s.header.values[i] = (*lines)[i].substr(0, kHeaderValueLength);
    }
    w.lb1().SetLines(std::vector<std::string>(lines->begin() + kHeaderFields, lines->end()));
    w.lb1().SelectLast();
}

}  // namespace tarvo
