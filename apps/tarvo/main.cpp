// tarvo: the operator's desktop program.
//   tarvo [--dir DIR] [--converter FILE] [--simulated-camera | --camera NAME]
//   tarvo --save-language-files DIR
//   tarvo --self-test
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>

#include "app/fitselftest.h"
#include "app/mainwindow.h"
#include "app/qt/qtoperator.h"
#include "app/qt/tkamerabild.h"
#include "app/qt/tmain.h"
#include "app/videoprobing.h"
#include "base/cp1252.h"
#include "base/fileio.h"
#include "output/qt/tcomon_form.h"
#include "readout/countercard.h"
#include "readout/qt/qserialdevice.h"
#include "readout/qt/tcommdriver.h"
#include "readout/simulatedcamera.h"
#include "shell/qt/qtimerdriver.h"
#ifdef TARVO_HAVE_QT_CAMERA
#include "readout/qt/qtcamera.h"
#endif
#ifdef TARVO_HAVE_JOURNAL_SQL
#include <QTimer>

#include "journal/qt/openjournal.h"
#include "journal/qt/serverjournal.h"
#endif

int main(int argc, char** argv) {
    // --self-test: the reference fits against the shipped certified sets, without a window;
    // exit status 0 when every deviation is within the limit.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--self-test") == 0) {
            const tarvo::FitSelfTestReport report =
                tarvo::RunFitSelfTest(tarvo::ShippedDataFolder(TARVO_SHIPPED_DATA) / "fits");
            for (const std::string& line : report.lines) {
                std::printf("%s\n", line.c_str());
            }
            return report.passed ? 0 : 1;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("TARVO");
    const QStringList args = QApplication::arguments();
    // --converter FILE: the contour converter opens on a point file (named from where the
    // program was started).
    const int converterArg = static_cast<int>(args.indexOf("--converter"));
    const std::filesystem::path converterFile = converterArg >= 0 && converterArg + 1 < args.size()
                                                    ? std::filesystem::absolute(args[converterArg + 1].toStdString())
                                                    : std::filesystem::path();
    const std::filesystem::path shipped = tarvo::ShippedDataFolder(TARVO_SHIPPED_DATA);
    const int dirArg = static_cast<int>(args.indexOf("--dir"));
    if (dirArg >= 0 && dirArg + 1 < args.size()) {
        QDir::setCurrent(args[dirArg + 1]);
    } else if (args.indexOf("--save-language-files") < 0) {
        // The operator's own data folder (~/.local/share/TARVO), made at the first start; the
        // shipped files come into it at the window's creation.
        const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        if (data.isEmpty() || !QDir().mkpath(data) || !QDir::setCurrent(data)) {
            std::fprintf(stderr, "tarvo: no data folder %s\n", data.toLocal8Bit().constData());
            return 1;
        }
    }
    const std::filesystem::path work = std::filesystem::current_path();
    const tarvo::SystemWallClock clock;
    tarvo::QtOperator op;
    tarvo::QSerialDevice serial;
    tarvo::DevPortIo ports;
    tarvo::Session session(op, clock, work, tarvo::FileSystemRootOf(work));
    session.serialDevice = &serial;
    session.ioPorts = ports.Available() ? &ports : nullptr;
    session.shippedData = shipped;
#ifdef TARVO_HAVE_JOURNAL_SQL
    // The results journal.
    tarvo::OpenedJournal journal = args.indexOf("--save-language-files") < 0
                                       ? tarvo::OpenJournal(work, session.ReadOnlyMedia())
                                       : tarvo::OpenedJournal{};
    session.journal = journal.store.get();
    session.journalStation = journal.station;
    session.journalOperator = journal.operatorName;
#endif
    tarvo::MainWindow model(session);
#ifdef TARVO_HAVE_JOURNAL_SQL
    // The server's worker sends by itself; what it has to say reaches the status bar from here.
    QTimer journalNotes;
    if (journal.server != nullptr) {
        QObject::connect(&journalNotes, &QTimer::timeout, [&model] {
            const std::string before = model.JournalStatus;
            model.ReportJournalNotes();
            if (model.JournalStatus != before) {
                model.Changed.Notify();
            }
        });
        journalNotes.start(250);
    }
#endif
    tarvo::QTimerDriver timers(session.timers);
    tarvo::Tmain window(model);
    tarvo::TCommDriver diagnostics(model.Link(), &window);
    op.Attach(&window, &model);
    // --save-language-files DIR: every window's texts in the language-file format, the German
    // set translators start from.
    const int saveArg = static_cast<int>(args.indexOf("--save-language-files"));
    if (saveArg >= 0) {
        if (saveArg + 1 >= args.size()) {
            std::fprintf(stderr, "tarvo: --save-language-files needs a folder\n");
            return 2;
        }
        try {
            window.SaveLanguageFiles(args[saveArg + 1].toStdString());
            return 0;
        } catch (const std::exception& e) {
            std::fprintf(stderr, "tarvo: %s\n", tarvo::AnsiToUtf8(e.what()).c_str());
            return 1;
        }
    }
    tarvo::Slot<> showDiagnostics([&diagnostics] { diagnostics.show(); });
    model.Link().ShowCommDriver.Attach(showDiagnostics);
    // The logo form carries LOGO.BMP from start-up on; "showlogo" shows it when the link starts.
    tarvo::Tcomon_form logoForm(QDir::currentPath(), &window);
    tarvo::Slot<> showLogo([&logoForm] { logoForm.show(); });
    model.Link().ShowLogo.Attach(showLogo);
    // The manual: "manual/index.html" of the working folder when the installation has one,
    // else the one shipped with the sources.
    tarvo::Slot<> help([] {
        QString manual = QDir::current().filePath("manual/index.html");
        const QString installed = QCoreApplication::applicationDirPath() + "/../share/doc/tarvo/manual/index.html";
        if (!QFileInfo::exists(manual)) {
            manual = QFileInfo::exists(installed) ? installed : QStringLiteral(TARVO_MANUAL);
        }
        QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
    });
    session.changes.HelpRequested.Attach(help);
    // The camera at the cross-hair: --simulated-camera renders the demo's sample at the stage
    // position the readout reads; otherwise the first video input (or the one named by --camera),
    // when there is one. Without a camera the program works as ever.
    tarvo::VideoProbing video(model);
    tarvo::SimulatedCamera simulatedCamera;
    std::function<void()> followStage;
    if (args.contains("--simulated-camera")) {
        video.SetCamera(&simulatedCamera);
        followStage = [&simulatedCamera, &session] {
            simulatedCamera.SetStagePosition(static_cast<double>(session.acquisition.LastReading[0]),
                                             static_cast<double>(session.acquisition.LastReading[1]));
        };
    }
#ifdef TARVO_HAVE_QT_CAMERA
    const int cameraArg = static_cast<int>(args.indexOf("--camera"));
    tarvo::QtCamera realCamera(cameraArg >= 0 && cameraArg + 1 < args.size() ? args[cameraArg + 1] : QString());
    if (video.GetCamera() == nullptr && realCamera.Available()) {
        video.SetCamera(&realCamera);
    }
#endif
    tarvo::Tkamerabild liveView(video, followStage, &window);
    tarvo::Slot<> showLiveView([&liveView] {
        liveView.show();
        liveView.raise();
    });
    model.ShowLiveView.Attach(showLiveView);
    model.FormCreate();
    window.Render();
    window.showMaximized();
    if (!converterFile.empty()) {
        (void)model.Converter().Open(converterFile);
        model.Run(tarvo::CommandOf(tarvo::CommandId::Converter));
    }
    return QApplication::exec();
}
