#pragma once
// The profile table as CSV for spreadsheet programs: UTF-8 with a byte-order mark (so that they
// read the Chinese headings), a row per station, a column per quantity with its unit in the
// heading. A segment's values stand on the row of the station it starts at.
#include <string>

#include "cad/profile_drawing.h"

namespace pylora {

std::string profileCsv(const ProfileDrawing& drawing);

}  // namespace pylora
