#include "app/windowcommands.h"

#include <gtest/gtest.h>

#include "support/mainwindowfixture.h"

namespace tarvo {
namespace {

class WindowCommands : public test::MainWindowFixture {};

TEST_F(WindowCommands, TextLinesAreAppendedOrInsertedAndRenumbered) {
    w->lb1().Append("  1 a");
    w->lb1().Append("  2 b");
    Teach();
    op.ExpectTextLine("append Charge 7");
    Run(CommandId::TextLine);
    EXPECT_EQ(Results().back(), "  3 Charge 7");
    EXPECT_EQ(w->LB_list().back(), "Text:Charge 7");
    run().Recording = 0;
    w->lb1().SetItemIndex(1);
    op.ExpectTextLine("insert Zwischen");
    Run(CommandId::TextLine);
    EXPECT_EQ(Results(), (std::vector<std::string>{"  1 a", "  2 Zwischen", "  3 b", "  4 Charge 7"}));
    op.ExpectTextLine("cancel");
    Run(CommandId::TextLine);
    EXPECT_EQ(Results().size(), 4u);
}

TEST_F(WindowCommands, SystemSettingsAreWrittenAtOnceAndRecorded) {
    Teach();
    op.ExpectSystem("1 1");
    w->Run(CommandOf(CommandId::SystemSettings));
    EXPECT_EQ(settings().CircleMode, 1);
    EXPECT_EQ(settings().AngleMode, 1);
    EXPECT_EQ(dir.Read("TARVO.INI"), "[PARAMETER]\r\nKR_MODE=1\r\nWI_MODE=1\r\n");
    EXPECT_EQ(w->LB_list(), (std::vector<std::string>{"KRMODE:1", "WIMODE:1"}));
    op.ExpectSystem("cancel");
    w->Run(CommandOf(CommandId::SystemSettings));
    EXPECT_EQ(settings().CircleMode, 1);
}

TEST_F(WindowCommands, NothingIsWrittenFromReadOnlyMedia) {
    std::ofstream(dir.root() / "menue.cd") << "";
    op.ExpectSystem("1 0");
    w->Run(CommandOf(CommandId::SystemSettings));
    EXPECT_EQ(settings().CircleMode, 1);
    EXPECT_EQ(dir.Read("TARVO.INI"), "<missing>");
}

}  // namespace
}  // namespace tarvo
