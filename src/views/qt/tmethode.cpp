#include "views/qt/tmethode.h"

#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

#include "shell/qt/qtext.h"
#include "views/methodsketch.h"

namespace tarvo {

Tmethode::Tmethode(QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      img1(new QLabel(this)) {
    setObjectName("Tmethode");
    setWindowTitle("-");
    img1->setObjectName("img1");
    img1->setFixedSize(kSketchWidth, kSketchHeight);
    auto* bottom = new QLabel("Abbruch mit <ESC>", this);
    bottom->setObjectName("Label1");
    bottom->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(img1);
    layout->addWidget(bottom);
    setFixedSize(kSketchWidth, 204);
}

QImage Tmethode::Draw(int method) {
    QImage image(kSketchWidth, kSketchHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    const QColor silver(192, 192, 192);
    p.setPen(Qt::NoPen);
    p.setBrush(silver);
    // From (1, 1) to the window's width - 7 and height - 26: with the window's frame and caption
    // that reaches past the image's right and bottom edges, so the whole image is silver but its
    // first row and column.
    p.drawRect(QRect(QPoint(1, 1), QPoint(kSketchWidth - 1, kSketchHeight - 1)));
    const auto sketch = MethodSketchOf(method);
    if (!sketch) {
        return image;
    }
    p.setPen(Qt::black);
    for (const SketchItem& item : sketch->items) {
        switch (item.kind) {
            case SketchItem::Kind::Polyline:
                for (std::size_t i = 2; i + 1 < item.xy.size(); i += 2) {
                    p.drawLine(item.xy[i - 2], item.xy[i - 1], item.xy[i], item.xy[i + 1]);
                }
                break;
            case SketchItem::Kind::Ellipse: {
                const QColor fills[] = {silver, Qt::transparent, QColor(255, 255, 0), QColor(255, 0, 0)};
                p.setBrush(item.fill == SketchItem::Fill::Clear ? QBrush(Qt::NoBrush)
                                                                : QBrush(fills[static_cast<int>(item.fill)]));
                p.drawEllipse(QRect(QPoint(item.xy[0], item.xy[1]), QPoint(item.xy[2] - 1, item.xy[3] - 1)));
                break;
            }
            case SketchItem::Kind::Text:
                p.setBackgroundMode(Qt::OpaqueMode);
                p.setBackground(silver);
                p.drawText(QPoint(item.xy[0], item.xy[1] + p.fontMetrics().ascent()), Q(item.text));
                break;
        }
    }
    return image;
}

void Tmethode::ShowMethod(int method) {
    if (const auto sketch = MethodSketchOf(method)) {
        setWindowTitle(Q(sketch->caption));
    }
    img1->setPixmap(QPixmap::fromImage(Draw(method)));
    show();
}

void Tmethode::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        if (OnEscape) {
            OnEscape();
        }
        return;  // swallowed
    }
    QDialog::keyPressEvent(e);
}

}  // namespace tarvo
