// The element graphic's canvas on screen: QPainter on the window's picture.
#pragma once

#include <QPainter>
#include <algorithm>

#include "shell/qt/qtext.h"
#include "views/graphiccanvas.h"

namespace tarvo {

class QPainterCanvas final : public GraphicCanvas {
public:
    // `scale`: picture pixels per screen pixel; lines and labels grow by it, so a picture shown
    // shrunk to its window keeps readable labels and visible lines.
    explicit QPainterCanvas(QPainter& painter, double scale = 1) : m_p(painter), m_scale(std::max(1.0, scale)) {
        m_p.setBrush(Qt::NoBrush);
        if (m_scale > 1) {
            QFont font = m_p.font();
            font.setPixelSize(static_cast<int>(12 * m_scale));
            m_p.setFont(font);
        }
    }
    void Clear(Rgb colour) override {
        m_p.fillRect(QRect(QPoint(0, 0),
                           m_p.device() != nullptr ? QSize(m_p.device()->width(), m_p.device()->height()) : QSize()),
                     Colour(colour));
    }
    void SetPen(Rgb colour) override { m_p.setPen(QPen(Colour(colour), m_scale > 1 ? m_scale : 0)); }
    void Line(long long x1, long long y1, long long x2, long long y2) override {
        m_p.drawLine(QLineF(Clamp(x1), Clamp(y1), Clamp(x2), Clamp(y2)));
    }
    void Rectangle(long long l, long long t, long long r, long long b) override {
        m_p.drawRect(QRectF(QPointF(Clamp(l), Clamp(t)), QPointF(Clamp(r), Clamp(b))));
    }
    void Ellipse(long long l, long long t, long long r, long long b) override {
        m_p.drawEllipse(QRectF(QPointF(Clamp(l), Clamp(t)), QPointF(Clamp(r), Clamp(b))));
    }
    void Text(long long x, long long y, const std::string& text) override {
        const QPen pen = m_p.pen();
        m_p.setPen(QPen(Qt::black, 0));
        m_p.drawText(QPointF(Clamp(x), Clamp(y) + m_p.fontMetrics().ascent()), Q(text));
        m_p.setPen(pen);
    }

private:
    static QColor Colour(Rgb c) {
        return QColor(static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                      static_cast<int>(c & 0xFF));
    }
    // QPainter works in floating point; keep far points within what it draws reliably.
    static double Clamp(long long v) { return static_cast<double>(std::clamp<long long>(v, -1000000, 1000000)); }
    QPainter& m_p;
    double m_scale;
};

}  // namespace tarvo
