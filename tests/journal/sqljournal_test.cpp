// The journal's Qt SQL adapter on SQLite: round trips of awkward names, the statistics the
// database computes against the same figures computed here, a damaged file that stays as it
// is, a killed station that loses no finished part, a server that is not there.
#include "journal/qt/sqljournal.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include "journal/qt/serverjournal.h"

extern char** environ;

namespace tarvo {
namespace {

namespace fs = std::filesystem;

struct TempDir {
    fs::path dir = fs::temp_directory_path() / ("tarvo-journal-" + NewPartId());
    TempDir() { fs::create_directories(dir); }
    ~TempDir() { fs::remove_all(dir); }
    QString File(const std::string& name) const { return QString::fromStdString((dir / name).string()); }
};

JournalPart MakePart(const std::string& program, const std::string& station, long long seq, const std::string& start) {
    JournalPart p;
    p.id = NewPartId();
    p.program = program;
    p.sequence = seq;
    p.partNumber = std::to_string(seq);
    p.station = station;
    p.operatorName =
        "Pr\xFC"
        "fer";  // Windows-1252, as the core holds text
    p.start = start;
    p.end = start;
    p.finished = true;
    return p;
}

TEST(SqlJournal, NamesAreDataNeverStatements) {
    TempDir t;
    auto j = SqlJournal::OpenSqlite(t.File("journal.db"));
    ASSERT_TRUE(j->Usable());
    // Windows-1252 text as the core holds it: umlauts, quotes, semicolons, backslashes.
    const std::vector<std::string> names = {
        "Bohrung \"1\"", "it's", "a; DROP TABLE journal_parts; --", "C:\\prg\\x", "L\xE4nge \xD8 \xB5m", "%_*?", ""};
    for (const std::string& name : names) {
        JournalPart p = MakePart(name, name, 1, "2024-01-01 10:00:00");
        JournalRow r;
        r.feature = name;
        r.kind = 'A';
        r.line = name + "\x7F";
        ASSERT_TRUE(j->WritePart(p, {r}));
        const auto parts = j->ListParts({name, {}, {}, {}, {name}, 10});
        ASSERT_EQ(parts.size(), 1u) << name;
        EXPECT_EQ(parts[0].program, name);
        EXPECT_EQ(parts[0].operatorName,
                  "Pr\xFC"
                  "fer");
        const auto rows = j->Rows(p.id);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].feature, name);
        EXPECT_EQ(rows[0].line, name + "\x7F");
        EXPECT_FALSE(rows[0].actual);
    }
    EXPECT_EQ(j->ListParts({}).size(), names.size());
}

TEST(SqlJournal, PartWrittenAgainIsReplacedWhole) {
    TempDir t;
    auto j = SqlJournal::OpenSqlite(t.File("journal.db"));
    JournalPart p = MakePart("P", "S", 1, "2024-01-01 10:00:00");
    JournalRow r;
    r.feature = "a";
    ASSERT_TRUE(j->WritePart(p, {r, r, r}));
    p.finished = false;
    ASSERT_TRUE(j->WritePart(p, {r}));
    EXPECT_EQ(j->Rows(p.id).size(), 1u);
    ASSERT_EQ(j->ListParts({}).size(), 1u);
    EXPECT_FALSE(j->ListParts({})[0].finished);
    EXPECT_EQ(j->NextPartNumber("P", "S"), 2);
}

// Statistics by the database, against the same figures computed here from the values, for
// random data sets, stations and date ranges.
TEST(SqlJournal, StatisticsMatchAnIndependentComputation) {
    TempDir t;
    auto j = SqlJournal::OpenSqlite(t.File("journal.db"));
    std::mt19937 gen(4711);
    struct Value {
        std::string start, station;
        long long seq;
        double v;
    };
    std::vector<Value> all;
    const std::vector<std::string> stations = {"M1", "M2", "M3"};
    std::normal_distribution<double> noise(25.0, 0.004);
    for (int i = 0; i < 300; ++i) {
        const std::string station = stations[static_cast<std::size_t>(gen() % 3)];
        char start[32];
        std::snprintf(start, sizeof start, "2024-%02d-%02d %02d:%02d:00", 1 + i / 100, 1 + (i / 4) % 25, 8 + i % 10,
                      static_cast<int>(gen() % 60));
        JournalPart p = MakePart("WELLE.PRG", station, i + 1, start);
        std::vector<JournalRow> rows;
        JournalRow d;
        d.feature = "D 25";
        d.nominal = 25.0;
        d.lowerLimit = 24.99;
        d.upperLimit = 25.01;
        d.actual = noise(gen);
        rows.push_back(d);
        JournalRow other = d;
        other.feature = "L";
        other.actual = 99.0;
        rows.push_back(other);
        ASSERT_TRUE(j->WritePart(p, rows));
        all.push_back({start, station, static_cast<long long>(i + 1), *d.actual});
    }
    const auto check = [&](const JournalFilter& f) {
        std::vector<Value> sel;
        for (const Value& v : all) {
            const bool station =
                f.stations.empty() || std::find(f.stations.begin(), f.stations.end(), v.station) != f.stations.end();
            if (station && (f.from.empty() || v.start >= f.from) && (f.to.empty() || v.start < f.to)) {
                sel.push_back(v);
            }
        }
        std::sort(sel.begin(), sel.end(), [](const Value& a, const Value& b) {
            return std::tie(a.start, a.station, a.seq) < std::tie(b.start, b.station, b.seq);
        });
        const auto a = j->Aggregates(f);
        ASSERT_TRUE(a);
        const JournalStatistics s = DeriveStatistics(*a);
        ASSERT_EQ(s.n, static_cast<long long>(sel.size()));
        double mean = 0;
        for (const Value& v : sel) {
            mean += v.v;
        }
        mean /= static_cast<double>(sel.size());
        double ss = 0, mr = 0;
        int outside = 0;
        for (std::size_t i = 0; i < sel.size(); ++i) {
            ss += (sel[i].v - mean) * (sel[i].v - mean);
            outside += sel[i].v < 24.99 || sel[i].v > 25.01 ? 1 : 0;
            if (i > 0) {
                mr += std::fabs(sel[i].v - sel[i - 1].v);
            }
        }
        const double sigma = std::sqrt(ss / static_cast<double>(sel.size() - 1));
        const double within = mr / static_cast<double>(sel.size() - 1) / 1.128;
        EXPECT_NEAR(s.mean, mean, 1e-12);
        EXPECT_NEAR(*s.sigmaOverall, sigma, 1e-9 * sigma);
        EXPECT_NEAR(*s.sigmaWithin, within, 1e-9 * within);
        EXPECT_NEAR(*s.cp, 0.02 / (6 * within), 1e-6);
        EXPECT_NEAR(*s.cpk, std::min(25.01 - mean, mean - 24.99) / (3 * within), 1e-6);
        EXPECT_NEAR(*s.pp, 0.02 / (6 * sigma), 1e-6);
        EXPECT_NEAR(*s.ppk, std::min(25.01 - mean, mean - 24.99) / (3 * sigma), 1e-6);
        EXPECT_NEAR(s.outsideShare, outside / static_cast<double>(sel.size()), 1e-12);
    };
    check({"WELLE.PRG", "D 25", {}, {}, {}, 0});
    check({"WELLE.PRG", "D 25", "2024-02-01", "2024-03-01", {}, 0});
    check({"", "D 25", "2024-01-10", "", {"M1", "M3"}, 0});
    const auto none = j->Aggregates({"WELLE.PRG", "nicht da", {}, {}, {}, 0});
    ASSERT_TRUE(none);
    EXPECT_EQ(none->n, 0);
}

// The handbook's process (USL 20, LSL 8, mean 16, sigma 2: Pp 1.0, Ppk 0.6667) as four parts
// in the database: 16 -/+ sqrt(3) alternating have mean 16 and sample standard deviation 2.
TEST(SqlJournal, HandbookProcessThroughTheDatabase) {
    TempDir t;
    auto j = SqlJournal::OpenSqlite(t.File("journal.db"));
    for (int i = 0; i < 4; ++i) {
        JournalRow r;
        r.feature = "X";
        r.lowerLimit = 8;
        r.upperLimit = 20;
        r.actual = 16 + (i % 2 == 0 ? -1 : 1) * std::sqrt(3.0);
        ASSERT_TRUE(j->WritePart(MakePart("H", "S", i + 1, "2024-01-01 10:00:0" + std::to_string(i)), {r}));
    }
    const JournalStatistics s = DeriveStatistics(*j->Aggregates({"H", "X", {}, {}, {}, 0}));
    EXPECT_NEAR(s.mean, 16, 1e-12);
    EXPECT_NEAR(*s.sigmaOverall, 2, 1e-12);
    EXPECT_NEAR(*s.pp, 1.0, 1e-12);
    EXPECT_NEAR(*s.ppk, 0.6667, 1e-4);
    EXPECT_NEAR(*s.sigmaWithin, 2 * std::sqrt(3.0) / 1.128, 1e-12);
}

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(SqlJournal, DamagedFileIsSaidOnceAndNeverWrittenOver) {
    TempDir t;
    std::string garbage(5000, '\0');
    std::mt19937 gen(1);
    for (char& c : garbage) {
        c = static_cast<char>(gen());
    }
    std::ofstream(t.dir / "journal.db", std::ios::binary) << garbage;
    auto j = SqlJournal::OpenSqlite(t.File("journal.db"));
    EXPECT_FALSE(j->Usable());
    EXPECT_FALSE(j->WritePart(MakePart("P", "S", 1, "2024-01-01 10:00:00"), {}));
    EXPECT_FALSE(j->WritePart(MakePart("P", "S", 2, "2024-01-01 10:00:00"), {}));
    const auto notes = j->TakeNotes();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].kind, JournalNote::Kind::Damaged);
    EXPECT_TRUE(j->TakeNotes().empty());
    j.reset();
    EXPECT_EQ(ReadAll(t.dir / "journal.db"), garbage);
}

TEST(SqlJournal, JournalOfANewerProgramIsLeftAlone) {
    TempDir t;
    {
        auto j = SqlJournal::OpenSqlite(t.File("journal.db"));
        ASSERT_TRUE(j->Usable());
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "newer");
        db.setDatabaseName(t.File("journal.db"));
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec("UPDATE journal_version SET version = 99");
        db.close();
    }
    QSqlDatabase::removeDatabase("newer");
    const std::string before = ReadAll(t.dir / "journal.db");
    auto j = SqlJournal::OpenSqlite(t.File("journal.db"));
    EXPECT_FALSE(j->Usable());
    EXPECT_EQ(j->TakeNotes().size(), 1u);
    j.reset();
    EXPECT_EQ(ReadAll(t.dir / "journal.db"), before);
}

// A station killed at a random moment: every part in its journal is whole.
TEST(SqlJournal, KilledStationLosesNoFinishedPart) {
    TempDir t;
    std::mt19937 gen(std::random_device{}());
    for (int round = 0; round < 3; ++round) {
        const std::string file = (t.dir / ("k" + std::to_string(round) + ".db")).string();
        std::vector<std::string> args = {TARVO_JOURNAL_STATION, "--local", file, "--parts", "100000", "--rows", "20"};
        std::vector<char*> argv;
        for (auto& a : args) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        pid_t pid = 0;
        posix_spawn_file_actions_t fa;
        posix_spawn_file_actions_init(&fa);
        posix_spawn_file_actions_addopen(&fa, 1, "/dev/null", O_WRONLY, 0);
        ASSERT_EQ(posix_spawn(&pid, argv[0], &fa, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&fa);
        std::this_thread::sleep_for(std::chrono::milliseconds(300 + gen() % 400));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        auto j = SqlJournal::OpenSqlite(QString::fromStdString(file));
        ASSERT_TRUE(j->Usable());
        const auto parts = j->ListParts({{}, {}, {}, {}, {}, 1000000});
        EXPECT_GT(parts.size(), 0u);
        for (const JournalPart& p : parts) {
            ASSERT_EQ(j->Rows(p.id).size(), 20u) << p.id;
        }
    }
}

// No server at the address: the parts stay in the local journal, said once.
TEST(ServerJournal, ServerAwayKeepsPartsLocally) {
    TempDir t;
    SqlJournal::Login login{"127.0.0.1", 1, "tarvo", "tarvo", "x", 2};
    ServerJournal j(SqlJournal::OpenSqlite(t.File("journal.db")), login, std::nullopt);
    j.SetRetryInterval(0);
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(j.WritePart(MakePart("P", "S", i + 1, "2024-01-01 10:00:00"), {}));
    }
    EXPECT_FALSE(j.Send());
    const auto notes = j.TakeNotes();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].kind, JournalNote::Kind::Unreachable);
    EXPECT_EQ(j.Waiting(), 5);
    EXPECT_EQ(j.ListParts({}).size(), 5u);  // read locally while the server is away
}

// A server that takes the connection but never answers: writing parts does not wait for it.
TEST(ServerJournal, WritingNeverWaitsForTheServer) {
    TempDir t;
    const int silent = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof a;
    ASSERT_EQ(::bind(silent, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    ASSERT_EQ(::listen(silent, 8), 0);
    ASSERT_EQ(::getsockname(silent, reinterpret_cast<sockaddr*>(&a), &length), 0);
    SqlJournal::Login login{"127.0.0.1", ntohs(a.sin_port), "tarvo", "tarvo", "x", 2};
    {
        ServerJournal j(SqlJournal::OpenSqlite(t.File("journal.db")), login, std::nullopt);
        ASSERT_TRUE(j.WritePart(MakePart("P", "S", 100, "2024-01-01 10:00:00"), {}));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the worker is at the server now
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < 20; ++i) {
            ASSERT_TRUE(j.WritePart(MakePart("P", "S", i + 1, "2024-01-01 10:00:00"), {}));
        }
        EXPECT_LT(timer.elapsed(), 1000);  // the worker waits for the silent server meanwhile
        EXPECT_EQ(j.Waiting(), 21);
    }
    ::close(silent);
}

TEST(ServerJournal, RefusedPasswordFileSendsNothing) {
    TempDir t;
    ServerJournal j(SqlJournal::OpenSqlite(t.File("journal.db")), {}, std::string("/etc/tarvo/pw"));
    ASSERT_TRUE(j.WritePart(MakePart("P", "S", 1, "2024-01-01 10:00:00"), {}));
    const auto notes = j.TakeNotes();
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].kind, JournalNote::Kind::PasswordFile);
    EXPECT_EQ(j.Waiting(), 1);
}

}  // namespace
}  // namespace tarvo

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
