// Private-profile (INI) files as the settings, interface profiles and language files use
// them: sections and keys found without regard to letter case, blanks around keys and values
// ignored, a missing file or key gives the caller's default. Writing a key keeps every other
// line of the file as it was (comments, order, other sections) and replaces the file atomically.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "base/fileio.h"

namespace tarvo {

class IniFile final {
public:
    IniFile() = default;
    // Reads `file`; a missing or unreadable file is an empty one. An unreadable file is marked:
    // saving over it is refused, so the settings it holds are never lost.
    static IniFile Load(const std::filesystem::path& file);
    static IniFile FromText(const std::string& text);

    [[nodiscard]] bool HasKey(std::string_view section, std::string_view key) const;
    // The value of the first matching key, cut to `maxChars` characters (< 0: no limit);
    // a pair of matching quotes around the value is removed.
    [[nodiscard]] std::string ReadString(std::string_view section, std::string_view key, std::string_view def,
                                         int maxChars = -1) const;
    // The leading integer of the value: optional "-" or "+", then digits; a value that does
    // not begin so reads as 0; digits beyond the 64-bit range saturate. Missing key: `def`.
    [[nodiscard]] long long ReadInteger(std::string_view section, std::string_view key, long long def) const;
    // The keys of a section in file order (first spelling of each).
    [[nodiscard]] std::vector<std::string> Keys(std::string_view section) const;

    // Sets a key, adding the section at the end and the key at the end of its section when needed.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    [[nodiscard]] std::string Text() const;
    // Writes the lines atomically; refused (nothing written) when the file was unreadable.
    [[nodiscard]] WriteResult Save(const std::filesystem::path& file) const;
    // The file exists but could not be read.
    [[nodiscard]] bool Unreadable() const noexcept { return m_unreadable; }

private:
    [[nodiscard]] const std::string* FindValue(std::string_view section, std::string_view key) const;
    template <typename Visit>
    const std::string* ScanSection(std::string_view section, Visit visit) const;
    std::vector<std::string> m_lines;
    std::string m_eol = "\r\n";
    bool m_unreadable = false;
};

// The message for a settings file that exists but cannot be read.
[[nodiscard]] std::string UnreadableIniProblem(const std::filesystem::path& file);

// The message for an integer key outside lo..hi; `text` is the value as the file has it (a value
// of more digits than any integer holds is named as written, not as it was read).
[[nodiscard]] std::string RangeProblem(const std::string& file, std::string_view key, std::string_view text,
                                       long long lo, long long hi);

// The leading integer of a text as a private-profile integer read takes it (see ReadInteger).
[[nodiscard]] long long ParseProfileInteger(std::string_view text);

// Reads the file, sets the key and writes it back atomically (creating file and section).
[[nodiscard]] WriteResult WritePrivateProfileString(const std::filesystem::path& file, std::string_view section,
                                                    std::string_view key, std::string_view value);

}  // namespace tarvo
