// Whole-file reads and atomic writes. Every file TARVO writes goes to a temporary file in the
// same folder that is then renamed over the target, so a crash or a full disk never leaves a
// half-written result list, program or settings file.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarvo {

struct WriteResult {
    bool ok = true;
    std::string error;  // readable reason when !ok (Windows-1252)
};

// The bytes of a file, or nothing when it cannot be opened.
[[nodiscard]] std::optional<std::string> ReadFileBytes(const std::filesystem::path& file);

// Splits text at CR LF or LF; a final line break does not start another line.
[[nodiscard]] std::vector<std::string> SplitLines(const std::string& text);

// The lines of a text file, or nothing when it cannot be opened.
[[nodiscard]] std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& file);

// Lines joined with CR LF after every line, as the files of existing installations have them.
[[nodiscard]] std::string JoinLines(const std::vector<std::string>& lines);

// Writes `bytes` to a temporary file beside `file`, flushes it to disk and renames it over
// `file`. On failure the old file is untouched and the temporary file is removed.
[[nodiscard]] WriteResult WriteFileAtomic(const std::filesystem::path& file, const std::string& bytes);

// Copies the files of `from` (and its folders) into `to` where they are missing there; the
// operator's own files are never overwritten. Returns the number of files copied.
// `withFolders` false copies only the files directly in `from`.
int CopyMissingFiles(const std::filesystem::path& from, const std::filesystem::path& to, bool withFolders = true);
// The data shipped with the program: "../share/tarvo/data" beside the running program when it is
// installed, else `buildTree` (the sources' own "data" folder when it runs from its build).
[[nodiscard]] std::filesystem::path ShippedDataFolder(const std::filesystem::path& buildTree);
// Removes what an interrupted WriteFileAtomic left in `dir` (its hidden ".NAME.tmpNNN" files):
// the program was killed between writing and renaming; the file itself is whole.
void RemoveStaleTempFiles(const std::filesystem::path& dir);
// True when a file (or marker file) of that name exists.
[[nodiscard]] bool FileExists(const std::filesystem::path& file);

}  // namespace tarvo
