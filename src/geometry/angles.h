// Angles in degrees, counter-clockwise from +X: conversions, the trigonometry every
// measuring function shares, and the degree-minute-second text of results and reports.
#pragma once

#include <string>
#include <string_view>

#include "base/real.h"

namespace tarvo {

inline constexpr long double kPi = 3.141592653589793L;

// `a` less `period` as often as it stays above `period` (so `period` itself stays), and `a`
// plus `period` as often as it is below 0. Computed in one step: each single subtraction
// would be exact anyway, and a loop would never end for huge angles.
[[nodiscard]] Real FoldDown(Real a, long double period);
[[nodiscard]] Real RaiseToPositive(Real a, long double period);

// Radians of `a` after folding: 360 is subtracted while a > 360 (360 itself stays 360,
// negative angles are not raised).
[[nodiscard]] Real DegToRad(Real a);
// Sine and cosine of an angle in degrees, through DegToRad; an argument the processor cannot
// evaluate gives 0.
[[nodiscard]] long double SinDeg(long double a);
[[nodiscard]] long double CosDeg(long double a);
// tan(a) for -90 < a < 90, computed through the sine; elsewhere it has the sign of sin(a).
[[nodiscard]] Real TanDeg(Real a);
// arctan(x) in degrees, in (-90, 90).
[[nodiscard]] Real ArcTanDeg(long double x);
// arcsin(x) in degrees for 0 <= x <= 1.
[[nodiscard]] Real ArcSinDeg(long double x);
// Direction of the vector P1 -> P2 in [0, 360): right 0, up 90, left 180, down 270; 0 for P1 = P2.
[[nodiscard]] Real DirectionAngle(Real x1, Real y1, Real x2, Real y2);
// Slope angle of the segment P1-P2 in (-90, 90); 90 or 270 when vertical, 0 for P1 = P2.
[[nodiscard]] Real InclinationAngle(Real x1, Real y1, Real x2, Real y2);
// "D:MM:SS" with seconds rounded half to even and never carried (12:34:60 can appear).
[[nodiscard]] std::string AngleToDmsText(Real a);
// Reads "D:MM:SS" (minutes and seconds optional, each a whole number with optional leading
// blanks and sign); kMarkerValue when a field that is read is not a whole number.
[[nodiscard]] Real DmsTextToAngle(std::string_view text);

}  // namespace tarvo
