#include "output/qt/tstatistik.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "base/fileio.h"
#include "output/pdfcanvas.h"
#include "output/reportcanvas.h"
#include "shell/qt/qtext.h"
#include "shell/uitexts.h"

namespace tarvo {

namespace {

// A report canvas on a widget's painter: millimetres at a fixed number of pixels.
class PainterCanvas final : public ReportCanvas {
public:
    PainterCanvas(QPainter& painter, double pixelsPerMm, double widthMm)
        : m_p(painter), m_scale(pixelsPerMm), m_width(widthMm) {}
    bool BeginDoc(const std::string&) override { return true; }
    void NewPage() override {}
    bool EndDoc() override { return true; }
    [[nodiscard]] double PageWidthMm() const override { return m_width; }
    void SetFont(const std::string& family, int pointSize) override {
        QFont font(Q(family));
        font.setPixelSize(std::max(8, static_cast<int>(std::lround(pointSize * 25.4 / 72 * m_scale))));
        m_p.setFont(font);
    }
    void SetPenWidth(int pixels) override {
        QPen pen = m_p.pen();
        pen.setWidthF(pixels <= 1 ? 1.0 : pixels * 0.6);
        m_p.setPen(pen);
    }
    void SetColor(unsigned rgb) override {
        QPen pen = m_p.pen();
        pen.setColor(QColor::fromRgb(rgb));
        m_p.setPen(pen);
    }
    void LineMm(double x1, double y1, double x2, double y2) override {
        m_p.drawLine(QPointF(x1 * m_scale, y1 * m_scale), QPointF(x2 * m_scale, y2 * m_scale));
    }
    void TextMm(const std::string& text, double x, double y) override {
        m_p.drawText(QPointF(x * m_scale, y * m_scale + m_p.fontMetrics().ascent()), Q(text));
    }
    void ImageMm(const std::string&, double, double, double, double) override {}

private:
    QPainter& m_p;
    double m_scale;
    double m_width;
};

constexpr double kScreenPixelsPerMm = 4.0;

}  // namespace

StatisticsCharts::StatisticsCharts(QWidget* parent) : QWidget(parent) {
    setObjectName("Diagramme");
    setMinimumSize(640, 440);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void StatisticsCharts::SetContent(const StatisticsContent* content) {
    m_content = content;
    update();
}

void StatisticsCharts::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (m_content == nullptr || m_content->values.empty()) {
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const double w = width() / kScreenPixelsPerMm;
    const double h = height() / kScreenPixelsPerMm;
    PainterCanvas canvas(painter, kScreenPixelsPerMm, w);
    const double m = 2;
    DrawStatisticsChart(*m_content, StatisticsChart::Run, canvas, m, m, w / 2 - 2 * m, h / 2 - 2 * m);
    DrawStatisticsChart(*m_content, StatisticsChart::Histogram, canvas, w / 2 + m, m, w / 2 - 2 * m, h / 2 - 2 * m);
    DrawStatisticsChart(*m_content, StatisticsChart::Individuals, canvas, m, h / 2 + m, w / 2 - 2 * m, h / 2 - 2 * m);
    DrawStatisticsChart(*m_content, StatisticsChart::MovingRange, canvas, w / 2 + m, h / 2 + m, w / 2 - 2 * m,
                        h / 2 - 2 * m);
}

Tstatistik::Tstatistik(JournalStore* store, const UiTexts& texts, PrintFn print, QWidget* parent)
    : QDialog(parent),
      Programm(new QComboBox(this)),
      Merkmal(new QComboBox(this)),
      Von(new QLineEdit(this)),
      Bis(new QLineEdit(this)),
      Stationen(new QLineEdit(this)),
      Anzeigen(new QPushButton(this)),
      Drucken(new QPushButton(this)),
      AlsPdf(new QPushButton(this)),
      AlsCsv(new QPushButton(this)),
      Kennzahlen(new QTableWidget(this)),
      Diagramme(new StatisticsCharts(this)),
      Hinweis(new QLabel(this)),
      m_store(store),
      m_texts(texts),
      m_print(std::move(print)) {
    setObjectName("Tstatistik");
    for (auto [w, name] : std::initializer_list<std::pair<QWidget*, const char*>>{{Programm, "Programm"},
                                                                                  {Merkmal, "Merkmal"},
                                                                                  {Von, "Von"},
                                                                                  {Bis, "Bis"},
                                                                                  {Stationen, "Stationen"},
                                                                                  {Anzeigen, "Anzeigen"},
                                                                                  {Drucken, "Drucken"},
                                                                                  {AlsPdf, "AlsPdf"},
                                                                                  {AlsCsv, "AlsCsv"},
                                                                                  {Kennzahlen, "Kennzahlen"},
                                                                                  {Hinweis, "Hinweis"}}) {
        w->setObjectName(name);
    }
    Von->setPlaceholderText(QStringLiteral("2024-05-01"));
    Bis->setPlaceholderText(QStringLiteral("2024-06-01"));
    Kennzahlen->setColumnCount(2);
    Kennzahlen->horizontalHeader()->hide();
    Kennzahlen->verticalHeader()->hide();
    Kennzahlen->horizontalHeader()->setStretchLastSection(true);
    Kennzahlen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Kennzahlen->setMinimumWidth(300);

    auto* choice = new QGridLayout;
    const auto label = [this](int n) {
        auto* l = new QLabel(this);
        m_captions.emplace_back(l, n);
        return l;
    };
    m_captions.insert(
        m_captions.end(),
        {{Anzeigen, kMsgStatShow}, {Drucken, kMsgStatPrint}, {AlsPdf, kMsgStatPdf}, {AlsCsv, kMsgStatCsv}});
    choice->addWidget(label(kMsgStatProgram), 0, 0);
    choice->addWidget(Programm, 0, 1);
    choice->addWidget(label(kMsgStatFeature), 1, 0);
    choice->addWidget(Merkmal, 1, 1);
    choice->addWidget(label(kMsgStatFrom), 2, 0);
    choice->addWidget(Von, 2, 1);
    choice->addWidget(label(kMsgStatTo), 3, 0);
    choice->addWidget(Bis, 3, 1);
    choice->addWidget(label(kMsgStatStations), 4, 0);
    choice->addWidget(Stationen, 4, 1);
    auto* side = new QVBoxLayout;
    side->addLayout(choice);
    side->addWidget(Anzeigen);
    side->addWidget(Kennzahlen, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Drucken);
    buttons->addWidget(AlsPdf);
    buttons->addWidget(AlsCsv);
    side->addLayout(buttons);
    auto* top = new QHBoxLayout;
    top->addLayout(side);
    top->addWidget(Diagramme, 1);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top, 1);
    all->addWidget(Hinweis);
    resize(1200, 700);

    connect(Programm, &QComboBox::currentIndexChanged, this, [this] { LoadFeatures(); });
    connect(Anzeigen, &QPushButton::clicked, this, [this] { Show(); });
    connect(Drucken, &QPushButton::clicked, this, [this] {
        if (m_print && !m_content.values.empty()) {
            const StatisticsContent content = m_content;
            m_print([content](ReportCanvas& canvas) { (void)DrawStatisticsReport(content, canvas); });
        }
    });
    connect(AlsPdf, &QPushButton::clicked, this, [this] {
        const QString file =
            QFileDialog::getSaveFileName(this, AlsPdf->text(), QString::fromUtf8(kStatisticsReportFile), "PDF (*.pdf)");
        if (!file.isEmpty()) {
            (void)SavePdf(file);
        }
    });
    connect(AlsCsv, &QPushButton::clicked, this, [this] {
        const QString file =
            QFileDialog::getSaveFileName(this, AlsCsv->text(), QString::fromUtf8(kStatisticsCsvFile), "CSV (*.csv)");
        if (!file.isEmpty()) {
            (void)SaveCsv(file);
        }
    });
    Diagramme->SetContent(&m_content);
    ShowTexts();
}

void Tstatistik::ShowTexts() {
    setWindowTitle(Q(m_texts.UiText(kMsgStatWindow)));
    for (const auto& [widget, n] : m_captions) {
        if (auto* l = qobject_cast<QLabel*>(widget)) {
            l->setText(Q(m_texts.UiText(n)));
        } else if (auto* b = qobject_cast<QPushButton*>(widget)) {
            b->setText(Q(m_texts.UiText(n)));
        }
    }
}

void Tstatistik::Render() {
    ShowTexts();
    const QString program = Programm->currentText();
    const QString feature = Merkmal->currentText();
    QSignalBlocker block(Programm);
    Programm->clear();
    if (m_store == nullptr) {
        Hinweis->setText(Q(m_texts.UiText(kMsgStatNoJournal)));
        return;
    }
    for (const std::string& p : m_store->Programs()) {
        Programm->addItem(Q(p));
    }
    Programm->setCurrentIndex(std::max(0, Programm->findText(program)));
    LoadFeatures();
    Merkmal->setCurrentIndex(std::max(0, Merkmal->findText(feature)));
}

void Tstatistik::LoadFeatures() {
    Merkmal->clear();
    if (m_store == nullptr) {
        return;
    }
    for (const std::string& f : m_store->Features(A(Programm->currentText()))) {
        Merkmal->addItem(Q(f));
    }
}

JournalFilter Tstatistik::Filter() const {
    JournalFilter f;
    f.program = A(Programm->currentText());
    f.feature = A(Merkmal->currentText());
    f.from = A(Von->text().trimmed());
    f.to = A(Bis->text().trimmed());
    for (const QString& st : Stationen->text().split(',', Qt::SkipEmptyParts)) {
        if (!st.trimmed().isEmpty()) {
            f.stations.push_back(A(st.trimmed()));
        }
    }
    f.limit = 500;  // the charts show the newest values; the figures take them all
    return f;
}

void Tstatistik::Show() {
    if (m_store == nullptr) {
        return;
    }
    m_content = CollectStatistics(*m_store, Filter(), m_texts);
    Kennzahlen->setRowCount(static_cast<int>(m_content.figures.size()));
    for (std::size_t i = 0; i < m_content.figures.size(); ++i) {
        Kennzahlen->setItem(static_cast<int>(i), 0, new QTableWidgetItem(Q(m_content.figures[i].first)));
        Kennzahlen->setItem(static_cast<int>(i), 1, new QTableWidgetItem(Q(m_content.figures[i].second)));
    }
    Kennzahlen->resizeColumnToContents(0);
    Hinweis->setText(Q(m_content.title));
    Diagramme->SetContent(&m_content);
}

bool Tstatistik::SavePdf(const QString& file) {
    PdfCanvas canvas(file.toStdString());
    if (!DrawStatisticsReport(m_content, canvas)) {
        Hinweis->setText(Q(canvas.Error()));
        return false;
    }
    Hinweis->setText(Q(m_texts.Compose(kMsgStatSaved, {A(file)})));
    return true;
}

bool Tstatistik::SaveCsv(const QString& file) {
    const WriteResult r =
        WriteFileAtomic(file.toStdString(), StatisticsCsv(m_content.filter, m_content.stats, m_content.values));
    if (!r.ok) {
        Hinweis->setText(Q(r.error));
        return false;
    }
    Hinweis->setText(Q(m_texts.Compose(kMsgStatSaved, {A(file)})));
    return true;
}

}  // namespace tarvo
