// The bitmap view `TBMP_View` ("Grafische Darstellung") as a model: the points of the point
// memory drawn as a closed polygon onto a large picture at the first scale of a fixed list that
// fits, its perimeter ("Linienlänge:"), and the area of the region the operator clicks into,
// filled and counted pixel by pixel ("Fläche in mm²:"). The area command (`SpeedButton14`,
// program word "FLAECHE") turns its result into a result line.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "views/pixelbuffer.h"

namespace tarvo {

struct CommandContext;

inline constexpr const char* kBitmapSizeFile = "bmpsize.dat";
inline constexpr int kBitmapWidth = 3000;
inline constexpr int kBitmapHeight = 1500;
inline constexpr int kOverviewWidth = 80;
inline constexpr int kOverviewHeight = 40;
// The result before an area has been measured.
inline constexpr long double kNoArea = -99999.999L;
// Pixels per millimetre, tried in this order.
inline constexpr double kBitmapScales[] = {1000, 500, 100, 50, 10, 1, 0.5, 0.1, 0.05, 0.01, 0.005, 0.001};

class BitmapView final {
public:
    // FormCreate: nothing with "nobmp" in `dir`; the size from "bmpsize.dat" when present.
    explicit BitmapView(const std::filesystem::path& dir);

    // Whether the view has a picture (no "nobmp").
    [[nodiscard]] bool Available() const noexcept { return m_size.width > 0; }

    // `lb1`: the point items, "X:Y", filled by the caller.
    std::vector<std::string> lb1;

    // FormShow: no result yet ("Ergebnis:", −99999.999, centre 0/0), a clean picture (made at
    // the first showing, so the start-up does not wait for it).
    void FormShow();
    // "Zeichnen": the polygon, closed, at the first scale that fits. False (with `Problem()`)
    // when the list has fewer than three distinct points; nothing is drawn then.
    bool Draw();
    // "Fläche": the next click into the picture measures an area.
    void StartArea();
    // A mouse-down at pixel (x, y) of the picture. In area mode: fills the enclosed region
    // around it, counts and takes the area as the result (true). A click on the outline or
    // outside every enclosed region measures nothing (false, with `Problem()`) and the view
    // waits for the next click.
    bool Click(int x, int y);
    // "Bild Löschen": a white picture and overview; "Fläche" disabled.
    void Clear();
    // "OK" ends the dialog with OK only when an area was measured.
    [[nodiscard]] bool Ok() const noexcept { return m_result >= 0; }

    [[nodiscard]] long double Result() const noexcept { return m_result; }
    [[nodiscard]] long double CentreX() const noexcept { return m_centreX; }
    [[nodiscard]] long double CentreY() const noexcept { return m_centreY; }
    [[nodiscard]] double Scale() const noexcept { return m_scale; }
    // The drawn outline's length in pixels.
    [[nodiscard]] long double Perimeter() const noexcept { return m_perimeter; }
    // The pixel of a point given in the point list's millimetres, as the last drawing mapped it.
    [[nodiscard]] std::pair<int, int> PixelOf(long double x, long double y) const;

    [[nodiscard]] bool AreaMode() const noexcept { return m_areaMode; }
    [[nodiscard]] bool AreaEnabled() const noexcept { return m_areaEnabled; }  // "Fläche"
    [[nodiscard]] const std::string& Problem() const noexcept { return m_problem; }
    [[nodiscard]] const PixelBuffer& Bitmap() const noexcept { return m_bitmap; }
    [[nodiscard]] const PixelBuffer& Overview() const noexcept { return m_overview; }
    [[nodiscard]] int OverviewRatio() const noexcept { return m_ratio; }

    // What the right panel and the status line show (Windows-1252).
    std::string Label3;  // scale: "100/0.01 mm/p"
    std::string Label4;  // offset X
    std::string Label5;  // offset Y
    std::string Label6;  // the result's value
    std::string Label7;  // overview ratio
    std::string Label8;  // "Ergebnis:", "Linienlänge:", "Fläche in mm²:"
    std::string Status;  // "In die Fläche klicken" while waiting for the click

private:
    struct Size {
        int width = 0, height = 0;
    };
    Size m_size;
    PixelBuffer m_bitmap;
    PixelBuffer m_overview;
    Rgb m_background = kRgbWhite;
    double m_scale = 1000;
    int m_ratio = 1;
    long double m_offsetX = 0, m_offsetY = 0;
    long double m_minX = 0, m_minY = 0, m_maxX = 0, m_maxY = 0;
    int m_mx = 0, m_my = 0;
    long double m_perimeter = 0;
    bool m_areaMode = false;
    bool m_areaEnabled = false;
    long double m_result = kNoArea;
    long double m_centreX = 0, m_centreY = 0;
    std::string m_problem;
};

// The area command (`SpeedButton14`, "FLAECHE"): at least three points, else "Zuwenig Punkte"
// and the count; the bitmap view shows all point items; on OK the line "Fläche" with the area and
// the centre of the polygon's box, "FLAECHE" while recording, and the question whether to clear
// the point memory.
void MeasureArea(CommandContext& ctx, BitmapView& view);

}  // namespace tarvo
