// `TStringLoader`: copies the texts of a window's controls from a language file into the
// controls (LoadStrings) and writes them out (SaveStrings), in the format of shell/stringloader.h.
//
// Which widget property stands for which property of the file, for every named child of the
// window (objectName set, Qt's own "qt_" children left out):
//
//   QAbstractButton (push, tool, check, radio)  Caption = text, Hint = toolTip
//   QLabel                                     Caption = text
//   QGroupBox                                  Caption = title
//   QLineEdit                                  Text = text
//   QMenu                                      Caption = title
//   QAction (menu entries)                     Caption = text
//   QListWidget, QComboBox                     Items = the entries
//   a page of a QTabWidget                     Caption = its tab's text
//   QPlainTextEdit                             Lines = the lines
#pragma once

#include <QWidget>
#include <functional>
#include <string>

#include "shell/stringloader.h"

namespace tarvo {

[[nodiscard]] WindowTexts CollectWidgetTexts(const QWidget& window);
void ApplyWidgetTexts(QWidget& window, const WindowTexts& texts);

class TStringLoader final {
public:
    enum Option : unsigned { slAutoLoad = 1, slAutoSave = 2, slRuntimeOnly = 4 };
    explicit TStringLoader(QWidget& owner) : m_owner(owner) {}

    [[nodiscard]] const std::string& IniFileName() const noexcept { return m_file; }
    // An empty name also takes the automatic options off.
    void SetIniFileName(std::string file);
    [[nodiscard]] unsigned Options() const noexcept { return m_options; }
    // Refused (std::runtime_error "Es ist kein Name der Initialisierungsdatei angegeben") for an
    // automatic option while no file is named.
    void SetOptions(unsigned options);

    // Throws std::runtime_error naming the file when it cannot be read.
    void LoadStrings();
    // Throws std::runtime_error naming the file when it cannot be written.
    void SaveStrings() const;
    // False without a file name or when loading fails; the window then keeps its texts.
    bool TryLoad() noexcept;

    // Texts the window holds besides its widgets (the main window's two text lists).
    std::function<void(WindowTexts&)> ExtraTexts;

private:
    QWidget& m_owner;
    std::string m_file;
    unsigned m_options = 0;
};

}  // namespace tarvo
