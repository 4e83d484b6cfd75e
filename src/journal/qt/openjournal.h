// The journal as TARVO.INI's section [Journal] sets it up (see journal/journalconfig.h).
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "journal/journal.h"

namespace tarvo {

class ServerJournal;

struct OpenedJournal {
    std::unique_ptr<JournalStore> store;  // none: the journal is off
    ServerJournal* server = nullptr;      // the store, when it sends to a server
    std::string station;
    std::string operatorName;
};

// Opens the journal of the working folder `workDir`; off on read-only media. Needs a
// QCoreApplication (the database drivers are plugins).
[[nodiscard]] OpenedJournal OpenJournal(const std::filesystem::path& workDir, bool readOnlyMedia);

}  // namespace tarvo
