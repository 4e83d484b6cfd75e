#include "views/qt/telement_grafik.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QVBoxLayout>

#include "views/elementgraphic.h"
#include "views/qt/panel.h"
#include "views/qt/qpaintercanvas.h"

namespace tarvo {

TElement_grafik::TElement_grafik(ElementGraphic& model, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_model(model),
      ScrollBox1(new QScrollArea(this)),
      Image1(new QLabel),
      lb1(new QListWidget(this)),
      Label1(PanelValue(this, "Label1")),
      Label2(PanelValue(this, "Label2")),
      Label4(PanelValue(this, "Label4")),
      Label5(PanelValue(this, "Label5")),
      Label11(PanelValue(this, "Label11")),
      Label12(PanelValue(this, "Label12")),
      Label13(PanelValue(this, "Label13")),
      Label14(PanelValue(this, "Label14")),
      Label16(PanelValue(this, "Label16")),
      TrackBar1(new QSlider(Qt::Horizontal, this)),
      cb1(new QCheckBox("Immer sichtbar", this)),
      Fit(new QCheckBox("Einpassen", this)) {
    setObjectName("TElement_grafik");
    setWindowTitle("Grafische Darstellung");
    ScrollBox1->setObjectName("ScrollBox1");
    Image1->setObjectName("Image1");
    Image1->setMouseTracking(true);
    Image1->installEventFilter(this);
    ScrollBox1->setWidget(Image1);
    lb1->setObjectName("lb1");
    lb1->setFont(QFont("Courier New", 9));
    lb1->setMaximumHeight(120);
    TrackBar1->setObjectName("TrackBar1");
    TrackBar1->setRange(1, 30);
    TrackBar1->setValue(m_model.TrackBar());
    cb1->setObjectName("cb1");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("BitBtn1");

    auto* panel = new QVBoxLayout;
    const auto row = [&](const char* caption, QLabel* value) { AddPanelRow(panel, this, caption, value); };
    row("X:", Label1);
    row("Y:", Label2);
    row("Faktor", Label4);
    row("Offset", Label5);
    row("Max X", Label11);
    row("Min X", Label12);
    row("Max Y", Label13);
    row("Min Y", Label14);
    row("# Elemente", Label16);
    panel->addWidget(new QLabel("Zoom out", this));
    panel->addWidget(TrackBar1);
    Fit->setObjectName("Fit");
    Fit->setChecked(true);
    panel->addWidget(Fit);
    panel->addWidget(cb1);
    panel->addStretch(1);
    panel->addWidget(ok);

    auto* left = new QVBoxLayout;
    left->addWidget(ScrollBox1, 1);
    left->addWidget(lb1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(panel);
    resize(900, 600);

    connect(TrackBar1, &QSlider::valueChanged, this, [this](int position) {
        // Zoomed about the middle of what is shown, not about the picture's corner.
        QScrollBar* h = ScrollBox1->horizontalScrollBar();
        QScrollBar* v = ScrollBox1->verticalScrollBar();
        const double cx = (h->value() + ScrollBox1->viewport()->width() / 2.0) / std::max(1, Image1->width());
        const double cy = (v->value() + ScrollBox1->viewport()->height() / 2.0) / std::max(1, Image1->height());
        m_model.SetTrackBar(position);
        Draw();
        h->setValue(static_cast<int>(cx * Image1->width() - ScrollBox1->viewport()->width() / 2.0));
        v->setValue(static_cast<int>(cy * Image1->height() - ScrollBox1->viewport()->height() / 2.0));
    });
    connect(Fit, &QCheckBox::toggled, this, [this](bool on) { SetFitted(on); });
    connect(cb1, &QCheckBox::toggled, this, [this](bool on) {
        m_model.AlwaysVisible = on;
        const bool shown = isVisible();
        setWindowFlag(Qt::WindowStaysOnTopHint, on);
        if (shown) {
            show();
        }
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        cb1->setChecked(false);
        hide();
    });
    if (m_model.BitmapReady()) {
        m_image = QImage(m_model.Width(), m_model.Height(), QImage::Format_RGB32);
        m_image.fill(Qt::white);
        Image1->setPixmap(QPixmap::fromImage(m_image));
        Image1->resize(m_image.size());
        Label1->setText(QString::number(m_model.Width()));
        Label2->setText(QString::number(m_model.Height()));
    }
}

void TElement_grafik::Refresh(bool raise) {
    if (!raise && !isVisible()) {
        return;
    }
    lb1->clear();
    for (const std::string& line : m_model.Lines()) {
        lb1->addItem(Q(line));
    }
    if (lb1->count() > 0) {
        lb1->setCurrentRow(0);
    }
    Draw();
    if (raise) {
        QWidget* main = parentWidget();
        m_model.Shown = true;
        show();
        this->raise();
        PlaceImage();
        if (main != nullptr) {
            main->activateWindow();
        }
    }
}

void TElement_grafik::Draw() {
    if (!m_model.BitmapReady()) {
        return;
    }
    {
        QPainter painter(&m_image);
        double scale = 1;
        if (m_fitted) {
            const QSize room = ScrollBox1->viewport()->size().expandedTo(QSize(10, 10));
            scale = std::max(static_cast<double>(m_image.width()) / room.width(),
                             static_cast<double>(m_image.height()) / room.height());
        }
        QPainterCanvas canvas(painter, scale);
        m_model.Draw(canvas);
    }
    ShowPicture();
    const ElementGraphic::Panel& p = m_model.Labels();
    Label4->setText(Q(p.factor));
    Label5->setText(Q(p.offset));
    Label11->setText(Q(p.maxX));
    Label12->setText(Q(p.minX));
    Label13->setText(Q(p.maxY));
    Label14->setText(Q(p.minY));
    Label16->setText(Q(p.count));
}

void TElement_grafik::SetFitted(bool fitted) {
    m_fitted = fitted;
    if (Fit->isChecked() != fitted) {
        Fit->setChecked(fitted);
    }
    Draw();
    if (!fitted) {
        // 1:1 opens on the middle of the picture, where the elements are drawn.
        ScrollBox1->horizontalScrollBar()->setValue(ScrollBox1->horizontalScrollBar()->maximum() / 2);
        ScrollBox1->verticalScrollBar()->setValue(ScrollBox1->verticalScrollBar()->maximum() / 2);
    }
}

void TElement_grafik::ShowPicture() {
    if (m_image.isNull()) {
        return;
    }
    if (m_fitted) {
        const QSize room = ScrollBox1->viewport()->size() - QSize(2, 2);
        const QImage shown =
            m_image.scaled(room.expandedTo(QSize(10, 10)), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        m_shownScale = static_cast<double>(m_image.width()) / std::max(1, shown.width());
        Image1->setPixmap(QPixmap::fromImage(shown));
        Image1->resize(shown.size());
    } else {
        m_shownScale = 1;
        Image1->setPixmap(QPixmap::fromImage(m_image));
        Image1->resize(m_image.size());
    }
}

// The first placement shows the whole picture in the window.
void TElement_grafik::PlaceImage() {
    if (m_firstPlacement) {
        m_firstPlacement = false;
        Draw();
    }
}

void TElement_grafik::hideEvent(QHideEvent* event) {
    m_model.Shown = false;
    QWidget::hideEvent(event);
}

void TElement_grafik::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    lb1->setFixedWidth(std::max(10, ScrollBox1->width() - 10));
    if (m_fitted) {
        Draw();  // labels and lines drawn for the new size
    }
}

bool TElement_grafik::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && event->type() == QEvent::MouseMove) {
        // In picture pixels, however the picture is shown.
        const QPointF pos = static_cast<QMouseEvent*>(event)->position() * m_shownScale;
        Label1->setText(QString::number(static_cast<int>(pos.x())));
        Label2->setText(QString::number(static_cast<int>(pos.y())));
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace tarvo
