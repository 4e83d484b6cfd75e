#include "output/headerdata.h"

#include "base/cp1252.h"
#include "base/fileio.h"
#include "base/text.h"
#include "data/commandcontext.h"

namespace tarvo {

namespace {

std::string Cut(const std::string& s) { return s.substr(0, kHeaderValueLength); }

}  // namespace

void LoadHeaderLabels(const std::filesystem::path& dir, ReportHeaderData& header) {
    const auto lines = ReadTextLines(dir / kHeaderLabelsFile);
    if (!lines) {
        return;
    }
    for (std::size_t i = 0; i < kHeaderFields; ++i) {
        header.labels[i] = i < lines->size() ? Cut((*lines)[i]) : std::string();
    }
}

std::optional<std::array<std::string, kHeaderFields>> ReadHeaderFile(const std::filesystem::path& file) {
    const auto lines = ReadTextLines(file);
    if (!lines) {
        return std::nullopt;
    }
    std::array<std::string, kHeaderFields> values;
    for (std::size_t i = 0; i < kHeaderFields && i < lines->size(); ++i) {
        values[i] = Cut((*lines)[i]);
    }
    return values;
}

bool HeaderDataDialog::Visible(std::size_t field) const {
    return field < kHeaderFields && !RemoveSpaces(m_header.labels[field]).empty();
}

void EditHeaderData(CommandContext& ctx) {
    HeaderDataDialog dialog(ctx.header);
    dialog.inputs = ctx.header.values;
    if (const auto name =
            ctx.op.ChooseFile({"OpenDialog1", "Kopfdaten|*.HED|Alle Dateien|*.*", "hed", "", false, "standard.hed"})) {
        const auto file = ctx.folder.File(*name);
        const auto values = ReadHeaderFile(file);
        if (!values) {
            TellFileNotes();  // why it cannot be read comes first
            ctx.op.ShowError(Ansi("Die Datei \"") + file.filename().string() + Ansi("\" kann nicht gelesen werden"));
        } else {
            dialog.inputs = *values;
        }
    }
    const HeaderDataDialog::Closing closing = ctx.op.ShowHeaderDialog(dialog);
    if (closing == HeaderDataDialog::Closing::Abort) {
        return;
    }
    for (std::size_t i = 0; i < kHeaderFields; ++i) {
        ctx.header.values[i] = Cut(dialog.inputs[i]);
    }
    ctx.header.present = true;
    if (closing != HeaderDataDialog::Closing::OkSave) {
        return;
    }
    const auto name = ctx.op.ChooseFile({"SaveDialog1", "Kopfdaten|*.HED", "HED", "", true});
    if (!name) {
        return;
    }
    if (ctx.folder.ReadOnlyMedia()) {
        ctx.op.ShowInfo(Ansi("Schreiben auf CD nicht möglich"));
        return;
    }
    const std::vector<std::string> lines(ctx.header.values.begin(), ctx.header.values.end());
    const WriteResult r = WriteFileAtomic(ctx.folder.File(*name), JoinLines(lines));
    if (!r.ok) {
        ctx.op.ShowError(r.error);
    }
}

}  // namespace tarvo
