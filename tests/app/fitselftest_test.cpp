// The self-test of the reference fits judges what it reads: a wrong certified value, a missing
// error or a damaged file fails it.
#include "app/fitselftest.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvo {
namespace {

// Four points on the circle of radius 5 about (1000, 20), and a line along X through y = 3.
const std::string kPoints = "set k 4\n1005 20\n1000 25\n995 20\n1000 15\n";
const std::string kLine = "set g 3\n0 3\n1 3\n2 3\nLSLI 1 3 1 0 0\nMZLI 1 3 1 0 0\nend\n";

std::string Circle(const std::string& radius) {
    return kPoints + "LSCI 1000 20 " + radius + " 0\nMZCI 1000 20 5 0\nMICI 1000 20 5 0\nMCCI 1000 20 5 0\nend\n";
}

TEST(FitSelfTest, PassesOnCertifiedValuesAndFailsBeyondTheLimit) {
    EXPECT_TRUE(EvaluateFitReferences(Circle("5"), kLine).passed);
    EXPECT_TRUE(EvaluateFitReferences(Circle("5.000009"), kLine).passed);
    const FitSelfTestReport r = EvaluateFitReferences(Circle("5.000011"), kLine);
    EXPECT_FALSE(r.passed);
    EXPECT_EQ(r.lines.back(), "Selbsttest NICHT bestanden");
}

TEST(FitSelfTest, AnExpectedErrorMustBeAnError) {
    const std::string wrong = kPoints + "LSCI error\nMZCI -\nMICI -\nMCCI -\nend\n";
    EXPECT_FALSE(EvaluateFitReferences(wrong, kLine).passed);
    const std::string right = "set z 2\n0 0\n1 1\nLSCI error\nMZCI error\nMICI error\nMCCI error\nend\n";
    EXPECT_TRUE(EvaluateFitReferences(Circle("5") + right, kLine).passed);
}

TEST(FitSelfTest, DamagedOrMissingDataFails) {
    EXPECT_FALSE(EvaluateFitReferences(kPoints + "LSCI 1000 20 5\nend\n", kLine).passed);
    EXPECT_FALSE(EvaluateFitReferences("set k 4\n1005 20\n", kLine).passed);
    EXPECT_FALSE(EvaluateFitReferences("", "").passed);
    EXPECT_FALSE(RunFitSelfTest("/nonexistent-folder").passed);
}

}  // namespace
}  // namespace tarvo
