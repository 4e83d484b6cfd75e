// The live link against tarvo-readout-sim for a few seconds with the default timers: how often
// each axis of the display is updated, and what the idle polling costs in CPU.
//   tarvo_link_rate PATH-TO-tarvo-readout-sim [SECONDS]
#include <sys/resource.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/mainwindow.h"
#include "readout/qt/qserialdevice.h"
#include "shell/nulloperator.h"
#include "shell/qt/qtimerdriver.h"

namespace {
double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}
}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tarvo_link_rate PATH-TO-tarvo-readout-sim [SECONDS]\n");
        return 1;
    }
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 5;
    const auto dir = std::filesystem::temp_directory_path() / "tarvo-link-rate";
    std::filesystem::create_directories(dir);
    QProcess sim;
    sim.start(argv[1], {"--dir", QString::fromStdString(dir.string())});
    sim.waitForReadyRead(5000);
    const std::string device = QString::fromLocal8Bit(sim.readLine()).trimmed().mid(8).toStdString();
    std::ofstream(dir / "TARVO.INI") << "[Ports]\nCOM1=" << device << "\n";
    std::filesystem::remove(dir / "speicher.dat");

    tarvo::NullOperator op;
    op.onError = [](const std::string& t) { std::fprintf(stderr, "error: %s\n", t.c_str()); };
    const tarvo::SystemWallClock clock;
    tarvo::QSerialDevice serial;
    tarvo::Session session(op, clock, dir, dir);
    session.serialDevice = &serial;
    tarvo::MainWindow w(session);
    tarvo::QTimerDriver driver(session.timers);
    w.FormCreate();
    QEventLoop startup;
    QTimer::singleShot(1000, &startup, &QEventLoop::quit);
    startup.exec();
    // Every update shows a new value: the simulator's reading changes after every request.
    int updates[2] = {0, 0};
    std::string last[2] = {w.LV1, w.LV2};
    int step = 0;
    const double cpu0 = CpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer changer;
    QObject::connect(&changer, &QTimer::timeout, [&] {
        ++step;
        sim.write(QString("pos %1 %2\n").arg(step).arg(-step).toLocal8Bit());
    });
    changer.start(5);
    QTimer watcher;  // looks at the display after every timer tick of the link
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        for (int a = 0; a < 2; ++a) {
            const std::string& now = a == 0 ? w.LV1 : w.LV2;
            if (now != last[a]) {
                ++updates[a];
                last[a] = now;
            }
        }
    });
    watcher.start(2);
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    changer.stop();
    watcher.stop();
    const double busySeconds = static_cast<double>(wall.elapsed()) / 1000.0;
    std::printf("updates per axis: X %d, Y %d in %.1f s: one every %.1f ms (X) and %.1f ms (Y)\n", updates[0],
                updates[1], busySeconds, 1000.0 * busySeconds / std::max(1, updates[0]),
                1000.0 * busySeconds / std::max(1, updates[1]));
    // Idle: the link polls, nobody moves the stage.
    const double cpu1 = CpuSeconds();
    wall.restart();
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    const double idle = (CpuSeconds() - cpu1) / (static_cast<double>(wall.elapsed()) / 1000.0);
    std::printf("CPU while moving: %.1f %% of one core; idle polling: %.1f %% of one core\n",
                100.0 * (cpu1 - cpu0) / busySeconds, 100.0 * idle);
    sim.write("quit\n");
    sim.waitForFinished(2000);
    w.Close();
    return 0;
}
