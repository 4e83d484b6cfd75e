// The converter's presets dialog `Tsetting_gxx` ("Voreinstellungen Koordinatenexport"): offsets,
// factors (a double-click mirrors the axis), tool diameter, plunge depth, maximum line
// deviation, "Ersten Punkt zu Null setzen", "geschlossene Kontur", the compensation side, the
// output kind and the file name.
#pragma once

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QLineEdit;

namespace tarvo {

class ConverterPresetsDialog;

class Tsetting_gxx final : public QDialog {
public:
    explicit Tsetting_gxx(QWidget* parent);
    // Shows the dialog on `dialog`. @retval true closed with OK (the fields taken over).
    bool Run(ConverterPresetsDialog& dialog);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ConverterPresetsDialog* m_dialog = nullptr;
    QLineEdit* Edit[9] = {};  // Edit1..Edit8 by their numbers
    QCheckBox* cb1;
    QCheckBox* cb2;
    QButtonGroup* rg1;
    QButtonGroup* rg2;
};

}  // namespace tarvo
