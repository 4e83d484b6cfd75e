// The calibration file of the working folder: the machine's corrections with the date, the
// operator, the standard, its certificate and the temperature of the calibration. Written by the
// calibration procedures, read at start; a damaged file is never used and never written over
// unless the operator agrees.
#pragma once

#include <filesystem>
#include <string>

#include "base/datetime.h"
#include "base/fileio.h"
#include "readout/scalecorrection.h"
#include "shell/uitexts.h"

namespace tarvo {

inline constexpr const char* kCalibrationFile = "kalibrierung.dat";
// The TARVO.INI key (section "PARAMETER") of the days a calibration stays valid.
inline constexpr const char* kCalibrationIntervalKey = "KALIB_TAGE";
inline constexpr int kDefaultCalibrationInterval = 365;

struct CalibrationRecord {
    DateTime date;
    std::string operatorName;
    std::string standard;     // the standard's identifier
    std::string certificate;  // its certificate number
    std::string temperature;  // as typed, in °C
    ScaleCorrection correction;
};

enum class CalibrationFileStatus { None, Loaded, Damaged };

struct CalibrationFileState {
    CalibrationFileStatus status = CalibrationFileStatus::None;
    CalibrationRecord record;  // only when Loaded
    std::string problem;       // why it is damaged (in the loaded language)
};

// Reads the calibration file; a missing file is None, one that cannot be used is Damaged with
// the reason, and its corrections are then not taken.
[[nodiscard]] CalibrationFileState LoadCalibrationFile(const std::filesystem::path& file, const UiTexts& texts);
// The file's text (Windows-1252 lines) and its atomic write with CR LF.
[[nodiscard]] std::string CalibrationFileText(const CalibrationRecord& r);
[[nodiscard]] WriteResult SaveCalibrationFile(const std::filesystem::path& file, const CalibrationRecord& r);

// Why a correction cannot be right (empty when it can): a factor or a segment's slope that
// corrects more than 1 %, marks out of order or too many, a squareness over 10 mrad, an error
// grid of no possible shape or one that corrects more than 1 % of its step between neighbours.
[[nodiscard]] std::string CorrectionProblem(const ScaleCorrection& c, const UiTexts& texts);
// The grid's problem alone (empty when it is none or can be right).
[[nodiscard]] std::string GridProblem(const GridCorrection& g, const UiTexts& texts);

// The days a calibration is valid, from the settings file (default 365; 0 or less: never due).
[[nodiscard]] int CalibrationIntervalDays(const std::filesystem::path& settingsFile);
// "08.12.2026"; the date `days` after `d`; whether `due` lies before `today`.
[[nodiscard]] std::string DateText(const DateTime& d);
// Reads "DD.MM.YYYY"; false when it is not a day the calendar has.
[[nodiscard]] bool ParseDate(const std::string& text, DateTime& d);
[[nodiscard]] DateTime AddDays(const DateTime& d, int days);
[[nodiscard]] bool DateBefore(const DateTime& a, const DateTime& b);

}  // namespace tarvo
