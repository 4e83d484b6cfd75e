#include "shell/qt/dialogs.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <span>
#include <string_view>

#include "shell/qt/qtext.h"
#include "shell/settings.h"

namespace tarvo {

QStringList DialogFilters(const std::string& ansiFilter) {
    const QStringList parts = Q(ansiFilter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
            const QString pattern = p.trimmed() == "*.*" ? QString("*") : p.trimmed();
            for (const QString& variant : {pattern, pattern.toLower(), pattern.toUpper()}) {
                if (!variant.isEmpty() && !patterns.contains(variant)) {
                    patterns << variant;
                }
            }
        }
        if (!parts[i].trimmed().isEmpty() && !patterns.isEmpty()) {
            filters << parts[i].trimmed() + " (" + patterns.join(' ') + ")";
        }
    }
    if (filters.isEmpty()) {
        filters << "Alle Dateien (*)";
    }
    return filters;
}

QDialogButtonBox* NamedButtons(QDialog* parent) {
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, parent);
    box->button(QDialogButtonBox::Ok)->setObjectName("BitBtn1");
    box->button(QDialogButtonBox::Ok)->setText("OK");
    box->button(QDialogButtonBox::Cancel)->setObjectName("BitBtn2");
    box->button(QDialogButtonBox::Cancel)->setText("Abbrechen");
    return box;
}

QDialogButtonBox* OkCancel(QDialog* parent) {
    QDialogButtonBox* box = NamedButtons(parent);
    QObject::connect(box, &QDialogButtonBox::accepted, parent, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, parent, &QDialog::reject);
    return box;
}

TEingabe::TEingabe(QWidget* parent) : QDialog(parent), Titel(new QLabel(this)), Edit1(new QLineEdit(this)) {
    setObjectName("TEingabe");
    setWindowTitle("Eingabe");
    Titel->setObjectName("Titel");
    Edit1->setObjectName("Edit1");
    auto* buttons = OkCancel(this);
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
    : QDialog(parent), lb1(new QListWidget(this)), hint(new QLabel(this)) {
    setObjectName(name);
    setWindowTitle(caption);
    lb1->setObjectName("lb1");
    hint->setObjectName("Hint");
    auto* buttons = NamedButtons(this);
    // OK (or Enter) without a selected entry does nothing: the dialog stays open. The list's
    // current row alone is no choice: it is row 0 as soon as the list has the focus.
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (!lb1->selectedItems().isEmpty()) {
            accept();
        } else {
            hint->setText(hintText);  // not a silent dead end
        }
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(lb1, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(lb1, &QListWidget::itemSelectionChanged, hint, &QLabel::clear);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lb1);
    layout->addWidget(hint);
    layout->addWidget(buttons);
    resize(360, 300);
}

std::optional<int> TListChooser::Choose(const QStringList& items, int preselect) {
    hint->clear();
    lb1->clear();
    lb1->addItems(items);
    if (items.isEmpty()) {
        hint->setText(emptyText);
    }
    if (preselect >= 0 && preselect < lb1->count()) {
        lb1->setCurrentRow(preselect);
    }
    if (exec() != QDialog::Accepted || lb1->selectedItems().isEmpty()) {
        return std::nullopt;
    }
    return lb1->row(lb1->selectedItems().front());
}

TAuswahl::TAuswahl(QWidget* parent) : QDialog(parent), b1(new QPushButton(this)), b2(new QPushButton(this)) {
    setObjectName("TAuswahl");
    setWindowTitle("Auswahl");
    b1->setObjectName("b1");
    b2->setObjectName("b2");
    connect(b1, &QPushButton::clicked, this, [this] {
        m_result = 1;
        accept();
    });
    connect(b2, &QPushButton::clicked, this, [this] {
        m_result = 2;
        accept();
    });
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(b1);
    layout->addWidget(b2);
}

std::optional<bool> TAuswahl::Choose(const QString& caption1, const QString& caption2) {
    b1->setText(caption1);
    b2->setText(caption2);
    m_result = 0;
    exec();
    if (m_result == 0) {
        return std::nullopt;
    }
    return m_result == 2;
}

Ttext_zeile::Ttext_zeile(QWidget* parent)
    : QDialog(parent),
      Edit1(new QLineEdit(this)),
      Anhaengen(new QPushButton(QString::fromUtf8("Anhängen"), this)),
      Einfuegen(new QPushButton(QString::fromUtf8("Einfügen"), this)) {
    setObjectName("Ttext_zeile");
    setWindowTitle("Textzeile");
    Edit1->setObjectName("Edit1");
    auto* abort = new QPushButton("Abbruch", this);
    Anhaengen->setObjectName("Anhaengen");
    Einfuegen->setObjectName("Einfuegen");
    abort->setObjectName("Abbruch");
    connect(Anhaengen, &QPushButton::clicked, this, [this] {
        m_result = 1;
        accept();
    });
    connect(Einfuegen, &QPushButton::clicked, this, [this] {
        m_result = 2;
        accept();
    });
    connect(abort, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Anhaengen);
    buttons->addWidget(Einfuegen);
    buttons->addWidget(abort);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Edit1);
    layout->addLayout(buttons);
    resize(480, 100);
}

std::optional<std::pair<bool, QString>> Ttext_zeile::Ask(bool insertAllowed) {
    Edit1->clear();
    Edit1->setFocus();
    Einfuegen->setEnabled(insertAllowed);
    Einfuegen->setDefault(insertAllowed);
    Anhaengen->setDefault(!insertAllowed);
    m_result = 0;
    if (exec() != QDialog::Accepted || m_result == 0) {
        return std::nullopt;
    }
    return std::make_pair(m_result == 2, Edit1->text());
}

namespace {

// The reference boxes list the names in order (a language file replaces only their texts).
template <std::size_t N>
int IndexOf(const std::array<const char*, N>& names, const std::string& name) {
    for (std::size_t i = 0; i < N; ++i) {
        if (name == names[i]) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

template <std::size_t N>
std::string NameAt(const std::array<const char*, N>& names, int index) {
    return names[index >= 0 && static_cast<std::size_t>(index) < N ? static_cast<std::size_t>(index) : 0];
}

}  // namespace

TSys::TSys(QWidget* parent)
    : QDialog(parent),
      Durchmesser(new QRadioButton("Durchmesser")),
      Radius(new QRadioButton("Radius")),
      Dezimal(new QRadioButton("Dezimal")),
      Dms(new QRadioButton("Grad-Minuten-Sekunden")) {
    setObjectName("TSys");
    setWindowTitle("Systemeinstellungen");
    auto* kreis = new QGroupBox(" Kreisberechnung ");
    auto* k = new QVBoxLayout(kreis);
    k->addWidget(Durchmesser);
    k->addWidget(Radius);
    auto* winkel = new QGroupBox(" Winkelausgabe ");
    auto* wl = new QVBoxLayout(winkel);
    wl->addWidget(Dezimal);
    wl->addWidget(Dms);
    auto* sprache = new QGroupBox(" Sprache (ab dem nächsten Start) ");
    auto* sl = new QVBoxLayout(sprache);
    cbSprache = new QComboBox;
    // Each language in its own name.
    cbSprache->addItems({"Deutsch", "English", "Nederlands", "Français", "Polski", "Italiano"});
    sl->addWidget(cbSprache);
    // The reference elements: the program's own search first, then the form standards' names.
    auto* bezug = new QGroupBox(" Bezugselement ");
    auto* bl = new QFormLayout(bezug);
    cbKreisBezug = new QComboBox;
    cbGeradeBezug = new QComboBox;
    for (const auto& [box, names] : {std::pair{cbKreisBezug, std::span<const char* const>(kCircleReferences)},
                                     std::pair{cbGeradeBezug, std::span<const char* const>(kLineReferences)}}) {
        for (const char* name : names) {
            box->addItem(std::string_view(name) == kOwnReference ? QString("Eigene Suche") : QString(name),
                         QString(name));
        }
    }
    bl->addRow("Kreis", cbKreisBezug);
    bl->addRow("Gerade", cbGeradeBezug);
    bezug->setObjectName("rg4");
    cbKreisBezug->setObjectName("cbKreisBezug");
    cbGeradeBezug->setObjectName("cbGeradeBezug");
    kreis->setObjectName("rg1");
    winkel->setObjectName("rg2");
    sprache->setObjectName("rg3");
    Durchmesser->setObjectName("Durchmesser");
    Radius->setObjectName("Radius");
    Dezimal->setObjectName("Dezimal");
    Dms->setObjectName("Dms");
    cbSprache->setObjectName("cbSprache");
    auto* buttons = OkCancel(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(kreis);
    layout->addWidget(winkel);
    layout->addWidget(sprache);
    layout->addWidget(bezug);
    layout->addWidget(buttons);
}

std::optional<SystemChoice> TSys::Ask(const SystemChoice& current) {
    (current.circleMode == 1 ? Radius : Durchmesser)->setChecked(true);
    (current.angleMode == 1 ? Dms : Dezimal)->setChecked(true);
    cbSprache->setCurrentIndex(current.language >= 0 && current.language < cbSprache->count() ? current.language : 0);
    cbKreisBezug->setCurrentIndex(IndexOf(kCircleReferences, current.circleReference));
    cbGeradeBezug->setCurrentIndex(IndexOf(kLineReferences, current.lineReference));
    if (exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return SystemChoice{Radius->isChecked() ? 1 : 0, Dms->isChecked() ? 1 : 0, cbSprache->currentIndex(),
                        NameAt(kCircleReferences, cbKreisBezug->currentIndex()),
                        NameAt(kLineReferences, cbGeradeBezug->currentIndex())};
}

Twait_window::Twait_window(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      Label1(new QLabel("Bearbeite Daten", this)),
      Timer1(new QTimer(this)) {
    setObjectName("Twait_window");
    setWindowTitle("Info");
    Label1->setObjectName("Label1");
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setStyleSheet("color: blue;");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, [this] {
        m_red = !m_red;
        Label1->setStyleSheet(m_red ? "color: red;" : "color: blue;");
    });
    resize(240, 80);
}

void Twait_window::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    Timer1->start();
}

void Twait_window::hideEvent(QHideEvent* e) {
    Timer1->stop();
    QDialog::hideEvent(e);
}

}  // namespace tarvo
