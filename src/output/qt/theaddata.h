// The header-data dialog `TheadData` ("Kopfdaten"): sixteen labelled inputs in two columns,
// "OK", "OK + speichern" and abort; Down or Enter moves to the next input, Up to the previous.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <array>

#include "output/headerdata.h"

namespace tarvo {

class TheadData final : public QDialog {
public:
    explicit TheadData(QWidget* parent = nullptr);
    // Shows the dialog over `dialog`'s inputs; they hold the edited texts afterwards.
    HeaderClosing Run(HeaderDataDialog& dialog);
    std::array<QLabel*, kHeaderFields> labels{};
    std::array<QLineEdit*, kHeaderFields> edits{};

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    HeaderClosing m_closing = HeaderClosing::Abort;
};

}  // namespace tarvo
