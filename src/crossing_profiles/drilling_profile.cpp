#include "crossing_profiles/drilling_profile.h"

#include "crossing_profiles/degrees_to_dms.h"
#include "crossing_profiles/ground_data_file.h"
#include "crossing_profiles/marked_fields.h"
#include "crossing_profiles/profile_arc.h"

namespace pylora {
namespace {

constexpr int kColumns = 12;
constexpr double kPi = 3.1416;  // the profile windows' own value of π, also for degrees to radians
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

void addPointTable(FrameBuilder& frame, GroundSource ground) {
    frame.label("", "桩点里程", {2, 0});
    if (ground == GroundSource::TypedElevations) frame.label("", "地面标高", {3, 0});
    frame.label("", "管底标高", {4, 0});
    for (int i = 1; i <= kColumns; ++i) {
        const PointColumn& column = kPointColumns[i - 1];
        frame.label("", column.heading, {1, i});
        const std::string point = column.heading;
        frame.cell(indexed("Text1", i), column.station, {2, i}).description = point + " 桩点里程";
        if (ground == GroundSource::TypedElevations) {
            ControlDef& cell = frame.cell(indexed("Text21", i), column.ground, {3, i});
            cell.background = kGroundRowColour;
            cell.description = point + " 地面标高";
        }
        frame.cell(indexed("Text2", i), column.pipe, {4, i}).description = point + " 管底标高";
    }
}

void addResults(FrameBuilder& frame) {
    const struct {
        const char* name;
        const char* caption;
        const char* text;
    } results[] = {
        {"Text27", "入土段直管实长（米）", ""},
        {"Text28", "弹性敷设段   实长（米）", " "},
        {"Text29", "出土段直管段   实长（米）", " "},
        {"Text30", "总实长  （米）", " "},
        {"Text44", "矢  距    (米)", " "},
        {"Text46", " 切线T  长度(米)", " "},
        {"Text38", "入土段与出土段直管段    延长线交点里程值", " "},
        {"Text47", "入土段与出土段直管段   延长线交点高程值", " "},
        {"Text45", "弹性敷设段 圆心里程值", " "},
        {"Text48", "弹性敷设段 圆心高程值", " "},
    };
    // Ten results in two rows of five, each caption above its field, two table columns wide.
    int index = 0;
    for (const auto& r : results) {
        ControlDef& field = frame.field(r.name, r.caption, r.text, {5 + index / 5, 1 + 2 * (index % 5), 1, 2});
        field.labelPlacement = LabelPlacement::Above;
        ++index;
    }
    frame.result("Text4", "结论：", {7, 0, 1, kColumns + 1});
}

Num radians(const Num& degrees) { return degrees * kPi / 180; }

// T as displayed, read afresh at each use.
Num tangentLength(const Form& form) { return FieldValue(form, "Text46"); }

void writeRadiusVerdict(Form& form) {
    mark(form, "Text4");
    // ρ in metres above 1500 D with D in millimetres.
    if (LeadingValue(form, "Text3") * 1.5 < LeadingValue(form, "Text41")) {
        form.setForeground("Text4", Colour::windowText());
        form.setText("Text4", "输入参数中选择的弹性敷设曲率半径>1500D(外径),合适。");
    } else {
        form.setForeground("Text4", Colour::red());
        form.setText("Text4",
                     "注意：选择的弹性敷设曲率半径<1500D(外径),为避免施工过程中出现回拖阻力过大,建议增大曲率半径！");
    }
}

}  // namespace

void runDrillingFirstStep(Form& form) {
    // Gradients through FieldValue: an angle such as "10.1°" ends the step before anything is written.
    const Num t1 = abs(tan(radians(FieldValue(form, "Text36"))));
    const Num t2 = abs(tan(radians(FieldValue(form, "Text31"))));
    const Num theta = LeadingValue(form, "Text36") + LeadingValue(form, "Text31");  // deflection angle
    mark(form, "Text32");
    mark(form, "Text44");

    const Num rho = FieldValue(form, "Text41");
    const Num arcLength = 2 * (rho * kPi) * theta / 360;
    markAndWrite(form, "Text28", FormatNumber(arcLength, "#.##"));

    markAndWrite(form, "Text35", DegreesToDms(form, "Text36"));
    markAndWrite(form, "Text32", DegreesToDms(form, "Text31"));
    markAndWrite(form, "Text46", FormatNumber(rho * tan(theta * kPi / 360), "#.##"));

    // Intersection of the entry straight (falling from the entry point) and the exit straight
    // (falling from the exit point towards the entry). The points are read in the order the
    // formula meets them, so that of two unreadable fields the first one met is named.
    const Num x12 = FieldValue(form, "Text1(12)");
    const Num x1 = FieldValue(form, "Text1(1)");
    const Num z12 = FieldValue(form, "Text2(12)");
    const Num z1 = FieldValue(form, "Text2(1)");
    if (x12 <= x1)
        throw RunFailure(FailureKind::OutsideDomain, "Text1(12)", "出土点里程应大于入土点里程");
    const Num xP = ((t2 * x12 + t1 * x1) - (z12 - z1)) / (t1 + t2);
    markAndWrite(form, "Text38", FormatNumber(xP, "#.##"));
    const Num zP = z1 - t1 * (xP - x1);
    markAndWrite(form, "Text47", FormatNumber(zP, "#.##"));

    // Ends of the arc, one tangent length T from the intersection along each straight.
    const Num alpha1 = radians(FieldValue(form, "Text36"));
    const Num alpha2 = radians(FieldValue(form, "Text31"));
    const Num x4 = xP - tangentLength(form) * cos(alpha1);
    form.setText("Text1(4)", FormatNumber(x4, "#.##"));
    mark(form, "Text1(4)");
    const Num x9 = xP + tangentLength(form) * cos(alpha2);
    markAndWrite(form, "Text1(9)", FormatNumber(x9, "#.##"));
    const Num z4 = zP + tangentLength(form) * sin(alpha1);
    markAndWrite(form, "Text2(4)", FormatNumber(z4, "#.##"));
    const Num z9 = zP + tangentLength(form) * sin(alpha2);
    markAndWrite(form, "Text2(9)", FormatNumber(z9, "#.##"));

    // The entry straight from the displayed arc start, the exit straight from the unrounded end.
    const Num entryDz = FieldValue(form, "Text2(4)") - z1;
    const Num entryDx = FieldValue(form, "Text1(4)") - x1;
    markAndWrite(form, "Text27", FormatNumber(sqrt(entryDz * entryDz + entryDx * entryDx), "#.##"));
    const Num exitDz = z9 - z12;
    const Num exitDx = x9 - x12;
    markAndWrite(form, "Text29", FormatNumber(sqrt(exitDz * exitDz + exitDx * exitDx), "#.##"));
    const Num total = LeadingValue(form, "Text27") + LeadingValue(form, "Text29") + LeadingValue(form, "Text28");
    markAndWrite(form, "Text30", FormatNumber(total, "#.##"));

    // Arc centre: ρ from the arc start, square to the entry straight, above the arc.
    const Num xc = x4 + rho * sin(alpha1);
    const Num zc = z4 + rho * cos(alpha1);
    mark(form, "Text45");
    mark(form, "Text48");
    form.setText("Text45", FormatNumber(xc, "#.##"));
    form.setText("Text48", FormatNumber(zc, "#.##"));

    // External distance from the displayed centre and intersection point.
    const Num dx = FieldValue(form, "Text45") - FieldValue(form, "Text38");
    const Num dz = FieldValue(form, "Text48") - FieldValue(form, "Text47");
    form.setText("Text44", FormatNumber(sqrt(dx * dx + dz * dz) - rho, "#.###"));

    writeRadiusVerdict(form);
}

namespace {

std::string station(int i) { return indexed("Text1", i); }
std::string pipe(int i) { return indexed("Text2", i); }
std::string ground(int i) { return indexed("Text21", i); }

void writeVerdictOnEntryStraight(Form& form) {
    if (FieldValue(form, "Text27") < 20) {
        form.setForeground("Text4", Colour::red());
        form.setText("Text4", "■严重警告:穿越管段在入土点后20米内应为直线段,请重新选择合适参数！");
    } else {
        form.setForeground("Text4", Colour::windowText());
        form.setText("Text4", "穿越管段在入土段直管段长度大于20米，符合定向钻穿越施工技术要求。");
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
        for (int i = 1; i <= kColumns; ++i) grounds.push_back(ground(i));
        const std::string highest = highestField(form, grounds);
        return {FieldValue(form, highest), form.text(highest)};
    }
    Num zmax = -100;
    for (const GroundRecord& record : survey->records) {
        const Num value = LeadingValueOfText(record.elevation);
        if (value > zmax) zmax = value;
    }
    zmax = zmax + 2;
    return {zmax, NumberText(zmax)};
}

// The file's ground line at its true stations, green, one segment between each two records.
void drawSurveyGround(Sketch& sketch, const ProfileMapping& mapping, const GroundData& survey) {
    // Nothing of an earlier, longer survey stays visible.
    std::vector<std::string> earlier;
    for (const SketchLine& line : sketch.lines())
        if (line.name.starts_with("Line12(")) earlier.push_back(line.name);
    for (const std::string& name : earlier) sketch.line(name).visible = false;
    if (survey.records.size() < 2) return;  // a single point draws no segment
    SketchPoint from = mapping.map(survey.station(0), survey.elevation(0));
    for (std::size_t k = 1; k < survey.records.size(); ++k) {
        const SketchPoint to = mapping.map(survey.station(k), survey.elevation(k));
        showLine(sketch, indexed("Line12", int(k + 1)), from, to, Colour::rgb(0, 255, 0), 2);
        from = to;
    }
}

void runDrillingSecondStep(RunContext& run, GroundSource source) {
    Form& form = run.form;
    std::optional<GroundData> survey;
    if (source == GroundSource::SurveyFile) survey = readGroundDataFile(run.services);

    const Num x1 = FieldValue(form, station(1)), z1 = FieldValue(form, pipe(1));
    for (int i : {2, 3}) {
        const Num z = z1 - (FieldValue(form, station(i)) - x1) * tan(radians(FieldValue(form, "Text36")));
        markAndWrite(form, pipe(i), FormatNumber(z, "#.##"));
    }
    const Num x12 = FieldValue(form, station(kColumns)), z12 = FieldValue(form, pipe(kColumns));
    for (int i : {10, 11}) {
        const Num z = z12 - (x12 - FieldValue(form, station(i))) * tan(radians(FieldValue(form, "Text31")));
        markAndWrite(form, pipe(i), NumberText(z));
    }
    // The bottom arc of a crossing is always a sag: the lower half of the circle.
    const ArcCircle circle{FieldValue(form, "Text45"), FieldValue(form, "Text48"), FieldValue(form, "Text41"), false};
    for (int i = 5; i <= 8; ++i) markAndWrite(form, pipe(i), NumberText(circle.elevationAt(FieldValue(form, station(i)))));
    const ArcSamples arc = sampleArc(form, circle, {station(4), pipe(4), station(9), pipe(9)});
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

    auto pipePoint = [&](int i) { return mapping.map(FieldValue(form, station(i)), FieldValue(form, pipe(i))); };
    auto groundPoint = [&](int i) { return mapping.map(FieldValue(form, station(i)), FieldValue(form, ground(i))); };
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
        showLowestPoint(form, sketch, arc);
    }
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
    for (ControlDef* top : {&frame.field("Text36", " 入土角    (°)", "10.1 ", {0, 1, 1, 2}),
                            &frame.result("Text35", "折合", {0, 3, 1, 2}),
                            &frame.field("Text31", " 出土角    (°)", "7.2", {0, 5, 1, 2}),
                            &frame.result("Text32", "折合  ", {0, 7, 1, 2}),
                            &frame.field("Text3", "输气管道外径(mm)", "377", {0, 9, 1, 2}),
                            &frame.field("Text41", "  弹性敷设    曲率半径ρ(m)", "600 ", {0, 11, 1, 2})})
        top->labelPlacement = LabelPlacement::Above;
    addPointTable(frame, ground);
    addResults(frame);
    if (ground == GroundSource::TypedElevations) {
        // Shown at the right edge of the window; no step reads them.
        frame.cell("Text33", "1.50", {2, kColumns + 1});
        frame.cell("Text34", "10.00", {4, kColumns + 1});
    }

    Sketch panel = profileSketchPanel(drillingLegend());
    addScaleLabels(panel);
    def.body().sketch("Picture1", std::move(panel), {1, 0});
    addDmsScratchFields(def);
    addLowestPointScratchField(def);

    def.runButton("Command1", "第一步计算", runDrillingFirstStep);
    def.runButton("Command3", "第二步计算", [ground](RunContext& run) { runDrillingSecondStep(run, ground); });
    def.printButton("Command2");
    return def;
}

}  // namespace pylora
