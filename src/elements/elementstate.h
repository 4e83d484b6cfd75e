// What the measuring commands keep between runs.
#pragma once

#include <cstdint>

namespace tarvo {

struct ElementState {
    // The choice the program runner presets for the next angle chooser, X/Y distance or X/Y
    // alignment (1..4); 0 asks the operator. Every command that reads it sets it back to 0 when
    // it ends with a result.
    std::uint8_t ReplayChoice = 0;
    // Which kind of element was evaluated last (1 = circle), for the element graphic.
    int LastElementKind = 0;
};

}  // namespace tarvo
