#pragma once
// The ground elevation and the depth of the pipe under it beside each station of a profile
// window's point table of results, as the window's longitudinal profile states them: the one
// place they are computed is the profile the DXF and CSV exports draw (cad/profile_drawing.h).
#include <optional>
#include <string>

#include "cad/profile_drawing.h"
#include "documents/report.h"

namespace pylora {

// Adds 地面标高 G and 埋深 h to a table of computed pipe elevations (管底标高) whose rows are
// stations of the profile; true when it did. A station off the survey's points has its ground
// interpolated as the profile draws it; a row the profile has no ground for stays blank.
bool addGroundAndDepthColumns(ReportTable& table, const ProfileDrawing& profile);

// What the two columns mean, for the report's notes.
std::string groundAndDepthNote(const ProfileDrawing& profile);

}  // namespace pylora
