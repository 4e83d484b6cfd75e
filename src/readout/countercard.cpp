#include "readout/countercard.h"

#include <fcntl.h>
#include <unistd.h>

#include <cmath>

#include "base/cp1252.h"
#include "base/fileio.h"
#include "base/ini.h"
#include "base/text.h"
#include "shell/settings.h"

namespace tarvo {

namespace {
constexpr std::int32_t kNegativeOffset = 16777215;  // 0xFFFFFF
}  // namespace

std::string CounterCardUnavailableProblem() {
    return Ansi(
        "Zählerkarte (IF3INC=1): die I/O-Ports können nicht geöffnet werden (/dev/port braucht "
        "Root-Rechte auf einem x86-Rechner); es werden keine Positionen gelesen");
}

DevPortIo::DevPortIo() : m_fd(::open("/dev/port", O_RDWR | O_CLOEXEC)) {}

DevPortIo::~DevPortIo() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

void DevPortIo::Out(std::uint16_t port, std::uint8_t value) {
    if (m_fd >= 0) {
        (void)::pwrite(m_fd, &value, 1, port);
    }
}

std::uint8_t DevPortIo::In(std::uint16_t port) {
    std::uint8_t value = 0;
    if (m_fd >= 0) {
        (void)::pread(m_fd, &value, 1, port);
    }
    return value;
}

std::vector<std::string> InitCounterCard(const std::filesystem::path& dir, CounterCard& card, IoPorts& io) {
    std::vector<std::string> problems;
    if (FileExists(dir / "no_init")) {
        return problems;
    }
    if (FileExists(dir / "if3inc.adr")) {
        const auto lines = ReadTextLines(dir / "if3inc.adr");
        const NumberRead n = lines && !lines->empty() ? ReadNumberChecked((*lines)[0]) : NumberRead{};
        if (n.ok && n.value == std::floor(n.value) && n.value >= 0 && n.value <= 0xFFF0) {
            card.BasePort = static_cast<std::uint16_t>(n.value);
            card.CounterPort = static_cast<std::uint16_t>(card.BasePort + 4);
        } else {
            problems.push_back(NotNumbersProblem("if3inc.adr"));
        }
    }
    if (FileExists(dir / "if3inc.dat")) {
        const auto lines = ReadTextLines(dir / "if3inc.dat");
        bool ok = lines && lines->size() >= 6;
        CounterCard read = card;
        for (int i = 0; ok && i < 6; ++i) {
            const NumberRead n = ReadNumberChecked((*lines)[static_cast<std::size_t>(i)]);
            ok = n.ok;
            if (i < 3) {
                read.AxisSign[static_cast<std::size_t>(i + 1)] = n.value;
            } else {
                // A count of 0 per millimetre would make every reading a division by zero.
                ok = ok && n.value == std::floor(n.value) && n.value >= 1 && n.value <= 2147483647;
                read.CountsPerUnit[static_cast<std::size_t>(i - 2)] = ok ? static_cast<std::int32_t>(n.value) : 1000;
            }
        }
        if (ok) {
            card = read;
        } else {
            problems.push_back(NotNumbersProblem("if3inc.dat"));
        }
    }
    io.Out(static_cast<std::uint16_t>(card.BasePort + 3), 0x80);
    io.Out(static_cast<std::uint16_t>(card.BasePort + 2), 0xFF);
    io.Out(card.BasePort, 0xED);
    io.Out(static_cast<std::uint16_t>(card.BasePort + 1), 0xFD);
    return problems;
}

Real ReadCounter(const CounterCard& card, IoPorts& io, int axis) {
    const std::int32_t low = io.In(card.LowPort(axis));
    const std::int32_t middle = io.In(card.MiddlePort(axis));
    const std::int32_t high = io.In(card.HighPort(axis));
    std::int32_t count = low + 256 * middle + 65536 * high;
    if (high > 0x7F) {
        count -= kNegativeOffset;
    }
    const auto a = static_cast<std::size_t>(axis);
    return static_cast<long double>(count) / card.CountsPerUnit[a] * card.AxisSign[a];
}

void PresetCounter(const CounterCard& card, IoPorts& io, int axis, long double value) {
    const auto a = static_cast<std::size_t>(axis);
    auto count = static_cast<long long>(std::nearbyint(value * card.CountsPerUnit[a] * card.AxisSign[a]));
    if (count < 0) {
        count += kNegativeOffset;
    }
    const long long high = count / 65536;
    const long long middle = (count - 65536 * high) / 256;
    const long long low = count - 65536 * high - 256 * middle;
    io.Out(card.LowPort(axis), static_cast<std::uint8_t>(low));
    io.Out(card.MiddlePort(axis), static_cast<std::uint8_t>(middle));
    io.Out(card.HighPort(axis), static_cast<std::uint8_t>(high));
}

}  // namespace tarvo
