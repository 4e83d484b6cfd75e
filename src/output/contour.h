// The geometry and output of the contour converter `Tdxf_gxx_main`: a list of contour points (a
// point file, or any text file of "X:Y" items with the tool markers "-" and "+") turned, stage by
// stage, into straight lines, a tool path offset by the tool radius, and an incremental G-code
// milling program or a DXF drawing. The window's model is `ContourConverter`
// (contourconverter.h), its presets dialog's `ConverterPresetsDialog` (converterpresetsdialog.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "output/dxf.h"

namespace tarvo {

struct ConverterPresets {
    long double offsetX = 0, offsetY = 0;
    long double factorX = 1, factorY = 1;
    long double toolDiameter = 2;
    long double depth = 1;         // plunge depth Z
    long double maxDeviation = 1;  // mm, for the line extraction
    bool firstPointToZero = true;
    bool closed = true;
    bool left = false;       // compensation side: "Rechts" (false) or "Links"
    bool dxfOutput = false;  // "Gxx Fräsprogramm" (false) or "DXF-Datei"
    std::string fileName = "VOX.GXX";
};

// What a converter step gives: nothing on success, else the message for the operator; the
// destination is then left empty and nothing is written.
using ContourProblem = std::optional<std::string>;

// An item "X:Y" as the converter reads it, by the same rules as the point files: "," counts as
// a decimal point and blanks are dropped; nothing when the item is no readable point.
[[nodiscard]] std::optional<std::pair<long double, long double>> ReadContourPoint(const std::string& item);

// The tool path: the closed contour's segments moved by half the diameter to the right (or left)
// of their direction, each vertex where the moved neighbours meet. A diameter of 0 copies the
// items. Repeated points are taken once; a straight continuation keeps the moved point; a
// contour that turns back on itself (or so nearly that a vertex would lie more than 10 tool
// radii from its point), fewer than two points or a tool marker is refused.
ContourProblem CompensateRadius(const std::vector<std::string>& source, std::vector<std::string>& destination,
                                long double diameter, bool left);
// The incremental G-code program ("G91" ... "M30"). "First point to zero" overwrites the offset
// presets with the first point. An unreadable item, or a marker where the first point is
// needed, is refused.
ContourProblem WriteGxxProgram(const std::vector<std::string>& source, std::vector<std::string>& destination,
                               ConverterPresets& presets);
// The DXF drawing of the contour: the file `presets.fileName` in `dir` (header and tail from the
// templates there) and its preview, entities in list form. It draws the moves the G-code
// program cuts (tool lowered at the start and by "-") and none it travels lifted ("+").
ContourProblem CreateDxfFromContour(const std::vector<std::string>& source, std::vector<std::string>& preview,
                                    ConverterPresets& presets, const std::filesystem::path& dir,
                                    const DxfSettings& dxf);
// The output file name for an output kind: from its first "." up to 10 characters go, then
// ".GXX" or ".DXF" is appended.
[[nodiscard]] std::string OutputFileName(const std::string& name, bool dxf);
// A number as the converter writes it: 3 decimals, no leading blanks, never "-0.000".
[[nodiscard]] std::string ConverterNumber(long double v);

}  // namespace tarvo
