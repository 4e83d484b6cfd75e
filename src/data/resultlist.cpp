#include "data/resultlist.h"

#include "base/checked.h"
#include "base/text.h"
#include "data/resultline.h"

namespace tarvo {

const std::string& ResultList::Line(int i) const { return m_lines[CheckedIndex(i, m_lines.size(), "Speicher")]; }

void ResultList::SetItemIndex(int i) {
    m_itemIndex = i < 0 ? -1 : static_cast<int>(CheckedIndex(i, m_lines.size(), "Speicher"));
}

void ResultList::Append(std::string line) {
    m_lines.push_back(std::move(line));
    SelectLast();
    Changed.Notify();
}

void ResultList::Insert(int i, std::string line) {
    const std::size_t at = CheckedIndex(i, m_lines.size() + 1, "Speicher");
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    Changed.Notify();
}

void ResultList::Delete(int i) {
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(CheckedIndex(i, m_lines.size(), "Speicher")));
    m_itemIndex = -1;
    Changed.Notify();
}

void ResultList::Clear() {
    m_lines.clear();
    m_itemIndex = -1;
    Changed.Notify();
}

void ResultList::SetLines(std::vector<std::string> lines) {
    m_lines = std::move(lines);
    m_itemIndex = -1;
    Changed.Notify();
}

void ResultList::Renumber() {
    // All new lines first: a number that does not fit stops the command with the list unchanged.
    std::vector<std::string> renumbered;
    renumbered.reserve(m_lines.size());
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        const std::string& line = m_lines[i];
        renumbered.push_back(Renumbered(line, static_cast<int>(i + 1)));
    }
    m_lines = std::move(renumbered);
    Changed.Notify();
}

namespace {
// A line without its number: what its kept points are found by.
std::string KeptKey(const std::string& line) {
    const std::size_t from = kNumberWidth + NumberOverflow(line);
    return line.size() > from ? line.substr(from) : std::string();
}
constexpr std::size_t kMostKept = 4000;
}  // namespace

void ResultList::KeepPoints(int i, std::vector<Point> points) {
    if (m_kept.size() >= kMostKept) {
        // Only the points of lines still in the list are worth keeping.
        std::map<std::string, std::vector<Point>> still;
        for (const std::string& line : m_lines) {
            if (const auto it = m_kept.find(KeptKey(line)); it != m_kept.end()) {
                still.insert(*it);
            }
        }
        m_kept = std::move(still);
    }
    m_kept[KeptKey(Line(i))] = std::move(points);
}

const std::vector<Point>* ResultList::KeptPoints(int i) const {
    const auto it = m_kept.find(KeptKey(Line(i)));
    return it == m_kept.end() || it->second.empty() ? nullptr : &it->second;
}

bool ResultList::LoadFromFile(const std::filesystem::path& file) {
    auto lines = ReadOwnTextLines(file);
    if (!lines && FileExists(file)) {
        return false;
    }
    m_lines = lines ? std::move(*lines) : std::vector<std::string>{};
    m_itemIndex = -1;
    return true;
}

WriteResult ResultList::SaveToFile(const std::filesystem::path& file) const {
    return WriteFileAtomic(file, JoinLines(m_lines));
}

std::optional<std::filesystem::path> SetAsideUnreadable(const std::filesystem::path& file) {
    std::filesystem::path aside = file;
    aside += ".unlesbar";
    for (int n = 2; std::filesystem::exists(std::filesystem::symlink_status(aside)); ++n) {
        aside = file;
        aside += ".unlesbar" + std::to_string(n);
    }
    std::error_code ec;
    std::filesystem::rename(file, aside, ec);
    if (ec) {
        return std::nullopt;
    }
    return aside;
}

}  // namespace tarvo
