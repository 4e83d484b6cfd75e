// The measuring report: a framed title block with the optional logo, the header data in two
// columns when there is any, the column header with its rule, and every result line in five
// columns (or whole), over as many pages as needed. Geometry in millimetres on a ReportCanvas.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/reportheader.h"
#include "shell/uitexts.h"

namespace tarvo {

struct CommandContext;
class ReportCanvas;

inline constexpr const char* kLogoFile = "LOGO.BMP";
// The report written as a PDF into the working folder when no printer is chosen.
inline constexpr const char* kReportFile = "bericht.pdf";

// Whether a result line is printed in its five columns (else whole at the left margin): by its
// dots, colons and dashes and whether characters 32-34 form a number.
[[nodiscard]] bool PrintedInColumns(std::string_view line, const std::string& pointName);

// What one report prints, taken from the session when the print run starts (the header question
// is asked then), so the same report can be drawn for a preview and for the printer.
struct ReportContent {
    std::string title;
    std::string logoFile;
    bool headerPresent = false;
    bool printHeader = false;
    std::array<std::string, kHeaderFields> labels;
    std::array<std::string, kHeaderFields> values;
    std::vector<std::string> lines;
    int fontSize = 10;
    std::string pointName;                         // result name 7, for the column test
    std::string pageName;                          // result name 16, the page line's word
    std::string columnHeader = kResultListHeader;  // the result list's header, in the loaded language
    std::string calibration;                       // the machine calibration's line of the title block (empty: none)
};
// The content for a print run; asks "Kopfdaten drucken ?" when header data is present.
[[nodiscard]] ReportContent CollectReport(CommandContext& ctx, const std::string& logoFile);
// Draws the report; `status` hears the texts of status panel 1. @retval false the job failed.
bool DrawReport(const ReportContent& r, ReportCanvas& canvas, const std::function<void(const std::string&)>& status);
// What ends every print run: "SPDRUCKEN:" while recording, the status cleared, the points cleared.
void FinishReport(CommandContext& ctx);

// SpeedButton15 and the runner's "SPDRUCKEN": the whole report on `canvas`. `logoFile` is the
// logo loaded at start-up (empty: none). Asks "Kopfdaten drucken ?" when header data is present.
// @retval false the job could not be ended (the reason was shown).
bool PrintReport(CommandContext& ctx, ReportCanvas& canvas, const std::string& logoFile);

// Where a print run goes. `preview` (the window's) shows the report drawn by the function given,
// with printing and saving as PDF: nothing when closed without either, an empty text when
// printed, the file when saved as PDF. Without a preview, `target` gives a new canvas for each
// run (nullptr: no printer chosen); without either the report is a PDF file in the working
// folder, announced to the operator.
struct ReportWay {
    std::function<std::unique_ptr<ReportCanvas>()> target;
    std::function<std::optional<std::string>(const std::function<void(ReportCanvas&)>& draw)> preview;
};
// SpeedButton15 and the runner's "SPDRUCKEN" the way `way` says; the polling holds back
// (`pollPaused`) while the report is drawn.
void PrintReportVia(CommandContext& ctx, const ReportWay& way, const std::string& logoFile, bool& pollPaused);

}  // namespace tarvo
