#include "profiles/profile_arc.h"

#include "profiles/degrees_to_dms.h"

#include <algorithm>

namespace pylora {
namespace {

constexpr int kArcPoints = 100;
constexpr const char* kSagBend = "弹性敷设段@凹形弯曲";
constexpr const char* kCrestBend = "弹性敷设段@凸形弯曲";

// The sign-position text of a value as a pattern shows it, the shown text read back strictly.
std::string shownWithSign(const Num& value, std::string_view pattern) {
    return signPositionText(FieldValueOfText(FormatNumber(value, pattern), value.source()).value());
}

}  // namespace

Num ArcCircle::elevationAt(const Num& station) const {
    const Num offset = station - xc;
    const Num square = rho * rho - offset * offset;
    if (square < 0)
        throw RunFailure(FailureKind::OutsideDomain, station.source().empty() ? rho.source() : station.source(),
                         "桩点与弹性敷设段圆心的水平距离大于曲率半径ρ");
    const Num half = sqrt(square);
    return upperHalf ? zc + half : zc - half;
}

formula::Expr arcElevation(const formula::Expr& centreStation, const formula::Expr& centreElevation,
                           const formula::Expr& radius, const formula::Expr& station, bool upperHalf) {
    using formula::c;
    const formula::Expr half = formula::sqrt(formula::pow(radius, c(2)) - formula::pow(station - centreStation, c(2)));
    return upperHalf ? centreElevation + half : centreElevation - half;
}

void noteBend(Form& form, bool crest) {
    form.noteQuantity(kCrestBend, crest ? 1 : 0);
    form.noteQuantity(kSagBend, crest ? 0 : 1);
}

bool crestNoted(const Form& form) {
    const auto noted = form.notedQuantities().find(kCrestBend);
    return noted != form.notedQuantities().end() && noted->second != 0;
}

formula::Formula forBend(bool crest, formula::Formula line) { return formula::when(crest ? kCrestBend : kSagBend, std::move(line)); }

ArcSamples sampleArc(const Form& form, const ArcCircle& circle, const ArcEnds& ends) {
    ArcSamples arc;
    const auto [end, begin] = LeadingValues(form, ends.endStation, ends.startStation);
    const Num step = (end - begin) / kArcPoints;
    const Num start = FieldValue(form, ends.startStation);
    for (int i = 2; i < kArcPoints; ++i) {
        arc.station[i] = start + (i - 1) * step;
        arc.elevation[i] = circle.elevationAt(arc.station[i]);
        if (arc.elevation[i] < arc.lowestElevation) {
            arc.lowestElevation = arc.elevation[i];
            arc.lowestStation = arc.station[i];
        }
    }
    arc.station[1] = start;
    arc.elevation[1] = FieldValue(form, ends.startElevation);
    arc.station[kArcPoints] = FieldValue(form, ends.endStation);
    arc.elevation[kArcPoints] = FieldValue(form, ends.endElevation);
    return arc;
}

void drawArc(Sketch& sketch, const ProfileMapping& mapping, const ArcSamples& arc) {
    SketchPoint from = mapping.map(arc.station[1], arc.elevation[1]);
    for (int i = 2; i <= kArcPoints; ++i) {
        const SketchPoint to = mapping.map(arc.station[i], arc.elevation[i]);
        showLine(sketch, indexed("Line11", i), from, to, Colour::red(), 4);
        from = to;
    }
}

void addScaleLabels(Sketch& sketch) {
    const struct {
        const char* name;
        double left, top;
        const char* caption;
    } labels[] = {{"Label45", 12840, 2280, "1"}, {"Label46", 12840, 1800, "1"}, {"Label47", 5760, 3120, "管底最小值（米）"}};
    for (const auto& l : labels) {
        SketchLabel& label = sketch.label(l.name);
        label.left = l.left, label.top = l.top;
        label.caption = l.caption;
        label.visible = false;
    }
}

void showScaleLabels(Sketch& sketch, const Num& highest, const Num& lowest, const Num& firstStation,
                     const Num& lastStation) {
    const Num vertical = (highest - lowest) * 100 / 3.9;
    showCaption(sketch, "Label45", "纵向比例 1:" + shownWithSign(vertical, "#.#"));
    const Num horizontal = (lastStation - firstStation) * 100 / 10.8;
    showCaption(sketch, "Label46", "横向比例 1:" + shownWithSign(horizontal, "#.#"));
}

SketchPoint lowestArcPoint(const ArcCircle& circle, SketchPoint start, SketchPoint end) {
    const double xc = circle.xc.value();
    if (!circle.upperHalf && std::min(start.x, end.x) <= xc && xc <= std::max(start.x, end.x))
        return {xc, (circle.zc - circle.rho).value()};
    return end.y < start.y ? end : start;
}

void showLowestPoint(Form& form, Sketch& sketch, const ArcSamples& arc, const ArcCircle& circle) {
    constexpr int kLast = kArcPoints;
    const SketchPoint lowest = lowestArcPoint(circle, {arc.station[1].value(), arc.elevation[1].value()},
                                              {arc.station[kLast].value(), arc.elevation[kLast].value()});
    form.noteQuantity(kLowestStation, lowest.x);
    form.noteQuantity(kLowestElevation, lowest.y);
    // No sample below the start value leaves the station empty, and reading it back ends the run.
    form.setText("Text79", arc.lowestStation ? FormatNumber(*arc.lowestStation, "#.#") : "");
    const Num station = FieldValue(form, "Text79");
    form.setText("Text79", FormatNumber(arc.lowestElevation, "#.##"));
    const Num elevation = FieldValue(form, "Text79");
    showCaption(sketch, "Label47",
                "(" + signPositionText(station.value()) + "," + signPositionText(elevation.value()) + ")");
}

void addLowestPoint(FormDefinition& definition) {
    ControlDef& scratch = definition.body().cell("Text79", "Text79", {});
    scratch.working().visible = false;
    scratch.description = "管底最小值（米）";
    definition.quantity(kLowestStation, "x_低", "弹性敷设段管底最低点里程", "m", 2);
    definition.quantity(kLowestElevation, "z_低", "弹性敷设段管底最低点高程", "m", 2);
    definition.sketchStatement("Picture1", "Label47",
                               "(" + std::string("{") + kLowestStation + "}, {" + kLowestElevation + "})");
}

std::string highestField(const Form& form, const std::vector<std::string>& fields) {
    std::string highest = fields.front();
    for (const std::string& field : fields)
        if (const auto [value, best] = LeadingValues(form, field, highest); value > best) highest = field;
    return highest;
}

LowestElevation lowestElevation(const Form& form, const std::vector<std::string>& fields) {
    LowestElevation lowest{FieldValue(form, fields.front()), form.text(fields.front())};
    for (const std::string& field : fields) {
        const Num value = LeadingValue(form, field);
        if (value < lowest.value) lowest = {value, NumberText(value)};
    }
    return lowest;
}

}  // namespace pylora
