#include "views/pixelbuffer.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tarvo {

namespace {

// Lines are clipped to this much room around the picture before they are stepped, so a far
// endpoint costs nothing.
constexpr double kClipMargin = 2.0;

// Liang-Barsky: the part of the segment inside [lo, hi] in both axes; false when none is.
bool Clip(double& x1, double& y1, double& x2, double& y2, double xlo, double ylo, double xhi, double yhi) {
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - xlo, xhi - x1, y1 - ylo, yhi - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return false;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) {
            return false;
        }
    }
    const double ox = x1;
    const double oy = y1;
    x1 = ox + t0 * dx;
    y1 = oy + t0 * dy;
    x2 = ox + t1 * dx;
    y2 = oy + t1 * dy;
    return true;
}

// 5 x 7 glyphs, one byte a row, the high five bits of the low byte from left to right.
struct Glyph {
    char ch;
    std::array<unsigned char, 7> rows;
};
constexpr Glyph kGlyphs[] = {
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}}, {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}},
    {'/', {0x01, 0x01, 0x02, 0x04, 0x08, 0x10, 0x10}}, {' ', {0, 0, 0, 0, 0, 0, 0}},
    {'x', {0x00, 0x00, 0x11, 0x0A, 0x04, 0x0A, 0x11}},
};
constexpr std::array<unsigned char, 7> kBoxGlyph = {0x1F, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1F};

const std::array<unsigned char, 7>& GlyphOf(char c) {
    for (const Glyph& g : kGlyphs) {
        if (g.ch == c) {
            return g.rows;
        }
    }
    return kBoxGlyph;
}

}  // namespace

PixelBuffer::PixelBuffer(int width, int height, Rgb colour)
    : m_width(std::max(0, width)),
      m_height(std::max(0, height)),
      m_pixels(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), colour) {}

Rgb PixelBuffer::Pixel(int x, int y) const noexcept {
    return Contains(x, y)
               ? m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x)]
               : kRgbWhite;
}

void PixelBuffer::SetPixel(int x, int y, Rgb colour) noexcept {
    if (Contains(x, y)) {
        m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x)] =
            colour;
    }
}

void PixelBuffer::Fill(Rgb colour) { std::fill(m_pixels.begin(), m_pixels.end(), colour); }

void PixelBuffer::Line(long long x1, long long y1, long long x2, long long y2, Rgb colour) {
    long long ax = x1;
    long long ay = y1;
    long long bx = x2;
    long long by = y2;
    const auto far = [&](long long x, long long y) { return x < -1 || y < -1 || x > m_width || y > m_height; };
    if (far(ax, ay) || far(bx, by)) {
        double fx1 = static_cast<double>(x1);
        double fy1 = static_cast<double>(y1);
        double fx2 = static_cast<double>(x2);
        double fy2 = static_cast<double>(y2);
        if (!Clip(fx1, fy1, fx2, fy2, -kClipMargin, -kClipMargin, m_width + kClipMargin, m_height + kClipMargin)) {
            return;
        }
        ax = std::llround(fx1);
        ay = std::llround(fy1);
        bx = std::llround(fx2);
        by = std::llround(fy2);
    }
    const long long dx = std::llabs(bx - ax);
    const long long dy = -std::llabs(by - ay);
    const long long sx = ax < bx ? 1 : -1;
    const long long sy = ay < by ? 1 : -1;
    long long err = dx + dy;
    for (;;) {
        SetPixel(static_cast<int>(ax), static_cast<int>(ay), colour);
        if (ax == bx && ay == by) {
            break;
        }
        const long long e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            ax += sx;
        }
        if (e2 <= dx) {
            err += dx;
            ay += sy;
        }
    }
}

void PixelBuffer::Rectangle(long long left, long long top, long long right, long long bottom, Rgb colour) {
    Line(left, top, right, top, colour);
    Line(right, top, right, bottom, colour);
    Line(right, bottom, left, bottom, colour);
    Line(left, bottom, left, top, colour);
}

void PixelBuffer::Ellipse(long long left, long long top, long long right, long long bottom, Rgb colour) {
    if (left > right) {
        std::swap(left, right);
    }
    if (top > bottom) {
        std::swap(top, bottom);
    }
    if (left == right || top == bottom) {
        Line(left, top, right, bottom, colour);
        return;
    }
    if (right < 0 || bottom < 0 || left >= m_width || top >= m_height) {
        return;
    }
    const double cx = (static_cast<double>(left) + static_cast<double>(right)) / 2.0;
    const double cy = (static_cast<double>(top) + static_cast<double>(bottom)) / 2.0;
    const double rx = (static_cast<double>(right) - static_cast<double>(left)) / 2.0;
    const double ry = (static_cast<double>(bottom) - static_cast<double>(top)) / 2.0;
    // Stepping both axes gives a closed outline; only the columns and rows inside the picture are
    // visited, so a huge circle costs no more than the picture.
    const long long x0 = std::max<long long>(left, 0);
    const long long x9 = std::min<long long>(right, m_width - 1);
    for (long long x = x0; x <= x9; ++x) {
        const double u = (static_cast<double>(x) - cx) / rx;
        const double h = ry * std::sqrt(std::max(0.0, 1.0 - u * u));
        SetPixel(static_cast<int>(x), static_cast<int>(std::lround(cy - h)), colour);
        SetPixel(static_cast<int>(x), static_cast<int>(std::lround(cy + h)), colour);
    }
    const long long y0 = std::max<long long>(top, 0);
    const long long y9 = std::min<long long>(bottom, m_height - 1);
    for (long long y = y0; y <= y9; ++y) {
        const double v = (static_cast<double>(y) - cy) / ry;
        const double w = rx * std::sqrt(std::max(0.0, 1.0 - v * v));
        SetPixel(static_cast<int>(std::lround(cx - w)), static_cast<int>(y), colour);
        SetPixel(static_cast<int>(std::lround(cx + w)), static_cast<int>(y), colour);
    }
}

void PixelBuffer::Text(long long x, long long y, std::string_view text, Rgb colour) {
    if (y < -7 || y >= m_height || x >= m_width) {
        return;
    }
    for (const char c : text) {
        const auto& rows = GlyphOf(c);
        for (int r = 0; r < 7; ++r) {
            for (int col = 0; col < 5; ++col) {
                if ((rows[static_cast<std::size_t>(r)] & (0x10U >> col)) != 0) {
                    SetPixel(static_cast<int>(x + col), static_cast<int>(y + r), colour);
                }
            }
        }
        x += 6;
        if (x >= m_width) {
            return;
        }
    }
}

FillOutcome PixelBuffer::FloodFill(int x, int y, Rgb border, Rgb colour) {
    FillOutcome out;
    if (!Contains(x, y)) {
        out.kind = FillOutcome::Kind::Open;
        return out;
    }
    if (Pixel(x, y) == border) {
        return out;
    }
    const auto w = static_cast<std::size_t>(m_width);
    std::vector<std::uint8_t> seen(m_pixels.size(), 0);
    const auto open = [&](int px, int py) {
        const std::size_t i = static_cast<std::size_t>(py) * w + static_cast<std::size_t>(px);
        return seen[i] == 0 && m_pixels[i] != border;
    };
    struct Span {
        int y, x0, x1;
    };
    std::vector<Span> spans;
    std::vector<std::pair<int, int>> seeds{{x, y}};
    bool edge = false;
    while (!seeds.empty()) {
        auto [sx, sy] = seeds.back();
        seeds.pop_back();
        if (!open(sx, sy)) {
            continue;
        }
        int x0 = sx;
        int x1 = sx;
        while (x0 > 0 && open(x0 - 1, sy)) {
            --x0;
        }
        while (x1 + 1 < m_width && open(x1 + 1, sy)) {
            ++x1;
        }
        const std::size_t row = static_cast<std::size_t>(sy) * w;
        std::fill(seen.begin() + static_cast<std::ptrdiff_t>(row + static_cast<std::size_t>(x0)),
                  seen.begin() + static_cast<std::ptrdiff_t>(row + static_cast<std::size_t>(x1) + 1), 1);
        spans.push_back({sy, x0, x1});
        if (x0 == 0 || x1 == m_width - 1 || sy == 0 || sy == m_height - 1) {
            edge = true;
            break;
        }
        // One seed per run of open pixels in the rows above and below.
        for (const int ny : {sy - 1, sy + 1}) {
            bool inRun = false;
            for (int nx = x0; nx <= x1; ++nx) {
                const bool o = open(nx, ny);
                if (o && !inRun) {
                    seeds.emplace_back(nx, ny);
                }
                inRun = o;
            }
        }
    }
    if (edge) {
        out.kind = FillOutcome::Kind::Open;
        return out;
    }
    for (const Span& s : spans) {
        const std::size_t row = static_cast<std::size_t>(s.y) * w;
        std::fill(m_pixels.begin() + static_cast<std::ptrdiff_t>(row + static_cast<std::size_t>(s.x0)),
                  m_pixels.begin() + static_cast<std::ptrdiff_t>(row + static_cast<std::size_t>(s.x1) + 1), colour);
        out.pixels += s.x1 - s.x0 + 1;
    }
    out.kind = FillOutcome::Kind::Filled;
    return out;
}

long long PixelBuffer::CountNot(Rgb background, int left, int top, int right, int bottom) const {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, m_width - 1);
    bottom = std::min(bottom, m_height - 1);
    long long n = 0;
    for (int y = top; y <= bottom; ++y) {
        const Rgb* row = m_pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width);
        for (int x = left; x <= right; ++x) {
            n += row[x] != background ? 1 : 0;
        }
    }
    return n;
}

}  // namespace tarvo
