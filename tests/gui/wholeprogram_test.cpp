// The whole program as the operator works it: measuring, the wait for points, teach-in and replay
// through the widgets against a simulated readout; building and tearing it down.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include "app/mainwindow.h"
#include "app/qt/qtoperator.h"
#include "app/qt/tmain.h"
#include "base/cp1252.h"
#include "base/text.h"
#include "data/pointmemory.h"
#include "data/qt/tmrk_set.h"
#include "data/resultline.h"
#include "geometry/qt/tselect_winkel.h"
#include "gui/fixtures.h"
#include "output/qt/printercanvas.h"
#include "output/qt/tcomon_form.h"
#include "output/qt/tdxf_gxx_main.h"
#include "output/qt/theaddata.h"
#include "output/report.h"
#include "programs/programfile.h"
#include "readout/simulatedreadout.h"
#include "shell/qt/dialogs.h"
#include "shell/qt/qtimerdriver.h"
#include "support/scriptedoperator.h"
#include "support/tempdir.h"
#include "views/bitmapview.h"
#include "views/elementgraphic.h"
#include "views/methodsketch.h"
#include "views/pngwriter.h"
#include "views/qt/tbmp_view.h"
#include "views/qt/telement_grafik.h"
#include "views/qt/tmethode.h"

namespace tarvo {
namespace {

// The whole program as main() puts it together, with the simulated readout on its serial line:
// live positions, three captures with Space, the circle button, the result line in the view.
TEST(WholeProgram, MeasuresACircleThroughTheWidgets) {
    SimulatedProgram p;
    test::ScriptedOperator& op = p.op;
    SimulatedReadout& readout = p.readout;
    MainWindow& model = p.model;
    Tmain window(model);
    model.FormCreate();
    window.show();
    const auto waitFor = WaitFor;
    auto* lv1 = window.findChild<QLabel*>("LV1");
    auto* list = window.findChild<QWidget*>("lb1");
    for (const auto& [x, y] : {std::pair{15.0L, 20.0L}, {10.0L, 25.0L}, {5.0L, 20.0L}}) {
        readout.SetReading(x, y);
        const QString expected = QString::number(static_cast<double>(x), 'f', 3);
        ASSERT_TRUE(waitFor([&] { return lv1->text() == expected && model.LV2 == FormatReal(y, 0, 3); }));
        QTest::keyClick(list, Qt::Key_Space);
    }
    ASSERT_EQ(model.PointCount(), 3);
    QTest::mouseClick(window.Button("SpeedButton1"), Qt::LeftButton);
    auto* view = static_cast<QListView*>(list);
    ASSERT_EQ(view->model()->rowCount(), 1);
    EXPECT_EQ(view->model()->index(0, 0).data().toString(),
              "  1 Kreis    3 D              10.000      10.000      20.000");
    EXPECT_EQ(op.beeps, 3);
    window.close();
    EXPECT_TRUE(model.Closed());
}

// Built and torn down in main()'s order: the window owns the dialogs of the operator, so
// nothing is freed twice at exit.
TEST(WholeProgram, BuildsAndTearsDownCleanly) {
    RealProgram p;
    QtOperator& op = p.op;
    MainWindow& model = p.model;
    {
        Tmain window(model);
        op.Attach(&window, &model);
        model.FormCreate();
        window.show();
        QApplication::processEvents();
        window.close();
    }
    EXPECT_TRUE(model.Closed());
}

// The real operator's wait for points, ended by Escape in the method window: the command stops
// without a result, the captured point stays, and a capture during the wait ends it instead.
TEST(WholeProgram, TheWaitForPointsEndsOnEscapeInTheMethodWindowOrOnEnoughCaptures) {
    RealProgram p;
    Session& session = p.session;
    MainWindow& model = p.model;
    Tmain window(model);
    p.op.Attach(&window, &model);
    window.show();
    session.run.CurrentPos = {1, 1};
    model.FormKeyDown(kKeySpace);
    auto* methode = window.findChild<QDialog*>("Tmethode");
    ASSERT_NE(methode, nullptr);
    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = methode->isVisible();
        // Escape as the method window receives it when it has the keyboard (the offscreen
        // platform activates no tool window, so the key is delivered to it directly).
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(methode, &press);
    });
    model.Run(CommandOf(CommandId::Circle));  // waits for three points
    EXPECT_TRUE(shown);
    EXPECT_FALSE(methode->isVisible());
    EXPECT_EQ(model.lb1().Count(), 0);
    EXPECT_EQ(model.PointCount(), 1);
    EXPECT_EQ(session.run.AbortRequested, 0);  // cleared again by the command

    QTimer::singleShot(0, [&] {
        for (const auto& [x, y] : {std::pair{15.0L, 20.0L}, {10.0L, 25.0L}, {5.0L, 20.0L}}) {
            session.run.CurrentPos = {x, y};
            QTest::keyClick(window.findChild<QWidget*>("lb1"), Qt::Key_Space);
        }
    });
    model.Run(CommandOf(CommandId::ClearPoints));
    model.Run(CommandOf(CommandId::Circle));
    ASSERT_EQ(model.lb1().Count(), 1);
    EXPECT_EQ(model.lb1().Lines()[0], "  1 Kreis    3 D              10.000      10.000      20.000");
    window.close();
}

// Teach-in through the window against the simulated readout: three captures and a circle, saved;
// then the program replayed point by point gives the same result line.
TEST(WholeProgram, TeachesAndReplaysACircleThroughTheWindow) {
    SimulatedProgram p;
    test::ScriptedOperator& op = p.op;
    SimulatedReadout& readout = p.readout;
    MainWindow& model = p.model;
    Tmain window(model);
    model.FormCreate();
    window.show();
    const auto waitFor = WaitFor;
    auto* list = window.findChild<QWidget*>("lb1");
    auto* label1 = window.findChild<QLabel*>("Label1");
    const auto captureAt = [&](long double x, long double y) {
        readout.SetReading(x, y);
        const std::string want = FormatReal(x, 0, 3) + " " + FormatReal(y, 0, 3);
        ASSERT_TRUE(waitFor([&] { return model.LV1 + " " + model.LV2 == want; }));
        QTest::keyClick(list, Qt::Key_Space);
    };
    const std::pair<long double, long double> points[] = {{15, 20}, {10, 25}, {5, 20}};

    op.ExpectAsk(true);
    QTest::mouseClick(window.Button("SpeedButton11"), Qt::LeftButton);
    EXPECT_EQ(window.findChild<QLabel*>("lb1_label")->styleSheet(), "color: red;");
    EXPECT_FALSE(window.Button("SpeedButton13")->isEnabled());  // no run while teaching in
    for (const auto& [x, y] : points) {
        captureAt(x, y);
    }
    QTest::mouseClick(window.Button("SpeedButton1"), Qt::LeftButton);
    op.ExpectAsk(true);
    op.ExpectFile("kreis");
    QTest::mouseClick(window.Button("SpeedButton12"), Qt::LeftButton);
    EXPECT_EQ(p.dir.Read("prg/kreis.PRG"), "KRMODE:0\r\nWIMODE:0\r\nGETPOINT:\r\nGETPOINT:\r\nGETPOINT:\r\nKreis:\r\n");
    EXPECT_TRUE(window.Button("SpeedButton13")->isEnabled());

    std::string replayed;
    Slot<> keep([&] {
        if (model.lb1().Count() == 1) {
            replayed = model.lb1().Lines()[0];
        }
    });
    model.lb1().Changed.Attach(keep);
    op.ExpectFile("kreis.PRG");
    QTest::mouseClick(window.Button("SpeedButton13"), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_TRUE(label1->isVisible());
    EXPECT_EQ(label1->text(), "3 Punkte für \"Kreis\" <ESC>=Abbruch");
    EXPECT_FALSE(window.Button("SpeedButton11")->isEnabled());  // no teach-in over a run
    op.ExpectInfo();                                            // "Wiederholung beendet !"
    for (const auto& [x, y] : points) {
        captureAt(x, y);
    }
    ASSERT_TRUE(waitFor([&] { return model.Runner().Idle(); }));
    EXPECT_EQ(replayed, "  1 Kreis    3 D              10.000      10.000      20.000");
    QApplication::processEvents();
    EXPECT_TRUE(window.Button("SpeedButton11")->isEnabled());
    window.close();
}

}  // namespace
}  // namespace tarvo
