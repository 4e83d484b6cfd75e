// The words a recorded program consists of: each command appends its word (and parameters) while
// a program is taught in, and the runner replays a line by its word. The measuring words are
// mixed case, the others upper case; the runner compares them without regard to case.
#pragma once

#include <string_view>

namespace tarvo::word {

inline constexpr std::string_view kCircleMode = "KRMODE:";
inline constexpr std::string_view kAngleMode = "WIMODE:";
inline constexpr std::string_view kCircleReference = "KRBEZUG:";
inline constexpr std::string_view kLineReference = "GEBEZUG:";
inline constexpr std::string_view kGetPoint = "GETPOINT:";
inline constexpr std::string_view kCircle = "Kreis:";
inline constexpr std::string_view kDistanceTwoPoints = "Abstand2P:";
inline constexpr std::string_view kDistanceLinePoint = "AbstandGP:";
inline constexpr std::string_view kAngle = "Winkel:";
inline constexpr std::string_view kLine = "Gerade:";
inline constexpr std::string_view kSymmetryLine = "SYMG:";
inline constexpr std::string_view kPoint = "Punkt:";
inline constexpr std::string_view kAxisDistance = "AbstandXY:";
inline constexpr std::string_view kPointEntry = "PKT:";
inline constexpr std::string_view kText = "Text:";
inline constexpr std::string_view kRecall = "ABRUF:";
inline constexpr std::string_view kCircleRecall = "KR-ABRUF:";
inline constexpr std::string_view kCompareVariable = "SOLLIST-V:";
inline constexpr std::string_view kComparePosition = "SOLLIST-P:";
inline constexpr std::string_view kCompareAttribute = "SOLLIST-A:";
// Geometric tolerances: position, roundness, straightness, parallelism, perpendicularity,
// angularity, concentricity (none begins with another word, as the runner matches prefixes).
inline constexpr std::string_view kGeoPosition = "GT-POS:";
inline constexpr std::string_view kGeoRoundness = "GT-RUND:";
inline constexpr std::string_view kGeoStraightness = "GT-GERAD:";
inline constexpr std::string_view kGeoParallelism = "GT-PARAL:";
inline constexpr std::string_view kGeoPerpendicularity = "GT-RECHTW:";
inline constexpr std::string_view kGeoAngularity = "GT-NEIG:";
inline constexpr std::string_view kGeoConcentricity = "GT-KONZ:";
inline constexpr std::string_view kPrint = "SPDRUCKEN:";
inline constexpr std::string_view kAscii = "ASCII:";
inline constexpr std::string_view kZeroX = "NULLX";
inline constexpr std::string_view kZeroY = "NULLY";
inline constexpr std::string_view kReset = "AAR0:";
inline constexpr std::string_view kOffsetX = "AARVX:";
inline constexpr std::string_view kOffsetY = "AARVY:";
inline constexpr std::string_view kRotate = "AARVW:";
inline constexpr std::string_view kAlignTwoLines = "AAR2G:";
inline constexpr std::string_view kAlignLine = "AAR1G:";
inline constexpr std::string_view kAlignCircleLine = "AARKG:";
inline constexpr std::string_view kZeroPoint = "AARPN:";
inline constexpr std::string_view kArea = "FLAECHE";
inline constexpr std::string_view kAreaFromCircle = "SF1";
inline constexpr std::string_view kCircleLine = "SPKG:";
inline constexpr std::string_view kCircleCircle = "SPKK:";
// The camera's probes: an edge at a pixel, a circle from three seed pixels and its point count.
inline constexpr std::string_view kVideoEdge = "VIDEOKANTE:";
inline constexpr std::string_view kVideoCircle = "VIDEOKREIS:";

}  // namespace tarvo::word
