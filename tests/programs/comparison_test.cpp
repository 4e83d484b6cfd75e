// The nominal/actual comparison: the tolerance bar, the three kinds, recording and replay.
#include "programs/comparison.h"

#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "data/resultline.h"
#include "support/mainwindowfixture.h"

namespace tarvo {
namespace {

std::string Bar(const char* text) {
    std::string s(text);
    for (char& c : s) {
        if (c == '#') {
            c = kBarMarker;
        }
    }
    return s;
}

TEST(ToleranceBar, MarksTheBandOfTheActualValue) {
    EXPECT_EQ(ToleranceBar(10.0L, 10, 0.1L, -0.1L), Bar("-|-----#-----|-"));
    EXPECT_EQ(ToleranceBar(9.85L, 10, 0.1L, -0.1L), Bar("<|-----|-----|-"));
    EXPECT_EQ(ToleranceBar(10.2L, 10, 0.1L, -0.1L), Bar("-|-----|-----|>"));
    EXPECT_EQ(ToleranceBar(0.02L, 0, 0.05L, 0), Bar("-|----#|-----|-"));     // 0.0192 <= 0.02 < 0.0231
    EXPECT_EQ(ToleranceBar(9.9L, 10, 0.1L, -0.1L), Bar("-#-----|-----|-"));  // the lower limit
    const std::string atUpper = ToleranceBar(10.1L, 10, 0.1L, -0.1L);        // the upper limit: band 13 or 14
    EXPECT_TRUE(atUpper == Bar("-|-----|-----#-") || atUpper == Bar("-|-----|----#|-")) << atUpper;
    EXPECT_EQ(ToleranceBar(1, 0, 2, 0), Bar("-|-----#-----|-"));
    EXPECT_EQ(ToleranceBar(3, 0, 2, 0), Bar("-|-----|-----|>"));
}

class Comparison : public test::MainWindowFixture {
protected:
    // A feature dialog answered as an operator would fill it.
    void Define(int kind, const char* name, long double a, long double b, long double c, long double factor = 1,
                int choice = 0) {
        op.ExpectFeature();
        op.featureDialog = [=](FeatureDialog& d) {
            d.SetPage(static_cast<FeatureDialog::Page>(kind));
            d.Text(FeatureDialog::kName) = name;
            if (kind == 0) {
                d.Text(FeatureDialog::kNennwert) = FormatReal(a, 0, 4);
                d.Text(FeatureDialog::kOT) = FormatReal(b, 0, 4);
                d.Text(FeatureDialog::kUT) = FormatReal(c, 0, 4);
                d.Text(FeatureDialog::kFaktor) = FormatReal(factor, 0, 4);
            } else if (kind == 1) {
                d.Text(FeatureDialog::kPositionX) = FormatReal(a, 0, 4);
                d.Text(FeatureDialog::kPositionY) = FormatReal(b, 0, 4);
                d.Text(FeatureDialog::kToleranz) = FormatReal(c, 0, 4);
            } else {
                d.choice = choice;
            }
            return d.Ok() == FeatureDialog::Closing::Ok;
        };
    }
};

TEST_F(Comparison, LineThousandIsNamedWholeAndReadWhereItStands) {
    for (int n = 1; n <= 1000; ++n) {
        w->lb1().Append(BuildResultLine(n, "Kreis", " 3 D", 15.999L, 100.5L, -50.25L, 3));
    }
    w->lb1().SetItemIndex(999);
    Define(0, "Bohrung links oben", 16, 0.01L, -0.01L);
    Run(CommandId::Comparison);
    const std::string judged = Results().back();
    EXPECT_EQ(judged.substr(0, 27), "1002 Bohrung links ob#1000 ");  // the name gives way to the number
    EXPECT_EQ(ReadValue(judged).value, 15.999L);                     // read after line 1000, not 15.99
    EXPECT_NE(judged.find(Bar("-|----#|-----|-")), std::string::npos) << judged;
}

TEST_F(Comparison, VariablePositionAndAttributeLines) {
    w->lb1().Append(BuildResultLine(1, "Abstand", "", 10.05L, 3.01L, 4, 3));
    w->lb1().SetItemIndex(0);
    Capture(1, 1);
    Define(0, "Bohrung", 10, 0.1L, -0.1L);
    Run(CommandId::Comparison);
    ASSERT_EQ(w->lb1().Count(), 3);
    EXPECT_EQ(Results()[1], "  2 Soll-Ist Vergleich NW:    10.000  OT:  0.100  UT: -0.100");
    EXPECT_EQ(Results()[2], "  3 Bohrung          #1       10.050                        " + Bar("-|-----|--#--|-"));
    EXPECT_EQ(ReadValue(Results()[2]).value, 10.05L);  // the actual stands in the value field
    EXPECT_EQ(w->lb1().ItemIndex(), 2);
    EXPECT_EQ(w->PointCount(), 0);

    w->lb1().SetItemIndex(0);
    Define(1, "Lage", 3, 4, 0.05L);
    Run(CommandId::Comparison);
    EXPECT_EQ(Results()[3], "  4 Soll-Ist Vergleich PT:     0.050   X:  3.000   Y:  4.000");
    EXPECT_EQ(Results()[4], "  5 Lage             #1        0.010                        " + Bar("-|-#---|-----|-"));

    w->lb1().SetItemIndex(0);
    Define(2, "Sicht", 0, 0, 0, 1, 0);
    Run(CommandId::Comparison);
    EXPECT_EQ(Results()[5], "  6 Soll-Ist Vergleich A :");
    EXPECT_EQ(Results()[6], "  7 Sicht            #---  IO  0                            " + Bar("-|-----#-----|-"));
}

TEST_F(Comparison, AnAngleAFactorAndLargePositions) {
    w->lb1().Append(
        WriteResultLine(1, ResultLabel("Winkel", 11), "  45:30:00", {NumberField(-1234.5L, 3), NumberField(200, 3)}));
    w->lb1().SetItemIndex(0);
    Define(0, "Winkel", 91, 1, -1, 2);
    Run(CommandId::Comparison);
    EXPECT_EQ(ReadValue(Results()[2]).value, 91.0L);  // 45.5 degrees times the factor 2
    // The whole X and Y fields are read: a position beyond 999 keeps its digits.
    w->lb1().SetItemIndex(0);
    Define(1, "Lage", -1234.5L, 200, 0.1L);
    Run(CommandId::Comparison);
    EXPECT_EQ(ReadValue(Results()[4]).value, 0.0L);
}

TEST_F(Comparison, CancelNothingSelectedAndUnreadableValues) {
    w->lb1().Append("  1 Textzeile ohne Wert");
    Capture(1, 1);
    op.ExpectError();  // nothing selected
    w->lb1().SetItemIndex(-1);
    Run(CommandId::Comparison);
    w->lb1().SetItemIndex(0);
    op.ExpectFeature();
    op.featureDialog = [](FeatureDialog&) { return false; };  // cancelled
    Run(CommandId::Comparison);
    EXPECT_EQ(w->lb1().Count(), 1);
    EXPECT_EQ(w->PointCount(), 1);
    Define(0, "X", 1, 1, -1);
    op.ExpectError();  // no value to judge: no judgement line
    Run(CommandId::Comparison);
    EXPECT_EQ(w->lb1().Count(), 1);
    run().AbortRequested = 1;
    Run(CommandId::Comparison);  // nothing while Esc is pending
    EXPECT_EQ(w->lb1().Count(), 1);
}

// Each kind recorded, then replayed on the same list, gives the same lines.
TEST_F(Comparison, RecordedComparisonsReplayToTheSameLines) {
    Teach();
    w->lb1().Append(BuildResultLine(1, "Abstand", "", 12.52L, 3, 4.02L, 3));
    w->lb1().Append(BuildResultLine(2, "Abstand", "", 12.45L, 3, 4, 3));
    w->lb1().Append(BuildResultLine(3, "Abstand", "", 12.5L, 3, 4, 3));
    w->lb1().SetItemIndex(2);
    Define(0, "Bohrung", 12.5L, 0.1L, -0.05L);
    Run(CommandId::Comparison);
    w->lb1().SetItemIndex(0);
    Define(1, "Lage", 3, 4, 0.05L);
    Run(CommandId::Comparison);
    Define(2, "Sicht mit einem langen Namen", 0, 0, 0, 1, 1);
    Run(CommandId::Comparison);
    EXPECT_EQ(w->LB_list()[0], "SOLLIST-V:2:125000:1000:-500:10000:Bohrung");
    EXPECT_EQ(w->LB_list()[1], "SOLLIST-P:0:30000:40000:500:Lage");
    EXPECT_EQ(w->LB_list()[2], "SOLLIST-A:Sicht mit einem lang");  // the name cut to 20
    const std::vector<std::string> taught = Results();

    run().Recording = 0;
    w->lb1().SetLines(std::vector<std::string>(taught.begin(), taught.begin() + 3));
    CommandContext& ctx = w->Context();
    for (const std::string& line : std::vector<std::string>(w->LB_list())) {
        if (line.rfind("SOLLIST-A", 0) == 0) {
            op.ExpectAsk(false);  // "   Sicht...   ": No is the bad judgement
        }
        EXPECT_FALSE(ReplayComparison(ctx, UpperCaseOem(line), ParseProgramLine(line)));
    }
    EXPECT_EQ(Results(), taught);
    EXPECT_EQ(op.shown.back(), "ask:    Sicht mit einem lang   ");
}

TEST_F(Comparison, AReplayedLineThatDoesNotExistIsReported) {
    const auto why =
        ReplayComparison(w->Context(), "SOLLIST-V:5:0:0:0:10000:X", ParseProgramLine("SOLLIST-V:5:0:0:0:10000:X"));
    EXPECT_EQ(why.value_or(""), "Speicherzeile 6 gibt es nicht");
    EXPECT_EQ(w->lb1().Count(), 0);
}

}  // namespace
}  // namespace tarvo
