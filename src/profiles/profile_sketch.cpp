#include "profiles/profile_sketch.h"

namespace pylora {
namespace {

constexpr double kPanelWidth = 15015;
constexpr double kPanelHeight = 3915;
constexpr double kMarkerSize = 135;

void fixedLine(Sketch& sketch, const std::string& name, double x1, double y1, double x2, double y2,
               Colour colour = Colour::windowText(), int width = 1) {
    SketchLine& line = sketch.line(name);
    line.x1 = x1, line.y1 = y1, line.x2 = x2, line.y2 = y2;
    line.colour = colour;
    line.width = width;
}

SketchLabel& placeLabel(Sketch& sketch, const std::string& name, double left, double top,
                        const std::string& caption) {
    SketchLabel& label = sketch.label(name);
    label.left = left, label.top = top;
    label.caption = caption;
    return label;
}

}  // namespace

ProfileLegend drillingLegend() {
    return {13800, 120, {"地面", 13080, 480, 13800, 14640, 600}, {"管线", 13080, 960, 13800, 14640, 1080}};
}

ProfileLegend elasticLayingLegend() {
    return {13800, 120, {"直管段", 12840, 480, 13800, 14640, 600}, {"弹性段", 12840, 960, 13800, 14640, 1080}};
}

Sketch profileSketchPanel(const ProfileLegend& legend) {
    Sketch sketch(kPanelWidth, kPanelHeight);
    placeLabel(sketch, "Label27", 5880, 240, " 纵 断 面 示 意 图");
    placeLabel(sketch, "Label28", 120, 120, "高程（米）");
    placeLabel(sketch, "Label32", 13560, 3000, "里程（米）");
    fixedLine(sketch, "Line1", 960, 360, 960, 3480);       // elevation axis
    fixedLine(sketch, "Line2", 960, 3480, 14400, 3480);    // station axis
    fixedLine(sketch, "Line3", 14040, 3360, 14400, 3480);  // its arrowhead
    fixedLine(sketch, "Line4", 14400, 3480, 14040, 3600);
    fixedLine(sketch, "Line5", 840, 720, 960, 360);        // arrowhead of the elevation axis
    fixedLine(sketch, "Line6", 960, 360, 1080, 720);

    placeLabel(sketch, "Label29", legend.titleLeft, legend.titleTop, "图例");
    const LegendRow& thin = legend.thin;
    fixedLine(sketch, "Line7", thin.lineLeft, thin.lineY, thin.lineRight, thin.lineY, legend.thinColour, 2);
    placeLabel(sketch, "Label30", thin.captionLeft, thin.captionTop, thin.caption);
    const LegendRow& thick = legend.thick;
    fixedLine(sketch, "Line8", thick.lineLeft, thick.lineY, thick.lineRight, thick.lineY, Colour::red(), 4);
    placeLabel(sketch, "Label31", thick.captionLeft, thick.captionTop, thick.caption);

    // Filled by each run: highest and lowest elevation, first and last station.
    placeLabel(sketch, "Label33", 120, 600, " ").colour = Colour::red();
    placeLabel(sketch, "Label34", 120, 2760, " ");
    placeLabel(sketch, "Label35", 720, 3600, " ");
    placeLabel(sketch, "Label36", 12000, 3600, " ");
    for (const char* name : {"Label33", "Label34", "Label35", "Label36"}) sketch.label(name).visible = false;
    return sketch;
}

ProfileMapping::ProfileMapping(const Num& firstStation, const Num& lastStation, const Num& lowest,
                               const Num& highest)
    : firstStation_(firstStation),
      lowest_(lowest),
      vz_(2000 / (highest - lowest)),
      vx_(11500 / (lastStation - firstStation)) {}

SketchPoint ProfileMapping::map(const Num& station, const Num& elevation) const {
    const Num x = 1000 + vx_ * (station - firstStation_);
    const Num y = 2800 - vz_ * (elevation - lowest_);
    return {x.value(), y.value()};
}

void showLine(Sketch& sketch, const std::string& name, SketchPoint from, SketchPoint to, Colour colour,
              int width) {
    fixedLine(sketch, name, from.x, from.y, to.x, to.y, colour, width);
    sketch.line(name).visible = true;
}

void showMarker(Sketch& sketch, const std::string& name, SketchPoint at) {
    SketchMarker& marker = sketch.marker(name);
    marker.left = at.x - 60;
    marker.top = at.y - 50;
    marker.width = marker.height = kMarkerSize;
    marker.visible = true;
}

void showCaption(Sketch& sketch, const std::string& label, const std::string& caption) {
    SketchLabel& shown = sketch.label(label);
    shown.caption = caption;
    shown.visible = true;
}

void hideLines(Sketch& sketch, const std::string& base, int first, int last) {
    for (int i = first; i <= last; ++i) sketch.line(indexed(base, i)).visible = false;
}

void hideMarkers(Sketch& sketch, const std::string& base, int first, int last) {
    for (int i = first; i <= last; ++i) sketch.marker(indexed(base, i)).visible = false;
}

}  // namespace pylora
