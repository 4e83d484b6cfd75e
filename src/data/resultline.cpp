#include "data/resultline.h"

namespace tarvo {

std::string ResultHead(int number, std::string_view name) {
    return FormatInt(number, kNumberWidth) + " " + FitLeft(name, kNameWidth);
}

std::string ResultNumbers(long double value, long double x, long double y, int decimals) {
    return FormatReal(value, kFieldWidth, decimals) + "  " + FormatReal(x, kFieldWidth, decimals) + "  " +
           FormatReal(y, kFieldWidth, decimals);
}

std::string BuildResultLine(int number, std::string_view name, std::string_view detail, long double value,
                            long double x, long double y, int decimals, std::optional<long double> deviation) {
    std::string line = ResultHead(number, name) + PadRight(detail, kDetailWidth) + ResultNumbers(value, x, y, decimals);
    if (deviation) {
        line += "  " + FormatReal(*deviation, kFieldWidth, decimals);
    }
    return line;
}

std::string ColumnText(std::string_view line, Column c) {
    const auto start = static_cast<std::size_t>(c.start - 1);
    if (start >= line.size()) {
        return {};
    }
    return std::string(line.substr(start, static_cast<std::size_t>(c.length)));
}

NumberRead ReadColumn(std::string_view line, Column c) { return ReadNumberChecked(RemoveSpaces(ColumnText(line, c))); }

}  // namespace tarvo
