// 定向钻穿越: directional-drilling crossing profile with the ground elevations typed into the
// point table.
#include "crossing_profiles/drilling_profile.h"

namespace pylora {
namespace {

FormDefinition makeDrillingWithTypedGround() {
    return makeDrillingProfileWindow("定向钻穿越", "定向钻穿越(输入地面标高）", GroundSource::TypedElevations);
}

const WindowRegistration registration("定向钻穿越", "定向钻穿越(输入地面标高）", makeDrillingWithTypedGround);

}  // namespace
}  // namespace pylora
