// The kinds of geometric tolerance as result lines carry them: each judgement's definition line
// is named by its kind (a numbered text, so it follows the loaded language), which the export,
// the journal and the report recognise it by.
#pragma once

#include <optional>
#include <string>

#include "shell/uitexts.h"

namespace tarvo {

enum class GeoKind : int {
    Position = 0,
    Roundness,
    Straightness,
    Parallelism,
    Perpendicularity,
    Angularity,
    Concentricity,
};
inline constexpr int kGeoKinds = 7;

// The kind's name (the definition line's name, the dialog's page) in the loaded language.
[[nodiscard]] const std::string& GeoKindName(const UiTexts& texts, GeoKind kind);
// The kind a definition line names: its name followed by the colon.
[[nodiscard]] std::optional<GeoKind> GeoDefinitionKind(const std::string& line, const UiTexts& texts);
// The export's kind code of each kind: 2 position ... 8 concentricity (1 is V, P and A).
[[nodiscard]] int GeoExportCode(GeoKind kind);
// The journal's kind letter: T position, R roundness, S straightness, L parallelism,
// Q perpendicularity, N angularity, K concentricity.
[[nodiscard]] char GeoJournalKind(GeoKind kind);
// Orientation and concentricity are judged against a datum line or circle.
[[nodiscard]] bool NeedsDatum(GeoKind kind);

}  // namespace tarvo
