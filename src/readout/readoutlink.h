// The readout link as the main window runs it: the start-up step that loads the interface
// profile and opens the port, the request/answer cycle of the keyboard mode, the receive
// handler, and the two trigger modes with the foot-switch capture.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "readout/commportdriver.h"
#include "readout/interfaceprofile.h"

namespace tarvo {

class MainWindow;

class ReadoutLink final {
public:
    explicit ReadoutLink(MainWindow& w);

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
    // Shows the `TCommDriver` window (RS_TEST) and the report form (showlogo) when they exist.
    std::function<void()> OnShowCommDriver;
    std::function<void()> OnShowLogo;

private:
    void LineComplete();
    void UpdatePosition(int axis);
    void CaptureFootSwitch();
    void EvaluatePushedLine(const std::string& line);
    MainWindow& m_w;
    InterfaceProfile m_profile;
    TCommPortDriver m_port;
    bool m_diagnostic = false;
};

}  // namespace tarvo
