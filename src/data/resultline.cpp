#include "data/resultline.h"

#include "geometry/angles.h"
#include "shell/uitexts.h"

namespace tarvo {

namespace {

std::string PadLeft(std::string_view text, std::size_t width) {
    std::string out(text);
    if (out.size() < width) {
        out.insert(0, width - out.size(), ' ');
    }
    return out;
}

}  // namespace

std::string NumberField(long double v, int decimals) { return FormatReal(v, kFieldWidth, decimals); }

std::string ResultLabel(std::string_view name, int nameWidth, std::string_view detail) {
    return PadRight(FitLeft(name, nameWidth) + std::string(detail), kLabelWidth);
}

std::string WriteResultLine(int number, std::string_view label, std::string_view value,
                            std::initializer_list<std::string_view> fields) {
    std::string line =
        FormatInt(number, kNumberWidth) + " " + PadRight(label, kLabelWidth) + PadLeft(value, kFieldWidth);
    for (const std::string_view f : fields) {
        line += "  " + PadLeft(f, kFieldWidth);
    }
    return line;
}

std::string WriteTextLine(int number, std::string_view text) {
    return FormatInt(number, kNumberWidth) + " " + std::string(text);
}

std::size_t NumberOverflow(std::string_view line) {
    std::size_t end = 0;
    while (end < line.size() && line[end] == ' ') {
        ++end;
    }
    const std::size_t digits = end;
    while (end < line.size() && line[end] >= '0' && line[end] <= '9') {
        ++end;
    }
    // Only a number followed by its blank is a line number (a text line may start otherwise).
    if (end == digits || end <= kNumberWidth || end >= line.size() || line[end] != ' ') {
        return 0;
    }
    return end - kNumberWidth;
}

std::string Renumbered(std::string_view line, int number) {
    const std::size_t from = kNumberWidth + NumberOverflow(line);
    const std::string_view rest = line.size() > from ? line.substr(from, 200) : std::string_view();
    return FormatInt(number, kNumberWidth) + std::string(rest);
}

std::string BuildResultLine(int number, std::string_view name, std::string_view detail, long double value,
                            long double x, long double y, int decimals, std::optional<long double> deviation) {
    const std::string label = FitLeft(name, 8) + PadRight(detail, 14);
    const std::string v = NumberField(value, decimals);
    const std::string xs = NumberField(x, decimals);
    const std::string ys = NumberField(y, decimals);
    if (deviation) {
        return WriteResultLine(number, label, v, {xs, ys, NumberField(*deviation, decimals)});
    }
    return WriteResultLine(number, label, v, {xs, ys});
}

std::string ColumnText(std::string_view line, Column c) {
    const auto start = static_cast<std::size_t>(c.start - 1) + NumberOverflow(line);
    if (start >= line.size()) {
        return {};
    }
    return std::string(line.substr(start, static_cast<std::size_t>(c.length)));
}

NumberRead ReadColumn(std::string_view line, Column c) { return ReadNumberChecked(RemoveSpaces(ColumnText(line, c))); }

long double ReadAngleValue(std::string_view line) {
    const NumberRead value = ReadValue(line);
    return value.ok ? value.value : DmsTextToAngle(RemoveSpaces(ColumnText(line, kValueTextColumn))).value();
}

bool HasResultName(std::string_view line, int n, const UiTexts& texts) {
    return UpperCaseOem(std::string(line)).find(UpperCaseOem(texts.ResultName(n))) != std::string::npos;
}

bool IsLineResult(std::string_view line, const UiTexts& texts) {
    return HasResultName(line, kResultLine, texts) || HasResultName(line, kResultSymmetryLine, texts);
}

bool CircleSizeIs(std::string_view line, int n, const UiTexts& texts) {
    return RemoveSpaces(ColumnText(line, kSizeKindColumn)) == texts.ResultName(n);
}

}  // namespace tarvo
