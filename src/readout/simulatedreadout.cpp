#include "readout/simulatedreadout.h"

#include <algorithm>
#include <cstring>

#include "shell/text.h"

namespace tarvo {

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
