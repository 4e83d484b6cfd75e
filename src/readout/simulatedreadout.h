// A stand-in for the digital readout behind a serial line: answers each axis request with the
// current reading in the interface profile's value window, pushes foot-switch lines on command.
// tarvo-cli runs it in-process; tarvo-readout-sim puts it on a pseudo terminal.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "base/real.h"
#include "readout/interfaceprofile.h"
#include "readout/serialdevice.h"

namespace tarvo {

// The errors of a simulated machine: what its scales read at a true position of the stage. Per
// axis a scale error (ppm) and a periodic error along the axis (amplitude in µm, period in mm),
// the squareness of the axes (µrad by which the Y guide leans towards +X), and an error field
// no axis correction reaches (wavy guides: the X reading errs with the Y travel and the Y
// reading with the X travel; amplitude in µm, period in mm). None by default: the readings are
// the true position.
struct MachineErrors {
    long double scalePpm[2] = {0, 0};
    long double waveUm[2] = {0, 0};
    long double wavePeriod[2] = {100, 100};
    long double squarenessUrad = 0;
    long double fieldUm = 0;
    long double fieldPeriod = 100;
    [[nodiscard]] bool Any() const noexcept;
    // The readings of both scales with the stage at the true position (x, y).
    void Readings(long double x, long double y, long double& rx, long double& ry) const;
};

// The machine-error options of the simulators' command lines at `args[i]`: "--scale PPMX PPMY",
// "--wave-x UM MM", "--wave-y UM MM", "--squareness URAD", "--field UM MM". The number of arguments taken (0 when
// `args[i]` is none of them); -1 when a value is missing or no number (nothing is changed then),
// or when an error is out of reach of a real machine (over 1 %, a period not above 0).
[[nodiscard]] int ReadMachineErrorOption(const std::vector<std::string>& args, std::size_t i, MachineErrors& errors);
inline constexpr const char* kMachineErrorUsage =
    "[--scale PPMX PPMY] [--wave-x UM MM] [--wave-y UM MM] [--squareness URAD] [--field UM MM]";

class SimulatedReadout final : public SerialDevice {
public:
    explicit SimulatedReadout(InterfaceProfile profile = {}) : m_profile(std::move(profile)) {}
    void SetProfile(const InterfaceProfile& p) { m_profile = p; }

    // The raw readings reported from now on.
    void SetReading(long double x, long double y) {
        m_x = x;
        m_y = y;
    }
    // Queues a pushed line, ended by a carriage return.
    void Push(const std::string& line) { Queue(line + "\r"); }
    // The answer line for an axis: the value right-aligned in the value window.
    [[nodiscard]] std::string AnswerLine(int axis) const;
    // A foot-switch line of one axis in the one-axis-per-line layout: the axis mark, then the
    // value in the value window.
    [[nodiscard]] std::string PushedAxisLine(int axis, long double value) const;
    // A line with both axes at the columns of the two-axis layout.
    [[nodiscard]] std::string TwoAxisLine(long double x, long double y) const;
    // Queues bytes as they are (split lines, garbage, NUL bytes).
    void Queue(const std::string& bytes) { m_out.append(bytes); }

    bool answering = true;      // false: requests go unanswered
    bool decimalComma = false;  // answers with "," as the decimal separator
    int openCount = 0;

    // What the program wrote, request by request.
    std::deque<std::string> requests;

    bool Open(const std::string& device) override {
        ++openCount;
        openedDevice = device;
        return m_available;
    }
    // What a refused Open says (a device the user may not open), while not available.
    std::string openError;
    bool openRefused = false;
    [[nodiscard]] std::string OpenError() const override { return m_available ? std::string() : openError; }
    [[nodiscard]] bool OpenRefused() const override { return !m_available && openRefused; }
    std::string openedDevice;  // the device name the program asked for last
    void Close() override {}
    bool Apply(const SerialSettings& s) override {
        applied = s;
        return true;
    }
    long Read(char* buffer, std::size_t max) override;
    bool Write(const char* data, std::size_t size) override;
    bool SetRts(bool on) override {
        rts = on;
        return true;
    }
    void SetAvailable(bool available) { m_available = available; }
    SerialSettings applied;
    bool rts = false;

private:
    InterfaceProfile m_profile;
    long double m_x = 0;
    long double m_y = 0;
    std::string m_in;
    std::string m_out;
    bool m_available = true;
};

}  // namespace tarvo
