// The geometric tolerances through the window: lines with the bar, the recorded word replayed to
// the same lines, and the refusals that list and record nothing.
#include "programs/geocompare.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/cp1252.h"
#include "data/resultline.h"
#include "programs/comparison.h"
#include "support/mainwindowfixture.h"

namespace tarvo {
namespace {

class GeoCompare : public test::MainWindowFixture {
protected:
    // A circle from four points about cx/cy; its line's number (from 1).
    int Circle(long double cx, long double cy, long double d) {
        for (int i = 0; i < 4; ++i) {
            const long double a = i * 3.14159265358979323846L / 2;
            Capture(cx + d / 2 * std::cos(a), cy + d / 2 * std::sin(a));
        }
        Run(CommandId::Circle);
        return w->lb1().Count();
    }
    int Line(std::initializer_list<std::pair<long double, long double>> points) {
        for (const auto& [x, y] : points) {
            Capture(x, y);
        }
        op.ExpectChoose("1");
        Run(CommandId::Line);
        return w->lb1().Count();
    }
    // The judgement of line `n` (from 1) with the dialog typed as `answer`.
    void Judge(int n, const std::string& answer) {
        w->lb1().SetItemIndex(n - 1);
        op.ExpectGeo(answer);
        Run(CommandId::GeoTolerance);
    }
    // A judgement line's deviation, zone allowed and bonus fields.
    static std::string Fields(const std::string& line) { return line.substr(26, 34); }
};

TEST_F(GeoCompare, EachKindListsItsJudgementAndReplaysIt) {
    Teach();
    const int hole = Circle(20.03L, 29.98L, 10.06L);
    Judge(hole, "pos Bohrung 20 30 0.05 MMC 10 0.1 0 hole");
    // Ø0.0721 against 0.05 + the bonus 0.060 = 0.110: good.
    EXPECT_EQ(Fields(LastResult()), "     0.072       0.110       0.060");
    EXPECT_EQ(BarJudgement(LastResult()), true);
    EXPECT_NE(Results()[Results().size() - 2].find(Ansi("Positionstoleranz    :     0.050   X: 20.000")),
              std::string::npos);
    Judge(hole, "pos Bohrung 20 30 0.05 RFS");
    EXPECT_EQ(Fields(LastResult()), "     0.072       0.050       0.000");
    EXPECT_EQ(BarJudgement(LastResult()), false);

    const int datum = Line({{0, 0}, {25, 0}, {50, 0}});
    const int edge = Line({{0, 10.00L}, {10, 10.02L}, {20, 10.01L}, {30, 10.03L}});
    Judge(edge, "parallel Kante " + std::to_string(datum) + " 0.05");
    EXPECT_EQ(Fields(LastResult()).substr(0, 22), "     0.030       0.050");
    // Straightness: the hull edge 0/10-20/10.01 leaves 10/10.02 and 30/10.03 each 0.015 off;
    // every other edge leaves 0.03. The minimum zone is 0.015 wide.
    Judge(edge, "straight Kante 0.02");
    EXPECT_EQ(Fields(LastResult()).substr(0, 10), "     0.015");
    const int upright = Line({{10, 0}, {10.01L, 10}, {9.995L, 20}, {10.02L, 30}});
    Judge(upright, "perpendicular Steg " + std::to_string(datum) + " 0.02");
    EXPECT_EQ(Fields(LastResult()).substr(0, 10), "     0.025");
    EXPECT_EQ(BarJudgement(LastResult()), false);
    Judge(upright, "angular Steg " + std::to_string(datum) + " 90 0.03");
    EXPECT_EQ(Fields(LastResult()).substr(0, 10), "     0.025");
    const int bore = Circle(20.04L, 30.00L, 8);
    Judge(bore, "concentric Lager " + std::to_string(hole) + " 0.05");
    EXPECT_EQ(Fields(LastResult()).substr(0, 22), "     0.045       0.050");  // Ø0.0447
    Judge(bore, "round Lager 0.01");
    EXPECT_EQ(Fields(LastResult()).substr(0, 10), "     0.000");

    // Every judgement recorded its word; each word replayed lists the same two lines again.
    std::vector<std::string> words;
    for (const std::string& l : w->LB_list()) {
        if (l.rfind("GT-", 0) == 0) {
            words.push_back(l);
        }
    }
    ASSERT_EQ(words.size(), 8u);
    EXPECT_EQ(words[0], "GT-POS:0:200000:300000:500:1:100000:1000:0:1:Bohrung");
    const std::vector<std::string> taught = Results();
    std::size_t at = 0;
    for (const std::string& word : words) {
        while (at < taught.size() && !BarJudgement(taught[at])) {
            ++at;
        }
        const auto why = ReplayGeometric(w->Context(), UpperCaseOem(word), ParseProgramLine(word));
        ASSERT_FALSE(why) << *why;
        EXPECT_EQ(Results().back().substr(3), taught[at].substr(3)) << word;
        EXPECT_EQ(Results()[Results().size() - 2].substr(3), taught[at - 1].substr(3)) << word;
        ++at;
    }
}

TEST_F(GeoCompare, RefusalsListAndRecordNothing) {
    Teach();
    const int circle = Circle(0, 0, 10);
    const int line = Line({{0, 0}, {50, 0}});
    w->lb1().Append(WriteResultLine(3, ResultLabel("Kreis", 21), "78.540",
                                    {"     0.000", "     0.000"}));  // an area's line: a circle with no size
    const int area = 3;
    w->lb1().Append(Results()[static_cast<std::size_t>(line - 1)] + " ");  // a line loaded, not measured
    const int loaded = 4;
    const std::size_t lines = Results().size();
    const std::size_t words = w->LB_list().size();
    const auto refused = [&](int n, const std::string& answer, const char* why) {
        op.shown.clear();
        w->lb1().SetItemIndex(n - 1);
        op.ExpectGeo(answer);
        op.ExpectError();
        Run(CommandId::GeoTolerance);
        ASSERT_FALSE(op.shown.empty());
        EXPECT_NE(op.shown.back().find(Ansi(why)), std::string::npos) << answer << ": " << op.shown.back();
        EXPECT_EQ(Results().size(), lines) << answer;
        EXPECT_EQ(w->LB_list().size(), words) << answer;
    };
    refused(line, "round Welle 0.01", "ist kein Kreis");
    refused(circle, "straight Welle 0.01", "ist keine Gerade");
    refused(loaded, "straight Kante 0.01", "keine gespeicherten Punkte");
    refused(line, "parallel Kante 1 0.01", "ist keine Gerade");  // the datum is a circle
    refused(line, "parallel Kante " + std::to_string(loaded) + " 0.01", "keine gespeicherten Punkte");
    refused(line, "parallel Kante 99 0.01", "Bezug 99 gibt es nicht");
    refused(circle, "concentric Lager 2 0.01", "ist kein Kreis");
    refused(area, "pos Bohrung 0 0 0.05 MMC 10 0.1 0", "MMC und LMC");  // a circle without a size
    refused(circle, "round Welle 0", "größer als 0");                   // the dialog stays open
    refused(circle, "round Welle -0.01", "größer als 0");
    refused(circle, "pos Bohrung 0 0 0.05 LMC 10 0 0.1", "MMC und LMC");  // OT below UT
}

}  // namespace
}  // namespace tarvo
