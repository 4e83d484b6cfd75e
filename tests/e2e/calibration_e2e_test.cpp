// The machine calibration end to end: tarvo-readout-sim plays a machine whose scales err (a
// scale error per axis, a periodic error along each axis, axes out of square), the program is
// calibrated against simulated standards in the keyboard and in the foot-switch mode, and the
// positions shown afterwards are checked against the true ones all over the calibrated range.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QProcess>
#include <cmath>
#include <cstdio>
#include <functional>
#include <memory>

#include "app/mainwindow.h"
#include "readout/qt/qserialdevice.h"
#include "readout/simulatedreadout.h"
#include "shell/qt/qtimerdriver.h"
#include "support/scriptedoperator.h"
#include "support/tempdir.h"

#if !defined(TARVO_READOUT_SIM) || !defined(TARVO_STAGE)
#error "TARVO_READOUT_SIM and TARVO_STAGE must name the simulators"
#endif

namespace tarvo {
namespace {

bool WaitUntil(const std::function<bool()>& done, int ms = 10000) {
    QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

struct Pos {
    long double x;
    long double y;
};

class CalibrationEndToEnd : public ::testing::TestWithParam<bool> {
protected:
    test::TempDir dir;
    test::ScriptedOperator op;
    FixedWallClock clock{DateTime{2026, 12, 8, 9, 30, 0}};
    QProcess sim;
    QSerialDevice serial;
    std::unique_ptr<Session> session;
    std::unique_ptr<MainWindow> w;
    std::unique_ptr<QTimerDriver> driver;
    // The simulated machine: about 20 µm of error over 200 mm.
    MachineErrors errors = [] {
        MachineErrors e;
        e.scalePpm[0] = 100;
        e.scalePpm[1] = -80;
        e.waveUm[0] = 2;
        e.wavePeriod[0] = 100;
        e.waveUm[1] = 1.5;
        e.wavePeriod[1] = 80;
        e.squarenessUrad = 50;
        return e;
    }();
    bool footSwitch = GetParam();

    void SetUp() override {
        sim.start(TARVO_READOUT_SIM, {"--dir", QString::fromStdString(dir.work().string()), "--scale", "100", "-80",
                                      "--wave-x", "2", "100", "--wave-y", "1.5", "80", "--squareness", "50"});
        ASSERT_TRUE(sim.waitForStarted(5000));
        ASSERT_TRUE(sim.waitForReadyRead(5000));
        const QString line = QString::fromLocal8Bit(sim.readLine()).trimmed();
        ASSERT_TRUE(line.startsWith("device: ")) << line.toStdString();
        dir.Write("TARVO.INI",
                  "[Ports]\nCOM1=" + line.mid(8).toStdString() + "\n" + (footSwitch ? "[PARAMETER]\nTR_MODE=1\n" : ""));
        session = std::make_unique<Session>(op, clock, dir.work(), dir.root());
        session->serialDevice = &serial;
        w = std::make_unique<MainWindow>(*session);
        driver = std::make_unique<QTimerDriver>(session->timers);
        w->FormCreate();
        ASSERT_TRUE(
            WaitUntil([this] { return serial.Port().isOpen() && session->acquisition.FootSwitchMode == footSwitch; }));
    }
    void TearDown() override {
        if (w) {
            w->Close();
        }
        driver.reset();
        if (sim.state() != QProcess::NotRunning) {
            Say("quit");
            if (!sim.waitForFinished(2000)) {
                sim.kill();
                sim.waitForFinished(2000);
            }
        }
    }
    void Say(const std::string& command) {
        sim.write((command + "\n").c_str());
        sim.waitForBytesWritten(1000);
    }
    // The stage moved to the true position (x, y) and the position captured there, by Space or
    // by the foot switch; returns the position the program took.
    Pos Probe(long double x, long double y) {
        char command[96];
        const int beeps = op.beeps;
        if (footSwitch) {
            std::snprintf(command, sizeof command, "push0 %.6Lf %.6Lf", x, y);
            Say(command);
        } else {
            std::snprintf(command, sizeof command, "pos %.6Lf %.6Lf", x, y);
            Say(command);
            long double rx = 0;
            long double ry = 0;
            errors.Readings(x, y, rx, ry);
            const AcquisitionState& a = session->acquisition;
            EXPECT_TRUE(WaitUntil([&] {
                return std::fabs(a.Reading[0] - rx) < 0.6e-4L && std::fabs(a.Reading[1] - ry) < 0.6e-4L;
            })) << "no reading for "
                << static_cast<double>(x) << " " << static_cast<double>(y);
            EXPECT_TRUE(w->FormKeyDown(kKeySpace));
        }
        EXPECT_TRUE(WaitUntil([&] { return op.beeps == beeps + 1; }));
        return {session->run.CurrentPos.x, session->run.CurrentPos.y};
    }
    // The largest distance (µm) between the positions taken and the true ones over a grid of
    // the calibrated range, 0 to 200 mm in both axes, off the calibration marks.
    long double WorstDeviation() {
        long double worst = 0;
        for (const long double x : {0.0L, 33.0L, 71.5L, 104.0L, 146.5L, 183.0L, 200.0L}) {
            for (const long double y : {0.0L, 27.5L, 66.0L, 118.5L, 151.0L, 200.0L}) {
                const Pos p = Probe(x, y);
                worst = std::max(worst, std::hypot(p.x - x, p.y - y) * 1000);
            }
        }
        w->ClearPoints();
        return worst;
    }
    void Save() {
        op.ExpectAsk(true);
        op.ExpectInfo();
        CalibrationRecord details;
        details.operatorName = "Prüfer";
        details.standard = "GS-200";
        details.certificate = "K-4711";
        details.temperature = "20.1";
        ASSERT_TRUE(w->SaveCalibration(details));
    }
    void Compute() {
        const CalibrationResult* r = w->ComputeCalibration();
        ASSERT_NE(r, nullptr);
        ASSERT_TRUE(r->ok) << r->refusal;
        EXPECT_LT(r->MaxResidual(), 0.5L);
    }
};

TEST_P(CalibrationEndToEnd, CalibratedPositionsMatchTheTrueOnesWithinHalfAMicrometre) {
    const char* mode = footSwitch ? "foot switch" : "keyboard";
    const long double before = WorstDeviation();
    EXPECT_GT(before, 15);  // the machine errs as set up
    // The two lengths: a 200 mm gauge along each axis.
    for (int axis = 0; axis < 2; ++axis) {
        w->StartCalibration(CalibrationKind::Linear, axis, {200});
        Probe(0, 0);
        axis == 0 ? Probe(200, 0) : Probe(0, 200);
        Compute();
        Save();
    }
    // The glass scale along each axis, its certificate read from a CSV file: 21 marks 10 mm
    // apart with the deviations the certificate gives.
    std::string csv = "Marke;Position mm\r\n";
    std::vector<long double> marks;
    for (int i = 0; i <= 20; ++i) {
        marks.push_back(10.0L * i + 0.0003L * (i % 3) - 0.0002L * (i % 2));
        char line[64];
        std::snprintf(line, sizeof line, "%d;%.4Lf\r\n", i + 1, marks.back());
        std::string text = line;
        std::replace(text.begin(), text.end(), '.', ',');
        csv += text;
    }
    dir.Write("glasmassstab.csv", csv);
    std::string problem;
    const auto certified = ReadCertificateCsv(dir.work() / "glasmassstab.csv", problem);
    ASSERT_TRUE(certified) << problem;
    ASSERT_EQ(certified->size(), marks.size());
    for (int axis = 0; axis < 2; ++axis) {
        w->StartCalibration(CalibrationKind::Segments, axis, *certified);
        for (const long double m : marks) {
            axis == 0 ? Probe(m, 0) : Probe(0, m);
        }
        Compute();
        Save();
    }
    // The squareness: two edges of a certified square.
    w->StartCalibration(CalibrationKind::Square, 0, {90});
    for (const long double t : {20.0L, 60.0L, 100.0L, 140.0L, 180.0L}) {
        Probe(t, 5);
    }
    ASSERT_TRUE(w->CalibrationNextEdge());
    for (const long double t : {20.0L, 60.0L, 100.0L, 140.0L, 180.0L}) {
        Probe(5, t);
    }
    Compute();
    Save();
    EXPECT_TRUE(FileExists(dir.work() / kCalibrationFile));
    EXPECT_NE(w->CalibrationStatus().find("08.12.2027"), std::string::npos) << w->CalibrationStatus();

    const long double after = WorstDeviation();
    EXPECT_LT(after, 0.5L);
    std::printf("calibration, %s mode: errors before up to %.2f um, residuals after up to %.3f um over 200 x 200 mm\n",
                mode, static_cast<double>(before), static_cast<double>(after));
}

INSTANTIATE_TEST_SUITE_P(BothTriggerModes, CalibrationEndToEnd, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "FootSwitch" : "Keyboard"; });

// The stage takes the readout simulator's machine errors and prints what the erring scales read
// at its true position; a value no machine has is refused.
TEST(StageWithErrors, PrintsWhatTheErringScalesRead) {
    QProcess stage;
    stage.start(TARVO_STAGE, {"--scale", "100", "-50", "--squareness", "20", "--field", "3", "150"});
    ASSERT_TRUE(WaitUntil([&] { return stage.canReadLine(); }));
    MachineErrors e;
    e.scalePpm[0] = 100;
    e.scalePpm[1] = -50;
    e.squarenessUrad = 20;
    e.fieldUm = 3;
    e.fieldPeriod = 150;
    long double x = 0;
    long double y = 0;
    e.Readings(35, 30, x, y);  // where the stage starts
    char want[64];
    std::snprintf(want, sizeof want, "pos %.4Lf %.4Lf\n", x, y);
    EXPECT_EQ(stage.readLine().toStdString(), want);
    stage.kill();
    stage.waitForFinished();
    QProcess bad;
    bad.start(TARVO_STAGE, {"--wave-x", "2"});
    ASSERT_TRUE(bad.waitForFinished(10000));
    EXPECT_EQ(bad.exitCode(), 2);
}

}  // namespace
}  // namespace tarvo
