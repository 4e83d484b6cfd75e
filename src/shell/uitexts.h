// The numbered UI texts (`common_list`) and result names (`result_names`) that every message,
// prompt and result line takes by index. Built in with the German texts; a language file may
// replace them, keeping order and count.
#pragma once

#include <initializer_list>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

// 0-38 are the numbered texts of the window and its dialogs; from 39 on come the messages the
// program composes, German patterns with "%1", "%2" ... for the parts filled in.
inline constexpr std::size_t kNumberedTexts = 39;
inline constexpr std::size_t kCommonListSize = 128;
// Messages the code composes by number.
inline constexpr int kMsgLinkDown = 99;   // "getrennt", the display while the readout is unplugged
inline constexpr int kMsgLinkLost = 100;  // the readout unplugged, with its device
inline constexpr int kMsgListSetAside = 101;  // an unreadable result list kept under another name
inline constexpr int kMsgListNotSaved = 102;  // an unreadable result list that stays where it is
inline constexpr int kMsgNotOverwritten = 103;  // an unreadable file the program would write
inline constexpr int kMsgFileDamaged = 104;      // a damaged file that is not used, with the reason
inline constexpr int kMsgFileUtf8 = 105;         // a file in UTF-8, read converted
inline constexpr int kMsgFileCut = 106;          // a file cut off in its last line
inline constexpr int kMsgBinaryBytes = 107;      // the reason: binary bytes
inline constexpr int kMsgLongLine = 108;         // the reason: a line over the limit
inline constexpr int kMsgNotPicture = 110;       // the report's logo cannot be read as a picture
inline constexpr int kMsgReportSaved = 68;       // the report written as PDF, with its file
inline constexpr int kMsgCaptureOffline = 113;   // a capture while the readout is unplugged
inline constexpr int kMsgRunSummary = 114;       // the end of a run: lines, features, good, bad
inline constexpr int kMsgScaleInactive = 115;    // why the scale fields are inactive (foot switch)
inline constexpr int kMsgChooseEntry = 117;      // a chooser's OK without a selected entry
inline constexpr int kMsgPrintPreview = 118;     // the print preview's title
inline constexpr int kMsgSaveAsPdf = 119;        // the preview's action that writes a PDF file
inline constexpr int kMsgJournalDamaged = 122;      // the journal file cannot be used (why)
inline constexpr int kMsgJournalUnreachable = 123;  // the journal's server is away (why)
inline constexpr int kMsgJournalRefused = 124;      // the server refused the login (its reason)
inline constexpr int kMsgJournalReachable = 125;    // the server is back
inline constexpr int kMsgJournalPassword = 126;     // the password file is missing or too open (file)
inline constexpr int kMsgJournalFailed = 127;       // a part could not be written (why)
inline constexpr int kMsgNotAllowed = 116;       // a serial setting of the interface profile the port
                                                 // cannot take, and what it takes instead
inline constexpr std::size_t kResultNamesSize = 24;
// The caption of the result list's header label `lb1_label`, column by column, in German; a
// language file replaces it with words that stand above the same columns.
inline constexpr const char* kResultListHeader = " #  Merkmal               Ergebnis    X-Pos.    Y-Pos     Abw.         .";

class UiTexts final {
public:
    UiTexts();
    // UI text n; RangeError outside 0..38.
    [[nodiscard]] const std::string& UiText(int n) const;
    // Result name n; RangeError outside 0..23.
    [[nodiscard]] const std::string& ResultName(int n) const;

    [[nodiscard]] const std::vector<std::string>& common_list() const noexcept { return m_common; }
    [[nodiscard]] const std::vector<std::string>& result_names() const noexcept { return m_results; }
    // A message composed in German (by the core, which writes German) in the loaded language:
    // the message patterns from 39 on are matched against it, and the translated pattern is
    // filled with the same parts. Unchanged when no pattern matches or German is loaded.
    [[nodiscard]] std::string Translate(std::string_view message) const;
    // Message pattern n filled with `parts` for %1, %2 ...
    [[nodiscard]] std::string Compose(int n, std::initializer_list<std::string_view> parts) const;
    // Replaces entry n (language loading); RangeError outside the list.
    void SetUiText(int n, std::string text);
    void SetResultName(int n, std::string text);
    // The result list's column header (`lb1_label`) in the loaded language: the report prints it.
    [[nodiscard]] const std::string& ResultListHeader() const noexcept { return m_header; }
    void SetResultListHeader(std::string text) { m_header = std::move(text); }

private:
    std::vector<std::string> m_common;
    std::vector<std::string> m_results;
    std::string m_header = kResultListHeader;
};

}  // namespace tarvo
