// A real camera through Qt Multimedia: the platform's video inputs (V4L2 on Linux, Media
// Foundation on Windows), each frame turned into 8-bit grey. Qt is already the program's toolkit,
// and the edge finding is the core's own, so no image library is needed on top.
#pragma once

#include <QCamera>
#include <QElapsedTimer>
#include <QMediaCaptureSession>
#include <QObject>
#include <QVideoSink>
#include <memory>

#include "readout/camera.h"

namespace tarvo {

class QtCamera final : public QObject, public Camera {
public:
    // The first video input, or the first whose description contains `name`.
    explicit QtCamera(const QString& name = {});
    ~QtCamera() override;

    // Whether there is such a camera at all.
    [[nodiscard]] bool Available() const noexcept { return m_camera != nullptr; }
    // The newest frame, when it is at most a second old; the camera starts at the first call.
    [[nodiscard]] bool Grab(GreyImage& frame) override;
    [[nodiscard]] std::string Name() const override;

private:
    void OnFrame(const QVideoFrame& f);

    std::unique_ptr<QCamera> m_camera;
    QMediaCaptureSession m_session;
    QVideoSink m_sink;
    GreyImage m_latest;
    QElapsedTimer m_age;
    bool m_started = false;
};

}  // namespace tarvo
