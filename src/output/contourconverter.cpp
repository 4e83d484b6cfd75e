#include "output/contourconverter.h"

#include <algorithm>
#include <exception>

#include "base/cp1252.h"
#include "base/fileio.h"
#include "base/text.h"
#include "output/converterpresetsdialog.h"
#include "shell/operator.h"

namespace tarvo {

ContourConverter::ContourConverter(Operator& op, const std::filesystem::path& dir, const DxfSettings& dxf)
    // The sample a new window shows is a contour its own Export can mill: a plate with a chamfer
    // and points along its edges (a straight run alone would turn back on itself).
    : ListBox1{"0:0", "20:0", "40:0", "60:0", "60:20", "60:30", "50:40", "30:40", "0:40", "0:20"},
      ListBox2{"10:10", "10:50", "50:50", "50:10"},
      m_op(op),
      m_dir(dir),
      m_dxf(dxf) {}

std::string ContourConverter::OutputLabel() const { return presets.dxfOutput ? "DXF-Datei" : "Gxx Befehle"; }

bool ContourConverter::Report(const ContourProblem& problem) {
    if (problem) {
        m_op.ShowError(*problem);
        return false;
    }
    return true;
}

bool ContourConverter::Open(const std::filesystem::path& file) {
    const auto lines = ReadTextLines(m_dir / file);
    if (!lines) {
        TellFileNotes();  // why it cannot be read comes first
        m_op.ShowError(Ansi("Die Datei \"") + file.string() + Ansi("\" kann nicht gelesen werden"));
        return false;
    }
    ListBox1 = *lines;
    while (!ListBox1.empty() && RemoveSpaces(ListBox1.back()).empty()) {
        ListBox1.pop_back();
    }
    return true;
}

void ContourConverter::OpenClick() {
    if (const auto name = m_op.ChooseFile({"OpenDialog1", "Punktdateien|*.PNT|Alle Dateien|*.*", "PNT", "", false})) {
        (void)Open(*name);
    }
}

void ContourConverter::ExtractLinesClick() {
    ListBox2 = ListBox1.size() < 3 ? ListBox1 : ExtractLines(ListBox1, static_cast<double>(presets.maxDeviation));
}

void ContourConverter::CopyLinesClick() { ListBox2 = ListBox1; }

void ContourConverter::Run(void (ContourConverter::*command)()) {
    try {
        (this->*command)();
    } catch (const std::exception& e) {
        m_op.ShowError(e.what());
    }
}

void ContourConverter::CompensateClick() {
    if (!ListBox2.empty()) {
        (void)Report(CompensateRadius(ListBox2, ListBox3, presets.toolDiameter, presets.left));
    }
}

void ContourConverter::CopyPathClick() { ListBox3 = ListBox2; }

void ContourConverter::SaveProgram() {
    const std::filesystem::path file = m_dir / presets.fileName;
    const WriteResult r = WriteFileAtomic(file, JoinLines(ListBox4));
    if (!r.ok) {
        m_op.ShowError(r.error);
        return;
    }
    m_op.ShowInfo(Ansi("Programm gespeichert: ") + file.string());  // where it went
}

void ContourConverter::GxxClick() {
    if (Report(WriteGxxProgram(ListBox3, ListBox4, presets))) {
        SaveProgram();
    }
}

void ContourConverter::DxfClick() { (void)Report(CreateDxfFromContour(ListBox3, ListBox4, presets, m_dir, m_dxf)); }

void ContourConverter::RemoveMarkersClick() {
    ListBox5 = ListBox1;
    ListBox1.clear();
    for (const std::string& item : ListBox5) {
        if (!IsToolMarker(item)) {
            ListBox1.push_back(item);
        }
    }
}

bool ContourConverter::PresetsClick() {
    ConverterPresetsDialog dialog(presets);
    dialog.Prefill();
    return m_op.ShowConverterPresets(dialog);
}

void ContourConverter::ExportClick() {
    if (!PresetsClick()) {
        return;
    }
    if (cb1) {
        ExtractLinesClick();
    } else {
        CopyLinesClick();
    }
    if (cb2) {
        // A refused compensation ends the chain: no program from a broken tool path.
        if (!Report(CompensateRadius(ListBox2, ListBox3, presets.toolDiameter, presets.left))) {
            ListBox4.clear();
            return;
        }
    } else {
        CopyPathClick();
    }
    if (presets.dxfOutput) {
        DxfClick();
    } else {
        GxxClick();
    }
}

std::vector<std::string>* ContourConverter::List(int list) {
    switch (list) {
        case 1:
            return &ListBox1;
        case 2:
            return &ListBox2;
        case 3:
            return &ListBox3;
        case 4:
            return &ListBox4;
        default:
            return nullptr;
    }
}

int ContourConverter::DeleteItem(int list, int index) {
    std::vector<std::string>* items = List(list);
    if (items == nullptr || index < 0 || index >= static_cast<int>(items->size())) {
        return -1;
    }
    items->erase(items->begin() + index);
    if (items->empty()) {
        return -1;
    }
    return std::max(0, index - 1);
}

}  // namespace tarvo
