#include "app/qt/tmain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>
#include <set>

#include "app/commandtable.h"
#include "app/mainwindow.h"
#include "coords/qt/tkalibrierung.h"
#include "data/resultline.h"
#include "elements/reference.h"
#include "output/qt/printercanvas.h"
#include "output/qt/tdxf_gxx_main.h"
#include "output/qt/tstatistik.h"
#include "output/report.h"
#include "shell/qt/qtext.h"
#include "shell/qt/tstringloader.h"
#include "views/qt/telement_grafik.h"

// The button pictures live in the static Qt library; its resources are registered by hand.
static void InitTarvoResources() { Q_INIT_RESOURCE(tarvo); }

namespace tarvo {

int ResultListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_m.lb1().Count(); }

QVariant ResultListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_m.lb1().Count()) {
        return {};
    }
    // The tolerance bar's marker is byte 127 in the stored line; the list shows it as a block.
    return Q(m_m.lb1().Lines()[static_cast<std::size_t>(index.row())]).replace(QChar(0x7F), QChar(0x25AE));
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
      lb1_label(new QLabel(kResultListHeader)),
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
    // The whole line, tolerance bar and all: never cut with "...", wide enough for 80 columns.
    lb1->setTextElideMode(Qt::ElideNone);
    lb1->setMinimumWidth(QFontMetrics(lb1->font()).horizontalAdvance(QString(80, 'M')) + 24);
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
    auto* factorX = new QLabel("Faktor X");
    factorX->setObjectName("Label6");
    auto* factorY = new QLabel("Faktor Y");
    factorY->setObjectName("Label7");
    controls->addWidget(factorX, 0, 2);
    controls->addWidget(FX, 0, 3);
    controls->addWidget(factorY, 1, 2);
    controls->addWidget(FY, 1, 3);
    top->addLayout(controls);
    connect(FX, &QLineEdit::textEdited, this, [this](const QString& t) { Do([&] { m_m.FXChange(A(t)); }); });
    connect(FY, &QLineEdit::textEdited, this, [this](const QString& t) { Do([&] { m_m.FYChange(A(t)); }); });
    connect(FX, &QLineEdit::editingFinished, this, [this] { Do([this] { m_m.FXExit(); }); });
    connect(FY, &QLineEdit::editingFinished, this, [this] { Do([this] { m_m.FYExit(); }); });

    auto* left = new QVBoxLayout;
    left->addLayout(top);
    // The wait of a program run: the points due and the prompt, large, above the list.
    Label1->setStyleSheet("font-size: 18pt; font-weight: bold; background: #fff3a0; padding: 4px;");
    Label1->setWordWrap(true);
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
    auto* pointListButtons = new QHBoxLayout;
    memoryHead->addLayout(pointListButtons);
    p->addLayout(memoryHead);
    p->addWidget(ListBox1);
    auto* grid = new QGridLayout;
    p->addLayout(grid);

    auto* central = new QWidget;
    auto* h = new QHBoxLayout(central);
    h->addLayout(left, 1);
    h->addWidget(panel);
    setCentralWidget(central);

    // Every button and menu entry of the command table.
    QMenu* datei = menuBar()->addMenu("&Datei");
    QMenu* allg = menuBar()->addMenu("&Allgemeines");
    QMenu* zusatz = menuBar()->addMenu("&Zusatzfunktionen");
    datei->setObjectName("Datei1");
    allg->setObjectName("Allgemeines1");
    zusatz->setObjectName("Zusatzfunktionen1");
    std::set<QString> actionNames;
    for (const Command& command : CommandTable()) {
        const QString caption = QString::fromUtf8(command.caption.data(), static_cast<int>(command.caption.size()));
        const auto run = [this, &command] { Do([this, &command] { m_m.Run(command); }); };
        QWidget* owner = nullptr;
        switch (command.place) {
            case Place::ToolPanel:
                grid->addWidget(AddButton(command, caption, run), command.row, command.column);
                break;
            case Place::TopPanel:
                controls->addWidget(AddButton(command, caption, run), command.row, command.column);
                break;
            case Place::PointList:
                pointListButtons->addWidget(AddButton(command, caption, run));
                break;
            case Place::MenuDatei:
                owner = datei;
                break;
            case Place::MenuAllgemeines:
                owner = allg;
                break;
            case Place::MenuZusatz:
                owner = zusatz;
                break;
            case Place::PopupResults:
                owner = lb1;
                break;
            case Place::PopupPoints:
                owner = ListBox1;
                break;
            case Place::None:
                break;
        }
        if (owner != nullptr) {
            auto* a = new QAction(caption, owner);
            // Named as the designer names menu items: the caption's letters and a number.
            QString name;
            for (const QChar c : caption) {
                if (c.unicode() < 128 && c.isLetterOrNumber()) {
                    name += c;
                }
            }
            int n = 1;
            while (!actionNames.insert(name + QString::number(n)).second) {
                ++n;
            }
            a->setObjectName(name + QString::number(n));
            a->setEnabled(command.enabled != Enabled::Pictures || m_m.IsEnabled(command));
            connect(a, &QAction::triggered, this, run);
            owner->addAction(a);
        }
    }

    // Status bar: three panels of 80, 250 and 150 pixels.
    const int widths[3] = {80, 250, 150};
    for (std::size_t i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel;
        m_panels[i]->setFixedWidth(widths[i]);
        m_panels[i]->installEventFilter(this);
        statusBar()->addWidget(m_panels[i]);
    }
    m_calibrationPanel = new QLabel;
    m_calibrationPanel->setObjectName("KalibrierStatus");
    statusBar()->addPermanentWidget(m_calibrationPanel);
    m_referenceLabel = new QLabel;
    m_referenceLabel->setObjectName("BezugStatus");
    statusBar()->addPermanentWidget(m_referenceLabel);
    m_journalLabel = new QLabel;
    m_journalLabel->setObjectName("JournalStatus");
    statusBar()->addPermanentWidget(m_journalLabel);
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
    m_m.session().changes.PrinterSetupRequested.Attach(m_printerSetup);
    m_m.session().changes.ReferenceChanged.Attach(m_referenceChanged);
    m_grafik = new TElement_grafik(m_m.ElementGraphicModel(), this);
    m_m.ShowElementGraphic.Attach(m_showGraphic);
    m_converter = new Tdxf_gxx_main(m_m.Converter(), this);
    m_m.ShowConverter.Attach(m_showConverter);
    m_kalibrierung = new Tkalibrierung(m_m, this);
    m_m.ShowCalibration.Attach(m_showCalibration);
    m_statistik = new Tstatistik(
        m_m.session().journal, m_m.texts(),
        [this](const std::function<void(ReportCanvas&)>& draw) { (void)PreviewAndPrint(draw); }, this);
    m_m.ShowStatistics.Attach(m_showStatistics);
    m_m.LanguageLoaded.Attach(m_languageLoaded);
    m_m.Report.preview = [this](const std::function<void(ReportCanvas&)>& draw) { return PreviewAndPrint(draw); };
    lb1->setFocus();  // the window starts with the result list focused, not a scale field
    Render();
}

void Tmain::ShowGraphic(bool raise) { m_grafik->Refresh(raise); }

// The language the start-up timer chose: the button pictures of its folder, then the main
// window's texts and those of the other windows, each with its caption from the UI texts.
void Tmain::ApplyLanguage() {
    // Qt's own texts (the standard buttons, the file dialogs) in the chosen language too.
    static constexpr const char* kQtLanguages[] = {"de", "en", "nl", "fr", "pl", "it"};
    const int language = m_m.session().settings.Language;
    QCoreApplication::removeTranslator(&m_qtTexts);
    if (language >= 0 && language < static_cast<int>(std::size(kQtLanguages)) &&
        m_qtTexts.load(QString("qtbase_") + kQtLanguages[language],
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&m_qtTexts);
    }
    const std::filesystem::path folder = m_m.LanguageFolderPath();
    if (FileExists(folder / "buttons" / "kreis1.bmp")) {
        for (const auto& [button, command] : m_commands) {
            if (!command->picture.empty()) {
                const QIcon picture(
                    QString::fromStdString((folder / "buttons" / std::string(command->picture)).string()));
                if (!picture.isNull()) {
                    button->setIcon(picture);
                }
            }
        }
    }
    if (m_m.session().settings.Language == 0) {
        return;
    }
    TStringLoader main(*this);
    main.SetIniFileName((folder / kMainLanguageFile).string());
    (void)main.TryLoad();
    for (const LanguageWindow& w : kLanguageWindows) {
        if (auto* window = findChild<QWidget*>(w.window, Qt::FindDirectChildrenOnly)) {
            window->setWindowTitle(Q(m_m.UiText(w.caption)));
            TStringLoader loader(*window);
            loader.SetIniFileName((folder / w.file).string());
            (void)loader.TryLoad();
        }
    }
    m_m.Changed.Notify();
}

void Tmain::SaveLanguageFiles(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    TStringLoader main(*this);
    main.ExtraTexts = [this](WindowTexts& texts) {
        const WindowTexts lists = TextListsOf(m_m.texts());
        texts.insert(texts.end(), lists.begin(), lists.end());
    };
    main.SetIniFileName((dir / kMainLanguageFile).string());
    main.SaveStrings();
    for (const LanguageWindow& w : kLanguageWindows) {
        auto* window = findChild<QWidget*>(w.window, Qt::FindDirectChildrenOnly);
        if (window == nullptr) {
            throw std::runtime_error(std::string("no window ") + w.window);
        }
        TStringLoader loader(*window);
        loader.SetIniFileName((dir / w.file).string());
        loader.SaveStrings();
    }
}

void Tmain::ShowCalibration() {
    m_kalibrierung->Render();
    m_kalibrierung->show();
    m_kalibrierung->raise();
}

void Tmain::ShowStatistics() {
    m_statistik->Render();
    m_statistik->show();
    m_statistik->raise();
}

void Tmain::ShowConverter() {
    m_converter->Render();
    m_converter->show();
    m_converter->raise();
}

Tmain::~Tmain() {
    qApp->removeEventFilter(this);
    m_m.Report.preview = nullptr;
}

QToolButton* Tmain::AddButton(const Command& command, const QString& caption, const std::function<void()>& run) {
    auto* b = new QToolButton;
    b->setObjectName(QString::fromUtf8(command.control.data(), static_cast<int>(command.control.size())));
    b->setText(caption);
    b->setToolTip(QString::fromUtf8(command.hint.data(), static_cast<int>(command.hint.size())));
    connect(b, &QToolButton::clicked, this, run);
    if (command.place == Place::ToolPanel) {
        b->setFixedSize(64, 64);
        const QIcon picture(QString(":/buttons/%1.png").arg(b->objectName()));
        if (!picture.isNull()) {
            b->setIcon(picture);
            b->setIconSize(QSize(48, 48));
            b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        }
    }
    m_buttons[b->objectName()] = b;
    m_commands.emplace_back(b, &command);
    return b;
}

void Tmain::PrinterSetup() {
    QPrintDialog dialog(&m_printer, this);
    dialog.exec();
}

std::optional<std::string> Tmain::PreviewAndPrint(const std::function<void(ReportCanvas&)>& draw) {
    // One way: the preview, whose print button asks once (the system's print dialog, or the
    // PDF file's name where no printer is installed), and beside it "Als PDF speichern".
    const bool printers = !QPrinterInfo::availablePrinters().isEmpty();
    m_printer.setOutputFormat(printers ? QPrinter::NativeFormat : QPrinter::PdfFormat);
    m_printer.setOutputFileName(printers ? QString() : QDir::current().filePath(kReportFile));
    QPrintPreviewDialog preview(&m_printer, this);
    preview.setWindowTitle(Q(m_m.UiText(kMsgPrintPreview)));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&draw](QPrinter* printer) {
        PrinterCanvas canvas(*printer);
        draw(canvas);
    });
    std::optional<std::string> savedAs;
    if (auto* bar = preview.findChild<QToolBar*>()) {
        QAction* pdf = bar->addAction(Q(m_m.UiText(kMsgSaveAsPdf)));
        pdf->setObjectName("SaveAsPdf");
        connect(pdf, &QAction::triggered, &preview, [&] {
            const QString file = QFileDialog::getSaveFileName(
                &preview, Q(m_m.UiText(kMsgSaveAsPdf)), QDir::current().filePath(kReportFile), "PDF (*.pdf *.PDF)");
            if (file.isEmpty()) {
                return;
            }
            QPrinter pdfPrinter(QPrinter::HighResolution);
            pdfPrinter.setOutputFormat(QPrinter::PdfFormat);
            pdfPrinter.setPageLayout(m_printer.pageLayout());
            pdfPrinter.setOutputFileName(file);
            {
                PrinterCanvas canvas(pdfPrinter);
                draw(canvas);
            }
            savedAs = A(QDir::toNativeSeparators(file));
            preview.accept();
        });
    }
    if (preview.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    if (savedAs) {
        return savedAs;
    }
    if (m_printer.outputFormat() == QPrinter::PdfFormat && !m_printer.outputFileName().isEmpty()) {
        return A(QDir::toNativeSeparators(m_printer.outputFileName()));
    }
    return std::string();
}

std::unique_ptr<ReportCanvas> Tmain::ChoosePrinter() {
    if (QPrinterInfo::availablePrinters().isEmpty()) {
        // No printer installed: the report becomes a PDF file, by default in the working folder.
        const QString file = QFileDialog::getSaveFileName(this, "Bericht als PDF speichern",
                                                          QDir::current().filePath(kReportFile), "PDF (*.pdf)");
        if (file.isEmpty()) {
            return nullptr;
        }
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(file);
    } else {
        // The system's print dialog; "Print to File (PDF)" is one of its choices.
        QPrintDialog dialog(&m_printer, this);
        if (dialog.exec() != QDialog::Accepted) {
            return nullptr;
        }
    }
    return std::make_unique<PrinterCanvas>(m_printer);
}

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
    Label1->setText(Q(m_m.Label1));
    Label1->setVisible(m_m.Label1Visible);
    lb1_label->setStyleSheet(m_m.HeaderRed() ? "color: red;" : "color: gray;");
    Label5->setText(Q(m_m.Label5));
    for (std::size_t i = 0; i < 3; ++i) {
        m_panels[i]->setText(Q(m_m.StatusPanels[i]));
    }
    m_calibrationPanel->setText(Q(m_m.CalibrationStatus()));
    m_calibrationPanel->setVisible(!m_m.CalibrationStatus().empty());
    const std::string reference = ReferenceStatus(m_m.Context().settings, m_m.Context().texts);
    m_referenceLabel->setText(Q(reference));
    m_referenceLabel->setVisible(!reference.empty());
    m_journalLabel->setText(Q(m_m.JournalStatus));
    m_journalLabel->setToolTip(Q(m_m.JournalStatus));
    for (const auto& [button, command] : m_commands) {
        button->setEnabled(m_m.IsEnabled(*command));
    }
    const bool scales = m_m.ScaleFieldsActive();
    for (QLineEdit* field : {FX, FY}) {
        field->setEnabled(scales);
        field->setToolTip(scales ? QString() : Q(m_m.UiText(kMsgScaleInactive)));
    }
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
    // A focus request is carried out once, when no dialog holds the keyboard.
    if (m_focusApplied != m_m.FocusRequests && QApplication::activeModalWidget() == nullptr) {
        m_focusApplied = m_m.FocusRequests;
        if (m_m.FocusedControl == "ListBox1") {
            ListBox1->setFocus();
        } else if (m_m.FocusedControl == "lb1") {
            lb1->setFocus();
        }
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
    if (e->type() == QEvent::MouseButtonDblClick &&
        (watched == statusBar() || std::find(m_panels.begin(), m_panels.end(), watched) != m_panels.end())) {
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
