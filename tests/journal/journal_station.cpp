// A measuring station for the journal's tests: writes parts of rows through the same adapters
// the programs use, with a local SQLite journal and, when given a server, sending to it.
//   journal_station --local FILE --station NAME --parts N [--rows R]
//                   [--host H --port P --database D --user U --password-file F]
//                   [--retry-ms MS] [--drain-seconds S]
// Prints each note ("note: KIND DETAIL") and at the end "waiting=N" (parts not on the server).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <cstdio>
#include <cstring>
#include <string>

#include "journal/journalconfig.h"
#include "journal/qt/serverjournal.h"
#include "journal/qt/sqljournal.h"

namespace {

const char* KindName(tarvo::JournalNote::Kind k) {
    using K = tarvo::JournalNote::Kind;
    switch (k) {
        case K::Damaged:
            return "damaged";
        case K::Unreachable:
            return "unreachable";
        case K::Refused:
            return "refused";
        case K::Reachable:
            return "reachable";
        case K::PasswordFile:
            return "passwordfile";
        case K::Failed:
            return "failed";
        case K::Sending:
            return "sending";
    }
    return "?";
}

void Say(tarvo::JournalStore& store) {
    for (const auto& n : store.TakeNotes()) {
        std::printf("note: %s %s\n", KindName(n.kind), n.detail.c_str());
        std::fflush(stdout);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);  // whole lines, also when killed
    std::string local, station = "S", host, database = "tarvo", user = "tarvo", passwordFile;
    int parts = 10, rows = 20, port = 5432, retryMs = 200, drainSeconds = 60;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        const std::string v = argv[i + 1];
        if (a == "--local")
            local = v;
        else if (a == "--station")
            station = v;
        else if (a == "--parts")
            parts = std::stoi(v);
        else if (a == "--rows")
            rows = std::stoi(v);
        else if (a == "--host")
            host = v;
        else if (a == "--port")
            port = std::stoi(v);
        else if (a == "--database")
            database = v;
        else if (a == "--user")
            user = v;
        else if (a == "--password-file")
            passwordFile = v;
        else if (a == "--retry-ms")
            retryMs = std::stoi(v);
        else if (a == "--drain-seconds")
            drainSeconds = std::stoi(v);
        else {
            std::fprintf(stderr, "journal_station: unknown argument %s\n", a.c_str());
            return 2;
        }
    }
    auto sqlite = tarvo::SqlJournal::OpenSqlite(QString::fromStdString(local));
    tarvo::SqlJournal* plain = sqlite.get();
    std::unique_ptr<tarvo::JournalStore> store;
    tarvo::ServerJournal* server = nullptr;
    if (!host.empty()) {
        tarvo::SqlJournal::Login login{QString::fromStdString(host), port, QString::fromStdString(database),
                                       QString::fromStdString(user), {},   3};
        std::optional<std::string> problem;
        const tarvo::PasswordRead pw = tarvo::ReadPasswordFile(passwordFile);
        if (pw.password) {
            login.password = QString::fromStdString(*pw.password);
        } else {
            problem = pw.why;
        }
        auto s = std::make_unique<tarvo::ServerJournal>(std::move(sqlite), login, problem);
        s->SetRetryInterval(retryMs);
        server = s.get();
        store = std::move(s);
    } else {
        store = std::move(sqlite);
    }
    for (int p = 0; p < parts; ++p) {
        tarvo::JournalPart part;
        part.id = tarvo::NewPartId();
        part.program = "E2E.PRG";
        part.sequence = p + 1;
        part.partNumber = std::to_string(p + 1);
        part.station = station;
        part.operatorName = "test";
        part.start = "2024-05-01 08:00:00";
        part.end = "2024-05-01 08:00:01";
        part.finished = true;
        std::vector<tarvo::JournalRow> rs;
        for (int r = 0; r < rows; ++r) {
            tarvo::JournalRow row;
            row.feature = "F" + std::to_string(r);
            row.nominal = 10.0;
            row.lowerLimit = 9.9;
            row.upperLimit = 10.1;
            row.actual = 10.0 + 0.001 * ((p * 7 + r) % 41 - 20);
            row.deviation = *row.actual - 10.0;
            row.good = true;
            row.line = "line " + std::to_string(r);
            rs.push_back(std::move(row));
        }
        if (!store->WritePart(part, rs)) {
            std::fprintf(stderr, "journal_station: part %d not kept\n", p);
            return 1;
        }
        std::printf("part %s\n", part.id.c_str());
        Say(*store);
    }
    long long waiting = 0;
    if (server != nullptr) {
        QElapsedTimer t;
        t.start();
        while (!server->Send() || server->Waiting() > 0) {
            Say(*store);
            if (t.elapsed() > drainSeconds * 1000LL) {
                break;
            }
            QThread::msleep(static_cast<unsigned long>(retryMs));
        }
        waiting = server->Waiting();
    }
    (void)plain;
    Say(*store);
    std::printf("waiting=%lld\n", waiting);
    return 0;
}
