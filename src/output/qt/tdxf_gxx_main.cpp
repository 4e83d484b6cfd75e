#include "output/qt/tdxf_gxx_main.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QVBoxLayout>
#include <map>

#include "output/contourconverter.h"
#include "shell/qt/qtext.h"

namespace tarvo {

Tdxf_gxx_main::Tdxf_gxx_main(ContourConverter& model, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_model(model),
      m_outputLabel(new QLabel(this)),
      cb1(new QCheckBox("Geraden", this)),
      cb2(new QCheckBox("Radius kompensiert", this)) {
    setObjectName("Tdxf_gxx_main");
    setWindowTitle("Konturkonverter");
    auto* menu = new QMenuBar(this);
    // The captions are UTF-8 in the table, as the source is.
    std::map<std::string, QMenu*> menus;
    for (const ConverterMenuEntry& e : kConverterMenu) {
        QAction* a = nullptr;
        if (*e.caption == 0) {
            a = menu->addAction(QString::fromUtf8(e.menu));
        } else {
            QMenu*& owner = menus[e.menu];
            if (owner == nullptr) {
                owner = menu->addMenu(QString::fromUtf8(e.menu));
            }
            a = owner->addAction(QString::fromUtf8(e.caption));
        }
        const auto command = e.command;
        connect(a, &QAction::triggered, this, [this, command] {
            if (command == nullptr) {
                hide();
                return;
            }
            m_model.Run(command);
            Render();
        });
    }

    auto* grid = new QGridLayout;
    const char* captions[4] = {"Punkte", "", "", ""};
    for (int i = 0; i < 4; ++i) {
        m_lists[static_cast<std::size_t>(i)] = new QListWidget(this);
        QListWidget* l = m_lists[static_cast<std::size_t>(i)];
        l->setObjectName(QString("ListBox%1").arg(i + 1));
        l->setFont(QFont("Courier New", 9));
        l->installEventFilter(this);
        grid->addWidget(i == 3 ? m_outputLabel : new QLabel(captions[i], this), 0, i);
        grid->addWidget(l, 1, i);
    }
    grid->setColumnStretch(3, 2);
    cb1->setObjectName("cb1");
    cb2->setObjectName("cb2");
    cb1->setChecked(m_model.cb1);
    cb2->setChecked(m_model.cb2);
    connect(cb1, &QCheckBox::toggled, this, [this](bool on) { m_model.cb1 = on; });
    connect(cb2, &QCheckBox::toggled, this, [this](bool on) { m_model.cb2 = on; });
    auto* checks = new QHBoxLayout;
    checks->addWidget(cb1);
    checks->addWidget(cb2);
    checks->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    layout->addLayout(grid, 1);
    layout->addLayout(checks);
    resize(1000, 560);
    Render();
}

void Tdxf_gxx_main::Render() {
    for (int i = 0; i < 4; ++i) {
        QListWidget* l = m_lists[static_cast<std::size_t>(i)];
        const int row = l->currentRow();
        l->clear();
        for (const std::string& item : *m_model.List(i + 1)) {
            l->addItem(Q(item));
        }
        l->setCurrentRow(std::min(row, l->count() - 1));
    }
    m_outputLabel->setText(Q(m_model.OutputLabel()));
}

bool Tdxf_gxx_main::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        for (int i = 0; i < 4; ++i) {
            QListWidget* l = m_lists[static_cast<std::size_t>(i)];
            if (watched == l) {
                const int next = m_model.DeleteItem(i + 1, l->currentRow());
                Render();
                l->setCurrentRow(next);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace tarvo
