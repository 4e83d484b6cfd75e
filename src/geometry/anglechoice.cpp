#include "geometry/anglechoice.h"

#include <cmath>

#include "base/text.h"
#include "geometry/angles.h"

namespace tarvo {

std::array<std::string, 4> AngleChoice::Captions(const std::string& label) const {
    std::array<std::string, 4> captions;
    for (std::size_t k = 0; k < 4; ++k) {
        captions[k] = label + " " + std::to_string(k + 1) + " = " + FormatReal(m_candidates[k], 0, 3) + "\xB0";
    }
    return captions;
}

std::optional<int> AngleChoice::KeyChoice(char key) {
    if (key >= '1' && key <= '4') {
        return key - '0';
    }
    return std::nullopt;
}

std::array<SectorSketch, 2> AngleChoice::Sketches() const {
    std::array<SectorSketch, 2> s{};
    const int lefts[2] = {25, 250};
    for (std::size_t k = 0; k < 2; ++k) {
        const int cx = lefts[k] + 100;
        const int cy = 125;
        const long double a = m_candidates[k];
        s[k] = {lefts[k],
                25,
                lefts[k] + 200,
                225,
                cx + static_cast<int>(std::lround(100 * CosDeg(a))),
                cy + static_cast<int>(std::lround(100 * SinDeg(360 - a)))};
    }
    return s;
}

}  // namespace tarvo
