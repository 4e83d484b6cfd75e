// The camera's live view: opened from the window's menu, the frame with the cross-hair, a click
// that probes into the point memory, and what it shows without a camera.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>

#include "app/qt/tkamerabild.h"
#include "app/videoprobing.h"
#include "gui/fixtures.h"
#include "readout/simulatedcamera.h"

namespace tarvo {
namespace {

using LiveView = Window;

TEST_F(LiveView, OpensFromTheMenuShowsTheCrossHairAndProbesAClick) {
    VideoProbing video(*m);
    SimulatedCamera camera;
    Tkamerabild view(video, [&] { camera.SetStagePosition(65.5, 20.3); });
    Slot<> show([&view] { view.show(); });
    m->ShowLiveView.Attach(show);
    QAction* entry = nullptr;
    for (QAction* a : w->findChildren<QAction*>()) {
        if (a->text() == QString::fromUtf8("Kamera&bild")) {
            entry = a;
        }
    }
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    ASSERT_TRUE(view.isVisible());

    EXPECT_FALSE(view.Refresh());  // no camera yet
    video.SetCamera(&camera);
    ASSERT_TRUE(view.Refresh());
    const QImage shown = view.Rendered();
    // The cross-hair's vertical line through the frame's middle (between pixels 639 and 640).
    EXPECT_TRUE(shown.pixel(639, 100) == qRgb(0, 255, 255) || shown.pixel(640, 100) == qRgb(0, 255, 255));
    EXPECT_LT(qGray(shown.pixel(400, 100)), 60);   // the plate left of the hole's rim
    EXPECT_GT(qGray(shown.pixel(900, 100)), 150);  // the light through the hole

    // The click lands on the frame pixel it shows (the picture below the bar at full size).
    view.resize(1280, 720 + 34);
    const PixelPoint p = view.PixelAt(QPointF(545.5, 34 + 358.5));
    EXPECT_NEAR(p.x, 545, 0.01);
    EXPECT_NEAR(p.y, 358, 0.01);
    session->run.CurrentPos = {65.5, 20.3};
    view.ClickPixel({545, 358});
    ASSERT_EQ(m->Context().PointCount(), 1);
    EXPECT_NEAR(static_cast<double>(m->Context().GetPoint(0).x), 65.010, 0.002);

    camera.SetDelivering(false);
    EXPECT_FALSE(view.Refresh());
    view.close();
}

}  // namespace
}  // namespace tarvo
