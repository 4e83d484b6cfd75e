// Any bytes as the DXF tail template "dxftail.asc" (the lines before a line "%%") and as points
// (the lines after it), drawn by both DXF writers: the converter's contour drawing and the point
// memory's "Speichern als DXF", with and without the line extraction. What they write reads back:
// the header, then LINE entities whose coordinates are numbers, then the tail as it was read, and
// as many entities as the converter's preview shows.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/mainwindow.h"
#include "base/fileio.h"
#include "base/text.h"
#include "fuzzdir.h"
#include "fuzzoperator.h"
#include "output/contour.h"
#include "output/dxf.h"

namespace {

constexpr std::size_t kEntityLines = 18;

// Checks a written drawing and returns its number of entities.
std::size_t CheckDrawing(const std::filesystem::path& file, const std::vector<std::string>& header,
                         const std::vector<std::string>& tail) {
    const auto bytes = tarvo::ReadFileBytes(file);
    if (!bytes) {
        std::abort();  // reported as written, but not there
    }
    const std::vector<std::string> lines = tarvo::SplitLines(*bytes);
    if (lines.size() < header.size() + tail.size() || !std::equal(header.begin(), header.end(), lines.begin()) ||
        !std::equal(tail.rbegin(), tail.rend(), lines.rbegin())) {
        std::abort();  // the templates do not read back as they were
    }
    const std::size_t body = lines.size() - header.size() - tail.size();
    if (body % kEntityLines != 0) {
        std::abort();
    }
    for (std::size_t e = header.size(); e < header.size() + body; e += kEntityLines) {
        if (lines[e] != "LINE" || lines[e + kEntityLines - 1] != "  0") {
            std::abort();
        }
        for (std::size_t value = 6; value < kEntityLines - 1; value += 2) {
            const tarvo::NumberRead n = tarvo::ReadNumberChecked(lines[e + value]);
            if (!n.ok || !std::isfinite(n.value)) {
                std::abort();  // a coordinate a CAD program cannot read
            }
        }
    }
    return body / kEntityLines;
}

struct Station {
    FuzzOperator op{"out.DXF"};
    tarvo::FixedWallClock clock{tarvo::DateTime{2026, 12, 8, 9, 30, 0}};
    std::filesystem::path dir = FuzzDir("dxf");
    tarvo::Session session{op, clock, dir, dir};
    tarvo::MainWindow window{session};
    Station() { window.FormCreate(); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
    static Station* station = new Station;  // one start-up; the point memory is refilled each run
    const std::filesystem::path& dir = station->dir;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = bytes.find("%%\n");
    const std::string tailText = bytes.substr(0, cut);
    const std::vector<std::string> points =
        cut == std::string::npos ? std::vector<std::string>{} : tarvo::SplitLines(bytes.substr(cut + 3));
    std::ofstream(dir / tarvo::kDxfTailFile, std::ios::binary | std::ios::trunc) << tailText;
    const auto tail = tarvo::ReadTextLines(dir / tarvo::kDxfTailFile);

    tarvo::ConverterPresets presets;
    presets.fileName = "contour.DXF";
    presets.closed = size % 2 == 0;
    std::filesystem::remove(dir / presets.fileName);
    std::vector<std::string> preview;
    const tarvo::DxfSettings limits{false, 297, 210, 0, 0};
    if (!tarvo::CreateDxfFromContour(points, preview, presets, dir, limits)) {
        if (!tail) {
            std::abort();  // drawn without its tail
        }
        const auto header = *tarvo::DxfHeader(dir, limits);
        const std::size_t entities = CheckDrawing(dir / presets.fileName, header, *tail);
        const auto lines = [](const std::vector<std::string>& v) {
            return static_cast<std::size_t>(std::count(v.begin(), v.end(), "LINE"));
        };
        // The preview holds the templates too, and a tail may hold a "LINE" of its own.
        if (entities != lines(preview) - lines(header) - lines(*tail)) {
            std::abort();  // the preview shows another drawing than the file
        }
    }

    tarvo::CommandContext& ctx = station->window.Context();
    ctx.ClearPoints();
    for (const auto& item : points) {
        ctx.points.Append(item);
    }
    station->op.yes = size % 3 == 0;  // the line extraction, and the memory cleared afterwards
    const int errors = station->op.errors;
    std::filesystem::remove(dir / "out.DXF");
    tarvo::DxfSettings dxf;
    tarvo::SavePointsAsDxf(ctx, dxf, 0.01);
    if (tail && station->op.errors == errors) {
        (void)CheckDrawing(dir / "out.DXF", *tarvo::DxfHeader(dir, limits), *tail);
    } else if (tarvo::FileExists(dir / "out.DXF")) {
        std::abort();  // a drawing written and refused
    }
    (void)tarvo::TakeFileNotes();
    return 0;
}
