#include "readout/readoutlink.h"

#include "base/cp1252.h"
#include "base/text.h"
#include "geometry/lines.h"

namespace tarvo {

namespace {
constexpr std::size_t kValueTextLength = 100;
constexpr std::size_t kDiagnosticLines = 100;
constexpr int kFootSwitchSettleMs = 300;

TComPortBaudRate BaudIndex(int baud) {
    for (int i = br110; i <= br115200; ++i) {
        if (BaudOf(static_cast<TComPortBaudRate>(i)) == baud) {
            return static_cast<TComPortBaudRate>(i);
        }
    }
    return br9600;  // a rate outside the table keeps the default
}
}  // namespace

ReadoutLink::ReadoutLink(const ReadoutContext& ctx)
    : m_c(ctx), m_port(nullptr, ctx.timers, ctx.folder.File(kSettingsFile)) {
    m_port.SetComPort(pnCOM1);
    m_port.SetComPortPollingDelay(0);
    m_port.OnReceiveData = [this](const char* data, std::uint32_t size) { ReceiveData(data, size); };
    m_port.OnLineLost = [this] { LineLost(); };
}

void ReadoutLink::ReceiveData(const char* data, std::uint32_t size) {
    AcquisitionState& a = m_c.acquisition;
    for (std::uint32_t i = 0; i < size; ++i) {
        const char c = data[i];
        if (c == '\r') {
            LineComplete();
        } else if (c == '\n') {
            continue;
        } else {
            if (a.RxAccumulator.size() >= kMaxLineLength) {
                a.RxAccumulator.clear();
            }
            a.RxAccumulator += c;
        }
    }
}

void ReadoutLink::LineComplete() {
    AcquisitionState& a = m_c.acquisition;
    a.LastLine = a.RxAccumulator;
    a.ValueText = m_profile.ValueWindow(a.LastLine).substr(0, kValueTextLength);
    const NumberRead r = ReadNumberChecked(RemoveSpaces(NormalizeDecimal(a.ValueText)));
    const bool accepted = m_diagnostic ? a.FootSwitchMode : (r.ok || a.FootSwitchMode);
    if (accepted) {
        a.RxValue = r.value;
        a.NewValue = true;
        a.ValueText = a.LastLine.substr(0, kValueTextLength);
        if (a.FootSwitchMode && a.PushedLines.size() < kMaxLineLength) {
            a.PushedLines.push_back(a.LastLine);
        }
        if (m_diagnostic && view.Input.size() < kDiagnosticLines) {
            view.Input.push_back(a.LastLine);
        }
    }
    a.RxAccumulator.clear();
}

void ReadoutLink::LineLost() {
    if (m_linkDown) {
        return;
    }
    m_linkDown = true;
    m_reconnectTicks = 0;
    DiscardInput();
    m_c.acquisition.NewValue = false;
    // Said where it stays true while it lasts (the display and the status bar), not in a box
    // that would still stand when the link is back.
    LinkStateChanged.Notify(false);
}

bool ReadoutLink::LinkUp() {
    if (!m_linkDown) {
        return true;
    }
    // About once a second at the ticks' 20 ms.
    if (++m_reconnectTicks < 50) {
        return false;
    }
    m_reconnectTicks = 0;
    if (!OpenPort(m_profile.ComPortNumber)) {
        return false;
    }
    m_linkDown = false;
    DiscardInput();
    LinkStateChanged.Notify(true);
    return true;
}

void ReadoutLink::SendTick() {
    AcquisitionState& a = m_c.acquisition;
    if (a.PollPaused || !LinkUp()) {
        return;
    }
    if (a.SendDelay < a.SendDelayLimit) {
        ++a.SendDelay;
        return;
    }
    m_c.Timersend.SetEnabled(false);
    a.AxisIndex = a.AxisIndex + 1 > AcquisitionState::AxisCount ? 1 : a.AxisIndex + 1;
    if (m_c.settings.If3Inc == 0) {
        SendText(m_profile.SendSign[static_cast<std::size_t>(a.AxisIndex)] + m_profile.Terminator);
    }
    m_c.TimerReceive.SetEnabled(true);
}

void ReadoutLink::ReceiveTick() {
    AcquisitionState& a = m_c.acquisition;
    if (a.PollPaused || a.AxisIndex < 1) {
        return;
    }
    const int axis = a.AxisIndex - 1;
    if (m_c.settings.If3Inc != 0) {
        m_c.TimerReceive.SetEnabled(false);
        if (m_c.ioPorts != nullptr) {
            a.RxValue = ReadCounter(m_c.counterCard, *m_c.ioPorts, a.AxisIndex);
            const Real offset = axis == 0 ? m_c.settings.OffsetX : m_c.settings.OffsetY;
            a.Reading[axis] = a.RxValue * a.AxisScale[axis];
            if (m_c.correction.Active()) {
                CorrectedMachinePos(a.Reading, a.MachinePos);
            } else {
                a.MachinePos[axis] = a.RxValue * a.AxisScale[axis] - offset;
            }
            UpdatePosition(axis);
        }
        m_c.Timersend.SetEnabled(true);
        return;
    }
    if (a.NewValue) {
        a.AnswerWait = 0;
        m_c.TimerReceive.SetEnabled(false);
        a.NewValue = false;
        const Real factor = axis == 0 ? m_c.settings.AxisFactorX : m_c.settings.AxisFactorY;
        const Real offset = axis == 0 ? m_c.settings.OffsetX : m_c.settings.OffsetY;
        a.Reading[axis] = a.RxValue * a.AxisScale[axis] * factor;
        if (m_c.correction.Active()) {
            CorrectedMachinePos(a.Reading, a.MachinePos);
        } else {
            a.MachinePos[axis] = a.RxValue * a.AxisScale[axis] * factor - offset;
        }
        UpdatePosition(axis);
        m_c.Timersend.SetEnabled(true);
        return;
    }
    if (++a.AnswerWait > a.AnswerWaitLimit) {
        a.AnswerWait = 0;
        m_c.TimerReceive.SetEnabled(false);
        m_c.Timersend.SetEnabled(true);
    }
}

void ReadoutLink::CorrectedMachinePos(const long double (&reading)[2], Real (&pos)[2]) const {
    // The squareness ties the axes together: a new reading of one axis moves both positions.
    const CorrectedXY c = m_c.correction.Apply(reading[0], reading[1]);
    pos[0] = c.x - m_c.settings.OffsetX;
    pos[1] = c.y - m_c.settings.OffsetY;
}

void ReadoutLink::UpdatePosition(int axis) {
    m_c.acquisition.LastReading[0] = m_c.acquisition.Reading[0];
    m_c.acquisition.LastReading[1] = m_c.acquisition.Reading[1];
    const XY p = RotateAboutOrigin(m_c.settings.OffsetW, m_c.acquisition.MachinePos[0], m_c.acquisition.MachinePos[1]);
    m_c.run.CurrentPos = {p.x, p.y};
    PositionUpdated.Notify(axis);
}

void ReadoutLink::SelectKeyboardTrigger() {
    DiscardInput();
    m_c.acquisition.NewValue = false;
    m_c.TimerTrigger.SetEnabled(false);
    m_c.acquisition.FootSwitchMode = false;
    m_c.Timersend.SetEnabled(true);
    m_c.settings.TriggerMode = 0;
}

void ReadoutLink::SelectFootSwitchTrigger() {
    AcquisitionState& a = m_c.acquisition;
    m_c.Timersend.SetEnabled(false);
    m_c.TimerReceive.SetEnabled(false);
    FootSwitchSelected.Notify();
    // An answer still on its way arrives during this wait; the loop does not run meanwhile.
    m_c.timers.Block(kFootSwitchSettleMs);
    m_port.Poll();
    DiscardInput();
    a.NewValue = false;
    a.ResetPushed();
    m_c.TimerTrigger.SetEnabled(true);
    a.FootSwitchMode = true;
    DiscardInput();
    a.ResetPushed();
    m_c.settings.TriggerMode = 1;
}

void ReadoutLink::TriggerTick() {
    AcquisitionState& a = m_c.acquisition;
    if (!LinkUp()) {
        return;
    }
    if (a.NewValue && a.PushedLines.empty()) {
        a.PushedLines.push_back(a.LastLine);
    }
    a.NewValue = false;
    while (!a.PushedLines.empty()) {
        const std::string line = a.PushedLines.front();
        a.PushedLines.pop_front();
        EvaluatePushedLine(line);
        if (a.CaptureReady) {
            CaptureFootSwitch();
        }
    }
}

// Decodes one pushed line into PushedPos by the profile's AutoTrigger layout.
void ReadoutLink::EvaluatePushedLine(const std::string& line) {
    AcquisitionState& a = m_c.acquisition;
    // The conversion's failure is not consulted here: an unreadable window gives 0.
    const auto decode = [](const std::string& text) {
        return ReadNumberChecked(RemoveSpaces(NormalizeDecimal(text))).value;
    };
    const Real fx = m_c.settings.AxisFactorX;
    const Real fy = m_c.settings.AxisFactorY;
    if (m_profile.AutoTrigger == 0) {
        const auto has = [&line](const std::string& mark) {
            return !mark.empty() && line.find(mark) != std::string::npos;
        };
        const int axis = has(m_profile.AxisMark[1]) ? 1 : has(m_profile.AxisMark[2]) ? 2 : 0;
        if (axis == 0) {
            return;
        }
        a.AxisIndex = axis;
        const long double v = decode(m_profile.ValueWindow(line));
        a.PushedReading[axis - 1] = v * (axis == 1 ? fx : fy);
        a.PushedPos[axis - 1] = v * (axis == 1 ? fx : fy) - (axis == 1 ? m_c.settings.OffsetX : m_c.settings.OffsetY);
        if (a.PushedPos[0] != Real(kMarkerValue) && a.PushedPos[1] != Real(kMarkerValue)) {
            a.CaptureReady = true;
        }
    } else if (m_profile.AutoTrigger == 1) {
        const auto column = [&line](AutoColumn c) {
            const std::size_t start = c.Start == 0 ? 0 : c.Start - 1u;
            return start < line.size() ? line.substr(start, c.Length) : std::string();
        };
        const long double x = decode(column(m_profile.AutoX));
        const long double y = decode(column(m_profile.AutoY));
        a.PushedReading[0] = x * fx;
        a.PushedReading[1] = y * fy;
        a.PushedPos[0] = x * fx - m_c.settings.OffsetX;
        a.PushedPos[1] = y * fy - m_c.settings.OffsetY;
        a.CaptureReady = true;
    }
}

void ReadoutLink::CaptureFootSwitch() {
    AcquisitionState& a = m_c.acquisition;
    if (m_c.correction.Active()) {
        CorrectedMachinePos(a.PushedReading, a.PushedPos);
    }
    a.LastReading[0] = a.PushedReading[0];
    a.LastReading[1] = a.PushedReading[1];
    const XY p = RotateAboutOrigin(m_c.settings.OffsetW, a.PushedPos[0], a.PushedPos[1]);
    m_c.run.CurrentPos = {p.x, p.y};
    a.CaptureReady = false;
    a.ResetPushed();
    FootSwitchCapture.Notify();
}

void ReadoutLink::ConfigurePort(int port, int baud, int dataBits, int parity, int stopBits) {
    view.ComNr = std::to_string(port);
    view.Baud = std::to_string(baud);
    view.Bits = std::to_string(dataBits);
    view.Parity = std::to_string(parity);
    view.Stop = std::to_string(stopBits);
    // Any port number names its own device ("COM5" included); one that names none fails to
    // open and is reported, never replaced by another port.
    m_port.SetComPort(static_cast<TComPortNumber>(port >= 1 ? port - 1 : -1));
    m_port.SetComPortSpeed(BaudIndex(baud));
    if (dataBits >= 5 && dataBits <= 8) {
        m_port.SetComPortDataBits(static_cast<TComPortDataBits>(dataBits - 5));
    }
    if (parity >= ptNONE && parity <= ptSPACE) {
        m_port.SetComPortParity(static_cast<TComPortParity>(parity));
    }
    if (stopBits == 1 || stopBits == 2) {
        m_port.SetComPortStopBits(stopBits == 1 ? sb1BITS : sb2BITS);
    }
    view.Flow = m_profile.UseRtsCts ? "RTS/CTS" : "";
    m_port.SetComPortHwHandshaking(m_profile.UseRtsCts ? hhRTSCTS : hhNONE);
}

bool ReadoutLink::OpenPort(int /*port*/) {
    m_port.SetDevice(m_c.serialDevice);
    const bool ok = m_port.Connect();
    view.Flow = m_profile.RaiseRts ? "RTS on" : "";
    // RTS as the profile says: raised with "RTS=1", cleared otherwise (a port may open with it
    // raised); under RTS/CTS handshaking the driver drives it.
    if (ok && !m_profile.UseRtsCts) {
        m_port.SetRts(m_profile.RaiseRts);
    }
    return ok;
}

void ReadoutLink::ClosePort() { m_port.Disconnect(); }

bool ReadoutLink::SendText(const std::string& text) {
    view.Output = text;
    return m_port.Connected() && m_port.SendData(text.data(), text.size());
}

bool ReadoutLink::DiscardInput() {
    AcquisitionState& a = m_c.acquisition;
    a.RxAccumulator.clear();
    a.LastLine.clear();
    a.PushedLines.clear();
    return true;
}

std::string ReadoutLink::OpenFailure() const {
    const std::string port = std::to_string(m_profile.ComPortNumber);
    const SerialDevice* device = m_c.serialDevice;
    if (device == nullptr || device->OpenError().empty()) {
        return "COM" + port + " Error";
    }
    std::string said = m_c.texts.Compose(kMsgComOpenFailed, {port, m_port.DeviceName(), device->OpenError()});
    if (device->OpenRefused()) {
        said += "\n" + m_c.texts.Compose(kMsgComRefused, {m_port.DeviceName()});
    }
    return said;
}

void ReadoutLink::StartupStep() {
    m_c.Timer2.SetEnabled(false);
    if (m_c.settings.If3Inc == 0) {
        for (const auto& problem : LoadInterfaceProfile(m_c.folder.File(m_c.settings.IfName + ".VAL"), m_profile)) {
            m_c.op.ShowError(problem);
        }
        ConfigurePort(m_profile.ComPortNumber, m_profile.BaudRate, m_profile.DataBits, m_profile.Parity,
                      m_profile.StopBits);
        if (!OpenPort(m_profile.ComPortNumber)) {
            m_c.op.ShowError(OpenFailure());
        }
    } else {
        // Without its ports the card cannot be reset: no question (the start-up reported it).
        if (m_c.ioPorts != nullptr && m_c.op.Ask(Ansi("Hardwarezähler zurücksetzen ?"), Buttons::OkCancel)) {
            for (int axis = 1; axis <= 3; ++axis) {
                PresetCounter(m_c.counterCard, *m_c.ioPorts, axis, 0);
            }
        }
    }
    const std::string upper = UpperCaseOem(m_c.settings.IfName);
    if (upper.find("IF4M") != std::string::npos || upper.find("IF8M") != std::string::npos) {
        for (const char* command : {"D0", "E1", "E2"}) {
            SendText(command + m_profile.Terminator);
        }
    }
    if (m_c.settings.TriggerMode != 0) {
        SelectFootSwitchTrigger();
    } else {
        m_c.Timersend.SetEnabled(true);
    }
    if (m_c.settings.OffsetX != 0 || m_c.settings.OffsetY != 0 || m_c.settings.OffsetW != 0) {
        if (m_c.op.Ask(m_c.texts.UiText(kTextResetCoordinates), Buttons::YesNo)) {
            m_c.settings.OffsetX = 0;
            m_c.settings.OffsetY = 0;
            m_c.settings.OffsetW = 0;
        }
    }
    if (FileExists(m_c.folder.File("RS_TEST"))) {
        m_diagnostic = true;
        view.Visible = true;
        ShowCommDriver.Notify();
    }
    if (FileExists(m_c.folder.File("showlogo"))) {
        ShowLogo.Notify();
    }
}

}  // namespace tarvo
