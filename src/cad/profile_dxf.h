#pragma once
// The longitudinal profile as a DXF drawing for CAD programs: DXF 2000 (AC1015), written with
// dxflib, texts in GBK with the code page ANSI_936 declared so that CAD programs and readers
// show the Chinese, in the text style "HZ" on the TrueType font 宋体 (simsun.ttf).
// Stations are drawn at true scale in metres; elevations above the datum stated on the drawing,
// `exaggeration` times larger. Layers: 地面线, 管线, 弹性敷设段, 桩号, 标注, 网格, 图框.
#include <string>

#include "cad/profile_drawing.h"

namespace pylora {

// Above 0 and at most this: a larger vertical exaggeration has no use on a profile.
inline constexpr double kMaxExaggeration = 1000;

// The file's bytes.
std::string profileDxf(const ProfileDrawing& drawing, double exaggeration);

}  // namespace pylora
