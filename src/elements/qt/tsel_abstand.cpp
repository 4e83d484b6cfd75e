#include "elements/qt/tsel_abstand.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QVBoxLayout>

#include "shell/qt/dialogs.h"

namespace tarvo {

Tsel_abstand::Tsel_abstand(QWidget* parent)
    : QDialog(parent), X(new QRadioButton("X Abstand")), Y(new QRadioButton("Y Abstand")) {
    setObjectName("Tsel_abstand");
    setWindowTitle("Auswahl Abstand");
    auto* group = new QGroupBox(" Abstand ", this);
    auto* g = new QVBoxLayout(group);
    g->addWidget(X);
    g->addWidget(Y);
    group->setObjectName("rg1");
    X->setObjectName("RadioButton1");
    Y->setObjectName("RadioButton2");
    auto* buttons = OkCancel(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

std::optional<int> Tsel_abstand::Choose() {
    X->setChecked(true);
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return Y->isChecked() ? 2 : 1;
}

}  // namespace tarvo
