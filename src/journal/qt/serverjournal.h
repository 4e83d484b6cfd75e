// The inspection room's journal on a PostgreSQL server, with the station's SQLite journal in
// front of it: every part is written locally first and then sent, so measuring never waits for
// the server. While the server cannot be reached (or refuses the login) the parts wait in the
// local journal and are sent when it is back, each exactly once: the part id is the key on the
// server, and a part is marked sent only for the revision that reached it.
#pragma once

#include <QElapsedTimer>
#include <memory>
#include <optional>
#include <string>

#include "journal/qt/sqljournal.h"

namespace tarvo {

class ServerJournal final : public JournalStore {
public:
    // `local` may be unusable (a damaged file): parts then go to the server directly.
    // `passwordProblem`: the password file was refused; nothing is sent then.
    ServerJournal(std::unique_ptr<SqlJournal> local, SqlJournal::Login login,
                  std::optional<std::string> passwordProblem);

    [[nodiscard]] bool WritePart(const JournalPart& part, const std::vector<JournalRow>& rows) override;
    // Listings and statistics come from the server, from the local journal while it is away.
    [[nodiscard]] std::vector<JournalPart> ListParts(const JournalFilter& filter) override;
    [[nodiscard]] std::vector<JournalRow> Rows(const std::string& partId) override;
    [[nodiscard]] std::optional<JournalAggregates> Aggregates(const JournalFilter& filter) override;
    [[nodiscard]] long long NextPartNumber(const std::string& program, const std::string& station) override;
    [[nodiscard]] std::vector<JournalNote> TakeNotes() override;

    // Sends the parts waiting locally. @retval false the server is away (or refused us); the
    // parts wait for the next call.
    bool Send();
    // The parts not yet on the server.
    [[nodiscard]] long long Waiting();
    // How long after a failed attempt the server is left alone (default 30 s).
    void SetRetryInterval(int ms) noexcept { m_retryMs = ms; }

private:
    bool Connect();
    void Lost(const QString& why, bool refused);

    std::unique_ptr<SqlJournal> m_local;
    SqlJournal::Login m_login;
    std::unique_ptr<SqlJournal> m_remote;
    enum class State { Unknown, Up, Away, Refused, NoPassword } m_state = State::Unknown;
    QElapsedTimer m_lastTry;
    int m_retryMs = 30000;
    std::vector<JournalNote> m_notes;
};

}  // namespace tarvo
