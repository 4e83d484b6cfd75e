#include "journal/journalconfig.h"

#include <fstream>

#include "base/text.h"

namespace tarvo {

namespace {

std::string Trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(" \t");
    const auto e = s.find_last_not_of(" \t");
    return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

}  // namespace

JournalConfig LoadJournalConfig(const IniFile& ini) {
    JournalConfig c;
    const std::string engine = UpperCaseOem(Trimmed(ini.ReadString("Journal", "ENGINE", "sqlite")));
    if (engine == "OFF" || engine == "0" || engine == "NONE") {
        c.engine = JournalConfig::Engine::Off;
    } else if (engine == "POSTGRES" || engine == "POSTGRESQL" || engine == "PSQL") {
        c.engine = JournalConfig::Engine::Postgres;
    }
    c.file = Trimmed(ini.ReadString("Journal", "FILE", c.file));
    if (c.file.empty()) {
        c.file = "journal.db";
    }
    c.host = Trimmed(ini.ReadString("Journal", "HOST", c.host));
    const long long port = ini.ReadInteger("Journal", "PORT", c.port);
    c.port = port > 0 && port < 65536 ? static_cast<int>(port) : 5432;
    c.database = Trimmed(ini.ReadString("Journal", "DATABASE", c.database));
    c.user = Trimmed(ini.ReadString("Journal", "USER", c.user));
    c.passwordFile = Trimmed(ini.ReadString("Journal", "PASSWORDFILE", ""));
    c.station = Trimmed(ini.ReadString("Journal", "STATION", ""));
    c.operatorName = Trimmed(ini.ReadString("Journal", "OPERATOR", ""));
    return c;
}

PasswordRead ReadPasswordFile(const std::filesystem::path& file) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::file_status st = fs::status(file, ec);
    if (ec || !fs::is_regular_file(st)) {
        return {std::nullopt, file.string()};
    }
    const fs::perms open = fs::perms::group_all | fs::perms::others_all;
    if ((st.permissions() & open) != fs::perms::none) {
        return {std::nullopt, file.string()};
    }
    std::ifstream in(file, std::ios::binary);
    std::string line;
    if (!in || !std::getline(in, line)) {
        return {std::nullopt, file.string()};
    }
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) {
        line.pop_back();
    }
    return {line, {}};
}

}  // namespace tarvo
