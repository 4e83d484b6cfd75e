// What the journal is told while measuring: a replay begins and ends, a comparison is judged.
// A replay is one part; the comparisons made by hand in a session are one part of their own,
// written again after each comparison. A part reaches the store in one transaction when it
// ends, so a kill loses at most the part being measured. Without a store nothing happens.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/datetime.h"
#include "journal/journal.h"
#include "shell/uitexts.h"

namespace tarvo {

class PartJournal final {
public:
    explicit PartJournal(const WallClock& clock) : m_clock(clock) {}

    // The store (not owned; none: the journal is off) and who measures.
    void SetStore(JournalStore* store, std::string station, std::string operatorName);
    [[nodiscard]] bool Active() const noexcept { return m_store != nullptr; }
    [[nodiscard]] JournalStore* Store() const noexcept { return m_store; }

    // A replay of `program` begins: a new part, numbered by the part name typed for it when
    // there is one (blank: counted per program and station).
    void StartPart(const std::string& program, const std::string& partName = {});
    // The part name typed during the replay names the part from now on (blank: no change).
    void NamePart(const std::string& partName);
    // A comparison was judged: a row of the replayed part, or of the session's part of
    // comparisons by hand, which is written at once.
    void Judged(JournalRow row);
    // The replay ended: finished, or aborted (an aborted part keeps the rows judged so far).
    void EndPart(bool finished);
    [[nodiscard]] bool PartOpen() const noexcept { return m_run.has_value(); }

    // What the store has to say, collected since the last call.
    [[nodiscard]] std::vector<JournalNote> TakeNotes();

private:
    JournalPart NewPart(const std::string& program);
    void Write(JournalPart& part, const std::vector<JournalRow>& rows);

    const WallClock& m_clock;
    JournalStore* m_store = nullptr;
    std::string m_station;
    std::string m_operator;
    std::optional<JournalPart> m_run;
    std::vector<JournalRow> m_runRows;
    std::optional<JournalPart> m_manual;
    std::vector<JournalRow> m_manualRows;
};

// What the operator is told of a journal note, in the loaded language.
[[nodiscard]] std::string JournalNoteMessage(const JournalNote& note, const UiTexts& texts);

}  // namespace tarvo
