// `Tsel_abstand` ("Auswahl Abstand"): X or Y distance.
#pragma once

#include <QDialog>
#include <QRadioButton>
#include <optional>

namespace tarvo {

class Tsel_abstand final : public QDialog {
public:
    explicit Tsel_abstand(QWidget* parent = nullptr);
    // 1 for "X Abstand", 2 for "Y Abstand"; nothing unless OK.
    std::optional<int> Choose();
    QRadioButton* X;
    QRadioButton* Y;
};

}  // namespace tarvo
