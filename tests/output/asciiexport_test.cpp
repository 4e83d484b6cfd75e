// The ASCII export: the comparison and transfer files as the evaluation system reads them.
#include "output/asciiexport.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/cp1252.h"
#include "data/resultline.h"
#include "support/mainwindowfixture.h"

namespace tarvo {
namespace {

class Export : public test::MainWindowFixture {
protected:
    // The files of the export folder with the given extension, in name order.
    std::vector<std::string> Files(const std::string& extension) {
        std::vector<std::string> names;
        if (!std::filesystem::exists(dir.work() / "ascii")) {
            return names;
        }
        for (const auto& e : std::filesystem::directory_iterator(dir.work() / "ascii")) {
            if (e.path().extension() == extension) {
                names.push_back("ascii/" + e.path().filename().string());
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    void Comparisons() {
        w->lb1().Append("  1 Soll-Ist Vergleich NW:    10.000  OT:  0.100  UT: -0.100");
        w->lb1().Append("  2 Bohrung          #1       10.050                        -|-----|--\x7F--|-");
        w->lb1().Append("  3 Soll-Ist Vergleich PT:     0.050   X:  3.000   Y:  4.000");
        w->lb1().Append("  4 Lage             #1        0.010                        -|-\x7F---|-----|-");
        w->lb1().Append("  5 Soll-Ist Vergleich A :");
        w->lb1().Append("  6 Sicht            #---  IO  0                            -|-----\x7F-----|-");
    }
};

TEST_F(Export, WritesTheComparisonAndTransferFiles) {
    Comparisons();
    Teach();
    op.ExpectInput("Welle");
    op.ExpectInput("Meier");
    op.ExpectInput("K12345");  // the batch is cut to 5
    Run(CommandId::AsciiExport);
    ASSERT_EQ(Files(".NPA").size(), 1u);
    ASSERT_EQ(Files(".TRF").size(), 1u);
    EXPECT_EQ(dir.Read(Files(".NPA")[0]),
              "@Welle               ,VS= 1,LL=8,CD=08:12:26:09:30,CX= 3, CY= 3,WC= 0,NP= 0\r\n"
              "=Bohrung             ,10.000,0.100,-0.100,    ,3,1,LE=1\r\n"
              "=Lage                ,0.000,0.050,0.000,    ,3,1,LE=1\r\n"
              "=Sicht               ,0.000,0.000,0.000,    ,3,1,LE=1\r\n");
    EXPECT_EQ(dir.Read(Files(".TRF")[0]),
              "$Welle               \r\n&08:12:26:09:30\r\n/Meier\r\n%K1234\r\n"
              "*Bohrung             \r\n10.050\r\n*Lage                \r\n0.010\r\n"
              "*Sicht               \r\n0.000\r\n");
    EXPECT_EQ(Results().back(), "  7 ASCII-Export");
    EXPECT_EQ(w->LB_list().back(), "ASCII:Welle               ");
}

TEST_F(Export, AJudgementOfLineThousandExportsItsNameAndValue) {
    w->lb1().Append("1001 Soll-Ist Vergleich NW:    16.000  OT:  0.010  UT: -0.010");
    w->lb1().Append("1002 Bohrung         #1000     15.999                        -|----\x7F|-----|-");
    Teach();
    op.ExpectInput("Welle");
    op.ExpectInput("Meier");
    op.ExpectInput("K1");
    Run(CommandId::AsciiExport);
    ASSERT_EQ(Files(".TRF").size(), 1u);
    EXPECT_NE(dir.Read(Files(".TRF")[0]).find("*Bohrung             \r\n15.999\r\n"), std::string::npos)
        << dir.Read(Files(".TRF")[0]);
    EXPECT_NE(dir.Read(Files(".NPA")[0]).find("=Bohrung             ,16.000,0.010,-0.010"), std::string::npos)
        << dir.Read(Files(".NPA")[0]);
}

TEST_F(Export, NothingWithoutComparisonsAndTwoExportsNeverShareAName) {
    w->lb1().Append(BuildResultLine(1, "Kreis", " 3 D", 10, 1, 2, 3));
    op.ExpectInput("Welle");
    Run(CommandId::AsciiExport);
    EXPECT_TRUE(Files(".NPA").empty());
    EXPECT_EQ(w->lb1().Count(), 1);  // not even the note

    Comparisons();
    for (int i = 0; i < 2; ++i) {  // the same second: the second export waits for a new code
        op.ExpectInput("Welle");
        op.ExpectInput("Meier");
        op.ExpectInput("K1");
        Run(CommandId::AsciiExport);
    }
    EXPECT_EQ(Files(".NPA").size(), 2u);
    EXPECT_EQ(Files(".TRF").size(), 2u);
}

TEST_F(Export, DecimalsZeroManyComparisonsAndAComparisonAtTheEnd) {
    settings().Decimals = 0;
    for (int i = 0; i < 25; ++i) {  // more than the 20 records of old: every one is written
        w->lb1().Append("  1 Soll-Ist Vergleich NW:    10.000  OT:  0.100  UT: -0.100");
        w->lb1().Append("  2 Teil" + std::to_string(i) + "            #1       12.000");
    }
    w->lb1().Append("  3 Soll-Ist Vergleich PT:     0.250");  // the last line: no line follows
    op.ExpectInput("Kurz");
    op.ExpectInput("X");
    op.ExpectInput("Y");
    Run(CommandId::AsciiExport);
    const std::string npa = dir.Read(Files(".NPA")[0]);
    EXPECT_EQ(std::count(npa.begin(), npa.end(), '='), 7 + 26 * 2);  // the head's 7, two a record
    EXPECT_NE(npa.find("=Teil24              ,10,0,0,    ,0,1,LE=1"), std::string::npos) << npa;
    EXPECT_NE(npa.find("=                    ,0,0,0,    ,0,1,LE=1"), std::string::npos);  // no name follows
    const std::string trf = dir.Read(Files(".TRF")[0]);
    // No measured value follows it: the value stays empty, never the nominal as if measured.
    EXPECT_EQ(trf.substr(trf.size() - 25), "*                    \r\n\r\n");
}

TEST_F(Export, CancelledQuestionsAndTheExportFolderFile) {
    dir.Write("asc_pfad.cfg", "auswertung/neu\r\n");
    Start();
    Comparisons();
    op.ExpectInput(std::string(1, '\0'));  // no part name: nothing
    Run(CommandId::AsciiExport);
    op.ExpectInput("Welle");
    op.ExpectInput(std::string(1, '\0'));  // inspector cancelled: the comparison file stays
    Run(CommandId::AsciiExport);
    EXPECT_TRUE(std::filesystem::exists(dir.work() / "auswertung/neu"));
    int npa = 0, trf = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.work() / "auswertung/neu")) {
        npa += e.path().extension() == ".NPA" ? 1 : 0;
        trf += e.path().extension() == ".TRF" ? 1 : 0;
    }
    EXPECT_EQ(npa, 1);
    EXPECT_EQ(trf, 0);
    EXPECT_EQ(Results().back(), "  7 ASCII-Export");  // the note all the same
}

}  // namespace
}  // namespace tarvo
