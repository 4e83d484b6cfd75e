#include "data/resultlist.h"

#include "shell/checked.h"

namespace tarvo {

const std::string& ResultList::Line(int i) const { return m_lines[CheckedIndex(i, m_lines.size(), "Speicher")]; }

void ResultList::SetItemIndex(int i) {
    m_itemIndex = i < 0 ? -1 : static_cast<int>(CheckedIndex(i, m_lines.size(), "Speicher"));
}

void ResultList::Append(std::string line) {
    m_lines.push_back(std::move(line));
    SelectLast();
}

void ResultList::Delete(int i) {
    m_lines.erase(m_lines.begin() + static_cast<std::ptrdiff_t>(CheckedIndex(i, m_lines.size(), "Speicher")));
    m_itemIndex = -1;
}

void ResultList::Clear() noexcept {
    m_lines.clear();
    m_itemIndex = -1;
}

bool ResultList::LoadFromFile(const std::filesystem::path& file) {
    auto lines = ReadTextLines(file);
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

}  // namespace tarvo
