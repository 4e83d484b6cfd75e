#include "app/videoprobing.h"

#include <cstdio>

#include "app/mainwindow.h"
#include "app/session.h"
#include "base/cp1252.h"
#include "elements/videoprobe.h"

namespace tarvo {

namespace {

constexpr int kCalibrationRimPoints = 36;

std::string Fixed(double v, int digits) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", digits, v);
    return buf;
}

}  // namespace

VideoProbing::VideoProbing(MainWindow& window) : m_w(window) {
    m_file = LoadCameraCalibration(m_w.session().WorkFile(kCameraCalibrationFile));
    if (m_file.status == CameraCalibrationStatus::Loaded) {
        m_scale = m_file.record.scale;
    }
}

std::string VideoProbing::CalibrationText() const {
    const CommandContext& ctx = m_w.Context();
    if (m_file.status == CameraCalibrationStatus::Loaded) {
        const CameraCalibrationRecord& r = m_file.record;
        return ctx.texts.Compose(kMsgCameraCalState, {Fixed(m_scale.pixelX * 1000, 4), Fixed(m_scale.pixelY * 1000, 4),
                                                      Fixed(m_scale.rotation, 4), DateText(r.date), r.standard});
    }
    return ctx.texts.Compose(
        kMsgCameraCalState,
        {Fixed(m_scale.pixelX * 1000, 4), Fixed(m_scale.pixelY * 1000, 4), Fixed(m_scale.rotation, 4), "-",
         m_file.status == CameraCalibrationStatus::Damaged ? m_file.problem : "-"});
}

bool VideoProbing::Ready() {
    // Without the readout the position under the cross-hair is unknown.
    if (m_w.Link().LinkDown()) {
        m_w.Context().op.Beep();
        m_w.Context().op.ShowError(m_w.Context().UiText(kMsgCaptureOffline));
        return false;
    }
    return true;
}

bool VideoProbing::Edge(PixelPoint click) {
    bool done = false;
    m_w.Guarded([&] { done = Ready() && VideoEdgeCommand(m_w.Context(), m_camera, m_scale, click); });
    return done;
}

bool VideoProbing::Circle(const PixelPoint (&seeds)[3], int count) {
    bool done = false;
    m_w.Guarded([&] { done = Ready() && VideoCircleCommand(m_w.Context(), m_camera, m_scale, seeds, count); });
    return done;
}

std::optional<VideoProbing::RimSeen> VideoProbing::SeeRim(const PixelPoint (&seeds)[3]) {
    CommandContext& ctx = m_w.Context();
    GreyImage frame;
    if (!Ready() || !GrabFrame(ctx, m_camera, frame)) {
        return std::nullopt;
    }
    const CircleProbeResult c = ProbeCircle(frame, seeds, kCalibrationRimPoints);
    if (!c.Ok()) {
        TellProbeFailure(ctx, c.failure, c.contrast);
        return std::nullopt;
    }
    RimSeen seen;
    seen.fit = FitRim(c.points);
    if (!seen.fit.ok) {
        ctx.op.ShowError(ctx.UiText(kMsgCircleNone));
        return std::nullopt;
    }
    const AcquisitionState& a = m_w.session().acquisition;
    seen.readingX = static_cast<double>(a.LastReading[0]);
    seen.readingY = static_cast<double>(a.LastReading[1]);
    return seen;
}

bool VideoProbing::CalibrateStart(double diameter, std::string standard, const PixelPoint (&seeds)[3]) {
    bool done = false;
    m_w.Guarded([&] {
        CommandContext& ctx = m_w.Context();
        if (!(diameter > 0)) {
            ctx.op.ShowError(ctx.UiText(kMsgCalNoStandard));
            return;
        }
        const auto seen = SeeRim(seeds);
        if (!seen) {
            return;
        }
        m_started = Started{diameter, std::move(standard), *seen};
        ctx.op.ShowInfo(ctx.UiText(kMsgCameraCalMove));
        done = true;
    });
    return done;
}

bool VideoProbing::CalibrateFinish(const PixelPoint (&seeds)[3]) {
    bool done = false;
    m_w.Guarded([&] {
        CommandContext& ctx = m_w.Context();
        if (!m_started) {
            ctx.op.ShowError(ctx.UiText(kMsgCalNothing));
            return;
        }
        const auto seen = SeeRim(seeds);
        if (!seen) {
            return;
        }
        const Started& s = *m_started;
        CameraScale scale;
        scale.pixelX = s.diameter / (seen->fit.halfWidth + s.first.fit.halfWidth);
        scale.pixelY = s.diameter / (seen->fit.halfHeight + s.first.fit.halfHeight);
        const auto turn = CameraRotation(s.first.fit.centre, seen->fit.centre, seen->readingX - s.first.readingX,
                                         seen->readingY - s.first.readingY, scale.pixelX, scale.pixelY);
        if (!turn) {
            ctx.op.ShowError(ctx.texts.Compose(kMsgCameraCalBad, {Ansi("der Tisch wurde zu wenig verfahren")}));
            return;
        }
        scale.rotation = *turn;
        if (const std::string why = CameraScaleProblem(scale); !why.empty()) {
            ctx.op.ShowError(ctx.texts.Compose(kMsgCameraCalBad, {why}));
            m_started.reset();
            return;
        }
        CameraCalibrationRecord r;
        r.date = m_w.session().Clock().Now();
        r.standard = s.standard;
        r.diameter = s.diameter;
        r.scale = scale;
        const std::filesystem::path file = m_w.session().WorkFile(kCameraCalibrationFile);
        if (const WriteResult w = SaveCameraCalibration(file, r); !w.ok) {
            ctx.op.ShowError(ctx.texts.Compose(kMsgCameraCalBad, {w.error}));
            return;
        }
        m_started.reset();
        m_scale = scale;
        m_file = {CameraCalibrationStatus::Loaded, r, {}};
        ctx.op.ShowInfo(
            ctx.texts.Compose(kMsgCameraCalSaved, {Fixed(scale.pixelX * 1000, 4), Fixed(scale.pixelY * 1000, 4),
                                                   Fixed(scale.rotation, 4), kCameraCalibrationFile}));
        done = true;
    });
    return done;
}

}  // namespace tarvo
