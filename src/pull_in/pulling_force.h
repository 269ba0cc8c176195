#pragma once
// The resistances a wire rope overcomes when it pulls a pipe string in, shared by the pull-in
// windows. Forces in kN; each window keeps its own constants and reads its own fields.
#include "model/formula.h"
#include "model/num.h"

namespace pylora {

// A string of weight G dragged up a slope of `slopeRadians` with friction coefficient f:
// G·(f·cos α + sin α). On a level bed (α = 0) it is the plain sliding friction G·f.
Num slopeResistance(const Num& weight, const Num& friction, const Num& slopeRadians);

// A string at rest must first be broken loose: the starting coefficient K (usually 2)
// scales the resistance of steady towing.
Num startingForce(const Num& startingCoefficient, const Num& resistance);

// Rolling resistance of a load W on wheels or rollers of radius r with rolling friction
// coefficient f (a lever arm, in the unit of r): f·W/r.
Num rollingResistance(const Num& coefficient, const Num& load, const Num& radius);

// Friction of the pulling rope dragged over the ground: weight per metre G2 · length l · f4.
Num ropeGroundFriction(const Num& ropeWeightPerMetre, const Num& ropeLength, const Num& friction);

// The same resistances as formula trees, for the windows' formula pictures.
namespace pulling {

formula::Expr slopeResistance(const formula::Expr& weight, const formula::Expr& friction,
                              const formula::Expr& slopeRadians);
formula::Expr startingForce(const formula::Expr& startingCoefficient, const formula::Expr& resistance);
formula::Expr rollingResistance(const formula::Expr& coefficient, const formula::Expr& load,
                                const formula::Expr& radius);
formula::Expr ropeGroundFriction(const formula::Expr& ropeWeightPerMetre, const formula::Expr& ropeLength,
                                 const formula::Expr& friction);

}  // namespace pulling
}  // namespace pylora
