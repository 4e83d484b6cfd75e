#include "journal/qt/openjournal.h"

#include <QSysInfo>
#include <QtGlobal>

#include "base/ini.h"
#include "journal/journalconfig.h"
#include "journal/qt/serverjournal.h"
#include "shell/qt/qtext.h"
#include "shell/settings.h"

namespace tarvo {

OpenedJournal OpenJournal(const std::filesystem::path& workDir, bool readOnlyMedia) {
    OpenedJournal out;
    const JournalConfig c = LoadJournalConfig(IniFile::Load(workDir / kSettingsFile));
    if (c.engine == JournalConfig::Engine::Off || readOnlyMedia) {
        return out;
    }
    out.station = c.station.empty() ? A(QSysInfo::machineHostName()) : c.station;
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) {
        user = qEnvironmentVariable("USERNAME");
    }
    out.operatorName = c.operatorName.empty() ? A(user) : c.operatorName;
    std::filesystem::path file = AnsiToUtf8(c.file);
    if (file.is_relative()) {
        file = workDir / file;
    }
    auto local = SqlJournal::OpenSqlite(QString::fromStdString(file.string()));
    if (c.engine == JournalConfig::Engine::Sqlite) {
        out.store = std::move(local);
        return out;
    }
    SqlJournal::Login login{Q(c.host), c.port, Q(c.database), Q(c.user), {}, 3};
    std::optional<std::string> problem;
    if (c.passwordFile.empty()) {
        problem = "PASSWORDFILE";
    } else {
        const PasswordRead pw = ReadPasswordFile(std::filesystem::path(AnsiToUtf8(c.passwordFile)));
        if (pw.password) {
            login.password = QString::fromStdString(*pw.password);
        } else {
            problem = pw.why;
        }
    }
    auto server = std::make_unique<ServerJournal>(std::move(local), std::move(login), problem);
    out.server = server.get();
    out.store = std::move(server);
    return out;
}

}  // namespace tarvo
