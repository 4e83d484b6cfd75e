#include "data/resultlist.h"

#include <gtest/gtest.h>

#include "base/errors.h"
#include "data/resultline.h"
#include "support/tempdir.h"

namespace tarvo {
namespace {

TEST(ResultLine, BuildsTheFixedColumnsAndReadsThemBack) {
    const std::string line = BuildResultLine(8, "Kreis", " 3 D", 10, 10, 20, 3);
    EXPECT_EQ(line, "  8 Kreis    3 D              10.000      10.000      20.000");
    EXPECT_EQ(ReadColumn(line, kValueColumn).value, 10.0L);
    EXPECT_EQ(ReadColumn(line, kXColumn).value, 10.0L);
    EXPECT_EQ(ReadColumn(line, kYColumn).value, 20.0L);
    EXPECT_EQ(ColumnText(line, kSizeKindColumn), "D ");
    const std::string dev = BuildResultLine(9, "Abstand 2P", "", 1.5L, -2, 3, 3, 0.25L);
    EXPECT_EQ(dev, "  9 Abstand " + std::string(14, ' ') + "     1.500      -2.000       3.000       0.250");
    // A value wider than 10 shifts the rest right; the wider window still catches its digits.
    const std::string wide = BuildResultLine(1, "Kreis", "", 123456789.5L, 1, 2, 3);
    EXPECT_EQ(ReadColumn(wide, kValueColumn).value, 123456789.0L);
    EXPECT_EQ(ColumnText("short", kXColumn), "");
}

TEST(ResultList, RenumberingWritesEveryNumberAndShiftsPast999) {
    ResultList list;
    for (int i = 0; i < 1000; ++i) {
        list.Append("  0 Punkt   x");
    }
    list.SetItemIndex(5);
    list.Renumber();
    EXPECT_EQ(list.Line(0), "  1 Punkt   x");
    EXPECT_EQ(list.Line(998), "999 Punkt   x");
    EXPECT_EQ(list.Line(999), "1000 Punkt   x");
    EXPECT_EQ(list.ItemIndex(), 5);
    // Past 65535 lines the number does not fit: an error, and the list stays as it was.
    for (int i = 1000; i < 65536; ++i) {
        list.Append("x");
    }
    const std::string before = list.Lines().back();
    EXPECT_THROW(list.Renumber(), RangeError);
    EXPECT_EQ(list.Lines().back(), before);
    EXPECT_EQ(list.Line(999), "1000 Punkt   x");
    ResultList shortLines;
    shortLines.SetLines({"", "ab"});
    shortLines.Renumber();
    EXPECT_EQ(shortLines.Lines(), (std::vector<std::string>{"  1", "  2"}));
}

TEST(ResultList, ReportsEveryChangeButNotALoad) {
    const test::TempDir dir;
    dir.Write("speicher.dat", "a\r\nb\n");
    ResultList list;
    int changes = 0;
    Slot<> counter([&] { ++changes; });
    list.Changed.Attach(counter);
    ASSERT_TRUE(list.LoadFromFile(dir.work() / "speicher.dat"));
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(changes, 0);
    list.Append("c");
    list.Insert(0, "z");
    list.Delete(1);
    list.Renumber();
    list.Clear();
    EXPECT_EQ(changes, 5);
    EXPECT_TRUE(list.LoadFromFile(dir.work() / "missing.dat"));
    EXPECT_EQ(list.Count(), 0);
}

// The kept points follow their lines through inserts, deletes and renumbering, survive a save
// and load to the bit, and are dropped where the list file no longer holds their line.
TEST(ResultList, KeptPointsFollowTheirLinesThroughSaveAndLoad) {
    test::TempDir dir;
    const auto file = dir.work() / "speicher.dat";
    ResultList list;
    const std::vector<FitPoint> circle = {{0.1, 1e-17}, {-3.000001, 1234.5678901234567}, {5, 6}};
    list.Append("  1 Punkt");
    list.Append("  2 Kreis    3 D", circle);
    list.Append("  3 Gerade   2", {{1, 2}, {3, 4}});
    list.Insert(0, "  0 Text");
    list.Delete(1);
    list.Renumber();
    ASSERT_TRUE(list.SaveToFile(file).ok);
    ResultList back;
    ASSERT_TRUE(back.LoadFromFile(file));
    ASSERT_EQ(back.Count(), 3);
    EXPECT_TRUE(back.KeptPoints(0).empty());
    ASSERT_EQ(back.KeptPoints(1).size(), 3u);
    for (std::size_t i = 0; i < circle.size(); ++i) {
        EXPECT_EQ(back.KeptPoints(1)[i].x, circle[i].x);
        EXPECT_EQ(back.KeptPoints(1)[i].y, circle[i].y);
    }
    EXPECT_EQ(back.KeptPoints(2).size(), 2u);
    // Another program changed the list: only the entries whose line is still there count.
    dir.Write("speicher.dat", "  1 Text\r\n  2 Kreis    3 D\r\n  3 Gerade   2 geändert\r\n");
    ASSERT_TRUE(back.LoadFromFile(file));
    EXPECT_EQ(back.KeptPoints(1).size(), 3u);
    EXPECT_TRUE(back.KeptPoints(2).empty());
    // A damaged points file gives no points; a list without points removes its points file.
    dir.Write("speicher.dat.pkt", "TARVO Punkte 1\r\n@ 1   2 Kreis    3 D\r\n1 x\r\n");
    ASSERT_TRUE(back.LoadFromFile(file));
    EXPECT_TRUE(back.KeptPoints(1).empty());
    ASSERT_TRUE(back.SaveToFile(file).ok);
    EXPECT_FALSE(std::filesystem::exists(KeptPointsFile(file)));
}

}  // namespace
}  // namespace tarvo
