#pragma once
// The profile sketch panel shared by the crossing-profile windows: a picture area 15015 × 3915
// twips with fixed axes, arrowheads, title and legend, four value labels that a run fills
// (highest and lowest elevation, first and last station), and the mapping of stations and
// elevations into it. First station and lowest elevation land at (1000, 2800), last station
// and highest elevation at (12500, 800).
#include <string>

#include "model/calc.h"

namespace pylora {

// One legend row: a sample line and its caption.
struct LegendRow {
    std::string caption;
    double captionLeft, captionTop;
    double lineLeft, lineRight, lineY;
};

// The legend "图例": a thin sample (Line7, width 2, window-text unless the line it stands for
// has another colour) above a thick red one (Line8, width 4); the windows place and caption
// them differently.
struct ProfileLegend {
    double titleLeft, titleTop;
    LegendRow thin;   // Line7, Label30
    LegendRow thick;  // Line8, Label31
    Colour thinColour = Colour::windowText();
};

// "地面" and "管线": ground and pipeline of the directional-drilling profiles.
ProfileLegend drillingLegend();
// "直管段" and "弹性段": straights and arc of the elastic-laying profile.
ProfileLegend elasticLayingLegend();

// The panel with its fixed content and the hidden value labels Label33..Label36.
Sketch profileSketchPanel(const ProfileLegend& legend);

struct SketchPoint {
    double x, y;
};

// Stations and elevations to twips. The vertical scale is worked out first, so equal highest
// and lowest elevations fail before equal first and last stations.
class ProfileMapping {
public:
    ProfileMapping(const Num& firstStation, const Num& lastStation, const Num& lowest, const Num& highest);

    Num verticalScale() const { return vz_; }    // twips per metre of elevation
    Num horizontalScale() const { return vx_; }  // twips per metre of station
    SketchPoint map(const Num& station, const Num& elevation) const;

private:
    Num firstStation_, lowest_, vz_, vx_;
};

// A pooled element placed and shown by a run.
void showLine(Sketch& sketch, const std::string& name, SketchPoint from, SketchPoint to, Colour colour,
              int width);
// A point marker: a 135-twip circle whose left is 60 and top 50 twips before the point.
void showMarker(Sketch& sketch, const std::string& name, SketchPoint at);
void showCaption(Sketch& sketch, const std::string& label, const std::string& caption);

// Hides the elements base(first) .. base(last) of a line or marker pool.
void hideLines(Sketch& sketch, const std::string& base, int first, int last);
void hideMarkers(Sketch& sketch, const std::string& base, int first, int last);

}  // namespace pylora
