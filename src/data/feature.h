// The feature definition (nominal value and tolerances) the nominal/actual comparison asks
// for, and the logic of its dialog `Tmrk_set` with the name chooser `Tmerkmalsnamen`. The Qt
// form and tarvo-cli both drive this same logic.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/real.h"

namespace tarvo {

class Operator;

struct FeatureDef {
    std::string Name;  // at most 20 characters
    Real Nominal = 0.0L;
    Real UpperTol = 0.0L;  // signed deviation from the nominal ("OT")
    Real LowerTol = 0.0L;  // signed deviation from the nominal ("UT")
    Real Factor = 1.0L;
    Real PosX = 0.0L;
    Real PosY = 0.0L;
    Real PosTol = 0.0L;
    std::uint8_t Kind = 0;  // 0 variable, 1 position, 2 attributive
};

inline constexpr std::size_t kFeatureNameLength = 20;

// The names files, one per page, kept in alphabetical order.
[[nodiscard]] const char* FeatureNamesFile(int page);
[[nodiscard]] std::vector<std::string> LoadFeatureNames(const std::filesystem::path& file);
// The names chooser ("Tmerkmalsnamen") on the names of `file`, sorted as the operator looks them
// up; the chosen name, or nothing.
[[nodiscard]] std::optional<std::string> ChooseFeatureName(Operator& op, const std::filesystem::path& file);

// The focus after a key in a tolerance dialog whose fields are walked in `order`: Down and
// Return go to the next field, Up to the one before, Right from the name field to `right`;
// other keys leave it.
template <class Field>
[[nodiscard]] Field StepFocus(const std::vector<Field>& order, Field focus, int key, Field name, Field right) {
    constexpr int kKeyReturn = 13;
    constexpr int kKeyRight = 39;
    constexpr int kKeyUp = 38;
    constexpr int kKeyDown = 40;
    std::size_t pos = 0;
    while (pos < order.size() && order[pos] != focus) {
        ++pos;
    }
    if ((key == kKeyDown || key == kKeyReturn) && pos + 1 < order.size()) {
        return order[pos + 1];
    }
    if (key == kKeyUp && pos < order.size() && pos > 0) {
        return order[pos - 1];
    }
    return key == kKeyRight && focus == name ? right : focus;
}

class FeatureDialog final {
public:
    enum Page : int { kVariabel = 0, kPosition = 1, kAttributiv = 2 };
    enum Field : int {
        kName,
        kNennwert,
        kOT,
        kUT,
        kFaktor,
        kPositionX,
        kPositionY,
        kToleranz,
        kChoice,  // "Kein Fehler" / "Fehler" of the attributive page
        kFieldCount
    };
    enum class Closing { Ok, Cancel, StaysOpen };

    // Edits `def` (only on OK). Files are looked up in `workDir`; with `readOnly` the names
    // files are not written.
    FeatureDialog(FeatureDef& def, Operator& op, int decimals, std::filesystem::path workDir, bool readOnly);

    // Fills the fields from the definition and makes "Variabel" the active page.
    void Prefill();
    [[nodiscard]] std::string& Text(Field f) { return m_text[static_cast<std::size_t>(f)]; }
    [[nodiscard]] Page ActivePage() const noexcept { return m_page; }
    // Changing the page moves the focus to the page's first field.
    void SetPage(Page p);
    [[nodiscard]] Field Focus() const noexcept { return m_focus; }
    void SetFocus(Field f) { m_focus = f; }
    // Down or Enter: next field; Up: previous; Right in the name field: the page's first field.
    void KeyDown(int key);
    // Attributive choice: 0 "Kein Fehler" (good), 1 "Fehler" (bad).
    int choice = 0;

    // Double-click on the name field: the name chooser with the names file of the active page.
    void NameDblClick();
    // Leaving "Nennwert": a text that is not a number is looked up in the ISO table.
    void NennwertExit();
    // OK: checks and takes over the fields (see Closing); Cancel changes nothing.
    Closing Ok();
    Closing Cancel() { return Closing::Cancel; }

private:
    [[nodiscard]] Field FirstField() const;
    [[nodiscard]] std::vector<Field> Order() const;
    void AddName(const std::string& typed) const;

    FeatureDef& m_def;
    Operator& m_op;
    int m_decimals;
    std::filesystem::path m_workDir;
    bool m_readOnly;
    std::array<std::string, kFieldCount> m_text;
    Page m_page = kVariabel;
    Field m_focus = kName;
};

// Shows the feature dialog for `def`. @retval true closed with OK (def updated).
bool EditFeature(FeatureDef& def, Operator& op, int decimals, const std::filesystem::path& workDir, bool readOnly,
                 int* choice = nullptr);

}  // namespace tarvo
