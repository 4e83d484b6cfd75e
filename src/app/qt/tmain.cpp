#include "app/qt/tmain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/mainwindow.h"
#include "shell/qt/qtext.h"

// The button pictures live in the static Qt library; its resources are registered by hand.
static void InitTarvoResources() { Q_INIT_RESOURCE(tarvo); }

namespace tarvo {

int ResultListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_m.lb1().Count();
}

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_m.lb1().Count()) {
        return {};
    }
    return Q(m_m.lb1().Lines()[static_cast<std::size_t>(index.row())]);
}

namespace {

QFont FixedFont(int pointSize) {
    QFont f = QFontDatabase::families().contains("Courier New") ? QFont("Courier New")
                                                                 : QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPointSize(pointSize);
    return f;
}

QString Css(unsigned rgb) { return QString("color: #%1; background: black;").arg(rgb, 6, 16, QChar('0')); }

}  // namespace

Tmain::Tmain(MainWindow& model, QWidget* parent)
    : QMainWindow(parent),
      m_m(model),
      m_results(model),
      LV1(new QLabel("-")),
      LV2(new QLabel("-")),
      Label1(new QLabel("******")),
      Label5(new QLabel("-")),
      lb1_label(new QLabel(" #  Merkmal               Ergebnis    X-Pos.    Y-Pos     Abw.         .")),
      lb1(new QListView),
      ListBox1(new QListWidget),
      FX(new QLineEdit("1.0000")),
      FY(new QLineEdit("1.0000")) {
    InitTarvoResources();
    setObjectName("Tmain");
    setWindowTitle(Q(m_m.Caption));
    const std::pair<QWidget*, const char*> names[] = {{LV1, "LV1"},           {LV2, "LV2"}, {Label1, "Label1"},
                                                      {Label5, "Label5"},     {lb1, "lb1"}, {lb1_label, "lb1_label"},
                                                      {ListBox1, "ListBox1"}, {FX, "FX"},   {FY, "FY"}};
    for (const auto& [w, name] : names) {
        w->setObjectName(name);
    }
    QFont big = font();
    big.setPointSize(28);
    big.setBold(true);
    for (QLabel* lv : {LV1, LV2}) {
        lv->setFont(big);
        lv->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        lv->setMinimumWidth(260);
    }
    lb1->setModel(&m_results);
    lb1->setUniformItemSizes(true);
    lb1->setFont(FixedFont(10));
    lb1_label->setFont(FixedFont(10));
    lb1->setContextMenuPolicy(Qt::ActionsContextMenu);
    ListBox1->setContextMenuPolicy(Qt::ActionsContextMenu);

    // Position display, trigger and zero buttons, scale factors.
    auto* top = new QHBoxLayout;
    auto* xy = new QVBoxLayout;
    xy->addWidget(LV1);
    xy->addWidget(LV2);
    top->addLayout(xy);
    auto* controls = new QGridLayout;
    const auto button = [this](const QString& name, const QString& caption, const QString& hint,
                               void (MainWindow::*handler)()) {
        auto* b = new QToolButton;
        b->setObjectName(name);
        b->setText(caption);
        b->setToolTip(hint);
        connect(b, &QToolButton::clicked, this, [this, handler] { Do([this, handler] { (m_m.*handler)(); }); });
        m_buttons[name] = b;
        return b;
    };
    controls->addWidget(button("SpeedButton24", "Tastatur", "Triggern mit Tastatur", &MainWindow::SpeedButton24Click), 0, 0);
    controls->addWidget(button("SpeedButton25", QString::fromUtf8("Fußschalter"), QString::fromUtf8("Triggern mit Fußschalter/Kantra"),
                               &MainWindow::SpeedButton25Click), 1, 0);
    controls->addWidget(button("Button1", "X", "X-Nullen", &MainWindow::Button1Click), 0, 1);
    controls->addWidget(button("Button2", "Y", "Y-Nullen", &MainWindow::Button2Click), 1, 1);
    controls->addWidget(new QLabel("Faktor X"), 0, 2);
    controls->addWidget(FX, 0, 3);
    controls->addWidget(new QLabel("Faktor Y"), 1, 2);
    controls->addWidget(FY, 1, 3);
    top->addLayout(controls);
    connect(FX, &QLineEdit::textEdited, this, [this](const QString& t) { Do([&] { m_m.FXChange(A(t)); }); });
    connect(FY, &QLineEdit::textEdited, this, [this](const QString& t) { Do([&] { m_m.FYChange(A(t)); }); });
    connect(FX, &QLineEdit::editingFinished, this, [this] { Do([this] { m_m.FXExit(); }); });
    connect(FY, &QLineEdit::editingFinished, this, [this] { Do([this] { m_m.FYExit(); }); });

    auto* left = new QVBoxLayout;
    left->addLayout(top);
    left->addWidget(Label1);
    left->addWidget(lb1_label);
    left->addWidget(lb1, 1);

    // Panel1: the point memory and the tool buttons.
    auto* panel = new QWidget;
    panel->setObjectName("Panel1");
    panel->setFixedWidth(200);
    auto* p = new QVBoxLayout(panel);
    auto* memoryHead = new QHBoxLayout;
    auto* label3 = new QLabel("Punktespeicher");
    label3->setObjectName("Label3");
    memoryHead->addWidget(label3);
    memoryHead->addWidget(Label5);
    memoryHead->addWidget(button("SpeedButton23", "X", QString::fromUtf8("Punktespeicher löschen"), &MainWindow::SpeedButton23Click));
    p->addLayout(memoryHead);
    p->addWidget(ListBox1);
    struct Tool {
        const char* name;
        const char* caption;
        void (MainWindow::*handler)();
    };
    // Rows of the panel, columns 1 to 3; commands whose subsystem is not built yet stay disabled.
    const Tool tools[8][3] = {
        {{"SpeedButton8", "K-System", &MainWindow::SpeedButton8Click}, {nullptr, nullptr, nullptr}, {nullptr, nullptr, nullptr}},
        {{"SpeedButton1", "Kreis", &MainWindow::SpeedButton1Click}, {"SpeedButton14", "Fläche", nullptr}, {"SpeedButton11", "Lernen", nullptr}},
        {{"SpeedButton2", "2 Punkte", &MainWindow::SpeedButton2Click}, {"SpeedButton17", "X / Y", &MainWindow::SpeedButton17Click}, {"SpeedButton12", "Lern-Ende", nullptr}},
        {{"SpeedButton3", "Gerade-Pkt", &MainWindow::SpeedButton3Click}, {"SpeedButton18", "Eingabe", &MainWindow::SpeedButton18Click}, {"SpeedButton13", "Programm", nullptr}},
        {{"SpeedButton4", "Winkel", &MainWindow::SpeedButton4Click}, {"SpeedButton16", "Soll-Ist", nullptr}, {"SpeedButton19", "ASCII", nullptr}},
        {{"SpeedButton6", "Gerade", &MainWindow::SpeedButton6Click}, {"SpeedButton9", "Symetrie", &MainWindow::SpeedButton9Click}, {"SpeedButton15", "Drucken", nullptr}},
        {{"SpeedButton5", "Punkt", &MainWindow::SpeedButton5Click}, {"SpeedButton21", "Textzeile", &MainWindow::SpeedButton21Click}, {"SpeedButton10", "Hilfe", &MainWindow::HelpClick}},
        {{"SpeedButton22", "Löschen", &MainWindow::SpeedButton22Click}, {"SpeedButton20", "Kopfdaten", nullptr}, {"SpeedButton7", "Ende", nullptr}},
    };
    auto* grid = new QGridLayout;
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 3; ++c) {
            const Tool& t = tools[r][c];
            if (t.name == nullptr) {
                continue;
            }
            QToolButton* b = t.handler != nullptr ? button(t.name, QString::fromUtf8(t.caption), QString::fromUtf8(t.caption), t.handler)
                                                  : nullptr;
            if (b == nullptr) {
                b = new QToolButton;
                b->setObjectName(t.name);
                b->setText(QString::fromUtf8(t.caption));
                b->setEnabled(false);
                m_buttons[t.name] = b;
            }
            b->setFixedSize(64, 64);
            const QIcon picture(QString(":/buttons/%1.png").arg(t.name));
            if (!picture.isNull()) {
                b->setIcon(picture);
                b->setIconSize(QSize(48, 48));
                b->setToolButtonStyle(Qt::ToolButtonIconOnly);
            }
            grid->addWidget(b, r, c);
        }
    }
    m_buttons["SpeedButton7"]->setEnabled(true);
    connect(m_buttons["SpeedButton7"], &QToolButton::clicked, this, [this] {
        m_m.session().run.AbortRequested = 1;
        close();
    });
    p->addLayout(grid);

    auto* central = new QWidget;
    auto* h = new QHBoxLayout(central);
    h->addLayout(left, 1);
    h->addWidget(panel);
    setCentralWidget(central);

    // Menus and context menus.
    const auto action = [this](QWidget* owner, const QString& caption, const std::function<void()>& run) {
        auto* a = new QAction(caption, owner);
        connect(a, &QAction::triggered, this, [this, run] { Do(run); });
        owner->addAction(a);
        return a;
    };
    QMenu* datei = menuBar()->addMenu("&Datei");
    action(datei, "&Hilfe", [this] { m_m.HelpClick(); });
    action(datei, "D&ruckereinrichtung", [this] {
        QPrinter printer;
        QPrintDialog dialog(&printer, this);
        dialog.exec();
    });
    datei->addAction("&Beenden", this, [this] { close(); });
    QMenu* allg = menuBar()->addMenu("&Allgemeines");
    action(allg, "&Renummerieren", [this] { m_m.RenumberClick(); });
    action(allg, "&Speicherinhalt sichern", [this] { m_m.SaveMemoryClick(); });
    action(allg, "S&peicherinhalt laden", [this] { m_m.LoadMemoryClick(); });
    action(allg, "S&ystemeinstellungen", [this] { m_m.SystemSettingsClick(); });
    QMenu* zusatz = menuBar()->addMenu("&Zusatzfunktionen");
    action(zusatz, "&Schnitpunkt(e) Kreis-Gerade", [this] { m_m.CircleLineClick(); });
    action(zusatz, QString::fromUtf8("&Fläche aus Speicherkreis"), [this] { m_m.AreaFromCircleClick(); });
    action(zusatz, "S&chnittpunkt Kreis-Kreis", [this] { m_m.CircleCircleClick(); });
    action(lb1, QString::fromUtf8("&Löschen"), [this] { m_m.SpeedButton22Click(); });
    action(ListBox1, QString::fromUtf8("&Löschen"), [this] { m_m.SpeedButton23Click(); });

    // Status bar: three panels of 80, 250 and 150 pixels.
    const int widths[3] = {80, 250, 150};
    for (std::size_t i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel;
        m_panels[i]->setFixedWidth(widths[i]);
        m_panels[i]->installEventFilter(this);
        statusBar()->addWidget(m_panels[i]);
    }
    statusBar()->setObjectName("StatusBar1");
    statusBar()->installEventFilter(this);

    connect(lb1, &QListView::doubleClicked, this, [this](const QModelIndex& i) {
        Do([this, i] {
            m_m.lb1().SetItemIndex(i.row());
            m_m.lb1DblClick();
        });
    });
    connect(lb1->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& i) {
        if (!m_rendering && i.isValid() && i.row() < m_m.lb1().Count()) {
            m_m.lb1().SetItemIndex(i.row());
        }
    });
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_rendering && row >= 0 && row < m_m.PointCount()) {
            m_m.ListBox1().SetItemIndex(row);
        }
    });
    qApp->installEventFilter(this);
    m_m.Changed.Attach(m_changed);
    Render();
}

Tmain::~Tmain() { qApp->removeEventFilter(this); }

void Tmain::ScheduleRender() {
    // Many changes in one pass of the event loop are shown once.
    if (!m_renderPending) {
        m_renderPending = true;
        QTimer::singleShot(0, this, [this] {
            m_renderPending = false;
            Render();
        });
    }
}

void Tmain::Do(const std::function<void()>& handler) {
    handler();
    Render();
    if (m_m.Closed()) {
        close();
    }
}

void Tmain::Render() {
    m_rendering = true;
    setWindowTitle(Q(m_m.Caption));
    LV1->setText(Q(m_m.LV1));
    LV2->setText(Q(m_m.LV2));
    LV1->setStyleSheet(Css(m_m.LVColour()));
    LV2->setStyleSheet(Css(m_m.LVColour()));
    Label1->setVisible(m_m.Label1Visible);
    Label5->setText(Q(m_m.Label5));
    for (std::size_t i = 0; i < 3; ++i) {
        m_panels[i]->setText(Q(m_m.StatusPanels[i]));
    }
    m_buttons["SpeedButton24"]->setEnabled(m_m.SpeedButton24Enabled());
    m_buttons["SpeedButton25"]->setEnabled(m_m.SpeedButton25Enabled());
    if (!FX->hasFocus()) {
        FX->setText(Q(m_m.ScaleText[0]));
    }
    if (!FY->hasFocus()) {
        FY->setText(Q(m_m.ScaleText[1]));
    }
    if (m_resultsVersion != m_m.ResultsVersion) {
        m_resultsVersion = m_m.ResultsVersion;
        m_results.Reload();
    }
    const int sel = m_m.lb1().ItemIndex();
    if (sel >= 0 && lb1->currentIndex().row() != sel) {
        lb1->setCurrentIndex(m_results.index(sel));
    }
    const auto& items = m_m.ListBox1().Items();
    bool same = ListBox1->count() == static_cast<int>(items.size());
    for (int i = 0; same && i < ListBox1->count(); ++i) {
        same = ListBox1->item(i)->text() == Q(items[static_cast<std::size_t>(i)]);
    }
    if (!same) {
        ListBox1->clear();
        for (const auto& item : items) {
            ListBox1->addItem(Q(item));
        }
    }
    if (ListBox1->currentRow() != m_m.ListBox1().ItemIndex()) {
        ListBox1->setCurrentRow(m_m.ListBox1().ItemIndex());
    }
    if (m_m.FocusedControl == "ListBox1" && !ListBox1->hasFocus() && QApplication::activeModalWidget() == nullptr) {
        ListBox1->setFocus();
    }
    m_rendering = false;
}

bool Tmain::KeyPreview(QKeyEvent* e) {
    const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    unsigned shift = kNoShift;
    if (mods & Qt::ShiftModifier) {
        shift |= kShift;
    }
    if (mods & Qt::ControlModifier) {
        shift |= kCtrl;
    }
    if (mods & Qt::AltModifier) {
        shift |= kAlt;
    }
    const int key = e->key();
    bool consumed = false;
    if (key == Qt::Key_Space) {
        Do([&] { consumed = m_m.FormKeyDown(kKeySpace, shift); });
    } else if (key >= Qt::Key_F1 && key <= Qt::Key_F12) {
        Do([&] { consumed = m_m.FormKeyDown(kKeyF1 + (key - Qt::Key_F1), shift); });
    } else if (key == Qt::Key_Escape) {
        Do([&] { m_m.FormKeyPress(static_cast<char>(kKeyEscape)); });
        consumed = true;
    } else if (key == Qt::Key_Delete && shift == kNoShift) {
        if (ListBox1->hasFocus()) {
            Do([&] { m_m.ListBox1KeyDown(kKeyDelete); });
            consumed = true;
        } else if (lb1->hasFocus()) {
            Do([&] { m_m.lb1KeyDown(kKeyDelete); });
            consumed = true;
        }
    } else if ((e->text() == "X" || e->text() == "Y") && !FX->hasFocus() && !FY->hasFocus()) {
        const char ch = e->text().at(0).toLatin1();
        Do([&] { m_m.FormKeyPress(ch); });
        consumed = true;
    }
    return consumed;
}

bool Tmain::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        auto* w = qobject_cast<QWidget*>(watched);
        // Keys of this window only, and not while one of its modal dialogs has the keyboard.
        if (w != nullptr && w->window() == this && QApplication::activeModalWidget() == nullptr) {
            return KeyPreview(static_cast<QKeyEvent*>(e));
        }
    }
    if (e->type() == QEvent::MouseButtonDblClick && (watched == statusBar() || std::find(m_panels.begin(), m_panels.end(), watched) != m_panels.end())) {
        Do([this] { m_m.StatusBar1DblClick(); });
        return true;
    }
    return QMainWindow::eventFilter(watched, e);
}

void Tmain::closeEvent(QCloseEvent* e) {
    if (!m_m.Close()) {
        e->ignore();
        return;
    }
    m_m.Changed.Detach(m_changed);
    e->accept();
}

void Tmain::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    if (width() < 600) {
        resize(600, height());
    }
    Label1->setVisible(false);
    m_m.Label1Visible = false;
    move(0, 0);
}

}  // namespace tarvo
