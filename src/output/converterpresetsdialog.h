// The logic of the converter's presets dialog `Tsetting_gxx` ("Voreinstellungen
// Koordinatenexport"); the window in `qt/` shows it.
#pragma once

#include <string>

#include "output/contour.h"

namespace tarvo {

// The presets dialog's logic: its fields as texts, the check boxes and radio groups, what takes
// effect at once and what OK converts.
class ConverterPresetsDialog final {
public:
    explicit ConverterPresetsDialog(ConverterPresets& presets);
    // The fields as the dialog shows them when it opens.
    void Prefill();
    // The fields as texts; the comments name their controls in `Tsetting_gxx`.
    std::string offsetX;       // Edit1 "Versatz X"
    std::string offsetY;       // Edit2 "Versatz Y"
    std::string toolDiameter;  // Edit3 "Durchmesser"
    std::string fileName;      // Edit4 "Dateiname:"
    std::string depth;         // Edit5 "Eintauchtiefe Z (nur Gxx)"
    std::string maxDeviation;  // Edit6 "Max. zulässige Geradenabweichung (mm)"
    std::string factorX;       // Edit7 "Faktor X"
    std::string factorY;       // Edit8 "Faktor Y"
    // The field behind the control `EditN`, N from 1 to 8; RangeError otherwise.
    [[nodiscard]] std::string& Edit(int n);
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

}  // namespace tarvo
