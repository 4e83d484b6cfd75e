#include "journal/partjournal.h"

#include <utility>

namespace tarvo {

void PartJournal::SetStore(JournalStore* store, std::string station, std::string operatorName) {
    m_store = store;
    m_station = std::move(station);
    m_operator = std::move(operatorName);
}

JournalPart PartJournal::NewPart(const std::string& program) {
    JournalPart p;
    p.id = NewPartId();
    p.program = program;
    p.sequence = m_store->NextPartNumber(program, m_station);
    p.partNumber = std::to_string(p.sequence);
    p.station = m_station;
    p.operatorName = m_operator;
    p.start = JournalTime(m_clock.Now());
    return p;
}

void PartJournal::StartPart(const std::string& program, const std::string& partName) {
    if (m_store == nullptr) {
        return;
    }
    m_run = NewPart(program);
    m_runRows.clear();
    NamePart(partName);
}

void PartJournal::NamePart(const std::string& partName) {
    const auto first = partName.find_first_not_of(' ');
    if (!m_run || first == std::string::npos) {
        return;
    }
    m_run->partNumber = partName.substr(first, partName.find_last_not_of(' ') + 1 - first);
}

void PartJournal::Judged(JournalRow row) {
    if (m_store == nullptr) {
        return;
    }
    if (m_run) {
        m_runRows.push_back(std::move(row));
        return;
    }
    if (!m_manual) {
        m_manual = NewPart({});
    }
    m_manualRows.push_back(std::move(row));
    m_manual->finished = true;
    Write(*m_manual, m_manualRows);
}

void PartJournal::EndPart(bool finished) {
    if (m_store == nullptr || !m_run) {
        return;
    }
    m_run->finished = finished;
    Write(*m_run, m_runRows);
    m_run.reset();
    m_runRows.clear();
}

void PartJournal::Write(JournalPart& part, const std::vector<JournalRow>& rows) {
    part.end = JournalTime(m_clock.Now());
    // A failure is the store's to tell (once); measuring goes on either way.
    (void)m_store->WritePart(part, rows);
}

std::vector<JournalNote> PartJournal::TakeNotes() {
    return m_store != nullptr ? m_store->TakeNotes() : std::vector<JournalNote>{};
}

std::string JournalNoteMessage(const JournalNote& note, const UiTexts& texts) {
    int n = kMsgJournalFailed;
    switch (note.kind) {
        case JournalNote::Kind::Damaged:
            n = kMsgJournalDamaged;
            break;
        case JournalNote::Kind::Unreachable:
            n = kMsgJournalUnreachable;
            break;
        case JournalNote::Kind::Refused:
            n = kMsgJournalRefused;
            break;
        case JournalNote::Kind::Reachable:
            n = kMsgJournalReachable;
            break;
        case JournalNote::Kind::PasswordFile:
            n = kMsgJournalPassword;
            break;
        case JournalNote::Kind::Failed:
            n = kMsgJournalFailed;
            break;
        case JournalNote::Kind::Sending:
            n = kMsgJournalSending;
            break;
    }
    return texts.Compose(n, {note.detail});
}

}  // namespace tarvo
