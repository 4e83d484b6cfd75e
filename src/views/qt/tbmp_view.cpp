#include "views/qt/tbmp_view.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include "shell/qt/qtext.h"
#include "views/bitmapview.h"
#include "views/qt/panel.h"

namespace tarvo {

namespace {

QImage ImageOf(const PixelBuffer& picture) {
    if (picture.Width() == 0) {
        return {};
    }
    // Rgb is 0xRRGGBB, which is what Format_RGB32 holds.
    return QImage(reinterpret_cast<const uchar*>(picture.Pixels().data()), picture.Width(), picture.Height(),
                  picture.Width() * 4, QImage::Format_RGB32)
        .copy();
}

}  // namespace

TBMP_View::TBMP_View(QWidget* parent)
    : QDialog(parent),
      ScrollBox1(new QScrollArea(this)),
      Image1(new QLabel),
      Image2(new QLabel(this)),
      Label1(PanelValue(this, "Label1")),
      Label2(PanelValue(this, "Label2")),
      Label3(PanelValue(this, "Label3")),
      Label4(PanelValue(this, "Label4")),
      Label5(PanelValue(this, "Label5")),
      Label6(PanelValue(this, "Label6")),
      Label7(PanelValue(this, "Label7")),
      Label8(PanelValue(this, "Label8")),
      StatusBar1(PanelValue(this, "StatusBar1")),
      BitBtn3(new QPushButton(QString::fromUtf8("Fläche"), this)),
      Fit(new QCheckBox("Einpassen", this)) {
    setObjectName("TBMP_View");
    setWindowTitle("Grafische Darstellung");
    ScrollBox1->setObjectName("ScrollBox1");
    Image1->setObjectName("Image1");
    Image1->setMouseTracking(true);
    Image1->installEventFilter(this);
    ScrollBox1->setWidget(Image1);
    Image2->setObjectName("Image2");
    Image2->setFixedSize(kOverviewWidth, kOverviewHeight);
    StatusBar1->setText("");
    BitBtn3->setObjectName("BitBtn3");
    auto* draw = new QPushButton("Zeichnen", this);
    draw->setObjectName("BitBtn4");
    auto* clear = new QPushButton(QString::fromUtf8("Bild Löschen"), this);
    clear->setObjectName("BitBtn5");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("BitBtn1");
    auto* cancel = new QPushButton("Abbrechen", this);
    cancel->setObjectName("BitBtn2");

    auto* panel = new QVBoxLayout;
    panel->addWidget(Image2);
    int captions = 8;
    const auto row = [&](const char* caption, QLabel* value) {
        AddPanelRow(panel, this, caption, value)->setObjectName(QString("Label%1").arg(++captions));
    };
    row("X:", Label1);
    row("Y:", Label2);
    row("Maßstab", Label3);
    row("Offset X", Label4);
    row("Offset Y", Label5);
    row("Übersicht 1:", Label7);
    panel->addWidget(Label8);
    Label6->setStyleSheet("font-weight: bold");
    panel->addWidget(Label6);
    Fit->setObjectName("Fit");
    Fit->setChecked(true);
    panel->addWidget(Fit);
    panel->addStretch(1);
    for (QPushButton* b : {draw, BitBtn3, clear, ok, cancel}) {
        panel->addWidget(b);
    }
    auto* left = new QVBoxLayout;
    left->addWidget(ScrollBox1, 1);
    left->addWidget(StatusBar1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(panel);
    resize(1100, 750);

    connect(draw, &QPushButton::clicked, this, [this] { DrawClick(); });
    connect(BitBtn3, &QPushButton::clicked, this, [this] { AreaClick(); });
    connect(clear, &QPushButton::clicked, this, [this] { ClearClick(); });
    connect(ok, &QPushButton::clicked, this, [this] { OkClick(); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(Fit, &QCheckBox::toggled, this, [this](bool on) { SetFitted(on); });
}

bool TBMP_View::Run(BitmapView& view) {
    m_view = &view;
    m_mark = {-1, -1};
    Label1->setText(QString::number(view.Bitmap().Width()));
    Label2->setText(QString::number(view.Bitmap().Height()));
    DrawClick();
    setWindowState(windowState() | Qt::WindowMaximized);
    const bool ok = exec() == QDialog::Accepted && view.Ok();
    m_view = nullptr;
    return ok;
}

void TBMP_View::DrawClick() {
    if (m_view == nullptr) {
        return;
    }
    if (!m_view->Draw() && !m_view->Problem().empty()) {
        Render();
        QMessageBox::warning(this, "TARVO", Q(Tr(m_view->Problem())));
        return;
    }
    Render();
    // 1:1, show the polygon's middle once the scroll box knows the picture's size.
    const auto [cx, cy] = m_view->PixelOf(m_view->CentreX(), m_view->CentreY());
    QTimer::singleShot(0, this, [this, cx, cy] {
        ScrollBox1->ensureVisible(static_cast<int>(cx / m_shownScale), static_cast<int>(cy / m_shownScale),
                                  ScrollBox1->viewport()->width() / 2, ScrollBox1->viewport()->height() / 2);
    });
}

void TBMP_View::SetFitted(bool fitted) {
    if (Fit->isChecked() != fitted) {
        Fit->setChecked(fitted);  // comes back here through toggled
        return;
    }
    ShowPicture();
    if (!fitted && m_view != nullptr) {
        const auto [cx, cy] = m_view->PixelOf(m_view->CentreX(), m_view->CentreY());
        ScrollBox1->ensureVisible(static_cast<int>(cx), static_cast<int>(cy), ScrollBox1->viewport()->width() / 2,
                                  ScrollBox1->viewport()->height() / 2);
    }
}

void TBMP_View::ShowPicture() {
    const QSize room = ScrollBox1->viewport()->size() - QSize(2, 2);
    if (m_picture.isNull()) {
        Image1->clear();
        return;
    }
    if (Fit->isChecked() && (m_picture.width() > room.width() || m_picture.height() > room.height())) {
        const QImage shown =
            m_picture.scaled(room.expandedTo(QSize(10, 10)), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        m_shownScale = static_cast<double>(m_picture.width()) / std::max(1, shown.width());
        Image1->setPixmap(QPixmap::fromImage(shown));
        Image1->resize(shown.size());
    } else {
        m_shownScale = 1;
        Image1->setPixmap(QPixmap::fromImage(m_picture));
        Image1->resize(m_picture.size());
    }
}

void TBMP_View::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (Fit->isChecked()) {
        ShowPicture();
    }
}

void TBMP_View::AreaClick() {
    if (m_view != nullptr) {
        m_view->StartArea();
        Render();
    }
}

void TBMP_View::ClearClick() {
    if (m_view != nullptr) {
        m_view->Clear();
        Render();
    }
}

void TBMP_View::OkClick() {
    if (m_view != nullptr && m_view->Ok()) {
        accept();
    } else {
        reject();
    }
}

void TBMP_View::ImageClick(int x, int y) {
    if (m_view == nullptr || !m_view->AreaMode()) {
        return;
    }
    const bool measured = m_view->Click(x, y);
    Render();
    if (!measured && !m_view->Problem().empty()) {
        QMessageBox::warning(this, "TARVO", Q(Tr(m_view->Problem())));
    }
}

std::string TBMP_View::Tr(const std::string& text) const { return Translate ? Translate(text) : text; }

void TBMP_View::Render() {
    const BitmapView& v = *m_view;
    m_picture = ImageOf(v.Bitmap());
    ShowPicture();
    RenderOverview();
    Label3->setText(Q(v.Label3));
    Label4->setText(Q(v.Label4));
    Label5->setText(Q(v.Label5));
    Label6->setText(Q(v.Label6));
    Label7->setText(Q(v.Label7));
    Label8->setText(Q(Tr(v.Label8)));
    StatusBar1->setText(Q(Tr(v.Status)));
    BitBtn3->setEnabled(v.AreaEnabled());
}

// The overview with the mouse position marked by a small blue rectangle (exclusive or, so it
// shows on black and white alike).
void TBMP_View::RenderOverview() {
    QImage overview = ImageOf(m_view->Overview());
    if (!overview.isNull() && m_mark.x() >= 0) {
        QPainter p(&overview);
        p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.fillRect(QRect(m_mark - QPoint(1, 1), QSize(3, 3)), QColor(0, 0, 255));
    }
    Image2->setPixmap(QPixmap::fromImage(overview));
}

bool TBMP_View::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image1 && m_view != nullptr) {
        // In picture pixels, however the picture is shown.
        if (event->type() == QEvent::MouseMove) {
            const QPoint pos = (static_cast<QMouseEvent*>(event)->position() * m_shownScale).toPoint();
            Label1->setText(QString::number(pos.x()));
            Label2->setText(QString::number(pos.y()));
            const int ratio = std::max(1, m_view->OverviewRatio());
            const QPoint mark(pos.x() / ratio, pos.y() / ratio);
            if (mark != m_mark) {
                m_mark = mark;
                RenderOverview();
            }
        } else if (event->type() == QEvent::MouseButtonPress) {
            const QPoint pos = (static_cast<QMouseEvent*>(event)->position() * m_shownScale).toPoint();
            ImageClick(pos.x(), pos.y());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace tarvo
