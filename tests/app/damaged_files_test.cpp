// Files that cannot be read are never written over: the result list is set aside under a name
// of its own (or, where that is impossible, left alone and not saved), a names file is left as
// it is; the operator is told, naming the file.
#include <gtest/gtest.h>

#include "app/scriptedoperator.h"
#include "base/cp1252.h"
#include "base/ini.h"
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
    Run(CommandId::Point);
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
    Run(CommandId::Point);
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

// Every file the program reads, cut in a line, as binary bytes, as one over-long line and in
// UTF-8 instead of Windows-1252: the start-up, the link's start and the commands that read it
// neither crash nor hang, no exception escapes a command, the operator is told in a message that
// names the file wherever the program depends on its content, and a file that is not used is
// not written over.
struct Variant {
    const char* name;
    std::string bytes;
};

std::vector<Variant> Variants() {
    std::string binary;
    for (int i = 0; i < 4096; ++i) {
        binary += static_cast<char>((i * 7919 + 13) % 256);
    }
    return {{"cut", "[Einstellungen]\r\nNK=3\r\nIFNA"},
            {"binary", binary},
            {"long line", std::string(1 << 20, '7')},
            {"utf-8",
             "Pr\xc3\xbc"
             "fer=Gr\xc3\xb6\xc3\x9f"
             "e\r\n\xc3\x84: 1,5\r\n"}};
}

// Takes every message: what the readers report about the damage is theirs to say.
class Lenient final : public ScriptedOperator {
public:
    Lenient() : ScriptedOperator(Order::ByKind) {}
    std::vector<std::string> said;
    std::optional<std::string> ChooseFile(const FileDialogRequest& r) override {
        return r.dialog == "OpenDialog2" ? std::optional<std::string>("prg/p.PRG")
                                         : std::optional<std::string>("out.dxf");
    }
    // The feature dialog of a comparison: an ISO size, the names chooser, a new name.
    bool ShowFeatureDialog(FeatureDialog& d) override {
        d.Text(FeatureDialog::kNennwert) = "20H7";
        d.NennwertExit();
        d.NameDblClick();
        d.Text(FeatureDialog::kName) = "Bohrung";
        d.Text(FeatureDialog::kNennwert) = "10";
        d.Text(FeatureDialog::kOT) = "0.1";
        d.Text(FeatureDialog::kUT) = "-0.1";
        (void)d.Ok();
        return false;
    }
    bool WaitForPoints(int, int) override { return false; }
    void Beep() override {}

private:
    void Shown(const std::string& kind, const std::string& text, const std::string*) override {
        said.push_back(kind + ": " + text);
    }
    void Unanswered(const std::string&, const std::string&) override {}
    void Refused(const std::string&) override {}
};

class DamagedVariants : public ::testing::TestWithParam<const char*> {};

TEST_P(DamagedVariants, AreSaidByNameAndNeverWrittenOver) {
    const std::string name = GetParam();
    const std::string shortName = std::filesystem::path(name).filename().string();
    // Files whose content only labels or decorates: a cut line in them is still text.
    const bool freeText = name == "teiledat.txt" || name == "mrk_var.txt" || name == "dxfhead.asc" ||
                          name == "prg/p.PRG" || name == "asc_pfad.cfg";
    for (const Variant& v : Variants()) {
        const test::TempDir dir;
        const FixedWallClock clock{DateTime{2026, 12, 8, 9, 30, 0}};
        dir.Write(name, v.bytes);
        if (name != "prg/p.PRG") {
            dir.Write("prg/p.PRG", "GETPOINT:\r\n");
        }
        Lenient op;
        {
            Session s(op, clock, dir.work(), dir.root());
            s.shippedData = TARVO_SHIPPED_DATA;  // every other file as installed
            MainWindow m(s);
            m.FormCreate();
            m.Timer3Timer();
            m.Timer2Timer();
            m.lb1().SetLines({"  1 Kreis    3 D              10.000       5.000       0.000"});
            m.lb1().SelectLast();
            m.Run(CommandOf(CommandId::Comparison));  // a comparison: its feature dialog
            for (const char* item : {"0:0", "10:0", "5:5"}) {
                m.ListBox1().Append(item);
            }
            m.Run(CommandOf(CommandId::SavePointsDxf));
            m.Run(CommandOf(CommandId::Area));  // the bitmap view and its size file; no answer: cancelled
            m.Grafik1Click();
            m.Run(CommandOf(CommandId::RunProgram));   // a program run
            m.Run(CommandOf(CommandId::PrintReport));  // the report, with "LOGO.BMP" when it is there
            EXPECT_TRUE(m.Close()) << name;
        }
        for (const std::string& line : op.said) {
            EXPECT_EQ(line.find("std::"), std::string::npos) << name << ": " << line;  // no raw exception text
        }
        const bool named = std::any_of(op.said.begin(), op.said.end(), [&](const std::string& line) {
            return line.find("\"" + shortName + "\"") != std::string::npos;
        });
        const bool expected = !(v.name == std::string("cut") && freeText);
        EXPECT_EQ(named, expected) << name << ", " << v.name << ":\n" << ::testing::PrintToString(op.said);
        const bool unused = v.name == std::string("binary") || v.name == std::string("long line");
        if (unused && name != "speicher.dat") {  // the result list is set aside instead
            EXPECT_EQ(dir.Read(name), v.bytes) << name << ", " << v.name << " was written over";
        }
    }
}

// A file refused because of its content: why (binary bytes) is said before what follows from it
// ("kann nicht gelesen werden"), the same for every file and every moment it is read.
TEST(DamagedFileMessages, TheReasonComesBeforeTheRefusal) {
    const struct {
        const char* name;
        std::function<void(MainWindow&)> act;
    } cases[] = {
        {"TARVO.INI", [](MainWindow&) {}},
        {"speicher.dat", [](MainWindow&) {}},
        {"prg/p.PRG", [](MainWindow& m) { m.Run(CommandOf(CommandId::RunProgram)); }},
        {"mrk_var.txt",
         [](MainWindow& m) {
             m.lb1().SetLines({"  1 Kreis    3 D              10.000       5.000       0.000"});
             m.lb1().SelectLast();
             m.Run(CommandOf(CommandId::Comparison));
         }},
    };
    for (const auto& c : cases) {
        const test::TempDir dir;
        const FixedWallClock clock{DateTime{2026, 12, 8, 9, 30, 0}};
        dir.Write(c.name, std::string("1\r\n\0\0\0\r\n", 8));
        Lenient op;
        {
            Session s(op, clock, dir.work(), dir.root());
            MainWindow m(s);
            m.FormCreate();
            m.Timer3Timer();
            c.act(m);
        }
        const std::string quoted = "\"" + std::filesystem::path(c.name).filename().string() + "\"";
        const auto first = [&](const std::string& what) {
            return std::find_if(op.said.begin(), op.said.end(),
                                [&](const std::string& line) { return line.find(quoted + what) != std::string::npos; });
        };
        const auto reason = first(Ansi(" ist beschädigt"));
        const auto refusal = first(" kann nicht gelesen werden");
        ASSERT_NE(reason, op.said.end()) << c.name << ::testing::PrintToString(op.said);
        ASSERT_NE(refusal, op.said.end()) << c.name << ::testing::PrintToString(op.said);
        EXPECT_LT(reason, refusal) << c.name << ::testing::PrintToString(op.said);
        EXPECT_EQ(
            std::count_if(op.said.begin(), op.said.end(),
                          [&](const std::string& l) { return l.find(Ansi(" ist beschädigt")) != std::string::npos; }),
            1)
            << c.name;  // said once
    }
}

TEST(ShippedFiles, NoneReadsAsDamaged) {
    (void)TakeFileNotes();
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(TARVO_SHIPPED_DATA)) {
        if (entry.is_regular_file()) {
            EXPECT_TRUE(ReadTextLines(entry.path())) << entry.path();
            (void)IniFile::Load(entry.path());
            ++files;
        }
    }
    EXPECT_GT(files, 70);
    for (const FileNote& n : TakeFileNotes()) {
        ADD_FAILURE() << n.file << " read as damaged (" << static_cast<int>(n.damage) << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFile, DamagedVariants,
                         ::testing::Values("TARVO.INI", "IF2M.VAL", "speicher.dat", "iso_tol.dat", "teiledat.txt",
                                           "mrk_var.txt", "bmpsize.dat", "bmpsize2.dat", "dxfout", "dxfhead.asc",
                                           "timer", "prg/p.PRG", "asc_pfad.cfg", "LOGO.BMP"));

}  // namespace
}  // namespace tarvo
