// 弹性敷设参数计算: an elastic-laying bend in the longitudinal profile. Two straights meet at an
// intersection point and the pipe follows a circular arc of radius ρ tangent to both. The
// first step lays out the bend (slopes, deflection angle, T, L, tangent points, real lengths,
// arc centre, E, the 5 m warning); the second gives the elevations of the intermediate stations
// and draws the profile sketch.
#include "model/calc.h"
#include "profiles/degrees_to_dms.h"
#include "crossing_profiles/marked_fields.h"
#include "profiles/profile_arc.h"
#include "profiles/profile_drawing.h"
#include "profiles/profile_parts.h"
#include "profiles/station_table.h"

namespace pylora {
namespace {

// The window's fields besides the point table.
constexpr auto kDiameter = "Text3";
constexpr auto kRadius = "Text41";
constexpr auto kArcLength = "Text28";
constexpr auto kLeftLength = "Text5";
constexpr auto kRightLength = "Text6";
constexpr auto kTotalLength = "Text12";
constexpr auto kLeftSlope = "Text27";
constexpr auto kLeftInclination = "Text29";
constexpr auto kDeflectionDms = "Text46";
constexpr auto kRightSlope = "Text30";
constexpr auto kRightInclination = "Text44";
constexpr auto kTangent = "Text38";
constexpr auto kExternal = "Text47";
constexpr auto kChord = "Text11";
constexpr auto kCentreStation = "Text45";
constexpr auto kCentreElevation = "Text48";
constexpr auto kVerdict = "Text4";
constexpr auto kFirstStep = "Command1";
constexpr auto kSecondStep = "Command3";

// Quantities the first step computes without a field, or unrounded behind the field that shows them.
constexpr auto kLeftGradient = "k_1";
constexpr auto kRightGradient = "k_2";
constexpr auto kLeftAngle = "θ_1";
constexpr auto kRightAngle = "θ_2";
constexpr auto kDeflection = "θ";
constexpr auto kLeftTangentX = "x_3";
constexpr auto kLeftTangentZ = "z_3";
constexpr auto kRightTangentX = "x_9";
constexpr auto kRightTangentZ = "z_9";
constexpr auto kCentreX = "x_c";
constexpr auto kCentreZ = "z_c";
// Noted by the second step: +1 where a straight rises towards the intersection point, −1 where it falls.
constexpr auto kLeftRise = "s_1";
constexpr auto kRightRise = "s_2";

constexpr int kColumns = 11;
constexpr int kFirst = 1;          // the first point, on the left straight
constexpr int kLeftTangent = 3;
constexpr int kIntersection = 6;   // the second point, where the straights meet
constexpr int kRightTangent = 9;
constexpr int kThird = kColumns;   // the third point, on the right straight
constexpr double kPi = kLegacyPi;  // the window's own value of π, also for degrees to radians

// The intermediate stations whose elevations the second step computes (桩点1 to 桩点6).
constexpr int kComputedStations[] = {2, 4, 5, 7, 8, 10};

std::string station(int i) { return indexed("Text1", i); }

// The stations the engineer gives, in table order: the tangent points are laid out, not given.
std::vector<std::string> givenStations() {
    std::vector<std::string> stations;
    for (int i = 1; i <= kColumns; ++i)
        if (i != kLeftTangent && i != kRightTangent) stations.push_back(station(i));
    return stations;
}
std::string elevation(int i) { return indexed("Text2", i); }
Num X(const Form& form, int i) { return FieldValue(form, station(i)); }

Num length(const Num& dz, const Num& dx) { return sqrt(dz * dz + dx * dx); }

// θ1 or θ2 as its 15-digit text reads back.
Num asDisplayed(const Num& value) { return LeadingValueOfText(NumberText(value), value.source()); }

void runFirstStep(Form& form) {
    // The points in the order the slopes meet them.
    const auto [z1, z6, x1, x6] =
        FieldValues(form, elevation(kFirst), elevation(kIntersection), station(kFirst), station(kIntersection));
    const Num k1 = (z1 - z6) / (x1 - x6);
    const auto [z11, x11] = FieldValues(form, elevation(kThird), station(kThird));
    const Num k2 = (z6 - z11) / (x6 - x11);
    const Num a1 = abs(k1), a2 = abs(k2);
    form.setText(kLeftSlope, FormatNumber(a1 * 1000, "#.##"));
    form.setText(kRightSlope, FormatNumber(a2 * 1000, "#.##"));

    const Num theta1 = atan(a1) * 180 / kPi;
    form.setText(kLeftInclination, FormatNumber(theta1, "#.###"));
    const Num theta2 = atan(a2) * 180 / kPi;
    form.setText(kRightInclination, FormatNumber(theta2, "#.###"));
    const Num theta = asDisplayed(theta1) + asDisplayed(theta2);  // deflection angle
    form.setText(kDeflectionDms, DegreesToDms(form, theta));

    const Num rho = FieldValue(form, kRadius);
    markAndWrite(form, kArcLength, FormatNumber(2 * (rho * kPi) * theta / 360, "#.##"));
    markAndWrite(form, kTangent, FormatNumber(rho * tan(theta * kPi / 360), "#.##"));
    form.setText(kChord, FormatNumber(2 * rho * sin(theta * kPi / 360), "#.##"));  // the chord, not the arc

    // Tangent points, one displayed T from the intersection point along each straight.
    const Num x3 = x6 - FieldValue(form, kTangent) * cos(atan(a1));
    form.setText(station(kLeftTangent), FormatNumber(x3, "#.##"));
    mark(form, station(kLeftTangent));
    const Num x9 = x6 + FieldValue(form, kTangent) * cos(atan(a2));
    markAndWrite(form, station(kRightTangent), FormatNumber(x9, "#.##"));
    const Num z3 = z6 - FieldValue(form, kTangent) * sin(atan(k1));
    markAndWrite(form, elevation(kLeftTangent), FormatNumber(z3, "#.##"));
    const Num z9 = z6 + FieldValue(form, kTangent) * sin(atan(k2));
    markAndWrite(form, elevation(kRightTangent), FormatNumber(z9, "#.##"));

    // The left straight from the displayed tangent point, the right one from the unrounded.
    const auto [z3Shown, x3Shown] = FieldValues(form, elevation(kLeftTangent), station(kLeftTangent));
    const Num left = length(z3Shown - z1, x3Shown - x1);
    markAndWrite(form, kLeftLength, FormatNumber(left, "#.##"));
    const Num right = length(z9 - z11, x9 - x11);
    markAndWrite(form, kRightLength, FormatNumber(right, "#.##"));
    const auto [arcShown, leftShown, rightShown] = LeadingValues(form, kArcLength, kLeftLength, kRightLength);
    const Num total = arcShown + leftShown + rightShown;
    markAndWrite(form, kTotalLength, FormatNumber(total, "#.##"));

    // Arc centre ρ from the left tangent point, square to the left straight: below the arc when
    // that straight rises towards the intersection point (a crest bend), above it otherwise.
    const Num shift = rho * sin(atan(k1));
    const bool crest = x3 + shift > FieldValue(form, station(kLeftTangent));
    const Num xc = crest ? x3 + shift : x3 - shift;
    const Num zc = crest ? z3 - rho * cos(atan(k1)) : z3 + rho * cos(atan(k1));
    noteBend(form, crest);
    mark(form, kCentreStation);
    mark(form, kCentreElevation);
    form.setText(kCentreStation, FormatNumber(xc, "#.##"));
    form.setText(kCentreElevation, FormatNumber(zc, "#.##"));

    const auto [zcShown, xcShown] = FieldValues(form, kCentreElevation, kCentreStation);
    const Num external = length(z6 - zcShown, x6 - xcShown) - rho;
    form.setText(kExternal, FormatNumber(external, "#.####"));

    // Both straights are read; the warning stays until the window is closed.
    const bool rightShort = FieldValue(form, kRightLength) < 5;
    const bool leftShort = FieldValue(form, kLeftLength) < 5;
    if (rightShort || leftShort) {
        form.setForeground(kVerdict, Colour::windowText());
        form.setText(kVerdict, "注意：直管段长度小于5米，考虑弹性敷设段与弯头连接最小直管段等因素，请重新校核！");
    }
}

// Annotation captions and their bracket lines: above the profile for a sag bend, below it otherwise.
void showAnnotations(Form& form, Sketch& sketch) {
    const struct {
        const char* label;
        const char* prefix;
        const char* field;
        double left, upperTop;
    } annotations[] = {{"Label25", "α=", kDeflectionDms, 6000, 840},
                       {"Label37", "T=", kTangent, 8040, 840},
                       {"Label40", "L=", kArcLength, 6120, 1200},
                       {"Label41", "E=", kExternal, 8040, 1200}};
    for (const auto& a : annotations) sketch.label(a.label).caption = a.prefix + form.text(a.field);

    const auto [z6, z1] = FieldValues(form, elevation(kIntersection), elevation(kFirst));
    const bool upper = z6 < z1;
    const double shift = upper ? 0 : 1560;  // the lower band lies 1560 twips further down
    for (const auto& a : annotations) {
        SketchLabel& label = sketch.label(a.label);
        label.left = a.left;
        label.top = a.upperTop + shift;
        label.visible = true;
    }
    const double bracketX = upper ? 7880 : 7680;
    const SketchPoint ends[][2] = {{{6000, 840}, {6000, 1080}},
                                   {{6000, 1080}, {9240, 1080}},
                                   {{9240, 1080}, {9240, 840}},
                                   {{bracketX, 720}, {bracketX, 1440}}};
    const char* names[] = {"Line13", "Line14", "Line15", "Line16"};
    for (int i = 0; i < 4; ++i)
        showLine(sketch, names[i], {ends[i][0].x, ends[i][0].y + shift}, {ends[i][1].x, ends[i][1].y + shift},
                 Colour::windowText(), 1);
}

void runSecondStep(Form& form) {
    Sketch& sketch = form.sketch("Picture1");
    showAnnotations(form, sketch);

    // The arc is sampled from the left tangent point: before the first step has run, that is the
    // first missing result the step meets, and the field it names.
    (void)X(form, kLeftTangent);
    const auto [xc, zc, rho, z6, z1] = FieldValues(form, kCentreStation, kCentreElevation, kRadius,
                                                   elevation(kIntersection), elevation(kFirst));
    const ArcCircle circle{xc, zc, rho, z6 > z1};
    noteBend(form, circle.upperHalf);
    const ArcSamples arc = sampleArc(form, circle, {station(kLeftTangent), elevation(kLeftTangent),
                                                    station(kRightTangent), elevation(kRightTangent)});
    requireChainageOrder(form, givenStations());
    // The straights from the first and third points with the displayed inclinations, each towards
    // the intersection point: rising where it lies higher, falling where it lies lower.
    const auto [x1, x11, z11] = FieldValues(form, station(kFirst), station(kThird), elevation(kThird));
    const Num leftRise = z6 > z1 ? 1 : -1, rightRise = z6 > z11 ? 1 : -1;
    form.noteQuantity(kLeftRise, leftRise.value());
    form.noteQuantity(kRightRise, rightRise.value());
    const auto [leftTangent, rightTangent] = FieldValues(form, station(kLeftTangent), station(kRightTangent));
    for (int i : kComputedStations) {
        const Num x = X(form, i);
        const ProfilePart part = partAt(x, leftTangent, rightTangent);
        Num z = 0;
        if (part == ProfilePart::EntryStraight)
            z = z1 + leftRise * (x - x1) * tan(FieldValue(form, kLeftInclination) * kPi / 180);
        else if (part == ProfilePart::ExitStraight)
            z = z11 + rightRise * (x11 - x) * tan(FieldValue(form, kRightInclination) * kPi / 180);
        else
            z = circle.elevationAt(x);
        notePart(form, elevation(i), part);
        // Each row keeps its own display: 桩点6 in full, the others to the centimetre.
        markAndWrite(form, elevation(i), i == 10 ? NumberText(z) : FormatNumber(z, "#.##"));
    }

    std::vector<std::string> elevations;
    for (int i = 1; i <= kColumns; ++i) elevations.push_back(elevation(i));
    const std::string highest = highestField(form, elevations);
    const LowestElevation lowest = lowestElevation(form, elevations);

    hideLines(sketch, "Line9", 1, 10);
    hideLines(sketch, "Line10", 1, 10);
    hideMarkers(sketch, "Shape1", 1, 9);
    const Num zmax = FieldValue(form, highest);
    const ProfileMapping mapping(x1, x11, lowest.value, zmax);
    showCaption(sketch, "Label33", form.text(highest));
    showCaption(sketch, "Label34", lowest.caption);
    showCaption(sketch, "Label35", form.text(station(kFirst)));
    showCaption(sketch, "Label36", form.text(station(kColumns)));

    auto point = [&](int i) {
        const auto [x, z] = FieldValues(form, station(i), elevation(i));
        return mapping.map(x, z);
    };
    // The outer straights thick, the tangent lines to the intersection point thin.
    showLine(sketch, "Line9(1)", point(kFirst), point(kLeftTangent), Colour::windowText(), 4);
    showLine(sketch, "Line9(2)", point(kRightTangent), point(kThird), Colour::windowText(), 4);
    showLine(sketch, "Line9(3)", point(kLeftTangent), point(kIntersection), Colour::windowText(), 2);
    showLine(sketch, "Line9(4)", point(kIntersection), point(kRightTangent), Colour::windowText(), 2);
    for (int i = 2; i <= kColumns; ++i) showMarker(sketch, indexed("Shape1", i), point(i));
    drawArc(sketch, mapping, arc);

    showScaleLabels(sketch, zmax, lowest.value, x1, x11);
    showLowestPoint(form, sketch, arc, circle);
}

struct PointColumn {
    const char* heading;
    const char* station;
    const char* elevation;
};

const PointColumn kPointColumns[kColumns] = {
    {"第一点", "0.00", "308.6"}, {"桩点1", "10", " "},   {"左切点", " ", " "}, {"桩点2", "88", " "},
    {"桩点3", "90", " "},        {"第二点", "100", "306.5"}, {"桩点4", "105", " "}, {"桩点5", "110", " "},
    {"右切点", " ", " "},        {"桩点6", "130", " "},  {"第三点", "180", "309.8"},
};

// The first, second and third points are given; the tangent points are laid out by the first
// step; the stations between are given and their elevations computed by the second step.
void addPointTable(FormDefinition& def, FrameBuilder& frame) {
    StationTable table{"桩点数据", "桩点", {}, {}, {}};
    StationColumn stations{meaning("X", "桩点里程", "m", -1, FieldRole::Input, {}, Domain::anySign()), {}};
    StationColumn elevations{meaning("Z", "管底标高", "m", 2, FieldRole::Result, kSecondStep, Domain::anySign()), {}};
    frame.label("", "桩点里程", {1, 0});
    frame.label("", "管底标高", {2, 0});
    for (int i = 1; i <= kColumns; ++i) {
        const PointColumn& column = kPointColumns[i - 1];
        frame.label("", column.heading, {0, i});
        const std::string point = column.heading;
        ControlDef& x = frame.cell(station(i), column.station, {1, i});
        x.description = point + " 桩点里程";
        ControlDef& z = frame.cell(elevation(i), column.elevation, {2, i});
        z.description = point + " 管底标高";
        stations.cells.push_back(&x);
        elevations.cells.push_back(&z);
        table.rows.push_back(point);
        table.subscripts.push_back(std::to_string(i));
    }
    table.columns = {stations, elevations};
    declareStationTable(def, table);

    for (int i = 1; i <= kColumns; ++i) {
        Meaning& x = stations.cells[i - 1]->meaning;
        Meaning& z = elevations.cells[i - 1]->meaning;
        x.step = kSecondStep;
        if (i == kFirst || i == kIntersection || i == kThird) {
            x.step = z.step = kFirstStep;
            z.role = FieldRole::Input;
            z.decimals = -1;
        } else if (i == kLeftTangent || i == kRightTangent) {
            x.role = FieldRole::Result;
            x.decimals = 2;
            x.step = z.step = kFirstStep;
        } else if (i == 10) {
            z.decimals = 3;  // the full number
        }
    }
}

void addSingleFields(FrameBuilder& frame) {
    const struct {
        const char* name;
        const char* caption;
        const char* text;
        Meaning meaning;
    } fields[] = {
        {kDiameter, "输气管道外径(mm)", "377", meaning("D", "输气管道外径", "mm", -1, FieldRole::Input, {}, Domain::positive())},
        {kRadius, "  弹性敷设    曲率半径ρ(m)", "600 ",
         meaning("ρ", "弹性敷设曲率半径", "m", -1, FieldRole::Input, kFirstStep, Domain::positive())},
        {kArcLength, "弹性敷设段   实长（米）", " ", meaning("L", "弹性敷设段实长", "m", 2)},
        {kLeftLength, "左直管段   实长（米）", " ", meaning("L_1", "左直管段实长", "m", 2)},
        {kRightLength, "右直管段   实长（米）", " ", meaning("L_2", "右直管段实长", "m", 2)},
        {kTotalLength, "总实长（米）", " ", meaning("L_{总}", "总实长", "m", 2)},
        {kLeftSlope, "左直管段斜率‰", "", meaning("i_1", "左直管段斜率", "‰", 2)},
        {kLeftInclination, "左直管段倾角°", " ", meaning("θ_1", "左直管段倾角", "°", 3)},
        {kDeflectionDms, "纵向角°", " ", meaning("θ", "纵向角（度分秒）", "")},
        {kRightSlope, "右直管段斜率‰", " ", meaning("i_2", "右直管段斜率", "‰", 2)},
        // The caption repeats "左"; the field shows the right straight's inclination.
        {kRightInclination, "左直管段倾角°", " ", meaning("θ_2", "右直管段倾角", "°", 3)},
        {kTangent, "切线T长度(米)", " ", meaning("T", "切线长度", "m", 2)},
        {kExternal, "矢距E (米)", " ", meaning("E", "矢距", "m", 4)},
        {kChord, "弦长 (米)", " ", meaning("C", "弦长", "m", 2)},
        {kCentreStation, "弹性敷设段 圆心里程值", " ",
         meaning("x_c", "弹性敷设段圆心里程", "m", 2, FieldRole::Unset, {}, Domain::anySign())},
        {kCentreElevation, "弹性敷设段 圆心高程值", " ",
         meaning("z_c", "弹性敷设段圆心高程", "m", 2, FieldRole::Unset, {}, Domain::anySign())},
    };
    // Six to a row, each caption above its field, two table columns wide.
    int index = 0;
    for (const auto& f : fields) {
        ControlDef& field = frame.field(f.name, f.caption, f.text, {3 + index / 6, 2 * (index % 6), 1, 2});
        field.labelPlacement = LabelPlacement::Above;
        field.meaning = f.meaning;
        if (field.meaning.role == FieldRole::Unset) {
            field.meaning.role = FieldRole::Result;
            field.meaning.step = kFirstStep;
        }
        ++index;
    }
    frame.result(kVerdict, "结论：", {6, 0, 1, kColumns + 1}).means("", "结论").verdict().inStep(kFirstStep);
}

using formula::c;
using formula::Expr;
using formula::fn;
using formula::pow;
using formula::q;

Expr X(int i) { return q(station(i)); }
Expr Z(int i) { return q(elevation(i)); }
Expr length(const Expr& dz, const Expr& dx) { return formula::sqrt(pow(dz, c(2)) + pow(dx, c(2))); }
Expr degrees(const Expr& radians) { return radians * c(180) / c(kPi); }
Expr radians(const Expr& degrees) { return degrees * c(kPi) / c(180); }

// What the first step computes without a field of its own, or unrounded behind the field (or
// point-table cell) that shows it rounded.
void declareQuantities(FormDefinition& def) {
    declareStepQuantities(def, {
        {kLeftGradient, "左直管段坡度", "", ""},
        {kRightGradient, "右直管段坡度", "", ""},
        {kLeftAngle, "左直管段倾角", "°", kLeftInclination},
        {kRightAngle, "右直管段倾角", "°", kRightInclination},
        {kDeflection, "纵向角", "°", kDeflectionDms},
        {kLeftTangentX, "左切点里程", "m", station(kLeftTangent)},
        {kLeftTangentZ, "左切点管底标高", "m", elevation(kLeftTangent)},
        {kRightTangentX, "右切点里程", "m", station(kRightTangent)},
        {kRightTangentZ, "右切点管底标高", "m", elevation(kRightTangent)},
        {kCentreX, "弹性敷设段圆心里程", "m", kCentreStation},
        {kCentreZ, "弹性敷设段圆心高程", "m", kCentreElevation},
    }, kFirstStep);
}

void declareFirstStepFormulas(FormDefinition& def) {
    const Expr k1 = q(kLeftGradient), k2 = q(kRightGradient), rho = q(kRadius), T = q(kTangent);
    const Expr shift = rho * fn("sin", fn("arctan", k1)), rise = rho * fn("cos", fn("arctan", k1));
    const std::vector<formula::Formula> lines = {
        {kLeftGradient, (Z(kFirst) - Z(kIntersection)) / (X(kFirst) - X(kIntersection))},
        {kRightGradient, (Z(kIntersection) - Z(kThird)) / (X(kIntersection) - X(kThird))},
        {kLeftSlope, fn("abs", k1) * c(1000)},
        {kRightSlope, fn("abs", k2) * c(1000)},
        {kLeftAngle, degrees(fn("arctan", fn("abs", k1)))},
        {kRightAngle, degrees(fn("arctan", fn("abs", k2)))},
        {kDeflection, q(kLeftAngle) + q(kRightAngle)},
        {kArcLength, c(2) * formula::group(rho * c(kPi)) * q(kDeflection) / c(360)},
        {kTangent, rho * fn("tan", q(kDeflection) * c(kPi) / c(360))},
        {kChord, c(2) * rho * fn("sin", q(kDeflection) * c(kPi) / c(360))},
        {kLeftTangentX, X(kIntersection) - T * fn("cos", fn("arctan", fn("abs", k1)))},
        {kRightTangentX, X(kIntersection) + T * fn("cos", fn("arctan", fn("abs", k2)))},
        {kLeftTangentZ, Z(kIntersection) - T * fn("sin", fn("arctan", k1))},
        {kRightTangentZ, Z(kIntersection) + T * fn("sin", fn("arctan", k2))},
        // The left straight from the tangent point as shown, the right one from the unrounded.
        {kLeftLength, length(Z(kLeftTangent) - Z(kFirst), X(kLeftTangent) - X(kFirst))},
        {kRightLength, length(q(kRightTangentZ) - Z(kThird), q(kRightTangentX) - X(kThird))},
        {kTotalLength, q(kArcLength) + q(kLeftLength) + q(kRightLength)},
        // The centre ρ from the left tangent point, square to the left straight: above the arc
        // of a sag bend, below that of a crest.
        forBend(false, formula::words("凹形弯曲（第二点低于第一点）：圆心在弧上方")),
        forBend(false, {kCentreX, q(kLeftTangentX) - shift}),
        forBend(false, {kCentreZ, q(kLeftTangentZ) + rise}),
        forBend(true, formula::words("凸形弯曲（第二点高于第一点）：圆心在弧下方")),
        forBend(true, {kCentreX, q(kLeftTangentX) + shift}),
        forBend(true, {kCentreZ, q(kLeftTangentZ) - rise}),
        {kExternal, length(Z(kIntersection) - q(kCentreElevation), X(kIntersection) - q(kCentreStation)) - rho},
        formula::words("L_1 < 5 m 或 L_2 < 5 m 时提示重新校核"),
    };
    for (formula::Formula line : lines) {
        line.step = kFirstStep;
        def.formula(std::move(line));
    }
}

// Each intermediate station on the part that holds it: the left straight (from the first point
// with the inclination as shown), the arc about the centre as shown (the lower half for a sag
// bend), the right straight (from the third point).
void declareSecondStepFormulas(FormDefinition& def) {
    std::vector<formula::Formula> lines;
    declareStepQuantities(def, {{kLeftRise, "左直管段走向（向交点上升为1，下降为−1）", "", ""},
                                {kRightRise, "右直管段走向（向交点上升为1，下降为−1）", "", ""}},
                          kSecondStep);
    for (int i : kComputedStations) {
        const Expr left = Z(kFirst) + q(kLeftRise) * (X(i) - X(kFirst)) * fn("tan", radians(q(kLeftInclination)));
        const Expr right = Z(kThird) + q(kRightRise) * (X(kThird) - X(i)) * fn("tan", radians(q(kRightInclination)));
        // The arc on the lower half of its circle for a sag bend, on the upper for a crest.
        for (const bool crest : {false, true}) {
            const Expr arc = arcElevation(q(kCentreStation), q(kCentreElevation), q(kRadius), X(i), crest);
            std::vector<formula::Formula> parts = partFormulas(elevation(i), left, arc, right);
            if (!crest) lines.push_back(std::move(parts[0]));
            lines.push_back(forBend(crest, std::move(parts[1])));
            if (crest) lines.push_back(std::move(parts[2]));
        }
    }
    lines.push_back(formula::words("X_i ≤ X_3：左直管段；X_3 < X_i < X_9：弹性敷设段；X_i ≥ X_9：右直管段"));
    for (formula::Formula line : lines) {
        line.step = kSecondStep;
        def.formula(std::move(line));
    }
}

Sketch elasticLayingPanel() {
    Sketch sketch = profileSketchPanel(elasticLayingLegend());
    addScaleLabels(sketch);
    const struct {
        const char* name;
        double left, top;
        const char* caption;
    } annotations[] = {{"Label25", 6000, 840, " α=13°33′33″"},
                       {"Label37", 8040, 840, "T=123.2 "},
                       {"Label40", 6120, 1200, "L=137.77"},
                       {"Label41", 8040, 1200, "E=10.12"}};
    for (const auto& a : annotations) {
        SketchLabel& label = sketch.label(a.name);
        label.left = a.left, label.top = a.top;
        label.caption = a.caption;
        label.visible = false;
    }
    for (const char* bracket : {"Line13", "Line14", "Line15", "Line16"}) sketch.line(bracket).visible = false;
    return sketch;
}

// The profile drawn for CAD: the two straights, the arc between the tangent points and the
// tangent lines to the intersection point, as the sketch shows them.
ProfileLayout profileLayout() {
    constexpr std::size_t left = kLeftTangent - 1, right = kRightTangent - 1, last = kThird - 1;
    ProfileLayout layout;
    layout.runs = {{0, left, kLeftSlope, kLeftInclination, kLeftLength},
                   {left, right, "", "", kArcLength},
                   {right, last, kRightSlope, kRightInclination, kRightLength}};
    layout.arc = ProfileArcSpan{left, right, kCentreStation, kCentreElevation, kRadius, crestNoted};
    layout.intersectionRow = kIntersection - 1;
    layout.notes = {{"θ=", kDeflectionDms}, {"ρ=", kRadius}, {"T=", kTangent}, {"L=", kArcLength}, {"E=", kExternal}};
    return layout;
}

FormDefinition makeElasticLaying() {
    FormDefinition def("弹性敷设参数计算", "弹性敷设参数计算");
    def.titleLabel("Label20", "弹性敷设参数计算");
    auto frame = def.frame("Frame1", "输入（输出）参数 ", FrameRole::Input, {0, 0});
    addPointTable(def, frame);
    addSingleFields(frame);
    declareQuantities(def);
    declareFirstStepFormulas(def);
    declareSecondStepFormulas(def);
    def.body().sketch("Picture1", elasticLayingPanel(), {1, 0});
    addDmsScratchFields(def);
    addLowestPoint(def);
    // The annotations under the report's symbols and precision: the window labels θ as "α".
    def.sketchStatement("Picture1", "Label25", std::string("{symbol:") + kDeflectionDms + "}={text:" + kDeflectionDms + "}");
    for (const auto& [label, field] : {std::pair{"Label37", kTangent}, {"Label40", kArcLength}, {"Label41", kExternal}})
        def.sketchStatement("Picture1", label, std::string("{symbol:") + field + "}={" + field + "}");

    def.runButton(kFirstStep, "第一步计算", runFirstStep);
    def.successiveSteps();  // the second step reads back what the first wrote
    def.runButton(kSecondStep, "第二步计算", runSecondStep);
    def.drawsProfile(kSecondStep, profileBuilder(profileLayout()));
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration("弹性敷设参数计算", "弹性敷设参数计算", makeElasticLaying);

}  // namespace
}  // namespace pylora
