// Geometric tolerances judged on result lines, beside the nominal/actual comparison: position of
// a circle's centre with RFS, MMC or LMC, roundness, straightness, parallelism,
// perpendicularity and angularity of a line to a datum line, concentricity of a circle to a
// datum circle. Each appends a definition line and a judgement line with the tolerance bar
// over the zone allowed, and records a "GT-" program line that the runner replays.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "base/real.h"
#include "data/geokind.h"
#include "geometry/geotolerance.h"
#include "journal/partjournal.h"
#include "programs/programfile.h"

namespace tarvo {

struct CommandContext;
struct FeatureDef;
class UiTexts;

// What a geometric tolerance is judged by.
struct GeoToleranceDef {
    GeoKind kind = GeoKind::Position;
    std::string name;  // at most 20 characters
    Real zone = 0.0L;  // the tolerance t: a diameter for position and concentricity, else a width
    Real x = 0.0L;     // nominal position (position)
    Real y = 0.0L;
    MaterialCondition mc = MaterialCondition::RFS;
    Real sizeNominal = 0.0L;  // the size of the circle (MMC and LMC)
    Real sizeUpper = 0.0L;
    Real sizeLower = 0.0L;
    bool hole = true;
    std::string method = "MZCI";  // form: MZCI, LSCI, MICI, MCCI; MZLI, LSLI; or OWN (the line's own)
    int datum = -1;               // the datum's result line, 0-based (orientation, concentricity)
    Real angle = 0.0L;            // angularity: degrees counter-clockwise from the datum
};

// The dialog of the geometric tolerances: the feature dialog's look and keys (a name field with
// the names chooser of "mrk_pos.txt", fields moved through with Down/Enter and Up, the ISO
// lookup of a size typed as "10H7"; an upper-case class is a hole, a lower-case one a shaft).
class GeoToleranceDialog final {
public:
    enum Field : int { kName, kZone, kPosX, kPosY, kSize, kUpper, kLower, kDatum, kAngle, kFieldCount };
    enum class Closing { Ok, Cancel, StaysOpen };

    GeoToleranceDialog(GeoToleranceDef& def, Operator& op, const UiTexts& texts, int decimals,
                       std::filesystem::path workDir, bool readOnly);

    void Prefill();
    [[nodiscard]] std::string& Text(Field f) { return m_text[static_cast<std::size_t>(f)]; }
    [[nodiscard]] GeoKind Kind() const noexcept { return m_kind; }
    // Changing the kind moves the focus to its first field.
    void SetKind(GeoKind k);
    [[nodiscard]] Field Focus() const noexcept { return m_focus; }
    void SetFocus(Field f) { m_focus = f; }
    // The fields of the kind, in their order.
    [[nodiscard]] std::vector<Field> Order() const;
    // Down or Enter: next field; Up: previous; Right in the name field: the kind's first field.
    void KeyDown(int key);
    void NameDblClick();
    // Leaving the size: a text that is not a number is looked up in the ISO table.
    void SizeExit();
    Closing Ok();

    MaterialCondition mc = MaterialCondition::RFS;
    bool hole = true;
    std::string method = "MZCI";  // of the form kinds
    // The methods the form kind offers, MZ first (the ISO default), "OWN" last.
    [[nodiscard]] std::vector<std::string> Methods() const;

private:
    GeoToleranceDef& m_def;
    Operator& m_op;
    const UiTexts& m_texts;
    int m_decimals;
    std::filesystem::path m_workDir;
    bool m_readOnly;
    std::array<std::string, kFieldCount> m_text;
    GeoKind m_kind = GeoKind::Position;
    Field m_focus = kName;
};

// An answer typed into the dialog as an operator would, in tarvo-cli's words ("geotol ..."):
//   pos NAME X Y ZONE RFS|MMC|LMC [SIZE OT UT [hole|shaft]]   (SIZE may be "10H8"; "-" for OT
//                                                              or UT leaves the lookup's value)
//   round NAME ZONE [METHOD]     straight NAME ZONE [METHOD]   (MZCI ... or OWN)
//   parallel NAME DATUM ZONE     perpendicular NAME DATUM ZONE  angular NAME DATUM ANGLE ZONE
//   concentric NAME DATUM ZONE   cancel                         (DATUM: the line's number)
enum class GeoTyping { Ok, Cancel, StaysOpen, Refused };
[[nodiscard]] GeoTyping TypeGeoToleranceAnswer(GeoToleranceDialog& dialog, const std::string& answer);

// The judgement of result line `index` (0-based) by `def`: the two lines, the journal's row.
// @return why it cannot be judged (nothing is listed or recorded then).
[[nodiscard]] std::optional<std::string> JudgeGeometric(CommandContext& ctx, const GeoToleranceDef& def, int index,
                                                        PartJournal* journal = nullptr);
// The program line that repeats the judgement.
[[nodiscard]] std::string GeoProgramLine(const GeoToleranceDef& def, int index);

// The command: the dialog (prefilled from the last definition and the feature record), then the
// judgement of the selected line, recorded while teaching in. Refusals are shown.
void CompareGeometric(CommandContext& ctx, GeoToleranceDef& last, PartJournal* journal = nullptr);

// The runner's "GT-" lines (`upperLine` upper-cased). @return why the line cannot be judged.
[[nodiscard]] std::optional<std::string> ReplayGeometric(CommandContext& ctx, const std::string& upperLine,
                                                         const ProgramLine& p, PartJournal* journal = nullptr);
// Whether an upper-cased program line is one of the "GT-" words.
[[nodiscard]] bool IsGeoWord(const std::string& upperLine);

}  // namespace tarvo
