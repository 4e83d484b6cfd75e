#include "views/elementgraphic.h"

#include <algorithm>
#include <cmath>

#include "base/fileio.h"
#include "base/text.h"
#include "data/resultline.h"
#include "geometry/circlefit.h"
#include "geometry/lines.h"
#include "geometry/pointlist.h"
#include "shell/uitexts.h"

namespace tarvo {

namespace {

// Result names the kinds are told by, in the order they are tested.
struct KindName {
    int name;
    ElementKind kind;
};
constexpr KindName kKindNames[] = {{kResultCircle, ElementKind::Circle},
                                   {kResultSymmetryLine, ElementKind::SymmetryLine},
                                   {kResultPoint, ElementKind::Point},
                                   {kResultAngle, ElementKind::Angle},
                                   {kResultLine, ElementKind::Line}};

Rgb ColourOf(ElementKind kind) {
    switch (kind) {
        case ElementKind::Circle:
            return kRgbBlue;
        case ElementKind::SymmetryLine:
            return kRgbGrey;
        case ElementKind::Point:
        case ElementKind::Angle:
            return kRgbGreen;
        case ElementKind::Line:
            return kRgbRed;
        case ElementKind::None:
            break;
    }
    return kRgbBlack;
}

// A pixel coordinate far beyond any picture stays a usable number.
long long Pixel(long double v) { return std::llround(std::clamp(v, -1e12L, 1e12L)); }

constexpr int kMaxBitmapSide = 20000;

// The reference named in a result line (" LSCI" ...), the first of `names` found.
template <typename Method, std::size_t N>
bool NamedMethod(const std::string& line, const Method (&methods)[N], Method& out) {
    for (const Method m : methods) {
        if (line.find(" " + std::string(MethodName(m))) != std::string::npos) {
            out = m;
            return true;
        }
    }
    return false;
}

// The largest "nice" factor (1, 2 or 5 times a power of ten) at most `f`, at least 1.
long double NiceFactor(long double f) {
    if (!(f > 1)) {
        return 1;
    }
    const long double p = std::pow(10.0L, std::floor(std::log10(f)));
    for (const long double k : {5.0L, 2.0L, 1.0L}) {
        if (k * p <= f) {
            return k * p;
        }
    }
    return p;
}

// A point's deviation from the reference element and where on the element it is measured from,
// with the direction it points to.
struct Deviation {
    long double d;
    long double bx, by;  // on the element
    long double nx, ny;  // unit direction of a positive deviation
};

std::vector<Deviation> CircleDeviations(const std::string& line, const std::vector<FitPoint>& points) {
    constexpr CircleMethod kMethods[] = {CircleMethod::LSCI, CircleMethod::MZCI, CircleMethod::MICI,
                                         CircleMethod::MCCI};
    long double cx = 0, cy = 0, r = 0;
    CircleMethod m{};
    if (NamedMethod(line, kMethods, m)) {
        const ReferenceCircle c = FitCircle(points, m);
        if (!c.ok) {
            return {};
        }
        cx = c.cx;
        cy = c.cy;
        r = c.radius;
    } else {
        PointList list;
        for (std::size_t i = 0; i < points.size() && i < static_cast<std::size_t>(kMaxListPoints); ++i) {
            list.Add(points[i].x, points[i].y);
        }
        GeometryState state;
        const CircleResult c = CircleFit(list, state);
        cx = c.cx;
        cy = c.cy;
        r = c.radius;
    }
    std::vector<Deviation> out;
    for (const FitPoint& p : points) {
        const long double dx = p.x - cx;
        const long double dy = p.y - cy;
        const long double dist = std::hypot(dx, dy);
        if (dist == 0) {
            continue;
        }
        out.push_back({dist - r, cx + r * dx / dist, cy + r * dy / dist, dx / dist, dy / dist});
    }
    return out;
}

std::vector<Deviation> LineDeviations(const std::string& line, const std::vector<FitPoint>& points) {
    constexpr LineMethod kMethods[] = {LineMethod::LSLI, LineMethod::MZLI};
    LineMethod m = LineMethod::LSLI;  // the program's own fit minimises the same squares
    (void)NamedMethod(line, kMethods, m);
    const ReferenceLine l = FitLine(points, m);
    if (!l.ok) {
        return {};
    }
    std::vector<Deviation> out;
    for (const FitPoint& p : points) {
        const long double d = (p.x - l.px) * -l.uy + (p.y - l.py) * l.ux;
        out.push_back({d, p.x + d * l.uy, p.y - d * l.ux, -l.uy, l.ux});
    }
    return out;
}

}  // namespace

ElementKind ElementKindOf(const std::string& line, const UiTexts& texts) {
    for (const KindName& k : kKindNames) {
        const std::string& name = texts.ResultName(k.name);
        if (name.empty() || line.find(name) == std::string::npos) {
            continue;
        }
        // Only a circle result carries its size kind ("D" or "R"); other lines that name the
        // circle (the area of a stored circle, whose value is an area) are no circle to draw.
        if (k.kind == ElementKind::Circle && !CircleSizeIs(line, kResultDiameter, texts) &&
            !CircleSizeIs(line, kResultRadius, texts)) {
            continue;
        }
        return k.kind;
    }
    return ElementKind::None;
}

BitmapSize ReadBitmapSize(const std::filesystem::path& file, BitmapSize defaults) {
    const auto lines = ReadTextLines(file);
    if (!lines) {
        return defaults;
    }
    const NumberRead w = lines->size() >= 2 ? ReadNumberChecked((*lines)[0]) : NumberRead{};
    const NumberRead h = lines->size() >= 2 ? ReadNumberChecked((*lines)[1]) : NumberRead{};
    const auto usable = [](const NumberRead& n) { return n.ok && n.value >= 1 && n.value <= kMaxBitmapSide; };
    if (!usable(w) || !usable(h)) {
        NoteFileDamage(file, FileDamage::NotNumbers);
        return defaults;
    }
    NoteFileWhole(file);
    return {static_cast<int>(w.value), static_cast<int>(h.value)};
}

ElementGraphic::ElementGraphic(const std::filesystem::path& dir, const UiTexts& texts) : m_texts(texts) {
    if (FileExists(dir / kNoBitmapMarker)) {
        return;
    }
    m_size = ReadBitmapSize(dir / kElementGraphicSizeFile, m_size);
    m_ready = true;
}

void ElementGraphic::SetLines(const ResultList& list) {
    m_lines = list.Lines();
    m_kept.clear();
    for (int i = 0; i < list.Count(); ++i) {
        m_kept.push_back(list.KeptPoints(i));
    }
}

void ElementGraphic::DrawWhiskers(GraphicCanvas& canvas, std::size_t i, ElementKind kind, long double mmPerPixel) {
    if (i >= m_kept.size() || m_kept[i].empty()) {
        return;
    }
    const std::string& text = m_lines[i];
    const std::vector<Deviation> devs =
        kind == ElementKind::Circle ? CircleDeviations(text, m_kept[i]) : LineDeviations(text, m_kept[i]);
    long double largest = 0;
    std::size_t worst = 0;
    for (std::size_t k = 0; k < devs.size(); ++k) {
        if (std::fabs(devs[k].d) > largest) {
            largest = std::fabs(devs[k].d);
            worst = k;
        }
    }
    if (largest == 0 || !(mmPerPixel > 0)) {
        return;
    }
    const long double factor = NiceFactor(kWhiskerPixels * mmPerPixel / largest);
    for (std::size_t k = 0; k < devs.size(); ++k) {
        const Deviation& v = devs[k];
        const long double len = v.d * factor;
        const auto a = PixelOf(v.bx, v.by);
        const auto b = PixelOf(v.bx + len * v.nx, v.by + len * v.ny);
        canvas.SetPen(k == worst ? kRgbRed : kRgbBlack);
        canvas.Line(a.first, a.second, b.first, b.second);
        canvas.Rectangle(b.first - 1, b.second - 1, b.first + 1, b.second + 1);
    }
    m_panel.deviations = m_texts.Compose(kMsgWhiskerFactor, {FormatReal(factor, 0, 0)});
    // Beside the largest: "x200", which the picture file's small font writes too.
    const auto at = PixelOf(devs[worst].bx, devs[worst].by);
    canvas.Text(at.first + 4, at.second + 4, "x" + FormatReal(factor, 0, 0));
}

void ElementGraphic::SetTrackBar(int position) { m_trackBar = std::clamp(position, 1, 30); }

long double ElementGraphic::RadiusOf(const std::string& line) const {
    const long double v = ReadValue(line).value;
    return CircleSizeIs(line, kResultDiameter, m_texts) ? v / 2 : v;
}

std::pair<long long, long long> ElementGraphic::PixelOf(long double x, long double y) const {
    const long double w = m_size.width;
    const long double h = m_size.height;
    return {Pixel((x - m_view.minX) * w / m_view.rangeX), m_size.height - Pixel((y - m_view.minY) * h / m_view.rangeY)};
}

void ElementGraphic::Draw(GraphicCanvas& canvas) {
    if (!m_ready) {
        return;
    }
    canvas.Clear(kRgbWhite);
    // The area 0..50 x 0..25 mm is always in view.
    long double minX = 0;
    long double minY = 0;
    long double maxX = 50;
    long double maxY = 25;
    int count = 0;
    for (const std::string& line : m_lines) {
        const ElementKind kind = ElementKindOf(line, m_texts);
        if (kind == ElementKind::None) {
            continue;
        }
        const long double x = ReadX(line).value;
        const long double y = ReadY(line).value;
        const long double r = kind == ElementKind::Circle ? std::fabs(RadiusOf(line)) : 0;
        minX = std::min(minX, x - r);
        maxX = std::max(maxX, x + r);
        minY = std::min(minY, y - r);
        maxY = std::max(maxY, y + r);
        ++count;
    }
    m_count = count;
    m_panel.maxX = FormatReal(maxX, 0, 3);
    m_panel.minX = FormatReal(minX, 0, 3);
    m_panel.maxY = FormatReal(maxY, 0, 3);
    m_panel.minY = FormatReal(minY, 0, 3);
    m_panel.count = std::to_string(m_count);
    m_panel.offset = FormatReal(-minX, 0, 3) + "/" + FormatReal(-minY, 0, 3);
    m_panel.deviations.clear();

    // The zoom margin; the minimum moves by the already enlarged width.
    const long double z = ZoomMargin();
    maxX += (maxX - minX) * z;
    maxY += (maxY - minY) * z;
    minX -= (maxX - minX) * z;
    minY -= (maxY - minY) * z;
    long double rx = maxX - minX;
    long double ry = maxY - minY;
    const long double w = m_size.width;
    const long double h = m_size.height;
    m_panel.factor = FormatReal(rx / w, 0, 3) + " mm/p";
    // One scale for both axes: the shorter range grows from its minimum.
    if (w / h > rx / ry) {
        rx = ry * w / h;
    } else if (w / h < rx / ry) {
        ry = rx * h / w;
    }
    m_view = {minX, minY, rx, ry};

    canvas.SetPen(kRgbBlack);
    const auto line = [&](long double x1, long double y1, long double x2, long double y2) {
        const auto a = PixelOf(x1, y1);
        const auto b = PixelOf(x2, y2);
        canvas.Line(a.first, a.second, b.first, b.second);
    };
    line(-10, 0, 10, 0);
    line(0, -10, 0, 10);
    const auto zero = PixelOf(-2, 2);
    canvas.Text(zero.first, zero.second, "0");

    int i = 0;
    for (const std::string& text : m_lines) {
        ++i;
        const ElementKind kind = ElementKindOf(text, m_texts);
        if (kind == ElementKind::None) {
            continue;
        }
        const long double x = ReadX(text).value;
        const long double y = ReadY(text).value;
        const auto [px, py] = PixelOf(x, y);
        canvas.SetPen(ColourOf(kind));
        canvas.Rectangle(px - 2, py - 2, px + 2, py + 2);
        canvas.Text(px, py, std::to_string(i));
        if (kind == ElementKind::Circle) {
            const long long rp = Pixel(RadiusOf(text) * w / rx);
            canvas.Ellipse(px - rp, py - rp, px + rp, py + rp);
        } else if (kind == ElementKind::Line || kind == ElementKind::SymmetryLine) {
            const long double a = ReadAngleValue(text);
            const XY ahead = PolarOffset(x, y, a, rx);
            const XY behind = PolarOffset(x, y, a, -rx);
            line(x, y, ahead.x, ahead.y);
            line(x, y, behind.x, behind.y);
        }
        if (kind == ElementKind::Circle || kind == ElementKind::Line) {
            DrawWhiskers(canvas, static_cast<std::size_t>(i - 1), kind, rx / w);
        }
    }
}

}  // namespace tarvo
