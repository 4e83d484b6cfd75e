// The real serial line: QSerialPort under the port component. Bytes are taken from what Qt has
// buffered, so the program's event loop must run (it does: the timers run on it).
#pragma once

#include <QSerialPort>

#include "readout/serialdevice.h"

namespace tarvo {

class QSerialDevice final : public SerialDevice {
public:
    bool Open(const std::string& device) override;
    void Close() override;
    bool Apply(const SerialSettings& settings) override;
    long Read(char* buffer, std::size_t max) override;
    bool Write(const char* data, std::size_t size) override;
    bool SetRts(bool on) override;

private:
    QSerialPort m_port;
};

}  // namespace tarvo
