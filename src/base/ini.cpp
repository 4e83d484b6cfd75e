#include "base/ini.h"

#include <limits>
#include <optional>

#include "base/cp1252.h"

namespace tarvo {

namespace {

std::string_view Trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && blank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto x = static_cast<unsigned char>(a[i]);
        auto y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') {
            x = static_cast<unsigned char>(x - 32);
        }
        if (y >= 'a' && y <= 'z') {
            y = static_cast<unsigned char>(y - 32);
        }
        if (x != y) {
            return false;
        }
    }
    return true;
}

// The name of a "[section]" line, or false when the line is not one.
bool SectionName(std::string_view line, std::string_view& name) {
    line = Trim(line);
    if (line.size() < 2 || line.front() != '[') {
        return false;
    }
    const auto close = line.find(']');
    if (close == std::string_view::npos) {
        return false;
    }
    name = Trim(line.substr(1, close - 1));
    return true;
}

// Splits a "key = value" line; false for comments, blank lines and lines without "=".
bool KeyValue(std::string_view line, std::string_view& key, std::string_view& value) {
    const std::string_view t = Trim(line);
    if (t.empty() || t.front() == ';') {
        return false;
    }
    const auto eq = line.find('=');
    if (eq == std::string_view::npos) {
        return false;
    }
    key = Trim(line.substr(0, eq));
    value = Trim(line.substr(eq + 1));
    return !key.empty();
}

}  // namespace

IniFile IniFile::Load(const std::filesystem::path& file) {
    auto bytes = ReadFileBytes(file);
    std::optional<std::string> text;
    if (bytes) {
        // A file cut off in its last line ends in a line that is neither a key, a section, a
        // comment nor blank: what comes before it is read, and the operator is told.
        const std::string_view last = Trim(std::string_view(*bytes).substr(bytes->rfind('\n') + 1));
        std::string_view name;
        std::string_view key;
        std::string_view value;
        const bool cut =
            !last.empty() && !SectionName(last, name) && !KeyValue(last, key, value) && last.front() != ';';
        text = CheckedText(file, std::move(*bytes), cut);
    }
    if (text) {
        return FromText(*text);
    }
    // Missing, unreadable or damaged: an empty file; the last two are never saved over.
    IniFile ini;
    ini.m_unreadable = FileExists(file);
    return ini;
}

std::string UnreadableIniProblem(const std::filesystem::path& file) {
    return Ansi("Die Datei \"") + file.filename().string() +
           Ansi("\" kann nicht gelesen werden; sie wird nicht überschrieben, die Standardwerte gelten");
}

std::string RangeProblem(const std::string& file, std::string_view key, std::string_view text, long long lo,
                         long long hi) {
    return file + ": " + std::string(key) + " = " + std::string(text) + Ansi(" liegt außerhalb ") + std::to_string(lo) +
           ".." + std::to_string(hi) + Ansi(", der Standardwert bleibt");
}

IniFile IniFile::FromText(const std::string& text) {
    IniFile ini;
    ini.m_lines = SplitLines(text);
    if (!text.empty() && text.find("\r\n") == std::string::npos && text.find('\n') != std::string::npos) {
        ini.m_eol = "\n";
    }
    return ini;
}

// Calls `visit(line, key)` for every key line of `section`, in file order, until it returns true;
// returns that line, or nullptr.
template <typename Visit>
const std::string* IniFile::ScanSection(std::string_view section, Visit visit) const {
    bool inSection = false;
    for (const auto& line : m_lines) {
        std::string_view name;
        if (SectionName(line, name)) {
            inSection = EqualNoCase(name, section);
            continue;
        }
        std::string_view k;
        std::string_view v;
        if (inSection && KeyValue(line, k, v) && visit(k)) {
            return &line;
        }
    }
    return nullptr;
}

const std::string* IniFile::FindValue(std::string_view section, std::string_view key) const {
    return ScanSection(section, [key](std::string_view k) { return EqualNoCase(k, key); });
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
    return FindValue(section, key) != nullptr;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def,
                                int maxChars) const {
    std::string value(def);
    if (const std::string* line = FindValue(section, key)) {
        std::string_view k;
        std::string_view v;
        KeyValue(*line, k, v);
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
            v = v.substr(1, v.size() - 2);
        }
        value.assign(v);
    }
    if (maxChars >= 0 && value.size() > static_cast<std::size_t>(maxChars)) {
        value.resize(static_cast<std::size_t>(maxChars));
    }
    return value;
}

long long ParseProfileInteger(std::string_view text) {
    std::string_view s = Trim(text);
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    constexpr long long kMax = std::numeric_limits<long long>::max();
    long long v = 0;
    for (const char c : s) {
        if (c < '0' || c > '9') {
            break;
        }
        const int d = c - '0';
        v = v > (kMax - d) / 10 ? kMax : v * 10 + d;
    }
    return negative ? -v : v;
}

long long IniFile::ReadInteger(std::string_view section, std::string_view key, long long def) const {
    if (!HasKey(section, key)) {
        return def;
    }
    return ParseProfileInteger(ReadString(section, key, ""));
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
    std::vector<std::string> keys;
    ScanSection(section, [&keys](std::string_view k) {
        bool seen = false;
        for (const auto& have : keys) {
            seen = seen || EqualNoCase(have, k);
        }
        if (!seen) {
            keys.emplace_back(k);
        }
        return false;
    });
    return keys;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    const std::string entry = std::string(key) + "=" + std::string(value);
    bool inSection = false;
    std::size_t sectionEnd = 0;  // index after the last non-blank line of the section
    bool found = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        std::string_view name;
        if (SectionName(m_lines[i], name)) {
            if (found && inSection) {
                break;
            }
            inSection = EqualNoCase(name, section);
            if (inSection) {
                found = true;
                sectionEnd = i + 1;
            }
            continue;
        }
        if (!inSection) {
            continue;
        }
        std::string_view k;
        std::string_view v;
        if (KeyValue(m_lines[i], k, v) && EqualNoCase(k, key)) {
            m_lines[i] = entry;
            return;
        }
        if (!Trim(m_lines[i]).empty()) {
            sectionEnd = i + 1;
        }
    }
    if (found) {
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(sectionEnd), entry);
        return;
    }
    m_lines.push_back("[" + std::string(section) + "]");
    m_lines.push_back(entry);
}

std::string IniFile::Text() const {
    std::string out;
    for (const auto& l : m_lines) {
        out += l;
        out += m_eol;
    }
    return out;
}

WriteResult IniFile::Save(const std::filesystem::path& file) const {
    if (m_unreadable) {
        return {false, UnreadableIniProblem(file)};
    }
    return WriteFileAtomic(file, Text());
}

WriteResult WritePrivateProfileString(const std::filesystem::path& file, std::string_view section, std::string_view key,
                                      std::string_view value) {
    IniFile ini = IniFile::Load(file);
    ini.WriteString(section, key, value);
    return ini.Save(file);
}

}  // namespace tarvo
