// 穿越断面: longitudinal profile of a pipeline laid across a river or road in an open-cut
// trench. From up to ten stake points (mileage, ground and pipe-bottom elevation) it gives each
// segment's inclination, slope and true length, the vertical bend angle at each inner point,
// the total true length, the excavation volume split into soil and rock, and the profile sketch.
#include <array>
#include <optional>

#include "model/calc.h"
#include "profiles/degrees_to_dms.h"
#include "profiles/profile_drawing.h"
#include "profiles/profile_sketch.h"
#include "profiles/station_table.h"

namespace pylora {
namespace {

constexpr int kPoints = 10;
constexpr double kPi = kLegacyPi;  // the window's own value of π

// Point k (1..10) of the grid and segment i (1..9) from point i to point i + 1.
std::string field(int number) { return "Text" + std::to_string(number); }
std::string stationField(int k) { return field(k); }        // Text1..Text10
std::string groundField(int k) { return field(10 + k); }    // Text11..Text20
std::string pipeField(int k) { return field(20 + k); }      // Text21..Text30
std::string inclinationCell(int i) { return field(34 + i); }  // Text35..Text43
std::string bendCell(int k) { return field(42 + k); }         // Text44..Text51, points 2..9
std::string slopeCell(int i) { return field(51 + i); }        // Text52..Text60
std::string lengthCell(int i) { return field(60 + i); }       // Text61..Text69

// The trench and the totals.
constexpr auto kBottomWidth = "Text31";
constexpr auto kSideSlope = "Text32";
constexpr auto kDepth = "Text33";
constexpr auto kTrenchLength = "Text34";
constexpr auto kRockShare = "Text80";
constexpr auto kExcavation = "Text71";
constexpr auto kSoil = "Text72";
constexpr auto kRock = "Text81";
constexpr auto kTotalLength = "Text70";
constexpr auto kPointCount = "Text79";  // hidden: receives the number of stake points used

using formula::c;
using formula::fn;
using formula::q;

struct Segment {
    Num length;       // true length, m
    Num slope;        // rise over run
    Num inclination;  // degrees
};

// Segments 1..9 and bend-angle texts of points 2..9 of one calculation; unset where the
// calculation has no such segment or inner point.
struct Profile {
    std::array<std::optional<Segment>, kPoints> segments;
    std::array<std::string, kPoints + 1> bendAngles;
};

// A mileage of −1 ends the list of stake points.
int countStakePoints(const Form& form) {
    for (int i = 1; i < kPoints; ++i)
        if (FieldValue(form, stationField(i + 1)) == -1) return i;
    return kPoints;
}

Segment measureSegment(const Form& form, int j) {
    // In the order the formula meets them.
    const auto [pipe, previousPipe, station, previousStation] =
        FieldValues(form, pipeField(j), pipeField(j - 1), stationField(j), stationField(j - 1));
    const Num rise = abs(pipe - previousPipe);
    const Num run = station - previousStation;
    // Stake points go left to right; a mileage below its predecessor would give a folded profile.
    if (run < 0) throw RunFailure(FailureKind::OutsideDomain, stationField(j), "桩点里程应自左向右递增");
    const Num slope = rise / run;
    return {sqrt(run * run + rise * rise), slope, atan(slope) * 180 / kPi};
}

// +1 where the pipe rises from point k to point k + 1, −1 where it falls or stays level.
int risesAfter(const Form& form, int k) {
    const auto [next, current] = FieldValues(form, pipeField(k + 1), pipeField(k));
    return next > current ? 1 : -1;
}

// The vertical bend at an inner point: where the pipe turns from rising to falling (or back)
// the two inclinations add up, otherwise they differ.
Num bendAngle(const Form& form, const Profile& profile, int j) {
    const Num before = profile.segments[j - 1]->inclination;
    const Num after = profile.segments[j]->inclination;
    return risesAfter(form, j) + risesAfter(form, j - 1) == 0 ? abs(before + after) : abs(after - before);
}

void writeResultRows(Form& form, const Profile& profile) {
    for (int i = 1; i < kPoints; ++i) {
        const auto& segment = profile.segments[i];
        form.setText(inclinationCell(i), segment ? NumberText(segment->inclination) : "");
    }
    for (int i = 1; i < kPoints; ++i) {
        const auto& segment = profile.segments[i];
        form.setText(slopeCell(i), FormatNumber(segment ? segment->slope * 1000 : Num(0), "#.##"));
    }
    for (int i = 1; i < kPoints; ++i) {
        const auto& segment = profile.segments[i];
        form.setText(lengthCell(i), segment ? FormatNumber(segment->length, "#.##") : "");
    }
    for (int k = 2; k < kPoints; ++k) form.setText(bendCell(k), profile.bendAngles[k]);
}

// Excavation of a trapezoidal trench over the length entered in 管道实长, split into soil and rock.
void writeExcavation(Form& form) {
    const auto [bottomWidth, sideSlope, depth, length] =
        FieldValues(form, kBottomWidth, kSideSlope, kDepth, kTrenchLength);
    const Num volume = length * depth * (bottomWidth + depth / sideSlope);
    form.setText(kExcavation, NumberText(volume));
    const Num rockShare = FieldValue(form, kRockShare);
    form.setText(kSoil, NumberText(volume * (1 - rockShare)));
    form.setText(kRock, NumberText(volume * rockShare));
}

// The point whose field holds the highest (or lowest) value; the first of equal ones.
int extremePoint(const Form& form, std::string (*fieldOf)(int), int points, bool highest) {
    int best = 1;
    for (int k = 2; k <= points; ++k) {
        const auto [value, bestValue] = FieldValues(form, fieldOf(k), fieldOf(best));
        if (highest ? value > bestValue : value < bestValue) best = k;
    }
    return best;
}

void drawProfile(Form& form, int n) {
    const int highestGround = extremePoint(form, groundField, n, true);
    const int lowestPipe = extremePoint(form, pipeField, n, false);
    Sketch& sketch = form.sketch("Picture1");
    // Nothing of an earlier calculation with more points stays visible.
    hideLines(sketch, "Line9", 0, kPoints);
    hideLines(sketch, "Line10", 0, kPoints);
    hideMarkers(sketch, "Shape1", 0, kPoints - 1);

    const auto [first, last, lowest, highest] =
        FieldValues(form, stationField(1), stationField(n), pipeField(lowestPipe), groundField(highestGround));
    const ProfileMapping mapping(first, last, lowest, highest);
    showCaption(sketch, "Label33", form.text(groundField(highestGround)));
    showCaption(sketch, "Label34", form.text(pipeField(lowestPipe)));
    showCaption(sketch, "Label35", form.text(stationField(1)));
    showCaption(sketch, "Label36", form.text(stationField(n)));

    auto ground = [&](int k) {
        const auto [x, z] = FieldValues(form, stationField(k), groundField(k));
        return mapping.map(x, z);
    };
    auto pipe = [&](int k) {
        const auto [x, z] = FieldValues(form, stationField(k), pipeField(k));
        return mapping.map(x, z);
    };
    for (int j = 2; j <= n; ++j) {
        showLine(sketch, indexed("Line9", j), ground(j - 1), ground(j), Colour::windowText(), 2);
        showLine(sketch, indexed("Line10", j), pipe(j - 1), pipe(j), Colour::red(), 4);
        showMarker(sketch, indexed("Shape1", j - 2), pipe(j - 1));
    }
    showMarker(sketch, indexed("Shape1", n - 1), pipe(n));
}

void computeOpenCutProfile(Form& form) {
    Profile profile;
    const int n = countStakePoints(form);
    for (int j = 2; j <= n; ++j) profile.segments[j - 1] = measureSegment(form, j);
    for (int j = 2; j < n; ++j) profile.bendAngles[j] = DegreesToDms(form, bendAngle(form, profile, j));
    writeResultRows(form, profile);

    Num total = 0;
    for (int i = 1; i < n; ++i) total += profile.segments[i]->length;
    form.setText(kTotalLength, NumberText(total));
    writeExcavation(form);
    form.setText(kPointCount, NumberText(n));
    drawProfile(form, n);
}

ProfileLegend openCutLegend() {
    return {13680, 480, {"地面", 12960, 840, 13680, 14520, 960}, {"管线", 12960, 1320, 13680, 14520, 1440}};
}

const char* const kPointHeadings[kPoints][2] = {
    {"Label2", "桩点1"}, {"Label10", "桩点2"}, {"Label9", "桩点3"}, {"Label8", "桩点4"}, {"Label7", "桩点5"},
    {"Label6", "桩点6"}, {"Label5", "桩点7"}, {"Label4", "桩点8"}, {"Label3", "桩点9"}, {"Label14", "桩点10"}};

std::string pointName(int k) { return kPointHeadings[k - 1][1]; }

// The columns of the point table (stake points 1..10) and of the segment table (segments 1..9).
struct GridColumns {
    StationColumn station{meaning("X", "桩点里程", "m", -1, FieldRole::Input, {}, Domain::anySign()), {}};
    StationColumn ground{meaning("G", "地面标高", "m", -1, FieldRole::Input, {}, Domain::anySign()), {}};
    StationColumn pipe{meaning("H", "管底标高", "m", -1, FieldRole::Input, {}, Domain::anySign()), {}};
    StationColumn bend{meaning("A", "桩点纵向角", "", -1, FieldRole::Result), {}};
    StationColumn inclination{meaning("θ", "管道倾角", "°", 3, FieldRole::Result), {}};
    StationColumn slope{meaning("S", "管线斜率", "‰", 2, FieldRole::Result), {}};
    StationColumn length{meaning("L", "管道实长", "m", 2, FieldRole::Result), {}};
};

void addStakePointGrid(FrameBuilder& frame, GridColumns& columns) {
    const char* const stations[kPoints] = {"0.000", "8.550", "20.33", "30.11", "40.55",
                                           "49.00", "61.50", "72.30", "80.10", "98.70"};
    const char* const grounds[kPoints] = {"312.4", "312.4", "312.5", "310.3", "310.2",
                                          "310.7", "311.9", "312.9", "312.8", "313.0"};
    const char* const pipes[kPoints] = {"310.8", "310.8", "310.8", "308.6", "308.6",
                                        "308.6", "309.7", "310.8", "311.4", "311.4"};
    frame.label("Label13", "桩点里程", {1, 0});
    frame.label("Label12", "地面标高", {2, 0});
    frame.label("Label11", "管底标高", {3, 0});
    // Point k takes two grid columns, so that a segment's result cell can stand between two points.
    for (int k = 1; k <= kPoints; ++k) {
        const int column = 2 * k - 1;
        frame.label(kPointHeadings[k - 1][0], pointName(k), {0, column, 1, 2});
        const std::string point = pointName(k);
        ControlDef& station = frame.cell(stationField(k), stations[k - 1], {1, column, 1, 2});
        station.description = point + " 桩点里程";
        ControlDef& ground = frame.cell(groundField(k), grounds[k - 1], {2, column, 1, 2});
        ground.description = point + " 地面标高";
        ControlDef& pipe = frame.cell(pipeField(k), pipes[k - 1], {3, column, 1, 2});
        pipe.description = point + " 管底标高";
        columns.station.cells.push_back(&station);
        columns.ground.cells.push_back(&ground);
        columns.pipe.cells.push_back(&pipe);
    }
    constexpr int trench = 2 * kPoints + 1;
    frame.field(kBottomWidth, "管底宽度", "0.80", {0, trench}).means("b", "管沟管底宽度", "m").positive();
    frame.field(kSideSlope, "边坡系数", "3", {1, trench}).means("m", "管沟边坡系数").nonNegative();
    frame.field(kDepth, "平均埋深", "1.50", {2, trench}).means("h", "管沟平均埋深", "m").positive();
    frame.field(kTrenchLength, "管道实长", "10.00", {3, trench}).means("L_p", "计算土石方量的管道实长", "m").positive();
    frame.field(kRockShare, "石方比例", "0.30", {4, trench}).means("r", "石方比例").between(0, 1);
}

void addResultRows(FrameBuilder& frame, GridColumns& columns) {
    frame.label("Label19", "管道倾角(°)", {0, 0});
    frame.label("Label20", "桩点纵向角", {1, 0});
    frame.label("Label22", "管线斜率 ‰", {2, 0});
    frame.label("Label21", "管道实长(m)", {3, 0});
    auto described = [](ControlDef& cell, const std::string& row, const std::string& quantity) {
        cell.description = row + " " + quantity;
        return &cell;
    };
    for (int i = 1; i < kPoints; ++i) {
        const std::string segment = segmentName(pointName(i), pointName(i + 1));
        const int between = 2 * i;
        ControlDef& inclination = frame.cell(inclinationCell(i), " ", {0, between, 1, 2});
        ControlDef& slope = frame.cell(slopeCell(i), " ", {2, between, 1, 2});
        ControlDef& length = frame.cell(lengthCell(i), " ", {3, between, 1, 2});
        columns.inclination.cells.push_back(described(inclination, segment, "管道倾角"));
        columns.slope.cells.push_back(described(slope, segment, "管线斜率"));
        columns.length.cells.push_back(described(length, segment, "管道实长"));
    }
    // The outer points have no bend angle.
    columns.bend.cells.push_back(nullptr);
    for (int k = 2; k < kPoints; ++k) {
        ControlDef& bend = frame.cell(bendCell(k), " ", {1, 2 * k - 1, 1, 2});
        columns.bend.cells.push_back(described(bend, pointName(k), "桩点纵向角"));
    }
    columns.bend.cells.push_back(nullptr);
    constexpr int totals = 2 * kPoints + 1;
    frame.label("Label26", "土石方量", {0, totals});
    frame.result(kExcavation, "开挖量（方）", {1, totals}).means("V", "开挖量", "m³", 3);
    frame.result(kSoil, "土方量（方）", {2, totals}).means("V_s", "土方量", "m³", 3);
    frame.result(kRock, "石方量（方）", {3, totals}).means("V_r", "石方量", "m³", 3);
    frame.result(kTotalLength, "管道总实长", {4, totals}).means("ΣL", "管道总实长", "m", 2);
}

void declareTables(FormDefinition& def, GridColumns& columns) {
    StationTable points{"桩点数据", "桩点", {}, {}, {columns.station, columns.ground, columns.pipe, columns.bend}};
    for (int k = 1; k <= kPoints; ++k) {
        points.rows.push_back(pointName(k));
        points.subscripts.push_back(std::to_string(k));
    }
    declareStationTable(def, points);

    StationTable segments{"管段数据", "管段", {}, {}, {columns.inclination, columns.slope, columns.length}};
    for (int i = 1; i < kPoints; ++i) {
        segments.rows.push_back(segmentName(pointName(i), pointName(i + 1)));
        segments.subscripts.push_back(std::to_string(i));
    }
    declareStationTable(def, segments);
}

// Every segment and inner point follows the same rule; the trees state it for the first
// segment and the first inner point, which every profile of two or more segments has.
void declareFormulas(FormDefinition& def) {
    const auto rise = fn("abs", q(pipeField(2)) - q(pipeField(1)));
    const auto run = q(stationField(2)) - q(stationField(1));
    def.formula(formula::words("管段i为桩点i至桩点i+1，各管段同式，以管段1为例："));
    def.formula({lengthCell(1), formula::sqrt(formula::pow(run, c(2)) + formula::pow(rise, c(2)))});
    def.formula({slopeCell(1), rise / run * c(1000)});
    def.formula({inclinationCell(1), fn("arctan", rise / run) * c(180) / c(kPi)});
    def.formula(formula::words("桩点k处管道由升转降或由降转升时 A_k = |θ_{k−1} + θ_k|，否则 A_k = |θ_k − θ_{k−1}|"));
    def.formula(formula::words("ΣL = L_1 + L_2 + … + L_{n−1}（n为参与计算的桩点数）"));
    def.formula({kExcavation, q(kTrenchLength) * q(kDepth) * (q(kBottomWidth) + q(kDepth) / q(kSideSlope))});
    def.formula({kSoil, q(kExcavation) * (c(1) - q(kRockShare))});
    def.formula({kRock, q(kExcavation) * q(kRockShare)});
}

FormDefinition makeOpenCutProfile() {
    FormDefinition def("穿越断面", "大开挖穿越纵断面");
    def.note("Label1",
             "        您只需要输入河流或公路穿越断面的各拐点（弯头）的地面标高、管底标高及桩点里程，即可得到各点的纵向角、"
             "各管段的斜率、管道实长、倾角等参数及穿越纵断面草图。还可以通过输入管沟管底宽度、管沟边坡系数、"
             "管沟平均埋深及管道实长，可输出需开挖多少土石方量及回填量。");
    GridColumns columns;
    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {0, 0});
    addStakePointGrid(inputs, columns);
    auto results = def.frame("Frame2", "输出结果", FrameRole::Results, {1, 0});
    addResultRows(results, columns);
    declareTables(def, columns);
    declareFormulas(def);
    def.body().sketch("Picture1", profileSketchPanel(openCutLegend()), {2, 0});

    addDmsScratchFields(def);
    def.body().cell(kPointCount, "Text79", {}).working().visible = false;

    def.runButton("Command1", "开始计算", computeOpenCutProfile);
    def.drawsProfile("Command1", profileBuilder({.pointCount = kPointCount, .segmentTable = "管段数据"}));
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("穿越断面", "大开挖穿越纵断面", makeOpenCutProfile);

}  // namespace
}  // namespace pylora
