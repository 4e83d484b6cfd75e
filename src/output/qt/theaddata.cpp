#include "output/qt/theaddata.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/qt/qtext.h"

namespace tarvo {

TheadData::TheadData(QWidget* parent) : QDialog(parent) {
    setObjectName("TheadData");
    setWindowTitle("Kopfdaten");
    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < kHeaderFields; ++i) {
        labels[i] = new QLabel;
        labels[i]->setObjectName(QString("Label%1").arg(i + 1));
        edits[i] = new QLineEdit;
        edits[i]->setObjectName(QString("Edit%1").arg(i + 1));
        edits[i]->setMaxLength(static_cast<int>(kHeaderValueLength));
        edits[i]->installEventFilter(this);
        const int row = static_cast<int>(i % 8);
        const int column = i < 8 ? 0 : 2;
        grid->addWidget(labels[i], row, column);
        grid->addWidget(edits[i], row, column + 1);
    }
    auto* ok = new QPushButton("OK");
    ok->setObjectName("BitBtn1");
    auto* abort = new QPushButton("Abbruch");
    abort->setObjectName("BitBtn2");
    auto* save = new QPushButton("OK + speichern");
    save->setObjectName("BitBtn3");
    connect(ok, &QPushButton::clicked, this, [this] {
        m_closing = HeaderClosing::Ok;
        accept();
    });
    connect(save, &QPushButton::clicked, this, [this] {
        m_closing = HeaderClosing::OkSave;
        accept();
    });
    connect(abort, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(save);
    buttons->addWidget(abort);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
}

HeaderClosing TheadData::Run(HeaderDataDialog& dialog) {
    for (std::size_t i = 0; i < kHeaderFields; ++i) {
        labels[i]->setText(Q(dialog.Header().labels[i]));
        edits[i]->setText(Q(dialog.inputs[i]));
        edits[i]->setVisible(dialog.Visible(i));
    }
    m_closing = HeaderClosing::Abort;
    if (exec() != QDialog::Accepted) {
        return HeaderClosing::Abort;
    }
    for (std::size_t i = 0; i < kHeaderFields; ++i) {
        dialog.inputs[i] = A(edits[i]->text());
    }
    return m_closing;
}

bool TheadData::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        const bool next = key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter;
        if (next || key == Qt::Key_Up) {
            focusNextPrevChild(next);
            return true;
        }
    }
    return QDialog::eventFilter(watched, e);
}

}  // namespace tarvo
