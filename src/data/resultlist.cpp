#include "data/resultlist.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <system_error>

#include "base/checked.h"
#include "base/text.h"
#include "data/resultline.h"

namespace tarvo {

namespace {

constexpr std::string_view kKeptHeader = "TARVO Punkte 1";

std::string NumberText(double v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::optional<double> NumberOf(std::string_view t) {
    double v = 0;
    const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
    if (r.ec != std::errc() || r.ptr != t.data() + t.size() || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

// "@ INDEX LINE" then "X Y" per point, for every line that keeps points.
std::string KeptText(const std::vector<std::string>& lines, const std::vector<std::vector<FitPoint>>& kept) {
    std::string out = std::string(kKeptHeader) + "\r\n";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (kept[i].empty()) {
            continue;
        }
        out += "@ " + std::to_string(i) + " " + lines[i] + "\r\n";
        for (const FitPoint& p : kept[i]) {
            out += NumberText(p.x) + " " + NumberText(p.y) + "\r\n";
        }
    }
    return out;
}

// The entries of a kept-points file that belong to `lines`; a damaged file gives none.
std::vector<std::vector<FitPoint>> ReadKept(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    std::vector<std::vector<FitPoint>> kept(lines.size());
    const auto text = ReadOwnTextLines(file);
    if (!text || text->empty() || (*text)[0] != kKeptHeader) {
        return kept;
    }
    std::vector<FitPoint>* current = nullptr;
    for (std::size_t k = 1; k < text->size(); ++k) {
        const std::string& t = (*text)[k];
        if (t.rfind("@ ", 0) == 0) {
            const std::size_t sp = t.find(' ', 2);
            const auto index = sp == std::string::npos ? std::nullopt : NumberOf(std::string_view(t).substr(2, sp - 2));
            current = nullptr;
            if (index && *index >= 0 && *index < static_cast<double>(lines.size()) &&
                lines[static_cast<std::size_t>(*index)] == t.substr(sp + 1)) {
                current = &kept[static_cast<std::size_t>(*index)];
                current->clear();
            }
            continue;
        }
        const std::size_t sp = t.find(' ');
        const auto x = sp == std::string::npos ? std::nullopt : NumberOf(std::string_view(t).substr(0, sp));
        const auto y = sp == std::string::npos ? std::nullopt : NumberOf(std::string_view(t).substr(sp + 1));
        if (!x || !y) {
            return std::vector<std::vector<FitPoint>>(lines.size());  // damaged: nothing of it
        }
        if (current != nullptr) {
            current->push_back({*x, *y});
        }
    }
    return kept;
}

}  // namespace

std::filesystem::path KeptPointsFile(const std::filesystem::path& listFile) {
    std::filesystem::path p = listFile;
    return p += ".pkt";
}

const std::string& ResultList::Line(int i) const { return m_lines[CheckedIndex(i, m_lines.size(), "Speicher")]; }

const std::vector<FitPoint>& ResultList::KeptPoints(int i) const {
    return m_kept[CheckedIndex(i, m_kept.size(), "Speicher")];
}

void ResultList::SetItemIndex(int i) {
    m_itemIndex = i < 0 ? -1 : static_cast<int>(CheckedIndex(i, m_lines.size(), "Speicher"));
}

void ResultList::Append(std::string line, std::vector<FitPoint> kept) {
    m_lines.push_back(std::move(line));
    m_kept.push_back(std::move(kept));
    SelectLast();
    Changed.Notify();
}

void ResultList::Insert(int i, std::string line) {
    const std::size_t at = CheckedIndex(i, m_lines.size() + 1, "Speicher");
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
    m_kept.insert(m_kept.begin() + static_cast<std::ptrdiff_t>(at), std::vector<FitPoint>{});
    Changed.Notify();
}

void ResultList::Delete(int i) {
    const auto at = static_cast<std::ptrdiff_t>(CheckedIndex(i, m_lines.size(), "Speicher"));
    m_lines.erase(m_lines.begin() + at);
    m_kept.erase(m_kept.begin() + at);
    m_itemIndex = -1;
    Changed.Notify();
}

void ResultList::Clear() {
    m_lines.clear();
    m_kept.clear();
    m_itemIndex = -1;
    Changed.Notify();
}

void ResultList::SetLines(std::vector<std::string> lines) {
    m_lines = std::move(lines);
    m_kept.assign(m_lines.size(), {});
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

bool ResultList::LoadFromFile(const std::filesystem::path& file) {
    auto lines = ReadOwnTextLines(file);
    if (!lines && FileExists(file)) {
        return false;
    }
    m_lines = lines ? std::move(*lines) : std::vector<std::string>{};
    m_kept = ReadKept(KeptPointsFile(file), m_lines);
    m_itemIndex = -1;
    return true;
}

WriteResult ResultList::SaveToFile(const std::filesystem::path& file) const {
    const WriteResult lines = WriteFileAtomic(file, JoinLines(m_lines));
    if (!lines.ok) {
        return lines;
    }
    const auto keptFile = KeptPointsFile(file);
    const bool any = std::any_of(m_kept.begin(), m_kept.end(), [](const auto& k) { return !k.empty(); });
    if (any) {
        return WriteFileAtomic(keptFile, KeptText(m_lines, m_kept));
    }
    std::error_code ec;
    std::filesystem::remove(keptFile, ec);
    return lines;
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
