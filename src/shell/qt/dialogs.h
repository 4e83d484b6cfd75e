// The small shared dialogs: the input dialog `TEingabe` and the list choosers (`Tselect_ksys`,
// `Tmerkmalsnamen`), modal and centred on the screen.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <optional>
#include <utility>

#include "shell/operator.h"

class QDialogButtonBox;

namespace tarvo {

// The name filters of a file dialog from the program's "Name|pattern|Name|pattern" list: each
// pair becomes "Name (pattern)", patterns parted by ";" stand side by side, and every pattern
// is offered in upper and lower case (the files of the stations carry either). An empty list
// gives "Alle Dateien (*)".
[[nodiscard]] QStringList DialogFilters(const std::string& ansiFilter);

// OK ("BitBtn1") and "Abbrechen" ("BitBtn2") as named buttons, so a language file reaches them;
// OkCancel also connects them to accept and reject.
QDialogButtonBox* NamedButtons(QDialog* parent);
QDialogButtonBox* OkCancel(QDialog* parent);

class TEingabe final : public QDialog {
public:
    explicit TEingabe(QWidget* parent = nullptr);
    // Shows the dialog with a title and a preset text (all selected); the text on OK.
    std::optional<QString> Ask(const QString& title, const QString& preset);
    QLabel* Titel;
    QLineEdit* Edit1;
};

// A list with OK and Cancel; a double-click counts as OK.
class TListChooser final : public QDialog {
public:
    TListChooser(const QString& name, const QString& caption, QWidget* parent = nullptr);
    // The chosen row (0-based), or nothing on Cancel or without a selection.
    std::optional<int> Choose(const QStringList& items, int preselect = -1);
    QListWidget* lb1;
    // The line below the list says why OK did nothing (the text in the loaded language).
    QLabel* hint;
    QString hintText = "Bitte einen Eintrag wählen";
    // Said at once when the list to choose from is empty.
    QString emptyText = "Keine Einträge vorhanden";
};

// The two-button choice `TAuswahl` ("Auswahl"): `b1` closes with No, `b2` with Yes.
class TAuswahl final : public QDialog {
public:
    explicit TAuswahl(QWidget* parent = nullptr);
    // true for b2, false for b1, nothing when closed otherwise.
    std::optional<bool> Choose(const QString& caption1, const QString& caption2);
    QPushButton* b1;
    QPushButton* b2;

private:
    int m_result = 0;
};

// The text-line dialog `Ttext_zeile` ("Textzeile"): "Anhängen", "Einfügen" (default; disabled
// while recording) and Abort.
class Ttext_zeile final : public QDialog {
public:
    explicit Ttext_zeile(QWidget* parent = nullptr);
    // The button (true = insert) and the text, or nothing on Abort.
    std::optional<std::pair<bool, QString>> Ask(bool insertAllowed);
    QLineEdit* Edit1;
    QPushButton* Anhaengen;
    QPushButton* Einfuegen;

private:
    int m_result = 0;
};

// The system settings `TSys` ("Systemeinstellungen").
class TSys final : public QDialog {
public:
    explicit TSys(QWidget* parent = nullptr);
    std::optional<SystemChoice> Ask(const SystemChoice& current);
    QRadioButton* Durchmesser;
    QRadioButton* Radius;
    QRadioButton* Dezimal;
    QRadioButton* Dms;
    QComboBox* cbSprache;      // the language, effective at the next start
    QComboBox* cbKreisBezug;   // the circles' reference element, kCircleReferences in order
    QComboBox* cbGeradeBezug;  // the lines' reference element, kLineReferences in order
};

// The wait window `Twait_window` ("Info", no border icons): "Bearbeite Daten", its colour
// alternating between blue and red every second while the window is visible.
class Twait_window final : public QDialog {
public:
    explicit Twait_window(QWidget* parent = nullptr);
    QLabel* Label1;
    QTimer* Timer1;

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    bool m_red = false;
};

}  // namespace tarvo
