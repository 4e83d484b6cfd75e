// The start-up timer's language step, seen from the main window's model.
#include <gtest/gtest.h>

#include "base/ini.h"
#include "data/resultline.h"
#include "output/report.h"
#include "shell/stringloader.h"
#include "support/mainwindowfixture.h"
#include "views/elementgraphic.h"

namespace tarvo {
namespace {

class Language : public test::MainWindowFixture {
protected:
    void StartIn(int language) {
        dir.Write("TARVO.INI", "[Einstellungen]\r\nLANGUAGE=" + std::to_string(language) + "\r\n");
        Start();
        session->shippedData = TARVO_SHIPPED_DATA;
        w->Timer3Timer();
    }
    std::string Circle() {
        Capture(0, 0);
        Capture(10, 0);
        Capture(5, 5);
        Run(CommandId::Circle);
        return LastResult();
    }
};

TEST_F(Language, AnUnknownIndexIsGermanAndStoredBackAsZero) {
    StartIn(7);
    EXPECT_EQ(w->StatusPanels[2], "");  // the panel is the teach-in's, not the language's
    EXPECT_EQ(settings().Language, 0);
    EXPECT_EQ(w->UiText(13), "Zuwenig Punkte");
    EXPECT_FALSE(std::filesystem::exists(dir.work() / "language"));
}

// The shipped translation comes into the working folder; the result names change, the columns
// do not.
TEST_F(Language, EnglishResultLinesKeepTheColumns) {
    StartIn(0);
    const std::string german = Circle();
    StartIn(1);
    EXPECT_EQ(w->StatusPanels[2], "");
    EXPECT_TRUE(std::filesystem::exists(dir.work() / "language/English/tarvo_main.ini"));
    EXPECT_EQ(w->UiText(13), "Too few points");
    const std::string english = Circle();
    EXPECT_EQ(english.substr(0, 12), "  2 Circle  ");
    EXPECT_EQ(english.size(), german.size());
    EXPECT_EQ(english.substr(12), german.substr(12));
    for (const auto& read : {ReadValue, ReadX, ReadY}) {
        EXPECT_EQ(read(english).value, read(german).value);
    }
}

TEST_F(Language, EveryShippedLanguageNamesEveryResultWithinTheGermanLengthAndThree) {
    for (int language = 1; language <= 5; ++language) {
        StartIn(language);
        for (int n = 0; n < static_cast<int>(kResultNamesSize); ++n) {
            EXPECT_LE(w->ResultName(n).size(), UiTexts().ResultName(n).size() + 3)
                << language << ": " << w->ResultName(n);
            EXPECT_NE(w->ResultName(n), "") << language << ": " << n;
        }
        EXPECT_NE(w->UiText(13), "Zuwenig Punkte") << language;
        // The file dialogs' filter names, as the dialogs look them up.
        for (int n = kMsgFilterNames; n < kMsgFilterNames + kFilterNames; ++n) {
            EXPECT_NE(w->texts().Translate(UiTexts().UiText(n)), UiTexts().UiText(n)) << language << ": " << n;
        }
    }
}

// The result names of every shipped language are told apart by the tests the program applies to
// a result line: the element graphic's kinds (circle, symmetry line, point, angle, line, in this
// order) and the recall's line and circle tests. Each name is written as the commands write it.
TEST(ShippedLanguages, ResultNamesAreToldApartAsTheProgramTellsThem) {
    struct Written {
        int name;
        int width;
        const char* detail;
        ElementKind kind;
    };
    const Written written[] = {
        {0, 8, " 3 D", ElementKind::Circle}, {0, 8, " 3 R", ElementKind::Circle},
        {0, 21, "", ElementKind::None},  // the area of a stored circle
        {3, 11, "", ElementKind::None},      {4, 11, "", ElementKind::None},
        {5, 11, "", ElementKind::Angle},     {6, 8, " 3", ElementKind::Line},
        {7, 11, "", ElementKind::Point},     {8, 14, "", ElementKind::SymmetryLine},
        {9, 11, "", ElementKind::None},      {10, 11, "", ElementKind::None},
        {11, 21, ":", ElementKind::None},    {12, 21, ":", ElementKind::None},
        {13, 21, ":", ElementKind::None},    {17, 12, "", ElementKind::None},
        {18, 12, "", ElementKind::None},     {19, 21, "", ElementKind::None},
        {20, 21, "", ElementKind::None},     {21, 21, "", ElementKind::None},
        {22, 11, "", ElementKind::None},     {22, 8, " X", ElementKind::None},
        {23, 11, "", ElementKind::None},
    };
    const UiTexts german;
    for (int language = 0; language <= 5; ++language) {
        UiTexts texts;
        if (language > 0) {
            const auto folder = LanguageFolder(language);
            ASSERT_TRUE(folder);
            LoadTextLists(IniFile::Load(std::filesystem::path(TARVO_SHIPPED_DATA) / *folder / kMainLanguageFile),
                          texts);
            ASSERT_NE(texts.ResultName(0), "Kreis") << language;
        }
        for (const Written& w : written) {
            const std::string line = WriteResultLine(12, ResultLabel(texts.ResultName(w.name), w.width, w.detail),
                                                     "12.345", {"1.000", "2.000"});
            const std::string said = std::to_string(language) + ": \"" + line + "\"";
            EXPECT_EQ(ElementKindOf(line, texts), w.kind) << said;
            const bool line_kind = w.name == 6 || w.name == 8;
            EXPECT_EQ(IsLineResult(line, texts), line_kind) << said;
            EXPECT_EQ(!line_kind && HasResultName(line, 0, texts), w.name == 0) << said;
            // The report prints the line as it prints the German one (in columns or whole).
            const std::string germanLine = WriteResultLine(
                12, ResultLabel(german.ResultName(w.name), w.width, w.detail), "12.345", {"1.000", "2.000"});
            EXPECT_EQ(PrintedInColumns(line, texts.ResultName(7)), PrintedInColumns(germanLine, german.ResultName(7)))
                << said;
        }
    }
}

// The system settings choose the language for the next start.
TEST_F(Language, TheSystemSettingsStoreTheChoice) {
    op.ExpectSystem("0 0 3");
    w->Run(CommandOf(CommandId::SystemSettings));
    EXPECT_EQ(settings().Language, 3);
    EXPECT_EQ(IniFile::Load(dir.work() / "TARVO.INI").ReadInteger("Einstellungen", "LANGUAGE", 0), 3);
    EXPECT_EQ(w->UiText(13), "Zuwenig Punkte");  // effective at the next start
    op.ExpectSystem("1 0");
    w->Run(CommandOf(CommandId::SystemSettings));
    EXPECT_EQ(settings().Language, 3);
}

}  // namespace
}  // namespace tarvo
