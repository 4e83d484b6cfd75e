// The result list ("Speicher", list `lb1`): one text line per evaluated element, read back by
// fixed columns. It survives a restart through "speicher.dat".
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/fileio.h"
#include "geometry/referencefits.h"
#include "shell/signal.h"

namespace tarvo {

inline constexpr const char* kResultListFile = "speicher.dat";
inline constexpr const char* kResultBackupFile = "temp.bak";

// The points a line was evaluated from ("kept points"), stored beside the list's file in a file
// of the same name followed by ".pkt" ("speicher.dat.pkt"). Each entry names its line by
// index and by the line's whole text; an entry whose line is not (or no longer) there is
// dropped on loading, so a list file without its points file, or changed by another program,
// loads as it is.
[[nodiscard]] std::filesystem::path KeptPointsFile(const std::filesystem::path& listFile);

class ResultList final {
public:
    [[nodiscard]] int Count() const noexcept { return static_cast<int>(m_lines.size()); }
    [[nodiscard]] const std::vector<std::string>& Lines() const noexcept { return m_lines; }
    [[nodiscard]] const std::string& Line(int i) const;
    [[nodiscard]] int ItemIndex() const noexcept { return m_itemIndex; }
    void SetItemIndex(int i);
    void SelectLast() noexcept { m_itemIndex = Count() - 1; }

    // Appends a line and selects it; with `kept`, the points it was evaluated from.
    void Append(std::string line, std::vector<FitPoint> kept = {});
    // The points line i was evaluated from (empty: none kept).
    [[nodiscard]] const std::vector<FitPoint>& KeptPoints(int i) const;
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
    // that exists but cannot be read leaves the list as it was and returns false. The kept
    // points come from KeptPointsFile(file) where it holds entries for these lines.
    bool LoadFromFile(const std::filesystem::path& file);
    // Writes the lines to `file` and the kept points to KeptPointsFile(file), both atomically;
    // without kept points that file is removed (an old one would belong to other lines).
    [[nodiscard]] WriteResult SaveToFile(const std::filesystem::path& file) const;

    // After every change of the lines (not of the selection, not by LoadFromFile).
    Signal<> Changed;

private:
    std::vector<std::string> m_lines;
    std::vector<std::vector<FitPoint>> m_kept;  // beside m_lines, one entry per line
    int m_itemIndex = -1;
};

// An unreadable result list is never written over: it is set aside under a name of its own
// ("speicher.dat.unlesbar", then "...unlesbar2", ...). The new name, or nothing when it could not
// be moved.
[[nodiscard]] std::optional<std::filesystem::path> SetAsideUnreadable(const std::filesystem::path& file);

}  // namespace tarvo
