#include "views/methodsketch.h"

#include "base/cp1252.h"

namespace tarvo {

namespace {

using K = SketchItem::Kind;
using F = SketchItem::Fill;

SketchItem Line(std::vector<int> xy) { return {K::Polyline, std::move(xy), F::Silver, {}}; }
SketchItem Circle(int l, int t, int r, int b, F fill = F::Silver) { return {K::Ellipse, {l, t, r, b}, fill, {}}; }
SketchItem Dot(int l, int t, int r, int b) { return {K::Ellipse, {l, t, r, b}, F::Yellow, {}}; }
SketchItem Number(const char* n, int x, int y) { return {K::Text, {x, y}, F::Silver, n}; }

void Add(MethodSketch& s, std::initializer_list<SketchItem> items) { s.items.insert(s.items.end(), items); }

const char* const kNames[] = {"Kreis",
                              "Abstand 2 Punkte",
                              "Winkel aus 4 Punkten",
                              "Abstand Gerade Punkt",
                              "Symetriegerade",
                              "Gerade",
                              "Ausrichtung über 2 Geraden",
                              "Ausrichtung über 1 Gerade",
                              "Ausrichtung über Punkt - Gerade",
                              "Schnitt Kreis-Gerade",
                              "Schnitt Kreis-Kreis"};

void CircleDots(MethodSketch& s) { Add(s, {Dot(61, 40, 76, 55), Dot(163, 40, 178, 55), Dot(115, 132, 130, 147)}); }
void FourDots(MethodSketch& s) {
    Add(s, {Dot(82, 52, 97, 67), Dot(152, 32, 167, 47), Dot(82, 92, 97, 107), Dot(152, 112, 167, 127),
            Number("2", 70, 40), Number("1", 140, 20), Number("3", 70, 80), Number("4", 140, 100)});
}
void BaseLineDots(MethodSketch& s, const char* first, const char* second) {
    Add(s, {Dot(52, 142, 67, 157), Dot(152, 142, 167, 157), Number(first, 40, 130), Number(second, 140, 130)});
}

}  // namespace

std::optional<MethodSketch> MethodSketchOf(int method) {
    if (method < 1 || method > 11) {
        return std::nullopt;
    }
    MethodSketch s;
    s.caption = Ansi(kNames[method - 1]);
    switch (method) {
        case 1:
            Add(s, {Circle(60, 20, 180, 140)});
            CircleDots(s);
            break;
        case 2:
            Add(s, {Line({90, 60, 160, 40}), Dot(82, 52, 97, 67), Dot(152, 32, 167, 47)});
            break;
        case 3:
            Add(s, {Line({20, 80, 230, 20}), Line({20, 80, 230, 140})});
            FourDots(s);
            break;
        case 4:
            Add(s, {Line({30, 20, 30, 150}), Dot(22, 42, 37, 57), Dot(22, 102, 37, 117), Dot(152, 80, 167, 95),
                    Number("1", 10, 42), Number("2", 10, 102), Number("3", 140, 80)});
            break;
        case 5:
            Add(s, {Line({30, 74, 230, 20}), Line({30, 86, 230, 140})});
            FourDots(s);
            break;
        case 6:
            Add(s, {Line({20, 80, 230, 20}), Dot(82, 52, 97, 67), Dot(152, 32, 167, 47)});
            break;
        case 7:
            Add(s, {Line({30, 20, 30, 150, 230, 150}), Dot(22, 42, 37, 57), Dot(22, 102, 37, 117), Number("1", 10, 42),
                    Number("2", 10, 102)});
            BaseLineDots(s, "3", "4");
            break;
        case 8:
            Add(s, {Line({30, 150, 230, 150})});
            BaseLineDots(s, "1", "2");
            break;
        case 9:
            Add(s, {Line({30, 150, 230, 150}), Circle(80, 40, 160, 120), Dot(112, 72, 127, 87), Number("1", 100, 60)});
            BaseLineDots(s, "2", "3");
            break;
        case 10:
            Add(s, {Circle(60, 20, 180, 140), Line({20, 80, 230, 20})});
            CircleDots(s);
            Add(s, {Dot(20, 73, 35, 88), Dot(215, 13, 230, 28), Number("1", 50, 50), Number("2", 153, 50),
                    Number("3", 105, 145), Number("4", 10, 63), Number("5", 205, 23)});
            break;
        default:  // 11
            Add(s, {Circle(20, 15, 140, 135), Circle(110, 50, 230, 170, F::Clear), Dot(21, 35, 36, 50),
                    Dot(123, 35, 138, 50), Dot(75, 127, 90, 142), Dot(111, 70, 126, 85), Dot(213, 70, 228, 85),
                    Dot(165, 162, 180, 177), Number("1", 10, 50), Number("2", 113, 20), Number("3", 65, 115),
                    Number("4", 100, 80), Number("5", 203, 80), Number("6", 160, 145), Circle(135, 57, 140, 62, F::Red),
                    Circle(110, 123, 115, 128, F::Red)});
            break;
    }
    return s;
}

}  // namespace tarvo
