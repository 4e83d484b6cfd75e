#include "readout/commportdriver.h"

#include "base/ini.h"
#include "base/timers.h"

namespace tarvo {

namespace {
// The platform's smallest timer interval, used for a polling delay of 0.
constexpr int kMinimumTimerInterval = 10;
constexpr int kBauds[] = {110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000, 57600, 115200};
}  // namespace

int BaudOf(TComPortBaudRate rate) { return kBauds[rate]; }

std::string ComDeviceName(int portNumber, const std::filesystem::path& settingsFile) {
    if (portNumber < 1) {
        return {};  // no such port: opening it fails
    }
    const std::string key = "COM" + std::to_string(portNumber);
    const IniFile ini = IniFile::Load(settingsFile);
    const std::string mapped = ini.ReadString("Ports", key, "");
    if (!mapped.empty()) {
        return mapped;
    }
    return "/dev/ttyS" + std::to_string(portNumber - 1);
}

TCommPortDriver::TCommPortDriver(SerialDevice* device, TimerSet& timers, std::filesystem::path settingsFile)
    : m_device(device),
      m_settingsFile(std::move(settingsFile)),
      m_timer(timers.Declare("CommPortDriver1", kMinimumTimerInterval, false, [this] { Poll(); })),
      m_buffer(m_inBufSize) {}

TCommPortDriver::~TCommPortDriver() { Disconnect(); }

SerialSettings TCommPortDriver::LineSettings() const {
    SerialSettings s;
    s.baud = m_speed == br56000 ? 28800 : BaudOf(m_speed);
    s.dataBits = m_dataBits + 5;
    s.parity = m_parity;
    s.stopBits = m_stopBits;
    s.rtsCts = m_hw == hhRTSCTS;
    s.xonXoff = m_sw == shXONXOFF;
    s.xonLimit = m_inBufSize / 4;
    s.xoffLimit = 1;
    s.inQueue = m_inBufSize;
    s.outQueue = m_outBufSize;
    return s;
}

bool TCommPortDriver::Connect() {
    if (m_connected) {
        return true;
    }
    if (m_device == nullptr) {
        return false;
    }
    m_deviceName = ComDeviceName(m_port + 1, m_settingsFile);
    if (m_deviceName.empty() || !m_device->Open(m_deviceName)) {
        return false;
    }
    m_connected = true;
    m_device->Apply(LineSettings());
    m_timer.SetInterval(m_pollingDelay == 0 ? kMinimumTimerInterval : m_pollingDelay);
    m_timer.SetEnabled(true);
    return true;
}

void TCommPortDriver::Disconnect() {
    if (!m_connected) {
        return;
    }
    m_device->Close();
    m_connected = false;
    m_timer.SetEnabled(false);
}

bool TCommPortDriver::SendData(const char* data, std::size_t count) {
    if (!m_connected) {
        return false;
    }
    if (!m_device->Write(data, count)) {
        LineLost();
        return false;
    }
    return true;
}

void TCommPortDriver::LineLost() {
    Disconnect();
    if (OnLineLost) {
        OnLineLost();
    }
}

bool TCommPortDriver::SetRts(bool on) { return m_connected && m_device->SetRts(on); }

void TCommPortDriver::Reapply() {
    if (m_connected) {
        m_device->Apply(LineSettings());
    }
}

void TCommPortDriver::SetComPort(TComPortNumber p) {
    if (!m_connected) {
        m_port = p;
    }
}
void TCommPortDriver::SetComPortSpeed(TComPortBaudRate v) {
    m_speed = v;
    Reapply();
}
void TCommPortDriver::SetComPortDataBits(TComPortDataBits v) {
    m_dataBits = v;
    Reapply();
}
void TCommPortDriver::SetComPortStopBits(TComPortStopBits v) {
    m_stopBits = v;
    Reapply();
}
void TCommPortDriver::SetComPortParity(TComPortParity v) {
    m_parity = v;
    Reapply();
}
void TCommPortDriver::SetComPortHwHandshaking(TComPortHwHandshaking v) {
    m_hw = v;
    Reapply();
}
void TCommPortDriver::SetComPortSwHandshaking(TComPortSwHandshaking v) {
    m_sw = v;
    Reapply();
}
void TCommPortDriver::SetComPortInBufSize(std::uint16_t v) {
    m_inBufSize = v;
    m_buffer.assign(v, 0);
    Reapply();
}
void TCommPortDriver::SetComPortOutBufSize(std::uint16_t v) {
    m_outBufSize = v;
    Reapply();
}

void TCommPortDriver::SetComPortPollingDelay(std::uint16_t ms) {
    if (ms == m_pollingDelay) {
        return;
    }
    m_pollingDelay = ms;
    if (m_connected) {
        m_timer.SetEnabled(false);
        m_timer.SetInterval(ms == 0 ? kMinimumTimerInterval : ms);
        m_timer.SetEnabled(true);
    }
}

void TCommPortDriver::Poll() {
    if (!m_connected || m_buffer.empty()) {
        return;
    }
    const long n = m_device->Read(m_buffer.data(), m_buffer.size());
    if (n < 0) {
        LineLost();
        return;
    }
    if (n > 0 && OnReceiveData) {
        OnReceiveData(m_buffer.data(), static_cast<std::uint32_t>(n));
    }
}

}  // namespace tarvo
