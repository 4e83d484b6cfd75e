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

// The points kept with a line follow its text: renumbering, deleting another line and the list
// given back after a run keep them; the same line loaded from a file has none.
TEST(ResultList, KeptPointsFollowTheirLine) {
    ResultList list;
    list.Append(BuildResultLine(1, "Punkt", "", 0, 0, 0, 3));
    list.Append(BuildResultLine(2, "Kreis", " 3 D", 10, 1, 2, 3));
    list.KeepPoints(1, {{6, 2}, {1, 7}, {-4, 2}});
    list.Delete(0);
    list.Renumber();
    ASSERT_NE(list.KeptPoints(0), nullptr);
    EXPECT_EQ(list.KeptPoints(0)->size(), 3u);
    const std::vector<std::string> before = list.Lines();
    list.Clear();
    EXPECT_THROW((void)list.KeptPoints(0), RangeError);
    list.SetLines(before);
    EXPECT_NE(list.KeptPoints(0), nullptr);
    test::TempDir dir;
    ASSERT_TRUE(list.SaveToFile(dir.work() / "l.dat").ok);
    ResultList loaded;
    ASSERT_TRUE(loaded.LoadFromFile(dir.work() / "l.dat"));
    EXPECT_EQ(loaded.KeptPoints(0), nullptr);
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

}  // namespace
}  // namespace tarvo
