// The command table: one row per control, key and menu entry, and what the window and tarvo-cli
// do with it.
#include "app/commandtable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "support/mainwindowfixture.h"

namespace tarvo {
namespace {

TEST(CommandTable, NamesEveryControlKeyAndMenuEntryOnce) {
    std::set<std::string> controls;
    std::set<int> keys;
    std::set<std::pair<int, int>> cells;
    int menus = 0;
    for (const Command& c : CommandTable()) {
        if (!c.control.empty()) {
            EXPECT_TRUE(controls.insert(std::string(c.control)).second) << c.control;
            EXPECT_EQ(CommandByControl(c.control), &c);
        }
        if (c.key != 0) {
            EXPECT_TRUE(keys.insert(c.key).second) << c.key;
        }
        if (c.place == Place::ToolPanel) {
            EXPECT_TRUE(cells.insert({c.row, c.column}).second) << c.control;
        }
        EXPECT_NE(c.handler, nullptr) << c.control << c.caption;
        menus += c.place >= Place::MenuDatei ? 1 : 0;
        EXPECT_EQ(&CommandOf(c.id), &c);
    }
    EXPECT_EQ(controls.size(), 27u);  // SpeedButton1..25, Button1, Button2
    EXPECT_EQ(cells.size(), 22u);     // the tool panel: 8 rows of three, two cells empty
    EXPECT_EQ(menus,
              21);  // with "Maschine kalibrieren", "Statistik", "Kamerabild", "Form- und Lagetoleranz", "Neu auswerten"
    EXPECT_EQ(CommandByKey(kKeyF1 + 1)->id, CommandId::Circle);
    EXPECT_EQ(CommandByKey(kKeyF1)->id, CommandId::Help);
    EXPECT_EQ(CommandByTyped('X')->id, CommandId::ZeroX);
    EXPECT_EQ(CommandByTyped('x'), nullptr);
    EXPECT_EQ(CommandByMenu("Fläche aus Speicherkreis")->id, CommandId::AreaFromCircle);
    EXPECT_EQ(CommandByMenu("Löschen")->id, CommandId::ResultListClear);  // the result list's entry first
    EXPECT_EQ(CommandByMenu("Nichts"), nullptr);
    EXPECT_EQ(MenuText("S&ystemeinstellungen"), "Systemeinstellungen");
}

// What a new row needs besides its code: its caption and hint in the translation table (a text of
// capitals only, a name or a letter, reads the same everywhere), and a tool button its picture
// among the program's resources.
TEST(CommandTable, EveryRowHasItsTranslationsAndPicture) {
    const std::filesystem::path root = std::filesystem::path(TARVO_SHIPPED_DATA).parent_path();
    std::set<std::string> german;
    std::ifstream table(root / "tools" / "language" / "translations.txt");
    for (std::string line; std::getline(table, line);) {
        if (!line.starts_with('#') && line.find('|') != std::string::npos) {
            std::string text = line.substr(0, line.find('|'));
            text.erase(text.find_last_not_of(' ') + 1);
            german.insert(text.substr(text.find_first_not_of(' ')));
        }
    }
    ASSERT_GT(german.size(), 100u);
    std::ifstream qrcFile(root / "resources" / "tarvo.qrc");
    const std::string qrc{std::istreambuf_iterator<char>(qrcFile), {}};
    for (const Command& c : CommandTable()) {
        for (const std::string_view text : {c.caption, c.hint}) {
            const bool same = std::none_of(text.begin(), text.end(), [](char ch) { return ch >= 'a' || ch < 0; });
            EXPECT_TRUE(same || german.contains(std::string(text))) << "no translation of " << text;
        }
        if (c.place == Place::ToolPanel) {
            const std::string png = std::string(c.control) + ".png";
            EXPECT_TRUE(std::filesystem::exists(root / "resources" / "buttons" / png)) << png;
            EXPECT_NE(qrc.find("buttons/" + png), std::string::npos) << png << " not in tarvo.qrc";
            EXPECT_FALSE(c.picture.empty()) << c.control;
        }
    }
}

class CommandRuns : public test::MainWindowFixture {};

TEST_F(CommandRuns, ADisabledCommandIgnoresItsControl) {
    op.ExpectError();  // no serial line in the test: "COM1 Error"
    w->Timer2Timer();  // the link starts: polling in keyboard mode
    const Command& keyboard = CommandOf(CommandId::KeyboardTrigger);
    EXPECT_FALSE(w->IsEnabled(keyboard));
    EXPECT_FALSE(w->Run(keyboard));
    EXPECT_TRUE(w->Timersend.Enabled());
    EXPECT_FALSE(w->TimerTrigger.Enabled());
    EXPECT_TRUE(w->Run(CommandOf(CommandId::FootSwitchTrigger)));
    EXPECT_TRUE(w->TimerTrigger.Enabled());
    EXPECT_TRUE(w->IsEnabled(keyboard));
    EXPECT_FALSE(w->IsEnabled(CommandOf(CommandId::Capture)));  // Space only captures in keyboard mode
}

// No word is forgotten between a row and a run: each row's word is replayed, by the runner itself
// or through the row's command, and every word the runner leaves to a command has one. That each
// command writes its word and its replay lists what the teach-in listed is the record-and-replay
// test's.
TEST_F(CommandRuns, EveryRowsWordHasItsReplay) {
    for (const Command& c : CommandTable()) {
        if (!c.programWord.empty()) {
            const auto how = w->Runner().HowReplayed(c.programWord);
            EXPECT_TRUE(how == ProgramRunner::Replay::Own || how == ProgramRunner::Replay::Command) << c.programWord;
        }
    }
    EXPECT_TRUE(w->Runner().WordsWithoutCommand().empty());
    EXPECT_EQ(w->Runner().HowReplayed("Unsinn:"), ProgramRunner::Replay::Unknown);
}

TEST_F(CommandRuns, KeysAndLettersStartTheirRows) {
    run().CurrentPos = {3, 4};
    EXPECT_TRUE(w->FormKeyDown(kKeySpace));
    EXPECT_EQ(w->PointCount(), 1);
    EXPECT_FALSE(w->FormKeyDown(kKeyF1 + 8));  // F9 does nothing
    w->FormKeyPress('Y');
    EXPECT_EQ(settings().OffsetY.value(), 4.0L);
    w->FormKeyPress('y');
    EXPECT_EQ(settings().OffsetY.value(), 4.0L);
}

}  // namespace
}  // namespace tarvo
