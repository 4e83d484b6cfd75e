// Where the journal is kept: section [Journal] of TARVO.INI.
//
//   [Journal]
//   ENGINE=sqlite          sqlite (the default), postgres, or off
//   FILE=journal.db        the local journal in the working folder (with postgres: where parts
//                          wait while the server cannot be reached)
//   HOST=127.0.0.1         postgres only: the server, its port, database and login
//   PORT=5432
//   DATABASE=tarvo
//   USER=tarvo
//   PASSWORDFILE=/home/pruef/.tarvo-db   a file holding the password, readable by its owner only
//   STATION=               the station's name in the journal (default: the machine's name)
//   OPERATOR=              the operator's name in the journal
//
// The password itself never stands in TARVO.INI.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "base/ini.h"

namespace tarvo {

struct JournalConfig {
    enum class Engine { Off, Sqlite, Postgres };
    Engine engine = Engine::Sqlite;
    std::string file = "journal.db";
    std::string host = "127.0.0.1";
    int port = 5432;
    std::string database = "tarvo";
    std::string user = "tarvo";
    std::string passwordFile;
    std::string station;
    std::string operatorName;
};

[[nodiscard]] JournalConfig LoadJournalConfig(const IniFile& ini);

// The password from the first line of `file`. Refused (with why, never the password) when the
// file is missing or its group or others may read or write it.
struct PasswordRead {
    std::optional<std::string> password;
    std::string why;
};
[[nodiscard]] PasswordRead ReadPasswordFile(const std::filesystem::path& file);

}  // namespace tarvo
