#include "shell/settings.h"

#include <gtest/gtest.h>

#include "base/ini.h"
#include "support/tempdir.h"

namespace tarvo {
namespace {

class SettingsFiles : public ::testing::Test {
protected:
    test::TempDir dir;
    Settings s;
    std::vector<std::string> Load(const std::string& ini) {
        dir.Write("TARVO.INI", ini);
        return LoadSettings(dir.work() / "TARVO.INI", s);
    }
};

TEST_F(SettingsFiles, AMissingFileKeepsEveryDefaultWithoutComplaint) {
    EXPECT_TRUE(LoadSettings(dir.work() / "TARVO.INI", s).empty());
    EXPECT_EQ(s.IfName, "IF2M");
    EXPECT_EQ(s.Decimals, 3);
    EXPECT_EQ(s.FontSize, 10);
    EXPECT_EQ(s.DxfInitialDir, ".\\");
    EXPECT_EQ(s.OffsetX.value(), 0.0L);
}

TEST_F(SettingsFiles, ReadsEveryKeyFromItsSection) {
    const auto problems = Load(
        "[Einstellungen]\nIFNAME=IF8MLONGNAME\nNK=4\nLANGUAGE=2\nDXFINITIALDIR=c:\\dxf\\\nFONT_SIZE=99\n"
        "[PARAMETER]\nOFFSETX=12345\nOFFSETY=-20000\nOFFSETW=5\nFONT_SIZE=12\nKR_MODE=1\nWI_MODE=1\n"
        "IF3INC=7\nNOZERO=1\nTR_MODE=1\n");
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(s.IfName, "IF8MLONGN");  // cut to 9 characters
    EXPECT_EQ(s.Decimals, 4);
    EXPECT_EQ(s.Language, 2);
    EXPECT_EQ(s.FontSize, 12);  // from PARAMETER only
    EXPECT_EQ(s.OffsetX.value(), Real(1.2345L).value());
    EXPECT_EQ(s.OffsetY.value(), Real(-2.0L).value());
    EXPECT_EQ(s.OffsetW.value(), Real(0.0005L).value());
    EXPECT_EQ(s.CircleMode, 1);
    EXPECT_EQ(s.AngleMode, 1);
    EXPECT_EQ(s.If3Inc, 1);
    EXPECT_EQ(s.NoZero, 1);
    EXPECT_EQ(s.TriggerMode, 1);
    EXPECT_EQ(s.DxfInitialDir, "c:\\dxf\\");
}

TEST_F(SettingsFiles, SlowModeOnlyForExactlyOne) {
    Load("[PARAMETER]\nSLOW_MODE=2\n");
    EXPECT_EQ(s.SlowMode, 0);
    Load("[PARAMETER]\nSLOW_MODE=1\n");
    EXPECT_EQ(s.SlowMode, 1);
}

TEST_F(SettingsFiles, ValuesThatDoNotFitAreReportedOnceAndKeepTheDefault) {
    const auto problems = Load(
        "[Einstellungen]\nNK=300\n[PARAMETER]\nKR_MODE=-1\nOFFSETX=99999999999\nWI_MODE=1\n"
        "OFFSETY=-99999999999999999999\nFONT_SIZE=18446744073709551616\n");
    ASSERT_EQ(problems.size(), 5u);
    EXPECT_NE(problems[0].find("NK = 300"), std::string::npos);
    // Values beyond any integer are named as the file has them.
    EXPECT_NE(problems[1].find("FONT_SIZE = 18446744073709551616"), std::string::npos);
    EXPECT_NE(problems[2].find("OFFSETX = 99999999999"), std::string::npos);
    EXPECT_NE(problems[3].find("OFFSETY = -99999999999999999999"), std::string::npos);
    EXPECT_NE(problems[4].find("KR_MODE = -1"), std::string::npos);
    EXPECT_EQ(s.Decimals, 3);
    EXPECT_EQ(s.CircleMode, 0);
    EXPECT_EQ(s.OffsetX.value(), 0.0L);
    EXPECT_EQ(s.AngleMode, 1);  // loading went on
}

TEST_F(SettingsFiles, AnUnknownReferenceReadsAsTheDefaultAndIsSaid) {
    auto problems = Load("[PARAMETER]\nKR_BEZUG=mzci\nGE_BEZUG=MZCI\n");
    EXPECT_EQ(s.CircleReference, "MZCI");
    EXPECT_EQ(s.LineReference, "SEARCH");
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("GE_BEZUG = MZCI"), std::string::npos);
}

TEST_F(SettingsFiles, GarbageNeverStopsTheLoad) {
    static const char kGarbage[] = "\xff[[[\n=\n[PARAMETER\nNK\n[Einstellungen]\nNK=abc\n";
    const auto problems = Load(std::string(kGarbage, sizeof kGarbage - 1));
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(s.Decimals, 0);  // a value that does not begin with digits reads as 0
}

TEST_F(SettingsFiles, MarkerFilesSwitchTheirBehaviour) {
    dir.Write("winkel", "");
    dir.Write("siemens", "");
    dir.Write("ch_dir", "-1.0\n1.5\n2\n");
    dir.Write("timer", "100\r\n200\r\n");
    std::vector<std::string> problems;
    const auto intervals = ApplyMarkerFiles(dir.work(), s, problems);
    EXPECT_TRUE(problems.empty());
    EXPECT_EQ(s.AngleDiffLine, 1);
    EXPECT_EQ(s.SiemensMode, 1);
    EXPECT_EQ(s.AxisFactorX.value(), -1.0L);
    EXPECT_EQ(s.AxisFactorY.value(), 1.5L);
    EXPECT_EQ(s.AxisFactorZ.value(), 2.0L);
    ASSERT_TRUE(intervals.has_value());
    EXPECT_EQ(intervals->send, 100);
    EXPECT_EQ(intervals->receive, 200);
}

TEST_F(SettingsFiles, MarkerFilesWithoutNumbersKeepTheDefaultsAndNameTheFile) {
    dir.Write("ch_dir", "1,5\n1\n1\n");  // a comma is not accepted here
    dir.Write("timer", "fast\n");
    std::vector<std::string> problems;
    EXPECT_FALSE(ApplyMarkerFiles(dir.work(), s, problems).has_value());
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_NE(problems[0].find("\"ch_dir\""), std::string::npos);
    EXPECT_NE(problems[1].find("\"timer\""), std::string::npos);
    EXPECT_EQ(s.AxisFactorX.value(), 1.0L);
    dir.Write("timer", "0\n20\n");  // a timer that never ticks is no setting either
    problems.clear();
    EXPECT_FALSE(ApplyMarkerFiles(dir.work(), s, problems).has_value());
}

TEST_F(SettingsFiles, ExitWriteBackRoundsOffsetsAndKeepsTheRestOfTheFile) {
    dir.Write("TARVO.INI", "; mine\r\n[PARAMETER]\r\nOFFSETX=1\r\nKR_MODE=1\r\n[Einstellungen]\r\nNK=4\r\n");
    s.OffsetX = 1.23456L;
    s.OffsetY = -0.00004L;
    s.OffsetW = 359.99999L;
    s.TriggerMode = 1;
    ASSERT_TRUE(SaveSettings(dir.work() / "TARVO.INI", s).ok);
    EXPECT_EQ(dir.Read("TARVO.INI"),
              "; mine\r\n[PARAMETER]\r\nOFFSETX=12346\r\nKR_MODE=1\r\nOFFSETY=0\r\nOFFSETW=3600000\r\n"
              "TR_MODE=1\r\n[Einstellungen]\r\nNK=4\r\nDXFINITIALDIR=.\\\r\n");
    Settings back;
    EXPECT_TRUE(LoadSettings(dir.work() / "TARVO.INI", back).empty());
    EXPECT_EQ(back.OffsetX.value(), Real(1.2346L).value());
}

TEST_F(SettingsFiles, AnOffsetTooLargeForTheFileIsReportedAndTheOthersAreStillWritten) {
    s.OffsetX = 1e12L;
    s.OffsetY = 2.0L;
    const WriteResult r = SaveSettings(dir.work() / "TARVO.INI", s);
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("OFFSETX"), std::string::npos);
    EXPECT_NE(dir.Read("TARVO.INI").find("OFFSETY=20000"), std::string::npos);
}

TEST_F(SettingsFiles, WriteIniIntegerRespectsReadOnlyMedia) {
    ASSERT_TRUE(WriteIniInteger("PARAMETER", dir.work() / "TARVO.INI", "KR_MODE", 1, true).ok);
    EXPECT_EQ(dir.Read("TARVO.INI"), "<missing>");
    ASSERT_TRUE(WriteIniInteger("PARAMETER", dir.work() / "TARVO.INI", "KR_MODE", 1, false).ok);
    EXPECT_EQ(dir.Read("TARVO.INI"), "[PARAMETER]\r\nKR_MODE=1\r\n");
}

TEST(FileSystemRoot, IsAnAncestorOnTheSameDevice) {
    const auto root = FileSystemRootOf(std::filesystem::temp_directory_path());
    EXPECT_TRUE(root.is_absolute());
    const auto rel = std::filesystem::temp_directory_path().lexically_relative(root);
    EXPECT_FALSE(rel.empty());
    EXPECT_NE(rel.string().substr(0, 2), "..");
}

}  // namespace
}  // namespace tarvo
