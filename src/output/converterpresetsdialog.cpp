#include "output/converterpresetsdialog.h"

#include <iterator>

#include "base/checked.h"
#include "base/text.h"

namespace tarvo {

ConverterPresetsDialog::ConverterPresetsDialog(ConverterPresets& presets) : m_presets(presets) {}

void ConverterPresetsDialog::Prefill() {
    offsetX = ConverterNumber(m_presets.offsetX);
    offsetY = ConverterNumber(m_presets.offsetY);
    toolDiameter = FormatReal(m_presets.toolDiameter, 0, 3);
    fileName = m_presets.fileName;
    depth = FormatReal(m_presets.depth, 0, 3);
    maxDeviation = FormatReal(m_presets.maxDeviation, 0, 3);
    factorX = FormatReal(m_presets.factorX, 0, 3);
    factorY = FormatReal(m_presets.factorY, 0, 3);
    m_dxf = m_presets.dxfOutput;
}

void ConverterPresetsDialog::OutputKindClick(bool dxf) {
    m_dxf = dxf;
    fileName = OutputFileName(fileName, dxf);
}

void ConverterPresetsDialog::FactorDblClick(int axis) {
    std::string& field = axis == 0 ? factorX : factorY;
    const long double v = -ReadNumber(field);
    (axis == 0 ? m_presets.factorX : m_presets.factorY) = v;
    field = FormatReal(v, 0, 3);
}

void ConverterPresetsDialog::Ok() {
    m_presets.offsetX = ReadNumber(offsetX);
    m_presets.offsetY = ReadNumber(offsetY);
    m_presets.toolDiameter = ReadNumber(toolDiameter);
    m_presets.depth = ReadNumber(depth);
    m_presets.maxDeviation = ReadNumber(maxDeviation);
    m_presets.factorX = ReadNumber(factorX);
    m_presets.factorY = ReadNumber(factorY);
    m_presets.dxfOutput = m_dxf;
    m_presets.fileName = RemoveSpaces(fileName).empty() ? (m_dxf ? "VOX.DXF" : "VOX.GXX") : fileName;
}

std::string& ConverterPresetsDialog::Edit(int n) {
    std::string* const fields[] = {&offsetX, &offsetY,      &toolDiameter, &fileName,
                                   &depth,   &maxDeviation, &factorX,      &factorY};
    return *fields[CheckedIndex(n - 1, std::size(fields), "Edit")];
}

}  // namespace tarvo
