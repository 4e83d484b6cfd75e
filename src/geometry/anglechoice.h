// The logic of the angle choice dialog `Tselect_winkel`: four candidate angles as button
// captions, the choice by button or digit key, and the sector sketches of the first two.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "base/real.h"

namespace tarvo {

struct SectorSketch {
    int left, top, right, bottom;  // the square the sector's circle fills
    int endX, endY;                // end point of the sector on screen (Y down)
};

class AngleChoice final {
public:
    explicit AngleChoice(const std::array<Real, 4>& candidates) : m_candidates(candidates) {}

    // "Winkel 1 = 12.500°" ... (Windows-1252); `label` is the hidden label's text.
    [[nodiscard]] std::array<std::string, 4> Captions(const std::string& label = "Winkel") const;
    // The choice of a typed key "1".."4"; nothing for any other key.
    [[nodiscard]] static std::optional<int> KeyChoice(char key);
    // The sketches of the first two candidates, side by side.
    [[nodiscard]] std::array<SectorSketch, 2> Sketches() const;
    [[nodiscard]] const std::array<Real, 4>& Candidates() const noexcept { return m_candidates; }

private:
    std::array<Real, 4> m_candidates;
};

}  // namespace tarvo
