#include "output/dxf.h"

#include <cstdio>
#include <optional>

#include "base/cp1252.h"
#include "base/errors.h"
#include "base/text.h"
#include "data/commandcontext.h"
#include "data/pointmemory.h"
#include "geometry/lines.h"

namespace tarvo {

namespace {

std::string Fixed(long double v, int decimals) { return FormatReal(v, 0, decimals); }

// The folder a dialog opens in, from the setting as stored (".\\" and backslashes as written by
// stations on Windows).
std::string DialogFolder(const std::string& stored) {
    std::string f = stored;
    for (char& c : f) {
        if (c == '\\') {
            c = '/';
        }
    }
    while (f.size() > 1 && f.back() == '/') {
        f.pop_back();
    }
    return f.empty() ? "." : f;
}

// The folder of a saved file as the setting stores it: within the working folder relative to it
// (the working folder itself ".\\", a subfolder "dxf\\"), else absolute; backslashes, ending in
// one, as stations write it.
std::string StoredFolder(const std::filesystem::path& folder, const std::filesystem::path& workDir) {
    const std::filesystem::path f = folder.lexically_normal();
    std::filesystem::path rel = f.lexically_relative(workDir.lexically_normal());
    const bool inside = !rel.empty() && *rel.begin() != "..";
    std::string t = inside ? rel.generic_string() : f.generic_string();
    if (inside && t == ".") {
        t.clear();
    }
    while (t.size() > 1 && t.back() == '/') {
        t.pop_back();
    }
    for (char& c : t) {
        if (c == '/') {
            c = '\\';
        }
    }
    if (inside) {
        return t.empty() ? ".\\" : t + "\\";
    }
    return t.back() == '\\' ? t : t + "\\";
}

const char* const kHeadTemplate[] = {
    "  0", "SECTION", "  2", "HEADER", "  9", "$ACADVER", "  1", "AC1009",  "  9", "$INSBASE", " 10", "0.0",
    " 20", "0.0",     " 30", "0.0",    "  9", "$EXTMIN",  " 10", "0.0",     " 20", "0.0",      "  9", "$EXTMAX",
    " 10", "297.0",   " 20", "210.0",  "  9", "$LIMMIN",  " 10", "0.0",     " 20", "0.0",      "  9", "$LIMMAX",
    " 10", "297.0",   " 20", "210.0",  "  0", "ENDSEC",   "  0", "SECTION", "  2", "ENTITIES", "  0"};
const char* const kTailTemplate[] = {"ENDSEC", "  0", "EOF"};

}  // namespace

bool IsToolMarker(const std::string& item) {
    const std::string t = RemoveSpaces(item);
    return t == "-" || t == "+";
}

void InstallDxfTemplates(const std::filesystem::path& dir) {
    if (!FileExists(dir / kDxfHeadFile)) {
        (void)WriteFileAtomic(dir / kDxfHeadFile, JoinLines({std::begin(kHeadTemplate), std::end(kHeadTemplate)}));
    }
    if (!FileExists(dir / kDxfTailFile)) {
        (void)WriteFileAtomic(dir / kDxfTailFile, JoinLines({std::begin(kTailTemplate), std::end(kTailTemplate)}));
    }
}

void LoadDxfSettings(const std::filesystem::path& dir, DxfSettings& dxf) {
    dxf.noLimits = FileExists(dir / "nodxflim");
    if (const auto lines = ReadTextLines(dir / "dxfout")) {
        const NumberRead x = lines->size() >= 2 ? ReadNumberChecked((*lines)[0]) : NumberRead{};
        const NumberRead y = lines->size() >= 2 ? ReadNumberChecked((*lines)[1]) : NumberRead{};
        if (x.ok && y.ok) {
            dxf.maxX = static_cast<double>(x.value);
            dxf.maxY = static_cast<double>(y.value);
            NoteFileWhole(dir / "dxfout");
        } else {
            NoteFileDamage(dir / "dxfout", FileDamage::NotNumbers);
        }
    }
}

std::optional<std::vector<std::string>> DxfHeader(const std::filesystem::path& dir, const DxfSettings& dxf) {
    auto lines = ReadTextLines(dir / kDxfHeadFile);
    if (!lines || dxf.noLimits) {
        return lines;
    }
    std::vector<std::string>& l = *lines;
    for (std::size_t i = 0; i < l.size(); ++i) {
        const std::string upper = UpperCaseOem(l[i]);
        const bool max = upper.find("EXTMAX") != std::string::npos || upper.find("LIMMAX") != std::string::npos;
        const bool min = upper.find("EXTMIN") != std::string::npos || upper.find("LIMMIN") != std::string::npos;
        if ((max || min) && i + 4 < l.size()) {
            l[i + 2] = Fixed(max ? dxf.maxX : dxf.minX, 6);
            l[i + 4] = Fixed(max ? dxf.maxY : dxf.minY, 6);
            i += 4;
        }
    }
    return lines;
}

void AddDxfLine(std::vector<std::string>& out, long double x1, long double y1, long double x2, long double y2,
                unsigned handle) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%X", handle);
    out.insert(out.end(), {"LINE", "  5", hex, "  8", "0", " 10", Fixed(x1, 8), " 20", Fixed(y1, 8), " 30", Fixed(0, 8),
                           " 11", Fixed(x2, 8), " 21", Fixed(y2, 8), " 31", Fixed(0, 8), "  0"});
}

void AddDxfLineToList(std::vector<std::string>& out, long double x1, long double y1, long double x2, long double y2) {
    const auto f = [](long double v) { return Fixed(v, 8).substr(0, 20); };
    out.insert(out.end(), {"LINE", "  8", "1",  " 6",  "CONTINUOUS", " 62", "  8", " 10", f(x1), " 20",
                           f(y1),  " 30", f(0), " 11", f(x2),        " 21", f(y2), " 31", f(0),  "  0"});
}

int FindSegmentEnd(const std::vector<std::string>& items, int start, int last, double deviation) {
    if (start >= last - 1) {
        return last;
    }
    const Point p0 = ParsePointItem(items[static_cast<std::size_t>(start)]);
    for (int e = start + 1;; ++e) {
        if (e >= last - 1) {
            return e;
        }
        const Point p1 = ParsePointItem(items[static_cast<std::size_t>(e)]);
        const Point p2 = ParsePointItem(items[static_cast<std::size_t>(e + 1)]);
        // A distance the stored reals cannot hold (a slope beyond their range, from points a
        // hair apart in X and far apart in Y) counts as off the line: the point is kept.
        try {
            if (PointLineDistance({p0.x, p0.y, p1.x, p1.y}, p2.x, p2.y).distance > deviation) {
                return e;
            }
        } catch (const RangeError&) {
            return e;
        }
    }
}

std::vector<std::string> ExtractLines(const std::vector<std::string>& items, double deviation) {
    std::vector<std::string> kept;
    if (items.size() < 3) {
        return kept;
    }
    // A tool marker has no coordinates: it ends the run before it and stays in its place; only
    // the runs of points between markers are thinned, each on its own.
    std::vector<std::string> run;
    const auto thin = [&] {
        if (run.size() < 3) {
            kept.insert(kept.end(), run.begin(), run.end());
        } else {
            const int last = static_cast<int>(run.size()) - 1;
            kept.push_back(run[0]);
            int c = 0;
            while (c < last) {
                c = FindSegmentEnd(run, c, last, deviation);
                kept.push_back(run[static_cast<std::size_t>(c)]);
            }
        }
        run.clear();
    };
    for (const std::string& item : items) {
        if (IsToolMarker(item)) {
            thin();
            kept.push_back(item);
        } else {
            run.push_back(item);
        }
    }
    thin();
    return kept;
}

void SavePointsAsDxf(CommandContext& ctx, DxfSettings& dxf, double maxDeviation) {
    const auto name = ctx.op.ChooseFile(
        {"SaveDialog4", "DXF Dateien|*.DXF", "DXF", DialogFolder(ctx.settings.DxfInitialDir), true, "TARVO.DXF"});
    if (name) {
        const std::filesystem::path file = ctx.folder.File(*name);
        ctx.settings.DxfInitialDir = StoredFolder(file.parent_path(), ctx.folder.Dir());
        const std::size_t before = ctx.points.Items().size();
        // Fewer than three points have no runs to thin out: they are kept as they are.
        if (before >= 3 && ctx.op.Ask("Linien extrahieren ?", Buttons::OkCancel)) {
            const std::vector<std::string> kept = ExtractLines(ctx.points.Items(), maxDeviation);
            ctx.points.Clear();
            for (const auto& item : kept) {
                ctx.points.Append(item);
            }
            ctx.changes.PanelText.Notify(1, "Lines:" + std::to_string(before) + "/" + std::to_string(kept.size()));
        }
        dxf.maxX = 297;
        dxf.maxY = 210;
        dxf.minX = 0;
        dxf.minY = 0;
        auto lines = DxfHeader(ctx.folder.Dir(), dxf);
        const auto tail = ReadTextLines(ctx.folder.File(kDxfTailFile));
        if (!lines || !tail) {
            ctx.op.ShowError(Ansi("Die DXF-Vorlagen \"dxfhead.asc\" und \"dxftail.asc\" fehlen im Arbeitsordner"));
        } else {
            const auto& items = ctx.points.Items();
            // Every entity its own handle, from 2B on: CAD programs keep only one entity of a handle.
            unsigned handle = 0x2B;
            for (std::size_t i = 1; i < items.size(); ++i) {
                // A marker carries no coordinates: no segment starts or ends at it.
                if (IsToolMarker(items[i - 1]) || IsToolMarker(items[i])) {
                    continue;
                }
                const Point a = ParsePointItem(items[i - 1]);
                const Point b = ParsePointItem(items[i]);
                AddDxfLine(*lines, a.x, a.y, b.x, b.y, handle++);
            }
            lines->insert(lines->end(), tail->begin(), tail->end());
            const WriteResult r = WriteFileAtomic(file, JoinLines(*lines));
            if (!r.ok) {
                ctx.op.ShowError(r.error);
            }
        }
    }
    if (ctx.op.Ask(ctx.UiText(kTextClearPoints), Buttons::OkCancel)) {
        ctx.ClearPoints();
    }
}

void SavePointFile(CommandContext& ctx) {
    const auto name = ctx.op.ChooseFile({"SaveDialog3", "ASCII-Punktdateien|*.PNT", "pnt", "", true, "tarvo.pnt"});
    if (!name) {
        return;
    }
    std::vector<std::string> lines;
    for (const auto& item : ctx.points.Items()) {
        if (IsToolMarker(item)) {
            lines.push_back(RemoveSpaces(item));
            continue;
        }
        const Point p = ParsePointItem(item);
        lines.push_back(Fixed(p.x, ctx.settings.Decimals) + " : " + Fixed(p.y, ctx.settings.Decimals));
    }
    const WriteResult r = WriteFileAtomic(ctx.folder.File(*name), JoinLines(lines));
    if (!r.ok) {
        ctx.op.ShowError(r.error);
    }
}

}  // namespace tarvo
