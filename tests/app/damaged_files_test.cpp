// Files that cannot be read are never written over: the result list is set aside under a name
// of its own (or, where that is impossible, left alone and not saved), a names file is left as
// it is; the operator is told, naming the file.
#include <gtest/gtest.h>

#include "app/scriptedoperator.h"
#include "data/feature.h"
#include "support/mainwindowfixture.h"

namespace tarvo {
namespace {

class DamagedFiles : public test::MainWindowFixture {
protected:
    void SetUp() override {}
    // A file whose reading fails even for root.
    void Unreadable(const std::string& name) {
        std::filesystem::create_directories((dir.work() / name).parent_path());
        std::filesystem::create_symlink("/proc/self/mem", dir.work() / name);
    }
};

TEST_F(DamagedFiles, AnUnreadableResultListIsSetAsideAndTheNewResultsAreSaved) {
    Unreadable("speicher.dat");
    op.ExpectError();
    Start();
    w->Timer3Timer();  // the start-up timer reads the list again: it is there, empty
    EXPECT_NE(op.shown.back().find("speicher.dat.unlesbar"), std::string::npos) << op.shown.back();
    EXPECT_TRUE(std::filesystem::is_symlink(dir.work() / "speicher.dat.unlesbar"));
    Capture(1, 2);
    w->SpeedButton5Click();
    const auto saved = ReadTextLines(dir.work() / "speicher.dat");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->size(), 1u);
}

TEST_F(DamagedFiles, WhereItCannotBeSetAsideTheResultListIsNeitherOverwrittenNorSaved) {
    Unreadable("speicher.dat");
    std::ofstream(dir.root() / "menue.cd") << "";  // read-only media: nothing may be renamed
    op.ExpectError();
    Start();
    w->Timer3Timer();  // said once
    EXPECT_NE(op.shown.back().find("nicht gesichert"), std::string::npos) << op.shown.back();
    Capture(1, 2);
    w->SpeedButton5Click();
    EXPECT_TRUE(std::filesystem::is_symlink(dir.work() / "speicher.dat"));
    EXPECT_FALSE(std::filesystem::exists(dir.work() / "speicher.dat.unlesbar"));
}

TEST_F(DamagedFiles, AnUnreadableNamesFileIsNotReplacedByTheNewName) {
    Unreadable("mrk_var.txt");
    Start();
    FeatureDef def;
    FeatureDialog dialog(def, op, 3, dir.work(), false);
    dialog.Prefill();
    dialog.Text(FeatureDialog::kName) = "Bohrung";
    dialog.Text(FeatureDialog::kNennwert) = "10";
    dialog.Text(FeatureDialog::kOT) = "0.1";
    dialog.Text(FeatureDialog::kUT) = "-0.1";
    op.ExpectError();
    EXPECT_EQ(dialog.Ok(), FeatureDialog::Closing::Ok);
    EXPECT_NE(op.shown.back().find("mrk_var.txt"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_symlink(dir.work() / "mrk_var.txt"));
    EXPECT_EQ(def.Name, "Bohrung");  // the feature itself is taken
}

}  // namespace
}  // namespace tarvo

namespace tarvo {
namespace {

// Every file the program reads, truncated in the middle of a line, as binary bytes, as one
// over-long line and in UTF-8 instead of Windows-1252: the start-up, the link's start and the
// commands that read it neither crash nor hang, and no exception escapes a command.
class DamagedVariants : public ::testing::TestWithParam<const char*> {};

// Takes every message: what the readers report about the damage is theirs to say.
class Lenient final : public ScriptedOperator {
public:
    Lenient() : ScriptedOperator(Order::ByKind) {}
    std::vector<std::string> said;
    bool ShowFeatureDialog(FeatureDialog&) override { return false; }
    bool WaitForPoints(int, int) override { return false; }
    void Beep() override {}

private:
    void Shown(const std::string& kind, const std::string& text, const std::string*) override {
        said.push_back(kind + ": " + text);
    }
    void Unanswered(const std::string&, const std::string&) override {}
    void Refused(const std::string&) override {}
};

std::vector<std::string> Variants() {
    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary += static_cast<char>((i * 7919 + 13) % 256);
    }
    return {"[Einstellungen]\r\nNK=3\r\nIFNA", binary, std::string(1 << 20, '7'),
            "Pr\xc3\xbcfer=Gr\xc3\xb6\xc3\x9f" "e\r\n\xc3\x84: 1,5\r\n"};
}

TEST_P(DamagedVariants, ReadersNeitherCrashNorHang) {
    const std::string name = GetParam();
    for (const std::string& bytes : Variants()) {
        const test::TempDir dir;
        const FixedWallClock clock{DateTime{2026, 12, 8, 9, 30, 0}};
        dir.Write(name, bytes);
        if (name != "prg/p.PRG") {
            dir.Write("prg/p.PRG", "GETPOINT:\r\n");
        }
        Lenient op;
        Session s(op, clock, dir.work(), dir.root());
        MainWindow m(s);
        m.FormCreate();
        m.Timer3Timer();
        m.Timer2Timer();
        FeatureDef def;
        FeatureDialog feature(def, op, 3, dir.work(), false);
        feature.Text(FeatureDialog::kNennwert) = "20H7";
        feature.NennwertExit();
        for (const char* item : {"0:0", "10:0", "5:5"}) {
            m.ListBox1().Append(item);
        }
        m.SpeedButton14Click();  // the bitmap view and its size file; no answer: cancelled
        m.Grafik1Click();
        op.Queue("file", "p");
        m.SpeedButton13Click();  // a program run
        EXPECT_TRUE(m.Close()) << name;
        for (const std::string& line : op.said) {
            EXPECT_EQ(line.find("std::"), std::string::npos) << name << ": " << line;  // no raw exception text
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFile, DamagedVariants,
                         ::testing::Values("TARVO.INI", "IF2M.VAL", "speicher.dat", "iso_tol.dat", "teiledat.txt",
                                           "mrk_var.txt", "bmpsize.dat", "bmpsize2.dat", "dxfout", "dxfhead.asc",
                                           "timer", "prg/p.PRG", "asc_pfad.cfg", "LOGO.BMP"));

}  // namespace
}  // namespace tarvo
