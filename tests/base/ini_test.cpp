#include "base/ini.h"

#include <gtest/gtest.h>

#include "support/tempdir.h"

namespace tarvo {
namespace {

const char* const kSample =
    "; settings written by hand\r\n"
    "[Einstellungen]\r\n"
    "  ifname = IF4M  \r\n"
    "NK=4\r\n"
    "\r\n"
    "[parameter]\r\n"
    "OFFSETX=-12345\r\n"
    "KR_MODE=1abc\r\n"
    "WI_MODE=abc\r\n"
    "NAME=\"quoted value\"\r\n"
    "nokey line\r\n"
    "[Other]\r\n"
    "NK=9\r\n";

TEST(IniFile, LooksUpWithoutRegardToCaseAndTrimsBlanks) {
    const IniFile ini = IniFile::FromText(kSample);
    EXPECT_EQ(ini.ReadString("EINSTELLUNGEN", "IFNAME", "x"), "IF4M");
    EXPECT_EQ(ini.ReadInteger("Einstellungen", "nk", 3), 4);
    EXPECT_EQ(ini.ReadInteger("Other", "NK", 3), 9);
    EXPECT_EQ(ini.ReadString("PARAMETER", "NAME", ""), "quoted value");
}

TEST(IniFile, MissingKeysGiveDefaultsAndIntegersReadTheirLeadingDigits) {
    const IniFile ini = IniFile::FromText(kSample);
    EXPECT_EQ(ini.ReadInteger("PARAMETER", "OFFSETX", 0), -12345);
    EXPECT_EQ(ini.ReadInteger("PARAMETER", "KR_MODE", 7), 1);
    EXPECT_EQ(ini.ReadInteger("PARAMETER", "WI_MODE", 7), 0);
    EXPECT_EQ(ini.ReadInteger("PARAMETER", "MISSING", 7), 7);
    EXPECT_EQ(ini.ReadString("Nowhere", "NK", "def"), "def");
    EXPECT_EQ(ini.ReadString("Einstellungen", "IFNAME", "", 2), "IF");
    EXPECT_EQ(ParseProfileInteger("99999999999999999999999"), std::numeric_limits<long long>::max());
    EXPECT_EQ(ParseProfileInteger("  -7 mm"), -7);
    EXPECT_EQ(IniFile::Load("/nonexistent/TARVO.INI").ReadInteger("A", "B", 5), 5);
}

TEST(IniFile, ListsTheKeysOfASectionInFileOrder) {
    const IniFile ini = IniFile::FromText(kSample);
    EXPECT_EQ(ini.Keys("Parameter"), (std::vector<std::string>{"OFFSETX", "KR_MODE", "WI_MODE", "NAME"}));
    EXPECT_TRUE(ini.Keys("none").empty());
}

TEST(IniFile, WritingAKeyKeepsEveryOtherLine) {
    IniFile ini = IniFile::FromText(kSample);
    ini.WriteString("PARAMETER", "offsetx", "5");  // replaced in place
    ini.WriteString("PARAMETER", "TR_MODE", "1");  // added at the end of its section
    ini.WriteString("Neu", "A", "b");              // a new section at the end
    EXPECT_EQ(ini.Text(),
              "; settings written by hand\r\n"
              "[Einstellungen]\r\n"
              "  ifname = IF4M  \r\n"
              "NK=4\r\n"
              "\r\n"
              "[parameter]\r\n"
              "offsetx=5\r\n"
              "KR_MODE=1abc\r\n"
              "WI_MODE=abc\r\n"
              "NAME=\"quoted value\"\r\n"
              "nokey line\r\n"
              "TR_MODE=1\r\n"
              "[Other]\r\n"
              "NK=9\r\n"
              "[Neu]\r\n"
              "A=b\r\n");
}

TEST(IniFile, WritesAtomicallyIntoTheFile) {
    const test::TempDir dir;
    dir.Write("T.INI", "[A]\nX=1\n");
    ASSERT_TRUE(WritePrivateProfileString(dir.work() / "T.INI", "A", "Y", "2").ok);
    EXPECT_EQ(dir.Read("T.INI"), "[A]\nX=1\nY=2\n");  // a file with LF keeps LF
    ASSERT_TRUE(WritePrivateProfileString(dir.work() / "NEW.INI", "S", "K", "v").ok);
    EXPECT_EQ(dir.Read("NEW.INI"), "[S]\r\nK=v\r\n");
    // Nothing but the two files is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.work()), {}), 2);
    EXPECT_FALSE(WritePrivateProfileString(dir.work() / "missing" / "X.INI", "S", "K", "v").ok);
}

// A settings file that exists but cannot be read (here a link to a file whose reading fails
// with an I/O error, which even root cannot read) loads as empty and is never written over.
TEST(IniFile, AnUnreadableFileIsNeverReplaced) {
    const test::TempDir dir;
    const auto file = dir.work() / "TARVO.INI";
    std::filesystem::create_symlink("/proc/self/mem", file);
    const IniFile ini = IniFile::Load(file);
    EXPECT_TRUE(ini.Unreadable());
    EXPECT_FALSE(ini.Save(file).ok);
    EXPECT_FALSE(WritePrivateProfileString(file, "PARAMETER", "KR_MODE", "1").ok);
    EXPECT_TRUE(std::filesystem::is_symlink(file));
    EXPECT_FALSE(IniFile::Load(dir.work() / "missing.ini").Unreadable());
}

}  // namespace
}  // namespace tarvo
