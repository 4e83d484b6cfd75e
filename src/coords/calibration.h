// The calibration procedures of the machine against certified standards. Each measures through
// the corrections that come before its own (the factor, then the error tables, then the
// squareness) and computes its own correction, the errors found and the residuals left after it.
// Bad input is refused with the reason; nothing is then changed.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "readout/scalecorrection.h"
#include "shell/uitexts.h"

namespace tarvo {

enum class CalibrationKind {
    Linear,    // the two ends of a certified length along one axis: the axis factor
    Segments,  // the marks of a certified glass scale along one axis: the axis's error table
    Square,    // two edges of a certified square: the squareness of the axes
    Turn,      // one edge measured along X, then with the part turned by 90° along Y: the squareness
    Grid,      // the nodes of a certified grid plate, row by row: the error grid
};

struct CalibrationResult {
    bool ok = false;
    std::string refusal;                   // why it was refused (German; empty when ok)
    ScaleCorrection correction;            // every correction in effect once it is saved
    std::vector<long double> errorsUm;     // the errors found (µm; the squareness over 100 mm)
    std::vector<long double> residualsUm;  // what is left after the correction (µm)
    std::vector<std::string> lines;        // the figures as the operator reads them
    [[nodiscard]] long double MaxError() const;
    [[nodiscard]] long double MaxResidual() const;
};

// One calibration under way: what is certified, what has been captured.
class CalibrationProcedure final {
public:
    // Linear: `certified` holds the length. Segments: the certified positions of the marks in
    // their order. Square and Turn: `certified` holds the reference angle in degrees (the square's
    // certified angle; 90 for the turn). Grid: the plate's node spacing in X and Y (mm) and its
    // columns and rows; the plate may lie anywhere on the stage, turned a little. `axis` 0 = X,
    // 1 = Y (Linear and Segments).
    CalibrationProcedure(CalibrationKind kind, int axis, std::vector<long double> certified);

    [[nodiscard]] CalibrationKind Kind() const noexcept { return m_kind; }
    [[nodiscard]] int Axis() const noexcept { return m_axis; }
    [[nodiscard]] const std::vector<long double>& Certified() const noexcept { return m_certified; }
    // A reading of both axes (after the scale fields and axis factors, before every correction).
    void Capture(long double x, long double y);
    // Square and Turn: the first edge is done, the second begins. False when there is no second.
    bool NextEdge();
    [[nodiscard]] int Edge() const noexcept { return m_edge; }
    // Points captured in the current step (the edge, or all for Linear and Segments).
    [[nodiscard]] int Captured() const noexcept;
    // Points the procedure wants in all (Linear 2, Segments one per mark, Grid one per node; 0 for
    // the edges: any).
    [[nodiscard]] int Wanted() const noexcept;
    // What to do next, for the prompt.
    [[nodiscard]] std::string Prompt(const UiTexts& texts) const;
    // The correction from what was captured, with `current` in effect for the other stages.
    [[nodiscard]] CalibrationResult Compute(const ScaleCorrection& current, const UiTexts& texts) const;

private:
    struct Reading {
        long double x;
        long double y;
    };
    // The error grid from the nodes captured; the refusal when it cannot be had.
    [[nodiscard]] std::optional<std::string> ComputeGrid(const ScaleCorrection& current, const UiTexts& texts,
                                                         CalibrationResult& r) const;

    CalibrationKind m_kind;
    int m_axis;
    std::vector<long double> m_certified;
    std::vector<Reading> m_points[2];  // per edge; Linear and Segments use the first
    int m_edge = 0;
};

// The certified positions of a glass scale's certificate (CSV): one mark a line, the position
// in the last field that is a number (a mark number may come first; "," or ";" between fields,
// a decimal comma with ";"); lines without a number (headings) are skipped. Nothing when the file
// cannot be read; `problem` then says why.
[[nodiscard]] std::optional<std::vector<long double>> ReadCertificateCsv(const std::filesystem::path& file,
                                                                         std::string& problem);

// The direction of the line fitted through points by least squares, in degrees (-90, 90].
[[nodiscard]] long double FittedDirection(const std::vector<long double>& xs, const std::vector<long double>& ys);

}  // namespace tarvo
