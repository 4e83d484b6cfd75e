#include "elements/qt/tsel_abstand.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QVBoxLayout>

namespace tarvo {

Tsel_abstand::Tsel_abstand(QWidget* parent)
    : QDialog(parent), X(new QRadioButton("X Abstand")), Y(new QRadioButton("Y Abstand")) {
    setObjectName("Tsel_abstand");
    setWindowTitle("Auswahl Abstand");
    auto* group = new QGroupBox(" Abstand ", this);
    auto* g = new QVBoxLayout(group);
    g->addWidget(X);
    g->addWidget(Y);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
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
