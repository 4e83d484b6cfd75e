// The reference element the circle and line commands evaluate with: the program's own search
// ("SEARCH", the default) or a reference element of the form standards (LSCI, MZCI, MICI, MCCI
// for circles; LSLI, MZLI for lines, see geometry/referencefits.h). The station's choice is a
// setting ("KR_BEZUG", "GE_BEZUG" in TARVO.INI); a program run starts from the program's own
// search and evaluates as the program's "KRBEZUG:"/"GEBEZUG:" lines say, so a replay evaluates as
// it was taught on any station.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tarvo {

struct CommandContext;
struct Settings;
class UiTexts;

enum class ReferenceKind { Circle, Line };

// The names `kind` takes, "SEARCH" first.
[[nodiscard]] std::span<const char* const> ReferenceNames(ReferenceKind kind);
// `name` as one of ReferenceNames(kind) (any case); nothing for another name.
[[nodiscard]] const char* ReferenceName(ReferenceKind kind, std::string_view name);

// The reference in force: the run's during a program run, else the station's setting.
[[nodiscard]] const std::string& ReferenceInForce(const CommandContext& ctx, ReferenceKind kind);

// The station's choice (system settings, tarvo-cli `fit`): sets the setting, writes it into the
// settings file unless the media is read-only, records the program line while teaching in when
// it changes, and tells the status bar. @retval false an unknown name (nothing changes).
bool ChooseReference(CommandContext& ctx, ReferenceKind kind, std::string_view name);

// The first lines of a teach-in: the station's references that are not the program's own.
void RecordReferences(CommandContext& ctx);

// The program line's replay: the run's reference. @retval false an unknown name.
bool ReplayReference(CommandContext& ctx, ReferenceKind kind, std::string_view name);

// What the status bar shows: empty while both are the program's own search.
[[nodiscard]] std::string ReferenceStatus(const Settings& s, const UiTexts& texts);

}  // namespace tarvo
