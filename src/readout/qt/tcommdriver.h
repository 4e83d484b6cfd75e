// The diagnostic window of the readout link `TCommDriver` ("CommDriver"), shown when the file
// "RS_TEST" exists: the port settings, the last request sent and the lines received.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>
#include <array>

namespace tarvo {

class ReadoutLink;

class TCommDriver final : public QDialog {
public:
    explicit TCommDriver(ReadoutLink& link, QWidget* parent = nullptr);
    // Shows what the link's usage layer holds now.
    void Render();

private:
    ReadoutLink& m_link;
    std::array<QLineEdit*, 7> m_edits{};  // Com-Nr., Baud, Bits, Parity, Stop, Flow, Output
    QListWidget* lb1;
    QTimer m_refresh;
};

}  // namespace tarvo
