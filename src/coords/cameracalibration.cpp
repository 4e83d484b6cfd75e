#include "coords/cameracalibration.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "base/cp1252.h"
#include "base/ini.h"
#include "base/text.h"
#include "coords/calibrationfile.h"

namespace tarvo {

namespace {

constexpr const char* kSection = "Kamera";

std::string Number(double v, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", digits, v);
    return buf;
}

}  // namespace

std::string CameraScaleProblem(const CameraScale& s) {
    for (const double p : {s.pixelX, s.pixelY}) {
        if (!std::isfinite(p) || p < 1e-5 || p > 1) {
            return Ansi("Pixelgröße außerhalb 0,01 µm bis 1 mm");
        }
    }
    if (s.pixelX / s.pixelY > 1.2 || s.pixelY / s.pixelX > 1.2) {
        return Ansi("Pixel um mehr als 20 % nicht quadratisch");
    }
    if (!std::isfinite(s.rotation) || std::abs(s.rotation) > 180) {
        return Ansi("Drehung außerhalb ±180°");
    }
    return {};
}

CameraCalibrationState LoadCameraCalibration(const std::filesystem::path& file) {
    CameraCalibrationState state;
    if (!FileExists(file)) {
        return state;
    }
    state.status = CameraCalibrationStatus::Damaged;
    const std::optional<std::string> text = ReadTextFile(file, true);
    if (!text) {
        state.problem = Ansi("nicht lesbar");
        return state;
    }
    const IniFile ini = IniFile::FromText(*text);
    CameraCalibrationRecord& r = state.record;
    if (!ParseDate(ini.ReadString(kSection, "DATUM", ""), r.date)) {
        state.problem = Ansi("kein gültiges Datum");
        return state;
    }
    r.standard = ini.ReadString(kSection, "NORMAL", "");
    bool ok = true;
    const auto number = [&](const char* key) {
        const NumberRead n = ReadNumberChecked(ini.ReadString(kSection, key, ""));
        ok = ok && n.ok;
        return static_cast<double>(n.value);
    };
    r.diameter = number("DURCHMESSER_MM");
    r.scale.pixelX = number("PIXEL_X_UM") / 1000;
    r.scale.pixelY = number("PIXEL_Y_UM") / 1000;
    r.scale.rotation = number("DREHUNG_GRAD");
    if (!ok) {
        state.problem = Ansi("ein Wert ist keine Zahl");
        return state;
    }
    state.problem = CameraScaleProblem(r.scale);
    if (state.problem.empty()) {
        state.status = CameraCalibrationStatus::Loaded;
    }
    return state;
}

std::string CameraCalibrationText(const CameraCalibrationRecord& r) {
    return JoinLines({std::string("[") + kSection + "]", "DATUM=" + DateText(r.date), "NORMAL=" + r.standard,
                      "DURCHMESSER_MM=" + Number(r.diameter, 6), "PIXEL_X_UM=" + Number(r.scale.pixelX * 1000, 6),
                      "PIXEL_Y_UM=" + Number(r.scale.pixelY * 1000, 6), "DREHUNG_GRAD=" + Number(r.scale.rotation, 6)});
}

WriteResult SaveCameraCalibration(const std::filesystem::path& file, const CameraCalibrationRecord& r) {
    return WriteFileAtomic(file, CameraCalibrationText(r));
}

RimFit FitRim(const std::vector<PixelPoint>& rim) {
    RimFit fit;
    if (rim.size() < 5) {
        return fit;
    }
    // a u^2 + b v^2 + c u + d v = 1 about the points' mean, by the normal equations.
    double mx = 0;
    double my = 0;
    for (const PixelPoint& p : rim) {
        mx += p.x;
        my += p.y;
    }
    mx /= static_cast<double>(rim.size());
    my /= static_cast<double>(rim.size());
    std::array<std::array<double, 5>, 4> m{};
    for (const PixelPoint& p : rim) {
        const double u = p.x - mx;
        const double v = p.y - my;
        const std::array<double, 4> row = {u * u, v * v, u, v};
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j) {
                m[i][j] += row[i] * row[j];
            }
            m[i][4] += row[i];
        }
    }
    for (int c = 0; c < 4; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 4; ++r) {
            if (std::abs(m[r][c]) > std::abs(m[pivot][c])) {
                pivot = r;
            }
        }
        std::swap(m[c], m[pivot]);
        if (std::abs(m[c][c]) < 1e-300) {
            return fit;
        }
        for (int r = 0; r < 4; ++r) {
            if (r != c) {
                const double f = m[r][c] / m[c][c];
                for (int k = c; k < 5; ++k) {
                    m[r][k] -= f * m[c][k];
                }
            }
        }
    }
    const double a = m[0][4] / m[0][0];
    const double b = m[1][4] / m[1][1];
    const double c = m[2][4] / m[2][2];
    const double d = m[3][4] / m[3][3];
    if (!(a > 0 && b > 0)) {
        return fit;
    }
    const double u0 = -c / (2 * a);
    const double v0 = -d / (2 * b);
    const double f = 1 + a * u0 * u0 + b * v0 * v0;
    fit.ok = f > 0;
    fit.centre = {mx + u0, my + v0};
    fit.halfWidth = std::sqrt(f / a);
    fit.halfHeight = std::sqrt(f / b);
    return fit;
}

std::optional<double> CameraRotation(PixelPoint before, PixelPoint after, double dx, double dy, double pixelX,
                                     double pixelY) {
    // In the camera's own axes (Y up) the feature moved by this; on the stage it moved against
    // the stage's move.
    const double u = (after.x - before.x) * pixelX;
    const double v = -(after.y - before.y) * pixelY;
    if (std::hypot(after.x - before.x, after.y - before.y) < 20) {
        return std::nullopt;
    }
    double deg = (std::atan2(-dy, -dx) - std::atan2(v, u)) * 180 / M_PI;
    while (deg > 180) {
        deg -= 360;
    }
    while (deg <= -180) {
        deg += 360;
    }
    return deg;
}

}  // namespace tarvo
