// The result-line codec: the columns every command writes and every reader takes back.
#include "data/resultline.h"

#include <gtest/gtest.h>

#include "base/cp1252.h"

namespace tarvo {
namespace {

TEST(ResultLine, FieldsStandInTheirColumns) {
    const std::string line = WriteResultLine(12, ResultLabel("Abstand 2P", 11), NumberField(1.5L, 3),
                                             {NumberField(-2, 3), NumberField(3, 3), NumberField(0.25L, 3)});
    EXPECT_EQ(line, " 12 Abstand 2P                 1.500      -2.000       3.000       0.250");
    EXPECT_EQ(line.substr(26, 10), "     1.500");  // columns 27-36
    EXPECT_EQ(line.substr(38, 10), "    -2.000");  // columns 39-48
    EXPECT_EQ(line.substr(50, 10), "     3.000");  // columns 51-60
    EXPECT_EQ(line.substr(62, 10), "     0.250");  // columns 63-72
    EXPECT_EQ(ReadValue(line).value, 1.5L);
    EXPECT_EQ(ReadX(line).value, -2.0L);
    EXPECT_EQ(ReadY(line).value, 3.0L);
}

TEST(ResultLine, AnEmptyValueLeavesBlanksBeforeThePosition) {
    const std::string line = WriteResultLine(3, ResultLabel("Punkt 1", 21), "", {"999999.000", "999999.000"});
    EXPECT_EQ(line, "  3 Punkt 1                           999999.000  999999.000");
    EXPECT_FALSE(ReadValue(line).ok);
    EXPECT_EQ(ReadX(line).value, 999999.0L);
}

TEST(ResultLine, LabelsFitTheNameAndPadTheDetail) {
    EXPECT_EQ(ResultLabel("Kreis", 8, " 3 D"), "Kreis    3 D          ");
    EXPECT_EQ(ResultLabel("Symetriegerade", 8), "Symetrie              ");  // a name is cut to its width
    EXPECT_EQ(ResultLabel("Kreis", 8, " 3 D").size(), 22u);
    EXPECT_EQ(WriteTextLine(7, "Bohrung links"), "  7 Bohrung links");
}

TEST(ResultLine, RenumberingKeepsTheRestOfTheLine) {
    EXPECT_EQ(Renumbered("  9 Kreis", 1), "  1 Kreis");
    EXPECT_EQ(Renumbered("12", 4), "  4");
    EXPECT_EQ(Renumbered("  1 " + std::string(300, 'x'), 2).size(), 203u);  // 200 characters of the rest
}

TEST(ResultLine, FromLineThousandOnTheColumnsAreReadWhereTheNumberPushedThem) {
    const std::string l999 = BuildResultLine(999, "Kreis", " 3 D", 15.999L, 100.5L, -50.25L, 3);
    const std::string l1000 = BuildResultLine(1000, "Kreis", " 3 D", 15.999L, 100.5L, -50.25L, 3);
    EXPECT_EQ(l1000, "1000" + l999.substr(3));  // written whole, the rest one column on
    for (const std::string& line : {l999, l1000, "12000" + l999.substr(3)}) {
        EXPECT_EQ(ReadValue(line).value, 15.999L) << line;
        EXPECT_EQ(ReadX(line).value, 100.5L) << line;
        EXPECT_EQ(ReadY(line).value, -50.25L) << line;
        EXPECT_EQ(RemoveSpaces(ColumnText(line, kSizeKindColumn)), "D") << line;
    }
    // Renumbering line 1000 down gives the line as it would have been written there.
    EXPECT_EQ(Renumbered(l1000, 999), l999);
    EXPECT_EQ(Renumbered(Renumbered(l999, 1000), 999), l999);
    // Lines that do not begin with a number and its blank are read where they stand.
    EXPECT_EQ(NumberOverflow("12345678"), 0u);
    EXPECT_EQ(NumberOverflow("Bohrung 1000 links"), 0u);
    EXPECT_EQ(NumberOverflow("  7 1000 Teile"), 0u);
    EXPECT_EQ(NumberOverflow("10000 x"), 2u);
}

TEST(ResultLine, KindsAreFoundByResultNameAsTheListComparesThem) {
    const UiTexts texts;
    const std::string circle = BuildResultLine(1, "Kreis", " 3 R", 5, 1, 2, 3);
    EXPECT_TRUE(HasResultName(circle, 0, texts));
    EXPECT_TRUE(CircleSizeIs(circle, 2, texts));
    EXPECT_FALSE(CircleSizeIs(circle, 1, texts));
    // Upper-cased, a symmetry line also holds "GERADE": it is recalled like a line.
    EXPECT_TRUE(HasResultName("  2 Symetriegerade", 6, texts));
    EXPECT_TRUE(HasResultName(Ansi("  3 Fläche aus Kreis"), 23, texts));
    EXPECT_FALSE(HasResultName("  4 Punkt", 0, texts));
}

TEST(ResultLine, AnglesReadAsNumbersOrAsDegreesMinutesSeconds) {
    EXPECT_EQ(ReadAngleValue(WriteResultLine(1, ResultLabel("Gerade", 8), "    90.000")), 90.0L);
    EXPECT_NEAR(static_cast<double>(ReadAngleValue(WriteResultLine(1, ResultLabel("Gerade", 8), "  45:30:00"))), 45.5,
                1e-9);
}

}  // namespace
}  // namespace tarvo
