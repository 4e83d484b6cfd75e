// tarvo: the operator's desktop program.
//   tarvo [--dir DIR] [--converter FILE]
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <filesystem>

#include "readout/countercard.h"
#include "readout/qt/qserialdevice.h"
#include "output/qt/tcomon_form.h"
#include "readout/qt/tcommdriver.h"
#include "app/mainwindow.h"
#include "shell/qt/qtimerdriver.h"
#include "app/qt/qtoperator.h"
#include "app/qt/tmain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("TARVO");
    const QStringList args = QApplication::arguments();
    // --converter FILE: the contour converter opens on a point file (named from where the
    // program was started).
    const int converterArg = static_cast<int>(args.indexOf("--converter"));
    const std::filesystem::path converterFile =
        converterArg >= 0 && converterArg + 1 < args.size()
            ? std::filesystem::absolute(args[converterArg + 1].toStdString())
            : std::filesystem::path();
    const int dirArg = static_cast<int>(args.indexOf("--dir"));
    if (dirArg >= 0 && dirArg + 1 < args.size()) {
        QDir::setCurrent(args[dirArg + 1]);
    }
    const std::filesystem::path work = std::filesystem::current_path();
    const tarvo::SystemWallClock clock;
    tarvo::QtOperator op;
    tarvo::QSerialDevice serial;
    tarvo::DevPortIo ports;
    tarvo::Session session(op, clock, work, tarvo::FileSystemRootOf(work));
    session.serialDevice = &serial;
    session.ioPorts = ports.Available() ? &ports : nullptr;
    tarvo::MainWindow model(session);
    tarvo::QTimerDriver timers(session.timers);
    tarvo::Tmain window(model);
    tarvo::TCommDriver diagnostics(model.Link(), &window);
    op.Attach(&window, &model);
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
        if (!QFileInfo::exists(manual)) {
            manual = QStringLiteral(TARVO_MANUAL);
        }
        QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
    });
    session.changes.HelpRequested.Attach(help);
    model.FormCreate();
    window.Render();
    window.showMaximized();
    if (!converterFile.empty()) {
        (void)model.Converter().Open(converterFile);
        model.KonturkonverterClick();
    }
    return QApplication::exec();
}
