#include "output/qt/tsetting_gxx.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "output/converterpresetsdialog.h"
#include "shell/qt/qtext.h"

namespace tarvo {

namespace {

QButtonGroup* Radios(QWidget* parent, QVBoxLayout* into, const char* name, const QString& caption,
                     std::initializer_list<const char*> items) {
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    int id = 0;
    for (const char* item : items) {
        auto* b = new QRadioButton(QString::fromUtf8(item), box);
        group->addButton(b, id++);
        layout->addWidget(b);
    }
    into->addWidget(box);
    return group;
}

}  // namespace

Tsetting_gxx::Tsetting_gxx(QWidget* parent)
    : QDialog(parent),
      cb1(new QCheckBox("Ersten Punkt zu Null setzen", this)),
      cb2(new QCheckBox("geschlossene Kontur", this)) {
    setObjectName("Tsetting_gxx");
    setWindowTitle("Voreinstellungen Koordinatenexport");
    for (int i = 1; i <= 8; ++i) {
        Edit[i] = new QLineEdit(this);
        Edit[i]->setObjectName(QString("Edit%1").arg(i));
    }
    cb1->setObjectName("cb1");
    cb2->setObjectName("cb2");
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    form->addRow("Versatz X", Edit[1]);
    form->addRow("Versatz Y", Edit[2]);
    form->addRow("Faktor X", Edit[7]);
    form->addRow("Faktor Y", Edit[8]);
    form->addRow("Durchmesser", Edit[3]);
    form->addRow("Eintauchtiefe Z (nur Gxx)", Edit[5]);
    form->addRow(QString::fromUtf8("Max. zulässige Geradenabweichung (mm)"), Edit[6]);
    layout->addLayout(form);
    layout->addWidget(cb1);
    layout->addWidget(cb2);
    rg1 = Radios(this, layout, "rg1", "Kompensation in Richtung ...", {"Rechts", "Links"});
    rg2 = Radios(this, layout, "rg2", "Ausgabe als:", {"Gxx Fräsprogramm", "DXF-Datei"});
    auto* name = new QFormLayout;
    name->addRow("Dateiname:", Edit[4]);
    layout->addLayout(name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText("Abbrechen");
    layout->addWidget(buttons);
    Edit[7]->installEventFilter(this);
    Edit[8]->installEventFilter(this);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // These take effect at once.
    connect(cb1, &QCheckBox::clicked, this, [this](bool on) {
        if (m_dialog != nullptr) {
            m_dialog->FirstPointToZeroClick(on);
            Edit[1]->setEnabled(!on);
            Edit[2]->setEnabled(!on);
        }
    });
    connect(cb2, &QCheckBox::clicked, this, [this](bool on) {
        if (m_dialog != nullptr) {
            m_dialog->ClosedClick(on);
        }
    });
    connect(rg1, &QButtonGroup::idClicked, this, [this](int id) {
        if (m_dialog != nullptr) {
            m_dialog->SideClick(id == 1);
        }
    });
    connect(rg2, &QButtonGroup::idClicked, this, [this](int id) {
        if (m_dialog != nullptr) {
            m_dialog->fileName = A(Edit[4]->text());
            m_dialog->OutputKindClick(id == 1);
            Edit[4]->setText(Q(m_dialog->fileName));
        }
    });
}

bool Tsetting_gxx::Run(ConverterPresetsDialog& dialog) {
    m_dialog = &dialog;
    for (int i = 1; i <= 8; ++i) {
        Edit[i]->setText(Q(dialog.Edit(i)));
    }
    const ConverterPresets& p = dialog.Presets();
    cb1->setChecked(p.firstPointToZero);
    cb2->setChecked(p.closed);
    Edit[1]->setEnabled(!p.firstPointToZero);
    Edit[2]->setEnabled(!p.firstPointToZero);
    rg1->button(p.left ? 1 : 0)->setChecked(true);
    rg2->button(dialog.DxfOutput() ? 1 : 0)->setChecked(true);
    const bool ok = exec() == QDialog::Accepted;
    if (ok) {
        for (int i = 1; i <= 8; ++i) {
            dialog.Edit(i) = A(Edit[i]->text());
        }
        dialog.Ok();
    }
    m_dialog = nullptr;
    return ok;
}

bool Tsetting_gxx::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick && m_dialog != nullptr &&
        (watched == Edit[7] || watched == Edit[8])) {
        const int axis = watched == Edit[7] ? 0 : 1;
        std::string& field = axis == 0 ? m_dialog->factorX : m_dialog->factorY;
        field = A(static_cast<QLineEdit*>(watched)->text());
        m_dialog->FactorDblClick(axis);
        static_cast<QLineEdit*>(watched)->setText(Q(field));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tarvo
