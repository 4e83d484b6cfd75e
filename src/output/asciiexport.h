// The ASCII export for the outside evaluation system: every nominal/actual comparison of the
// result list into a comparison file (".NPA") and a transfer file (".TRF") in the export folder,
// named by a date code so that no export ever overwrites another.
#pragma once

#include <filesystem>
#include <string>

namespace tarvo {

struct CommandContext;

inline constexpr const char* kExportFolderFile = "asc_pfad.cfg";
inline constexpr const char* kDefaultExportFolder = "ascii";

// The export folder: the first line of "asc_pfad.cfg" (at most 100 characters) when the file
// exists, else "ascii"; relative to the working folder.
[[nodiscard]] std::string LoadExportFolder(const std::filesystem::path& dir);

// SpeedButton19: asks for the part name, writes the comparison file and the transfer file, notes
// " ASCII-Export" in the result list and records "ASCII:" + the part name while teaching in.
void AsciiExport(CommandContext& ctx);

// The transfer file alone: asks inspector and batch, then writes the part name, the time, both
// answers and one name/value pair per comparison. @retval true the file was written.
bool ExportTransferFile(CommandContext& ctx, const std::string& partName);
// The runner's "ASCII:" line: the transfer file, and the export's line in the result list.
void ReplayAsciiExport(CommandContext& ctx, const std::string& partName);

}  // namespace tarvo
