// The header data of the report ("Kopfdaten"): the dialog `TheadData` as logic, its labels from
// "teiledat.txt" and the header files (".HED": sixteen lines, one value each).
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "data/reportheader.h"
#include "shell/operator.h"

namespace tarvo {

struct CommandContext;

inline constexpr const char* kHeaderLabelsFile = "teiledat.txt";

// The labels of "teiledat.txt" (sixteen lines, each cut to 50 characters; a line of blanks hides
// its input). A missing file keeps the labels as they are.
void LoadHeaderLabels(const std::filesystem::path& dir, ReportHeaderData& header);

// Sixteen values of a header file, each cut to 50 characters (missing lines empty); nothing when
// the file cannot be read.
[[nodiscard]] std::optional<std::array<std::string, kHeaderFields>> ReadHeaderFile(const std::filesystem::path& file);

// The dialog `TheadData` while it is open: the sixteen inputs and what closed it.
class HeaderDataDialog final {
public:
    using Closing = HeaderClosing;
    explicit HeaderDataDialog(const ReportHeaderData& header) : m_header(header) {}
    [[nodiscard]] const ReportHeaderData& Header() const noexcept { return m_header; }
    std::array<std::string, kHeaderFields> inputs;  // Edit1 .. Edit16
    // An input is shown unless its label holds only blanks.
    [[nodiscard]] bool Visible(std::size_t field) const;

private:
    const ReportHeaderData& m_header;
};

// SpeedButton20: offers a header file to start from (else the current values), shows the dialog
// and takes its values over on "OK" or "OK + speichern" (which also writes a header file; on
// read-only media it says so and still takes the values).
void EditHeaderData(CommandContext& ctx);

}  // namespace tarvo
