// The journal's core: the capability figures from the sums, and what a run and the
// comparisons made by hand write.
#include "journal/journal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>

#include "journal/journalconfig.h"
#include "journal/partjournal.h"

namespace tarvo {
namespace {

// NIST/SEMATECH e-Handbook of Statistical Methods, 6.1.6 (process capability), its worked
// example: USL = 20, LSL = 8, process mean 16, standard deviation 2 give Cp = 1.0,
// k = 0.3333 and Cpk = 0.6667. Here the same process as sums of four values whose sample
// standard deviation and whose moving ranges / d2 are both exactly 2.
TEST(JournalStatistics, HandbookExample) {
    JournalAggregates a;
    a.n = 4;
    a.mean = 16;
    a.sumSquares = 4.0 * 3;  // s^2 = 12 / (n - 1) = 4
    a.movingRanges = 3;
    a.sumMovingRanges = 3 * 2.0 * 1.128;  // mean moving range / 1.128 = 2
    a.lowerLimit = 8;
    a.upperLimit = 20;
    const JournalStatistics s = DeriveStatistics(a);
    // Independently: Cp = (USL - LSL) / 6 sigma, Cpk = Cp (1 - k), k = |m - mean| / ((USL - LSL) / 2).
    const double cp = (20.0 - 8.0) / (6 * 2.0);
    const double k = std::fabs((20.0 + 8.0) / 2 - 16.0) / ((20.0 - 8.0) / 2);
    EXPECT_NEAR(*s.sigmaOverall, 2.0, 1e-12);
    EXPECT_NEAR(*s.sigmaWithin, 2.0, 1e-12);
    EXPECT_NEAR(*s.cp, 1.0, 1e-12);
    EXPECT_NEAR(*s.cp, cp, 1e-12);
    EXPECT_NEAR(k, 0.3333, 1e-4);
    EXPECT_NEAR(*s.cpk, 0.6667, 1e-4);
    EXPECT_NEAR(*s.cpk, cp * (1 - k), 1e-12);
    EXPECT_NEAR(*s.pp, 1.0, 1e-12);
    EXPECT_NEAR(*s.ppk, 0.6667, 1e-4);
}

TEST(JournalStatistics, UndefinedWhereTheDataCannotTell) {
    JournalAggregates one;
    one.n = 1;
    one.mean = 5;
    const JournalStatistics s = DeriveStatistics(one);
    EXPECT_FALSE(s.sigmaOverall);
    EXPECT_FALSE(s.sigmaWithin);
    EXPECT_FALSE(s.cp);
    JournalAggregates upperOnly{10, 0.02, 0.0009, 0.05, 9, 0, std::nullopt, 0.05};
    const JournalStatistics u = DeriveStatistics(upperOnly);
    EXPECT_FALSE(u.cp);  // a position tolerance has no lower limit
    ASSERT_TRUE(u.cpk);
    EXPECT_NEAR(*u.cpk, (0.05 - 0.02) / (3 * (0.05 / 9 / 1.128)), 1e-12);
}

TEST(JournalIds, AreUuidShapedAndDistinct) {
    std::map<std::string, int> seen;
    for (int i = 0; i < 10000; ++i) {
        const std::string id = NewPartId();
        ASSERT_EQ(id.size(), 36u);
        ASSERT_EQ(id[14], '4');
        ASSERT_EQ(++seen[id], 1);
    }
}

// A store that keeps what it is given.
class MemoryStore final : public JournalStore {
public:
    std::map<std::string, std::pair<JournalPart, std::vector<JournalRow>>> parts;
    int writes = 0;
    bool WritePart(const JournalPart& p, const std::vector<JournalRow>& rows) override {
        ++writes;
        parts[p.id] = {p, rows};
        return true;
    }
    std::vector<JournalPart> ListParts(const JournalFilter&) override { return {}; }
    std::vector<JournalRow> Rows(const std::string&) override { return {}; }
    std::optional<JournalAggregates> Aggregates(const JournalFilter&) override { return std::nullopt; }
    long long NextPartNumber(const std::string& program, const std::string&) override {
        long long n = 1;
        for (const auto& [id, p] : parts) {
            n += p.first.program == program ? 1 : 0;
        }
        return n;
    }
    std::vector<JournalNote> TakeNotes() override { return {}; }
};

JournalRow Row(const std::string& name, double actual) {
    JournalRow r;
    r.feature = name;
    r.actual = actual;
    return r;
}

TEST(PartJournal, RunsArePartsAndHandComparisonsOnePartPerSession) {
    const FixedWallClock clock({2024, 5, 1, 8, 0, 0});
    MemoryStore store;
    PartJournal j(clock);
    j.Judged(Row("ohne", 1));  // no store: nothing
    j.SetStore(&store, "M1", "Meier");
    j.StartPart("WELLE.PRG");
    j.Judged(Row("D1", 10.0));
    j.Judged(Row("D2", 20.0));
    EXPECT_EQ(store.writes, 0);  // a part is written whole when it ends
    j.EndPart(true);
    j.StartPart("WELLE.PRG");
    j.Judged(Row("D1", 10.1));
    j.EndPart(false);
    j.Judged(Row("Hand 1", 3));
    j.Judged(Row("Hand 2", 4));
    ASSERT_EQ(store.parts.size(), 3u);
    int finished = 0;
    for (const auto& [id, p] : store.parts) {
        EXPECT_EQ(p.first.station, "M1");
        EXPECT_EQ(p.first.operatorName, "Meier");
        EXPECT_EQ(p.first.start, "2024-05-01 08:00:00");
        if (p.first.program.empty()) {
            ASSERT_EQ(p.second.size(), 2u);  // both comparisons by hand in one part
            EXPECT_EQ(p.second[1].feature, "Hand 2");
        } else if (p.first.finished) {
            ++finished;
            EXPECT_EQ(p.first.partNumber, "1");
            EXPECT_EQ(p.second.size(), 2u);
        } else {
            EXPECT_EQ(p.first.partNumber, "2");
            EXPECT_EQ(p.second.size(), 1u);
        }
    }
    EXPECT_EQ(finished, 1);
}

// A typed part name numbers the part; a blank one leaves the count.
TEST(PartJournal, TypedPartNameIsThePartNumber) {
    const FixedWallClock clock({2024, 5, 1, 8, 0, 0});
    MemoryStore store;
    PartJournal j(clock);
    j.SetStore(&store, "M1", "Meier");
    std::vector<std::string> numbers;
    for (const auto& [atStart, during] : std::vector<std::pair<std::string, std::string>>{
             {"  W-0815 ", ""}, {"", "   "}, {"", "Welle 7"}, {"W-1", "W-2"}}) {
        j.StartPart("WELLE.PRG", atStart);
        j.NamePart(during);
        j.EndPart(true);
        numbers.clear();
        for (const auto& [id, p] : store.parts) {
            numbers.push_back(p.first.partNumber);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(numbers, (std::vector<std::string>{"2", "W-0815", "W-2", "Welle 7"}));
}

TEST(JournalConfig, SectionAndPasswordFile) {
    const JournalConfig c = LoadJournalConfig(IniFile::FromText(
        "[Journal]\r\nENGINE=postgres\r\nHOST=db.local\r\nPORT=6543\r\nDATABASE=pruef\r\nUSER=tarvo\r\n"
        "PASSWORDFILE=/etc/tarvo/pw\r\nSTATION=M3\r\n"));
    EXPECT_EQ(c.engine, JournalConfig::Engine::Postgres);
    EXPECT_EQ(c.host, "db.local");
    EXPECT_EQ(c.port, 6543);
    EXPECT_EQ(c.database, "pruef");
    EXPECT_EQ(c.passwordFile, "/etc/tarvo/pw");
    EXPECT_EQ(c.station, "M3");
    EXPECT_EQ(LoadJournalConfig(IniFile::FromText("")).engine, JournalConfig::Engine::Sqlite);
    EXPECT_EQ(LoadJournalConfig(IniFile::FromText("[Journal]\nENGINE=off\n")).engine, JournalConfig::Engine::Off);

    namespace fs = std::filesystem;
    const fs::path file = fs::temp_directory_path() / ("tarvo-pw-" + NewPartId());
    { std::ofstream(file) << "geheim\n"; }
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const PasswordRead open = ReadPasswordFile(file);
    EXPECT_FALSE(open.password);
    EXPECT_EQ(open.why.find("geheim"), std::string::npos);
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(ReadPasswordFile(file).password, "geheim");
    fs::remove(file);
}

}  // namespace
}  // namespace tarvo
