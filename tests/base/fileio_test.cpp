#include "base/fileio.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "base/ini.h"
#include "support/tempdir.h"

namespace tarvo {
namespace {

class DamagedText : public ::testing::Test {
protected:
    void SetUp() override { (void)TakeFileNotes(); }
    // The kinds of damage noted for files read since the last call.
    static std::vector<FileDamage> Noted() {
        std::vector<FileDamage> kinds;
        for (const auto& n : TakeFileNotes()) {
            kinds.push_back(n.damage);
        }
        return kinds;
    }
    test::TempDir dir;
};

TEST_F(DamagedText, BinaryBytesAndOverLongLinesMakeAFileUnusable) {
    dir.Write("nul.txt", std::string("1.5\r\n\0\0\0\r\n", 10));
    dir.Write("esc.txt", "10\r\n\x1b[0m\r\n");
    dir.Write("long.txt", "1\r\n" + std::string(kMaxFileLine + 1, '7') + "\r\n");
    EXPECT_FALSE(ReadTextLines(dir.work() / "nul.txt"));
    EXPECT_FALSE(ReadTextLines(dir.work() / "esc.txt"));
    EXPECT_EQ(Noted(), (std::vector<FileDamage>{FileDamage::Binary, FileDamage::Binary}));
    EXPECT_FALSE(ReadTextLines(dir.work() / "long.txt"));
    EXPECT_EQ(Noted(), std::vector<FileDamage>{FileDamage::LongLine});
}

TEST_F(DamagedText, OrdinaryTextIsNotDamage) {
    // Windows-1252 umlauts, TAB, form feed, the old end-of-file mark, the comparison's bar marker
    // and a line of exactly the limit are text; a hand-written file may lack its last line break.
    const std::string text =
        "Ma\xDF\tGr\xF6\xDF"
        "e \xC4\xD6\xDC\r\n\f|--\x7F--|\r\n" +
        std::string(kMaxFileLine, 'x') + "\r\nno line break\x1A";
    dir.Write("ok.txt", text);
    const auto lines = ReadTextLines(dir.work() / "ok.txt");
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->size(), 4u);
    EXPECT_EQ((*lines)[0],
              "Ma\xDF\tGr\xF6\xDF"
              "e \xC4\xD6\xDC");
    EXPECT_TRUE(Noted().empty());
}

TEST_F(DamagedText, Utf8IsReadConvertedAndSaid) {
    dir.Write("utf8.txt",
              "Pr\xC3\xBC"
              "fer\r\nGr\xC3\xB6\xC3\x9F"
              "e\r\n");
    dir.Write("bom.txt", "\xEF\xBB\xBFMa\xC3\x9F\r\n");
    EXPECT_EQ(ReadTextLines(dir.work() / "utf8.txt"), (std::vector<std::string>{"Pr\xFC"
                                                                                "fer",
                                                                                "Gr\xF6\xDF"
                                                                                "e"}));
    EXPECT_EQ(ReadTextLines(dir.work() / "bom.txt"), std::vector<std::string>{"Ma\xDF"});
    EXPECT_EQ(Noted(), (std::vector<FileDamage>{FileDamage::Utf8, FileDamage::Utf8}));
    // Marked as UTF-8 but not: what the conversion makes of it holds control characters, which the
    // program would write back into its own files (a names file it then refuses). Binary.
    dir.Write("false_bom.txt", "\xEF\xBB\xBF\xE0" + std::string(59, '\xC0') + "\x85\x0C\xDFpfh*^");
    EXPECT_FALSE(ReadTextLines(dir.work() / "false_bom.txt"));
    EXPECT_EQ(Noted(), std::vector<FileDamage>{FileDamage::Binary});
}

TEST_F(DamagedText, OnlyTheProgramsOwnFilesCountAsCutWithoutTheirLastLineBreak) {
    dir.Write("own.dat", "  1 Kreis\r\n  2 Kre");
    const auto lines = ReadOwnTextLines(dir.work() / "own.dat");
    ASSERT_TRUE(lines);  // used as far as it goes
    EXPECT_EQ(lines->back(), "  2 Kre");
    EXPECT_EQ(Noted(), std::vector<FileDamage>{FileDamage::Cut});
    EXPECT_TRUE(ReadTextLines(dir.work() / "own.dat"));
    EXPECT_TRUE(Noted().empty());
}

TEST_F(DamagedText, EachDamageIsSaidOnceUntilTheFileIsWholeAgain) {
    dir.Write("a.txt", std::string("\0", 1));
    for (int i = 0; i < 3; ++i) {
        (void)ReadTextLines(dir.work() / "a.txt");
    }
    EXPECT_EQ(Noted().size(), 1u);
    (void)ReadTextLines(dir.work() / "a.txt");
    EXPECT_TRUE(Noted().empty());  // already said
    dir.Write("a.txt", "ok\r\n");
    (void)ReadTextLines(dir.work() / "a.txt");
    dir.Write("a.txt", std::string("\0", 1));
    (void)ReadTextLines(dir.work() / "a.txt");
    EXPECT_EQ(Noted().size(), 1u);  // damaged anew
}

TEST_F(DamagedText, SettingsFilesCutInALineOrDamagedAreMarked) {
    dir.Write("cut.ini", "[Einstellungen]\r\nNK=3\r\nIFNA");
    const IniFile cut = IniFile::Load(dir.work() / "cut.ini");
    EXPECT_FALSE(cut.Unreadable());
    EXPECT_EQ(cut.ReadInteger("Einstellungen", "NK", 0), 3);
    EXPECT_EQ(Noted(), std::vector<FileDamage>{FileDamage::Cut});
    for (const char* whole : {"[A]\r\nK=1", "[A]\r\n; comment", "[A]\r\n[B]", "[A]\r\nK=1\r\n   "}) {
        dir.Write("whole.ini", whole);
        (void)IniFile::Load(dir.work() / "whole.ini");
        EXPECT_TRUE(Noted().empty()) << whole;
    }
    dir.Write("bin.ini", std::string("[A]\r\nK=\0\0", 9));
    IniFile bin = IniFile::Load(dir.work() / "bin.ini");
    EXPECT_TRUE(bin.Unreadable());
    bin.WriteString("A", "K", "2");
    EXPECT_FALSE(bin.Save(dir.work() / "bin.ini").ok);
    EXPECT_EQ(dir.Read("bin.ini"), std::string("[A]\r\nK=\0\0", 9));  // never written over
}

// A write survives a power loss: the temporary file is flushed before the rename and the folder
// after it, each once, in that order; the file it replaces keeps its permission bits, and a new
// file gets the usual ones.
TEST(AtomicWrite, FlushesTheDataThenRenamesThenFlushesTheFolderAndKeepsTheMode) {
    const test::TempDir dir;
    const auto file = dir.work() / "speicher.dat";
    std::vector<std::string> steps;
    SetWriteStepObserver([&](std::string_view step, const std::filesystem::path& p) {
        const std::string name = p.filename().string();
        const std::string what = p == dir.work() ? "folder" : name.rfind(".speicher.dat.tmp", 0) == 0 ? "temp" : name;
        steps.push_back(std::string(step) + " " + what);
    });
    struct Reset {
        ~Reset() { SetWriteStepObserver({}); }
    } reset;
    const auto mode = [&] {
        struct stat st {};
        EXPECT_EQ(::stat(file.c_str(), &st), 0);
        return st.st_mode & 07777;
    };
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ASSERT_TRUE(WriteFileAtomic(file, "new\r\n").ok);
    EXPECT_EQ(steps, (std::vector<std::string>{"fsync temp", "rename speicher.dat", "fsync folder"}));
    EXPECT_EQ(mode(), 0644u & ~mask);
    for (const mode_t kept : {0600u, 0640u, 0444u, 0664u}) {
        ASSERT_EQ(::chmod(file.c_str(), kept), 0);
        ASSERT_TRUE(WriteFileAtomic(file, "again\r\n").ok);
        EXPECT_EQ(mode(), kept);
        EXPECT_EQ(dir.Read("speicher.dat"), "again\r\n");
    }
    EXPECT_EQ(steps.size(), 3u * 5u);
}

}  // namespace
}  // namespace tarvo
