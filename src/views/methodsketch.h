// The sketches of the measuring methods shown while a command waits for points: the element,
// the points to capture as yellow dots and their order as numbers, in the pixel coordinates of
// the 252 x 180 image of `Tmethode`.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tarvo {

struct SketchItem {
    enum class Kind { Polyline, Ellipse, Text };
    enum class Fill { Silver, Clear, Yellow, Red };
    Kind kind = Kind::Polyline;
    std::vector<int> xy;  // Polyline: x0, y0, x1, y1, ...; Ellipse: left, top, right, bottom; Text: x, y
    Fill fill = Fill::Silver;
    std::string text;
};

struct MethodSketch {
    std::string caption;            // the method name (Windows-1252)
    std::vector<SketchItem> items;  // in drawing order
};

inline constexpr int kSketchWidth = 252;
inline constexpr int kSketchHeight = 180;

// The sketch of method 1..11; nothing for any other number.
[[nodiscard]] std::optional<MethodSketch> MethodSketchOf(int method);

}  // namespace tarvo
