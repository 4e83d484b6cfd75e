// The command table: one row per control, key and menu entry, and what the window and tarvo-cli
// do with it.
#include "app/commandtable.h"

#include <gtest/gtest.h>

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
    EXPECT_EQ(menus, 18);             // with "Maschine kalibrieren" and "Neu auswerten"
    EXPECT_EQ(CommandByKey(kKeyF1 + 1)->id, CommandId::Circle);
    EXPECT_EQ(CommandByKey(kKeyF1)->id, CommandId::Help);
    EXPECT_EQ(CommandByTyped('X')->id, CommandId::ZeroX);
    EXPECT_EQ(CommandByTyped('x'), nullptr);
    EXPECT_EQ(CommandByMenu("Fläche aus Speicherkreis")->id, CommandId::AreaFromCircle);
    EXPECT_EQ(CommandByMenu("Löschen")->id, CommandId::ResultListClear);  // the result list's entry first
    EXPECT_EQ(CommandByMenu("Nichts"), nullptr);
    EXPECT_EQ(MenuText("S&ystemeinstellungen"), "Systemeinstellungen");
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
