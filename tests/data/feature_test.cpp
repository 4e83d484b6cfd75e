#include "data/feature.h"

#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "base/text.h"
#include "support/scriptedoperator.h"
#include "support/tempdir.h"

namespace tarvo {
namespace {

class FeatureDialogTest : public ::testing::Test {
protected:
    test::TempDir dir;
    test::ScriptedOperator op;
    FeatureDef def;
    FeatureDialog Dialog(bool readOnly = false) { return FeatureDialog(def, op, 3, dir.work(), readOnly); }
};

TEST_F(FeatureDialogTest, PrefillShowsTheDefinitionOnTheFirstPage) {
    def.Name = "Bohrung";
    def.Nominal = 20;
    def.UpperTol = 0.021L;
    FeatureDialog d = Dialog();
    d.SetPage(FeatureDialog::kPosition);
    d.Prefill();
    EXPECT_EQ(d.ActivePage(), FeatureDialog::kVariabel);
    EXPECT_EQ(d.Text(FeatureDialog::kName), "Bohrung");
    EXPECT_EQ(d.Text(FeatureDialog::kNennwert), "20.000");
    EXPECT_EQ(d.Text(FeatureDialog::kOT), "0.021");
    EXPECT_EQ(d.Text(FeatureDialog::kFaktor), "1.000");
    EXPECT_EQ(d.Focus(), FeatureDialog::kName);
}

TEST_F(FeatureDialogTest, KeysMoveThroughThePageFields) {
    FeatureDialog d = Dialog();
    d.Prefill();
    d.KeyDown(39);  // Right in the name field: first field of the page
    EXPECT_EQ(d.Focus(), FeatureDialog::kNennwert);
    d.KeyDown(40);
    d.KeyDown(13);
    EXPECT_EQ(d.Focus(), FeatureDialog::kUT);
    d.KeyDown(38);
    EXPECT_EQ(d.Focus(), FeatureDialog::kOT);
    d.SetPage(FeatureDialog::kAttributiv);
    EXPECT_EQ(d.Focus(), FeatureDialog::kChoice);
}

TEST_F(FeatureDialogTest, VariableFeatureNeedsLowerBelowUpper) {
    FeatureDialog d = Dialog();
    d.Prefill();
    d.Text(FeatureDialog::kName) = "L1";
    d.Text(FeatureDialog::kNennwert) = "12,5";
    d.Text(FeatureDialog::kOT) = "-0.1";
    d.Text(FeatureDialog::kUT) = "0.1";
    op.ExpectError();
    EXPECT_EQ(d.Ok(), FeatureDialog::Closing::StaysOpen);
    EXPECT_EQ(op.shown.back(), "error:  OT <= UT ");
    EXPECT_EQ(def.Name, "");  // nothing taken over yet
    d.Text(FeatureDialog::kOT) = "0.1";
    d.Text(FeatureDialog::kUT) = "-0.1";
    d.Text(FeatureDialog::kFaktor) = "abc";
    EXPECT_EQ(d.Ok(), FeatureDialog::Closing::Ok);
    EXPECT_EQ(def.Name, "L1");
    EXPECT_EQ(def.Nominal.value(), 12.5L);
    EXPECT_EQ(def.Factor.value(), 1.0L);  // not a number: 1
    EXPECT_EQ(def.Kind, 0);
    EXPECT_EQ(dir.Read("mrk_var.txt"), "L1\r\n");
}

TEST_F(FeatureDialogTest, PositionFeatureNeedsAPositiveTolerance) {
    FeatureDialog d = Dialog();
    d.Prefill();
    d.SetPage(FeatureDialog::kPosition);
    d.Text(FeatureDialog::kName) = "P";
    d.Text(FeatureDialog::kToleranz) = "0";
    op.ExpectError();
    EXPECT_EQ(d.Ok(), FeatureDialog::Closing::StaysOpen);
    EXPECT_EQ(op.shown.back(), "error:  OT <= 0 ");
    d.Text(FeatureDialog::kToleranz) = "0.05";
    d.Text(FeatureDialog::kPositionX) = "3";
    EXPECT_EQ(d.Ok(), FeatureDialog::Closing::Ok);
    EXPECT_EQ(def.Kind, 1);
    EXPECT_EQ(def.PosX.value(), 3.0L);
}

TEST_F(FeatureDialogTest, EmptyNameIsACancelAndLongNamesAreCut) {
    FeatureDialog d = Dialog();
    d.Prefill();
    d.Text(FeatureDialog::kName) = "   ";
    EXPECT_EQ(d.Ok(), FeatureDialog::Closing::Cancel);
    d.SetPage(FeatureDialog::kAttributiv);
    d.Text(FeatureDialog::kName) = "Ein sehr langer Merkmalsname";
    EXPECT_EQ(d.Ok(), FeatureDialog::Closing::Ok);
    EXPECT_EQ(def.Name, "Ein sehr langer Merk");
    EXPECT_EQ(def.Kind, 2);
    EXPECT_EQ(dir.Read("mrk_atr.txt"), "Ein sehr langer Merkmalsname\r\n");
}

TEST_F(FeatureDialogTest, NamesFileStaysSortedAndComparesCaseSensitively) {
    dir.Write("mrk_var.txt", "Alpha\r\nbeta\r\nGamma\r\n");
    // A control character or line break in a name (pasted, replayed) becomes a blank: the file
    // stays one name a line that the readers take.
    for (const std::string& name : std::vector<std::string>{"beta", "Beta", "delta", std::string("Nut\0\r\n2", 7)}) {
        FeatureDialog d = Dialog();
        d.Prefill();
        d.Text(FeatureDialog::kName) = name;
        d.Text(FeatureDialog::kOT) = "1";
        ASSERT_EQ(d.Ok(), FeatureDialog::Closing::Ok);
    }
    EXPECT_EQ(dir.Read("mrk_var.txt"), "Alpha\r\nBeta\r\nbeta\r\ndelta\r\nGamma\r\nNut   2\r\n");
    // The chooser lists the active page's file and fills the name field.
    FeatureDialog d = Dialog();
    d.Prefill();
    op.ExpectChoose("4");
    d.NameDblClick();
    EXPECT_EQ(d.Text(FeatureDialog::kName), "delta");
}

// Umlauts sort with their base letter, without regard to case, and the chooser shows the names
// sorted even when the file was written in another order.
TEST_F(FeatureDialogTest, NamesSortAsAGermanOperatorExpects) {
    dir.Write("mrk_var.txt", Ansi("Zapfen\r\nÖse\r\nabsatz\r\nNut\r\n"));
    FeatureDialog d = Dialog();
    d.Prefill();
    op.ExpectChoose("3");
    d.NameDblClick();
    EXPECT_EQ(op.lastChoices, (std::vector<std::string>{"absatz", "Nut", Ansi("Öse"), "Zapfen"}));
    EXPECT_EQ(d.Text(FeatureDialog::kName), Ansi("Öse"));
    d.Text(FeatureDialog::kName) = Ansi("Übergang");
    d.Text(FeatureDialog::kOT) = "1";
    ASSERT_EQ(d.Ok(), FeatureDialog::Closing::Ok);
    EXPECT_EQ(dir.Read("mrk_var.txt"), Ansi("absatz\r\nNut\r\nÖse\r\nÜbergang\r\nZapfen\r\n"));
}

TEST(GermanOrder, FoldsCaseUmlautsAndSharpS) {
    const auto less = [](const char* a, const char* b) { return GermanLess(Ansi(a), Ansi(b)); };
    EXPECT_TRUE(less("Nut", "Öse"));
    EXPECT_TRUE(less("Öse", "Passung"));
    EXPECT_TRUE(less("Masse", "Maße"));       // a tie: the plain letters first
    EXPECT_TRUE(less("Maße", "Mast"));        // "ß" as "ss"
    EXPECT_TRUE(less("Bohrung", "bohrung"));  // then upper before lower case
    EXPECT_FALSE(less("bohrung", "Bohrung"));
    EXPECT_TRUE(less("Ansatz", "Äußeres"));
    EXPECT_TRUE(less("Äußeres", "Bund"));
}

TEST_F(FeatureDialogTest, ANominalWithAClassFillsTheTolerancesFromTheTable) {
    dir.Write("iso_tol.dat", "\n\n\n     18     30\nH7\n\n     18     21\n      0      0\n");
    FeatureDialog d = Dialog();
    d.Prefill();
    d.Text(FeatureDialog::kNennwert) = "20H7";
    d.NennwertExit();
    EXPECT_EQ(d.Text(FeatureDialog::kNennwert), "20.000");
    EXPECT_EQ(d.Text(FeatureDialog::kOT), "0.021");
    EXPECT_EQ(d.Text(FeatureDialog::kUT), "0.000");
    d.Text(FeatureDialog::kNennwert) = "20X9";
    op.ExpectError();
    d.NennwertExit();
    EXPECT_EQ(d.Text(FeatureDialog::kNennwert), "20X9");  // not in the table: left as typed, and said
}

// A letter after the size is a class, never an exponent ("24E9" is not 24e9), and a limit of half
// a micrometre is kept as the table gives it, shown with the decimals it needs.
TEST_F(FeatureDialogTest, ClassesAreNeverExponentsAndHalfMicrometresStay) {
    dir.Write("iso_tol.dat",
              "\n\n\n     18     30\nE9\n\n     93     92\n     40     40\n"
              "JS6\n\n    5.5    6.5\n   -5.5   -6.5\n");
    FeatureDialog d = Dialog();
    d.Prefill();
    d.Text(FeatureDialog::kName) = "Passung";
    d.Text(FeatureDialog::kNennwert) = "24E9";
    d.NennwertExit();
    EXPECT_EQ(d.Text(FeatureDialog::kNennwert), "24.000");
    EXPECT_EQ(d.Text(FeatureDialog::kOT), "0.092");
    EXPECT_EQ(d.Text(FeatureDialog::kUT), "0.040");
    d.Text(FeatureDialog::kNennwert) = "24e8";  // no such class: said, and no size of 2.4e9
    op.ExpectError();
    d.NennwertExit();
    EXPECT_EQ(d.Text(FeatureDialog::kNennwert), "24e8");
    d.Text(FeatureDialog::kNennwert) = "24JS6";
    d.NennwertExit();
    EXPECT_EQ(d.Text(FeatureDialog::kOT), "0.0065");
    EXPECT_EQ(d.Text(FeatureDialog::kUT), "-0.0065");
    ASSERT_EQ(d.Ok(), FeatureDialog::Closing::Ok);
    EXPECT_EQ(def.Nominal.value(), 24.0L);
    EXPECT_EQ(def.UpperTol.value(), Real(0.0065L).value());
    EXPECT_EQ(def.LowerTol.value(), Real(-0.0065L).value());
    FeatureDialog again = Dialog();
    again.Prefill();
    EXPECT_EQ(again.Text(FeatureDialog::kOT), "0.0065");  // opened again, still exact
}

TEST_F(FeatureDialogTest, CancelChangesNothing) {
    def.Name = "alt";
    op.ExpectFeature();
    op.featureDialog = [](FeatureDialog& d) {
        d.Text(FeatureDialog::kName) = "neu";
        return d.Cancel() == FeatureDialog::Closing::Ok;
    };
    EXPECT_FALSE(EditFeature(def, op, 3, dir.work(), false));
    EXPECT_EQ(def.Name, "alt");
    EXPECT_EQ(dir.Read("mrk_var.txt"), "<missing>");
}

}  // namespace
}  // namespace tarvo
