// The journal end to end through the script driver: runs of a program become parts with their
// comparisons as rows, an aborted run a part marked so, the comparisons by hand one part.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "scriptrunner.h"
#include "support/tempdir.h"

namespace tarvo {
namespace {

class MemoryStore final : public JournalStore {
public:
    std::vector<std::pair<JournalPart, std::vector<JournalRow>>> parts;
    bool WritePart(const JournalPart& p, const std::vector<JournalRow>& rows) override {
        for (auto& e : parts) {
            if (e.first.id == p.id) {
                e = {p, rows};
                return true;
            }
        }
        parts.emplace_back(p, rows);
        return true;
    }
    std::vector<JournalPart> ListParts(const JournalFilter&) override {
        std::vector<JournalPart> out;
        for (const auto& e : parts) {
            out.push_back(e.first);
        }
        return out;
    }
    std::vector<JournalRow> Rows(const std::string& id) override {
        for (const auto& e : parts) {
            if (e.first.id == id) {
                return e.second;
            }
        }
        return {};
    }
    std::optional<JournalAggregates> Aggregates(const JournalFilter&) override { return std::nullopt; }
    long long NextPartNumber(const std::string& program, const std::string&) override {
        long long n = 1;
        for (const auto& e : parts) {
            n += e.first.program == program ? 1 : 0;
        }
        return n;
    }
    std::vector<JournalNote> TakeNotes() override { return std::exchange(notes, {}); }
    std::vector<JournalNote> notes;
};

TEST(CliJournal, RunsAndComparisonsReachTheJournal) {
    test::TempDir dir;
    dir.Write("prg/teil.prg",
              "GETPOINT:\r\nGETPOINT:\r\nAbstand2P:\r\nSOLLIST-V:0:100000:1000:-1000:10000:L\xE4nge\r\n");
    const FixedWallClock clock{DateTime{2026, 12, 8, 9, 30, 0}};
    MemoryStore store;
    store.notes.push_back({JournalNote::Kind::Unreachable, "no server"});
    std::istringstream in(
        "wait 1000\n"
        "file teil.prg\nanswer ok\nclick SpeedButton13\npoint 0 0\nwait 200\npoint 10.002 0\nwait 400\n"
        "file teil.prg\nanswer ok\nclick SpeedButton13\npoint 0 0\nwait 200\npoint 10.2 0\nwait 400\n"
        "file teil.prg\nanswer yes\nclick SpeedButton13\npoint 0 0\nwait 200\nkey Esc\nwait 200\n"
        "point 0 0\npoint 3 4\nclick SpeedButton2\nselect 0\nfeature V Hand 5 0.1 -0.1\nclick SpeedButton16\n"
        "journal parts\n");
    std::ostringstream out;
    ScriptRunner runner(in, out, dir.work(), dir.root(), clock);
    runner.SetJournal(&store, "M1", "Meier");
    ASSERT_EQ(runner.Run(), kScriptOk) << out.str();
    ASSERT_EQ(store.parts.size(), 4u) << out.str();
    const auto& [good, goodRows] = store.parts[0];
    EXPECT_EQ(good.program, "teil.prg");
    EXPECT_EQ(good.partNumber, "1");
    EXPECT_EQ(good.station, "M1");
    EXPECT_TRUE(good.finished);
    ASSERT_EQ(goodRows.size(), 1u);
    EXPECT_EQ(goodRows[0].feature, "L\xE4nge");
    EXPECT_EQ(goodRows[0].kind, 'V');
    EXPECT_DOUBLE_EQ(*goodRows[0].actual, 10.002);
    EXPECT_DOUBLE_EQ(*goodRows[0].upperLimit, 10.1);
    EXPECT_DOUBLE_EQ(*goodRows[0].lowerLimit, 9.9);
    EXPECT_TRUE(goodRows[0].good);
    EXPECT_NE(goodRows[0].line.find("10.002"), std::string::npos);
    const auto& [bad, badRows] = store.parts[1];
    EXPECT_EQ(bad.partNumber, "2");
    ASSERT_EQ(badRows.size(), 1u);
    EXPECT_FALSE(badRows[0].good);
    EXPECT_FALSE(store.parts[2].first.finished);  // Esc and "yes": aborted, kept as such
    EXPECT_TRUE(store.parts[2].second.empty());
    const auto& [hand, handRows] = store.parts[3];
    EXPECT_TRUE(hand.program.empty());
    ASSERT_EQ(handRows.size(), 1u);
    EXPECT_EQ(handRows[0].feature, "Hand");
    EXPECT_DOUBLE_EQ(*handRows[0].actual, 5.0);
    EXPECT_NE(
        out.str().find("journal: Journal-Server nicht erreichbar, die Teile bleiben im lokalen Journal: no server\n"),
        std::string::npos);
    EXPECT_NE(out.str().find("--- journal parts (4)\n"), std::string::npos);
}

// A replayed geometric tolerance is a row like a comparison: concentricity Ø0.0447 of two circles
// (centres 0/0 and 0.01/0.02) within 0.05.
TEST(CliJournal, GeometricTolerancesAreRowsOfTheirPart) {
    test::TempDir dir;
    dir.Write("prg/lager.prg",
              "GETPOINT:\r\nGETPOINT:\r\nGETPOINT:\r\nKreis:\r\nGETPOINT:\r\nGETPOINT:\r\nGETPOINT:\r\nKreis:\r\n"
              "GT-KONZ:1:0:500:Lager\r\n");
    const FixedWallClock clock{DateTime{2026, 12, 8, 9, 30, 0}};
    MemoryStore store;
    std::istringstream in(
        "wait 1000\nfile lager.prg\nanswer ok\nclick SpeedButton13\n"
        "point 5 0\nwait 200\npoint 0 5\nwait 200\npoint -5 0\nwait 200\n"
        "point 5.01 0.02\nwait 200\npoint 0.01 5.02\nwait 200\npoint -4.99 0.02\nwait 400\n");
    std::ostringstream out;
    ScriptRunner runner(in, out, dir.work(), dir.root(), clock);
    runner.SetJournal(&store, "M1", "Meier");
    ASSERT_EQ(runner.Run(), kScriptOk) << out.str();
    ASSERT_EQ(store.parts.size(), 1u) << out.str();
    const auto& rows = store.parts[0].second;
    ASSERT_EQ(rows.size(), 1u) << out.str();
    EXPECT_EQ(rows[0].feature, "Lager");
    EXPECT_EQ(rows[0].kind, 'K');
    EXPECT_NEAR(*rows[0].actual, 0.0447214, 1e-6);
    EXPECT_DOUBLE_EQ(*rows[0].upperLimit, 0.05);
    EXPECT_TRUE(rows[0].good);
}

TEST(CliJournal, WithoutAJournalNothingChanges) {
    test::TempDir dir;
    const FixedWallClock clock{DateTime{2026, 12, 8, 9, 30, 0}};
    std::istringstream in("journal parts\n");
    std::ostringstream out;
    ScriptRunner runner(in, out, dir.work(), dir.root(), clock);
    ASSERT_EQ(runner.Run(), kScriptOk);
    EXPECT_EQ(out.str(), "journal: off\n--- journal parts (0)\n");
}

}  // namespace
}  // namespace tarvo
