// Measurement programs as text: one command line per text line, "WORD:" followed by parameters
// separated by ":". Files are Windows-1252 with CR LF, as existing stations write them, in the
// folder "prg" below the working folder.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/fileio.h"
#include "shell/operator.h"

namespace tarvo {

inline constexpr std::size_t kProgramFields = 10;
inline constexpr std::size_t kLastFieldLength = 100;
inline constexpr const char* kProgramFolder = "prg";
inline constexpr const char* kProgramFilter = "TARVO-Programm|*.prg";
inline constexpr const char* kProgramExtension = "PRG";
inline constexpr const char* kRunBackupFile = "temp.lst";
// The first item of the program list before anything is recorded (UTF-8 here: Ansi() at use).
inline constexpr const char* kProgramListItem = "Speicher für Lernbetrieb";

// The parameters of a program line: everything after the first ":" split at each ":" into at
// most 10 fields (the last runs to the end of the line, at most 100 characters); each as text
// and, where it reads as one (decimal comma or point, blanks trimmed), as a number.
struct ProgramLine {
    std::array<std::string, kProgramFields + 1> Param;                 // [1..10]
    std::array<std::optional<long double>, kProgramFields + 1> Value;  // [1..10]
    // From field i to the end of the line, colons and all (at most 100 characters): a text or a
    // name, which may hold colons of its own, is the rest of its line.
    std::array<std::string, kProgramFields + 1> Rest;  // [1..10]
    std::size_t count = 0;                             // fields present
};
[[nodiscard]] ProgramLine ParseProgramLine(std::string_view line);

// The open and save dialogs of programs.
[[nodiscard]] FileDialogRequest ProgramDialog(bool save);
// Writes the program lines to `file` atomically, creating its folder when needed.
[[nodiscard]] WriteResult SaveProgramFile(const std::filesystem::path& file, const std::vector<std::string>& lines);

}  // namespace tarvo
