#pragma once
// The second step shared by the two-step profile windows: the elastic-laying arc as a circle
// about its displayed centre, sampled into the red polyline of the sketch, its lowest point,
// and the scale and lowest-point labels under the legend.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/calc.h"
#include "profiles/profile_sketch.h"

namespace pylora {

// Circle of radius ρ about (xc, zc); a sag bend lies on its lower half, a crest bend on its upper.
struct ArcCircle {
    Num xc, zc, rho;
    bool upperHalf = false;

    // The arc elevation at a station; a station further than ρ from the centre ends the run
    // naming the station's field.
    Num elevationAt(const Num& station) const;
};

// The formula of ArcCircle::elevationAt for the 计算书: z_c − √(ρ² − (x − x_c)²) on the lower
// half, z_c + √(…) on the upper.
formula::Expr arcElevation(const formula::Expr& centreStation, const formula::Expr& centreElevation,
                           const formula::Expr& radius, const formula::Expr& station, bool upperHalf);

// Notes whether the run laid a crest bend (centre below the arc, its upper half) or a sag bend,
// so that the 计算书 presents the formulas of that bend only.
void noteBend(Form& form, bool crest);
// The bend the last run noted: a crest; a sag when none was noted.
bool crestNoted(const Form& form);
// A formula that holds while the run noted that bend.
formula::Formula forBend(bool crest, formula::Formula line);

// The arc between its two tangent points as a polyline of 100 points A(1..100), B(1..100):
// the ends are the displayed tangent points, the 98 inner samples step by a hundredth of the
// span, so the last segment spans two steps. Only the inner samples are searched for the
// lowest point.
struct ArcSamples {
    std::array<Num, 101> station, elevation;  // entries 1..100
    std::optional<Num> lowestStation;         // none when no sample lies below 10000
    Num lowestElevation = 10000;
};

struct ArcEnds {
    std::string startStation, startElevation, endStation, endElevation;  // fields of the tangent points
};

ArcSamples sampleArc(const Form& form, const ArcCircle& circle, const ArcEnds& ends);

// Line11(2..100): the arc polyline, red, width 4.
void drawArc(Sketch& sketch, const ProfileMapping& mapping, const ArcSamples& arc);

// Label45, Label46 and Label47, hidden until the second step shows them.
void addScaleLabels(Sketch& sketch);

// "纵向比例 1:" from the elevation span (3.9 units of the drawing per 100 m) and "横向比例 1:"
// from the station span (10.8 units per 100 m), each as "#.#" shows it; a scale that shows "."
// ends the run.
void showScaleLabels(Sketch& sketch, const Num& highest, const Num& lowest, const Num& firstStation,
                     const Num& lastStation);

// Label47 "(x, z)" of the arc's lowest sample, rounded through the scratch field Text79 ("#.#"
// for the station, "#.##" for the elevation) and read back as displayed. The arc's true lowest
// point is noted as the quantities kLowestStation and kLowestElevation, which the 计算书 writes
// in that label instead.
void showLowestPoint(Form& form, Sketch& sketch, const ArcSamples& arc, const ArcCircle& circle);
// Adds the hidden scratch field Text79 and the lowest-point quantities to the window.
void addLowestPoint(FormDefinition& definition);

inline constexpr auto kLowestStation = "x_低";
inline constexpr auto kLowestElevation = "z_低";

// The arc's lowest point: the bottom of the circle (x_c, z_c − ρ) on a sag whose centre lies
// between the tangent points, else the lower tangent point.
SketchPoint lowestArcPoint(const ArcCircle& circle, SketchPoint start, SketchPoint end);

// The field whose text has the highest leading number, the first of equal ones.
std::string highestField(const Form& form, const std::vector<std::string>& fields);

// The lowest of the elevation texts by their leading numbers, starting from the first text
// read strictly; Label34 shows the first text itself when nothing is lower.
struct LowestElevation {
    Num value;
    std::string caption;
};
LowestElevation lowestElevation(const Form& form, const std::vector<std::string>& fields);

}  // namespace pylora
