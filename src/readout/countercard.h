// The three-axis incremental counter card read through I/O ports: its configuration files,
// initialisation, reading a counter in millimetres and presetting a counter.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "base/real.h"

namespace tarvo {

// Byte input and output at I/O port addresses.
class IoPorts {
public:
    virtual ~IoPorts() = default;
    virtual void Out(std::uint16_t port, std::uint8_t value) = 0;
    [[nodiscard]] virtual std::uint8_t In(std::uint16_t port) = 0;
};

// The ports as plain memory, with every write kept in order: the tests' card and tarvo-cli's.
class MemoryIoPorts final : public IoPorts {
public:
    void Out(std::uint16_t port, std::uint8_t value) override {
        bytes[port] = value;
        writes.emplace_back(port, value);
    }
    [[nodiscard]] std::uint8_t In(std::uint16_t port) override { return bytes[port]; }
    std::map<std::uint16_t, std::uint8_t> bytes;
    std::vector<std::pair<std::uint16_t, std::uint8_t>> writes;
};

// /dev/port: the machine's I/O ports (root only). Nothing happens when it cannot be opened.
class DevPortIo final : public IoPorts {
public:
    DevPortIo();
    ~DevPortIo() override;
    DevPortIo(const DevPortIo&) = delete;
    DevPortIo& operator=(const DevPortIo&) = delete;
    [[nodiscard]] bool Available() const noexcept { return m_fd >= 0; }
    void Out(std::uint16_t port, std::uint8_t value) override;
    [[nodiscard]] std::uint8_t In(std::uint16_t port) override;

private:
    int m_fd = -1;
};

// The message when the card is the selected interface but its I/O ports cannot be reached.
[[nodiscard]] std::string CounterCardUnavailableProblem();

struct CounterCard {
    std::uint16_t BasePort = 0x0DE0;
    std::uint16_t CounterPort = 0x0DE4;
    std::array<std::int32_t, 4> CountsPerUnit = {0, 1000, 1000, 1000};    // [1..3]
    std::array<Real, 4> AxisSign = {Real(0), Real(1), Real(1), Real(1)};  // [1..3]

    [[nodiscard]] std::uint16_t LowPort(int axis) const {
        return static_cast<std::uint16_t>(CounterPort + 4 * axis - 1);
    }
    [[nodiscard]] std::uint16_t MiddlePort(int axis) const {
        return static_cast<std::uint16_t>(CounterPort + 4 * axis - 2);
    }
    [[nodiscard]] std::uint16_t HighPort(int axis) const {
        return static_cast<std::uint16_t>(CounterPort + 4 * axis - 3);
    }
};

// Reads "no_init", "if3inc.adr" and "if3inc.dat" from `dir` and initialises the card. Returns
// readable problems (a file whose lines are not numbers, a count of 0 per millimetre), which
// leave the defaults in place.
std::vector<std::string> InitCounterCard(const std::filesystem::path& dir, CounterCard& card, IoPorts& io);
// The position of an axis (1..3) in millimetres.
[[nodiscard]] Real ReadCounter(const CounterCard& card, IoPorts& io, int axis);
// Loads the counter of an axis with the count of `value` millimetres (0 resets it).
void PresetCounter(const CounterCard& card, IoPorts& io, int axis, long double value);

}  // namespace tarvo
