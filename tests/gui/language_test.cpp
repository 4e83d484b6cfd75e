// The language files of the real windows: what --save-language-files writes, loading it back,
// the shipped translations, and the main window in English.
#include <QCoreApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QMenu>
#include <QRadioButton>
#include <QToolButton>
#include <set>

#include "base/ini.h"
#include "gui/fixtures.h"
#include "shell/qt/tstringloader.h"

namespace tarvo {
namespace {

// (section, key) of every entry of a language file.
std::set<std::pair<std::string, std::string>> KeysOf(const std::filesystem::path& file) {
    const auto lines = ReadTextLines(file);
    std::set<std::pair<std::string, std::string>> keys;
    std::string section;
    for (const std::string& line : lines.value_or(std::vector<std::string>{})) {
        if (!line.empty() && line.front() == '[') {
            section = line.substr(1, line.find(']') - 1);
        } else if (const auto eq = line.find('='); eq != std::string::npos) {
            keys.emplace(section, line.substr(0, eq));
        }
    }
    return keys;
}

std::vector<std::string> LanguageFiles() {
    std::vector<std::string> files = {kMainLanguageFile};
    for (const LanguageWindow& w : kLanguageWindows) {
        files.emplace_back(w.file);
    }
    return files;
}

class WindowLanguages : public Window {};

// Saved, loaded into the windows and saved again: the same files byte for byte.
TEST_F(WindowLanguages, LanguageFilesComeBackUnchanged) {
    QtOperator dialogs;  // the windows that load language files
    dialogs.Attach(w.get(), m.get());
    const auto a = dir.work() / "a";
    const auto b = dir.work() / "b";
    w->SaveLanguageFiles(a);
    for (const LanguageWindow& lw : kLanguageWindows) {
        TStringLoader loader(*w->findChild<QWidget*>(lw.window, Qt::FindDirectChildrenOnly));
        loader.SetIniFileName((a / lw.file).string());
        EXPECT_TRUE(loader.TryLoad()) << lw.file;
    }
    TStringLoader main(*w);
    main.SetIniFileName((a / kMainLanguageFile).string());
    EXPECT_TRUE(main.TryLoad());
    w->SaveLanguageFiles(b);
    for (const std::string& f : LanguageFiles()) {
        EXPECT_EQ(ReadFileBytes(a / f), ReadFileBytes(b / f)) << f;
    }
    EXPECT_NE(ReadFileBytes(a / "tarvo_main.ini")->find("[common_listItems]\r\nItems0=Kopfdaten\r\n"),
              std::string::npos);
    TStringLoader none(*w);
    EXPECT_FALSE(none.TryLoad());
    EXPECT_THROW(none.SetOptions(TStringLoader::slAutoLoad), std::runtime_error);
    none.SetIniFileName((dir.work() / "fehlt.ini").string());
    EXPECT_FALSE(none.TryLoad());
}

// Every shipped file holds exactly the entries the windows write: nothing missing, nothing stale.
TEST_F(WindowLanguages, EveryShippedLanguageFileHasEveryKey) {
    QtOperator dialogs;
    dialogs.Attach(w.get(), m.get());
    const auto german = dir.work() / "de";
    w->SaveLanguageFiles(german);
    for (const char* language : {"English", "Dutch", "French", "Polnisch", "Italian"}) {
        for (const std::string& f : LanguageFiles()) {
            const auto shipped = std::filesystem::path(TARVO_SHIPPED_DATA) / "language" / language / f;
            EXPECT_EQ(KeysOf(shipped), KeysOf(german / f)) << language << "/" << f;
        }
    }
}

// The start-up timer loads English: the main window, the dialogs' captions and texts, the
// composed texts. The screenshot is kept in the build folder for the manual.
TEST(EnglishWindow, TheMainWindowAndItsDialogsReadInEnglish) {
    SimulatedProgram p;
    p.dir.Write("TARVO.INI", "[Einstellungen]\r\nLANGUAGE=1\r\n");
    p.session.shippedData = TARVO_SHIPPED_DATA;
    QtOperator op;
    Tmain w(p.model);
    op.Attach(&w, &p.model);
    p.model.FormCreate();
    w.resize(1024, 740);
    w.show();
    p.session.timers.Advance(100);
    QApplication::processEvents();
    EXPECT_EQ(w.findChild<QLabel*>("lb1_label")->text().left(24), " #  Feature             ");
    EXPECT_EQ(w.Button("SpeedButton23")->toolTip(), "Clear the point memory");
    EXPECT_EQ(w.findChild<QMenu*>("Datei1")->title(), "&File");
    EXPECT_EQ(w.findChild<QWidget*>("TSys", Qt::FindDirectChildrenOnly)->windowTitle(), "System settings");
    EXPECT_EQ(w.findChild<QWidget*>("TSys")->findChild<QRadioButton*>("Durchmesser")->text(), "Diameter");
    EXPECT_EQ(p.model.StatusPanels[2], "");  // the panel is the teach-in's, not the language's
    const QImage shot = w.grab().toImage();
    EXPECT_FALSE(shot.isNull());
    EXPECT_TRUE(shot.save(QString::fromStdString((std::filesystem::current_path() / "tarvo-main-en.png").string())));
}

// In the German window Qt's own texts (standard buttons, file dialogs) are German too.
TEST(GermanWindow, QtsOwnTextsFollowTheLanguage) {
    SimulatedProgram p;
    QtOperator op;
    Tmain w(p.model);
    op.Attach(&w, &p.model);
    p.model.FormCreate();
    p.session.timers.Advance(100);
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_de.qm")) {
        GTEST_SKIP() << "Qt's translations are not installed";
    }
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
}

}  // namespace
}  // namespace tarvo
