// The live state of the readout link: the line being received, the last value, the axis of
// the current request, the pushed foot-switch position and the per-axis scale factors.
#pragma once

#include <deque>
#include <string>

#include "base/real.h"

namespace tarvo {

// A readout that never ends a line must not grow the line without bound: past this many
// characters the bytes so far are dropped and a new line begins.
inline constexpr std::size_t kMaxLineLength = 1024;

struct AcquisitionState {
    std::string RxAccumulator;
    std::string LastLine;
    std::string ValueText;  // at most 100 characters
    Real RxValue = 0.0L;
    bool NewValue = false;
    bool FootSwitchMode = false;
    int AxisIndex = 0;  // axis of the current request: 1 = X, 2 = Y
    static constexpr int AxisCount = 2;
    int SendDelay = 0;
    int SendDelayLimit = 1;
    int AnswerWait = 0;
    int AnswerWaitLimit = 15;
    bool PollPaused = false;
    // The scale factors typed into FX and FY, applied to every polled reading.
    Real AxisScale[2] = {1.0L, 1.0L};
    Real MachinePos[2] = {0.0L, 0.0L};
    // The readings behind the positions, after the scale fields and axis factors and before the
    // machine's corrections and the offsets: the polled axes, the pushed axes, and those of the
    // position last put into CurrentPos (what a calibration captures).
    long double Reading[2] = {0.0L, 0.0L};
    long double PushedReading[2] = {0.0L, 0.0L};
    long double LastReading[2] = {0.0L, 0.0L};
    // Machine position per axis decoded from pushed lines; the sentinel marks "not received".
    Real PushedPos[2] = {kMarkerValue, kMarkerValue};
    bool CaptureReady = false;
    // Both axes of the pushed position become "not received" (every clear of the point memory).
    void ResetPushed() {
        PushedPos[0] = kMarkerValue;
        PushedPos[1] = kMarkerValue;
    }
    // Foot-switch mode: every complete line in arrival order, so that an X and a Y line that
    // arrive together in one read both reach the trigger (LastLine alone keeps only the last).
    std::deque<std::string> PushedLines;
};

}  // namespace tarvo
