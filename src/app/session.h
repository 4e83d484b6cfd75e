// The one object per running program that owns every process-wide record, handed down by
// reference: two sessions (two tests) never share state.
#pragma once

#include <filesystem>
#include <string>

#include "base/datetime.h"
#include "base/fileio.h"
#include "base/timers.h"
#include "coords/calibrationfile.h"
#include "data/feature.h"
#include "data/reportheader.h"
#include "geometry/geometrystate.h"
#include "journal/journal.h"
#include "output/dxf.h"
#include "programs/geocompare.h"
#include "readout/acquisition.h"
#include "readout/countercard.h"
#include "readout/scalecorrection.h"
#include "readout/serialdevice.h"
#include "shell/operator.h"
#include "shell/runstate.h"
#include "shell/settings.h"
#include "shell/workfolder.h"

namespace tarvo {

class Session final {
public:
    // `workDir` is the installation's data folder every file is looked up in; `driveRoot` is the
    // root of its file system, where the read-only marker "menue.cd" of CD installations lies.
    Session(Operator& op, const WallClock& clock, std::filesystem::path workDir, std::filesystem::path driveRoot)
        : folder(std::move(workDir), std::move(driveRoot)), m_op(op), m_clock(clock) {
        ResetFileNotes();  // a new session tells of the damaged files it reads afresh
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    [[nodiscard]] Operator& Op() const noexcept { return m_op; }
    [[nodiscard]] const WallClock& Clock() const noexcept { return m_clock; }
    [[nodiscard]] const std::filesystem::path& WorkDir() const noexcept { return folder.Dir(); }
    [[nodiscard]] std::filesystem::path WorkFile(const std::string& name) const { return folder.File(name); }
    [[nodiscard]] bool ReadOnlyMedia() const { return folder.ReadOnlyMedia(); }

    // Start-up steps on the station's files, each telling the operator what it cannot use.
    // Before anything is read: stale temporary files go, and the shipped files come where the
    // working folder lacks them (the operator's kept).
    void PrepareWorkFolder();
    // The counter card, touched only when it is the selected interface.
    void StartCounterCard();
    // The report's header labels, the export folder (with no half-written export left in it)
    // and the DXF settings.
    void LoadOutputSettings();

    const WorkFolder folder;
    Settings settings;
    RunState run;
    ChangeSignals changes;
    AcquisitionState acquisition;
    GeometryState geometry;
    FeatureDef feature;
    GeoToleranceDef geoTolerance;  // the geometric tolerance judged last
    ReportHeaderData header;
    // The serial line the readout is on (not owned); none when no port exists.
    SerialDevice* serialDevice = nullptr;
    // The I/O ports of the incremental counter card (not owned); none when not available.
    IoPorts* ioPorts = nullptr;
    CounterCard counterCard;
    // The machine's corrections in effect (from the calibration file) and that file as read.
    ScaleCorrection correction;
    CalibrationFileState calibration;
    DxfSettings dxf;
    // Where the data shipped with the program lies (language folders, ...); empty for none.
    std::filesystem::path shippedData;
    TimerSet timers;
    // The results journal (not owned); none when it is off. Who measures, as it names them.
    JournalStore* journal = nullptr;
    std::string journalStation;
    std::string journalOperator;

private:
    Operator& m_op;
    const WallClock& m_clock;
};

}  // namespace tarvo
