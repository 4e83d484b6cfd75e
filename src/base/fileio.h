// Whole-file reads and atomic writes. Every file TARVO writes goes to a temporary file in the
// same folder that is then renamed over the target, so a crash or a full disk never leaves a
// half-written result list, program or settings file.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
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

// What looked wrong with a text file when it was read. TARVO's text files are Windows-1252 with
// CR LF; a file holding binary bytes or a line over kMaxFileLine characters is damaged and is not
// used (it reads as one that cannot be read, and the readers that write never write over it); a
// file in UTF-8 is converted and used; a file of the program's own that does not end with its
// line break was cut off and is used as far as it goes. `NotNumbers`: a file that must hold numbers
// (a picture size, the DXF limits) holds none that can be used; its reader keeps its defaults.
// `NotPicture`: the report's logo is no picture that can be read; the report goes without it.
enum class FileDamage { Binary, LongLine, Utf8, Cut, NotNumbers, NotPicture };
inline constexpr std::size_t kMaxFileLine = 16384;
// A damaged file as it was read, for the operator's message.
struct FileNote {
    std::filesystem::path file;
    FileDamage damage;
};

// The text of a file as TARVO reads it: nothing when it cannot be opened or is binary or has an
// over-long line; UTF-8 converted to Windows-1252. What was wrong is noted (see TakeFileNotes).
// `ownFile`: the program writes this file itself, every line with its line break.
[[nodiscard]] std::optional<std::string> ReadTextFile(const std::filesystem::path& file, bool ownFile = false);
// Checks text already read from `file` the same way: nothing when it is not to be used.
// `cutOff`: the caller found the file cut off (by its line end or its format).
[[nodiscard]] std::optional<std::string> CheckedText(const std::filesystem::path& file, std::string bytes, bool cutOff);
// The notes below are process-wide, not the session's: every reader on every floor notes damage
// without a context to hand it to. One session lives at a time and clears them when it is built
// (docs/ARCHITECTURE.md, "Session and state").
// Notes damage a reader found in the content of a file; said once per file and kind.
void NoteFileDamage(const std::filesystem::path& file, FileDamage damage);
// The reader found the file as it should be: damage found in it later is said again.
void NoteFileWhole(const std::filesystem::path& file);
// Forgets every note: a new session says what it finds afresh.
void ResetFileNotes();
// Who tells the operator about the damaged files noted (the main window; nobody: empty). A
// reader that refuses a file calls TellFileNotes() before its own message, so that the operator
// always hears why a file cannot be used first and what follows from it after.
void SetFileNoteTeller(std::function<void()> teller);
void TellFileNotes();
// The damaged files read since the last call, each file and kind once while it stays damaged;
// the main window tells the operator after every command and start-up step.
[[nodiscard]] std::vector<FileNote> TakeFileNotes();

// The lines of a text file (ReadTextFile), or nothing when it cannot be opened or is damaged.
[[nodiscard]] std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& file);
// The same for a file the program writes itself ("speicher.dat", memory files, "temp.lst").
[[nodiscard]] std::optional<std::vector<std::string>> ReadOwnTextLines(const std::filesystem::path& file);

// Lines joined with CR LF after every line, as the files of existing installations have them.
[[nodiscard]] std::string JoinLines(const std::vector<std::string>& lines);

// Writes `bytes` to a temporary file beside `file`, flushes it to disk, renames it over `file`
// and flushes the folder, so that after a power loss the folder names either the old or the new
// file. The new file keeps the permission bits of the one it replaces. On failure before the
// rename the old file is untouched and the temporary file is removed; a folder that cannot be
// flushed afterwards (a disk error) is reported too, though the new content is in place.
[[nodiscard]] WriteResult WriteFileAtomic(const std::filesystem::path& file, const std::string& bytes);

// The steps WriteFileAtomic takes to make a write last, as they succeed: "fsync" with the
// temporary file, "rename" with the target, "fsync" with the folder. For tests; empty to stop.
using WriteStepObserver = std::function<void(std::string_view step, const std::filesystem::path& path)>;
void SetWriteStepObserver(WriteStepObserver observer);

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
