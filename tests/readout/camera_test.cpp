// The simulated camera against its exact geometry, and the edge probes against the camera.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/referencefits.h"
#include "readout/edgeprobe.h"
#include "readout/simulatedcamera.h"

namespace tarvo {
namespace {

// Material left of the line through (px, py) at `angle` degrees (a large square).
Workpiece HalfPlane(double px, double py, double angle) {
    const double a = angle * M_PI / 180;
    const double dx = std::cos(a);
    const double dy = std::sin(a);
    const double big = 100;
    Workpiece w;
    w.outline = {{px - big * dx, py - big * dy},
                 {px + big * dx, py + big * dy},
                 {px + big * dx - 2 * big * dy, py + big * dy + 2 * big * dx},
                 {px - big * dx - 2 * big * dy, py - big * dy + 2 * big * dx}};
    return w;
}

// Where a stage point appears in the frame of `cam`.
PixelPoint PixelOf(const SimulatedCamera& cam, double x, double y) {
    const SimulatedCameraSettings& s = cam.Settings();
    const double a = s.scale.rotation * M_PI / 180;
    const double dx = x - cam.StageX();
    const double dy = y - cam.StageY();
    const double u = dx * std::cos(a) + dy * std::sin(a);
    const double v = -dx * std::sin(a) + dy * std::cos(a);
    return {(s.width - 1) / 2.0 + u / s.scale.pixelX, (s.height - 1) / 2.0 - v / s.scale.pixelY};
}

double MaterialInFrame(SimulatedCamera& cam) {
    std::vector<float> share;
    cam.Coverage(share);
    double sum = 0;
    for (const float v : share) {
        sum += v;
    }
    return sum * cam.Settings().scale.pixelX * cam.Settings().scale.pixelY;
}

TEST(SimulatedCamera, EveryPixelHoldsItsExactShareOfMaterial) {
    // Rims and straight edges at any angle, corners, non-square pixels, a turned camera: the
    // material in the frame adds up to its area.
    SimulatedCamera cam(CertifiedCircle(2.0, 0.0123, -0.0071));
    cam.Settings() = {.width = 640, .height = 640, .scale = {0.004, 0.0037, 17.0}};
    cam.SetStagePosition(0, 0);
    EXPECT_NEAR(MaterialInFrame(cam), M_PI, 8e-6);  // a pixel is 1.5e-5

    const double a = 0.4;  // a 1.5 mm square turned by 0.4 rad
    const double c = 0.75 * std::cos(a);
    const double s = 0.75 * std::sin(a);
    Workpiece square;
    square.outline = {{c - s, s + c}, {-c - s, -s + c}, {-c + s, -s - c}, {c + s, s - c}};
    cam.SetWorkpiece(square);
    EXPECT_NEAR(MaterialInFrame(cam), 2.25, 2e-6);
}

TEST(SimulatedCamera, StopsDelivering) {
    SimulatedCamera cam;
    GreyImage frame;
    ASSERT_TRUE(cam.Grab(frame));
    EXPECT_EQ(frame.width, 1280);
    EXPECT_EQ(frame.height, 720);
    cam.SetDelivering(false);
    EXPECT_FALSE(cam.Grab(frame));
}

TEST(EdgeProbe, StraightEdgesWithinATenthOfAPixel) {
    // Every direction, sub-pixel positions, the default blur, noise and light.
    double worst = 0;
    for (double angle = 3; angle < 360; angle += 23.7) {
        SimulatedCamera cam(HalfPlane(0.0013 * angle, -0.0007 * angle, angle));
        cam.SetStagePosition(0, 0);
        GreyImage frame;
        ASSERT_TRUE(cam.Grab(frame));
        // Click 6 pixels off the edge, somewhere along it.
        const double a = angle * M_PI / 180;
        const double ex = 0.0013 * angle + 0.3 * std::cos(a);
        const double ey = -0.0007 * angle + 0.3 * std::sin(a);
        const PixelPoint on = PixelOf(cam, ex, ey);
        const PixelPoint off = PixelOf(cam, ex + 0.03 * std::sin(a), ey - 0.03 * std::cos(a));
        const EdgeResult e = ProbeEdge(frame, off);
        ASSERT_TRUE(e.Ok()) << angle;
        // The distance from the edge's line, in pixels (the picture's Y is flipped).
        const double nx = std::sin(a);
        const double ny = std::cos(a);
        worst = std::max(worst, std::abs((e.point.x - on.x) * nx + (e.point.y - on.y) * ny));
    }
    EXPECT_LT(worst, 0.1);
}

TEST(EdgeProbe, CurvedEdgesWithinATenthOfAPixel) {
    // The rims of a 0.5 mm and a 10 mm hole (radius 50 and 1000 pixels).
    for (const double r : {0.25, 5.0}) {
        Workpiece w;
        w.outline = {{-20, -20}, {20, -20}, {20, 20}, {-20, 20}};
        w.holes = {{0.00037, -0.00052, r}};
        SimulatedCamera cam(w);
        cam.SetStagePosition(r > 1 ? r - 0.5 : 0, r > 1 ? 0.3 : 0);
        GreyImage frame;
        ASSERT_TRUE(cam.Grab(frame));
        double worst = 0;
        for (double t = 0; t < 2 * M_PI; t += 0.31) {
            const double x = 0.00037 + (r - 0.02) * std::cos(t);
            const double y = -0.00052 + (r - 0.02) * std::sin(t);
            const PixelPoint click = PixelOf(cam, x, y);
            if (click.x < 30 || click.y < 30 || click.x > 1250 || click.y > 690) {
                continue;
            }
            const EdgeResult e = ProbeEdge(frame, click);
            ASSERT_TRUE(e.Ok()) << r << " " << t;
            const PixelPoint c = PixelOf(cam, 0.00037, -0.00052);
            worst = std::max(worst, std::abs(std::hypot(e.point.x - c.x, e.point.y - c.y) - r / 0.005));
        }
        EXPECT_LT(worst, 0.1) << r;
    }
}

TEST(EdgeProbe, FiveMillimetreCircleWithinOneMicrometre) {
    // A 2-megapixel camera at 5 um per pixel, turned by 1.3 degrees, a little off the centre.
    SimulatedCamera cam(CertifiedCircle(5.0, 12.3456, 7.891));
    cam.Settings().width = 1600;
    cam.Settings().height = 1200;
    cam.Settings().scale.rotation = 1.3;
    cam.SetStagePosition(12.3456 + 0.0123, 7.891 - 0.0234);
    GreyImage frame;
    ASSERT_TRUE(cam.Grab(frame));
    const PixelPoint c = PixelOf(cam, 12.3456, 7.891);
    const PixelPoint seeds[3] = {{c.x + 510, c.y + 3}, {c.x - 260, c.y - 420}, {c.x - 240, c.y + 440}};
    const CircleProbeResult circle = ProbeCircle(frame, seeds, 24);
    ASSERT_TRUE(circle.Ok());
    ASSERT_EQ(circle.points.size(), 24u);
    std::vector<FitPoint> stage;
    for (const PixelPoint& p : circle.points) {
        const StageOffset o = PixelToStage(frame, p, cam.Settings().scale);
        stage.push_back({cam.StageX() + o.x, cam.StageY() + o.y});
    }
    const ReferenceCircle fit = FitCircle(stage, CircleMethod::LSCI);
    ASSERT_TRUE(fit.ok);
    EXPECT_NEAR(fit.radius, 2.5, 0.001);
    EXPECT_NEAR(fit.cx, 12.3456, 0.001);
    EXPECT_NEAR(fit.cy, 7.891, 0.001);
}

TEST(EdgeProbe, RefusesWhatItCannotPlace) {
    SimulatedCamera cam;
    cam.SetStagePosition(20, 15);  // on the plate, far from any edge
    GreyImage frame;
    ASSERT_TRUE(cam.Grab(frame));
    EXPECT_EQ(ProbeEdge(frame, {640, 360}).failure, ProbeFailure::NoEdge);
    EXPECT_EQ(ProbeEdge(frame, {-5, 360}).failure, ProbeFailure::NoEdge);
    const PixelPoint seeds[3] = {{600, 360}, {640, 360}, {680, 360}};
    EXPECT_FALSE(ProbeCircle(frame, seeds, 12).Ok());

    cam.Settings().dark = 120;  // a faint edge: 15 grey levels
    cam.Settings().bright = 135;
    cam.SetStagePosition(35 - 10, 30);  // the big hole's left rim under the cross-hair
    ASSERT_TRUE(cam.Grab(frame));
    EXPECT_EQ(ProbeEdge(frame, {645, 360}).failure, ProbeFailure::TooWeak);
}

}  // namespace
}  // namespace tarvo
