// The numbered UI texts and result names: count, order, the blanks inside them, the range.
#include "shell/uitexts.h"

#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "base/errors.h"

namespace tarvo {
namespace {

TEST(UiTexts, HoldTheGermanTextsInTheirNumberedPlaces) {
    const UiTexts t;
    ASSERT_EQ(t.common_list().size(), kCommonListSize);  // 39 numbered texts, then the messages
    ASSERT_EQ(t.result_names().size(), 24u);
    const std::pair<int, const char*> texts[] = {{0, "Kopfdaten"},
                                                 {2, "Winkelauswahl "},
                                                 {13, "Zuwenig Punkte"},
                                                 {14, "TARVO Meßprotokoll"},
                                                 {20, "<ESC>=Abbruch"},
                                                 {24, "Alle Speicher löschen ?"},
                                                 {26, "Versatz"},
                                                 {32, "Punkteingabe"},
                                                 {35, "Vorangegange Punkte aus dem Programm löschen ?"},
                                                 {37, "Lernbetrieb: inaktiv"},
                                                 {38, "Kreismittelpunkt"}};
    for (const auto& [n, text] : texts) {
        EXPECT_EQ(t.UiText(n), Ansi(text)) << n;
    }
    const std::pair<int, const char*> names[] = {{0, "Kreis"},
                                                 {1, "D"},
                                                 {2, "R"},
                                                 {3, "Abstand 2P"},
                                                 {6, "Gerade"},
                                                 {8, "Symetriegerade"},
                                                 {17, "Versatz    X"},
                                                 {18, "Versatz    Y"},
                                                 {22, "Nullen"},
                                                 {23, "Fläche"}};
    for (const auto& [n, text] : names) {
        EXPECT_EQ(t.ResultName(n), Ansi(text)) << n;
    }
}

// The names the code uses for the numbered texts and result names stand for the texts they say.
TEST(UiTexts, TheNamedNumbersPointAtTheirTexts) {
    const UiTexts t;
    const std::pair<int, const char*> texts[] = {
        {kTextTooFewPoints, "Zuwenig Punkte"},
        {kTextReportTitle, "TARVO Meßprotokoll"},
        {kTextDeleteLastLine, "< Letzte Zeile löschen >"},
        {kTextStartTeachIn, "Lernbetrieb starten"},
        {kTextTeachInActive, "Lernbetrieb: aktiv"},
        {kTextEndTeachIn, "Lernbetrieb beenden ?"},
        {kTextEscAborts, "<ESC>=Abbruch"},
        {kTextAbortTeachIn, "Lernbetrieb abbrechen ?"},
        {kTextRunAborted, "Wiederholung abgebrochen !"},
        {kTextRunFinished, "Wiederholung beendet !"},
        {kTextClearAll, "Alle Speicher löschen ?"},
        {kTextResetCoordinates, "Koordinatensystem zurücksetzen ?"},
        {kTextOffset, "Versatz"},
        {kTextInspector, "Prüfer"},
        {kTextBatch, "Charge"},
        {kTextPartName, "Teilename"},
        {kTextXCoordinate, "X-Koordinate"},
        {kTextYCoordinate, "Y-Koordinate"},
        {kTextPointEntry, "Punkteingabe"},
        {kTextClearPoints, "Punktespeicher löschen ?"},
        {kTextDeleteProgramLine, "Letzte Programmzeile löschen ?"},
        {kTextDeletePrecedingPoints, "Vorangegange Punkte aus dem Programm löschen ?"},
        {kTextDeleteResultLine, "Letzte Speicherzeile löschen ?"},
        {kTextTeachInInactive, "Lernbetrieb: inaktiv"},
        {kTextCircleCentre, "Kreismittelpunkt"}};
    for (const auto& [n, text] : texts) {
        EXPECT_EQ(t.UiText(n), Ansi(text)) << n;
    }
    const std::pair<int, const char*> names[] = {{kResultCircle, "Kreis"},
                                                 {kResultDiameter, "D"},
                                                 {kResultRadius, "R"},
                                                 {kResultDistanceTwoPoints, "Abstand 2P"},
                                                 {kResultDistanceLinePoint, "Abstand GP"},
                                                 {kResultAngle, "Winkel"},
                                                 {kResultLine, "Gerade"},
                                                 {kResultPoint, "Punkt"},
                                                 {kResultSymmetryLine, "Symetriegerade"},
                                                 {kResultDistanceX, "Abstand X"},
                                                 {kResultDistanceY, "Abstand Y"},
                                                 {kResultCompareNominal, "Soll-Ist Vergleich NW"},
                                                 {kResultComparePosition, "Soll-Ist Vergleich PT"},
                                                 {kResultCompareAttribute, "Soll-Ist Vergleich A"},
                                                 {kResultUpperTol, "OT"},
                                                 {kResultLowerTol, "UT"},
                                                 {kResultPage, "Seite"},
                                                 {kResultOffsetX, "Versatz    X"},
                                                 {kResultOffsetY, "Versatz    Y"},
                                                 {kResultAlignTwoLines, "Ausrichtung 2 G"},
                                                 {kResultAlignOneLine, "Ausrichtung 1 G"},
                                                 {kResultAlignPointLine, "Ausrichtung K G"},
                                                 {kResultZero, "Nullen"},
                                                 {kResultArea, "Fläche"}};
    for (const auto& [n, text] : names) {
        EXPECT_EQ(t.ResultName(n), Ansi(text)) << n;
    }
    EXPECT_EQ(std::size(names), kResultNamesSize);
}

TEST(UiTexts, ANumberOutsideTheListIsARangeErrorAndEntriesCanBeReplaced) {
    UiTexts t;
    EXPECT_THROW((void)t.UiText(static_cast<int>(kCommonListSize)), RangeError);
    EXPECT_THROW((void)t.UiText(-1), RangeError);
    EXPECT_THROW((void)t.ResultName(24), RangeError);
    t.SetUiText(13, "Too few points");
    t.SetResultName(0, "Circle");
    EXPECT_EQ(t.UiText(13), "Too few points");
    EXPECT_EQ(t.ResultName(0), "Circle");
    EXPECT_THROW(t.SetResultName(24, "x"), RangeError);
    EXPECT_EQ(t.result_names().size(), 24u);
}

// Messages the core composes in German reach the operator in the loaded language, with the
// parts it filled in, also where a part is a message of its own.
TEST(UiTexts, ComposedMessagesAreTranslatedWithTheirParts) {
    UiTexts t;
    const std::string unreadable = Ansi("Die Datei \"a b.prg\" kann nicht gelesen werden");
    EXPECT_EQ(t.Translate(unreadable), unreadable);  // German: as it stands
    int file = -1;
    int skipped = -1;
    int angle = -1;
    for (int i = static_cast<int>(kNumberedTexts); i < static_cast<int>(kCommonListSize); ++i) {
        file = t.UiText(i) == Ansi("Die Datei \"%1\" kann nicht gelesen werden") ? i : file;
        skipped = t.UiText(i) == Ansi("Programmzeile %1 übersprungen: %2") ? i : skipped;
        angle = t.UiText(i) == "kein Winkel angegeben" ? i : angle;
    }
    ASSERT_GE(file, 39);
    t.SetUiText(file, "The file \"%1\" cannot be read");
    t.SetUiText(skipped, "Program line %1 skipped: %2");
    t.SetUiText(angle, "no angle given");
    EXPECT_EQ(t.Translate(unreadable), "The file \"a b.prg\" cannot be read");
    EXPECT_EQ(t.Translate(t.Compose(skipped, {"3", "x"})), "Program line 3 skipped: x");
    EXPECT_EQ(t.Translate(Ansi("Programmzeile 12 übersprungen: kein Winkel angegeben")),
              "Program line 12 skipped: no angle given");
    EXPECT_EQ(t.Translate("etwas anderes"), "etwas anderes");
}

}  // namespace
}  // namespace tarvo
