#include "coords/qt/tkalibrierung.h"

#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

#include "app/commandtable.h"
#include "app/mainwindow.h"
#include "base/text.h"
#include "shell/qt/qtext.h"

namespace tarvo {

namespace {
// What each standard asks of the operator, in the order of the kinds.
constexpr int kGuides[] = {kMsgCalGuideLength, kMsgCalGuideMarks, kMsgCalGuideSquare, kMsgCalGuideTurn,
                           kMsgCalGuideGrid};
constexpr int kGridKind = static_cast<int>(CalibrationKind::Grid);
bool EdgeKind(int kind) { return kind == 2 || kind == 3; }

// A control with its name, which its language file's section takes.
template <typename W>
W* Named(W* w, const char* name) {
    w->setObjectName(name);
    return w;
}
}  // namespace

CalibrationSketch::CalibrationSketch(QWidget* parent) : QWidget(parent) { setFixedSize(180, 180); }

void CalibrationSketch::Set(int kind, int axis, int edge, int captured, int wanted) {
    m_kind = kind;
    m_axis = axis;
    m_edge = edge;
    m_captured = captured;
    m_wanted = wanted;
    update();
}

void CalibrationSketch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(40, 40, 48));
    // The machine's axes, Y up.
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.drawLine(20, 160, 170, 160);
    p.drawLine(20, 160, 20, 10);
    p.drawText(160, 175, "X");
    p.drawText(5, 20, "Y");
    const auto at = [](double along, double across, bool alongY) {
        return alongY ? QPointF(30 + across, 150 - along) : QPointF(30 + along, 150 - across);
    };
    QList<std::pair<QPointF, QPointF>> edges;
    QList<QList<QPointF>> points;
    if (m_kind <= 1) {
        const bool y = m_axis == 1;
        edges.append({at(0, 4, y), at(130, 4, y)});
        QList<QPointF> marks;
        const int n = m_kind == 0 ? 2 : std::max(2, std::min(m_wanted, 14));
        for (int i = 0; i < n; ++i) {
            marks.append(at(130.0 * i / (n - 1), 4, y));
        }
        points.append(marks);
    } else if (m_kind == kGridKind) {
        // The plate's nodes, row by row from the first.
        QList<QPointF> nodes;
        for (int j = 0; j < 5; ++j) {
            for (int i = 0; i < 5; ++i) {
                nodes.append(at(10 + 28.0 * i, 10 + 28.0 * j, false));
            }
        }
        points.append(nodes);
    } else {
        edges.append({at(10, 4, false), at(130, 4, false)});
        edges.append({at(10, 4, true), at(130, 4, true)});
        for (const bool y : {false, true}) {
            QList<QPointF> marks;
            for (int i = 0; i < 4; ++i) {
                marks.append(at(20 + 35.0 * i, 4, y));
            }
            points.append(marks);
        }
    }
    p.setPen(QPen(QColor(200, 200, 220), 3));
    for (const auto& [a, b] : edges) {
        p.drawLine(a, b);
    }
    // Probed points green, the next one in cyan.
    for (int e = 0; e < points.size(); ++e) {
        for (int i = 0; i < points[e].size(); ++i) {
            const bool done = e < m_edge || (e == m_edge && i < m_captured);
            const bool next = e == m_edge && i == std::min<int>(m_captured, static_cast<int>(points[e].size()) - 1) &&
                              !(!EdgeKind(m_kind) && m_captured >= m_wanted);
            p.setPen(Qt::NoPen);
            p.setBrush(next ? QColor(0, 255, 255) : done ? QColor(0, 200, 0) : QColor(90, 90, 100));
            p.drawEllipse(points[e][i], next ? 5 : 3.5, next ? 5 : 3.5);
        }
    }
}

Tkalibrierung::Tkalibrierung(MainWindow& model, QWidget* parent) : QDialog(parent), m_m(model) {
    setObjectName("Tkalibrierung");
    setWindowTitle("Maschine kalibrieren");
    Verfahren = Named(new QComboBox, "Verfahren");
    Verfahren->addItems({"Länge (Endmaß)", "Glasmaßstab (Marken)", "Winkelnormal (zwei Kanten)",
                         "Umschlag (Kante, um 90° gedreht)", "Gitterplatte (Punkte zeilenweise)"});
    Achse = Named(new QComboBox, "Achse");
    Achse->addItems({"X", "Y"});
    Sollwerte = Named(new QLineEdit("200"), "Sollwerte");
    Sollwerte->setToolTip(
        "Länge in mm; die Marken in mm durch Leerzeichen getrennt; der Sollwinkel in Grad; das Gitter: Abstand X "
        "und Y in mm, Spalten, Zeilen");
    Zertifikat = Named(new QPushButton("Zertifikat (CSV)..."), "Zertifikat");
    Beginnen = Named(new QPushButton("Beginnen"), "Beginnen");
    Antasten = Named(new QPushButton("Antasten (Leertaste)"), "Antasten");
    NaechsteKante = Named(new QPushButton("Nächste Kante"), "NaechsteKante");
    Berechnen = Named(new QPushButton("Berechnen"), "Berechnen");
    Speichern = Named(new QPushButton("Speichern..."), "Speichern");
    Schliessen = Named(new QPushButton("Schließen"), "Schliessen");
    Bediener = Named(new QLineEdit, "Bediener");
    Normal = Named(new QLineEdit, "Normal");
    ZertifikatNr = Named(new QLineEdit, "ZertifikatNr");
    Temperatur = Named(new QLineEdit("20.0"), "Temperatur");
    // The guide and the figures follow the calibration (numbered messages): no language file's.
    Hinweis = new QLabel;
    Hinweis->setWordWrap(true);
    Ergebnis = new QPlainTextEdit;
    Ergebnis->setReadOnly(true);
    Skizze = new CalibrationSketch;
    const auto label = [](const char* name, const char* text) { return Named(new QLabel(text), name); };

    auto* form = new QFormLayout;
    form->addRow(label("LabelVerfahren", "Normal"), Verfahren);
    form->addRow(label("LabelAchse", "Achse"), Achse);
    auto* values = new QHBoxLayout;
    values->addWidget(Sollwerte);
    values->addWidget(Zertifikat);
    form->addRow(label("LabelSollwerte", "Sollwerte"), values);
    auto* top = new QHBoxLayout;
    top->addLayout(form, 1);
    top->addWidget(Skizze);
    auto* steps = new QHBoxLayout;
    for (QPushButton* b : {Beginnen, Antasten, NaechsteKante, Berechnen}) {
        steps->addWidget(b);
    }
    auto* details = new QFormLayout;
    details->addRow(label("LabelBediener", "Bediener"), Bediener);
    details->addRow(label("LabelNormal", "Normal (Kennung)"), Normal);
    details->addRow(label("LabelZertifikatNr", "Zertifikat-Nr."), ZertifikatNr);
    details->addRow(label("LabelTemperatur", "Temperatur in °C"), Temperatur);
    auto* end = new QHBoxLayout;
    end->addStretch();
    end->addWidget(Speichern);
    end->addWidget(Schliessen);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(Hinweis);
    layout->addLayout(steps);
    layout->addWidget(Ergebnis, 1);
    layout->addLayout(details);
    layout->addLayout(end);
    resize(640, 560);

    connect(Verfahren, &QComboBox::currentIndexChanged, this, [this](int kind) {
        Sollwerte->setText(kind == 0 ? "200" : kind == 1 ? "" : kind == kGridKind ? "10 10 11 11" : "90");
        Render();
    });
    connect(Achse, &QComboBox::currentIndexChanged, this, [this] { Render(); });
    connect(Zertifikat, &QPushButton::clicked, this, [this] { LoadCertificate(); });
    connect(Beginnen, &QPushButton::clicked, this, [this] { Start(); });
    connect(Antasten, &QPushButton::clicked, this, [this] { (void)m_m.Run(CommandOf(CommandId::Capture)); });
    connect(NaechsteKante, &QPushButton::clicked, this, [this] { (void)m_m.CalibrationNextEdge(); });
    connect(Berechnen, &QPushButton::clicked, this, [this] { (void)m_m.ComputeCalibration(); });
    connect(Speichern, &QPushButton::clicked, this, [this] { Save(); });
    connect(Schliessen, &QPushButton::clicked, this, [this] {
        m_m.CancelCalibration();
        hide();
    });
    m_m.Changed.Attach(m_changed);
    Render();
}

void Tkalibrierung::Start() {
    const int kind = Verfahren->currentIndex();
    std::vector<long double> certified;
    QString text = Sollwerte->text();
    text.replace(';', ' ');
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
        const NumberRead n = ReadNumberChecked(A(word));
        if (!n.ok) {
            Hinweis->setText(Q(m_m.texts().Compose(kMsgFieldNotNumber, {A(word)})));
            return;
        }
        certified.push_back(n.value);
    }
    m_m.StartCalibration(static_cast<CalibrationKind>(kind), Achse->currentIndex(), certified);
}

void Tkalibrierung::LoadCertificate() {
    const QString file = QFileDialog::getOpenFileName(this, "Zertifikat", QString(), "Zertifikat (*.csv *.txt)");
    if (file.isEmpty()) {
        return;
    }
    std::string problem;
    const auto positions = ReadCertificateCsv(file.toStdString(), problem);
    if (!positions) {
        Hinweis->setText(Q(m_m.texts().Compose(kMsgCalCertificate, {problem})));
        return;
    }
    QStringList words;
    for (const long double p : *positions) {
        words << QString::number(static_cast<double>(p), 'f', 4);
    }
    Verfahren->setCurrentIndex(1);
    Sollwerte->setText(words.join(' '));
}

void Tkalibrierung::Save() {
    CalibrationRecord details;
    details.operatorName = A(Bediener->text());
    details.standard = A(Normal->text());
    details.certificate = A(ZertifikatNr->text());
    details.temperature = A(Temperatur->text());
    (void)m_m.SaveCalibration(details);  // asks first
}

void Tkalibrierung::Render() {
    const CalibrationProcedure* p = m_m.Calibration();
    const int kind = p != nullptr ? static_cast<int>(p->Kind()) : Verfahren->currentIndex();
    Achse->setEnabled(kind <= 1);  // the kinds along one axis
    Skizze->Set(kind, p != nullptr ? p->Axis() : Achse->currentIndex(), p != nullptr ? p->Edge() : 0,
                p != nullptr ? p->Captured() : 0, p != nullptr ? p->Wanted() : (kind == 0 ? 2 : 11));
    QString hint = Q(m_m.texts().Compose(kGuides[std::clamp(kind, 0, kGridKind)], {}));
    if (p != nullptr) {
        hint += "\n" + Q(p->Prompt(m_m.texts()));
    }
    Hinweis->setText(hint);
    Antasten->setEnabled(p != nullptr && !m_m.session().acquisition.FootSwitchMode);
    NaechsteKante->setEnabled(p != nullptr && EdgeKind(kind) && p->Edge() == 0);
    Berechnen->setEnabled(p != nullptr);
    const CalibrationResult* r = m_m.CalibrationOutcome();
    Speichern->setEnabled(r != nullptr && r->ok);
    QString figures;
    if (r != nullptr) {
        for (const std::string& line : r->ok ? r->lines : std::vector<std::string>{r->refusal}) {
            figures += Q(line) + "\n";
        }
    }
    Ergebnis->setPlainText(figures);
}

}  // namespace tarvo
