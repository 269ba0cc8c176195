#pragma once
// The longitudinal profile of a profile window's calculation, taken from what the run left: the
// point table's cells by their meanings (桩点里程, 地面标高, 管底标高), the result fields the
// window names, the ground data file's records, and the scales its sketch shows. A window states
// its layout once; the builder reads the values as displayed, as the window's own sketch does,
// and writes the table's texts in engineering form, to the decimals of each quantity.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/calc.h"
#include "cad/profile_drawing.h"

namespace pylora {

// The elastic-laying arc between two rows of the point table (its tangent points), about the
// centre and with the radius the window shows.
struct ProfileArcSpan {
    std::size_t firstRow = 0, lastRow = 0;  // 0-based rows of the point table
    std::string centreStation, centreElevation, radius;
    // The arc lies on the circle's upper half (a crest bend); the lower (a sag) otherwise.
    std::function<bool(const Form&)> upperHalf;
};

// A piece of the pipe between two rows and the fields that state it.
struct ProfileRun {
    std::size_t fromRow = 0, toRow = 0;
    std::string slope, inclination, length;  // fields; empty where the window gives none
};

struct ProfileLayout {
    std::string pointTable = "桩点数据";
    std::string pointCount = {};    // the field that holds how many stations the run used; empty: all rows
    std::string segmentTable = {};  // a table with a row per pair of neighbouring stations; empty: none
    std::vector<ProfileRun> runs = {};  // the pieces the window states, when it has no segment table
    std::optional<ProfileArcSpan> arc = {};
    bool groundFromSurvey = false;  // the ground line is the ground data file the run read
    std::optional<std::size_t> intersectionRow = {};  // tangent lines from the arc's ends to this row's point
    std::vector<std::pair<std::string, std::string>> notes = {};  // caption prefix, field: "α=", Text46
    std::string sketch = "Picture1";  // where the window shows its scales
};

ProfileBuilder profileBuilder(ProfileLayout layout);

// The ground elevation at a station, linearly between the survey points around it; none
// outside the survey.
std::optional<double> groundAt(const std::vector<ProfilePoint>& ground, double station);

}  // namespace pylora
