// Draws the 64 x 64 pictures of the tool buttons into resources/buttons/ (run once; the PNG
// files are committed). Build: g++ -fPIC draw_buttons.cpp $(pkg-config --cflags --libs Qt6Gui)
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <functional>
#include <map>

namespace {

const QColor kInk(30, 40, 60);
const QColor kAccent(0, 150, 200);
const QColor kDot(240, 190, 0);

void Dot(QPainter& p, double x, double y) {
    p.save();
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(kDot);
    p.drawEllipse(QPointF(x, y), 4.5, 4.5);
    p.restore();
}

void Arrow(QPainter& p, QPointF a, QPointF b) {
    p.drawLine(a, b);
    const QPointF d = b - a;
    const double len = std::hypot(d.x(), d.y());
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    for (const QPointF& end : {a, b}) {
        const QPointF dir = end == a ? u : -u;
        p.drawLine(end, end + dir * 7 + n * 4);
        p.drawLine(end, end + dir * 7 - n * 4);
    }
}

const std::map<QString, std::function<void(QPainter&)>>& Pictures() {
    static const std::map<QString, std::function<void(QPainter&)>> pictures = {
        {"SpeedButton1",
         [](QPainter& p) {
             p.drawEllipse(QPointF(32, 32), 20, 20);
             Dot(p, 12, 32);
             Dot(p, 42, 15);
             Dot(p, 42, 49);
         }},
        {"SpeedButton2",
         [](QPainter& p) {
             Dot(p, 12, 44);
             Dot(p, 52, 20);
             p.setPen(QPen(kAccent, 2));
             Arrow(p, QPointF(16, 34), QPointF(46, 16));
         }},
        {"SpeedButton3",
         [](QPainter& p) {
             p.drawLine(12, 8, 12, 56);
             Dot(p, 12, 18);
             Dot(p, 12, 46);
             Dot(p, 50, 32);
             p.setPen(QPen(kAccent, 2));
             Arrow(p, QPointF(15, 32), QPointF(45, 32));
         }},
        {"SpeedButton4",
         [](QPainter& p) {
             p.drawLine(8, 52, 58, 52);
             p.drawLine(8, 52, 50, 12);
             p.setPen(QPen(kAccent, 2));
             p.drawArc(QRectF(-14, 30, 44, 44), 0, 43 * 16);
         }},
        {"SpeedButton5",
         [](QPainter& p) {
             p.drawLine(32, 10, 32, 54);
             p.drawLine(10, 32, 54, 32);
             Dot(p, 32, 32);
         }},
        {"SpeedButton6",
         [](QPainter& p) {
             p.drawLine(6, 50, 58, 14);
             Dot(p, 17, 43);
             Dot(p, 32, 32);
             Dot(p, 47, 22);
         }},
        {"SpeedButton7",
         [](QPainter& p) {
             p.drawRect(14, 8, 26, 48);
             p.setPen(QPen(kAccent, 3));
             Arrow(p, QPointF(30, 32), QPointF(58, 32));
         }},
        {"SpeedButton8",
         [](QPainter& p) {
             p.setPen(QPen(kAccent, 2));
             Arrow(p, QPointF(12, 52), QPointF(56, 52));
             Arrow(p, QPointF(12, 52), QPointF(12, 8));
             p.setPen(kInk);
             p.drawText(QRectF(44, 30, 16, 16), "X");
             p.drawText(QRectF(18, 4, 16, 16), "Y");
         }},
        {"SpeedButton9",
         [](QPainter& p) {
             p.drawLine(6, 14, 58, 24);
             p.drawLine(6, 50, 58, 40);
             p.setPen(QPen(kAccent, 2, Qt::DashLine));
             p.drawLine(6, 32, 58, 32);
         }},
        {"SpeedButton10",
         [](QPainter& p) {
             QFont f = p.font();
             f.setPixelSize(44);
             f.setBold(true);
             p.setFont(f);
             p.setPen(kAccent);
             p.drawText(QRectF(0, 0, 64, 64), Qt::AlignCenter, "?");
         }},
        {"SpeedButton11",
         [](QPainter& p) {
             p.setBrush(QColor(210, 40, 40));
             p.drawEllipse(QPointF(32, 32), 16, 16);
         }},
        {"SpeedButton12",
         [](QPainter& p) {
             p.setBrush(kAccent);
             p.drawRect(18, 18, 28, 28);
         }},
        {"SpeedButton13",
         [](QPainter& p) {
             p.setBrush(QColor(40, 160, 60));
             p.drawPolygon(QPolygonF({QPointF(20, 14), QPointF(50, 32), QPointF(20, 50)}));
         }},
        {"SpeedButton14",
         [](QPainter& p) {
             p.setBrush(QBrush(kAccent, Qt::BDiagPattern));
             p.drawPolygon(
                 QPolygonF({QPointF(10, 48), QPointF(18, 14), QPointF(50, 10), QPointF(56, 40), QPointF(30, 54)}));
         }},
        {"SpeedButton15",
         [](QPainter& p) {
             p.drawRect(10, 26, 44, 20);
             p.drawRect(18, 10, 28, 16);
             p.setBrush(Qt::white);
             p.drawRect(18, 40, 28, 16);
             p.drawLine(22, 46, 42, 46);
             p.drawLine(22, 51, 38, 51);
         }},
        {"SpeedButton16",
         [](QPainter& p) {
             QFont f = p.font();
             f.setPixelSize(26);
             f.setBold(true);
             p.setFont(f);
             p.drawText(QRectF(0, 2, 64, 32), Qt::AlignCenter, QString::fromUtf8("±"));
             p.setPen(QPen(QColor(40, 160, 60), 4));
             p.drawLine(18, 44, 28, 54);
             p.drawLine(28, 54, 48, 34);
         }},
        {"SpeedButton17",
         [](QPainter& p) {
             Dot(p, 12, 50);
             Dot(p, 50, 16);
             p.setPen(QPen(kAccent, 2));
             Arrow(p, QPointF(12, 58), QPointF(50, 58));
             Arrow(p, QPointF(58, 16), QPointF(58, 50));
         }},
        {"SpeedButton18",
         [](QPainter& p) {
             p.drawRoundedRect(8, 20, 48, 28, 4, 4);
             QFont f = p.font();
             f.setPixelSize(16);
             p.setFont(f);
             p.drawText(QRectF(8, 20, 48, 28), Qt::AlignCenter, "1,5");
             Dot(p, 52, 14);
         }},
        {"SpeedButton19",
         [](QPainter& p) {
             QFont f = p.font();
             f.setPixelSize(16);
             f.setBold(true);
             p.setFont(f);
             p.drawText(QRectF(0, 6, 64, 24), Qt::AlignCenter, "ASCII");
             p.setPen(QPen(kAccent, 3));
             Arrow(p, QPointF(12, 44), QPointF(52, 44));
         }},
        {"SpeedButton20",
         [](QPainter& p) {
             p.drawRect(10, 10, 44, 44);
             for (int y = 21; y < 54; y += 11) {
                 p.drawLine(10, y, 54, y);
             }
             p.drawLine(28, 10, 28, 54);
         }},
        {"SpeedButton21",
         [](QPainter& p) {
             QFont f = p.font();
             f.setPixelSize(30);
             f.setBold(true);
             p.setFont(f);
             p.drawText(QRectF(0, 0, 64, 44), Qt::AlignCenter, "T");
             p.drawLine(10, 50, 54, 50);
         }},
        {"SpeedButton22",
         [](QPainter& p) {
             p.drawRect(16, 18, 32, 38);
             p.drawLine(12, 18, 52, 18);
             p.drawLine(26, 12, 38, 12);
             p.setPen(QPen(QColor(210, 40, 40), 3));
             p.drawLine(22, 26, 42, 48);
             p.drawLine(42, 26, 22, 48);
         }},
    };
    return pictures;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? argv[1] : "resources/buttons";
    for (const auto& [name, draw] : Pictures()) {
        QImage image(64, 64, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(kInk, 2));
        draw(p);
        p.end();
        image.save(dir + "/" + name + ".png");
    }
    return 0;
}
