#include "elements/videoprobe.h"

#include <cstdio>
#include <string>

#include "geometry/lines.h"

namespace tarvo {

namespace {

std::string PixelText(PixelPoint p) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f:%.1f", p.x, p.y);
    return buf;
}

void Capture(CommandContext& ctx, const Point& p) {
    ctx.results.SelectLast();
    ctx.points.Append(PointItemText(p.x, p.y, ctx.settings.Decimals));
}

}  // namespace

Point PixelPosition(const CommandContext& ctx, const GreyImage& frame, PixelPoint p, const CameraScale& scale) {
    const StageOffset o = PixelToStage(frame, p, scale);
    // The offset is a stage distance: the coordinate system turns it as it turns the position.
    const XY turned = RotateAboutOrigin(ctx.settings.OffsetW, o.x, o.y);
    return {ctx.run.CurrentPos.x + turned.x, ctx.run.CurrentPos.y + turned.y};
}

bool GrabFrame(CommandContext& ctx, Camera* camera, GreyImage& frame) {
    if (camera == nullptr) {
        ctx.op.ShowError(ctx.UiText(kMsgCameraNone));
        return false;
    }
    if (!camera->Grab(frame) || frame.Empty()) {
        ctx.op.ShowError(ctx.texts.Compose(kMsgCameraStopped, {camera->Name()}));
        return false;
    }
    return true;
}

void TellProbeFailure(CommandContext& ctx, ProbeFailure failure, double contrast) {
    switch (failure) {
        case ProbeFailure::TooWeak:
            ctx.op.ShowError(ctx.texts.Compose(kMsgEdgeWeak, {std::to_string(static_cast<int>(contrast + 0.5))}));
            break;
        case ProbeFailure::NoCircle:
            ctx.op.ShowError(ctx.UiText(kMsgCircleNone));
            break;
        default:
            ctx.op.ShowError(ctx.UiText(kMsgEdgeNone));
            break;
    }
}

bool VideoEdgeCommand(CommandContext& ctx, Camera* camera, const CameraScale& scale, PixelPoint click) {
    GreyImage frame;
    if (!GrabFrame(ctx, camera, frame)) {
        return false;
    }
    const EdgeResult e = ProbeEdge(frame, click);
    if (!e.Ok()) {
        TellProbeFailure(ctx, e.failure, e.contrast);
        return false;
    }
    Capture(ctx, PixelPosition(ctx, frame, e.point, scale));
    ctx.Record(word::kVideoEdge, PixelText(click));
    ctx.changes.Prompt.Notify("");
    ctx.op.Beep();
    return true;
}

bool VideoCircleCommand(CommandContext& ctx, Camera* camera, const CameraScale& scale, const PixelPoint (&seeds)[3],
                        int count) {
    GreyImage frame;
    if (!GrabFrame(ctx, camera, frame)) {
        return false;
    }
    const CircleProbeResult c = ProbeCircle(frame, seeds, count);
    if (!c.Ok()) {
        TellProbeFailure(ctx, c.failure, c.contrast);
        return false;
    }
    // One line a point, as a capture records one: deleting a point in the list while teaching
    // deletes its line, and a replay waits for each.
    const std::string seedText = std::to_string(c.points.size()) + ":" + PixelText(seeds[0]) + ":" +
                                 PixelText(seeds[1]) + ":" + PixelText(seeds[2]);
    for (const PixelPoint& p : c.points) {
        Capture(ctx, PixelPosition(ctx, frame, p, scale));
        ctx.Record(word::kVideoCircle, seedText);
    }
    ctx.changes.Prompt.Notify("");
    ctx.op.Beep();
    return true;
}

}  // namespace tarvo
