// What a command of the result list, the measuring functions and the coordinate system works
// with, and nothing else: the two lists, the program being recorded, the settings and run state,
// the operator, the shared geometry values and the records of the session. Commands never see
// the main window; what they change reaches the windows through the lists' and the session's
// change signals.
#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/datetime.h"
#include "data/feature.h"
#include "data/pointmemory.h"
#include "data/reportheader.h"
#include "data/resultline.h"
#include "data/resultlist.h"
#include "geometry/geometrystate.h"
#include "geometry/lines.h"
#include "geometry/pointlist.h"
#include "shell/operator.h"
#include "shell/programwords.h"
#include "shell/runstate.h"
#include "shell/settings.h"
#include "shell/uitexts.h"
#include "shell/workfolder.h"

namespace tarvo {

struct CommandContext {
    Settings& settings;
    RunState& run;
    Operator& op;
    const WorkFolder& folder;
    const WallClock& clock;
    const UiTexts& texts;
    ChangeSignals& changes;
    GeometryState& geometry;
    FeatureDef& feature;
    ReportHeaderData& header;
    PointMemory& points;                // `ListBox1`
    ResultList& results;                // `lb1`
    std::vector<std::string>& program;  // `LB_list`, the program being recorded

    [[nodiscard]] const std::string& UiText(int n) const { return texts.UiText(n); }
    [[nodiscard]] const std::string& ResultName(int n) const { return texts.ResultName(n); }
    [[nodiscard]] bool Recording() const noexcept { return run.Recording != 0; }
    // Appends the program line `word` + `parameters` while a program is being recorded.
    void Record(std::string_view word, std::string_view parameters = {}) {
        if (Recording()) {
            program.push_back(std::string(word) + std::string(parameters));
        }
    }
    // Empties the point memory (the counter shows "-", the pushed position is forgotten).
    void ClearPoints() { points.Clear(); }
    [[nodiscard]] Point GetPoint(int i) const { return points.GetPoint(i); }
    [[nodiscard]] int PointCount() const noexcept { return points.PointCount(); }
    // Number of the next result line (count + 1).
    [[nodiscard]] int NextLineNumber() const noexcept { return results.Count() + 1; }
    // Appends a result line and selects it.
    void AppendResult(std::string line) {
        results.Append(std::move(line));
        results.SelectLast();
    }
    // Appends result line count + 1 with the label (columns 5-26), the value and the fields
    // after it (X, Y, deviation), and selects it.
    void ListResult(std::string_view label, std::string_view value,
                    std::initializer_list<std::string_view> fields = {}) {
        AppendResult(WriteResultLine(NextLineNumber(), label, value, fields));
    }
    // Appends text line count + 1 and selects it.
    void ListText(std::string_view text) { AppendResult(WriteTextLine(NextLineNumber(), text)); }
    // The label of result name `n` fitted into `width`, then the detail.
    [[nodiscard]] std::string Label(int n, int width, std::string_view detail = {}) const {
        return ResultLabel(ResultName(n), width, detail);
    }
};

// --- The steps every measuring and alignment command shares ----------------------------------

// Method numbers of the illustration shown while a command waits for points.
enum Method : int {
    kMethodCircle = 1,
    kMethodTwoPoints = 2,
    kMethodAngle = 3,
    kMethodLinePoint = 4,
    kMethodSymmetry = 5,
    kMethodLine = 6,
    kMethodAlignTwoLines = 7,
    kMethodAlignLine = 8,
    kMethodAlignPointLine = 9,
    kMethodCircleLine = 10,
    kMethodCircleCircle = 11,
};

// Until the point memory holds `count` points: clears the abort flag and waits for captures
// with the illustration `method`. @retval false the operator aborted with Esc (the flag is
// cleared again, except in a program run, whose runner asks about it; the points captured so
// far stay).
[[nodiscard]] bool WaitForPointCount(CommandContext& ctx, int count, int method);

// Points first..first+count-1 (0-based) of the point memory as a working list.
[[nodiscard]] PointList PointsFromMemory(const CommandContext& ctx, int first, int count);

// The line through points i and j (0-based) of the point memory.
[[nodiscard]] Line2P LineThrough(const CommandContext& ctx, int i, int j);

// An angle as result lines show it: degrees-minutes-seconds with AngleMode 1, else fixed with
// Decimals places; blanks on the left up to 10 characters.
[[nodiscard]] std::string AngleText(const CommandContext& ctx, long double angle);

// The angle chooser: the preset replay choice when there is one, else `Tselect_winkel` with
// the four candidates. Nothing on Cancel.
[[nodiscard]] std::optional<int> ChooseAngle(CommandContext& ctx, const Real (&candidates)[4]);

// A value as result lines show it: right-aligned in 10 with Decimals places.
[[nodiscard]] inline std::string FieldText(const CommandContext& ctx, long double v) {
    return NumberField(v, ctx.settings.Decimals);
}

}  // namespace tarvo
