#include "shell/stringloader.h"

#include "shell/uitexts.h"

namespace tarvo {

namespace {

// A value with blanks at either end (or quotes of its own) is written in quotes: the
// private-profile reading trims blanks and takes off one pair of quotes.
std::string Quoted(const std::string& value) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (value.empty()) {
        return value;
    }
    const bool quote =
        blank(value.front()) || blank(value.back()) ||
        ((value.front() == '"' || value.front() == '\'') && value.size() >= 2 && value.back() == value.front());
    return quote ? "\"" + value + "\"" : value;
}

// Line breaks cannot stand in an INI value.
std::string OneLine(std::string value) {
    for (char& c : value) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return value;
}

}  // namespace

std::string LanguageFileText(const WindowTexts& window) {
    std::string out;
    const auto section = [&out](const std::string& name) { out += "[" + name + "]\r\n"; };
    for (const ControlTexts& c : window) {
        if (c.texts.empty()) {
            continue;
        }
        section(c.name);
        for (const auto& [key, value] : c.texts) {
            out += key + "=" + Quoted(OneLine(value)) + "\r\n";
        }
        out += "\r\n";
    }
    for (const ControlTexts& c : window) {
        for (const auto& [property, lines] : c.lists) {
            section(c.name + property);
            for (std::size_t i = 0; i < lines.size(); ++i) {
                out += property + std::to_string(i) + "=" + Quoted(OneLine(lines[i])) + "\r\n";
            }
            out += "\r\n";
        }
    }
    return out;
}

WriteResult SaveLanguageFile(const std::filesystem::path& file, const WindowTexts& window) {
    return WriteFileAtomic(file, LanguageFileText(window));
}

std::vector<std::string> LanguageList(const IniFile& file, const std::string& section) {
    std::vector<std::string> values;
    std::size_t bytes = 0;
    for (const std::string& key : file.Keys(section)) {
        // The key list is taken as one buffer of names, each with its terminating zero.
        bytes += key.size() + 1;
        if (bytes + 1 > kLanguageKeyListBytes) {
            break;
        }
        values.push_back(file.ReadString(section, key, "", kLanguageValueChars));
    }
    return values;
}

void LoadLanguageTexts(const IniFile& file, WindowTexts& window, bool fixedLists) {
    for (ControlTexts& c : window) {
        for (auto& [key, value] : c.texts) {
            value = file.ReadString(c.name, key, value, kLanguageValueChars);
        }
        for (auto& [property, lines] : c.lists) {
            std::vector<std::string> loaded = LanguageList(file, c.name + property);
            if (loaded.empty()) {
                continue;
            }
            if (fixedLists) {
                for (std::size_t i = 0; i < lines.size() && i < loaded.size(); ++i) {
                    lines[i] = std::move(loaded[i]);
                }
            } else {
                lines = std::move(loaded);
            }
        }
    }
}

std::optional<std::filesystem::path> LanguageFolder(int index) {
    static const char* const kFolders[] = {
        ".", "language/English", "language/Dutch", "language/French", "language/Polnisch", "language/Italian"};
    if (index < 0 || index >= static_cast<int>(std::size(kFolders))) {
        return std::nullopt;
    }
    return std::filesystem::path(kFolders[index]);
}

WindowTexts TextListsOf(const UiTexts& texts) {
    return {ControlTexts{"common_list", {}, {{"Items", texts.common_list()}}},
            ControlTexts{"result_names", {}, {{"Items", texts.result_names()}}}};
}

void LoadTextLists(const IniFile& file, UiTexts& texts) {
    WindowTexts lists = TextListsOf(texts);
    LoadLanguageTexts(file, lists, true);
    const auto& common = lists[0].lists[0].second;
    const auto& names = lists[1].lists[0].second;
    for (std::size_t i = 0; i < common.size(); ++i) {
        texts.SetUiText(static_cast<int>(i), common[i]);
    }
    for (std::size_t i = 0; i < names.size(); ++i) {
        texts.SetResultName(static_cast<int>(i), names[i]);
    }
    texts.SetResultListHeader(file.ReadString("lb1_label", "Caption", texts.ResultListHeader(), kLanguageValueChars));
}

}  // namespace tarvo
