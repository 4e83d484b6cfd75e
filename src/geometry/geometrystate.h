// The values the geometry kernel shares between calls; one per session.
#pragma once

#include "base/real.h"

namespace tarvo {

struct GeometryState {
    // Inclination angle from the centre to the point farthest off the radius, as the last
    // radial-spread evaluation of a circle fit found it.
    Real WorstPointAngle = 0.0L;
    // Step length of StepPoint; set by RefineCircleCentre for one pass and restored after it.
    Real StepLength = 0.0002L;
    // X/Y of the last evaluated element, set by measuring, alignment and intersection commands.
    Real ElementPosX = 0.0L;
    Real ElementPosY = 0.0L;
    // Which kind of element was evaluated last (1 = circle), for the element graphic.
    int LastElementKind = 0;
};

}  // namespace tarvo
