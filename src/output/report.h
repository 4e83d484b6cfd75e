// The measuring report: a framed title block with the optional logo, the header data in two
// columns when there is any, the column header with its rule, and every result line in five
// columns (or whole), over as many pages as needed. Geometry in millimetres on a ReportCanvas.
#pragma once

#include <string>
#include <string_view>

namespace tarvo {

struct CommandContext;
class ReportCanvas;

inline constexpr const char* kLogoFile = "LOGO.BMP";
// The report written as a PDF into the working folder when no printer is chosen.
inline constexpr const char* kReportFile = "bericht.pdf";

// Whether a result line is printed in its five columns (else whole at the left margin): by its
// dots, colons and dashes and whether characters 32-34 form a number.
[[nodiscard]] bool PrintedInColumns(std::string_view line, const std::string& pointName);

// SpeedButton15 and the runner's "SPDRUCKEN": the whole report on `canvas`. `logoFile` is the
// logo loaded at start-up (empty: none). Asks "Kopfdaten drucken ?" when header data is present.
// @retval false the job could not be ended (the reason was shown).
bool PrintReport(CommandContext& ctx, ReportCanvas& canvas, const std::string& logoFile);

}  // namespace tarvo
