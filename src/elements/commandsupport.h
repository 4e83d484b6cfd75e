// The steps every measuring and alignment command shares: the wait for captured points, the
// working point list, the angle text and the angle chooser.
#pragma once

#include <optional>
#include <string>

#include "geometry/lines.h"
#include "geometry/pointlist.h"
#include "base/real.h"

namespace tarvo {

class MainWindow;

// Method numbers of the illustration shown while a command waits for points.
enum Method : int {
    kMethodCircle = 1,
    kMethodTwoPoints = 2,
    kMethodAngle = 3,
    kMethodLinePoint = 4,
    kMethodSymmetry = 5,
    kMethodLine = 6,
    kMethodAlignTwoLines = 7,
    kMethodAlignLine = 8,
    kMethodAlignPointLine = 9,
    kMethodCircleLine = 10,
    kMethodCircleCircle = 11,
};

// Until the point memory holds `count` points: clears the abort flag and waits for captures
// with the illustration `method`. @retval false the operator aborted with Esc (the flag is
// cleared again; the points captured so far stay).
[[nodiscard]] bool WaitForPointCount(MainWindow& w, int count, int method);

// Points first..first+count-1 (0-based) of the point memory as a working list.
[[nodiscard]] PointList PointsFromMemory(const MainWindow& w, int first, int count);

// The line through points i and j (0-based) of the point memory.
[[nodiscard]] Line2P LineThrough(const MainWindow& w, int i, int j);

// An angle as result lines show it: degrees-minutes-seconds with AngleMode 1, else fixed with
// Decimals places; blanks on the left up to 10 characters.
[[nodiscard]] std::string AngleText(const MainWindow& w, long double angle);

// The angle chooser: the preset replay choice when there is one, else `Tselect_winkel` with
// the four candidates. Nothing on Cancel.
[[nodiscard]] std::optional<int> ChooseAngle(MainWindow& w, const Real (&candidates)[4]);

// Number of the next result line (count + 1).
[[nodiscard]] int NextLineNumber(const MainWindow& w);

}  // namespace tarvo
