// The one object per running program that owns every process-wide record, handed down by
// reference: two sessions (two tests) never share state.
#pragma once

#include <filesystem>
#include <string>

#include "data/feature.h"
#include "elements/elementstate.h"
#include "geometry/geometrystate.h"
#include "output/reportheader.h"
#include "readout/acquisition.h"
#include "readout/countercard.h"
#include "readout/serialdevice.h"
#include "base/datetime.h"
#include "shell/operator.h"
#include "shell/settings.h"
#include "base/timers.h"

namespace tarvo {

class Session final {
public:
    // `workDir` is the installation's data folder every file is looked up in; `driveRoot` is the
    // root of its file system, where the read-only marker "menue.cd" of CD installations lies.
    Session(Operator& op, const WallClock& clock, std::filesystem::path workDir, std::filesystem::path driveRoot);
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    [[nodiscard]] Operator& Op() const noexcept { return m_op; }
    [[nodiscard]] const WallClock& Clock() const noexcept { return m_clock; }
    [[nodiscard]] const std::filesystem::path& WorkDir() const noexcept { return m_workDir; }
    [[nodiscard]] std::filesystem::path WorkFile(const std::string& name) const { return m_workDir / name; }
    // The program runs from read-only media: nothing is ever written back.
    [[nodiscard]] bool ReadOnlyMedia() const;

    Settings settings;
    AcquisitionState acquisition;
    GeometryState geometry;
    ElementState elements;
    FeatureDef feature;
    ReportHeaderData header;
    // The serial line the readout is on (not owned); none when no port exists.
    SerialDevice* serialDevice = nullptr;
    // The I/O ports of the incremental counter card (not owned); none when not available.
    IoPorts* ioPorts = nullptr;
    CounterCard counterCard;
    TimerSet timers;

private:
    Operator& m_op;
    const WallClock& m_clock;
    std::filesystem::path m_workDir;
    std::filesystem::path m_driveRoot;
};

}  // namespace tarvo
