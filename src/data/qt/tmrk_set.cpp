#include "data/qt/tmrk_set.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "shell/qt/dialogs.h"
#include "shell/qt/qtext.h"

namespace tarvo {

Tmrk_set::Tmrk_set(QWidget* parent) : QDialog(parent), m_pages(new QTabWidget(this)), m_choice(new QComboBox) {
    setObjectName("Tmrk_set");
    setWindowTitle("Merkmal");
    for (auto& e : m_edits) {
        e = new QLineEdit;
        e->installEventFilter(this);
    }
    Field(FeatureDialog::kName)->setObjectName("Name");
    const auto page = [this](const QString& caption,
                             std::initializer_list<std::pair<const char*, FeatureDialog::Field>> rows) {
        auto* w = new QWidget;
        w->setObjectName(QString("TabSheet%1").arg(m_pages->count() + 1));
        auto* form = new QFormLayout(w);
        for (const auto& [label, field] : rows) {
            Field(field)->setObjectName(label);
            auto* caption = new QLabel(label, w);
            caption->setObjectName(QString("Label_%1").arg(label).replace(' ', '_'));
            form->addRow(caption, Field(field));
        }
        m_pages->addTab(w, caption);
        return form;
    };
    page("Variabel", {{"Nennwert", FeatureDialog::kNennwert},
                      {"OT", FeatureDialog::kOT},
                      {"UT", FeatureDialog::kUT},
                      {"Faktor", FeatureDialog::kFaktor}});
    page("Position", {{"Position X", FeatureDialog::kPositionX},
                      {"Position Y", FeatureDialog::kPositionY},
                      {"Toleranz", FeatureDialog::kToleranz}});
    QFormLayout* attr = page("Attributiv", {});
    m_choice->addItems({"Kein Fehler", "Fehler"});
    m_choice->setObjectName("cbAttribut");
    attr->addRow(m_choice);
    connect(m_pages, &QTabWidget::currentChanged, this, [this](int index) {
        if (m_dialog != nullptr) {
            Store();
            m_dialog->SetPage(static_cast<FeatureDialog::Page>(index));
            Load();
        }
    });
    auto* buttons = NamedButtons(this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        Store();
        switch (m_dialog->Ok()) {
            case FeatureDialog::Closing::Ok:
                accept();
                break;
            case FeatureDialog::Closing::Cancel:
                reject();
                break;
            case FeatureDialog::Closing::StaysOpen:
                Load();
                break;
        }
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // The names file's chooser on a button of its own (and F4 in the name field): a double or
    // triple click into the name selects text, as in every other field.
    auto* chooser = new QToolButton;
    chooser->setObjectName("NameChooser");
    chooser->setText("...");
    chooser->setToolTip("F4");
    connect(chooser, &QToolButton::clicked, this, [this] { OpenNameChooser(); });
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(Field(FeatureDialog::kName), 1);
    nameRow->addWidget(chooser);
    auto* layout = new QVBoxLayout(this);
    auto* names = new QFormLayout;
    names->addRow("Name", nameRow);
    layout->addLayout(names);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);
    // Room for every tab's caption; Tab goes from the name through the fields to the buttons,
    // not through the tab bar.
    m_pages->tabBar()->setFocusPolicy(Qt::NoFocus);
    m_pages->setUsesScrollButtons(false);
    m_pages->tabBar()->setElideMode(Qt::ElideNone);
    setMinimumWidth(380);
    QWidget* previous = Field(FeatureDialog::kName);
    for (QWidget* next : std::initializer_list<QWidget*>{
             chooser, Field(FeatureDialog::kNennwert), Field(FeatureDialog::kOT), Field(FeatureDialog::kUT),
             Field(FeatureDialog::kFaktor), Field(FeatureDialog::kPositionX), Field(FeatureDialog::kPositionY),
             Field(FeatureDialog::kToleranz), m_choice, buttons}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

void Tmrk_set::OpenNameChooser() {
    if (m_dialog == nullptr) {
        return;
    }
    Store();
    m_dialog->SetFocus(FeatureDialog::kName);
    m_dialog->NameDblClick();
    Load();
}

void Tmrk_set::LoadTexts() {
    for (int f = FeatureDialog::kName; f < FeatureDialog::kChoice; ++f) {
        Field(static_cast<FeatureDialog::Field>(f))->setText(Q(m_dialog->Text(static_cast<FeatureDialog::Field>(f))));
    }
    m_choice->setCurrentIndex(m_dialog->choice);
}

void Tmrk_set::Load() {
    LoadTexts();
    const FeatureDialog::Field focus = m_dialog->Focus();
    if (focus == FeatureDialog::kChoice) {
        m_choice->setFocus();
    } else {
        Field(focus)->setFocus();
    }
}

void Tmrk_set::Store() {
    for (int f = FeatureDialog::kName; f < FeatureDialog::kChoice; ++f) {
        m_dialog->Text(static_cast<FeatureDialog::Field>(f)) = A(Field(static_cast<FeatureDialog::Field>(f))->text());
    }
    m_dialog->choice = m_choice->currentIndex();
}

bool Tmrk_set::eventFilter(QObject* watched, QEvent* e) {
    if (m_dialog == nullptr) {
        return QDialog::eventFilter(watched, e);
    }
    for (int f = 0; f < FeatureDialog::kChoice; ++f) {
        if (watched != m_edits[static_cast<std::size_t>(f)]) {
            continue;
        }
        if (e->type() == QEvent::FocusIn) {
            m_dialog->SetFocus(static_cast<FeatureDialog::Field>(f));
        } else if (e->type() == QEvent::FocusOut && f == FeatureDialog::kNennwert) {
            // Leaving "Nennwert" looks the size up; the focus goes on where Tab or the click sent it.
            Store();
            m_dialog->NennwertExit();
            LoadTexts();
        } else if (e->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_F4 && f == FeatureDialog::kName) {
                OpenNameChooser();
                return true;
            }
            const int vk = key == Qt::Key_Down                               ? 40
                           : key == Qt::Key_Up                               ? 38
                           : key == Qt::Key_Right                            ? 39
                           : (key == Qt::Key_Return || key == Qt::Key_Enter) ? 13
                                                                             : 0;
            if (vk == 39 && f != FeatureDialog::kName) {
                return false;  // Right moves the cursor inside the page fields
            }
            if (vk != 0) {
                Store();
                const FeatureDialog::Field before = m_dialog->Focus();
                m_dialog->KeyDown(vk);
                if (vk == 13 && m_dialog->Focus() == before && f != FeatureDialog::kName) {
                    // Enter in the page's last field: the dialog is filled in, OK as drawn.
                    m_ok->click();
                    return true;
                }
                Load();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, e);
}

bool Tmrk_set::Run(FeatureDialog& dialog) {
    // The page first, with no dialog attached: turning back to the first page must not move
    // the focus to that page's first field. On showing, the name has the focus.
    m_dialog = nullptr;
    m_pages->setCurrentIndex(dialog.ActivePage());
    m_dialog = &dialog;
    Load();
    const bool ok = exec() == QDialog::Accepted;
    m_dialog = nullptr;
    return ok;
}

}  // namespace tarvo
