#include "pull_in/pulling_force.h"

namespace pylora {

Num slopeResistance(const Num& weight, const Num& friction, const Num& slopeRadians) {
    return weight * (friction * cos(slopeRadians) + sin(slopeRadians));
}

Num startingForce(const Num& startingCoefficient, const Num& resistance) {
    return startingCoefficient * resistance;
}

Num rollingResistance(const Num& coefficient, const Num& load, const Num& radius) {
    return coefficient * load / radius;
}

Num ropeGroundFriction(const Num& ropeWeightPerMetre, const Num& ropeLength, const Num& friction) {
    return ropeWeightPerMetre * ropeLength * friction;
}

}  // namespace pylora
