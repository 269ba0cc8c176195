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

namespace pulling {

using formula::Expr;

Expr slopeResistance(const Expr& weight, const Expr& friction, const Expr& slopeRadians) {
    return weight * formula::group(friction * formula::fn("cos", slopeRadians) + formula::fn("sin", slopeRadians));
}

Expr startingForce(const Expr& startingCoefficient, const Expr& resistance) {
    return startingCoefficient * resistance;
}

Expr rollingResistance(const Expr& coefficient, const Expr& load, const Expr& radius) {
    return coefficient * load / radius;
}

Expr ropeGroundFriction(const Expr& ropeWeightPerMetre, const Expr& ropeLength, const Expr& friction) {
    return ropeWeightPerMetre * ropeLength * friction;
}

}  // namespace pulling
}  // namespace pylora
