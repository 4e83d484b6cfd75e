// Edge finding in a camera frame. The single-edge probe looks along a search line through the
// click for the strongest edge nearest to it and places it to a fraction of a pixel by the area
// of the edge's profile (the position of the ideal step with the same area, which any symmetric
// blur leaves where it was). The circle probe finds three seed edges, the circle through them,
// and then its points all round, each along its radius.
#pragma once

#include <optional>
#include <vector>

#include "readout/camera.h"

namespace tarvo {

enum class ProbeFailure {
    None,
    NoEdge,    // no edge near the click (or a point of the circle outside the frame)
    TooWeak,   // an edge, but with too little contrast to place it
    NoCircle,  // the three seed edges lie on a line
};

struct EdgeProbeSettings {
    double searchHalf = 25;   // half the search line's length, pixels
    int band = 1;             // lines on each side of the search line averaged into the profile
    double minSlope = 5;      // grey levels per pixel a profile must rise by somewhere
    double minContrast = 20;  // grey levels between the two sides of an edge
};

struct EdgeResult {
    ProbeFailure failure = ProbeFailure::NoEdge;
    PixelPoint point;  // the edge point
    double nx = 1;     // the search direction (unit; from dark to bright when it was found)
    double ny = 0;
    double contrast = 0;  // grey levels between the two sides
    [[nodiscard]] bool Ok() const noexcept { return failure == ProbeFailure::None; }
};

// The edge nearest `click`. Without a direction the search line runs along the grey-level
// gradient of the strongest edge near the click.
[[nodiscard]] EdgeResult ProbeEdge(const GreyImage& frame, PixelPoint click,
                                   std::optional<PixelPoint> direction = std::nullopt,
                                   const EdgeProbeSettings& settings = {});

struct CircleProbeResult {
    ProbeFailure failure = ProbeFailure::NoCircle;
    std::vector<PixelPoint> points;  // `count` points round the circle, from the first seed on
    PixelPoint centre;               // the least-squares circle through them
    double radius = 0;
    double contrast = 0;  // of the edge that failed
    [[nodiscard]] bool Ok() const noexcept { return failure == ProbeFailure::None; }
};

// Three clicks near the rim, then `count` points (3..50) found at equal angles round it.
[[nodiscard]] CircleProbeResult ProbeCircle(const GreyImage& frame, const PixelPoint (&seeds)[3], int count,
                                            const EdgeProbeSettings& settings = {});

}  // namespace tarvo
