// The contour converter's window `Tdxf_gxx_main` as a model: its four lists and the hidden
// buffer, its check boxes, its menu commands and the menu table that the window and tarvo-cli
// build on. The geometry and the output files are contour.h's.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "output/contour.h"

namespace tarvo {

class Operator;

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
    void OpenClick();           // the open dialog, then Open
    void ExtractLinesClick();   // "Linien extrahieren"
    void CopyLinesClick();      // "Linien übernehmen"
    void CompensateClick();     // "Radienkompensation"
    void CopyPathClick();       // "ohne Radienkomensation übernehmen"
    void GxxClick();            // "Gxx erstellen", saved under the output file name
    void DxfClick();            // "DXF erstellen"
    void RemoveMarkersClick();  // "+/- entfernen"
    bool PresetsClick();        // "Vorgaben": true on OK
    void VorgabenClick() { (void)PresetsClick(); }
    void ExportClick();  // "Export": presets, then the whole chain
    // Runs a menu command as the window does: a failure (a value beyond the stored reals' range,
    // a file system error) ends it and is shown as an error, never passed on.
    void Run(void (ContourConverter::*command)());
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
