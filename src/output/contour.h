// The contour converter `Tdxf_gxx_main`: a list of contour points (a point file, or any text
// file of "X:Y" items with the tool markers "-" and "+") turned, stage by stage, into straight
// lines, a tool path offset by the tool radius, and an incremental G-code milling program or a
// DXF drawing. The presets dialog `Tsetting_gxx` ("Voreinstellungen Koordinatenexport") edits the
// presets. The windows in `qt/` show these models.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "output/dxf.h"

namespace tarvo {

class Operator;

struct ConverterPresets {
    long double offsetX = 0, offsetY = 0;
    long double factorX = 1, factorY = 1;
    long double toolDiameter = 2;
    long double depth = 1;            // plunge depth Z
    long double maxDeviation = 1;     // mm, for the line extraction
    bool firstPointToZero = true;
    bool closed = true;
    bool left = false;                // compensation side: "Rechts" (false) or "Links"
    bool dxfOutput = false;           // "Gxx Fräsprogramm" (false) or "DXF-Datei"
    std::string fileName = "VOX.GXX";
};

// What a converter step gives: nothing on success, else the message for the operator; the
// destination is then left empty and nothing is written.
using ContourProblem = std::optional<std::string>;

// "X:Y" as the converter reads it (Part of the point-file rules: "," is a decimal point, blanks
// go); nothing when the item is no readable point.
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

// The presets dialog's logic: its fields as texts, the check boxes and radio groups, what takes
// effect at once and what OK converts.
class ConverterPresetsDialog final {
public:
    explicit ConverterPresetsDialog(ConverterPresets& presets);
    // The fields as the dialog shows them when it opens.
    void Prefill();
    std::string Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, Edit8;
    [[nodiscard]] bool OffsetsEnabled() const noexcept { return !m_presets.firstPointToZero; }
    [[nodiscard]] const ConverterPresets& Presets() const noexcept { return m_presets; }
    // These take effect at once, also when the dialog is cancelled afterwards.
    void FirstPointToZeroClick(bool on) { m_presets.firstPointToZero = on; }
    void ClosedClick(bool on) { m_presets.closed = on; }
    void SideClick(bool left) { m_presets.left = left; }
    // "Ausgabe als:" rewrites the file name.
    void OutputKindClick(bool dxf);
    [[nodiscard]] bool DxfOutput() const noexcept { return m_dxf; }
    // Double-click on "Faktor X" (axis 0) or "Faktor Y": the field's number negated, stored and
    // shown (the axis mirrored).
    void FactorDblClick(int axis);
    // OK: the fields into the presets.
    void Ok();

private:
    ConverterPresets& m_presets;
    bool m_dxf = false;
};

// The converter window's model: its lists, check boxes and menu commands.
class ContourConverter final {
public:
    ContourConverter(Operator& op, const std::filesystem::path& dir, const DxfSettings& dxf);

    std::vector<std::string> ListBox1;  // "Punkte"
    std::vector<std::string> ListBox2;  // straight lines
    std::vector<std::string> ListBox3;  // tool path
    std::vector<std::string> ListBox4;  // "Gxx Befehle" / "DXF-Datei"
    std::vector<std::string> ListBox5;  // the hidden buffer
    bool cb1 = true;                    // "Geraden"
    bool cb2 = true;                    // "Radius kompensiert"
    ConverterPresets presets;
    [[nodiscard]] std::string OutputLabel() const;

    // "Öffnen": ListBox1 from a text file; false (with a message) when it cannot be read.
    bool Open(const std::filesystem::path& file);
    void OpenClick();              // the open dialog, then Open
    void ExtractLinesClick();      // "Linien extrahieren"
    void CopyLinesClick();         // "Linien übernehmen"
    void CompensateClick();        // "Radienkompensation"
    void CopyPathClick();          // "ohne Radienkomensation übernehmen"
    void GxxClick();               // "Gxx erstellen", saved under the output file name
    void DxfClick();               // "DXF erstellen"
    void RemoveMarkersClick();     // "+/- entfernen"
    bool PresetsClick();           // "Vorgaben": true on OK
    void VorgabenClick() { (void)PresetsClick(); }
    void ExportClick();            // "Export": presets, then the whole chain
    // Delete in list 1..4: the item goes, the one before it (or the first) is selected; returns
    // the new selection, -1 for none.
    int DeleteItem(int list, int index);
    [[nodiscard]] std::vector<std::string>* List(int list);

private:
    bool Report(const ContourProblem& problem);
    void SaveProgram();

    Operator& m_op;
    std::filesystem::path m_dir;
    const DxfSettings& m_dxf;
};

// The converter window's menu: menu, entry (with its "&"), command; "Beenden" (no command)
// closes the window, and "Export" stands in the menu bar itself (no entry).
struct ConverterMenuEntry {
    const char* menu;
    const char* caption;
    void (ContourConverter::*command)();
};
inline constexpr ConverterMenuEntry kConverterMenu[] = {
    {"&Datei", "Ö&ffnen", &ContourConverter::OpenClick},
    {"&Datei", "&Beenden", nullptr},
    {"&Bearbeiten", "&Linien extrahieren", &ContourConverter::ExtractLinesClick},
    {"&Bearbeiten", "L&inien übernehmen", &ContourConverter::CopyLinesClick},
    {"&Bearbeiten", "&Radienkompensation", &ContourConverter::CompensateClick},
    {"&Bearbeiten", "&ohne Radienkomensation übernehmen", &ContourConverter::CopyPathClick},
    {"&Bearbeiten", "&Gxx erstellen", &ContourConverter::GxxClick},
    {"&Bearbeiten", "&DXF erstellen", &ContourConverter::DxfClick},
    {"&Bearbeiten", "&+/- entfernen", &ContourConverter::RemoveMarkersClick},
    {"&Einstellungen", "&Vorgaben", &ContourConverter::VorgabenClick},
    {"&Export", "", &ContourConverter::ExportClick},
};

}  // namespace tarvo
