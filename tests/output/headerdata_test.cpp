// The header data: labels from "teiledat.txt", header files, the dialog's three ways out.
#include "output/headerdata.h"

#include <gtest/gtest.h>

#include <fstream>

#include "base/cp1252.h"
#include "support/mainwindowfixture.h"

namespace tarvo {
namespace {

class HeaderData : public test::MainWindowFixture {
protected:
    void SetUp() override {}
};

TEST_F(HeaderData, LabelsFromTeiledatAndHiddenInputs) {
    dir.Write("teiledat.txt", Ansi("Auftrag\r\nTeil\r\n   \r\nPrüfer\r\n") + std::string(60, 'L') + "\r\n");
    Start();
    EXPECT_EQ(session->header.labels[0], "Auftrag");
    EXPECT_EQ(session->header.labels[3], Ansi("Prüfer"));
    EXPECT_EQ(session->header.labels[4].size(), 50u);
    EXPECT_EQ(session->header.labels[10], "");  // the file ends: no label
    const HeaderDataDialog d(session->header);
    EXPECT_TRUE(d.Visible(0));
    EXPECT_FALSE(d.Visible(2));  // blanks only: the input is hidden
    EXPECT_FALSE(d.Visible(10));
}

TEST_F(HeaderData, OkTakesTheValuesAndSaveWritesAHeaderFile) {
    Start();
    dir.Write("standard.hed", "A-4711\r\nWelle\r\n" + std::string(70, 'x') + "\r\n");
    op.ExpectFile("ok");                     // the name the open dialog offers: "standard.hed"
    op.ExpectHeader("save A-4711|Welle 2");  // the first two inputs typed over
    op.ExpectFile("teil.HED");
    Run(CommandId::HeaderData);
    EXPECT_TRUE(session->header.present);
    EXPECT_EQ(session->header.values[0], "A-4711");
    EXPECT_EQ(session->header.values[1], "Welle 2");
    EXPECT_EQ(session->header.values[2], std::string(50, 'x'));  // cut to 50 on reading
    EXPECT_EQ(dir.Read("teil.HED").substr(0, 17), "A-4711\r\nWelle 2\r\n");

    // Cancelling the open dialog starts from the values taken last; abort keeps them.
    op.ExpectFile("cancel");
    op.ExpectHeader("cancel Neu");
    Run(CommandId::HeaderData);
    EXPECT_EQ(session->header.values[0], "A-4711");
}

TEST_F(HeaderData, OnReadOnlyMediaTheValuesAreStillTaken) {
    Start();
    std::ofstream(dir.root() / "menue.cd") << "";
    op.ExpectFile("cancel");
    op.ExpectHeader("save CD-Teil");
    op.ExpectFile("teil.HED");
    op.ExpectInfo();
    Run(CommandId::HeaderData);
    EXPECT_EQ(op.shown.back(), Ansi("info: Schreiben auf CD nicht möglich"));
    EXPECT_EQ(session->header.values[0], "CD-Teil");
    EXPECT_TRUE(session->header.present);
    EXPECT_EQ(dir.Read("teil.HED"), "<missing>");
}

}  // namespace
}  // namespace tarvo
