#include "programs/programfile.h"

#include <system_error>

#include "base/cp1252.h"
#include "base/text.h"

namespace tarvo {

ProgramLine ParseProgramLine(std::string_view line) {
    ProgramLine p;
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) {
        return p;
    }
    std::string_view rest = line.substr(colon + 1);
    while (p.count < kProgramFields) {
        ++p.count;
        const auto next = rest.find(':');
        const bool last = next == std::string_view::npos || p.count == kProgramFields;
        std::string_view field = last ? rest : rest.substr(0, next);
        if (last && field.size() > kLastFieldLength) {
            field = field.substr(0, kLastFieldLength);
        }
        p.Param[p.count] = std::string(field);
        p.Rest[p.count] = std::string(rest.substr(0, kLastFieldLength));
        const NumberRead n = ReadNumberChecked(RemoveSpaces(NormalizeDecimal(field)));
        if (n.ok) {
            p.Value[p.count] = n.value;
        }
        if (last) {
            break;
        }
        rest = rest.substr(next + 1);
    }
    return p;
}

FileDialogRequest ProgramDialog(bool save) {
    return {save ? "SaveDialog2" : "OpenDialog2", kProgramFilter, kProgramExtension, kProgramFolder, save};
}

WriteResult SaveProgramFile(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    std::error_code ec;
    if (file.has_parent_path()) {
        std::filesystem::create_directories(file.parent_path(), ec);
    }
    return WriteFileAtomic(file, JoinLines(lines));
}

}  // namespace tarvo
