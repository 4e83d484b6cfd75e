// The element graphic `TElement_grafik` ("Grafische Darstellung") as a model: the measured
// elements of the result list drawn to one scale (circles, lines across the view, points and
// angles as markers, each with its line number) with a cross at the origin; the extents, the
// scale and the count it shows; the zoom track bar and "Immer sichtbar". The window draws it with
// QPainter; tarvo-cli into a picture file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "data/resultlist.h"
#include "geometry/referencefits.h"
#include "shell/uitexts.h"
#include "views/graphiccanvas.h"

namespace tarvo {

inline constexpr const char* kElementGraphicSizeFile = "bmpsize2.dat";
inline constexpr const char* kNoBitmapMarker = "nobmp";
inline constexpr int kElementGraphicWidth = 2000;
inline constexpr int kElementGraphicHeight = 1200;
inline constexpr const char* kElementGraphicPicture = "grafik.png";
// The length in pixels the largest deviation of an element's points is drawn with (at most).
inline constexpr int kWhiskerPixels = 40;

// What a result line is to the element graphic: the first result name it contains, tested in
// the order circle, symmetry line, point, angle, line. A circle counts only with its size kind
// ("D" or "R") in its column: the area of a stored circle is named "Kreis" too.
enum class ElementKind { None, Circle, SymmetryLine, Point, Angle, Line };
[[nodiscard]] ElementKind ElementKindOf(const std::string& line, const UiTexts& texts);

// A bitmap size file ("bmpsize2.dat", "bmpsize.dat"): width and height, one whole number per
// line. The defaults when the file is missing or does not hold two positive numbers (at most
// 20 000 each, so a typing error cannot take the station's memory).
struct BitmapSize {
    int width;
    int height;
};
[[nodiscard]] BitmapSize ReadBitmapSize(const std::filesystem::path& file, BitmapSize defaults);

class ElementGraphic final {
public:
    // FormCreate: no bitmap with "nobmp" in `dir`; the size from "bmpsize2.dat" when present.
    ElementGraphic(const std::filesystem::path& dir, const UiTexts& texts);

    [[nodiscard]] bool BitmapReady() const noexcept { return m_ready; }
    [[nodiscard]] int Width() const noexcept { return m_size.width; }
    [[nodiscard]] int Height() const noexcept { return m_size.height; }

    // Grafik1Click: takes a copy of the result list (`lb1`), the first line selected; from a
    // ResultList with the points its circles and lines keep, drawn as whiskers: each point's
    // deviation from the reference element magnified by one factor for the element (shown beside
    // it as "x200"), the largest in red.
    void SetLines(std::vector<std::string> lines) {
        m_lines = std::move(lines);
        m_kept.assign(m_lines.size(), {});
    }
    void SetLines(const ResultList& list);
    [[nodiscard]] const std::vector<std::string>& Lines() const noexcept { return m_lines; }

    // BitBtn4Click ("Zeichnen"): recomputes extents and scale and draws everything; nothing
    // without a bitmap.
    void Draw(GraphicCanvas& canvas);

    // The track bar "Zoom out" (1..30): the zoom margin is its position * 0.1.
    void SetTrackBar(int position);
    [[nodiscard]] int TrackBar() const noexcept { return m_trackBar; }
    [[nodiscard]] double ZoomMargin() const noexcept { return m_trackBar * 0.1; }
    bool AlwaysVisible = false;  // `cb1` "Immer sichtbar"
    bool Shown = false;          // the window is on the screen: it follows every change

    // What the right panel shows after a drawing: "Max X", "Min X", "Max Y", "Min Y" (the
    // elements' extents, 3 decimals), "# Elemente", "Offset" and "Faktor".
    struct Panel {
        std::string maxX, minX, maxY, minY, count, offset, factor;
        std::string deviations;  // the whiskers' factor of the last element drawn with them
    };
    [[nodiscard]] const Panel& Labels() const noexcept { return m_panel; }
    [[nodiscard]] int ElementCount() const noexcept { return m_count; }
    // The view after the zoom margin and the equal-scale step, in millimetres.
    struct View {
        long double minX = 0, minY = 0, rangeX = 0, rangeY = 0;
    };
    [[nodiscard]] const View& ViewBox() const noexcept { return m_view; }
    // The pixel of a point in millimetres, as the last drawing mapped it.
    [[nodiscard]] std::pair<long long, long long> PixelOf(long double x, long double y) const;

private:
    [[nodiscard]] long double RadiusOf(const std::string& line) const;
    // The whiskers of line `i` (0-based) when it keeps points; `mmPerPixel` the scale.
    void DrawWhiskers(GraphicCanvas& canvas, std::size_t i, ElementKind kind, long double mmPerPixel);

    const UiTexts& m_texts;
    BitmapSize m_size{kElementGraphicWidth, kElementGraphicHeight};
    bool m_ready = false;
    std::vector<std::string> m_lines;
    std::vector<std::vector<FitPoint>> m_kept;  // beside m_lines
    int m_trackBar = 1;
    Panel m_panel;
    int m_count = 0;
    View m_view;
};

}  // namespace tarvo
