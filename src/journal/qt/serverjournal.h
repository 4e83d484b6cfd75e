// The inspection room's journal on a PostgreSQL server, with the station's SQLite journal in
// front of it: every part is written locally first and then sent by a worker thread, so
// measuring never waits for the server. While the server cannot be reached (or refuses the
// login) the parts wait in the local journal and are sent when it is back, each exactly once:
// the part id is the key on the server, and a part is marked sent only for the revision that
// reached it.
//
// The worker owns every connection to the server and a connection of its own to the local
// journal; the listings and statistics run on it too (the caller waits for those), falling
// back to the local journal while the server is away.
#pragma once

#include <QElapsedTimer>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "journal/qt/sqljournal.h"

namespace tarvo {

class ServerJournal final : public JournalStore {
public:
    // `local` may be unusable (a damaged file): parts then go to the server directly.
    // `passwordProblem`: the password file was refused; nothing is sent then.
    ServerJournal(std::unique_ptr<SqlJournal> local, SqlJournal::Login login,
                  std::optional<std::string> passwordProblem);
    ~ServerJournal() override;
    ServerJournal(const ServerJournal&) = delete;
    ServerJournal& operator=(const ServerJournal&) = delete;

    // Keeps the part locally and hands the sending to the worker; never waits for the server.
    [[nodiscard]] bool WritePart(const JournalPart& part, const std::vector<JournalRow>& rows) override;
    // Listings and statistics come from the server, from the local journal while it is away.
    [[nodiscard]] std::vector<JournalPart> ListParts(const JournalFilter& filter) override;
    [[nodiscard]] std::vector<JournalRow> Rows(const std::string& partId) override;
    [[nodiscard]] std::optional<JournalAggregates> Aggregates(const JournalFilter& filter) override;
    [[nodiscard]] std::vector<JournalValue> Values(const JournalFilter& filter) override;
    [[nodiscard]] std::vector<std::string> Programs() override;
    [[nodiscard]] std::vector<std::string> Features(const std::string& program) override;
    [[nodiscard]] long long NextPartNumber(const std::string& program, const std::string& station) override;
    // Also from the worker: a notice when sending has taken longer than half a second.
    [[nodiscard]] std::vector<JournalNote> TakeNotes() override;

    // Sends the parts waiting locally and waits for the worker to be done (scripts, tests; the
    // window never calls it). @retval false the server is away (or refused us).
    bool Send();
    // The parts not yet on the server.
    [[nodiscard]] long long Waiting();
    // How long after a failed attempt the server is left alone (default 30 s); the worker tries
    // again by itself after that while parts wait.
    void SetRetryInterval(int ms);

private:
    // Runs on the worker.
    bool Connect();
    void Lost(const QString& why, bool refused);
    bool SendSome(bool all);
    void Note(JournalNote note);
    void Run();
    // Runs `task` on the worker and waits for its result.
    template <typename T>
    T Call(std::function<T()> task);
    // The same against the server; nothing when it cannot be reached.
    template <typename T>
    std::optional<T> Remote(std::function<T(SqlJournal&)> query);
    void Post(std::function<void()> task);

    std::unique_ptr<SqlJournal> m_local;  // the caller's connection
    QString m_localFile;
    SqlJournal::Login m_login;
    // The worker's.
    std::unique_ptr<SqlJournal> m_workerLocal;
    std::unique_ptr<SqlJournal> m_remote;
    enum class State { Unknown, Up, Away, Refused, NoPassword } m_state = State::Unknown;
    QElapsedTimer m_lastTry;
    QElapsedTimer m_sendingSince;  // the current run of sends; said past half a second
    bool m_sendingSaid = false;
    std::atomic<int> m_retryMs{30000};

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_tasks;
    bool m_sendWanted = false;
    bool m_stop = false;
    std::vector<JournalNote> m_notes;
    std::thread m_worker;
};

}  // namespace tarvo
