#include "journal/qt/serverjournal.h"

#include <algorithm>
#include <future>
#include <utility>

#include "shell/qt/qtext.h"

namespace tarvo {

namespace {
constexpr int kBatch = 50;                // parts sent between looks at the worker's other tasks
constexpr qint64 kSendingNoticeMs = 500;  // a run of sends longer than this is said
}  // namespace

ServerJournal::ServerJournal(std::unique_ptr<SqlJournal> local, SqlJournal::Login login,
                             std::optional<std::string> passwordProblem)
    : m_local(std::move(local)), m_login(std::move(login)) {
    if (m_local->Usable()) {
        m_localFile = m_local->FileName();
    }
    if (passwordProblem) {
        m_state = State::NoPassword;
        m_notes.push_back({JournalNote::Kind::PasswordFile, *passwordProblem});
    }
    m_worker = std::thread([this] { Run(); });
}

ServerJournal::~ServerJournal() {
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    m_worker.join();
}

void ServerJournal::Run() {
    if (!m_localFile.isEmpty()) {
        m_workerLocal = SqlJournal::OpenSqlite(m_localFile);
    }
    std::unique_lock lock(m_mutex);
    while (!m_stop) {
        if (!m_tasks.empty()) {
            std::function<void()> task = std::move(m_tasks.front());
            m_tasks.pop_front();
            lock.unlock();
            task();
            lock.lock();
            continue;
        }
        if (m_sendWanted) {
            m_sendWanted = false;
            lock.unlock();
            (void)SendSome(false);
            lock.lock();
            continue;
        }
        // Parts may wait for a server that was away: look again after the retry interval.
        const int retry = std::max(m_retryMs.load(), 200);
        if (!m_wake.wait_for(lock, std::chrono::milliseconds(retry),
                             [this] { return m_stop || m_sendWanted || !m_tasks.empty(); })) {
            m_sendWanted = true;
        }
    }
    lock.unlock();
    m_remote.reset();
    m_workerLocal.reset();
}

void ServerJournal::Post(std::function<void()> task) {
    {
        std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    m_wake.notify_all();
}

template <typename T>
T ServerJournal::Call(std::function<T()> task) {
    auto promise = std::make_shared<std::promise<T>>();
    std::future<T> result = promise->get_future();
    Post([promise, task = std::move(task)] { promise->set_value(task()); });
    return result.get();
}

template <typename T>
std::optional<T> ServerJournal::Remote(std::function<T(SqlJournal&)> query) {
    return Call<std::optional<T>>([this, query = std::move(query)]() -> std::optional<T> {
        if (!Connect()) {
            return std::nullopt;
        }
        return query(*m_remote);
    });
}

void ServerJournal::Note(JournalNote note) {
    std::lock_guard lock(m_mutex);
    m_notes.push_back(std::move(note));
}

void ServerJournal::SetRetryInterval(int ms) {
    m_retryMs = ms;
    m_wake.notify_all();
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
        Note({JournalNote::Kind::Reachable, {}});
    }
    m_state = State::Up;
    return true;
}

void ServerJournal::Lost(const QString& why, bool refused) {
    m_remote.reset();
    m_lastTry.start();
    const State now = refused ? State::Refused : State::Away;
    if (m_state != now) {
        Note({refused ? JournalNote::Kind::Refused : JournalNote::Kind::Unreachable, A(why.simplified())});
    }
    m_state = now;
}

bool ServerJournal::WritePart(const JournalPart& part, const std::vector<JournalRow>& rows) {
    if (!m_local->Usable()) {
        // Without a local journal the server is the only place; away, the part is lost and said.
        Post([this, part, rows] {
            if (Connect() && m_remote->WritePart(part, rows)) {
                return;
            }
            if (m_remote) {
                Lost(m_remote->LastError(), false);
            }
        });
        return true;
    }
    const bool kept = m_local->WritePart(part, rows);
    {
        std::lock_guard lock(m_mutex);
        m_sendWanted = true;
    }
    m_wake.notify_all();
    return kept;
}

bool ServerJournal::SendSome(bool all) {
    if (!m_localFile.isEmpty() && (!m_workerLocal || !m_workerLocal->Usable())) {
        m_workerLocal = SqlJournal::OpenSqlite(m_localFile);  // busy at the first try: again
    }
    if (!m_workerLocal || !m_workerLocal->Usable()) {
        return false;
    }
    auto pending = m_workerLocal->Unsent(kBatch);
    if (pending.empty() && !all) {
        m_sendingSince.invalidate();
        return true;
    }
    if (!Connect()) {
        m_sendingSince.invalidate();
        return false;
    }
    if (!m_sendingSince.isValid()) {
        m_sendingSince.start();
        m_sendingSaid = false;
    }
    for (; !pending.empty(); pending = m_workerLocal->Unsent(kBatch)) {
        for (const SqlJournal::Pending& p : pending) {
            const auto part = m_workerLocal->Part(p.id);
            if (!part) {
                continue;
            }
            if (!m_remote->WritePart(*part, m_workerLocal->Rows(p.id))) {
                Lost(m_remote->LastError(), false);
                m_sendingSince.invalidate();
                return false;
            }
            // A kill right here sends the part once more: the server replaces it by its id.
            (void)m_workerLocal->MarkSent(p);
        }
        if (!m_sendingSaid && m_sendingSince.elapsed() > kSendingNoticeMs) {
            m_sendingSaid = true;
            Note({JournalNote::Kind::Sending, std::to_string(m_workerLocal->UnsentCount())});
        }
        if (!all) {
            // Listings asked for meanwhile go first; the sending goes on after them.
            std::lock_guard lock(m_mutex);
            if (!m_tasks.empty()) {
                m_sendWanted = true;
                return true;
            }
        }
    }
    m_sendingSince.invalidate();
    return true;
}

bool ServerJournal::Send() {
    return Call<bool>([this] { return SendSome(true); });
}

long long ServerJournal::Waiting() { return m_local->UnsentCount(); }

std::vector<JournalPart> ServerJournal::ListParts(const JournalFilter& filter) {
    if (auto r = Remote<std::vector<JournalPart>>([&filter](SqlJournal& j) { return j.ListParts(filter); })) {
        return *r;
    }
    return m_local->ListParts(filter);
}

std::vector<JournalRow> ServerJournal::Rows(const std::string& partId) {
    auto rows = Remote<std::vector<JournalRow>>([&partId](SqlJournal& j) { return j.Rows(partId); });
    if (rows && !rows->empty()) {
        return *rows;
    }
    return m_local->Rows(partId);
}

std::optional<JournalAggregates> ServerJournal::Aggregates(const JournalFilter& filter) {
    auto a = Remote<std::optional<JournalAggregates>>([&filter](SqlJournal& j) { return j.Aggregates(filter); });
    if (a && *a) {
        return *a;
    }
    return m_local->Aggregates(filter);
}

std::vector<JournalValue> ServerJournal::Values(const JournalFilter& filter) {
    if (auto r = Remote<std::vector<JournalValue>>([&filter](SqlJournal& j) { return j.Values(filter); })) {
        return *r;
    }
    return m_local->Values(filter);
}

std::vector<std::string> ServerJournal::Programs() {
    if (auto r = Remote<std::vector<std::string>>([](SqlJournal& j) { return j.Programs(); })) {
        return *r;
    }
    return m_local->Programs();
}

std::vector<std::string> ServerJournal::Features(const std::string& program) {
    if (auto r = Remote<std::vector<std::string>>([&program](SqlJournal& j) { return j.Features(program); })) {
        return *r;
    }
    return m_local->Features(program);
}

long long ServerJournal::NextPartNumber(const std::string& program, const std::string& station) {
    return m_local->Usable() ? m_local->NextPartNumber(program, station) : 1;
}

std::vector<JournalNote> ServerJournal::TakeNotes() {
    std::vector<JournalNote> notes = m_local->TakeNotes();
    std::lock_guard lock(m_mutex);
    for (JournalNote& n : m_notes) {
        notes.push_back(std::move(n));
    }
    m_notes.clear();
    return notes;
}

}  // namespace tarvo
