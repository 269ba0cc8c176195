#pragma once
// The longitudinal profile (纵断面) a profile window computed, at true stations and elevations in
// metres: ground line, pipe line with its elastic-laying arcs, the stations with their names,
// and the profile table (桩号, 里程, 地面标高, 管底标高, 埋深, 坡度/倾角, 管段长度) as far as
// the window has it. The DXF drawing and the CSV table are written from it.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/form_definition.h"  // ProfileBuilder

namespace pylora {

class CalcForm;

struct ProfilePoint {
    double station = 0;    // m along the line
    double elevation = 0;  // m
};

// A circular arc at true scale, counter-clockwise from `startAngle` to `endAngle` (degrees,
// 0° along increasing station, 90° upwards), the way CAD programs state arcs.
struct ProfileArc {
    ProfilePoint centre;
    double radius = 0;
    double startAngle = 0;
    double endAngle = 0;
};

// A station of the profile table. Its texts are the window's numbers in engineering form, to a
// precision the quantity warrants ("300.28", never "300.283514116912" or "."), so that a
// spreadsheet and a CAD table read them as numbers.
struct ProfileStation {
    std::string name;  // "入土点", "桩点3"
    double station = 0;
    std::string stationText;
    std::optional<double> ground;
    std::string groundText;
    std::optional<double> pipe;
    std::string pipeText;
    std::string coverText;  // 埋深: ground less pipe bottom, where both are known
};

// A piece of the pipe between two stations of the table (indices into `stations`).
struct ProfileSegment {
    std::size_t from = 0, to = 0;
    std::string slope;        // ‰, in engineering form as the stations' texts; empty where the window gives none
    std::string inclination;  // °
    std::string length;       // m
};

struct ProfileDrawing {
    std::string title;                            // the window's name: "定向钻穿越"
    std::vector<ProfilePoint> ground;             // the ground line in station order; empty: none
    std::vector<std::vector<ProfilePoint>> pipe;  // straight runs of the pipe through its stations
    std::vector<ProfileArc> arcs;                 // elastic-laying arcs between the straight runs
    std::vector<std::pair<ProfilePoint, ProfilePoint>> guides;  // tangent lines to an intersection point
    std::vector<ProfileStation> stations;
    std::vector<ProfileSegment> segments;
    std::vector<std::string> notes;  // what the sketch states beside the profile: "α=…", "T=…"
    // How many times elevations are drawn larger than stations, unless the engineer chooses.
    double defaultExaggeration = 10;
    std::string exaggerationSource;  // why that default: the window's scales, or none

    bool hasGroundColumn() const;
    bool hasPipeColumn() const;
    bool hasCoverColumn() const;
    bool hasSegmentColumn(std::string ProfileSegment::*column) const;
};

// The profile the window's calculation shows: none when the window draws no profile, when
// nothing has run since the inputs changed, when the last run failed, or when the step that
// draws the profile has not run.
std::optional<ProfileDrawing> profileDrawing(const CalcForm& window);

// "…": why no drawing, in the engineer's words, for the window's status line and the runner.
std::string noProfileReason(const CalcForm& window);

}  // namespace pylora
