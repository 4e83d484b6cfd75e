#include "readout/qt/qtcamera.h"

#include <QImage>
#include <QMediaDevices>
#include <QVideoFrame>
#include <cstring>

#include "base/cp1252.h"

namespace tarvo {

namespace {

constexpr qint64 kStaleMs = 1000;

}  // namespace

QtCamera::QtCamera(const QString& name) {
    for (const QCameraDevice& d : QMediaDevices::videoInputs()) {
        if (name.isEmpty() || d.description().contains(name, Qt::CaseInsensitive)) {
            m_camera = std::make_unique<QCamera>(d);
            break;
        }
    }
    if (m_camera) {
        m_session.setCamera(m_camera.get());
        m_session.setVideoOutput(&m_sink);
        connect(&m_sink, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& f) { OnFrame(f); });
    }
}

QtCamera::~QtCamera() {
    if (m_camera) {
        m_camera->stop();
    }
}

void QtCamera::OnFrame(const QVideoFrame& f) {
    const QImage grey = f.toImage().convertToFormat(QImage::Format_Grayscale8);
    if (grey.isNull()) {
        return;
    }
    m_latest.Resize(grey.width(), grey.height());
    for (int y = 0; y < grey.height(); ++y) {
        std::memcpy(m_latest.pixels.data() + static_cast<std::size_t>(y) * grey.width(), grey.constScanLine(y),
                    static_cast<std::size_t>(grey.width()));
    }
    m_age.restart();
}

bool QtCamera::Grab(GreyImage& frame) {
    if (!m_camera) {
        return false;
    }
    if (!m_started) {
        m_started = true;
        m_camera->start();
    }
    // A camera that stopped delivering (unplugged, its driver hung) keeps its last frame: that
    // is no longer the picture at the current position.
    if (m_latest.Empty() || !m_age.isValid() || m_age.elapsed() > kStaleMs || !m_camera->isActive()) {
        return false;
    }
    frame = m_latest;
    return true;
}

std::string QtCamera::Name() const {
    return m_camera ? Utf8ToAnsi(m_camera->cameraDevice().description().toStdString()) : std::string();
}

}  // namespace tarvo
