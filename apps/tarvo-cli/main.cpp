// tarvo-cli: runs TARVO headless, driven by a script of operator actions.
//   tarvo-cli [--dir DIR] [--drive-root DIR] [SCRIPT]
#include <fstream>
#include <iostream>
#include <string>

#include "base/fileio.h"
#ifdef TARVO_HAVE_JOURNAL_SQL
#include <QCoreApplication>

#include "journal/qt/openjournal.h"
#include "journal/qt/serverjournal.h"
#include "shell/workfolder.h"
#endif
#include "scriptrunner.h"
#include "shell/settings.h"

int main(int argc, char** argv) {
    std::string dir;
    std::string driveRoot;
    std::string script;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if ((a == "--dir" || a == "--drive-root") && i + 1 < argc) {
            (a == "--dir" ? dir : driveRoot) = argv[++i];
        } else if (a == "-h" || a == "--help") {
            std::cout << "usage: tarvo-cli [--dir DIR] [--drive-root DIR] [SCRIPT]\n";
            return 0;
        } else if (script.empty() && (a.empty() || a[0] != '-' || a == "-")) {
            script = a;
        } else {
            std::cerr << "tarvo-cli: unknown argument " << a << '\n';
            return 1;
        }
    }
    std::ifstream file;
    if (!script.empty() && script != "-") {
        file.open(script, std::ios::binary);
        if (!file) {
            std::cerr << "tarvo-cli: cannot read " << script << '\n';
            return 1;
        }
    }
    std::error_code ec;
    if (!dir.empty()) {
        std::filesystem::current_path(dir, ec);
        if (ec) {
            std::cerr << "tarvo-cli: cannot change to " << dir << ": " << ec.message() << '\n';
            return 1;
        }
    }
    const std::filesystem::path work = std::filesystem::current_path(ec);
    if (ec) {
        std::cerr << "tarvo-cli: no working folder: " << ec.message() << '\n';
        return 1;
    }
    const std::filesystem::path root =
        driveRoot.empty() ? tarvo::FileSystemRootOf(work) : std::filesystem::path(driveRoot);
    const tarvo::SystemWallClock clock;
    tarvo::ScriptRunner runner(script.empty() || script == "-" ? std::cin : file, std::cout, work, root, clock);
    runner.SetShippedData(tarvo::ShippedDataFolder(TARVO_SHIPPED_DATA));
#ifdef TARVO_HAVE_JOURNAL_SQL
    // Qt Core for the database drivers (plugins) only; no event loop runs.
    int qargc = 1;
    char qname[] = "tarvo-cli";
    char* qargv[] = {qname, nullptr};
    QCoreApplication qapp(qargc, qargv);
    const bool readOnly = tarvo::WorkFolder(work, root).ReadOnlyMedia();
    tarvo::OpenedJournal journal = tarvo::OpenJournal(work, readOnly);
    runner.SetJournal(journal.store.get(), journal.station, journal.operatorName);
    const int status = runner.Run();
    if (journal.server != nullptr) {
        (void)journal.server->Send();  // what waits goes now, when the server is there
    }
    return status;
#else
    return runner.Run();
#endif
}
