#include "line/squared_pressure_equation.h"

#include "line/solve_for_one.h"

namespace pylora::line {

void solveSquaredPressureEquation(Form& form, const SquaredPressureEquation& equation) {
    SquaredPressureTerms terms;
    const auto flowTerm = [&] { return equation.flowTerm(FieldValue(form, "Text13")); };
    // S = L·F(Q)·Y/K, the drop of the squared pressure along the line.
    const auto squaredPressureDrop = [&] {
        const Num length = FieldValue(form, "Text15");
        return length * flowTerm() * terms.gas / terms.capacity;
    };
    const auto squaredPressureDifference = [&] {
        const Num inlet = FieldValue(form, "Text5");
        const Num outlet = FieldValue(form, "Text14");
        return inlet * inlet - outlet * outlet;
    };
    const std::vector<SolveCase> cases = {
        {"Option1(0)", "Text13",
         [&] {
             // The difference leads (the same value as K·(P1² − P2²)), so that an outlet
             // pressure above the inlet pressure names the inlet pressure, not the pipe.
             const Num difference = squaredPressureDifference();
             const Num length = FieldValue(form, "Text15");
             return equation.flowRateOf(difference * terms.capacity / (length * terms.gas));
         }},
        {"Option1(1)", "Text15",
         [&] {
             const Num difference = squaredPressureDifference();
             return terms.capacity * difference / (flowTerm() * terms.gas);
         }},
        {"Option1(2)", "Text5",
         [&] {
             const Num drop = squaredPressureDrop();
             const Num outlet = FieldValue(form, "Text14");
             return sqrt(drop + outlet * outlet);
         }},
        {"Option1(3)", "Text14",
         [&] {
             // More gas than the line carries leaves a negative root: no outlet pressure.
             const Num drop = squaredPressureDrop();
             const Num inlet = FieldValue(form, "Text5");
             return sqrt(inlet * inlet - drop);
         }},
    };
    whitenCandidates(form, cases);
    terms = equation.terms(form);
    solveSelectedCase(form, cases);
}

}  // namespace pylora::line
