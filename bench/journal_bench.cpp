// The results journal on SQLite: writing one part of 20 rows (target under 2 ms) and the
// statistics of one feature over 1 000 000 rows (target under 1 s).
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <filesystem>

#include "journal/qt/sqljournal.h"

namespace {

namespace fs = std::filesystem;

fs::path TempFile(const std::string& name) {
    const fs::path dir = fs::temp_directory_path() / ("tarvo-journal-bench-" + tarvo::NewPartId());
    fs::create_directories(dir);
    return dir / name;
}

void BM_WritePart20Rows(benchmark::State& state) {
    const fs::path file = TempFile("journal.db");
    auto j = tarvo::SqlJournal::OpenSqlite(QString::fromStdString(file.string()));
    std::vector<tarvo::JournalRow> rows(20);
    for (int i = 0; i < 20; ++i) {
        rows[static_cast<std::size_t>(i)].feature = "Bohrung " + std::to_string(i);
        rows[static_cast<std::size_t>(i)].nominal = 10;
        rows[static_cast<std::size_t>(i)].lowerLimit = 9.9;
        rows[static_cast<std::size_t>(i)].upperLimit = 10.1;
        rows[static_cast<std::size_t>(i)].actual = 10.01;
        rows[static_cast<std::size_t>(i)].line =
            "  3 Bohrung            #1       10.010                        -|-----\x7F-----|-";
    }
    long long n = 0;
    for (auto _ : state) {
        tarvo::JournalPart p;
        p.id = tarvo::NewPartId();
        p.program = "WELLE.PRG";
        p.sequence = ++n;
        p.partNumber = std::to_string(n);
        p.station = "M1";
        p.start = p.end = "2024-05-01 08:00:00";
        p.finished = true;
        if (!j->WritePart(p, rows)) {
            state.SkipWithError("write failed");
        }
    }
    j.reset();
    fs::remove_all(file.parent_path());
}
BENCHMARK(BM_WritePart20Rows)->Unit(benchmark::kMillisecond);

// A journal of 50 000 parts of 20 values of one feature, made by the database itself.
fs::path Journal1MRows() {
    const fs::path file = TempFile("journal.db");
    { auto j = tarvo::SqlJournal::OpenSqlite(QString::fromStdString(file.string())); }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "fill");
        db.setDatabaseName(QString::fromStdString(file.string()));
        db.open();
        QSqlQuery q(db);
        q.exec("BEGIN");
        q.exec(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 50000)"
            " INSERT INTO journal_parts (part_id, program, part_number, part_seq, station, operator, started, ended,"
            " finished) SELECT printf('p%08d', i), 'WELLE.PRG', i, i, 'M' || (i % 4), '',"
            " printf('2024-%02d-%02d 08:00:00', 1 + i % 12, 1 + i % 28), '', 1 FROM n");
        q.exec(
            "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 999999)"
            " INSERT INTO journal_rows (part_id, seq, feature, kind, program, station, started, part_seq, nominal,"
            " upper_limit, lower_limit, actual, deviation, good, line)"
            " SELECT p.part_id, 1 + n.i % 20, 'D 25', 'V', p.program, p.station, p.started, p.part_seq, 25.0, 25.01,"
            " 24.99, 25.0 + ((n.i * 7919) % 201 - 100) * 0.0001, 0, 1, ''"
            " FROM n JOIN journal_parts p ON p.part_id = printf('p%08d', 1 + n.i / 20)");
        q.exec("COMMIT");
        db.close();
    }
    QSqlDatabase::removeDatabase("fill");
    return file;
}

void BM_Statistics1MRows(benchmark::State& state) {
    const fs::path file = Journal1MRows();
    auto j = tarvo::SqlJournal::OpenSqlite(QString::fromStdString(file.string()));
    tarvo::JournalFilter f;
    f.program = "WELLE.PRG";
    f.feature = "D 25";
    for (auto _ : state) {
        const auto a = j->Aggregates(f);
        if (!a || a->n != 1000000) {
            state.SkipWithError("not 1 000 000 values");
        }
        benchmark::DoNotOptimize(tarvo::DeriveStatistics(*a));
    }
    j.reset();
    fs::remove_all(file.parent_path());
}
BENCHMARK(BM_Statistics1MRows)->Unit(benchmark::kMillisecond)->Iterations(3);

// For comparison: the same sums in one statement, the moving ranges by the window function LAG
// (the way a server computes them).
void BM_Statistics1MRowsWindowFunction(benchmark::State& state) {
    const fs::path file = Journal1MRows();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "lag");
        db.setDatabaseName(QString::fromStdString(file.string()));
        db.open();
        for (auto _ : state) {
            QSqlQuery q(db);
            q.setForwardOnly(true);
            q.exec(
                "WITH x AS (SELECT actual AS v, lower_limit AS lo, upper_limit AS hi, started AS t, station AS st,"
                " part_seq AS ps, part_id AS pid, seq FROM journal_rows WHERE feature = 'D 25'"
                " AND program = 'WELLE.PRG' AND actual IS NOT NULL), d AS (SELECT v, lo, hi,"
                " v - LAG(v) OVER (ORDER BY t, st, ps, pid, seq) AS dv FROM x) SELECT COUNT(*), SUM(v),"
                " SUM(v * v), SUM(ABS(dv)), COUNT(dv), SUM(CASE WHEN v < lo OR v > hi THEN 1 ELSE 0 END) FROM d");
            if (!q.next() || q.value(0).toLongLong() != 1000000) {
                state.SkipWithError("not 1 000 000 values");
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase("lag");
    fs::remove_all(file.parent_path());
}
BENCHMARK(BM_Statistics1MRowsWindowFunction)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
