// The contour converter's window `Tdxf_gxx_main`: the lists "Punkte", lines, tool path and
// output ("Gxx Befehle" / "DXF-Datei"), the check boxes "Geraden" and "Radius kompensiert", the
// menus "Datei", "Bearbeiten", "Einstellungen" and "Export". Delete in a list removes its
// selected item.
#pragma once

#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QListWidget;

namespace tarvo {

class ContourConverter;

class Tdxf_gxx_main final : public QWidget {
public:
    Tdxf_gxx_main(ContourConverter& model, QWidget* parent);
    // Shows what the model holds now.
    void Render();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ContourConverter& m_model;
    std::array<QListWidget*, 4> m_lists{};
    QLabel* m_outputLabel;
    QCheckBox* cb1;
    QCheckBox* cb2;
};

}  // namespace tarvo
