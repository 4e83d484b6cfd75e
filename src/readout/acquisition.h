// The live state of the readout link that other subsystems read: the pushed foot-switch
// position and the per-axis scale factors of the fields FX and FY.
#pragma once

#include "data/pointmemory.h"
#include "shell/real.h"

namespace tarvo {

struct AcquisitionState {
    // Machine position per axis decoded from pushed lines; the sentinel marks "not received".
    Real PushedPos[2] = {kPushedSentinel, kPushedSentinel};
    bool CaptureReady = false;
    // The scale factors typed into FX and FY, applied to every polled reading.
    Real AxisScale[2] = {1.0L, 1.0L};
};

}  // namespace tarvo
