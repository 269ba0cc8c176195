#pragma once
// The two directional-drilling profile windows, 定向钻穿越 (ground elevations typed into the
// point table) and 定向钻穿越地面数据 (ground from the survey file), share their layout and
// their two steps. The first lays out the entry and exit straights and the elastic-laying arc
// between them and checks the curvature radius against 1500 pipe diameters; the second gives
// the elevations of the intermediate stations, checks the straight after the entry point and
// draws the profile sketch with the ground line, typed or from the ground data file.
#include <string>

#include "model/calc.h"

namespace pylora {

enum class GroundSource {
    TypedElevations,  // the point table has the light-cyan row "地面标高" (Text21(i))
    SurveyFile,       // the ground line comes from the ground data file
};

FormDefinition makeDrillingProfileWindow(const std::string& formName, const std::string& title,
                                         GroundSource ground);

// "第一步计算": from the entry and exit points, the two angles and ρ, the intersection of the
// straights, T, the ends of the arc, the real lengths, the arc centre, E and the radius verdict.
void runDrillingFirstStep(Form& form);

}  // namespace pylora
