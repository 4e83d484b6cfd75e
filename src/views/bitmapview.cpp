#include "views/bitmapview.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "base/cp1252.h"
#include "base/fileio.h"
#include "base/text.h"
#include "data/commandcontext.h"
#include "views/elementgraphic.h"

namespace tarvo {

namespace {

long long Round(long double v) { return std::llround(std::clamp(v, -1e12L, 1e12L)); }

// Pixels a drawing leaves free across the picture: the centring splits them, so each side keeps
// at least 2, the bottom row (h - my) at least one row inside with a row to spare.
constexpr long long kMarginPixels = 4;

}  // namespace

BitmapView::BitmapView(const std::filesystem::path& dir) {
    if (FileExists(dir / kNoBitmapMarker)) {
        return;
    }
    const BitmapSize size = ReadBitmapSize(dir / kBitmapSizeFile, {kBitmapWidth, kBitmapHeight});
    m_size = {size.width, size.height};
    Label8 = Ansi("Ergebnis:");
}

void BitmapView::FormShow() {
    if (Available() && m_bitmap.Width() == 0) {
        m_bitmap = PixelBuffer(m_size.width, m_size.height);
        m_background = m_bitmap.Pixel(0, 0);
        m_overview = PixelBuffer(kOverviewWidth, kOverviewHeight);
    }
    Label8 = Ansi("Ergebnis:");
    Label6.clear();
    Status.clear();
    m_problem.clear();
    m_result = kNoArea;
    m_centreX = 0;
    m_centreY = 0;
    m_areaMode = false;
    Clear();
}

std::pair<int, int> BitmapView::PixelOf(long double x, long double y) const {
    const long long px = Round(m_scale * (x + m_offsetX)) + m_mx;
    const long long py = m_bitmap.Height() - Round(m_scale * (y + m_offsetY)) - m_my;
    return {static_cast<int>(std::clamp<long long>(px, -1000000, 1000000)),
            static_cast<int>(std::clamp<long long>(py, -1000000, 1000000))};
}

bool BitmapView::Draw() {
    m_problem.clear();
    if (m_bitmap.Width() == 0) {
        return false;
    }
    std::vector<Point> points;
    std::set<std::pair<long double, long double>> distinct;
    for (const std::string& item : lb1) {
        const Point p = ParsePointItem(item);
        points.push_back(p);
        distinct.emplace(p.x, p.y);
    }
    if (distinct.size() < 3) {
        m_problem = Ansi("Eine Fläche braucht mindestens drei verschiedene Punkte.");
        return false;
    }
    // Each drawing starts on a clean picture: what an earlier drawing left would be counted too.
    Clear();
    m_minX = m_minY = 99999;
    m_maxX = -9999;
    m_maxY = -99999;
    for (const Point& p : points) {
        m_minX = std::min<long double>(m_minX, p.x);
        m_minY = std::min<long double>(m_minY, p.y);
        m_maxX = std::max<long double>(m_maxX, p.x);
        m_maxY = std::max<long double>(m_maxY, p.y);
    }
    m_centreX = (m_maxX + m_minX) * 0.5L;
    m_centreY = (m_maxY + m_minY) * 0.5L;
    const long double rx = m_maxX - m_minX;
    const long double ry = m_maxY - m_minY;
    const int w = m_bitmap.Width();
    const int h = m_bitmap.Height();
    // A scale fits when the outline, at its rounded pixels and centred, keeps at least one
    // pixel of margin on every side. The Y mapping puts the lowest point on row
    // h - my, so a polygon barely under the picture's size would be drawn one row outside it
    // and no click could be closed in: it needs the smaller scale.
    m_scale = kBitmapScales[std::size(kBitmapScales) - 1];
    for (const double k : kBitmapScales) {
        if (Round(rx * k) + kMarginPixels <= w && Round(ry * k) + kMarginPixels <= h) {
            m_scale = k;
            break;
        }
    }
    m_ratio = std::max(1, static_cast<int>(std::lround(static_cast<double>(w) / kOverviewWidth)));
    Label3 = FormatReal(m_scale, 0, 0) + "/" + FormatReal(1.0L / m_scale, 0, 2) + " mm/p";
    Label7 = std::to_string(m_ratio);
    m_offsetX = -m_minX;
    m_offsetY = -m_minY;
    Label4 = FormatReal(m_offsetX, 0, 3);
    Label5 = FormatReal(m_offsetY, 0, 3);
    // The drawing is centred.
    m_mx = static_cast<int>(Round(w - m_scale * rx) / 2);
    m_my = static_cast<int>(Round(h - m_scale * ry) / 2);

    m_perimeter = 0;
    const auto segment = [&](const Point& a, const Point& b) {
        const auto [x1, y1] = PixelOf(a.x, a.y);
        const auto [x2, y2] = PixelOf(b.x, b.y);
        m_bitmap.Line(x1, y1, x2, y2, kRgbBlack);
        m_overview.Line(x1 / m_ratio, y1 / m_ratio, x2 / m_ratio, y2 / m_ratio, kRgbBlack);
        m_perimeter += std::hypot(static_cast<long double>(x2 - x1), static_cast<long double>(y2 - y1));
    };
    for (std::size_t i = 1; i < points.size(); ++i) {
        segment(points[i - 1], points[i]);
    }
    segment(points.back(), points.front());
    Label8 = Ansi("Linienlänge:");
    Label6 = FormatReal(m_perimeter / m_scale, 0, 1);
    m_areaEnabled = true;
    return true;
}

void BitmapView::StartArea() {
    if (!m_areaEnabled) {
        return;
    }
    m_areaMode = true;
    m_problem.clear();
    Status = Ansi("In die Fläche klicken");
}

bool BitmapView::Click(int x, int y) {
    if (!m_areaMode) {
        return false;
    }
    const FillOutcome fill = m_bitmap.FloodFill(x, y, kRgbBlack, kRgbGrey);
    if (fill.kind == FillOutcome::Kind::OnBorder) {
        m_problem = Ansi("Der Klick liegt auf der Linie, nicht in einer Fläche. Bitte in die Fläche klicken.");
        return false;
    }
    if (fill.kind == FillOutcome::Kind::Open) {
        m_problem = Ansi("Der Klick liegt außerhalb jeder geschlossenen Fläche. Bitte in die Fläche klicken.");
        return false;
    }
    (void)m_overview.FloodFill(x / m_ratio, y / m_ratio, kRgbBlack, kRgbGrey);
    m_areaMode = false;
    Status.clear();
    // Everything inside the drawing's box that is not background: the outline and the fill.
    const int left = m_mx;
    const int right = m_mx + static_cast<int>(Round(m_scale * (m_maxX - m_minX))) + 1;
    const long long count = m_bitmap.CountNot(m_background, left, m_my, right, m_bitmap.Height() - m_my);
    const long double s2 = static_cast<long double>(m_scale) * m_scale;
    // Half of the one-pixel outline lies outside the region.
    const long double area = static_cast<long double>(count) / s2 - m_perimeter * 0.5L / s2;
    Label8 = Ansi("Fläche in mm²:");
    Label6 = FormatReal(area, 0, 2);
    m_result = area;
    return true;
}

void BitmapView::Clear() {
    if (m_bitmap.Width() == 0) {
        return;
    }
    m_bitmap.Fill(kRgbWhite);
    m_background = kRgbWhite;
    m_overview.Fill(kRgbWhite);
    m_areaEnabled = false;
    m_areaMode = false;
}

void MeasureArea(CommandContext& ctx, BitmapView& view) {
    if (ctx.run.AbortRequested != 0) {
        return;
    }
    if (!view.Available()) {
        ctx.op.ShowInfo(Ansi("Die Flächenmessung ist abgeschaltet (Datei \"nobmp\")."));
        return;
    }
    const int n = ctx.PointCount();
    if (n < 3) {
        ctx.op.ShowInfo(ctx.UiText(kTextTooFewPoints) + std::to_string(n));
        return;
    }
    view.lb1 = ctx.points.Items();
    view.FormShow();
    if (!ctx.op.ShowBitmapView(view)) {
        return;
    }
    ctx.ListResult(ctx.Label(kResultArea, 11), FieldText(ctx, view.Result()),
                   {FieldText(ctx, view.CentreX()), FieldText(ctx, view.CentreY())});
    ctx.Record(word::kArea);
    if (ctx.op.Ask(ctx.UiText(kTextClearPoints), Buttons::YesNo)) {
        ctx.ClearPoints();
    }
}

}  // namespace tarvo
