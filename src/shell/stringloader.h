// The language files: one INI file per window holding the texts of its controls, section = the
// control's name, key = the property ("Caption", "Hint", "Text"); a string list ("Items",
// "Lines") as the section control name + property, one key per line ("Items0", "Items1", ...).
// Files are Windows-1252 with Windows line ends. The Qt side (`TStringLoader`) maps these onto
// its widgets; the main window's two text lists load here without any window.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/fileio.h"
#include "base/ini.h"
#include "shell/uitexts.h"

namespace tarvo {

// The texts of one control: its text properties and its string-list properties, in order.
struct ControlTexts {
    std::string name;
    std::vector<std::pair<std::string, std::string>> texts;
    std::vector<std::pair<std::string, std::vector<std::string>>> lists;
};
using WindowTexts = std::vector<ControlTexts>;

// A value is read up to this many characters, a section's key list up to this many bytes.
inline constexpr int kLanguageValueChars = 1023;
inline constexpr std::size_t kLanguageKeyListBytes = 8192;

// What SaveStrings writes: every text property, then every line of every list.
[[nodiscard]] std::string LanguageFileText(const WindowTexts& window);
[[nodiscard]] WriteResult SaveLanguageFile(const std::filesystem::path& file, const WindowTexts& window);
// LoadStrings: every text property read with its current text as the default (an absent key
// keeps it); every list replaced by its section's values in file order when the section has a
// key. `fixedLists` keeps a list's length (the main window's numbered lists: code refers to
// their entries by position), replacing entries by position only.
void LoadLanguageTexts(const IniFile& file, WindowTexts& window, bool fixedLists = false);
// The values of a list section in file order (within the key-list limit); empty without one.
[[nodiscard]] std::vector<std::string> LanguageList(const IniFile& file, const std::string& section);

// The language folders by `Language` index: 0 German (built in), 1 English, 2 Dutch, 3 French,
// 4 Polish, 5 Italian; nothing for any other index.
[[nodiscard]] std::optional<std::filesystem::path> LanguageFolder(int index);
inline constexpr const char* kMainLanguageFile = "tarvo_main.ini";
// The main window's two text lists as a language file holds them.
[[nodiscard]] WindowTexts TextListsOf(const UiTexts& texts);
// Replaces the two lists from the main window's language file, entry by entry, and the result
// list's column header (`lb1_label`'s caption) when the file has one.
void LoadTextLists(const IniFile& file, UiTexts& texts);

// The windows that load a language file after the main window, in this order, with the UI text
// or message that becomes their caption.
struct LanguageWindow {
    int caption;         // UI text number
    const char* window;  // the window's name
    const char* file;    // its file in the language folder
};
inline constexpr LanguageWindow kLanguageWindows[] = {
    {0, "TheadData", "part_inf.ini"},      {1, "Tmrk_set", "mrk_set.ini"},
    {2, "Tselect_winkel", "sel_ang.ini"},  {3, "TSys", "sys_set.ini"},
    {4, "Ttext_zeile", "txt_line.ini"},    {5, "TAuswahl", "select.ini"},
    {6, "TBMP_View", "gr_win.ini"},        {7, "TEingabe", "input1.ini"},
    {8, "Tmerkmalsnamen", "mrk_text.ini"}, {9, "Tmethode", "method.ini"},
    {10, "Tsel_abstand", "sel_dist.ini"},  {11, "Tselect_ksys", "sel_ksys.ini"},
    {12, "Twait_window", "wait_win.ini"},  {kMsgCalWindowCaption, "Tkalibrierung", "calib.ini"},
};

}  // namespace tarvo
