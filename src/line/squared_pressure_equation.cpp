#include "line/squared_pressure_equation.h"

#include "line/solve_for_one.h"

namespace pylora::line::squared_pressure {

using formula::c;
using formula::Formula;
using formula::q;
using formula::when;

constexpr auto kInletBelowOutlet = "低于终点压力：起点与终点压力的平方差为负";

void solve(Form& form, const Equation& equation) {
    Terms terms;
    const auto flowTerm = [&] { return equation.flowTerm(FieldValue(form, kFlowRate)); };
    // S = L·F(Q)·Y/K, the drop of the squared pressure along the line.
    const auto squaredPressureDrop = [&] {
        const Num length = FieldValue(form, kLength);
        return length * flowTerm() * terms.gas / terms.capacity;
    };
    // P1² − P2²: gas flows from the inlet only while the inlet pressure is the higher one.
    const auto squaredPressureDifference = [&] {
        const auto [inlet, outlet] = FieldValues(form, kInletPressure, kOutletPressure);
        return requireNotNegative(inlet * inlet - outlet * outlet, kInletPressure, kInletBelowOutlet);
    };
    const std::vector<SolveCase> cases = {
        {kSolveFlowRate, kFlowRate,
         [&] {
             const Num difference = squaredPressureDifference();
             const Num length = FieldValue(form, kLength);
             return equation.flowRateOf(difference * terms.capacity / (length * terms.gas));
         }},
        {kSolveLength, kLength,
         [&] {
             const Num difference = squaredPressureDifference();
             return terms.capacity * difference / (flowTerm() * terms.gas);
         }},
        {kSolveInletPressure, kInletPressure,
         [&] {
             const Num drop = squaredPressureDrop();
             const Num outlet = FieldValue(form, kOutletPressure);
             return sqrt(drop + outlet * outlet);
         }},
        {kSolveOutletPressure, kOutletPressure,
         [&] {
             // More gas than the line carries leaves no outlet pressure.
             const Num drop = squaredPressureDrop();
             const Num inlet = FieldValue(form, kInletPressure);
             return sqrt(requireNotNegative(inlet * inlet - drop, kFlowRate, "过大：终点压力的平方为负"));
         }},
    };
    whitenCandidates(form, cases);
    terms = equation.terms(form);
    solveSelectedCase(form, cases);
}

void stateSolvedForms(FormDefinition& def, const formula::Expr& flowTerm) {
    def.quantity(kInnerDiameter, "d", "管道内径", "cm");
    def.formula({kInnerDiameter, group(q(kOutsideDiameter) - q(kWallThickness) / c(500)) * c(100)});
    def.quantity(kSquaredPressureDrop, "S", "沿线压力平方差", "MPa²");
    def.formula({kSquaredPressureDrop, q(kLength) * flowTerm * q(kGasTerm) / q(kCapacity)});

    const auto squared = [](const char* pressure) { return pow(q(pressure), c(2)); };
    def.formula(when(kSolveFlowRate, Formula{kFlowRate, q(kDailyFlow) / c(10000)}));
    def.formula(when(kSolveLength, Formula{kLength, q(kCapacity) * group(squared(kInletPressure) - squared(kOutletPressure)) /
                                                        (flowTerm * q(kGasTerm))}));
    def.formula(when(kSolveInletPressure,
                     Formula{kInletPressure, sqrt(q(kSquaredPressureDrop) + squared(kOutletPressure))}));
    def.formula(when(kSolveOutletPressure,
                     Formula{kOutletPressure, sqrt(squared(kInletPressure) - q(kSquaredPressureDrop))}));
}

}  // namespace pylora::line::squared_pressure
