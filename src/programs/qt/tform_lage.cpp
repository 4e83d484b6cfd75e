#include "programs/qt/tform_lage.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "base/cp1252.h"
#include "shell/qt/dialogs.h"
#include "shell/qt/qtext.h"

namespace tarvo {

namespace {
using D = GeoToleranceDialog;
// The fields' captions, in D::Field's order.
constexpr const char* kCaptions[D::kFieldCount] = {"Name", "Zone", "Position X", "Position Y", "Nennmaß",
                                                   "OT",   "UT",   "Bezug",      "Winkel"};
}  // namespace

Tform_lage::Tform_lage(QWidget* parent)
    : QDialog(parent), m_kinds(new QTabBar), m_mc(new QComboBox), m_hole(new QComboBox), m_method(new QComboBox) {
    setObjectName("Tform_lage");
    setWindowTitle(QString::fromUtf8("Form- und Lagetoleranz"));
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        m_edits[i] = new QLineEdit;
        m_edits[i]->setObjectName(QString::fromUtf8(kCaptions[i]).replace(' ', '_'));
        m_edits[i]->installEventFilter(this);
    }
    m_kinds->setObjectName("Kinds");
    for (const char* k :
         {"Position", "Rundheit", "Geradheit", "Parallelität", "Rechtwinkligkeit", "Neigung", "Konzentrizität"}) {
        m_kinds->addTab(QString::fromUtf8(k));
    }
    m_kinds->setFocusPolicy(Qt::NoFocus);
    m_kinds->setExpanding(false);
    m_kinds->setUsesScrollButtons(false);
    m_mc->setObjectName("Werkstoffbedingung");
    m_mc->addItems({"RFS", "MMC", "LMC"});
    m_hole->setObjectName("Bohrung_Welle");
    m_hole->addItems({"Bohrung", "Welle"});
    m_method->setObjectName("Methode");
    auto* chooser = new QToolButton;
    chooser->setObjectName("NameChooser");
    chooser->setText("...");
    chooser->setToolTip("F4");
    connect(chooser, &QToolButton::clicked, this, [this] {
        if (m_dialog != nullptr) {
            Store();
            m_dialog->NameDblClick();
            Load();
        }
    });
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Field(D::kName), 1);
    nameRow->addWidget(chooser);
    auto* names = new QFormLayout;
    names->addRow("Name", nameRow);
    auto* page = new QWidget;
    m_form = new QFormLayout(page);
    for (int f = D::kPosX; f < D::kFieldCount; ++f) {
        m_form->addRow(QString::fromUtf8(kCaptions[f]), Field(static_cast<D::Field>(f)));
        if (f == D::kPosY) {
            m_form->addRow("Zone", Field(D::kZone));
            m_form->addRow(QString::fromUtf8("Werkstoffbedingung"), m_mc);
        }
        if (f == D::kLower) {
            m_form->addRow("", m_hole);
        }
    }
    m_form->addRow("Methode", m_method);
    connect(m_kinds, &QTabBar::currentChanged, this, [this](int index) {
        if (m_dialog != nullptr) {
            Store();
            m_dialog->SetKind(static_cast<GeoKind>(index));
            Load();
        }
    });
    auto* buttons = NamedButtons(this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        Store();
        switch (m_dialog->Ok()) {
            case D::Closing::Ok:
                accept();
                break;
            case D::Closing::Cancel:
                reject();
                break;
            case D::Closing::StaysOpen:
                Load();
                break;
        }
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(names);
    layout->addWidget(m_kinds);
    layout->addWidget(page);
    layout->addWidget(buttons);
    setMinimumWidth(480);
}

void Tform_lage::LoadTexts() {
    for (int f = 0; f < D::kFieldCount; ++f) {
        Field(static_cast<D::Field>(f))->setText(Q(m_dialog->Text(static_cast<D::Field>(f))));
    }
    m_mc->setCurrentIndex(static_cast<int>(m_dialog->mc));
    m_hole->setCurrentIndex(m_dialog->hole ? 0 : 1);
    m_method->clear();
    int at = 0;
    const auto methods = m_dialog->Methods();
    for (std::size_t i = 0; i < methods.size(); ++i) {
        m_method->addItem(Q(methods[i]));
        if (methods[i] == m_dialog->method) {
            at = static_cast<int>(i);
        }
    }
    m_method->setCurrentIndex(at);
}

void Tform_lage::Load() {
    const GeoKind kind = m_dialog->Kind();
    m_kinds->blockSignals(true);
    m_kinds->setCurrentIndex(static_cast<int>(kind));
    m_kinds->blockSignals(false);
    const auto order = m_dialog->Order();
    const auto shown = [&order](D::Field f) { return std::find(order.begin(), order.end(), f) != order.end(); };
    for (int f = D::kZone; f < D::kFieldCount; ++f) {
        m_form->setRowVisible(Field(static_cast<D::Field>(f)), shown(static_cast<D::Field>(f)));
    }
    m_form->setRowVisible(m_mc, kind == GeoKind::Position);
    m_form->setRowVisible(m_hole, kind == GeoKind::Position);
    m_form->setRowVisible(m_method, kind == GeoKind::Roundness || kind == GeoKind::Straightness);
    LoadTexts();
    Field(m_dialog->Focus())->setFocus();
}

void Tform_lage::Store() {
    for (int f = 0; f < D::kFieldCount; ++f) {
        m_dialog->Text(static_cast<D::Field>(f)) = A(Field(static_cast<D::Field>(f))->text());
    }
    m_dialog->mc = static_cast<MaterialCondition>(m_mc->currentIndex());
    m_dialog->hole = m_hole->currentIndex() == 0;
    if (m_method->currentIndex() >= 0) {
        m_dialog->method = A(m_method->currentText());
    }
}

bool Tform_lage::eventFilter(QObject* watched, QEvent* e) {
    if (m_dialog == nullptr) {
        return QDialog::eventFilter(watched, e);
    }
    for (int f = 0; f < D::kFieldCount; ++f) {
        if (watched != m_edits[static_cast<std::size_t>(f)]) {
            continue;
        }
        if (e->type() == QEvent::FocusIn) {
            m_dialog->SetFocus(static_cast<D::Field>(f));
        } else if (e->type() == QEvent::FocusOut && f == D::kSize) {
            Store();
            m_dialog->SizeExit();  // a size with its class: nominal, OT, UT and hole or shaft
            LoadTexts();
        } else if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_F4 && f == D::kName) {
                Store();
                m_dialog->NameDblClick();
                Load();
                return true;
            }
            const int vk = key == Qt::Key_Down                               ? 40
                           : key == Qt::Key_Up                               ? 38
                           : key == Qt::Key_Right                            ? 39
                           : (key == Qt::Key_Return || key == Qt::Key_Enter) ? 13
                                                                             : 0;
            if (vk == 39 && f != D::kName) {
                return false;
            }
            if (vk != 0) {
                Store();
                if (f == D::kSize) {
                    m_dialog->SizeExit();
                }
                const D::Field before = m_dialog->Focus();
                m_dialog->KeyDown(vk);
                if (vk == 13 && m_dialog->Focus() == before && f != D::kName) {
                    m_ok->click();  // Enter in the kind's last field: OK
                    return true;
                }
                Load();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, e);
}

bool Tform_lage::Run(GeoToleranceDialog& dialog) {
    m_dialog = &dialog;
    Load();
    // Every kind's tab in view, none cut behind scroll arrows.
    ensurePolished();
    const int wide = m_kinds->sizeHint().width() + 2 * style()->pixelMetric(QStyle::PM_LayoutLeftMargin) + 8;
    setMinimumWidth(wide);
    const bool ok = exec() == QDialog::Accepted;
    m_dialog = nullptr;
    return ok;
}

}  // namespace tarvo
