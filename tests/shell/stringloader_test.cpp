#include "shell/stringloader.h"

#include <gtest/gtest.h>

#include "shell/uitexts.h"

namespace tarvo {
namespace {

TEST(LanguageFile, ListsAreSectionsOfNumberedKeys) {
    const WindowTexts window = {ControlTexts{"Label3", {{"Caption", "Punktespeicher"}}, {}},
                                ControlTexts{"lb1", {}, {{"Items", {"a", "b"}}}}};
    EXPECT_EQ(LanguageFileText(window),
              "[Label3]\r\nCaption=Punktespeicher\r\n\r\n[lb1Items]\r\nItems0=a\r\nItems1=b\r\n\r\n");
}

// Blanks at either end are part of some texts ("Winkelauswahl "): they survive the round trip.
TEST(LanguageFile, TextsComeBackAsTheyWereWritten) {
    WindowTexts window = {ControlTexts{"Titel", {{"Caption", "Winkelauswahl "}, {"Hint", "\"zitiert\""}}, {}},
                          ControlTexts{"rg1", {{"Caption", " Kreis "}}, {{"Items", {"  x", "y  "}}}}};
    const WindowTexts written = window;
    const IniFile file = IniFile::FromText(LanguageFileText(window));
    for (auto& c : window) {
        for (auto& t : c.texts) {
            t.second = "?";
        }
        for (auto& l : c.lists) {
            l.second = {"?"};
        }
    }
    LoadLanguageTexts(file, window);
    EXPECT_EQ(window[0].texts, written[0].texts);
    EXPECT_EQ(window[1].texts, written[1].texts);
    EXPECT_EQ(window[1].lists, written[1].lists);
}

TEST(LanguageFile, AbsentKeysKeepTheDesignTextAndEmptySectionsKeepTheList) {
    WindowTexts window = {ControlTexts{"Button1", {{"Caption", "X"}, {"Hint", "X-Nullen"}}, {}},
                          ControlTexts{"lb1", {}, {{"Items", {"a", "b"}}}}};
    LoadLanguageTexts(IniFile::FromText("[Button1]\r\nHint=Zero X\r\n[lb1Items]\r\n"), window);
    EXPECT_EQ(window[0].texts[0].second, "X");
    EXPECT_EQ(window[0].texts[1].second, "Zero X");
    EXPECT_EQ(window[1].lists[0].second, (std::vector<std::string>{"a", "b"}));
    // Any key names count, in file order; a value is cut at 1023 characters.
    LoadLanguageTexts(IniFile::FromText("[lb1Items]\r\nzwei=2\r\neins=" + std::string(2000, 'e') + "\r\n"), window);
    ASSERT_EQ(window[1].lists[0].second.size(), 2u);
    EXPECT_EQ(window[1].lists[0].second[0], "2");
    EXPECT_EQ(window[1].lists[0].second[1].size(), 1023u);
}

TEST(LanguageFile, TheKeyListOfASectionEndsAt8192Bytes) {
    std::string text = "[lb1Items]\r\n";
    for (int i = 0; i < 2000; ++i) {
        text += "Items" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    }
    const auto values = LanguageList(IniFile::FromText(text), "lb1Items");
    // "Items0".."Items9" take 7 bytes each, "Items10".."Items99" 8, then 9, then 10.
    std::size_t bytes = 0;
    std::size_t expected = 0;
    for (int i = 0; bytes + ("Items" + std::to_string(i)).size() + 2 <= kLanguageKeyListBytes; ++i) {
        bytes += ("Items" + std::to_string(i)).size() + 1;
        ++expected;
    }
    EXPECT_EQ(values.size(), expected);
    EXPECT_LT(values.size(), 2000u);
}

TEST(LanguageFile, TheNumberedListsAreReplacedByPosition) {
    UiTexts texts;
    std::string full = "[common_listItems]\r\n";
    for (std::size_t i = 0; i < kCommonListSize; ++i) {
        full += "Items" + std::to_string(i) + "=T" + std::to_string(i) + "\r\n";
    }
    LoadTextLists(IniFile::FromText(full + "[result_namesItems]\r\nItems0=Circle\r\n"), texts);
    EXPECT_EQ(texts.UiText(0), "T0");
    EXPECT_EQ(texts.UiText(38), "T38");
    EXPECT_EQ(texts.ResultName(0), "Circle");
    EXPECT_EQ(texts.ResultName(1), "D");  // a short list keeps the rest: code counts on every position
    UiTexts german;
    LoadTextLists(IniFile::FromText("[common_listItems]\r\n"), german);
    EXPECT_EQ(german.common_list(), UiTexts().common_list());
}

TEST(LanguageFile, FoldersByIndex) {
    EXPECT_EQ(*LanguageFolder(1), std::filesystem::path("language/English"));
    EXPECT_EQ(*LanguageFolder(4), std::filesystem::path("language/Polnisch"));
    EXPECT_FALSE(LanguageFolder(7));
    EXPECT_FALSE(LanguageFolder(-1));
}

}  // namespace
}  // namespace tarvo
