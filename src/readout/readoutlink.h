// The readout link as the main window runs it: the start-up step that loads the interface
// profile and opens the port, the request/answer cycle of the keyboard mode, the receive
// handler, and the two trigger modes with the foot-switch capture.
#pragma once

#include <string>
#include <vector>

#include "base/timers.h"
#include "readout/acquisition.h"
#include "readout/commportdriver.h"
#include "readout/countercard.h"
#include "readout/interfaceprofile.h"
#include "readout/scalecorrection.h"
#include "shell/operator.h"
#include "shell/runstate.h"
#include "shell/settings.h"
#include "shell/signal.h"
#include "shell/uitexts.h"
#include "shell/workfolder.h"

namespace tarvo {

// What the link works with: the settings and run state, its own acquisition state, the operator,
// the working folder, the main window's timers that drive it and the devices it reads.
struct ReadoutContext {
    Settings& settings;
    RunState& run;
    AcquisitionState& acquisition;
    Operator& op;
    const WorkFolder& folder;
    const UiTexts& texts;
    TimerSet& timers;
    Timer& Timer2;
    Timer& Timersend;
    Timer& TimerReceive;
    Timer& TimerTrigger;
    // The devices may be attached after the link is built, so the link reads them when used.
    SerialDevice* const& serialDevice;
    IoPorts* const& ioPorts;
    CounterCard& counterCard;
    // The machine's corrections, applied before the offsets (none by default).
    const ScaleCorrection& correction;
};

class ReadoutLink final {
public:
    explicit ReadoutLink(const ReadoutContext& ctx);

    // Timer2: profile, port, start-up commands, trigger mode, reset question, RS_TEST, showlogo.
    void StartupStep();
    void SendTick();
    void ReceiveTick();
    void TriggerTick();
    void SelectKeyboardTrigger();
    void SelectFootSwitchTrigger();

    // The receive handler of the port (normal, or diagnostic once the window was shown).
    void ReceiveData(const char* data, std::uint32_t size);

    // The usage layer of the `TCommDriver` form.
    void ConfigurePort(int port, int baud, int dataBits, int parity, int stopBits);
    bool OpenPort(int port);
    void ClosePort();
    bool SendText(const std::string& text);
    bool DiscardInput();

    [[nodiscard]] TCommPortDriver& CommPortDriver1() noexcept { return m_port; }
    [[nodiscard]] const InterfaceProfile& Profile() const noexcept { return m_profile; }

    // What the `TCommDriver` window shows.
    struct DiagnosticView {
        std::string ComNr, Baud, Bits, Parity, Stop, Flow, Output;
        std::vector<std::string> Input;  // received lines, at most 100
        bool Visible = false;
    } view;
    // A new reading of axis 0 (X) or 1 (Y) went into CurrentPos.
    Signal<int> PositionUpdated;
    // The foot-switch mode was selected: the live display stops.
    Signal<> FootSwitchSelected;
    // A pushed position is complete and is now CurrentPos: it is captured as a point.
    Signal<> FootSwitchCapture;
    // The `TCommDriver` window (RS_TEST) and the report form (showlogo) are to be shown.
    Signal<> ShowCommDriver;
    Signal<> ShowLogo;
    // The line to the readout was lost (false) or is back (true).
    Signal<bool> LinkStateChanged;
    [[nodiscard]] bool LinkDown() const noexcept { return m_linkDown; }
    // What the status bar says while the link is down: the device and that it comes back.
    [[nodiscard]] std::string LostText() const { return m_c.texts.Compose(kMsgLinkLost, {m_port.DeviceName()}); }

private:
    // The readout unplugged: reported once; the port is tried again every second from the
    // polling or trigger tick until the device is back.
    void LineLost();
    // What a port that cannot be opened says: "COM1 Error", with the device and the system's
    // reason where it gave one, and how to get the right to open it.
    [[nodiscard]] std::string OpenFailure() const;
    [[nodiscard]] bool LinkUp();
    void LineComplete();
    void UpdatePosition(int axis);
    // Both machine positions from the corrected readings (only while a correction is active).
    void CorrectedMachinePos(const long double (&reading)[2], Real (&pos)[2]) const;
    void CaptureFootSwitch();
    void EvaluatePushedLine(const std::string& line);
    ReadoutContext m_c;
    InterfaceProfile m_profile;
    TCommPortDriver m_port;
    bool m_diagnostic = false;
    bool m_linkDown = false;
    int m_reconnectTicks = 0;
};

}  // namespace tarvo
