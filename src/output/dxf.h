// DXF drawings and point files of the point memory: a header from the template "dxfhead.asc"
// with the drawing limits filled in, one LINE entity per segment, the tail "dxftail.asc"; the
// line extraction that keeps the corners of straight runs; the ASCII point file (".PNT").
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/fileio.h"

namespace tarvo {

struct CommandContext;

inline constexpr const char* kDxfHeadFile = "dxfhead.asc";
inline constexpr const char* kDxfTailFile = "dxftail.asc";

// The DXF settings of a session: the limits written into the header and whether the header is
// copied unchanged ("nodxflim"); "dxfout" gives the maximum limits at start-up.
struct DxfSettings {
    bool noLimits = false;
    double maxX = 0, maxY = 0, minX = 0, minY = 0;
};
void LoadDxfSettings(const std::filesystem::path& dir, DxfSettings& dxf);
// Writes this program's own templates (an AutoCAD R12 ASCII header that opens the entities
// section, and its closing) into the working folder where they are missing.
void InstallDxfTemplates(const std::filesystem::path& dir);

// The header template with the limits filled in (or unchanged with "nodxflim"); nothing when the
// template cannot be read.
[[nodiscard]] std::optional<std::vector<std::string>> DxfHeader(const std::filesystem::path& dir,
                                                                const DxfSettings& dxf);
// The tool markers of a point list: "-" lowers the tool, "+" lifts it (blanks aside).
[[nodiscard]] bool IsToolMarker(const std::string& item);
// One LINE entity in file form (18 lines) with its handle.
void AddDxfLine(std::vector<std::string>& out, long double x1, long double y1, long double x2, long double y2,
                unsigned handle);
// One LINE entity in list form (the converter's preview list).
void AddDxfLineToList(std::vector<std::string>& out, long double x1, long double y1, long double x2, long double y2);

// The index of the last point of the straight run that begins at `start` (within `deviation`).
[[nodiscard]] int FindSegmentEnd(const std::vector<std::string>& items, int start, int last, double deviation);
// The kept points of `items`: the first, the ends of its straight runs, the last; empty for
// fewer than three items. A tool marker ("-", "+") stays where it is and ends the run before it:
// each run of points between markers is thinned on its own (a run of one or two points whole).
[[nodiscard]] std::vector<std::string> ExtractLines(const std::vector<std::string>& items, double deviation);

// The point memory's "Speichern als DXF" and "Speichern". The DXF save thins the points with
// `maxDeviation` (mm), the converter's preset "Max. zulässige Geradenabweichung".
void SavePointsAsDxf(CommandContext& ctx, DxfSettings& dxf, double maxDeviation);
void SavePointFile(CommandContext& ctx);

}  // namespace tarvo
