// Start-up to a shown main window with a long result list in "speicher.dat".
//   tarvo_startup [LINES]
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <filesystem>

#include "app/mainwindow.h"
#include "app/qt/tmain.h"
#include "data/resultline.h"
#include "data/resultlist.h"
#include "shell/nulloperator.h"
#include "shell/qt/qtimerdriver.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const int lines = argc > 1 ? std::atoi(argv[1]) : 100000;
    const auto dir = std::filesystem::temp_directory_path() / "tarvo-startup";
    std::filesystem::create_directories(dir);
    {
        tarvo::ResultList list;
        std::vector<std::string> l;
        for (int i = 1; i <= lines; ++i) {
            l.push_back(
                tarvo::BuildResultLine(i % 65535, "Kreis", " 3 D", 10.0L + i * 0.001L, i * 0.5L, -i * 0.25L, 3));
        }
        list.SetLines(l);
        (void)list.SaveToFile(dir / "speicher.dat");
    }
    QElapsedTimer clock;
    clock.start();
    QApplication app(argc, argv);
    tarvo::NullOperator op;
    const tarvo::SystemWallClock wall;
    tarvo::Session session(op, wall, dir, dir);
    tarvo::MainWindow model(session);
    tarvo::QTimerDriver timers(session.timers);
    tarvo::Tmain window(model);
    model.FormCreate();
    window.Render();
    window.showMaximized();
    QApplication::processEvents();
    const qint64 shown = clock.elapsed();
    // Scrolling to the end and back: the list answers from its model.
    clock.restart();
    for (int i = 0; i < 20; ++i) {
        model.lb1().SetItemIndex(i % 2 == 0 ? lines - 1 : 0);
        window.Render();
        QApplication::processEvents();
    }
    std::printf("%d lines: main window shown after %lld ms; 20 jumps end/start of the list %lld ms\n", lines,
                static_cast<long long>(shown), static_cast<long long>(clock.elapsed()));
    model.Close();
    return 0;
}
