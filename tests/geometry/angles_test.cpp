#include "geometry/angles.h"

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/anglechoice.h"

namespace tarvo {
namespace {

double D(long double v) { return static_cast<double>(v); }

TEST(DegToRad, FoldsOnlyAboveThreeSixty) {
    EXPECT_NEAR(D(DegToRad(360)), D(2 * kPi), 1e-11);
    EXPECT_NEAR(D(DegToRad(720)), D(2 * kPi), 1e-11);
    EXPECT_EQ(DegToRad(721).value(), DegToRad(1).value());
    EXPECT_NEAR(D(DegToRad(-90)), D(-kPi / 2), 1e-11);
    EXPECT_NEAR(D(DegToRad(-450)), D(-2.5L * kPi), 1e-11);  // negatives are not raised
}

TEST(Folding, EqualsRepeatedSubtractionAndEndsForHugeAngles) {
    EXPECT_EQ(FoldDown(720, 360).value(), 360.0L);
    EXPECT_EQ(FoldDown(721.125L, 360).value(), 1.125L);
    EXPECT_EQ(FoldDown(-5, 360).value(), -5.0L);
    EXPECT_EQ(RaiseToPositive(-360, 360).value(), 0.0L);
    EXPECT_EQ(RaiseToPositive(-370.5L, 360).value(), 349.5L);
    EXPECT_EQ(RaiseToPositive(10, 360).value(), 10.0L);
    // Against the loop itself for ordinary stored angles.
    for (long double a = 360.001L; a < 5000; a += 77.777L) {
        Real loop = a;
        while (loop > 360) {
            loop -= 360;
        }
        EXPECT_EQ(FoldDown(a, 360).value(), loop.value()) << D(a);
    }
    EXPECT_LE(D(FoldDown(1e30L, 360)), 360.0);
}

TEST(TrigInDegrees, TangentThroughSineAndTheArcs) {
    EXPECT_NEAR(D(TanDeg(45)), 1.0, 1e-11);
    EXPECT_NEAR(D(TanDeg(-30)), -std::tan(kPi / 6), 1e-11);
    EXPECT_NEAR(D(ArcTanDeg(1)), 45.0, 1e-12);
    EXPECT_NEAR(D(ArcSinDeg(0.5L)), 30.0, 1e-12);
    EXPECT_NEAR(D(ArcSinDeg(1)), 90.0, 1e-12);
    EXPECT_LE(std::fabs(D(SinDeg(1e30L))), 1.0);  // never a hang, never NaN
}

TEST(TwoPointAngles, QuadrantsAndExactEqualityBranches) {
    struct Case {
        long double x1, y1, x2, y2, direction, inclination;
    };
    const Case cases[] = {
        {0, 0, 1, 0, 0, 0},      {0, 0, 0, 1, 90, 90},    {0, 0, -1, 0, 180, 0},  {0, 0, 0, -1, 270, 270},
        {0, 0, 1, -1, 315, -45}, {0, 0, -1, -1, 225, 45}, {2, 2, 2, 2, 0, 0},     {0, 0, 1, 1, 45, 45},
        {0, 0, -1, 1, 135, -45}, {5, 3, 1, 3, 180, 0},    {1, 1, 1, 0, 270, 270},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(D(DirectionAngle(c.x1, c.y1, c.x2, c.y2)), D(c.direction), 1e-9)
            << c.x1 << "," << c.y1 << " -> " << c.x2 << "," << c.y2;
        EXPECT_NEAR(D(InclinationAngle(c.x1, c.y1, c.x2, c.y2)), D(c.inclination), 1e-9)
            << c.x1 << "," << c.y1 << " -> " << c.x2 << "," << c.y2;
    }
    // A segment pointing right is exactly 0, whatever the arctangent gives.
    EXPECT_EQ(DirectionAngle(0.1L, 0.3L, 7.7L, 0.3L).value(), 0.0L);
}

TEST(AngleToDmsText, FieldsSignsAndSecondsRounding) {
    struct Case {
        long double a;
        const char* text;
    };
    const Case cases[] = {
        {12.5L, "12:30:00"},        {0.0125L, "0:00:45"},
        {-3.5L, "-3:30:00"},        {370, "10:00:00"},
        {-0.5L, "-0:30:00"},        {360, "360:00:00"},
        {1.0L / 3600, "0:00:01"},   {12 + 34.0L / 60 + 59.97L / 3600, "12:34:60"},  // seconds are never carried
        {12.51L / 3600, "0:00:12"},  // 12.5 s: halves go to the even number
        {13.51L / 3600, "0:00:14"},  // 13.5 s
        {1000, "280:00:00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AngleToDmsText(c.a), c.text) << D(c.a);
    }
}

TEST(DmsTextToAngle, EveryRuleOfTheFieldReader) {
    const long double bad = kMarkerValue;
    struct Case {
        const char* text;
        long double a;
    };
    const Case cases[] = {
        {"12:30:15", 12 + 30 * 0.016666666666666666L + 15 * 0.0002777777777777778L},
        {"12:30", 12.5L},
        {"12", 12},
        {"400:00:00", 40},
        {"720:00", 360},       // 360 itself is not folded
        {"10:75:00", 11.25L},  // minutes are not limited to 0..59
        {"12:30:", 12.5L},     // a colon at the end: seconds absent
        {" +12: -30", 11.5L},  // leading blanks and one sign per field
        {"-3:30:00", -2.5L},   // the sign belongs to the degrees only
        {"12:3x:00", bad},
        {"12::00", bad},
        {"12 :30", bad},  // trailing blank
        {"12.5", bad},
        {"", bad},
        {":30", bad},
        {"12:30:15:20", bad},
        {"+-1", bad},
        {"99999999999", bad},  // beyond the whole-number field
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(D(DmsTextToAngle(c.text)), D(Real(c.a)), 1e-9) << '"' << c.text << '"';
    }
}

TEST(AngleChoice, CaptionsKeysAndSketches) {
    const AngleChoice choice({Real(30), Real(150), Real(210.5L), Real(330)});
    const auto captions = choice.Captions();
    EXPECT_EQ(captions[0], "Winkel 1 = 30.000\xB0");
    EXPECT_EQ(captions[2], "Winkel 3 = 210.500\xB0");
    EXPECT_EQ(AngleChoice::KeyChoice('4'), 4);
    EXPECT_EQ(AngleChoice::KeyChoice('5'), std::nullopt);
    EXPECT_EQ(AngleChoice::KeyChoice('0'), std::nullopt);
    const auto s = choice.Sketches();
    EXPECT_EQ(s[0].left, 25);
    EXPECT_EQ(s[1].left, 250);
    EXPECT_EQ(s[0].endX, 125 + 87);  // round(100 cos 30)
    EXPECT_EQ(s[0].endY, 125 - 50);  // screen Y points down
    EXPECT_EQ(s[1].endX, 350 - 87);
    EXPECT_EQ(s[1].endY, 125 - 50);
}

}  // namespace
}  // namespace tarvo
