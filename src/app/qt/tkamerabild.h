// The camera's live view ("Kamerabild"): the newest frame with the cross-hair, refreshed at the
// camera's frame rate but never taking more than half of the window's time, so the readout's
// timers keep their pace. A click probes: the edge nearest the click, or, in circle mode, three
// clicks near the rim seed the circle probe; in calibration mode three clicks on a certified
// circle's rim, once and again after a move of the stage, calibrate the camera.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <vector>

#include "readout/camera.h"

class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace tarvo {

class VideoProbing;

class Tkamerabild final : public QWidget {
public:
    // `beforeGrab` runs before every frame (the simulated camera follows the stage there).
    Tkamerabild(VideoProbing& video, std::function<void()> beforeGrab, QWidget* parent = nullptr);

    // Takes and shows one frame now; false when there is none (the view then says why).
    bool Refresh();
    // What the view shows, the cross-hair drawn in (for the tests and the screenshots).
    [[nodiscard]] QImage Rendered() const;
    // The frame pixel under a point of the picture area.
    [[nodiscard]] PixelPoint PixelAt(QPointF pos) const;
    // A click at a frame pixel, as the mouse gives it.
    void ClickPixel(PixelPoint p);
    void SetCircleMode(bool on, int count = 12);
    [[nodiscard]] double FramesPerSecond() const noexcept { return m_fps; }

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    [[nodiscard]] QRectF PictureRect() const;
    void Paint(QPainter& p, const QRectF& target) const;
    void Tick();

    VideoProbing& m_video;
    std::function<void()> m_beforeGrab;
    GreyImage m_frame;
    QImage m_image;  // over m_frame's pixels
    bool m_haveFrame = false;
    QTimer m_timer;
    QElapsedTimer m_clock;
    double m_fps = 0;
    qint64 m_lastFrameAt = -1;
    QRadioButton* m_edge = nullptr;
    QRadioButton* m_circle = nullptr;
    QSpinBox* m_count = nullptr;
    QRadioButton* m_calibrate = nullptr;
    QDoubleSpinBox* m_diameter = nullptr;  // the certified circle's diameter, mm
    QLineEdit* m_standard = nullptr;       // its identifier
    bool m_calibrationStarted = false;
    QLabel* m_status = nullptr;
    std::vector<PixelPoint> m_seeds;
};

}  // namespace tarvo
