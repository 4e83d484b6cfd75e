#include "data/isotolerance.h"

#include <algorithm>

#include "base/fileio.h"
#include "base/text.h"

namespace tarvo {

namespace {
constexpr std::size_t kColumnWidth = 7;
constexpr std::size_t kClassCodeLength = 4;

// The number in the 7-character column starting at `start` (0-based); blanks removed, an empty
// or unreadable column counts as 0.
long double ColumnNumber(const std::string& line, std::size_t start) {
    if (start >= line.size()) {
        return 0;
    }
    return ReadNumber(RemoveSpaces(line.substr(start, kColumnWidth)));
}
}  // namespace

bool HasClassCode(std::string_view text) {
    return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 58; });
}

NumberRead ReadNominal(std::string_view text) {
    if (HasClassCode(text)) {
        return {};
    }
    return ReadNumberChecked(text);
}

IsoTolerance IsoToleranceLookup(std::string_view text, const std::filesystem::path& table) {
    IsoTolerance r;
    std::size_t split = text.size();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 58) {
            split = i;
            break;
        }
    }
    if (split == text.size() || split == 0) {
        return r;
    }
    const Real nominal = ReadNumber(text.substr(0, split));
    std::string code = RemoveSpaces(text.substr(split));
    if (code.size() > kClassCodeLength) {
        code.resize(kClassCodeLength);
    }
    const auto lines = ReadTextLines(table);
    if (!lines || lines->size() < 4) {
        return r;
    }
    const std::string& limits = (*lines)[3];
    long double limit = -1;
    std::size_t c = 0;  // 0-based start of the next column
    while (c + 1 < limits.size() && limit != 0 && nominal > limit) {
        limit = ColumnNumber(limits, c);
        c += kColumnWidth;
    }
    // A size above every limit is not in the table (the last range would be wrong for it).
    if (limit == 0 || nominal > limit) {
        return r;
    }
    const std::size_t column = c - kColumnWidth;
    for (std::size_t i = 4; i < lines->size(); ++i) {
        // The class matches whole: "H1" is not "H10", "H" not "H6".
        const std::string& line = (*lines)[i];
        if (line.compare(0, code.size(), code) != 0 ||
            (line.size() > code.size() && line[code.size()] != ' ' && line[code.size()] != '\t')) {
            continue;
        }
        if (i + 3 >= lines->size()) {
            return r;
        }
        r.found = true;
        r.nominal = nominal;
        r.upper = ColumnNumber((*lines)[i + 2], column) * 0.001L;
        r.lower = ColumnNumber((*lines)[i + 3], column) * 0.001L;
        return r;
    }
    return r;
}

}  // namespace tarvo
