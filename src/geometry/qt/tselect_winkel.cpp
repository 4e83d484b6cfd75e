#include "geometry/qt/tselect_winkel.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QPainter>

#include "shell/qt/qtext.h"

namespace tarvo {

Tselect_winkel::Tselect_winkel(QWidget* parent) : QDialog(parent), m_image(new QLabel(this)) {
    setObjectName("Tselect_winkel");
    setWindowTitle("Winkelauswahl");
    auto* layout = new QGridLayout(this);
    layout->addWidget(m_image, 0, 0, 1, 2);
    for (int k = 0; k < 4; ++k) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString("Button%1").arg(k + 1));
        connect(b, &QPushButton::clicked, this, [this, k] {
            m_choice = k + 1;
            accept();
        });
        layout->addWidget(b, 1 + k / 2, k % 2);
        m_buttons[static_cast<std::size_t>(k)] = b;
    }
    auto* cancel = new QPushButton("Abbrechen", this);
    cancel->setObjectName("Button5");
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    layout->addWidget(cancel, 3, 0, 1, 2);
}

QImage Tselect_winkel::Sketch(const AngleChoice& choice) {
    QImage image(466, 231, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor fills[2] = {QColor(128, 128, 128), QColor(255, 0, 0)};
    const auto sketches = choice.Sketches();
    for (std::size_t k = 0; k < 2; ++k) {
        const SectorSketch& s = sketches[k];
        const QRect box(s.left, s.top, s.right - s.left, s.bottom - s.top);
        const long double a = choice.Candidates()[k];
        p.setPen(QPen(Qt::blue, 2));
        p.setBrush(fills[k]);
        // Counter-clockwise from +X, as the screen's Y axis points down.
        p.drawPie(box, 0, static_cast<int>(std::lround(static_cast<double>(a) * 16)));
        p.drawLine(box.center(), QPoint(s.endX, s.endY));
    }
    return image;
}

std::optional<int> Tselect_winkel::Choose(const AngleChoice& choice, const QString& label) {
    const auto captions = choice.Captions(A(label));
    for (std::size_t k = 0; k < 4; ++k) {
        m_buttons[k]->setText(Q(captions[k]));
    }
    m_image->setPixmap(QPixmap::fromImage(Sketch(choice)));
    m_choice = 0;
    m_buttons[0]->setFocus();
    if (exec() != QDialog::Accepted || m_choice == 0) {
        return std::nullopt;
    }
    return m_choice;
}

void Tselect_winkel::keyPressEvent(QKeyEvent* e) {
    const QString t = e->text();
    if (t.size() == 1) {
        if (const auto k = AngleChoice::KeyChoice(t.at(0).toLatin1())) {
            m_choice = *k;
            accept();
            return;
        }
    }
    QDialog::keyPressEvent(e);
}

}  // namespace tarvo
