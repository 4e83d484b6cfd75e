// The result list ("Speicher", list `lb1`): one text line per evaluated element, read back by
// fixed columns. It survives a restart through "speicher.dat".
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "base/fileio.h"
#include "data/pointmemory.h"
#include "shell/signal.h"

namespace tarvo {

inline constexpr const char* kResultListFile = "speicher.dat";
inline constexpr const char* kResultBackupFile = "temp.bak";

class ResultList final {
public:
    [[nodiscard]] int Count() const noexcept { return static_cast<int>(m_lines.size()); }
    [[nodiscard]] const std::vector<std::string>& Lines() const noexcept { return m_lines; }
    [[nodiscard]] const std::string& Line(int i) const;
    [[nodiscard]] int ItemIndex() const noexcept { return m_itemIndex; }
    void SetItemIndex(int i);
    void SelectLast() noexcept { m_itemIndex = Count() - 1; }

    // Appends a line and selects it.
    void Append(std::string line);
    // Inserts a line before line i (i = Count() appends).
    void Insert(int i, std::string line);
    void Delete(int i);
    void Clear();
    // Replaces every line; nothing is selected.
    void SetLines(std::vector<std::string> lines);
    // Rewrites the number of every line: FormatInt(i, 3) and the line from character 4 on
    // (at most 200 characters). The selection stays.
    void Renumber();

    // Replaces the list by the lines of `file`; a missing file gives an empty list. A file
    // that exists but cannot be read leaves the list as it was and returns false.
    bool LoadFromFile(const std::filesystem::path& file);
    [[nodiscard]] WriteResult SaveToFile(const std::filesystem::path& file) const;

    // The points a circle or line was computed from, kept with its line for this session: the
    // form and orientation tolerances judge them. They follow the line's text (not its
    // number), so renumbering, deleting other lines and the list given back after a run keep
    // them; a line loaded from a file has none.
    void KeepPoints(int i, std::vector<Point> points);
    // The points kept with line i; nullptr when it has none.
    [[nodiscard]] const std::vector<Point>* KeptPoints(int i) const;

    // After every change of the lines (not of the selection, not by LoadFromFile).
    Signal<> Changed;

private:
    std::vector<std::string> m_lines;
    std::map<std::string, std::vector<Point>> m_kept;
    int m_itemIndex = -1;
};

// An unreadable result list is never written over: it is set aside under a name of its own
// ("speicher.dat.unlesbar", then "...unlesbar2", ...). The new name, or nothing when it could not
// be moved.
[[nodiscard]] std::optional<std::filesystem::path> SetAsideUnreadable(const std::filesystem::path& file);

}  // namespace tarvo
