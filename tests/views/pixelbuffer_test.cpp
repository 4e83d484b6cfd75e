#include "views/pixelbuffer.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

TEST(PixelBuffer, AFilledRectangleCountsItsOutlineAndInside) {
    PixelBuffer p(200, 100);
    p.Rectangle(10, 20, 110, 70, kRgbBlack);
    const FillOutcome fill = p.FloodFill(50, 50, kRgbBlack, kRgbGrey);
    ASSERT_EQ(fill.kind, FillOutcome::Kind::Filled);
    EXPECT_EQ(fill.pixels, 99LL * 49LL);
    EXPECT_EQ(p.CountNot(kRgbWhite, 0, 0, 199, 99), 101LL * 51LL);
    EXPECT_EQ(p.Pixel(50, 50), kRgbGrey);
    EXPECT_EQ(p.Pixel(5, 5), kRgbWhite);
}

// A diagonal outline is 8-connected; the 4-connected fill must not leak through it.
TEST(PixelBuffer, DiagonalOutlinesHoldTheFill) {
    PixelBuffer p(100, 100);
    p.Line(50, 5, 95, 50, kRgbBlack);
    p.Line(95, 50, 50, 95, kRgbBlack);
    p.Line(50, 95, 5, 50, kRgbBlack);
    p.Line(5, 50, 50, 5, kRgbBlack);
    const FillOutcome fill = p.FloodFill(50, 50, kRgbBlack, kRgbGrey);
    EXPECT_EQ(fill.kind, FillOutcome::Kind::Filled);
    EXPECT_EQ(p.Pixel(2, 2), kRgbWhite);
}

TEST(PixelBuffer, FillsThatFindNoEnclosedRegionColourNothing) {
    PixelBuffer p(60, 40);
    p.Line(0, 20, 59, 20, kRgbBlack);
    EXPECT_EQ(p.FloodFill(30, 20, kRgbBlack, kRgbGrey).kind, FillOutcome::Kind::OnBorder);
    EXPECT_EQ(p.FloodFill(30, 10, kRgbBlack, kRgbGrey).kind, FillOutcome::Kind::Open);
    EXPECT_EQ(p.FloodFill(-1, 10, kRgbBlack, kRgbGrey).kind, FillOutcome::Kind::Open);
    EXPECT_EQ(p.CountNot(kRgbWhite, 0, 0, 59, 39), 60);
}

// Lines and circles far beyond the picture are clipped, not stepped pixel by pixel.
TEST(PixelBuffer, FarShapesAreClippedToThePicture) {
    PixelBuffer p(100, 100);
    p.Line(-1000000000000LL, 50, 1000000000000LL, 50, kRgbRed);
    EXPECT_EQ(p.CountNot(kRgbWhite, 0, 0, 99, 99), 100);
    p.Ellipse(-5000000, -5000000, 5000000, 5000000, kRgbBlue);
    p.Line(200, 200, 300, 400, kRgbRed);
    EXPECT_EQ(p.CountNot(kRgbWhite, 0, 0, 99, 99), 100);
    p.Ellipse(40, 40, 60, 60, kRgbBlue);
    EXPECT_EQ(p.Pixel(50, 40), kRgbBlue);
    EXPECT_EQ(p.Pixel(40, 50), kRgbBlue);
    EXPECT_EQ(p.Pixel(50, 45), kRgbWhite);
}

}  // namespace
}  // namespace tarvo
