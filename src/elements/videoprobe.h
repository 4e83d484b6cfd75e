// The camera's probes as measuring steps: a found edge point enters the point memory as a
// capture does (the stage position plus the pixel offset from the cross-hair times the pixel
// size, turned by the camera's rotation and by the coordinate system's angle), and the program
// being taught gets the probe's line, which a replay waits at until the operator probes again.
#pragma once

#include "data/commandcontext.h"
#include "readout/camera.h"
#include "readout/edgeprobe.h"

namespace tarvo {

// The workpiece position of a pixel of `frame` taken at the current position.
[[nodiscard]] Point PixelPosition(const CommandContext& ctx, const GreyImage& frame, PixelPoint p,
                                  const CameraScale& scale);

// The edge nearest `click` in the camera's newest frame becomes a point. No camera, no frame, no
// edge or too faint an edge: the operator is told why, and nothing is captured or recorded.
bool VideoEdgeCommand(CommandContext& ctx, Camera* camera, const CameraScale& scale, PixelPoint click);
// The circle seeded by three clicks: `count` points round it.
bool VideoCircleCommand(CommandContext& ctx, Camera* camera, const CameraScale& scale, const PixelPoint (&seeds)[3],
                        int count);

// The newest frame, or the message why there is none (told to the operator).
bool GrabFrame(CommandContext& ctx, Camera* camera, GreyImage& frame);
// The message of a failed probe.
void TellProbeFailure(CommandContext& ctx, ProbeFailure failure, double contrast);

}  // namespace tarvo
