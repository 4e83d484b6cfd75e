#include "output/asciiexport.h"

#include <optional>
#include <system_error>
#include <vector>

#include "base/cp1252.h"
#include "base/fileio.h"
#include "base/text.h"
#include "data/commandcontext.h"
#include "data/geokind.h"
#include "data/resultline.h"

namespace tarvo {

namespace {

constexpr std::size_t kPartNameLength = 20;
// How long an export waits at most for the clock to give a file name not taken yet.
constexpr int kNameWaitMs = 250;
constexpr int kNameWaitTries = 40;

// The comparison kind of a result line: 11 (nominal value), 12 (position), 13 (attributive), or
// 0; the first name it contains decides. A geometric tolerance's definition line is kind 14.
constexpr int kGeometricKind = 14;
int ComparisonKind(const CommandContext& ctx, const std::string& line) {
    for (const int n : {11, 12, 13}) {
        if (line.find(ctx.ResultName(n)) != std::string::npos) {
            return n;
        }
    }
    return GeoDefinitionKind(line, ctx.texts) ? kGeometricKind : 0;
}

// A piece of a line read as the export reads numbers: the conversion's failure is not consulted.
// From line 1000 on the columns stand further right by the number's extra digits.
long double Piece(const std::string& line, std::size_t from, std::size_t to) {
    const std::size_t s = NumberOverflow(line);
    from += s;
    to += s;
    if (from > line.size()) {
        return 0;
    }
    return ReadNumberChecked(RemoveSpaces(NormalizeDecimal(line.substr(from - 1, to - from + 1)))).value;
}

std::string Fixed(const CommandContext& ctx, long double v) { return FormatReal(v, 0, ctx.settings.Decimals); }

// The comparison at line j: its name and the value of the line after it. A comparison that is
// the list's last line has no such line: its name is empty and it has no measured value (its
// own value is the nominal, not a measurement).
struct Follower {
    std::string name;
    std::optional<long double> value;
};
Follower Following(const CommandContext& ctx, std::size_t j) {
    const auto& lines = ctx.results.Lines();
    const bool last = j + 1 >= lines.size();
    const std::string& next = last ? std::string() : lines[j + 1];
    const std::size_t s = NumberOverflow(next);
    std::string name = next.size() >= 5 + s ? next.substr(4 + s, 17) : std::string();
    // A judgement of line 1000 or later gave part of the name to the "#" and the line number.
    const std::size_t hash = name.rfind('#');
    const std::size_t after = 4 + s + hash + 1;  // in the whole line
    if (hash != std::string::npos && name.find_first_not_of("0123456789", hash + 1) == std::string::npos &&
        after < next.size() && next[after] >= '0' && next[after] <= '9') {
        name.resize(hash);
    }
    if (last) {
        return {PadRight(name, 17) + "   ", std::nullopt};
    }
    return {PadRight(name, 17) + "   ", Piece(next, 27, 36)};
}

// A new file name in the export folder: the folder, a date code and the extension; while the
// name is taken, the clock is let move on. Nothing when no free name comes up.
std::optional<std::filesystem::path> NewExportFile(CommandContext& ctx, const std::string& extension,
                                                   std::string* code = nullptr) {
    const std::filesystem::path folder = ctx.folder.File(ctx.run.ExportFolder);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);  // a missing export folder is made
    for (int i = 0; i < kNameWaitTries; ++i) {
        const std::string c = DateCode(ctx.clock.Now());
        const auto file = folder / (c + extension);
        if (!FileExists(file)) {
            if (code != nullptr) {
                *code = c;
            }
            return file;
        }
        ctx.clock.Sleep(kNameWaitMs);
    }
    ctx.op.ShowError(Ansi("Im Exportordner \"") + ctx.run.ExportFolder +
                     Ansi("\" ist kein freier Dateiname zu finden"));
    return std::nullopt;
}

bool Write(CommandContext& ctx, const std::filesystem::path& file, const std::vector<std::string>& lines) {
    const WriteResult r = WriteFileAtomic(file, JoinLines(lines));
    if (!r.ok) {
        ctx.op.ShowError(r.error);
    }
    return r.ok;
}

}  // namespace

std::string LoadExportFolder(const std::filesystem::path& dir) {
    const auto lines = ReadTextLines(dir / kExportFolderFile);
    if (!lines || lines->empty() || RemoveSpaces((*lines)[0]).empty()) {
        return kDefaultExportFolder;
    }
    std::string folder = (*lines)[0].substr(0, 100);
    for (char& c : folder) {
        if (c == '\\') {
            c = '/';
        }
    }
    return folder;
}

void AsciiExport(CommandContext& ctx) {
    const auto typed = ctx.op.Input(ctx.UiText(kTextPartName), "");
    if (!typed) {
        return;
    }
    const std::string part = PadRight(*typed, static_cast<int>(kPartNameLength)).substr(0, kPartNameLength);
    if (RemoveSpaces(part).empty()) {
        return;
    }
    // Every comparison of the list, however many: the file format has no count that limits it.
    std::vector<std::string> records;
    const auto& lines = ctx.results.Lines();
    for (std::size_t j = 0; j < lines.size(); ++j) {
        const int kind = ComparisonKind(ctx, lines[j]);
        if (kind == 0) {
            continue;
        }
        long double v1 = 0, v2 = 0, v3 = 0;
        int code = 1;
        if (kind == kGeometricKind) {
            // The zone (this line's value) and the zone allowed with its bonus (the judgement's
            // second field); the kind code names the tolerance (README).
            code = GeoExportCode(*GeoDefinitionKind(lines[j], ctx.texts));
            v2 = Piece(lines[j], 27, 36);
            v3 = j + 1 < lines.size() ? Piece(lines[j + 1], 39, 48) : 0;
        } else if (kind == 11) {
            v1 = Piece(lines[j], 27, 36);
            v2 = Piece(lines[j], 42, 48);
            v3 = Piece(lines[j], 54, 60);
        } else if (kind == 12) {
            v2 = Piece(lines[j], 27, 36);
        }
        records.push_back("=" + Following(ctx, j).name + "," + Fixed(ctx, v1) + "," + Fixed(ctx, v2) + "," +
                          Fixed(ctx, v3) + ",    ," + std::to_string(ctx.settings.Decimals) + "," +
                          std::to_string(code) + ",LE=1");
    }
    if (records.empty()) {
        return;
    }
    const auto npa = NewExportFile(ctx, ".NPA");
    if (!npa) {
        return;
    }
    records.insert(records.begin(),
                   "@" + part + ",VS= 1,LL=8,CD=" + TimeStampText(ctx.clock.Now()) + ",CX= 3, CY= 3,WC= 0,NP= 0");
    if (!Write(ctx, *npa, records)) {
        return;
    }
    (void)ExportTransferFile(ctx, part);
    ctx.ListText("ASCII-Export");
    ctx.Record(word::kAscii, part);
}

void ReplayAsciiExport(CommandContext& ctx, const std::string& partName) {
    if (ExportTransferFile(ctx, partName)) {
        ctx.ListText("ASCII-Export");  // as the export listed it while teaching in
    }
}

bool ExportTransferFile(CommandContext& ctx, const std::string& partName) {
    const std::string part = partName.substr(0, kPartNameLength);
    const auto inspector = ctx.op.Input(ctx.UiText(kTextInspector), "");
    if (!inspector) {
        return false;
    }
    const auto batch = ctx.op.Input(ctx.UiText(kTextBatch), "");
    if (!batch) {
        return false;
    }
    const auto trf = NewExportFile(ctx, ".TRF");
    if (!trf) {
        return false;
    }
    std::vector<std::string> lines = {"$" + part, "&" + TimeStampText(ctx.clock.Now()), "/" + inspector->substr(0, 20),
                                      "%" + batch->substr(0, 5)};
    const auto& results = ctx.results.Lines();
    for (std::size_t j = 0; j < results.size(); ++j) {
        if (ComparisonKind(ctx, results[j]) != 0) {
            const Follower f = Following(ctx, j);
            lines.push_back("*" + f.name);
            lines.push_back(f.value ? Fixed(ctx, *f.value) : std::string());
        }
    }
    return Write(ctx, *trf, lines);
}

}  // namespace tarvo
