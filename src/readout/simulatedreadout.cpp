#include "readout/simulatedreadout.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

#include "base/text.h"

namespace tarvo {

bool MachineErrors::Any() const noexcept {
    return scalePpm[0] != 0 || scalePpm[1] != 0 || waveUm[0] != 0 || waveUm[1] != 0 || squarenessUrad != 0 ||
           fieldUm != 0;
}

void MachineErrors::Readings(long double x, long double y, long double& rx, long double& ry) const {
    // The distances travelled along the guides: the Y guide leans, so Y travel moves X as well.
    const long double angle = squarenessUrad * 1e-6L;
    const long double along[2] = {x - y * std::tan(angle), y / std::cos(angle)};
    long double reading[2];
    constexpr long double kTurn = 2 * std::numbers::pi_v<long double>;
    for (int a = 0; a < 2; ++a) {
        const long double d = along[a];
        const long double period = wavePeriod[a] > 0 ? wavePeriod[a] : 100;
        const long double across = fieldPeriod > 0 ? kTurn * along[1 - a] / fieldPeriod : 0;
        reading[a] = d * (1 + scalePpm[a] * 1e-6L) + waveUm[a] * 1e-3L * std::sin(kTurn * d / period) +
                     fieldUm * 1e-3L * std::sin(across);
    }
    rx = reading[0];
    ry = reading[1];
}

int ReadMachineErrorOption(const std::vector<std::string>& args, std::size_t i, MachineErrors& errors) {
    const std::string& option = args[i];
    const std::size_t count = option == "--scale" || option == "--wave-x" || option == "--wave-y" || option == "--field"
                                  ? 2
                              : option == "--squareness" ? 1
                                                         : 0;
    if (count == 0) {
        return 0;
    }
    long double v[2] = {0, 0};
    for (std::size_t k = 0; k < count; ++k) {
        const NumberRead n = i + 1 + k < args.size() ? ReadNumberChecked(args[i + 1 + k]) : NumberRead{};
        if (!n.ok || !std::isfinite(n.value)) {
            return -1;
        }
        v[k] = n.value;
    }
    constexpr long double kMostPpm = 10000;  // 1 %
    MachineErrors e = errors;
    if (option == "--scale") {
        e.scalePpm[0] = v[0];
        e.scalePpm[1] = v[1];
    } else if (option == "--squareness") {
        e.squarenessUrad = v[0];
    } else if (option == "--field") {
        e.fieldUm = v[0];
        e.fieldPeriod = v[1];
    } else {
        const int axis = option == "--wave-x" ? 0 : 1;
        e.waveUm[axis] = v[0];
        e.wavePeriod[axis] = v[1];
    }
    for (int a = 0; a < 2; ++a) {
        if (std::fabs(e.scalePpm[a]) > kMostPpm || !(e.wavePeriod[a] > 0) ||
            std::fabs(e.waveUm[a]) * 1e-3L > e.wavePeriod[a] * 0.01L) {
            return -1;
        }
    }
    if (std::fabs(e.squarenessUrad) > kMostPpm || !(e.fieldPeriod > 0) ||
        std::fabs(e.fieldUm) * 1e-3L > e.fieldPeriod * 0.01L) {
        return -1;
    }
    errors = e;
    return static_cast<int>(count) + 1;
}

std::string SimulatedReadout::AnswerLine(int axis) const {
    const int start = std::max<int>(1, m_profile.StartPos);
    const int width = std::max<int>(1, m_profile.EndPosPlus1 - start);
    std::string line = axis == 1 ? "X:" : "Y:";
    line.resize(static_cast<std::size_t>(start - 1), ' ');
    std::string value = FormatReal(axis == 1 ? m_x : m_y, width, 4);
    if (decimalComma) {
        std::replace(value.begin(), value.end(), '.', ',');
    }
    return line + value;
}

namespace {
std::string Value(long double v, int width, bool comma) {
    std::string text = FormatReal(v, std::max(1, width), 4);
    if (comma) {
        std::replace(text.begin(), text.end(), '.', ',');
    }
    return text;
}
}  // namespace

std::string SimulatedReadout::PushedAxisLine(int axis, long double value) const {
    const int start = std::max<int>(1, m_profile.StartPos);
    std::string line = m_profile.AxisMark[static_cast<std::size_t>(axis == 1 ? 1 : 2)];
    line.resize(static_cast<std::size_t>(std::max<int>(start - 1, static_cast<int>(line.size()))), ' ');
    line.resize(static_cast<std::size_t>(start - 1));
    return line + Value(value, m_profile.EndPosPlus1 - start, decimalComma);
}

std::string SimulatedReadout::TwoAxisLine(long double x, long double y) const {
    std::string line(static_cast<std::size_t>(std::max(m_profile.AutoX.Start + m_profile.AutoX.Length,
                                                       m_profile.AutoY.Start + m_profile.AutoY.Length)),
                     ' ');
    const auto put = [&line, this](AutoColumn c, long double v) {
        const std::string text = Value(v, c.Length, decimalComma).substr(0, c.Length);
        line.replace(static_cast<std::size_t>(std::max(1, int{c.Start}) - 1), text.size(), text);
    };
    put(m_profile.AutoX, x);
    put(m_profile.AutoY, y);
    return line.substr(0, line.find_last_not_of(' ') + 1);
}

long SimulatedReadout::Read(char* buffer, std::size_t max) {
    const std::size_t n = std::min(max, m_out.size());
    std::memcpy(buffer, m_out.data(), n);
    m_out.erase(0, n);
    return static_cast<long>(n);
}

bool SimulatedReadout::Write(const char* data, std::size_t size) {
    m_in.append(data, size);
    const std::string& term = m_profile.Terminator;
    for (auto end = m_in.find(term); !term.empty() && end != std::string::npos; end = m_in.find(term)) {
        const std::string request = m_in.substr(0, end);
        m_in.erase(0, end + term.size());
        requests.push_back(request);
        if (!answering) {
            continue;
        }
        if (request == m_profile.SendSign[1]) {
            Queue(AnswerLine(1) + "\r\n");
        } else if (request == m_profile.SendSign[2]) {
            Queue(AnswerLine(2) + "\r\n");
        }
    }
    return true;
}

}  // namespace tarvo
