// The small shared dialogs: the input dialog `TEingabe` and the list choosers (`Tselect_ksys`,
// `Tmerkmalsnamen`), modal and centred on the screen.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <optional>

namespace tarvo {

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
};

}  // namespace tarvo
