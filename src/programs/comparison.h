// The nominal/actual comparison ("Soll-Ist Vergleich"): a result line judged against the feature
// definition, as a dimension with tolerances (kind V), a position with a position tolerance (P)
// or the operator's good/bad judgement (A). It appends a definition line and a judgement line
// with a 15-character tolerance bar, and records a "SOLLIST-" program line.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/real.h"
#include "journal/partjournal.h"
#include "programs/programfile.h"

namespace tarvo {

struct CommandContext;

// The marker of the tolerance bar: byte 127, kept as it is in lists, files and exports.
inline constexpr char kBarMarker = '\x7F';

// "-|-----|-----|-" with "<" at position 1 below the lower limit, ">" at 15 above the upper one,
// else the marker in one of 13 equal bands between the limits (limits and step stored reals).
[[nodiscard]] std::string ToleranceBar(Real actual, Real nominal, Real upper, Real lower);

// The judgement a result line carries in its tolerance bar: true good, false bad, nothing for a
// line without a bar.
[[nodiscard]] std::optional<bool> BarJudgement(std::string_view line);

// SpeedButton16: the feature dialog, then the two lines for the selected result line.
// Each judgement also goes to `journal` when there is one.
void CompareNominalActual(CommandContext& ctx, PartJournal* journal = nullptr);

// The runner's "SOLLIST-V", "SOLLIST-P" and "SOLLIST-A" lines (`upperLine` upper-cased).
// @return why the line cannot be judged (a missing or damaged number, a result line that is not
// there or holds no value); nothing is listed then.
[[nodiscard]] std::optional<std::string> ReplayComparison(CommandContext& ctx, const std::string& upperLine,
                                                          const ProgramLine& p, PartJournal* journal = nullptr);

}  // namespace tarvo
