#include "app/qt/tkamerabild.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "app/videoprobing.h"
#include "base/cp1252.h"

namespace tarvo {

namespace {

constexpr int kBarHeight = 34;
constexpr int kFastestMs = 33;  // 30 frames a second at most

}  // namespace

Tkamerabild::Tkamerabild(VideoProbing& video, std::function<void()> beforeGrab, QWidget* parent)
    : QWidget(parent, Qt::Window), m_video(video), m_beforeGrab(std::move(beforeGrab)) {
    setObjectName("Tkamerabild");
    setWindowTitle(QString::fromUtf8("Kamerabild"));
    resize(1000, 520 + kBarHeight);
    auto* bar = new QHBoxLayout;
    m_edge = new QRadioButton(QString::fromUtf8("Kante"), this);
    m_circle = new QRadioButton(QString::fromUtf8("Kreis aus 3 Klicks"), this);
    m_edge->setChecked(true);
    m_count = new QSpinBox(this);
    m_count->setRange(3, 50);
    m_count->setValue(12);
    m_count->setSuffix(QString::fromUtf8(" Punkte"));
    m_calibrate = new QRadioButton(QString::fromUtf8("Kalibrieren: Normalkreis"), this);
    m_diameter = new QDoubleSpinBox(this);
    m_diameter->setRange(0.01, 100);
    m_diameter->setDecimals(4);
    m_diameter->setValue(1);
    m_diameter->setSuffix(QString::fromUtf8(" mm"));
    m_standard = new QLineEdit(this);
    m_standard->setPlaceholderText(QString::fromUtf8("Normal (Kennung)"));
    m_status = new QLabel(this);
    bar->addWidget(m_edge);
    bar->addWidget(m_circle);
    bar->addWidget(m_count);
    bar->addWidget(m_calibrate);
    bar->addWidget(m_diameter);
    bar->addWidget(m_standard);
    bar->addWidget(m_status, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addLayout(bar);
    layout->addStretch(1);
    connect(m_edge, &QRadioButton::toggled, this, [this] { m_seeds.clear(); });
    connect(m_calibrate, &QRadioButton::toggled, this, [this] {
        m_seeds.clear();
        m_calibrationStarted = false;
    });
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { Tick(); });
    m_clock.start();
}

void Tkamerabild::SetCircleMode(bool on, int count) {
    (on ? m_circle : m_edge)->setChecked(true);
    m_count->setValue(count);
    m_seeds.clear();
}

bool Tkamerabild::Refresh() {
    if (m_beforeGrab) {
        m_beforeGrab();
    }
    Camera* camera = m_video.GetCamera();
    m_haveFrame = camera != nullptr && camera->Grab(m_frame) && !m_frame.Empty();
    if (m_haveFrame) {
        m_image =
            QImage(m_frame.pixels.data(), m_frame.width, m_frame.height, m_frame.width, QImage::Format_Grayscale8);
        const qint64 now = m_clock.elapsed();
        if (m_lastFrameAt >= 0 && now > m_lastFrameAt) {
            m_fps = 0.8 * m_fps + 0.2 * (1000.0 / static_cast<double>(now - m_lastFrameAt));
        }
        m_lastFrameAt = now;
        m_status->setText(QString::fromUtf8(AnsiToUtf8(camera->Name()).c_str()) +
                          QString::asprintf("  %d x %d  %.0f B/s", m_frame.width, m_frame.height, m_fps));
    } else {
        m_image = QImage();
        m_status->setText(
            QString::fromUtf8(camera == nullptr ? "Keine Kamera angeschlossen" : "Die Kamera liefert kein Bild"));
    }
    update();
    return m_haveFrame;
}

void Tkamerabild::Tick() {
    QElapsedTimer took;
    took.start();
    const bool ok = Refresh();
    repaint();
    // At most half the time for the view: the readout's timers run in the other half.
    const int spent = static_cast<int>(took.elapsed());
    m_timer.start(ok ? std::max(kFastestMs - spent, spent) : 500);
}

void Tkamerabild::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    m_timer.start(0);
}

void Tkamerabild::hideEvent(QHideEvent* e) {
    m_timer.stop();
    QWidget::hideEvent(e);
}

QRectF Tkamerabild::PictureRect() const {
    const QRectF area(0, kBarHeight, width(), height() - kBarHeight);
    if (m_frame.Empty()) {
        return area;
    }
    const double scale = std::min(area.width() / m_frame.width, area.height() / m_frame.height);
    const QSizeF size(m_frame.width * scale, m_frame.height * scale);
    return {area.center().x() - size.width() / 2, area.center().y() - size.height() / 2, size.width(), size.height()};
}

PixelPoint Tkamerabild::PixelAt(QPointF pos) const {
    const QRectF r = PictureRect();
    if (m_frame.Empty() || r.width() <= 0) {
        return {-1, -1};
    }
    return {(pos.x() - r.left()) * m_frame.width / r.width() - 0.5,
            (pos.y() - r.top()) * m_frame.height / r.height() - 0.5};
}

void Tkamerabild::Paint(QPainter& p, const QRectF& target) const {
    p.fillRect(target, QColor(24, 24, 28));
    if (m_image.isNull()) {
        p.setPen(Qt::white);
        p.drawText(target, Qt::AlignCenter, m_status->text());
        return;
    }
    p.drawImage(target, m_image);
    const auto at = [&](double x, double y) {
        return QPointF(target.left() + (x + 0.5) * target.width() / m_frame.width,
                       target.top() + (y + 0.5) * target.height() / m_frame.height);
    };
    const QPointF c = at(m_frame.CentreX(), m_frame.CentreY());
    p.setPen(QPen(QColor(0, 255, 255), 1));
    p.drawLine(QPointF(target.left(), c.y()), QPointF(target.right(), c.y()));
    p.drawLine(QPointF(c.x(), target.top()), QPointF(c.x(), target.bottom()));
    p.setPen(QPen(QColor(255, 200, 0), 1.5));
    for (const PixelPoint& s : m_seeds) {
        const QPointF q = at(s.x, s.y);
        p.drawLine(q - QPointF(5, 5), q + QPointF(5, 5));
        p.drawLine(q - QPointF(5, -5), q + QPointF(5, -5));
    }
}

QImage Tkamerabild::Rendered() const {
    QImage out(m_frame.Empty() ? QSize(640, 360) : QSize(m_frame.width, m_frame.height), QImage::Format_RGB32);
    QPainter p(&out);
    Paint(p, QRectF(QPointF(0, 0), QSizeF(out.size())));
    return out;
}

void Tkamerabild::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    Paint(p, PictureRect());
}

void Tkamerabild::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || !PictureRect().contains(e->position())) {
        QWidget::mousePressEvent(e);
        return;
    }
    ClickPixel(PixelAt(e->position()));
}

void Tkamerabild::ClickPixel(PixelPoint p) {
    if (m_edge->isChecked()) {
        (void)m_video.Edge(p);
        return;
    }
    m_seeds.push_back(p);
    if (m_seeds.size() == 3) {
        const PixelPoint seeds[3] = {m_seeds[0], m_seeds[1], m_seeds[2]};
        m_seeds.clear();
        if (m_circle->isChecked()) {
            (void)m_video.Circle(seeds, m_count->value());
        } else if (!m_calibrationStarted) {
            m_calibrationStarted =
                m_video.CalibrateStart(m_diameter->value(), Utf8ToAnsi(m_standard->text().toStdString()), seeds);
        } else if (m_video.CalibrateFinish(seeds)) {
            m_calibrationStarted = false;
        }
    }
    update();
}

}  // namespace tarvo
