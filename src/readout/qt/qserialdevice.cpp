#include "readout/qt/qserialdevice.h"

#include "base/cp1252.h"

namespace tarvo {

bool QSerialDevice::Open(const std::string& device) {
    if (m_port.isOpen()) {
        m_port.close();
    }
    m_port.clearError();
    m_port.setPortName(QString::fromLocal8Bit(device.c_str()));
    const bool opened = m_port.open(QIODevice::ReadWrite);
    m_openError = opened ? std::string() : Utf8ToAnsi(m_port.errorString().toStdString());
    m_openRefused = !opened && m_port.error() == QSerialPort::PermissionError;
    return opened;
}

void QSerialDevice::Close() { m_port.close(); }

bool QSerialDevice::Apply(const SerialSettings& s) {
    // XON/XOFF limits and queue sizes have no counterpart in QSerialPort; the driver's own
    // defaults apply. A pseudo terminal may refuse line settings; the bytes still flow.
    bool ok = m_port.setBaudRate(s.baud);
    ok = m_port.setDataBits(static_cast<QSerialPort::DataBits>(s.dataBits)) && ok;
    static const QSerialPort::Parity kParity[] = {QSerialPort::NoParity, QSerialPort::OddParity,
                                                  QSerialPort::EvenParity, QSerialPort::MarkParity,
                                                  QSerialPort::SpaceParity};
    ok = m_port.setParity(kParity[s.parity >= 0 && s.parity <= 4 ? s.parity : 0]) && ok;
    ok = m_port.setStopBits(s.stopBits == 2   ? QSerialPort::TwoStop
                            : s.stopBits == 1 ? QSerialPort::OneAndHalfStop
                                              : QSerialPort::OneStop) &&
         ok;
    ok = m_port.setFlowControl(s.rtsCts    ? QSerialPort::HardwareControl
                               : s.xonXoff ? QSerialPort::SoftwareControl
                                           : QSerialPort::NoFlowControl) &&
         ok;
    m_port.setDataTerminalReady(true);
    return ok;
}

namespace {

// The device is gone (unplugged, its terminal closed): the line cannot be used any more.
bool Lost(const QSerialPort& port) {
    const QSerialPort::SerialPortError e = port.error();
    return e == QSerialPort::ResourceError || e == QSerialPort::ReadError || e == QSerialPort::WriteError;
}

}  // namespace

long QSerialDevice::Read(char* buffer, std::size_t max) {
    if (!m_port.isOpen() || Lost(m_port)) {
        return -1;
    }
    // What the line holds now, whether or not the event loop has run since it arrived: after the
    // foot-switch switch's wait, the answer that came meanwhile must be read to be discarded.
    (void)m_port.waitForReadyRead(0);
    const qint64 n = m_port.read(buffer, static_cast<qint64>(max));
    return n < 0 || Lost(m_port) ? -1 : static_cast<long>(n);
}

bool QSerialDevice::Write(const char* data, std::size_t size) {
    if (!m_port.isOpen()) {
        return false;
    }
    const qint64 n = m_port.write(data, static_cast<qint64>(size));
    m_port.flush();
    return n == static_cast<qint64>(size) && !Lost(m_port);
}

bool QSerialDevice::SetRts(bool on) { return m_port.isOpen() && m_port.setRequestToSend(on); }

}  // namespace tarvo
