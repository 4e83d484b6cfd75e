#include "journal/qt/serverjournal.h"

#include <utility>

#include "shell/qt/qtext.h"

namespace tarvo {

ServerJournal::ServerJournal(std::unique_ptr<SqlJournal> local, SqlJournal::Login login,
                             std::optional<std::string> passwordProblem)
    : m_local(std::move(local)), m_login(std::move(login)) {
    if (passwordProblem) {
        m_state = State::NoPassword;
        m_notes.push_back({JournalNote::Kind::PasswordFile, *passwordProblem});
    }
}

bool ServerJournal::Connect() {
    if (m_remote) {
        return true;
    }
    if (m_state == State::NoPassword) {
        return false;
    }
    if (m_lastTry.isValid() && m_lastTry.elapsed() < m_retryMs) {
        return false;
    }
    m_lastTry.start();
    QString error;
    bool refused = false;
    m_remote = SqlJournal::OpenPostgres(m_login, &error, &refused);
    if (!m_remote) {
        Lost(error, refused);
        return false;
    }
    if (m_state == State::Away || m_state == State::Refused) {
        m_notes.push_back({JournalNote::Kind::Reachable, {}});
    }
    m_state = State::Up;
    return true;
}

void ServerJournal::Lost(const QString& why, bool refused) {
    m_remote.reset();
    m_lastTry.start();
    const State now = refused ? State::Refused : State::Away;
    if (m_state != now) {
        m_notes.push_back({refused ? JournalNote::Kind::Refused : JournalNote::Kind::Unreachable, A(why.simplified())});
    }
    m_state = now;
}

bool ServerJournal::WritePart(const JournalPart& part, const std::vector<JournalRow>& rows) {
    if (!m_local->Usable()) {
        // Without a local journal the server is the only place; away, the part is lost and said.
        if (Connect() && m_remote->WritePart(part, rows)) {
            return true;
        }
        if (m_remote) {
            Lost(m_remote->LastError(), false);
        }
        return false;
    }
    const bool kept = m_local->WritePart(part, rows);
    (void)Send();
    return kept;
}

bool ServerJournal::Send() {
    if (!m_local->Usable() || !Connect()) {
        return false;
    }
    for (;;) {
        const auto pending = m_local->Unsent(200);
        if (pending.empty()) {
            return true;
        }
        for (const SqlJournal::Pending& p : pending) {
            const auto part = m_local->Part(p.id);
            if (!part) {
                continue;
            }
            if (!m_remote->WritePart(*part, m_local->Rows(p.id))) {
                Lost(m_remote->LastError(), false);
                return false;
            }
            // A kill right here sends the part once more: the server replaces it by its id.
            (void)m_local->MarkSent(p);
        }
    }
}

long long ServerJournal::Waiting() { return m_local->UnsentCount(); }

std::vector<JournalPart> ServerJournal::ListParts(const JournalFilter& filter) {
    if (Connect()) {
        return m_remote->ListParts(filter);
    }
    return m_local->ListParts(filter);
}

std::vector<JournalRow> ServerJournal::Rows(const std::string& partId) {
    if (Connect()) {
        auto rows = m_remote->Rows(partId);
        if (!rows.empty()) {
            return rows;
        }
    }
    return m_local->Rows(partId);
}

std::optional<JournalAggregates> ServerJournal::Aggregates(const JournalFilter& filter) {
    if (Connect()) {
        if (auto a = m_remote->Aggregates(filter)) {
            return a;
        }
    }
    return m_local->Aggregates(filter);
}

long long ServerJournal::NextPartNumber(const std::string& program, const std::string& station) {
    return m_local->Usable() ? m_local->NextPartNumber(program, station) : 1;
}

std::vector<JournalNote> ServerJournal::TakeNotes() {
    std::vector<JournalNote> notes = m_local->TakeNotes();
    for (JournalNote& n : m_notes) {
        notes.push_back(std::move(n));
    }
    m_notes.clear();
    return notes;
}

}  // namespace tarvo
