#include "coords/calibration.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "base/cp1252.h"
#include "base/fileio.h"
#include "base/text.h"

namespace tarvo {

namespace {
constexpr long double kMaxRelative = 0.01L;  // a correction over 1 %: a wrong standard typed
constexpr long double kDegree = std::numbers::pi_v<long double> / 180;

std::string Fixed(long double v, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*Lf", digits, v);
    return buf;
}

std::string AxisName(int axis) { return axis == 0 ? "X" : "Y"; }

// A grid plate's certified shape: two steps above 0, then 2 to 50 columns and rows.
bool GridShapeOk(const std::vector<long double>& c) {
    const auto count = [](long double n) { return n >= 2 && n <= kMaxGridNodes && n == std::floor(n); };
    return c.size() == 4 && c[0] > 0 && c[1] > 0 && c[0] < 1e6L && c[1] < 1e6L && count(c[2]) && count(c[3]);
}

CalibrationResult Refused(std::string reason) {
    CalibrationResult r;
    r.refusal = std::move(reason);
    return r;
}

// The angle from the first edge's direction to the second's, in degrees (0, 180).
long double AngleBetween(long double a, long double b) {
    long double d = b - a;
    while (d <= 0) {
        d += 180;
    }
    while (d >= 180) {
        d -= 180;
    }
    return d;
}
}  // namespace

long double CalibrationResult::MaxError() const {
    long double m = 0;
    for (const long double e : errorsUm) {
        m = std::max(m, std::fabs(e));
    }
    return m;
}

long double CalibrationResult::MaxResidual() const {
    long double m = 0;
    for (const long double e : residualsUm) {
        m = std::max(m, std::fabs(e));
    }
    return m;
}

std::optional<std::string> CalibrationProcedure::ComputeGrid(const ScaleCorrection& current, const UiTexts& texts,
                                                             CalibrationResult& r) const {
    if (!GridShapeOk(m_certified)) {
        return texts.Compose(kMsgCalNoStandard, {});
    }
    const std::vector<Reading>& pts = m_points[0];
    const auto wanted = static_cast<std::size_t>(Wanted());
    if (pts.size() < wanted) {
        return texts.Compose(kMsgCalTooFew, {std::to_string(wanted), std::to_string(pts.size())});
    }
    const int columns = static_cast<int>(m_certified[2]);
    const int rows = static_cast<int>(m_certified[3]);
    // The nodes through the axis corrections, and where the plate says they are.
    std::vector<CorrectedXY> seen(wanted);
    std::vector<CorrectedXY> plate(wanted);
    CorrectedXY mean{};
    CorrectedXY plateMean{};
    for (std::size_t k = 0; k < wanted; ++k) {
        seen[k] = current.Apply(pts[k].x, pts[k].y, CorrectionStage::Grid);
        plate[k] = {static_cast<long double>(k % static_cast<std::size_t>(columns)) * m_certified[0],
                    static_cast<long double>(k / static_cast<std::size_t>(columns)) * m_certified[1]};
        mean.x += seen[k].x / static_cast<long double>(wanted);
        mean.y += seen[k].y / static_cast<long double>(wanted);
        plateMean.x += plate[k].x / static_cast<long double>(wanted);
        plateMean.y += plate[k].y / static_cast<long double>(wanted);
    }
    // Where the plate lies: the turn and shift that fit its nodes best (least squares). What is
    // left is the machine's error at each node.
    long double sc = 0;
    long double ss = 0;
    for (std::size_t k = 0; k < wanted; ++k) {
        const long double px = plate[k].x - plateMean.x;
        const long double py = plate[k].y - plateMean.y;
        const long double qx = seen[k].x - mean.x;
        const long double qy = seen[k].y - mean.y;
        sc += px * qx + py * qy;
        ss += px * qy - py * qx;
    }
    const long double turn = std::atan2(ss, sc);
    const long double c = std::cos(turn);
    const long double s = std::sin(turn);
    const auto placed = [&](const CorrectedXY& p) {
        const long double px = p.x - plateMean.x;
        const long double py = p.y - plateMean.y;
        return CorrectedXY{mean.x + c * px - s * py, mean.y + s * px + c * py};
    };
    const long double stepX = m_certified[0];
    const long double stepY = m_certified[1];
    GridCorrection& g = r.correction.grid;
    g = GridCorrection{};
    g.x0 = seen[0].x;
    g.y0 = seen[0].y;
    g.step[0] = stepX;
    g.step[1] = stepY;
    g.columns = columns;
    g.rows = rows;
    for (std::size_t k = 0; k < wanted; ++k) {
        // A node far from its place in the grid of readings: probed out of order, or the grid
        // of readings is turned too far to be corrected node by node.
        const long double ex =
            seen[k].x - (g.x0 + static_cast<long double>(k % static_cast<std::size_t>(columns)) * stepX);
        const long double ey =
            seen[k].y - (g.y0 + static_cast<long double>(k / static_cast<std::size_t>(columns)) * stepY);
        if (!(std::fabs(ex) < stepX / 4 && std::fabs(ey) < stepY / 4)) {
            return texts.Compose(kMsgCalGridOff, {std::to_string(k + 1)});
        }
        const CorrectedXY target = placed(plate[k]);
        g.nodes.push_back({target.x - seen[k].x, target.y - seen[k].y});
        r.errorsUm.push_back(std::hypot(g.nodes.back().x, g.nodes.back().y) * 1000);
    }
    // Between neighbours the grid may correct no more than 1 % of the step (a wrong plate typed).
    const auto cols = static_cast<std::size_t>(columns);
    for (std::size_t k = 0; k < wanted; ++k) {
        for (const std::size_t m : {k + 1, k + cols}) {
            const bool neighbour = m < wanted && (m == k + cols || m % cols != 0);
            const long double step = m == k + cols ? stepY : stepX;
            if (neighbour && !(std::fabs(g.nodes[m].x - g.nodes[k].x) <= kMaxRelative * step &&
                               std::fabs(g.nodes[m].y - g.nodes[k].y) <= kMaxRelative * step)) {
                return texts.Compose(kMsgCalGridSlope, {std::to_string(m + 1)});
            }
        }
    }
    for (std::size_t k = 0; k < wanted; ++k) {
        const CorrectedXY after = r.correction.Apply(pts[k].x, pts[k].y);
        const CorrectedXY target = placed(plate[k]);
        r.residualsUm.push_back(std::hypot(after.x - target.x, after.y - target.y) * 1000);
    }
    r.lines.push_back(texts.Compose(kMsgCalGrid, {std::to_string(columns), std::to_string(rows), Fixed(stepX, 3),
                                                  Fixed(stepY, 3), Fixed(r.MaxError(), 2), Fixed(r.MaxResidual(), 2)}));
    return std::nullopt;
}

long double FittedDirection(const std::vector<long double>& xs, const std::vector<long double>& ys) {
    const std::size_t n = xs.size();
    long double mx = 0;
    long double my = 0;
    for (std::size_t i = 0; i < n; ++i) {
        mx += xs[i];
        my += ys[i];
    }
    mx /= static_cast<long double>(n);
    my /= static_cast<long double>(n);
    long double sxx = 0;
    long double syy = 0;
    long double sxy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        sxx += (xs[i] - mx) * (xs[i] - mx);
        syy += (ys[i] - my) * (ys[i] - my);
        sxy += (xs[i] - mx) * (ys[i] - my);
    }
    long double a = 0.5L * std::atan2(2 * sxy, sxx - syy) / kDegree;
    if (a <= -90) {
        a += 180;
    }
    return a;
}

CalibrationProcedure::CalibrationProcedure(CalibrationKind kind, int axis, std::vector<long double> certified)
    : m_kind(kind), m_axis(axis == 1 ? 1 : 0), m_certified(std::move(certified)) {}

void CalibrationProcedure::Capture(long double x, long double y) {
    m_points[static_cast<std::size_t>(m_edge)].push_back({x, y});
}

bool CalibrationProcedure::NextEdge() {
    if ((m_kind != CalibrationKind::Square && m_kind != CalibrationKind::Turn) || m_edge == 1) {
        return false;
    }
    m_edge = 1;
    return true;
}

int CalibrationProcedure::Captured() const noexcept {
    return static_cast<int>(m_points[static_cast<std::size_t>(m_edge)].size());
}

int CalibrationProcedure::Wanted() const noexcept {
    switch (m_kind) {
        case CalibrationKind::Linear:
            return 2;
        case CalibrationKind::Segments:
            return static_cast<int>(m_certified.size());
        case CalibrationKind::Grid:
            return GridShapeOk(m_certified) ? static_cast<int>(m_certified[2] * m_certified[3]) : 0;
        default:
            return 0;
    }
}

std::string CalibrationProcedure::Prompt(const UiTexts& texts) const {
    const int next = Captured() + 1;
    switch (m_kind) {
        case CalibrationKind::Linear:
            if (next > 2) {
                break;
            }
            return texts.Compose(kMsgCalPromptLength, {AxisName(m_axis), std::to_string(next),
                                                       Fixed(m_certified.empty() ? 0 : m_certified[0], 4)});
        case CalibrationKind::Segments:
            if (next > Wanted()) {
                break;
            }
            return texts.Compose(kMsgCalPromptMark, {AxisName(m_axis), std::to_string(next), std::to_string(Wanted()),
                                                     Fixed(m_certified[static_cast<std::size_t>(next - 1)], 4)});
        case CalibrationKind::Square:
            return texts.Compose(kMsgCalPromptEdge, {std::to_string(m_edge + 1), std::to_string(Captured())});
        case CalibrationKind::Turn:
            return texts.Compose(kMsgCalPromptTurn, {std::to_string(m_edge + 1), std::to_string(Captured())});
        case CalibrationKind::Grid: {
            if (next > Wanted()) {
                break;
            }
            const int columns = static_cast<int>(m_certified[2]);
            return texts.Compose(kMsgCalPromptGrid,
                                 {std::to_string(next), std::to_string(Wanted()),
                                  std::to_string((next - 1) % columns + 1), std::to_string((next - 1) / columns + 1)});
        }
    }
    return texts.Compose(kMsgCalPromptDone, {});
}

CalibrationResult CalibrationProcedure::Compute(const ScaleCorrection& current, const UiTexts& texts) const {
    const auto tooLarge = [&texts](long double relative) {
        return Refused(texts.Compose(kMsgCalTooLarge, {Fixed(relative * 100, 3)}));
    };
    const auto tooFew = [&texts](std::size_t wanted, std::size_t got) {
        return Refused(texts.Compose(kMsgCalTooFew, {std::to_string(wanted), std::to_string(got)}));
    };
    CalibrationResult r;
    r.correction = current;
    const std::vector<Reading>& pts = m_points[0];
    switch (m_kind) {
        case CalibrationKind::Linear: {
            if (m_certified.empty() || !(m_certified[0] > 0)) {
                return Refused(texts.Compose(kMsgCalNoStandard, {}));
            }
            if (pts.size() < 2) {
                return tooFew(2, pts.size());
            }
            const auto along = [this](const Reading& p) { return m_axis == 0 ? p.x : p.y; };
            const long double certified = m_certified[0];
            const long double measured = std::fabs(along(pts.back()) - along(pts.front()));
            if (!(measured > 0) || !(std::fabs(certified / measured - 1) <= kMaxRelative)) {
                return tooLarge(measured > 0 ? certified / measured - 1 : 1);
            }
            const long double factor = certified / measured;
            r.correction.factor[m_axis] = factor;
            // The axis's error table and the grid were measured through the old factor: they no
            // longer fit.
            r.correction.segments[m_axis].clear();
            r.correction.grid = GridCorrection{};
            r.errorsUm.push_back((measured - certified) * 1000);
            r.residualsUm.push_back((measured * factor - certified) * 1000);
            r.lines.push_back(
                texts.Compose(kMsgCalLength, {AxisName(m_axis), Fixed(measured, 4), Fixed(certified, 4),
                                              Fixed(r.errorsUm[0], 2), Fixed(factor, 8), Fixed(r.residualsUm[0], 2)}));
            break;
        }
        case CalibrationKind::Segments: {
            const std::size_t n = m_certified.size();
            if (n > kMaxSegmentMarks) {
                return Refused(texts.Compose(kMsgCalTooMany, {std::to_string(kMaxSegmentMarks)}));
            }
            if (n < 2 || pts.size() < n) {
                return tooFew(std::max<std::size_t>(n, 2), pts.size());
            }
            std::vector<long double> readings;
            for (std::size_t i = 0; i < n; ++i) {
                const CorrectedXY c = current.Apply(pts[i].x, pts[i].y, CorrectionStage::Segments);
                readings.push_back(m_axis == 0 ? c.x : c.y);
            }
            for (std::size_t i = 1; i < n; ++i) {
                if (!(m_certified[i] > m_certified[i - 1]) || !(readings[i] > readings[i - 1])) {
                    return Refused(texts.Compose(kMsgCalOrder, {std::to_string(i + 1)}));
                }
            }
            std::vector<SegmentMark> marks;
            for (std::size_t i = 0; i < n; ++i) {
                const long double error = (readings[i] - readings[0]) - (m_certified[i] - m_certified[0]);
                marks.push_back({readings[i], -error});
                r.errorsUm.push_back(error * 1000);
            }
            for (std::size_t i = 1; i < n; ++i) {
                const long double slope =
                    (marks[i].correction - marks[i - 1].correction) / (marks[i].reading - marks[i - 1].reading);
                if (!(std::fabs(slope) <= kMaxRelative)) {
                    return tooLarge(slope);
                }
            }
            r.correction.segments[m_axis] = marks;
            r.correction.grid = GridCorrection{};  // measured through the old table
            const long double base = readings[0] + SegmentCorrection(marks, readings[0]);
            for (std::size_t i = 0; i < n; ++i) {
                const long double corrected = readings[i] + SegmentCorrection(marks, readings[i]);
                r.residualsUm.push_back(((corrected - base) - (m_certified[i] - m_certified[0])) * 1000);
                r.lines.push_back(texts.Compose(kMsgCalMark, {std::to_string(i + 1), Fixed(m_certified[i], 4),
                                                              Fixed(r.errorsUm[i], 2), Fixed(r.residualsUm[i], 2)}));
            }
            break;
        }
        case CalibrationKind::Grid:
            break;  // ComputeGrid, below
        case CalibrationKind::Square:
        case CalibrationKind::Turn: {
            const std::vector<Reading>& second = m_points[1];
            if (pts.size() < 2 || second.size() < 2) {
                return tooFew(2, std::min(pts.size(), second.size()));
            }
            const long double reference = m_certified.empty() ? 90 : m_certified[0];
            const auto angleThrough = [&](const ScaleCorrection& c, CorrectionStage upTo) {
                long double dir[2];
                for (std::size_t e = 0; e < 2; ++e) {
                    std::vector<long double> xs;
                    std::vector<long double> ys;
                    for (const Reading& p : m_points[e]) {
                        const CorrectedXY q = c.Apply(p.x, p.y, upTo);
                        xs.push_back(q.x);
                        ys.push_back(q.y);
                    }
                    dir[e] = FittedDirection(xs, ys);
                }
                return AngleBetween(dir[0], dir[1]);
            };
            const long double measured = angleThrough(current, CorrectionStage::Squareness);
            const long double error = (measured - reference) * kDegree;  // rad
            if (!(std::fabs(error) <= kMaxRelative)) {
                return tooLarge(error);
            }
            r.correction.squareness = error;
            r.correction.grid = GridCorrection{};  // measured through the old squareness
            const long double after = angleThrough(r.correction, CorrectionStage::All);
            const long double residual = (after - reference) * kDegree;
            r.errorsUm.push_back(error * 100 * 1000);  // over 100 mm
            r.residualsUm.push_back(residual * 100 * 1000);
            r.lines.push_back(
                texts.Compose(kMsgCalAngle, {Fixed(measured, 6), Fixed(reference, 6), Fixed(error * 1e6L, 2),
                                             Fixed(r.errorsUm[0], 2), Fixed(residual * 1e6L, 2)}));
            break;
        }
    }
    if (m_kind == CalibrationKind::Grid) {
        if (std::optional<std::string> refusal = ComputeGrid(current, texts, r)) {
            return Refused(*refusal);
        }
    }
    r.lines.push_back(texts.Compose(kMsgCalSummary, {Fixed(r.MaxError(), 2), Fixed(r.MaxResidual(), 2)}));
    r.ok = true;
    return r;
}

std::optional<std::vector<long double>> ReadCertificateCsv(const std::filesystem::path& file, std::string& problem) {
    const auto lines = ReadTextLines(file);
    if (!lines) {
        problem = file.filename().string();
        return std::nullopt;
    }
    std::vector<long double> positions;
    for (const std::string& line : *lines) {
        const char separator = line.find(';') != std::string::npos ? ';' : ',';
        std::optional<long double> last;
        std::size_t start = 0;
        while (start <= line.size()) {
            const std::size_t end = std::min(line.find(separator, start), line.size());
            std::string field = RemoveSpaces(line.substr(start, end - start));
            if (field.size() >= 2 && field.front() == '"' && field.back() == '"') {
                field = field.substr(1, field.size() - 2);
            }
            const NumberRead n = ReadNumberChecked(separator == ';' ? NormalizeDecimal(field) : field);
            if (n.ok && !field.empty()) {
                last = n.value;
            }
            start = end + 1;
        }
        if (last) {
            positions.push_back(*last);
        }
    }
    if (positions.empty()) {
        problem = file.filename().string();
        return std::nullopt;
    }
    return positions;
}

}  // namespace tarvo
