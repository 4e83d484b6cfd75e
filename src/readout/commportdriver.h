// The serial port component `TCommPortDriver`: one port, its line settings, synchronous
// sends, and a polling timer that delivers received bytes to a handler.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "readout/serialdevice.h"

namespace tarvo {

class Timer;
class TimerSet;

enum TComPortNumber : int { pnCOM1, pnCOM2, pnCOM3, pnCOM4 };
enum TComPortBaudRate : int {
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200
};
enum TComPortDataBits : int { db5BITS, db6BITS, db7BITS, db8BITS };
enum TComPortStopBits : int { sb1BITS, sb1HALFBITS, sb2BITS };
enum TComPortParity : int { ptNONE, ptODD, ptEVEN, ptMARK, ptSPACE };
enum TComPortHwHandshaking : int { hhNONE, hhRTSCTS };
enum TComPortSwHandshaking : int { shNONE, shXONXOFF };

// Bits per second of each baud-rate index.
[[nodiscard]] int BaudOf(TComPortBaudRate rate);

// Maps "COM<n>" to a device: key "COM<n>" of section "Ports" in TARVO.INI, else
// "/dev/ttyS<n-1>"; no device (empty) for n below 1.
[[nodiscard]] std::string ComDeviceName(int portNumber, const std::filesystem::path& settingsFile);

class TCommPortDriver final {
public:
    using ReceiveHandler = std::function<void(const char* data, std::uint32_t size)>;

    // `device` may be null (no serial line: Connect fails). The polling timer is declared in
    // `timers`; `settingsFile` names the ports of the installation.
    TCommPortDriver(SerialDevice* device, TimerSet& timers, std::filesystem::path settingsFile);
    ~TCommPortDriver();
    TCommPortDriver(const TCommPortDriver&) = delete;
    TCommPortDriver& operator=(const TCommPortDriver&) = delete;

    // The line to open (replaced only while disconnected).
    void SetDevice(SerialDevice* device) {
        if (!m_connected) {
            m_device = device;
        }
    }
    bool Connect();
    void Disconnect();
    [[nodiscard]] bool Connected() const noexcept { return m_connected; }
    bool SendData(const char* data, std::size_t count);
    bool SetRts(bool on);

    [[nodiscard]] TComPortNumber ComPort() const noexcept { return m_port; }
    void SetComPort(TComPortNumber p);  // ignored while connected
    void SetComPortSpeed(TComPortBaudRate v);
    void SetComPortDataBits(TComPortDataBits v);
    void SetComPortStopBits(TComPortStopBits v);
    void SetComPortParity(TComPortParity v);
    void SetComPortHwHandshaking(TComPortHwHandshaking v);
    void SetComPortSwHandshaking(TComPortSwHandshaking v);
    void SetComPortInBufSize(std::uint16_t v);
    void SetComPortOutBufSize(std::uint16_t v);
    void SetComPortPollingDelay(std::uint16_t ms);
    [[nodiscard]] TComPortBaudRate ComPortSpeed() const noexcept { return m_speed; }
    [[nodiscard]] std::uint16_t ComPortInBufSize() const noexcept { return m_inBufSize; }
    [[nodiscard]] std::uint16_t ComPortPollingDelay() const noexcept { return m_pollingDelay; }
    [[nodiscard]] const std::string& DeviceName() const noexcept { return m_deviceName; }
    // The settings as the line receives them (baud 28800 for br56000, XON limit a quarter of
    // the input buffer, ...).
    [[nodiscard]] SerialSettings LineSettings() const;

    ReceiveHandler OnReceiveData;
    // The line failed (a read or a write refused: the device unplugged or gone); the port is
    // closed already.
    std::function<void()> OnLineLost;
    // One polling tick: reads what arrived and hands it to OnReceiveData.
    void Poll();

private:
    void Reapply();
    SerialDevice* m_device;
    std::filesystem::path m_settingsFile;
    Timer& m_timer;
    bool m_connected = false;
    std::string m_deviceName;
    void LineLost();
    TComPortNumber m_port = pnCOM2;
    TComPortBaudRate m_speed = br9600;
    TComPortDataBits m_dataBits = db8BITS;
    TComPortStopBits m_stopBits = sb1BITS;
    TComPortParity m_parity = ptNONE;
    TComPortHwHandshaking m_hw = hhNONE;
    TComPortSwHandshaking m_sw = shNONE;
    std::uint16_t m_inBufSize = 2048;
    std::uint16_t m_outBufSize = 2048;
    std::uint16_t m_pollingDelay = 0;
    std::vector<char> m_buffer;
};

}  // namespace tarvo
