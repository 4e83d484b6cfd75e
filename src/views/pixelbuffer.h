// A plain picture of RGB pixels: what the bitmap view draws its polygon on, fills and counts,
// and what the element graphic is drawn on when no window shows it (tarvo-cli's picture file).
// Drawing is clipped to the picture; coordinates are pixels from the top left.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tarvo {

// A colour as 0xRRGGBB.
using Rgb = std::uint32_t;
inline constexpr Rgb kRgbWhite = 0xFFFFFF;
inline constexpr Rgb kRgbBlack = 0x000000;
inline constexpr Rgb kRgbGrey = 0x808080;
inline constexpr Rgb kRgbBlue = 0x0000FF;
inline constexpr Rgb kRgbGreen = 0x008000;
inline constexpr Rgb kRgbRed = 0xFF0000;

// Where a fill ended: the pixels it coloured, or why it coloured none.
struct FillOutcome {
    enum class Kind { Filled, OnBorder, Open };
    Kind kind = Kind::OnBorder;  // Open: the region reaches the picture's edge
    long long pixels = 0;
};

class PixelBuffer final {
public:
    PixelBuffer() = default;
    PixelBuffer(int width, int height, Rgb colour = kRgbWhite);

    [[nodiscard]] int Width() const noexcept { return m_width; }
    [[nodiscard]] int Height() const noexcept { return m_height; }
    [[nodiscard]] bool Contains(int x, int y) const noexcept { return x >= 0 && y >= 0 && x < m_width && y < m_height; }
    // The colour at (x, y); white outside the picture.
    [[nodiscard]] Rgb Pixel(int x, int y) const noexcept;
    void SetPixel(int x, int y, Rgb colour) noexcept;
    // Row after row, `Width()` pixels each.
    [[nodiscard]] const std::vector<Rgb>& Pixels() const noexcept { return m_pixels; }

    void Fill(Rgb colour);
    // A straight line including both ends (8-connected, so a fill does not leak through it).
    void Line(long long x1, long long y1, long long x2, long long y2, Rgb colour);
    // The outline of the rectangle with these corners.
    void Rectangle(long long left, long long top, long long right, long long bottom, Rgb colour);
    // The outline of the ellipse inscribed in the box.
    void Ellipse(long long left, long long top, long long right, long long bottom, Rgb colour);
    // Digits, "-", "." and "/" in a small 5 x 7 font with the top left at (x, y); other characters
    // as a box.
    void Text(long long x, long long y, std::string_view text, Rgb colour);

    // Fills the region around (x, y) that is bounded by `border` (4-connected) with `colour`.
    // Nothing is coloured when (x, y) lies on the border, or outside the picture or in a region
    // that reaches the picture's edge (Open: not enclosed).
    FillOutcome FloodFill(int x, int y, Rgb border, Rgb colour);
    // The pixels in the box (inclusive, clipped) whose colour differs from `background`.
    [[nodiscard]] long long CountNot(Rgb background, int left, int top, int right, int bottom) const;

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<Rgb> m_pixels;
};

}  // namespace tarvo
