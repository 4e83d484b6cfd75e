#include "geometry/angles.h"

#include <cmath>
#include <limits>
#include <optional>

#include "base/text.h"

namespace tarvo {

namespace {
constexpr long double kInv360 = 0.002777777777777778L;
constexpr long double kDegToRad = 0.017453292519943295L;
constexpr long double kRadToDeg = 57.29577951308232L;
constexpr long double kInv60 = 0.016666666666666666L;
constexpr long double kInv3600 = 0.0002777777777777778L;
// Beyond this the processor's sine and cosine give up (and so do ours).
constexpr long double kTrigLimit = 9223372036854775808.0L;  // 2^63
}  // namespace

Real FoldDown(Real a, long double period) {
    if (!(a > period)) {
        return a;
    }
    const long double r = std::fmod(a.value(), period);
    return r == 0 ? period : r;
}

Real RaiseToPositive(Real a, long double period) {
    if (!(a < 0)) {
        return a;
    }
    long double r = std::fmod(a.value(), period);
    if (r < 0) {
        r += period;
    }
    return r == 0 ? 0.0L : r;
}

Real DegToRad(Real a) {
    a = FoldDown(a, 360);
    return a * 2 * kPi * kInv360;
}

long double SinDeg(long double a) {
    const long double r = DegToRad(a);
    return std::fabs(r) < kTrigLimit ? std::sin(r) : 0.0L;
}

long double CosDeg(long double a) {
    const long double r = DegToRad(a);
    return std::fabs(r) < kTrigLimit ? std::cos(r) : 0.0L;
}

Real TanDeg(Real a) {
    const Real r = a * kDegToRad;
    const Real s = std::fabs(r.value()) < kTrigLimit ? std::sin(r.value()) : 0.0L;
    return s / std::sqrt(1 - s * s);
}

Real ArcTanDeg(long double x) { return std::atan(x) * kRadToDeg; }

Real ArcSinDeg(long double x) { return std::atan2(x, std::sqrt(1 - x * x)) * kRadToDeg; }

namespace {
// The vertical case shared by both two-point angles; nothing when x1 != x2.
std::optional<Real> VerticalAngle(Real x1, Real y1, Real x2, Real y2) {
    if (x1 != x2) {
        return std::nullopt;
    }
    if (y2 > y1) {
        return Real(90);
    }
    if (y2 < y1) {
        return Real(270);
    }
    return Real(0);
}
}  // namespace

Real DirectionAngle(Real x1, Real y1, Real x2, Real y2) {
    if (const auto v = VerticalAngle(x1, y1, x2, y2)) {
        return *v;
    }
    const Real m = (y2 - y1) / (x2 - x1);
    Real a = ArcTanDeg(m);
    if (x1 > x2) {
        a += 180;
    }
    if (x1 < x2) {
        if (y2 < y1) {
            a += 360;
        } else if (y2 == y1) {
            a = 0;
        }
    }
    return a;
}

Real InclinationAngle(Real x1, Real y1, Real x2, Real y2) {
    if (const auto v = VerticalAngle(x1, y1, x2, y2)) {
        return *v;
    }
    return ArcTanDeg((y2 - y1) / (x2 - x1));
}

namespace {
std::string TwoDigits(long long v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}
}  // namespace

std::string AngleToDmsText(Real a) {
    const bool negative = a < 0;
    if (negative) {
        a = -a;
    }
    a = FoldDown(a, 360);
    const auto d = static_cast<long long>(std::trunc(a.value()));
    std::string degrees = std::to_string(d);
    a = a - d;
    const auto m = static_cast<long long>(std::trunc(a * 60));
    a = a - m * kInv60;
    const auto tenths = static_cast<long long>(std::trunc(a * 36000));
    const auto s = static_cast<long long>(std::nearbyint(tenths * 0.1L));  // halves to even
    if (negative) {
        degrees = "-" + degrees;
    }
    return degrees + ":" + TwoDigits(m) + ":" + TwoDigits(s);
}

namespace {
// A whole-number field: leading blanks, one optional sign, digits, nothing else; the range of
// the 32-bit integer the field is read into.
std::optional<long long> WholeNumber(std::string_view t) {
    std::size_t i = 0;
    while (i < t.size() && t[i] == ' ') {
        ++i;
    }
    bool negative = false;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
        negative = t[i] == '-';
        ++i;
    }
    if (i == t.size()) {
        return std::nullopt;
    }
    long long v = 0;
    for (; i < t.size(); ++i) {
        if (t[i] < '0' || t[i] > '9') {
            return std::nullopt;
        }
        v = v * 10 + (t[i] - '0');
        if (v > std::numeric_limits<std::int32_t>::max() + 1LL) {
            return std::nullopt;
        }
    }
    v = negative ? -v : v;
    if (v > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return v;
}
}  // namespace

Real DmsTextToAngle(std::string_view text) {
    std::string_view rest = text;
    std::string_view field;
    const auto colon = rest.find(':');
    if (colon != std::string_view::npos) {
        field = rest.substr(0, colon);
        rest.remove_prefix(colon + 1);
    } else {
        field = rest;
        rest = {};
    }
    auto degrees = WholeNumber(field);
    if (!degrees) {
        return kMarkerValue;
    }
    if (*degrees > 360) {
        *degrees = *degrees % 360 == 0 ? 360 : *degrees % 360;
    }
    long long minutes = 0;
    long long seconds = 0;
    const auto colon2 = rest.find(':');
    if (colon2 != std::string_view::npos) {
        const auto m = WholeNumber(rest.substr(0, colon2));
        if (!m) {
            return kMarkerValue;
        }
        minutes = *m;
        rest.remove_prefix(colon2 + 1);
    } else if (!RemoveSpaces(rest).empty()) {
        const auto m = WholeNumber(rest);
        if (!m) {
            return kMarkerValue;
        }
        minutes = *m;
        rest = {};
    }
    if (!RemoveSpaces(rest).empty()) {
        const auto s = WholeNumber(rest);
        if (!s) {
            return kMarkerValue;
        }
        seconds = *s;
    }
    return *degrees + minutes * kInv60 + seconds * kInv3600;
}

}  // namespace tarvo
