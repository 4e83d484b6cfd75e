// A guided calibration of the machine as the operator goes through it: the procedure under way,
// its computed corrections, the calibration file read at start and saved at the end, and what the
// status bar and the report say about it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "coords/calibration.h"
#include "coords/calibrationfile.h"
#include "readout/scalecorrection.h"

namespace tarvo {

struct CommandContext;

class MachineCalibration final {
public:
    // `file` and `correction` are the session's: the state of the calibration file and the
    // corrections the link applies.
    MachineCalibration(CommandContext& ctx, CalibrationFileState& file, ScaleCorrection& correction)
        : m_ctx(ctx), m_file(file), m_correction(correction) {}

    // Reads the calibration file at start: its corrections, the status field, the report's line.
    void Load();
    // Starts a calibration (a running one is dropped): from now on every capture goes to it.
    void Start(CalibrationKind kind, int axis, std::vector<long double> certified);
    // A capture of the readings themselves, unrounded and before every correction: false when no
    // calibration is under way (the capture is the point memory's then).
    bool Capture(long double x, long double y);
    // Square and Turn: the second edge begins. False without a calibration that has one.
    bool NextEdge();
    // Computes the corrections from the captures; a refusal is told to the operator.
    const CalibrationResult* Compute();
    // Asks for the details with input dialogs. @retval false the operator cancelled one.
    bool AskDetails(CalibrationRecord& details);
    // Saves the computed corrections with `details` after asking; they apply at once.
    bool Save(const CalibrationRecord& details);
    // Ends the calibration without change.
    void Cancel();

    [[nodiscard]] const CalibrationProcedure* Procedure() const noexcept { return m_procedure.get(); }
    [[nodiscard]] const CalibrationResult* Outcome() const noexcept { return m_result.get(); }
    // The status bar's field: the date and due date, or that the file is damaged and measuring
    // goes on uncorrected; empty without a calibration file.
    [[nodiscard]] const std::string& Status() const noexcept { return m_status; }

private:
    void ShowState();

    CommandContext& m_ctx;
    CalibrationFileState& m_file;
    ScaleCorrection& m_correction;
    std::unique_ptr<CalibrationProcedure> m_procedure;
    std::unique_ptr<CalibrationResult> m_result;
    std::string m_status;
};

}  // namespace tarvo
