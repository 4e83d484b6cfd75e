// tarvo-stage: the measuring stage of the demo. A window shows a sample workpiece (a plate with
// two holes, a slot and a chamfered corner) under a cross-hair; the arrow keys move the stage by
// 0.05 mm (with Shift 1 mm), a click moves it to the clicked point. Every move is printed as
// "pos X Y" for tarvo-readout-sim:  tarvo-stage | tarvo-readout-sim --dir DIR
//   tarvo-stage [--scale PPMX PPMY] [--wave-x UM MM] [--wave-y UM MM] [--squareness URAD]
// The machine errors, as tarvo-readout-sim takes them: the window shows the true position of the
// stage, and "pos" what its erring scales read there (give the errors to one of the two only).
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPainterPathStroker>
#include <QWidget>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "readout/simulatedreadout.h"
#include "readout/workpiece.h"

namespace {

class Stage final : public QWidget {
public:
    explicit Stage(const tarvo::MachineErrors& errors) : m_errors(errors) {
        setWindowTitle("TARVO Messtisch");
        setFixedSize(480, 360);
        setFocusPolicy(Qt::StrongFocus);
        Report();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), QColor(40, 40, 48));
        p.setTransform(View());
        // The workpiece: the sample the simulated camera sees, from the one description.
        const tarvo::Workpiece w = tarvo::SampleWorkpiece();
        QPainterPath plate;
        for (std::size_t i = 0; i < w.outline.size(); ++i) {
            const QPointF q(w.outline[i].x, w.outline[i].y);
            i == 0 ? plate.moveTo(q) : plate.lineTo(q);
        }
        plate.closeSubpath();
        QPainterPath holes;
        for (const tarvo::WorkpieceCircle& h : w.holes) {
            holes.addEllipse(QPointF(h.cx, h.cy), h.r, h.r);
        }
        for (const tarvo::WorkpieceSlot& sl : w.longHoles) {
            // A slot: the segment's points within r, drawn as a round-capped stroke.
            const QPainterPath line = [&] {
                QPainterPath l;
                l.moveTo(sl.x1, sl.y1);
                l.lineTo(sl.x2, sl.y2);
                return l;
            }();
            QPainterPathStroker stroke;
            stroke.setWidth(2 * sl.r);
            stroke.setCapStyle(Qt::RoundCap);
            holes.addPath(stroke.createStroke(line));
        }
        for (const tarvo::WorkpieceCircle& d : w.discs) {
            plate.addEllipse(QPointF(d.cx, d.cy), d.r, d.r);
        }
        p.setPen(QPen(QColor(230, 230, 230), 0.3));
        p.setBrush(QColor(120, 130, 150));
        p.drawPath(plate.subtracted(holes));
        p.resetTransform();
        const QPointF c = View().map(QPointF(m_x, m_y));
        p.setPen(QPen(QColor(0, 255, 255), 1));
        p.drawLine(QPointF(c.x() - 14, c.y()), QPointF(c.x() + 14, c.y()));
        p.drawLine(QPointF(c.x(), c.y() - 14), QPointF(c.x(), c.y() + 14));
        p.setPen(Qt::white);
        p.drawText(8, 18, QString("X %1   Y %2").arg(m_x, 0, 'f', 3).arg(m_y, 0, 'f', 3));
    }
    void keyPressEvent(QKeyEvent* e) override {
        const double step = e->modifiers() & Qt::ShiftModifier ? 1.0 : 0.05;
        switch (e->key()) {
            case Qt::Key_Left:
                m_x -= step;
                break;
            case Qt::Key_Right:
                m_x += step;
                break;
            case Qt::Key_Up:
                m_y += step;
                break;
            case Qt::Key_Down:
                m_y -= step;
                break;
            default:
                QWidget::keyPressEvent(e);
                return;
        }
        Report();
    }
    void mousePressEvent(QMouseEvent* e) override {
        const QPointF w = View().inverted().map(e->position());
        m_x = w.x();
        m_y = w.y();
        Report();
    }

private:
    // Millimetres to pixels: 4 px per mm, Y up, the plate centred.
    [[nodiscard]] QTransform View() const { return QTransform(4, 0, 0, -4, 40, 330); }
    void Report() {
        long double x = m_x;
        long double y = m_y;
        if (m_errors.Any()) {
            m_errors.Readings(x, y, x, y);
        }
        std::printf("pos %.4Lf %.4Lf\n", x, y);
        std::fflush(stdout);
        update();
    }
    tarvo::MachineErrors m_errors;
    double m_x = 35;
    double m_y = 30;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tarvo::MachineErrors errors;
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size();) {
        const int taken = tarvo::ReadMachineErrorOption(args, i, errors);
        if (taken < 0) {
            std::cerr << "tarvo-stage: " << args[i] << " needs numbers a machine can have\n"
                      << "usage: tarvo-stage " << tarvo::kMachineErrorUsage << '\n';
            return 2;
        }
        i += taken > 0 ? static_cast<std::size_t>(taken) : 1;
    }
    Stage stage(errors);
    stage.show();
    return QApplication::exec();
}
