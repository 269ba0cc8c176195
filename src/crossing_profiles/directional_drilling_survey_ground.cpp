// 定向钻穿越地面数据: directional-drilling crossing profile whose ground line comes from the
// ground data file.
#include "crossing_profiles/drilling_profile.h"

namespace pylora {
namespace {

FormDefinition makeDrillingWithSurveyGround() {
    return makeDrillingProfileWindow("定向钻穿越地面数据", "定向钻穿越（地面数据）", GroundSource::SurveyFile);
}

const WindowRegistration registration("定向钻穿越地面数据", "定向钻穿越（地面数据）", makeDrillingWithSurveyGround);

}  // namespace
}  // namespace pylora
