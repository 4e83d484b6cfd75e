// The real serial line: QSerialPort under the port component. A read takes what Qt has buffered
// together with what the operating system holds right now (without waiting), as the platform's
// non-blocking read does, so no byte waits for the event loop to run.
#pragma once

#include <QSerialPort>

#include "readout/serialdevice.h"

namespace tarvo {

class QSerialDevice final : public SerialDevice {
public:
    bool Open(const std::string& device) override;
    [[nodiscard]] std::string OpenError() const override { return m_openError; }
    [[nodiscard]] bool OpenRefused() const override { return m_openRefused; }
    void Close() override;
    bool Apply(const SerialSettings& settings) override;
    long Read(char* buffer, std::size_t max) override;
    bool Write(const char* data, std::size_t size) override;
    bool SetRts(bool on) override;
    // The port as configured (for the diagnostic window and the tests).
    [[nodiscard]] const QSerialPort& Port() const noexcept { return m_port; }

private:
    QSerialPort m_port;
    std::string m_openError;
    bool m_openRefused = false;
};

}  // namespace tarvo
