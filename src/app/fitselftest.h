// The self-test of the reference fits: every certified set of the shipped folder "fits"
// (circles.txt, lines.txt, written by tools/fits/make_reference.py) is fitted with every method
// and compared with its certified centre, size and form.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

// Largest deviation allowed for every parameter: 0.01 um (the length unit is the millimetre).
inline constexpr double kFitSelfTestLimit = 1e-5;

struct FitSelfTestReport {
    bool passed = false;
    std::vector<std::string> lines;  // what the test prints, one line each (ASCII)
};

// Evaluates the reference texts (the contents of circles.txt and lines.txt).
[[nodiscard]] FitSelfTestReport EvaluateFitReferences(std::string_view circles, std::string_view lines);

// Reads `folder`/circles.txt and `folder`/lines.txt and evaluates them; a missing or damaged
// file fails the test with a line saying so.
[[nodiscard]] FitSelfTestReport RunFitSelfTest(const std::filesystem::path& folder);

}  // namespace tarvo
