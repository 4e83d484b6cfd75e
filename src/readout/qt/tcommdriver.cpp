#include "readout/qt/tcommdriver.h"

#include <QFormLayout>
#include <QVBoxLayout>

#include "readout/readoutlink.h"
#include "shell/qt/qtext.h"

namespace tarvo {

TCommDriver::TCommDriver(ReadoutLink& link, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_link(link), lb1(new QListWidget(this)) {
    setObjectName("TCommDriver");
    setWindowTitle("CommDriver");
    auto* form = new QFormLayout;
    const char* const labels[] = {"Com-Nr.:", "Baud", "Bits", "Parity", "Stop", "Flow", "Output"};
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        m_edits[i] = new QLineEdit(this);
        m_edits[i]->setReadOnly(true);
        form->addRow(labels[i], m_edits[i]);
    }
    m_edits[6]->setObjectName("Edit_out");
    lb1->setObjectName("lb1");
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lb1);
    connect(&m_refresh, &QTimer::timeout, this, &TCommDriver::Render);
    m_refresh.start(200);
}

void TCommDriver::Render() {
    const auto& v = m_link.view;
    const std::string* fields[] = {&v.ComNr, &v.Baud, &v.Bits, &v.Parity, &v.Stop, &v.Flow, &v.Output};
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        std::string text = *fields[i];
        for (char& c : text) {
            if (c == '\r' || c == '\n') {
                c = ' ';  // the terminator shows as a blank
            }
        }
        m_edits[i]->setText(Q(text));
    }
    while (lb1->count() < static_cast<int>(v.Input.size())) {
        lb1->addItem(Q(v.Input[static_cast<std::size_t>(lb1->count())]));
    }
}

}  // namespace tarvo
