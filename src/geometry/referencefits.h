// Reference elements of the form standards for circles and lines, as an alternative to the
// program's own circle search:
//   circles  LSCI least squares (orthogonal distances), MZCI minimum zone, MICI maximum
//            inscribed, MCCI minimum circumscribed;
//   lines    LSLI least squares (orthogonal distances), MZLI minimum zone.
// Plain doubles, any number of points. Bad input gives a result with ok = false and a reason,
// never NaN or an exception.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tarvo {

struct FitPoint {
    double x = 0;
    double y = 0;
};

enum class CircleMethod { LSCI, MZCI, MICI, MCCI };
enum class LineMethod { LSLI, MZLI };

// "LSCI", "MZCI", ... and back (nothing for an unknown name, case-insensitive).
[[nodiscard]] std::string_view MethodName(CircleMethod m);
[[nodiscard]] std::string_view MethodName(LineMethod m);
[[nodiscard]] bool ParseCircleMethod(std::string_view name, CircleMethod& out);
[[nodiscard]] bool ParseLineMethod(std::string_view name, LineMethod& out);

struct ReferenceCircle {
    bool ok = false;
    std::string reason;  // why there is no circle (ok = false)
    double cx = 0;
    double cy = 0;
    double radius = 0;
    // Largest minus smallest point distance from the centre: the roundness about the least-squares
    // circle, the zone width of the minimum zone, the peak-to-valley deviation from the inscribed
    // and the circumscribed circle.
    double roundness = 0;
};

struct ReferenceLine {
    bool ok = false;
    std::string reason;
    // A point of the line (for LSLI the centroid, for MZLI the middle of the zone at the
    // projection of the centroid) and the unit direction, ux > 0 or ux = 0 and uy > 0.
    double px = 0;
    double py = 0;
    double ux = 1;
    double uy = 0;
    // Largest minus smallest signed distance of the points from the line (for MZLI the zone width).
    double straightness = 0;
};

[[nodiscard]] ReferenceCircle FitCircle(std::span<const FitPoint> points, CircleMethod method);
[[nodiscard]] ReferenceLine FitLine(std::span<const FitPoint> points, LineMethod method);

}  // namespace tarvo
