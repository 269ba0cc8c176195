// 弹性敷设参数计算: an elastic-laying bend in the longitudinal profile. Two straights meet at an
// intersection point and the pipe follows a circular arc of radius ρ tangent to both. The
// first step lays out the bend (slopes, deflection angle, T, L, tangent points, real lengths,
// arc centre, E, the 5 m warning); the second gives the elevations of the intermediate stations
// and draws the profile sketch.
#include "core/calc.h"
#include "crossing_profiles/degrees_to_dms.h"
#include "crossing_profiles/marked_fields.h"
#include "crossing_profiles/profile_arc.h"

namespace pylora {
namespace {

constexpr int kColumns = 11;
constexpr double kPi = 3.1416;  // the window's own value of π, also for degrees to radians

std::string station(int i) { return indexed("Text1", i); }
std::string elevation(int i) { return indexed("Text2", i); }
Num X(const Form& form, int i) { return FieldValue(form, station(i)); }
Num Z(const Form& form, int i) { return FieldValue(form, elevation(i)); }

Num length(const Num& dz, const Num& dx) { return sqrt(dz * dz + dx * dx); }

// θ1 or θ2 as its 15-digit text reads back.
Num asDisplayed(const Num& value) { return LeadingValueOfText(NumberText(value), value.source()); }

void runFirstStep(Form& form) {
    // The points are read in the order the slopes meet them, so that of two unreadable fields
    // the first one met is named.
    const Num z1 = Z(form, 1), z6 = Z(form, 6), x1 = X(form, 1), x6 = X(form, 6);
    const Num k1 = (z1 - z6) / (x1 - x6);
    const Num z11 = Z(form, 11), x11 = X(form, 11);
    const Num k2 = (z6 - z11) / (x6 - x11);
    const Num a1 = abs(k1), a2 = abs(k2);
    form.setText("Text27", FormatNumber(a1 * 1000, "#.##"));
    form.setText("Text30", FormatNumber(a2 * 1000, "#.##"));

    const Num theta1 = atan(a1) * 180 / kPi;
    form.setText("Text29", FormatNumber(theta1, "#.###"));
    const Num theta2 = atan(a2) * 180 / kPi;
    form.setText("Text44", FormatNumber(theta2, "#.###"));
    const Num theta = asDisplayed(theta1) + asDisplayed(theta2);  // deflection angle
    form.setText("Text46", DegreesToDms(form, theta));

    const Num rho = FieldValue(form, "Text41");
    markAndWrite(form, "Text28", FormatNumber(2 * (rho * kPi) * theta / 360, "#.##"));
    markAndWrite(form, "Text38", FormatNumber(rho * tan(theta * kPi / 360), "#.##"));
    form.setText("Text11", FormatNumber(rho * theta * kPi / 180, "#.##"));

    // Tangent points, one displayed T from the intersection point along each straight.
    const Num x3 = x6 - FieldValue(form, "Text38") * cos(atan(a1));
    form.setText(station(3), FormatNumber(x3, "#.##"));
    mark(form, station(3));
    const Num x9 = x6 + FieldValue(form, "Text38") * cos(atan(a2));
    markAndWrite(form, station(9), FormatNumber(x9, "#.##"));
    const Num z3 = z6 - FieldValue(form, "Text38") * sin(atan(k1));
    markAndWrite(form, elevation(3), FormatNumber(z3, "#.##"));
    const Num z9 = z6 + FieldValue(form, "Text38") * sin(atan(k2));
    markAndWrite(form, elevation(9), FormatNumber(z9, "#.##"));

    // The left straight from the displayed tangent point, the right one from the unrounded.
    const Num left = length(FieldValue(form, elevation(3)) - z1, FieldValue(form, station(3)) - x1);
    markAndWrite(form, "Text5", FormatNumber(left, "#.##"));
    const Num right = length(z9 - z11, x9 - x11);
    markAndWrite(form, "Text6", FormatNumber(right, "#.##"));
    const Num total = LeadingValue(form, "Text28") + LeadingValue(form, "Text5") + LeadingValue(form, "Text6");
    markAndWrite(form, "Text12", FormatNumber(total, "#.##"));

    // Arc centre ρ from the left tangent point, square to the left straight: below the arc when
    // that straight rises towards the intersection point (a crest bend), above it otherwise.
    const Num shift = rho * sin(atan(k1));
    const bool crest = x3 + shift > FieldValue(form, station(3));
    const Num xc = crest ? x3 + shift : x3 - shift;
    const Num zc = crest ? z3 - rho * cos(atan(k1)) : z3 + rho * cos(atan(k1));
    mark(form, "Text45");
    mark(form, "Text48");
    form.setText("Text45", FormatNumber(xc, "#.##"));
    form.setText("Text48", FormatNumber(zc, "#.##"));

    const Num external = length(z6 - FieldValue(form, "Text48"), x6 - FieldValue(form, "Text45")) - rho;
    form.setText("Text47", FormatNumber(external, "#.####"));

    // Both straights are read; the warning stays until the window is closed.
    const bool rightShort = FieldValue(form, "Text6") < 5;
    const bool leftShort = FieldValue(form, "Text5") < 5;
    if (rightShort || leftShort) {
        form.setForeground("Text4", Colour::windowText());
        form.setText("Text4", "注意：直管段长度小于5米，考虑弹性敷设段与弯头连接最小直管段等因素，请重新校核！");
    }
}

// Annotation captions and their bracket lines: above the profile for a sag bend, below it otherwise.
void showAnnotations(Form& form, Sketch& sketch) {
    const struct {
        const char* label;
        const char* prefix;
        const char* field;
        double left, upperTop;
    } annotations[] = {{"Label25", "α=", "Text46", 6000, 840},
                       {"Label37", "T=", "Text38", 8040, 840},
                       {"Label40", "L=", "Text28", 6120, 1200},
                       {"Label41", "E=", "Text47", 8040, 1200}};
    for (const auto& a : annotations) sketch.label(a.label).caption = a.prefix + form.text(a.field);

    const bool upper = Z(form, 6) < Z(form, 1);
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
    (void)X(form, 3);
    const ArcCircle circle{FieldValue(form, "Text45"), FieldValue(form, "Text48"), FieldValue(form, "Text41"),
                           Z(form, 6) > Z(form, 1)};
    const ArcSamples arc = sampleArc(form, circle, {station(3), elevation(3), station(9), elevation(9)});
    for (int i : {4, 5, 7, 8}) markAndWrite(form, elevation(i), FormatNumber(circle.elevationAt(X(form, i)), "#.##"));

    // 桩点1 and 桩点6 on lines falling from the first and third points with the displayed inclinations.
    const Num z2 = Z(form, 1) - (X(form, 2) - X(form, 1)) * tan(FieldValue(form, "Text29") * kPi / 180);
    markAndWrite(form, elevation(2), FormatNumber(z2, "#.##"));
    const Num z10 = Z(form, 11) - (X(form, 11) - X(form, 10)) * tan(FieldValue(form, "Text44") * kPi / 180);
    markAndWrite(form, elevation(10), NumberText(z10));

    std::vector<std::string> elevations;
    for (int i = 1; i <= kColumns; ++i) elevations.push_back(elevation(i));
    const std::string highest = highestField(form, elevations);
    const LowestElevation lowest = lowestElevation(form, elevations);

    hideLines(sketch, "Line9", 1, 10);
    hideLines(sketch, "Line10", 1, 10);
    hideMarkers(sketch, "Shape1", 1, 9);
    const Num x1 = X(form, 1), x11 = X(form, kColumns);
    const Num zmax = FieldValue(form, highest);
    const ProfileMapping mapping(x1, x11, lowest.value, zmax);
    showCaption(sketch, "Label33", form.text(highest));
    showCaption(sketch, "Label34", lowest.caption);
    showCaption(sketch, "Label35", form.text(station(1)));
    showCaption(sketch, "Label36", form.text(station(kColumns)));

    auto point = [&](int i) { return mapping.map(X(form, i), Z(form, i)); };
    // The outer straights thick, the tangent lines to the intersection point thin.
    showLine(sketch, "Line9(1)", point(1), point(3), Colour::windowText(), 4);
    showLine(sketch, "Line9(2)", point(9), point(11), Colour::windowText(), 4);
    showLine(sketch, "Line9(3)", point(3), point(6), Colour::windowText(), 2);
    showLine(sketch, "Line9(4)", point(6), point(9), Colour::windowText(), 2);
    for (int i = 2; i <= kColumns; ++i) showMarker(sketch, indexed("Shape1", i), point(i));
    drawArc(sketch, mapping, arc);

    showScaleLabels(sketch, zmax, lowest.value, x1, x11);
    showLowestPoint(form, sketch, arc);
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

void addPointTable(FrameBuilder& frame) {
    frame.label("", "桩点里程", {1, 0});
    frame.label("", "管底标高", {2, 0});
    for (int i = 1; i <= kColumns; ++i) {
        const PointColumn& column = kPointColumns[i - 1];
        frame.label("", column.heading, {0, i});
        const std::string point = column.heading;
        frame.cell(station(i), column.station, {1, i}).description = point + " 桩点里程";
        frame.cell(elevation(i), column.elevation, {2, i}).description = point + " 管底标高";
    }
}

void addSingleFields(FrameBuilder& frame) {
    const struct {
        const char* name;
        const char* caption;
        const char* text;
    } fields[] = {
        {"Text3", "输气管道外径(mm)", "377"},
        {"Text41", "  弹性敷设    曲率半径ρ(m)", "600 "},
        {"Text28", "弹性敷设段   实长（米）", " "},
        {"Text5", "左直管段   实长（米）", " "},
        {"Text6", "右直管段   实长（米）", " "},
        {"Text12", "总实长（米）", " "},
        {"Text27", "左直管段斜率‰", ""},
        {"Text29", "左直管段倾角°", " "},
        {"Text46", "纵向角°", " "},
        {"Text30", "右直管段斜率‰", " "},
        {"Text44", "左直管段倾角°", " "},
        {"Text38", "切线T长度(米)", " "},
        {"Text47", "矢距E (米)", " "},
        {"Text11", "弦长 (米)", " "},
        {"Text45", "弹性敷设段 圆心里程值", " "},
        {"Text48", "弹性敷设段 圆心高程值", " "},
    };
    // Six to a row, each caption above its field, two table columns wide.
    int index = 0;
    for (const auto& f : fields) {
        frame.field(f.name, f.caption, f.text, {3 + index / 6, 2 * (index % 6), 1, 2}).labelPlacement =
            LabelPlacement::Above;
        ++index;
    }
    frame.result("Text4", "结论：", {6, 0, 1, kColumns + 1});
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

FormDefinition makeElasticLaying() {
    FormDefinition def("弹性敷设参数计算", "弹性敷设参数计算");
    def.titleLabel("Label20", "弹性敷设参数计算");
    auto frame = def.frame("Frame1", "输入（输出）参数 ", FrameRole::Input, {0, 0});
    addPointTable(frame);
    addSingleFields(frame);
    def.body().sketch("Picture1", elasticLayingPanel(), {1, 0});
    addDmsScratchFields(def);
    addLowestPointScratchField(def);

    def.runButton("Command1", "第一步计算", runFirstStep);
    def.runButton("Command3", "第二步计算", runSecondStep);
    def.printButton("Command2");
    return def;
}

const WindowRegistration registration(makeElasticLaying);

}  // namespace
}  // namespace pylora
