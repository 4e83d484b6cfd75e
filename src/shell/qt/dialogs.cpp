#include "shell/qt/dialogs.h"

#include <QDialogButtonBox>
#include <QVBoxLayout>

namespace tarvo {

TEingabe::TEingabe(QWidget* parent) : QDialog(parent), Titel(new QLabel(this)), Edit1(new QLineEdit(this)) {
    setObjectName("TEingabe");
    setWindowTitle("Eingabe");
    Titel->setObjectName("Titel");
    Edit1->setObjectName("Edit1");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Titel);
    layout->addWidget(Edit1);
    layout->addWidget(buttons);
}

std::optional<QString> TEingabe::Ask(const QString& title, const QString& preset) {
    Titel->setText(title);
    Edit1->setText(preset);
    Edit1->selectAll();
    Edit1->setFocus();
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return Edit1->text();
}

TListChooser::TListChooser(const QString& name, const QString& caption, QWidget* parent)
    : QDialog(parent), lb1(new QListWidget(this)) {
    setObjectName(name);
    setWindowTitle(caption);
    lb1->setObjectName("lb1");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lb1, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lb1);
    layout->addWidget(buttons);
    resize(360, 300);
}

std::optional<int> TListChooser::Choose(const QStringList& items, int preselect) {
    lb1->clear();
    lb1->addItems(items);
    if (preselect >= 0 && preselect < lb1->count()) {
        lb1->setCurrentRow(preselect);
    }
    if (exec() != QDialog::Accepted || lb1->currentRow() < 0) {
        return std::nullopt;
    }
    return lb1->currentRow();
}

}  // namespace tarvo
