// The serial line under the port component: a real port (QSerialPort in readout/qt) or a
// stand-in (the simulated readout of tarvo-cli and the tests).
#pragma once

#include <cstddef>
#include <string>

namespace tarvo {

// What the port component asks of the line, in the terms of the platform's device control.
struct SerialSettings {
    int baud = 9600;   // bits per second
    int dataBits = 8;  // 5..8
    int parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
    int stopBits = 0;  // 0 one, 1 one and a half, 2 two
    bool rtsCts = false;
    bool xonXoff = false;
    // Kept for the record; a serial library without them ignores them.
    int xonLimit = 512;
    int xoffLimit = 1;
    int inQueue = 2048;
    int outQueue = 2048;
};

class SerialDevice {
public:
    virtual ~SerialDevice() = default;
    // Opens the named device exclusively; false when it is missing or in use.
    virtual bool Open(const std::string& device) = 0;
    // Why the last Open failed, as the system says it; empty when it did not say.
    [[nodiscard]] virtual std::string OpenError() const { return {}; }
    // The last Open failed because the user may not open the device (its group, on Linux
    // "dialout").
    [[nodiscard]] virtual bool OpenRefused() const { return false; }
    virtual void Close() = 0;
    virtual bool Apply(const SerialSettings& settings) = 0;
    // Up to `max` bytes that have arrived, at once; 0 when none, -1 on a failed read.
    virtual long Read(char* buffer, std::size_t max) = 0;
    // Writes all bytes; false when the write fails or is partial.
    virtual bool Write(const char* data, std::size_t size) = 0;
    virtual bool SetRts(bool on) = 0;
};

}  // namespace tarvo
