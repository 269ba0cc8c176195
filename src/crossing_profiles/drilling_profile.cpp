#include "crossing_profiles/drilling_profile.h"

#include <algorithm>
#include <cstdint>

#include "crossing_profiles/ground_data_file.h"
#include "crossing_profiles/marked_fields.h"
#include "profiles/degrees_to_dms.h"
#include "profiles/profile_arc.h"
#include "profiles/profile_drawing.h"
#include "profiles/profile_parts.h"
#include "profiles/station_table.h"

namespace pylora {
namespace {

// The window's fields besides the point table.
constexpr auto kEntryAngle = "Text36";
constexpr auto kEntryAngleDms = "Text35";
constexpr auto kExitAngle = "Text31";
constexpr auto kExitAngleDms = "Text32";
constexpr auto kDiameter = "Text3";
constexpr auto kRadius = "Text41";
constexpr auto kEntryLength = "Text27";
constexpr auto kArcLength = "Text28";
constexpr auto kExitLength = "Text29";
constexpr auto kTotalLength = "Text30";
constexpr auto kExternal = "Text44";
constexpr auto kTangent = "Text46";
constexpr auto kIntersectionStation = "Text38";
constexpr auto kIntersectionElevation = "Text47";
constexpr auto kCentreStation = "Text45";
constexpr auto kCentreElevation = "Text48";
constexpr auto kVerdict = "Text4";
constexpr auto kFirstStep = "Command1";
constexpr auto kSecondStep = "Command3";

// Quantities the first step computes without a field, or unrounded behind the field that shows them.
constexpr auto kEntryGradient = "t_1";
constexpr auto kExitGradient = "t_2";
constexpr auto kDeflection = "θ";
constexpr auto kIntersectionX = "x_P";
constexpr auto kIntersectionZ = "z_P";
constexpr auto kArcStartX = "x_4";
constexpr auto kArcStartZ = "z_4";
constexpr auto kArcEndX = "x_9";
constexpr auto kArcEndZ = "z_9";
constexpr auto kCentreX = "x_c";
constexpr auto kCentreZ = "z_c";

constexpr int kColumns = 12;
constexpr int kArcStart = 4;
constexpr int kArcEnd = 9;

// The stations between the entry and exit points whose pipe elevations the second step computes.
constexpr int kComputedStations[] = {2, 3, 5, 6, 7, 8, 10, 11};

std::string station(int i) { return indexed("Text1", i); }

// The stations the engineer gives, in table order: the ends of the arc are laid out, not given.
std::vector<std::string> givenStations() {
    std::vector<std::string> stations{station(1)};
    for (int i : kComputedStations) stations.push_back(station(i));
    stations.push_back(station(kColumns));
    return stations;
}
std::string pipe(int i) { return indexed("Text2", i); }
std::string groundElevation(int i) { return indexed("Text21", i); }

constexpr double kPi = kLegacyPi;  // the profile windows' own value of π, also for degrees to radians
const Colour kGroundRowColour = Colour::fromBgr(0xFFFFC0);  // light cyan

struct PointColumn {
    const char* heading;
    const char* station;
    const char* ground;
    const char* pipe;
};

// Entry point, entry straight, arc start, arc, arc end, exit straight, exit point.
const PointColumn kPointColumns[kColumns] = {
    {"入土点", "0.00", "310.8", "308.6"},     {"桩点2", "10", "310.3", " "},
    {"桩点3", "18.00", "309.5", " "},        {"弹性敷设起点", "0.00", "308.5", " "},
    {"桩点5", "50", "307.8", " "},           {"桩点6", "100", "304.8", " "},
    {"桩点7", "150", "305.8", " "},          {"桩点8", "180", "307.1", " "},
    {"弹性敷设终点", "0.00", "308.2", " "},  {"桩点10", "220", "309.5", " "},
    {"桩点11", "245", "309.9", " "},         {"出土点", "260", "310.8", "306.8"},
};

// The point table's columns; the cells are refined by row once the table is declared.
struct PointTableColumns {
    StationColumn station{meaning("X", "桩点里程", "m", -1, FieldRole::Input, {}, Domain::anySign()), {}};
    StationColumn ground{meaning("G", "地面标高", "m", -1, FieldRole::Input, kSecondStep, Domain::anySign()), {}};
    StationColumn pipe{meaning("Z", "管底标高", "m", 3, FieldRole::Result, {}, Domain::anySign()), {}};
};

PointTableColumns addPointTable(FrameBuilder& frame, GroundSource ground) {
    PointTableColumns columns;
    frame.label("", "桩点里程", {2, 0});
    if (ground == GroundSource::TypedElevations) frame.label("", "地面标高", {3, 0});
    frame.label("", "管底标高", {4, 0});
    for (int i = 1; i <= kColumns; ++i) {
        const PointColumn& column = kPointColumns[i - 1];
        frame.label("", column.heading, {1, i});
        const std::string point = column.heading;
        ControlDef& stationCell = frame.cell(station(i), column.station, {2, i});
        stationCell.description = point + " 桩点里程";
        columns.station.cells.push_back(&stationCell);
        if (ground == GroundSource::TypedElevations) {
            ControlDef& cell = frame.cell(groundElevation(i), column.ground, {3, i});
            cell.background = kGroundRowColour;
            cell.description = point + " 地面标高";
            columns.ground.cells.push_back(&cell);
        }
        ControlDef& pipeCell = frame.cell(pipe(i), column.pipe, {4, i});
        pipeCell.description = point + " 管底标高";
        columns.pipe.cells.push_back(&pipeCell);
    }
    return columns;
}

// Entry and exit point are given; the ends of the arc are laid out by the first step; the
// stations between are given and their pipe elevations computed by the second step.
void declarePointTable(FormDefinition& def, PointTableColumns& columns, GroundSource ground) {
    StationTable table{"桩点数据", "桩点", {}, {}, {columns.station}};
    if (ground == GroundSource::TypedElevations) table.columns.push_back(columns.ground);
    table.columns.push_back(columns.pipe);
    for (int i = 1; i <= kColumns; ++i) {
        table.rows.push_back(kPointColumns[i - 1].heading);
        table.subscripts.push_back(std::to_string(i));
    }
    declareStationTable(def, table);

    for (int i = 1; i <= kColumns; ++i) {
        Meaning& x = columns.station.cells[i - 1]->meaning;
        Meaning& z = columns.pipe.cells[i - 1]->meaning;
        if (i == 1 || i == kColumns) {
            x.step = z.step = kFirstStep;
            z.role = FieldRole::Input;
            z.decimals = -1;
        } else if (i == kArcStart || i == kArcEnd) {
            x.role = FieldRole::Result;
            x.decimals = z.decimals = 2;
            x.step = z.step = kFirstStep;
        } else {
            x.step = z.step = kSecondStep;
            if (i == 2 || i == 3) z.decimals = 2;  // "#.##"; the others show the full number
        }
    }
}

void addResults(FrameBuilder& frame) {
    const struct {
        const char* name;
        const char* caption;
        const char* text;
        Meaning meaning;
    } results[] = {
        {kEntryLength, "入土段直管实长（米）", "", meaning("L_1", "入土段直管实长", "m", 2)},
        {kArcLength, "弹性敷设段   实长（米）", " ", meaning("L", "弹性敷设段实长", "m", 2)},
        {kExitLength, "出土段直管段   实长（米）", " ", meaning("L_2", "出土段直管段实长", "m", 2)},
        {kTotalLength, "总实长  （米）", " ", meaning("L_{总}", "总实长", "m", 2)},
        {kExternal, "矢  距    (米)", " ", meaning("E", "矢距", "m", 3)},
        {kTangent, " 切线T  长度(米)", " ", meaning("T", "切线长度", "m", 2)},
        {kIntersectionStation, "入土段与出土段直管段    延长线交点里程值", " ",
         meaning("x_P", "入土段与出土段直管段延长线交点里程", "m", 2, FieldRole::Unset, {}, Domain::anySign())},
        {kIntersectionElevation, "入土段与出土段直管段   延长线交点高程值", " ",
         meaning("z_P", "入土段与出土段直管段延长线交点高程", "m", 2, FieldRole::Unset, {}, Domain::anySign())},
        {kCentreStation, "弹性敷设段 圆心里程值", " ",
         meaning("x_c", "弹性敷设段圆心里程", "m", 2, FieldRole::Unset, {}, Domain::anySign())},
        {kCentreElevation, "弹性敷设段 圆心高程值", " ",
         meaning("z_c", "弹性敷设段圆心高程", "m", 2, FieldRole::Unset, {}, Domain::anySign())},
    };
    // Ten results in two rows of five, each caption above its field, two table columns wide.
    int index = 0;
    for (const auto& r : results) {
        ControlDef& field = frame.field(r.name, r.caption, r.text, {5 + index / 5, 1 + 2 * (index % 5), 1, 2});
        field.labelPlacement = LabelPlacement::Above;
        field.meaning = r.meaning;
        field.meaning.role = FieldRole::Result;
        field.meaning.step = kFirstStep;
        ++index;
    }
    // The first step judges the radius, the second the entry straight, each in its own words.
    frame.result(kVerdict, "结论：", {7, 0, 1, kColumns + 1}).means("", "结论").verdict();
}

Num radians(const Num& degrees) { return degrees * kPi / 180; }

// T as displayed, read afresh at each use.
Num tangentLength(const Form& form) { return FieldValue(form, kTangent); }

void writeRadiusVerdict(Form& form) {
    mark(form, kVerdict);
    // ρ in metres above 1500 D with D in millimetres.
    const auto [diameter, radius] = LeadingValues(form, kDiameter, kRadius);
    if (diameter * 1.5 < radius) {
        form.setForeground(kVerdict, Colour::windowText());
        form.setText(kVerdict, "输入参数中选择的弹性敷设曲率半径>1500D(外径),合适。");
    } else {
        form.setForeground(kVerdict, Colour::red());
        form.setText(kVerdict,
                     "注意：选择的弹性敷设曲率半径<1500D(外径),为避免施工过程中出现回拖阻力过大,建议增大曲率半径！");
    }
}

}  // namespace

void runDrillingFirstStep(Form& form) {
    // Gradients through FieldValue: an angle such as "10.1°" ends the step before anything is written.
    const Num t1 = abs(tan(radians(FieldValue(form, kEntryAngle))));
    const Num t2 = abs(tan(radians(FieldValue(form, kExitAngle))));
    const auto [entryAngle, exitAngle] = LeadingValues(form, kEntryAngle, kExitAngle);
    const Num theta = entryAngle + exitAngle;  // deflection angle
    mark(form, kExitAngleDms);
    mark(form, kExternal);

    const Num rho = FieldValue(form, kRadius);
    const Num arcLength = 2 * (rho * kPi) * theta / 360;
    markAndWrite(form, kArcLength, FormatNumber(arcLength, "#.##"));

    markAndWrite(form, kEntryAngleDms, DegreesToDms(form, kEntryAngle));
    markAndWrite(form, kExitAngleDms, DegreesToDms(form, kExitAngle));
    markAndWrite(form, kTangent, FormatNumber(rho * tan(theta * kPi / 360), "#.##"));

    // Intersection of the entry straight (falling from the entry point) and the exit straight
    // (falling from the exit point towards the entry), its points in the order the formula meets them.
    const auto [x12, x1, z12, z1] = FieldValues(form, station(kColumns), station(1), pipe(kColumns), pipe(1));
    if (x12 <= x1)
        throw RunFailure(FailureKind::OutsideDomain, station(kColumns), "出土点里程应大于入土点里程");
    const Num xP = ((t2 * x12 + t1 * x1) - (z12 - z1)) / (t1 + t2);
    markAndWrite(form, kIntersectionStation, FormatNumber(xP, "#.##"));
    const Num zP = z1 - t1 * (xP - x1);
    markAndWrite(form, kIntersectionElevation, FormatNumber(zP, "#.##"));

    // Ends of the arc, one tangent length T from the intersection along each straight.
    const Num alpha1 = radians(FieldValue(form, kEntryAngle));
    const Num alpha2 = radians(FieldValue(form, kExitAngle));
    const Num x4 = xP - tangentLength(form) * cos(alpha1);
    form.setText(station(kArcStart), FormatNumber(x4, "#.##"));
    mark(form, station(kArcStart));
    const Num x9 = xP + tangentLength(form) * cos(alpha2);
    markAndWrite(form, station(kArcEnd), FormatNumber(x9, "#.##"));
    const Num z4 = zP + tangentLength(form) * sin(alpha1);
    markAndWrite(form, pipe(kArcStart), FormatNumber(z4, "#.##"));
    const Num z9 = zP + tangentLength(form) * sin(alpha2);
    markAndWrite(form, pipe(kArcEnd), FormatNumber(z9, "#.##"));

    // The entry straight from the displayed arc start, the exit straight from the unrounded end.
    const Num entryDz = FieldValue(form, pipe(kArcStart)) - z1;
    const Num entryDx = FieldValue(form, station(kArcStart)) - x1;
    markAndWrite(form, kEntryLength, FormatNumber(sqrt(entryDz * entryDz + entryDx * entryDx), "#.##"));
    const Num exitDz = z9 - z12;
    const Num exitDx = x9 - x12;
    markAndWrite(form, kExitLength, FormatNumber(sqrt(exitDz * exitDz + exitDx * exitDx), "#.##"));
    const auto [entryShown, exitShown, arcShown] = LeadingValues(form, kEntryLength, kExitLength, kArcLength);
    const Num total = entryShown + exitShown + arcShown;
    markAndWrite(form, kTotalLength, FormatNumber(total, "#.##"));

    // Arc centre: ρ from the arc start, square to the entry straight, above the arc.
    const Num xc = x4 + rho * sin(alpha1);
    const Num zc = z4 + rho * cos(alpha1);
    mark(form, kCentreStation);
    mark(form, kCentreElevation);
    form.setText(kCentreStation, FormatNumber(xc, "#.##"));
    form.setText(kCentreElevation, FormatNumber(zc, "#.##"));

    // External distance from the displayed centre and intersection point.
    const auto [centreX, pointX, centreZ, pointZ] =
        FieldValues(form, kCentreStation, kIntersectionStation, kCentreElevation, kIntersectionElevation);
    const Num dx = centreX - pointX;
    const Num dz = centreZ - pointZ;
    form.setText(kExternal, FormatNumber(sqrt(dx * dx + dz * dz) - rho, "#.###"));

    writeRadiusVerdict(form);
}

namespace {

void writeVerdictOnEntryStraight(Form& form) {
    if (FieldValue(form, kEntryLength) < 20) {
        form.setForeground(kVerdict, Colour::red());
        form.setText(kVerdict, "■严重警告:穿越管段在入土点后20米内应为直线段,请重新选择合适参数！");
    } else {
        form.setForeground(kVerdict, Colour::windowText());
        form.setText(kVerdict, "穿越管段在入土段直管段长度大于20米，符合定向钻穿越施工技术要求。");
    }
}

// The highest ground point of the sketch: the typed ground elevation with the highest leading
// number, or the file's highest point with two metres of margin.
struct Highest {
    Num value;
    std::string caption;
};

Highest highestGround(const Form& form, const GroundData* survey) {
    if (!survey) {
        std::vector<std::string> grounds;
        for (int i = 1; i <= kColumns; ++i) grounds.push_back(groundElevation(i));
        const std::string highest = highestField(form, grounds);
        return {FieldValue(form, highest), form.text(highest)};
    }
    // The highest of the file's elevations, whatever their range: the search starts from the
    // first record (the reader has read every value strictly).
    Num zmax = survey->elevation(0);
    for (std::size_t k = 1; k < survey->records.size(); ++k)
        if (survey->records[k].z > zmax.value()) zmax = survey->elevation(k);
    zmax = zmax + 2;
    return {zmax, NumberText(zmax)};
}

// The file's ground line at its true stations, one segment between each two records, in the
// colour of the legend's "地面" sample.
constexpr Colour kSurveyGroundColour = Colour::rgb(0, 255, 0);

// The picture shows at most one ground segment per pixel column of the profile's width
// (11500 twips, 15 twips a pixel); a longer survey is drawn by the lowest and highest point of
// each column, in file order, so that its outline stays as the eye would see it.
constexpr std::size_t kGroundColumns = 11500 / 15;

// A record's place in the picture; a value the mapping cannot take is named by file and line.
SketchPoint mappedRecord(const ProfileMapping& mapping, const GroundData& survey, std::size_t k) {
    try {
        return mapping.map(survey.station(k), survey.elevation(k));
    } catch (const RunFailure& failure) {
        throw RunFailure(failure.kind(), {}, survey.placeOf(k) + "的地面点无法绘出");
    }
}

// The records the picture draws: all of them when they fit, else per pixel column the lowest
// and the highest, with the first and the last record.
std::vector<SketchPoint> groundPoints(const ProfileMapping& mapping, const GroundData& survey) {
    const std::size_t n = survey.records.size();
    std::vector<SketchPoint> all;
    all.reserve(std::min(n, 2 * kGroundColumns + 2));
    if (n <= 2 * kGroundColumns) {
        for (std::size_t k = 0; k < n; ++k) all.push_back(mappedRecord(mapping, survey, k));
        return all;
    }
    struct Column {
        std::size_t lowest = SIZE_MAX, highest = SIZE_MAX;
        double low = 0, high = 0;
    };
    std::vector<Column> columns(kGroundColumns);
    std::vector<SketchPoint> points(n);
    for (std::size_t k = 0; k < n; ++k) {
        const SketchPoint p = mappedRecord(mapping, survey, k);
        points[k] = p;
        const double place = std::clamp((p.x - 1000) / 11500 * double(kGroundColumns), 0.0, double(kGroundColumns - 1));
        Column& column = columns[std::size_t(place)];
        // y grows downwards: the lowest ground has the largest y.
        if (column.lowest == SIZE_MAX || p.y > column.low) column.lowest = k, column.low = p.y;
        if (column.highest == SIZE_MAX || p.y < column.high) column.highest = k, column.high = p.y;
    }
    std::vector<std::size_t> kept{0, n - 1};
    for (const Column& column : columns)
        for (std::size_t k : {column.lowest, column.highest})
            if (k != SIZE_MAX) kept.push_back(k);
    std::sort(kept.begin(), kept.end());
    kept.erase(std::unique(kept.begin(), kept.end()), kept.end());
    for (std::size_t k : kept) all.push_back(points[k]);
    return all;
}

// The file's ground line at its true stations, green, one segment between each two points drawn.
void drawSurveyGround(Sketch& sketch, const ProfileMapping& mapping, const GroundData& survey) {
    // Nothing of an earlier, longer survey stays visible.
    std::vector<std::string> earlier;
    for (const SketchLine& line : sketch.lines())
        if (line.name.starts_with("Line12(")) earlier.push_back(line.name);
    for (const std::string& name : earlier) sketch.line(name).visible = false;
    const std::vector<SketchPoint> points = groundPoints(mapping, survey);
    for (std::size_t k = 1; k < points.size(); ++k)
        showLine(sketch, indexed("Line12", int(k + 1)), points[k - 1], points[k], kSurveyGroundColour, 2);
}

void runDrillingSecondStep(RunContext& run, GroundSource source) {
    Form& form = run.form;
    std::optional<GroundData> survey;
    if (source == GroundSource::SurveyFile) {
        survey = readGroundDataFile(run.services);
        form.noteDataFileRead(groundDataFileRead(*survey, run.services));
    }

    requireChainageOrder(form, givenStations());
    const auto [x1, z1] = FieldValues(form, station(1), pipe(1));
    const auto [x12, z12] = FieldValues(form, station(kColumns), pipe(kColumns));
    // The bottom arc of a crossing is always a sag: the lower half of the circle.
    const ArcCircle circle{FieldValue(form, kCentreStation), FieldValue(form, kCentreElevation),
                           FieldValue(form, kRadius), false};
    const auto [arcStart, arcEnd] = FieldValues(form, station(kArcStart), station(kArcEnd));
    for (int i : kComputedStations) {
        const Num x = FieldValue(form, station(i));
        const ProfilePart part = partAt(x, arcStart, arcEnd);
        Num z = 0;
        if (part == ProfilePart::EntryStraight) z = z1 - (x - x1) * tan(radians(FieldValue(form, kEntryAngle)));
        else if (part == ProfilePart::ExitStraight) z = z12 - (x12 - x) * tan(radians(FieldValue(form, kExitAngle)));
        else z = circle.elevationAt(x);
        notePart(form, pipe(i), part);
        // Each row keeps its own display: the first two to the centimetre, the others in full.
        markAndWrite(form, pipe(i), i == 2 || i == 3 ? FormatNumber(z, "#.##") : NumberText(z));
    }
    const ArcSamples arc =
        sampleArc(form, circle, {station(kArcStart), pipe(kArcStart), station(kArcEnd), pipe(kArcEnd)});
    writeVerdictOnEntryStraight(form);

    std::vector<std::string> pipes;
    for (int i = 1; i <= kColumns; ++i) pipes.push_back(pipe(i));
    const LowestElevation lowest = lowestElevation(form, pipes);
    const Highest highest = highestGround(form, survey ? &*survey : nullptr);

    Sketch& sketch = form.sketch("Picture1");
    hideLines(sketch, "Line9", 1, 10);
    hideLines(sketch, "Line10", 1, 10);
    hideMarkers(sketch, "Shape1", 1, 9);
    const ProfileMapping mapping(x1, x12, lowest.value, highest.value);
    showCaption(sketch, "Label33", highest.caption);
    showCaption(sketch, "Label34", lowest.caption);
    showCaption(sketch, "Label35", form.text(station(1)));
    showCaption(sketch, "Label36", form.text(station(kColumns)));

    auto pipePoint = [&](int i) {
        const auto [x, z] = FieldValues(form, station(i), pipe(i));
        return mapping.map(x, z);
    };
    auto groundPoint = [&](int i) {
        const auto [x, z] = FieldValues(form, station(i), groundElevation(i));
        return mapping.map(x, z);
    };
    auto drawGround = [&](int i) {
        if (survey) return;
        const SketchPoint from = groundPoint(i - 1);  // read before the next point, so the first bad one is named
        showLine(sketch, indexed("Line9", i), from, groundPoint(i), Colour::windowText(), 2);
    };
    // The entry straight up to the arc, then from the arc end to the exit point.
    for (int i : {2, 3, 4, 10, 11, 12}) {
        showLine(sketch, indexed("Line10", i), pipePoint(i - 1), pipePoint(i), Colour::red(), 4);
        drawGround(i);
        showMarker(sketch, indexed("Shape1", i - 2), pipePoint(i - 1));
    }
    showMarker(sketch, indexed("Shape1", 11), pipePoint(kColumns));
    for (int i = 2; i <= kColumns; ++i) {
        drawGround(i);
        showMarker(sketch, indexed("Shape1", i - 2), pipePoint(i - 1));
    }
    drawArc(sketch, mapping, arc);

    if (survey) {
        drawSurveyGround(sketch, mapping, *survey);
    } else {
        showScaleLabels(sketch, highest.value, lowest.value, x1, x12);
        showLowestPoint(form, sketch, arc, circle);
    }
}

}  // namespace

namespace {

using formula::c;
using formula::Expr;
using formula::fn;
using formula::pow;
using formula::q;

Expr radiansOf(const std::string& angle) { return q(angle) * c(kPi) / c(180); }
Expr length(const Expr& dz, const Expr& dx) { return formula::sqrt(pow(dz, c(2)) + pow(dx, c(2))); }

// What the first step computes without a field of its own, or unrounded behind the field (or
// point-table cell) that shows it rounded.
void declareQuantities(FormDefinition& def) {
    declareStepQuantities(def, {
        {kEntryGradient, "入土段直管段坡度", "", ""},
        {kExitGradient, "出土段直管段坡度", "", ""},
        {kDeflection, "入土段与出土段直管段的转角", "°", ""},
        {kIntersectionX, "入土段与出土段直管段延长线交点里程", "m", kIntersectionStation},
        {kIntersectionZ, "入土段与出土段直管段延长线交点高程", "m", kIntersectionElevation},
        {kArcStartX, "弹性敷设起点里程", "m", station(kArcStart)},
        {kArcStartZ, "弹性敷设起点管底标高", "m", pipe(kArcStart)},
        {kArcEndX, "弹性敷设终点里程", "m", station(kArcEnd)},
        {kArcEndZ, "弹性敷设终点管底标高", "m", pipe(kArcEnd)},
        {kCentreX, "弹性敷设段圆心里程", "m", kCentreStation},
        {kCentreZ, "弹性敷设段圆心高程", "m", kCentreElevation},
    }, kFirstStep);
}

void declareFirstStepFormulas(FormDefinition& def) {
    const Expr x1 = q(station(1)), z1 = q(pipe(1)), x12 = q(station(kColumns)), z12 = q(pipe(kColumns));
    const Expr t1 = q(kEntryGradient), t2 = q(kExitGradient), rho = q(kRadius), T = q(kTangent);
    const std::vector<formula::Formula> lines = {
        {kEntryGradient, fn("abs", fn("tan", radiansOf(kEntryAngle)))},
        {kExitGradient, fn("abs", fn("tan", radiansOf(kExitAngle)))},
        {kDeflection, q(kEntryAngle) + q(kExitAngle)},
        {kArcLength, c(2) * formula::group(rho * c(kPi)) * q(kDeflection) / c(360)},
        {kTangent, rho * fn("tan", q(kDeflection) * c(kPi) / c(360))},
        {kIntersectionX, (t2 * x12 + t1 * x1 - (z12 - z1)) / (t1 + t2)},
        {kIntersectionZ, z1 - t1 * (q(kIntersectionX) - x1)},
        {kArcStartX, q(kIntersectionX) - T * fn("cos", radiansOf(kEntryAngle))},
        {kArcEndX, q(kIntersectionX) + T * fn("cos", radiansOf(kExitAngle))},
        {kArcStartZ, q(kIntersectionZ) + T * fn("sin", radiansOf(kEntryAngle))},
        {kArcEndZ, q(kIntersectionZ) + T * fn("sin", radiansOf(kExitAngle))},
        // The entry straight from the arc start as shown, the exit straight from the unrounded end.
        {kEntryLength, length(q(pipe(kArcStart)) - z1, q(station(kArcStart)) - x1)},
        {kExitLength, length(q(kArcEndZ) - z12, q(kArcEndX) - x12)},
        {kTotalLength, q(kEntryLength) + q(kExitLength) + q(kArcLength)},
        {kCentreX, q(kArcStartX) + rho * fn("sin", radiansOf(kEntryAngle))},
        {kCentreZ, q(kArcStartZ) + rho * fn("cos", radiansOf(kEntryAngle))},
        {kExternal,
         length(q(kCentreStation) - q(kIntersectionStation), q(kCentreElevation) - q(kIntersectionElevation)) - rho},
    };
    for (formula::Formula line : lines) {
        line.step = kFirstStep;
        def.formula(std::move(line));
    }
    formula::Formula verdict = formula::words("ρ > 1500D（D为输气管道外径）为合适，否则建议增大曲率半径");
    verdict.step = kFirstStep;
    def.formula(verdict);
}

// Each station on the part that holds it: the entry straight, the arc (its lower half: the bottom
// arc of a crossing is always a sag) or the exit straight.
void declareSecondStepFormulas(FormDefinition& def) {
    const Expr x1 = q(station(1)), z1 = q(pipe(1)), x12 = q(station(kColumns)), z12 = q(pipe(kColumns));
    std::vector<formula::Formula> lines;
    for (int i : kComputedStations) {
        const Expr x = q(station(i));
        const Expr entry = z1 - (x - x1) * fn("tan", radiansOf(kEntryAngle));
        const Expr arc = arcElevation(q(kCentreStation), q(kCentreElevation), q(kRadius), x, false);
        const Expr exit = z12 - (x12 - x) * fn("tan", radiansOf(kExitAngle));
        for (formula::Formula& line : partFormulas(pipe(i), entry, arc, exit)) lines.push_back(std::move(line));
    }
    lines.push_back(formula::words("X_i ≤ X_4：入土段直线；X_4 < X_i < X_9：弹性敷设段；X_i ≥ X_9：出土段直线"));
    lines.push_back(formula::words("L_1 ≥ 20 m：入土点后20米内为直线段，符合定向钻穿越施工技术要求"));
    for (formula::Formula line : lines) {
        line.step = kSecondStep;
        def.formula(std::move(line));
    }
}

// The profile drawn for CAD: entry straight, arc and exit straight as the first step laid them out.
ProfileLayout profileLayout(GroundSource ground) {
    constexpr std::size_t start = kArcStart - 1, end = kArcEnd - 1, last = kColumns - 1;
    ProfileLayout layout;
    layout.runs = {{0, start, "", kEntryAngle, kEntryLength},
                   {start, end, "", "", kArcLength},
                   {end, last, "", kExitAngle, kExitLength}};
    layout.arc = ProfileArcSpan{start, end, kCentreStation, kCentreElevation, kRadius, {}};
    layout.groundFromSurvey = ground == GroundSource::SurveyFile;
    layout.notes = {{"入土角 ", kEntryAngleDms}, {"出土角 ", kExitAngleDms}, {"ρ=", kRadius},
                    {"T=", kTangent},          {"L=", kArcLength},         {"E=", kExternal}};
    return layout;
}

}  // namespace

FormDefinition makeDrillingProfileWindow(const std::string& formName, const std::string& title,
                                         GroundSource ground) {
    FormDefinition def(formName, title);
    def.titleLabel("Label20", "定向钻穿越纵断面计算");
    def.note("Label21",
             "        您只需要输入定向钻穿越河流或公路的入土点及出土点的里程及管底标高，以及入土角、出土角、"
             "弹性敷设曲率半径，以及河流或公路的各桩点的地面标高；本程序可计算出穿越管段各点的管底标高及各管段的实长；"
             "并绘制出纵断面示意图。");

    auto frame = def.frame("Frame1", "输入（输出）参数 ", FrameRole::Input, {0, 0});
    // The angle and pipe inputs stand above the point table, captions above their fields so
    // that the table's columns keep their width.
    auto above = [](ControlDef& control) -> ControlDef& {
        control.labelPlacement = LabelPlacement::Above;
        return control.inStep(kFirstStep);
    };
    above(frame.field(kEntryAngle, " 入土角    (°)", "10.1 ", {0, 1, 1, 2})).means("α_1", "入土角", "°").between(0, 90);
    above(frame.result(kEntryAngleDms, "折合", {0, 3, 1, 2})).means("α_1", "入土角（度分秒）");
    above(frame.field(kExitAngle, " 出土角    (°)", "7.2", {0, 5, 1, 2})).means("α_2", "出土角", "°").between(0, 90);
    above(frame.result(kExitAngleDms, "折合  ", {0, 7, 1, 2})).means("α_2", "出土角（度分秒）");
    above(frame.field(kDiameter, "输气管道外径(mm)", "377", {0, 9, 1, 2})).means("D", "输气管道外径", "mm").positive();
    above(frame.field(kRadius, "  弹性敷设    曲率半径ρ(m)", "600 ", {0, 11, 1, 2})).means("ρ", "弹性敷设曲率半径", "m").positive();
    PointTableColumns columns = addPointTable(frame, ground);
    addResults(frame);
    if (ground == GroundSource::TypedElevations) {
        // Shown at the right edge of the window; no step reads them.
        frame.cell("Text33", "1.50", {2, kColumns + 1}).working();
        frame.cell("Text34", "10.00", {4, kColumns + 1}).working();
    }
    declarePointTable(def, columns, ground);
    declareQuantities(def);
    declareFirstStepFormulas(def);
    declareSecondStepFormulas(def);

    ProfileLegend legend = drillingLegend();
    if (ground == GroundSource::SurveyFile) legend.thinColour = kSurveyGroundColour;  // "地面" is the file's line
    Sketch panel = profileSketchPanel(legend);
    addScaleLabels(panel);
    def.body().sketch("Picture1", std::move(panel), {1, 0});
    addDmsScratchFields(def);
    addLowestPoint(def);

    def.runButton(kFirstStep, "第一步计算", runDrillingFirstStep);
    def.successiveSteps();  // the second step reads back what the first wrote
    def.runButton(kSecondStep, "第二步计算", [ground](RunContext& run) { runDrillingSecondStep(run, ground); });
    def.printButton("Command2");
    if (ground == GroundSource::SurveyFile) def.readsGroundDataFile();
    def.drawsProfile(kSecondStep, profileBuilder(profileLayout(ground)));
    return def;
}

}  // namespace pylora
