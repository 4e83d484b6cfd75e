// The journal in an SQL database through Qt SQL: SQLite (a file in the working folder) or
// PostgreSQL (the inspection room's server). The same schema and statements serve both; every
// value is a bound parameter. The schema is created and migrated by the version table.
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "journal/journal.h"

namespace tarvo {

class SqlJournal final : public JournalStore {
public:
    // The schema version this program writes.
    static constexpr int kSchemaVersion = 1;

    // A SQLite journal in `file`, made when missing. A file that is no journal (or one of a
    // newer program) is left exactly as it is: `Usable()` is false and the note says why.
    static std::unique_ptr<SqlJournal> OpenSqlite(const QString& file);
    // A PostgreSQL journal. Nothing when the server cannot be reached or refuses the login;
    // `error` then holds the server's or the driver's reason (never the password), `refused`
    // tells a refused login from a server that is not there.
    struct Login {
        QString host;
        int port = 5432;
        QString database;
        QString user;
        QString password;
        int timeoutSeconds = 3;
    };
    static std::unique_ptr<SqlJournal> OpenPostgres(const Login& login, QString* error, bool* refused);

    ~SqlJournal() override;
    SqlJournal(const SqlJournal&) = delete;
    SqlJournal& operator=(const SqlJournal&) = delete;

    [[nodiscard]] bool Usable() const noexcept { return m_usable; }
    [[nodiscard]] bool IsPostgres() const noexcept { return m_postgres; }
    // The last failure of the connection (lost server, full disk, ...).
    [[nodiscard]] const QString& LastError() const noexcept { return m_lastError; }

    [[nodiscard]] bool WritePart(const JournalPart& part, const std::vector<JournalRow>& rows) override;
    [[nodiscard]] std::vector<JournalPart> ListParts(const JournalFilter& filter) override;
    [[nodiscard]] std::vector<JournalRow> Rows(const std::string& partId) override;
    [[nodiscard]] std::optional<JournalAggregates> Aggregates(const JournalFilter& filter) override;
    [[nodiscard]] std::vector<JournalValue> Values(const JournalFilter& filter) override;
    [[nodiscard]] std::vector<std::string> Programs() override;
    [[nodiscard]] std::vector<std::string> Features(const std::string& program) override;
    [[nodiscard]] long long NextPartNumber(const std::string& program, const std::string& station) override;
    [[nodiscard]] std::vector<JournalNote> TakeNotes() override;
    // The file of a SQLite journal (empty for a server).
    [[nodiscard]] QString FileName() const { return m_postgres ? QString() : m_db.databaseName(); }

    // The outbox of a local journal: parts not yet on the server, with the revision read, so a
    // part written again meanwhile is sent again.
    struct Pending {
        std::string id;
        long long revision = 0;
    };
    [[nodiscard]] std::vector<Pending> Unsent(int limit);
    [[nodiscard]] bool MarkSent(const Pending& part);
    [[nodiscard]] long long UnsentCount();
    [[nodiscard]] std::optional<JournalPart> Part(const std::string& partId);

private:
    SqlJournal(QSqlDatabase db, bool postgres);
    bool Migrate();
    std::optional<JournalAggregates> StreamAggregates(const JournalFilter& filter);
    std::vector<std::string> Texts(const QString& sql, const QVariantList& binds);
    bool Fail(const QString& why);
    void Note(JournalNote::Kind kind, const std::string& detail);

    QString m_name;
    QSqlDatabase m_db;
    bool m_postgres = false;
    bool m_usable = false;
    bool m_failed = false;  // a write failed and was said; said again after one succeeded
    QString m_lastError;
    std::vector<JournalNote> m_notes;
};

}  // namespace tarvo
