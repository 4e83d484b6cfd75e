#include "journal/qt/sqljournal.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <utility>

#include "shell/qt/qtext.h"

namespace tarvo {

namespace {

QString NewConnectionName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("tarvo-journal-%1").arg(++counter);
}

// The statements of each schema version, applied in order from the one found.
const std::vector<std::vector<const char*>>& Migrations() {
    static const std::vector<std::vector<const char*>> steps = {
        // 0 -> 1
        {
            "CREATE TABLE journal_parts ("
            " part_id TEXT PRIMARY KEY, program TEXT NOT NULL, part_number TEXT NOT NULL, part_seq INTEGER NOT NULL,"
            " station TEXT NOT NULL, operator TEXT NOT NULL, started TEXT NOT NULL, ended TEXT NOT NULL,"
            " finished INTEGER NOT NULL, rev INTEGER NOT NULL DEFAULT 1, sent INTEGER NOT NULL DEFAULT 0)",
            "CREATE TABLE journal_rows ("
            " part_id TEXT NOT NULL REFERENCES journal_parts (part_id) ON DELETE CASCADE,"
            " seq INTEGER NOT NULL, feature TEXT NOT NULL, kind TEXT NOT NULL,"
            " program TEXT NOT NULL, station TEXT NOT NULL, started TEXT NOT NULL, part_seq INTEGER NOT NULL,"
            " nominal DOUBLE PRECISION, upper_limit DOUBLE PRECISION, lower_limit DOUBLE PRECISION,"
            " actual DOUBLE PRECISION, deviation DOUBLE PRECISION, good INTEGER NOT NULL, line TEXT NOT NULL,"
            " PRIMARY KEY (part_id, seq))",
            // The statistics of a feature read this index alone, in the order the parts were
            // started (the moving ranges need that order).
            "CREATE INDEX journal_rows_feature ON journal_rows (feature, program, started, station, part_seq,"
            " part_id, seq, actual, lower_limit, upper_limit)",
            "CREATE INDEX journal_parts_program ON journal_parts (program, station, started)",
            "CREATE INDEX journal_parts_sent ON journal_parts (sent)",
        },
    };
    return steps;
}

QVariant Number(const std::optional<double>& v) { return v ? QVariant(*v) : QVariant(QMetaType::fromType<double>()); }

std::optional<double> Number(const QVariant& v) {
    if (v.isNull()) {
        return std::nullopt;
    }
    return v.toDouble();
}

// " AND column >= ?" ... for the filter's parts, with the values to bind in order.
// `t` is the table's alias.
QString PartConditions(const JournalFilter& f, QVariantList& binds, const QString& t = QStringLiteral("p")) {
    QString sql;
    if (!f.program.empty()) {
        sql += " AND " + t + ".program = ?";
        binds << Q(f.program);
    }
    if (!f.from.empty()) {
        sql += " AND " + t + ".started >= ?";
        binds << Q(f.from);
    }
    if (!f.to.empty()) {
        sql += " AND " + t + ".started < ?";
        binds << Q(f.to);
    }
    if (!f.stations.empty()) {
        sql += " AND " + t + ".station IN (";
        for (std::size_t i = 0; i < f.stations.size(); ++i) {
            sql += i == 0 ? "?" : ", ?";
            binds << Q(f.stations[i]);
        }
        sql += ")";
    }
    return sql;
}

}  // namespace

SqlJournal::SqlJournal(QSqlDatabase db, bool postgres)
    : m_name(db.connectionName()), m_db(std::move(db)), m_postgres(postgres) {}

SqlJournal::~SqlJournal() {
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_name);
}

std::unique_ptr<SqlJournal> SqlJournal::OpenSqlite(const QString& file) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), NewConnectionName());
    db.setDatabaseName(file);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    std::unique_ptr<SqlJournal> j(new SqlJournal(db, false));
    if (!j->m_db.open()) {
        j->Note(JournalNote::Kind::Damaged, A(file + ": " + j->m_db.lastError().text()));
        return j;
    }
    // Read before anything is written: a file that is no database stays untouched.
    QSqlQuery probe(j->m_db);
    if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
        j->Note(JournalNote::Kind::Damaged, A(file + ": " + probe.lastError().text()));
        return j;
    }
    probe.finish();
    // A finished part survives a killed process (write-ahead log, committed per part).
    QSqlQuery pragma(j->m_db);
    (void)pragma.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    (void)pragma.exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
    (void)pragma.exec(QStringLiteral("PRAGMA foreign_keys=ON"));
    j->m_usable = j->Migrate();
    if (!j->m_usable && j->m_notes.empty()) {
        j->Note(JournalNote::Kind::Damaged, A(file + ": " + j->m_lastError));
    }
    return j;
}

std::unique_ptr<SqlJournal> SqlJournal::OpenPostgres(const Login& login, QString* error, bool* refused) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), NewConnectionName());
    db.setHostName(login.host);
    db.setPort(login.port);
    db.setDatabaseName(login.database);
    db.setUserName(login.user);
    db.setPassword(login.password);
    // A server that went away must not hold the station for long.
    db.setConnectOptions(QStringLiteral("connect_timeout=%1;keepalives=1;keepalives_idle=10;tcp_user_timeout=%2")
                             .arg(login.timeoutSeconds)
                             .arg(login.timeoutSeconds * 1000));
    std::unique_ptr<SqlJournal> j(new SqlJournal(db, true));
    if (!j->m_db.open()) {
        const QSqlError e = j->m_db.lastError();
        const QString text = e.databaseText().isEmpty() ? e.text() : e.databaseText();
        if (error != nullptr) {
            *error = text.trimmed();
        }
        if (refused != nullptr) {
            // The server answered (it is there) but would not let us in.
            *refused = text.contains(QStringLiteral("FATAL")) && !text.contains(QStringLiteral("starting up")) &&
                       !text.contains(QStringLiteral("shutting down"));
        }
        return nullptr;
    }
    if (!j->Migrate()) {
        if (error != nullptr) {
            *error = j->m_lastError;
        }
        if (refused != nullptr) {
            *refused = false;
        }
        return nullptr;
    }
    j->m_usable = true;
    return j;
}

bool SqlJournal::Migrate() {
    if (!m_db.transaction()) {
        return Fail(m_db.lastError().text());
    }
    QSqlQuery q(m_db);
    const auto abort = [this, &q] {
        const QString why = q.lastError().text();
        m_db.rollback();
        return Fail(why);
    };
    if (m_postgres) {
        // Stations starting together make the schema one after the other.
        if (!q.exec(QStringLiteral("SELECT pg_advisory_xact_lock(736185)"))) {
            return abort();
        }
    }
    if (!q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS journal_version (version INTEGER NOT NULL)"))) {
        return abort();
    }
    if (!q.exec(QStringLiteral("SELECT max(version) FROM journal_version"))) {
        return abort();
    }
    int version = q.next() && !q.value(0).isNull() ? q.value(0).toInt() : 0;
    q.finish();
    if (version > kSchemaVersion) {
        m_db.rollback();
        Note(JournalNote::Kind::Damaged, "Version " + std::to_string(version) + " > " + std::to_string(kSchemaVersion) +
                                             " (" + A(m_db.databaseName()) + ")");
        m_lastError = QStringLiteral("schema version %1").arg(version);
        return false;
    }
    const bool fresh = version == 0;
    const int found = version;
    for (; version < kSchemaVersion; ++version) {
        for (const char* statement : Migrations()[static_cast<std::size_t>(version)]) {
            if (!q.exec(QString::fromLatin1(statement))) {
                return abort();
            }
        }
    }
    // A journal of this version is only read: a second connection to it (the sending worker's)
    // opens while the first one writes.
    const bool migrated = fresh || version != found;
    if (migrated &&
        !q.exec(fresh ? QStringLiteral("INSERT INTO journal_version (version) VALUES (%1)").arg(kSchemaVersion)
                      : QStringLiteral("UPDATE journal_version SET version = %1").arg(kSchemaVersion))) {
        return abort();
    }
    if (!m_db.commit()) {
        return Fail(m_db.lastError().text());
    }
    return true;
}

bool SqlJournal::Fail(const QString& why) {
    m_lastError = why;
    return false;
}

void SqlJournal::Note(JournalNote::Kind kind, const std::string& detail) { m_notes.push_back({kind, detail}); }

std::vector<JournalNote> SqlJournal::TakeNotes() { return std::exchange(m_notes, {}); }

bool SqlJournal::WritePart(const JournalPart& part, const std::vector<JournalRow>& rows) {
    if (!m_usable) {
        return false;
    }
    const auto failed = [this](const QString& why) {
        m_db.rollback();
        m_lastError = why;
        if (!m_failed && !m_postgres) {
            Note(JournalNote::Kind::Failed, A(why));
        }
        m_failed = true;
        return false;
    };
    if (!m_db.transaction()) {
        return failed(m_db.lastError().text());
    }
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral(
        "INSERT INTO journal_parts (part_id, program, part_number, part_seq, station, operator, started, ended,"
        " finished) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)"
        " ON CONFLICT (part_id) DO UPDATE SET program = excluded.program, part_number = excluded.part_number,"
        " part_seq = excluded.part_seq,"
        " station = excluded.station, operator = excluded.operator, started = excluded.started,"
        " ended = excluded.ended, finished = excluded.finished, rev = journal_parts.rev + 1, sent = 0"));
    for (const QVariant& v :
         {QVariant(QString::fromStdString(part.id)), QVariant(Q(part.program)), QVariant(Q(part.partNumber)),
          QVariant(part.sequence), QVariant(Q(part.station)), QVariant(Q(part.operatorName)), QVariant(Q(part.start)),
          QVariant(Q(part.end)), QVariant(part.finished ? 1 : 0)}) {
        q.addBindValue(v);
    }
    if (!q.exec()) {
        return failed(q.lastError().text());
    }
    QSqlQuery del(m_db);
    del.prepare(QStringLiteral("DELETE FROM journal_rows WHERE part_id = ?"));
    del.addBindValue(QString::fromStdString(part.id));
    if (!del.exec()) {
        return failed(del.lastError().text());
    }
    QSqlQuery ins(m_db);
    ins.prepare(QStringLiteral(
        "INSERT INTO journal_rows (part_id, seq, feature, kind, program, station, started, part_seq, nominal,"
        " upper_limit, lower_limit, actual, deviation, good, line)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    int seq = 0;
    for (const JournalRow& r : rows) {
        ins.addBindValue(QString::fromStdString(part.id));
        ins.addBindValue(++seq);
        ins.addBindValue(Q(r.feature));
        ins.addBindValue(QString(QChar::fromLatin1(r.kind)));
        ins.addBindValue(Q(part.program));
        ins.addBindValue(Q(part.station));
        ins.addBindValue(Q(part.start));
        ins.addBindValue(part.sequence);
        ins.addBindValue(Number(r.nominal));
        ins.addBindValue(Number(r.upperLimit));
        ins.addBindValue(Number(r.lowerLimit));
        ins.addBindValue(Number(r.actual));
        ins.addBindValue(Number(r.deviation));
        ins.addBindValue(r.good ? 1 : 0);
        ins.addBindValue(Q(r.line));
        if (!ins.exec()) {
            return failed(ins.lastError().text());
        }
    }
    if (!m_db.commit()) {
        return failed(m_db.lastError().text());
    }
    m_failed = false;
    return true;
}

std::vector<JournalPart> SqlJournal::ListParts(const JournalFilter& filter) {
    std::vector<JournalPart> parts;
    if (!m_usable) {
        return parts;
    }
    QVariantList binds;
    const QString where = PartConditions(filter, binds);
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    q.prepare(
        QStringLiteral("SELECT part_id, program, part_number, station, operator, started, ended, finished, part_seq"
                       " FROM journal_parts p WHERE 1 = 1") +
        where + QStringLiteral(" ORDER BY started DESC, station DESC, part_seq DESC, part_id DESC LIMIT ?"));
    for (const QVariant& v : binds) {
        q.addBindValue(v);
    }
    q.addBindValue(filter.limit);
    if (!q.exec()) {
        m_lastError = q.lastError().text();
        return parts;
    }
    while (q.next()) {
        JournalPart p;
        p.id = q.value(0).toString().toStdString();
        p.program = A(q.value(1).toString());
        p.partNumber = A(q.value(2).toString());
        p.station = A(q.value(3).toString());
        p.operatorName = A(q.value(4).toString());
        p.start = A(q.value(5).toString());
        p.end = A(q.value(6).toString());
        p.finished = q.value(7).toInt() != 0;
        p.sequence = q.value(8).toLongLong();
        parts.push_back(std::move(p));
    }
    return parts;
}

std::optional<JournalPart> SqlJournal::Part(const std::string& partId) {
    if (!m_usable) {
        return std::nullopt;
    }
    QSqlQuery q(m_db);
    q.prepare(
        QStringLiteral("SELECT part_id, program, part_number, station, operator, started, ended, finished, part_seq"
                       " FROM journal_parts WHERE part_id = ?"));
    q.addBindValue(QString::fromStdString(partId));
    if (!q.exec() || !q.next()) {
        return std::nullopt;
    }
    JournalPart p;
    p.id = q.value(0).toString().toStdString();
    p.program = A(q.value(1).toString());
    p.partNumber = A(q.value(2).toString());
    p.station = A(q.value(3).toString());
    p.operatorName = A(q.value(4).toString());
    p.start = A(q.value(5).toString());
    p.end = A(q.value(6).toString());
    p.finished = q.value(7).toInt() != 0;
    p.sequence = q.value(8).toLongLong();
    return p;
}

std::vector<JournalRow> SqlJournal::Rows(const std::string& partId) {
    std::vector<JournalRow> rows;
    if (!m_usable) {
        return rows;
    }
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    q.prepare(
        QStringLiteral("SELECT feature, kind, nominal, upper_limit, lower_limit, actual, deviation, good, line"
                       " FROM journal_rows WHERE part_id = ? ORDER BY seq"));
    q.addBindValue(QString::fromStdString(partId));
    if (!q.exec()) {
        m_lastError = q.lastError().text();
        return rows;
    }
    while (q.next()) {
        JournalRow r;
        r.feature = A(q.value(0).toString());
        const QString kind = q.value(1).toString();
        r.kind = kind.isEmpty() ? 'V' : kind.at(0).toLatin1();
        r.nominal = Number(q.value(2));
        r.upperLimit = Number(q.value(3));
        r.lowerLimit = Number(q.value(4));
        r.actual = Number(q.value(5));
        r.deviation = Number(q.value(6));
        r.good = q.value(7).toInt() != 0;
        r.line = A(q.value(8).toString());
        rows.push_back(std::move(r));
    }
    return rows;
}

std::optional<JournalAggregates> SqlJournal::StreamAggregates(const JournalFilter& filter) {
    // SQLite's window functions sort into a temporary table; the index already yields the
    // values in the order the parts were started, so one pass over it adds everything up.
    QVariantList binds;
    binds << Q(filter.feature);
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT actual, lower_limit, upper_limit FROM journal_rows r"
                             " WHERE r.feature = ? AND r.actual IS NOT NULL") +
              PartConditions(filter, binds, QStringLiteral("r")) +
              QStringLiteral(" ORDER BY r.started, r.station, r.part_seq, r.part_id, r.seq"));
    for (const QVariant& v : binds) {
        q.addBindValue(v);
    }
    if (!q.exec()) {
        m_lastError = q.lastError().text();
        return std::nullopt;
    }
    JournalAggregates a;
    // Sums of the values shifted by the first one: squares of values far from zero stay exact.
    double shift = 0, s1 = 0, s2 = 0, previous = 0, ranges = 0;
    long long n = 0, outside = 0;
    QVariant lo, hi;
    while (q.next()) {
        const double v = q.value(0).toDouble();
        lo = q.value(1);
        hi = q.value(2);
        if (n == 0) {
            shift = v;
        } else {
            ranges += std::abs(v - previous);
        }
        const double d = v - shift;
        s1 += d;
        s2 += d * d;
        if ((!lo.isNull() && v < lo.toDouble()) || (!hi.isNull() && v > hi.toDouble())) {
            ++outside;
        }
        previous = v;
        ++n;
    }
    a.n = n;
    if (n == 0) {
        return a;
    }
    a.lowerLimit = Number(lo);
    a.upperLimit = Number(hi);
    a.mean = shift + s1 / static_cast<double>(n);
    a.sumSquares = s2 - s1 * s1 / static_cast<double>(n);
    a.sumMovingRanges = ranges;
    a.movingRanges = n - 1;
    a.outside = outside;
    return a;
}

std::optional<JournalAggregates> SqlJournal::Aggregates(const JournalFilter& filter) {
    if (!m_usable) {
        return std::nullopt;
    }
    if (!m_postgres) {
        return StreamAggregates(filter);
    }
    QVariantList binds;
    binds << Q(filter.feature);
    const QString values = QStringLiteral(
                               "SELECT r.actual AS v, r.lower_limit AS lo, r.upper_limit AS hi, r.started AS t,"
                               " r.station AS st, r.part_seq AS ps, r.part_id AS pid, r.seq AS seq FROM journal_rows r"
                               " WHERE r.feature = ? AND r.actual IS NOT NULL") +
                           PartConditions(filter, binds, QStringLiteral("r"));
    // Positional parameters: the filter's first (they stand in the WITH part), then `after`.
    const auto run = [this, &binds](QSqlQuery& q, const QString& sql, const QVariantList& after) {
        q.setForwardOnly(true);
        q.prepare(sql);
        for (const QVariant& v : binds) {
            q.addBindValue(v);
        }
        for (const QVariant& v : after) {
            q.addBindValue(v);
        }
        if (!q.exec()) {
            m_lastError = q.lastError().text();
            return false;
        }
        return true;
    };
    JournalAggregates a;
    // The newest part's limits, and one value to shift the sums by: sums of squares of values
    // far from zero stay exact that way.
    QSqlQuery newest(m_db);
    if (!run(newest,
             QStringLiteral("WITH x AS (") + values +
                 QStringLiteral(
                     ") SELECT lo, hi, v FROM x ORDER BY t DESC, st DESC, ps DESC, pid DESC, seq DESC LIMIT 1"),
             {})) {
        return std::nullopt;
    }
    if (!newest.next()) {
        return a;  // no value at all
    }
    a.lowerLimit = Number(newest.value(0));
    a.upperLimit = Number(newest.value(1));
    const double shift = newest.value(2).toDouble();
    newest.finish();
    // The moving ranges follow the order the parts were started in.
    QSqlQuery sums(m_db);
    if (!run(
            sums,
            QStringLiteral("WITH x AS (") + values +
                QStringLiteral("), d AS (SELECT v, lo, hi, v - LAG(v) OVER (ORDER BY t, st, ps, pid, seq) AS dv FROM x)"
                               " SELECT COUNT(*), SUM(v - ?), SUM((v - ?) * (v - ?)), SUM(ABS(dv)), COUNT(dv),"
                               " SUM(CASE WHEN v < lo OR v > hi THEN 1 ELSE 0 END) FROM d"),
            {shift, shift, shift}) ||
        !sums.next()) {
        return std::nullopt;
    }
    a.n = sums.value(0).toLongLong();
    if (a.n == 0) {
        return a;
    }
    const double s1 = sums.value(1).toDouble();
    const double s2 = sums.value(2).toDouble();
    const double n = static_cast<double>(a.n);
    a.mean = shift + s1 / n;
    a.sumSquares = s2 - s1 * s1 / n;
    a.sumMovingRanges = sums.value(3).toDouble();
    a.movingRanges = sums.value(4).toLongLong();
    a.outside = sums.value(5).toLongLong();
    return a;
}

std::vector<JournalValue> SqlJournal::Values(const JournalFilter& filter) {
    std::vector<JournalValue> out;
    if (!m_usable) {
        return out;
    }
    QVariantList binds;
    binds << Q(filter.feature);
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT r.actual, r.nominal, r.lower_limit, r.upper_limit, p.part_number, r.station,"
                             " r.started FROM journal_rows r JOIN journal_parts p ON p.part_id = r.part_id"
                             " WHERE r.feature = ? AND r.actual IS NOT NULL") +
              PartConditions(filter, binds, QStringLiteral("r")) +
              QStringLiteral(" ORDER BY r.started DESC, r.station DESC, r.part_seq DESC, r.part_id DESC, r.seq DESC"
                             " LIMIT ?"));
    for (const QVariant& v : binds) {
        q.addBindValue(v);
    }
    q.addBindValue(filter.limit);
    if (!q.exec()) {
        m_lastError = q.lastError().text();
        return out;
    }
    while (q.next()) {
        JournalValue v;
        v.actual = q.value(0).toDouble();
        v.nominal = Number(q.value(1));
        v.lowerLimit = Number(q.value(2));
        v.upperLimit = Number(q.value(3));
        v.partNumber = A(q.value(4).toString());
        v.station = A(q.value(5).toString());
        v.start = A(q.value(6).toString());
        out.push_back(std::move(v));
    }
    std::reverse(out.begin(), out.end());
    return out;
}

std::vector<std::string> SqlJournal::Texts(const QString& sql, const QVariantList& binds) {
    std::vector<std::string> out;
    if (!m_usable) {
        return out;
    }
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    q.prepare(sql);
    for (const QVariant& v : binds) {
        q.addBindValue(v);
    }
    if (!q.exec()) {
        m_lastError = q.lastError().text();
        return out;
    }
    while (q.next()) {
        out.push_back(A(q.value(0).toString()));
    }
    return out;
}

std::vector<std::string> SqlJournal::Programs() {
    return Texts(QStringLiteral("SELECT DISTINCT program FROM journal_parts ORDER BY program"), {});
}

std::vector<std::string> SqlJournal::Features(const std::string& program) {
    return Texts(QStringLiteral("SELECT DISTINCT feature FROM journal_rows WHERE program = ? AND actual IS NOT NULL"
                                " ORDER BY feature"),
                 {Q(program)});
}

long long SqlJournal::NextPartNumber(const std::string& program, const std::string& station) {
    if (!m_usable) {
        return 1;
    }
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("SELECT COUNT(*) FROM journal_parts WHERE program = ? AND station = ?"));
    q.addBindValue(Q(program));
    q.addBindValue(Q(station));
    if (!q.exec() || !q.next()) {
        return 1;
    }
    return q.value(0).toLongLong() + 1;
}

std::vector<SqlJournal::Pending> SqlJournal::Unsent(int limit) {
    std::vector<Pending> out;
    if (!m_usable) {
        return out;
    }
    QSqlQuery q(m_db);
    q.setForwardOnly(true);
    q.prepare(QStringLiteral("SELECT part_id, rev FROM journal_parts WHERE sent = 0 ORDER BY started LIMIT ?"));
    q.addBindValue(limit);
    if (!q.exec()) {
        m_lastError = q.lastError().text();
        return out;
    }
    while (q.next()) {
        out.push_back({q.value(0).toString().toStdString(), q.value(1).toLongLong()});
    }
    return out;
}

long long SqlJournal::UnsentCount() {
    QSqlQuery q(m_db);
    if (!m_usable || !q.exec(QStringLiteral("SELECT COUNT(*) FROM journal_parts WHERE sent = 0")) || !q.next()) {
        return 0;
    }
    return q.value(0).toLongLong();
}

bool SqlJournal::MarkSent(const Pending& part) {
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("UPDATE journal_parts SET sent = 1 WHERE part_id = ? AND rev = ?"));
    q.addBindValue(QString::fromStdString(part.id));
    q.addBindValue(part.revision);
    return q.exec();
}

}  // namespace tarvo
