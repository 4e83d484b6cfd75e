// The camera's live view: frames of the simulated camera (1280 x 720) taken and painted in the
// window, as many as it manages in two seconds, offscreen; prints the frames per second, by the
// wall clock and by the processor time the program took (the figure on a machine with other load).
//   tarvo_liveview
#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "app/mainwindow.h"
#include "app/qt/tkamerabild.h"
#include "app/videoprobing.h"
#include "readout/simulatedcamera.h"
#include "shell/nulloperator.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const auto dir = std::filesystem::temp_directory_path() / "tarvo-liveview";
    std::filesystem::create_directories(dir);
    QApplication app(argc, argv);
    tarvo::NullOperator op;
    const tarvo::SystemWallClock wall;
    tarvo::Session session(op, wall, dir, dir);
    tarvo::MainWindow model(session);
    tarvo::VideoProbing video(model);
    tarvo::SimulatedCamera camera;
    video.SetCamera(&camera);
    double x = 65.5;
    tarvo::Tkamerabild view(video, [&] { camera.SetStagePosition(x += 0.001, 20.3); });
    view.resize(1300, 780);
    view.show();
    QElapsedTimer clock;
    clock.start();
    const std::clock_t cpu0 = std::clock();
    int frames = 0;
    while (clock.elapsed() < 2000) {
        (void)view.Refresh();
        view.repaint();
        ++frames;
    }
    const double fps = frames * 1000.0 / static_cast<double>(clock.elapsed());
    const double cpuSeconds = static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC;
    const double cpuFps = frames / cpuSeconds;
    std::printf("live view: %d frames of %dx%d in %lld ms: %.1f frames/s (%.1f by processor time)\n", frames,
                camera.Settings().width, camera.Settings().height, static_cast<long long>(clock.elapsed()), fps,
                cpuFps);
    return std::max(fps, cpuFps) >= 25 ? 0 : 1;
}
