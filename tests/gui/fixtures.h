// The fixtures of the window tests: a started main window with a scripted operator, and the
// program's objects with the real operator.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/mainwindow.h"
#include "app/qt/qtoperator.h"
#include "app/qt/tmain.h"
#include "base/text.h"
#include "data/qt/tmrk_set.h"
#include "geometry/qt/tselect_winkel.h"
#include "programs/programfile.h"
#include "readout/simulatedreadout.h"
#include "shell/qt/dialogs.h"
#include "shell/qt/qtimerdriver.h"
#include "support/scriptedoperator.h"
#include "support/tempdir.h"
#include "views/methodsketch.h"
#include "views/qt/tmethode.h"

namespace tarvo {

class Window : public ::testing::Test {
protected:
    test::TempDir dir;
    test::ScriptedOperator op;
    FixedWallClock clock{DateTime{2026, 12, 8, 9, 30, 0}};
    std::unique_ptr<Session> session;
    std::unique_ptr<MainWindow> m;
    std::unique_ptr<Tmain> w;

    void SetUp() override {
        session = std::make_unique<Session>(op, clock, dir.work(), dir.root());
        m = std::make_unique<MainWindow>(*session);
        w = std::make_unique<Tmain>(*m);
        m->FormCreate();
        w->show();
        w->activateWindow();
        QApplication::processEvents();
    }
    void TearDown() override {
        w->close();
        w.reset();
    }
    QWidget* Child(const char* name) { return w->findChild<QWidget*>(name); }
    void Key(int key, const QString& text = {}, QWidget* target = nullptr) {
        QTest::keyClick(target != nullptr ? target : Child("lb1"), static_cast<Qt::Key>(key), Qt::NoModifier);
        (void)text;
    }
    void Capture(long double x, long double y) {
        session->run.CurrentPos = {x, y};
        QTest::keyClick(Child("lb1"), Qt::Key_Space);
    }
};

// The program's objects with the real operator, built in the order main() uses.
struct RealProgram {
    const test::TempDir dir;
    const FixedWallClock clock{DateTime{2026, 12, 8, 9, 30, 0}};
    QtOperator op;
    Session session{op, clock, dir.work(), dir.root()};
    MainWindow model{session};
    QTimerDriver timers{session.timers};
};

// The program's objects with a scripted operator and the simulated readout on the serial line.
struct SimulatedProgram {
    SimulatedProgram() { session.serialDevice = &readout; }
    const test::TempDir dir;
    test::ScriptedOperator op;
    const FixedWallClock clock{DateTime{2026, 12, 8, 9, 30, 0}};
    SimulatedReadout readout;
    Session session{op, clock, dir.work(), dir.root()};
    MainWindow model{session};
    QTimerDriver timers{session.timers};
};

// The feature dialog's logic over a fresh definition, and its form.
struct FeatureForm {
    FeatureForm() { logic.Prefill(); }
    const test::TempDir dir;
    test::ScriptedOperator op;
    FeatureDef def;
    FeatureDialog logic{def, op, 3, dir.work(), false};
    Tmrk_set form;
};

// Runs the event loop until `done` holds, at most 10 s (a loaded machine is slow).
inline bool WaitFor(const std::function<bool()>& done) {
    QDeadlineTimer deadline(10000);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return done();
}

}  // namespace tarvo
