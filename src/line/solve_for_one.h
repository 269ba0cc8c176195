#pragma once
// The hydraulics windows solve one flow equation for the one quantity the engineer picks under
// "计算选项": flow rate, length, inlet or outlet pressure. A run whitens the candidate fields,
// gives the picked quantity's field the highlight before reading that case's inputs (so a case
// that fails still shows which field it was solving for), then writes the solved value there.
// Every other candidate is read as input, so a quantity solved by an earlier run feeds the next.
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "model/calc.h"

namespace pylora::line {

// Background of the field a run has solved for: &HFFFF80, red 128, green 255, blue 255.
inline constexpr Colour kSolvedHighlight = Colour::fromBgr(0xFFFF80);

// One quantity the equation can be solved for.
struct SolveCase {
    std::string option;          // the option button that picks it, e.g. "Option1(3)"
    std::string field;           // the field that shows it, e.g. "Text14"
    std::function<Num()> solve;  // reads this case's inputs and solves for the quantity
};

// Gives every case's field, and each of `others`, a white background.
void whitenCandidates(Form& form, const std::vector<SolveCase>& cases,
                      std::initializer_list<const char*> others = {});

// Highlights `field`, then solves and writes the value through "#.###". Returns the unrounded
// value for the steps that go on from it.
Num solveInto(Form& form, const std::string& field, const std::function<Num()>& solve);

// The case of the first selected option, tested in the order given; null when none is selected.
const SolveCase* selectedCase(const Form& form, const std::vector<SolveCase>& cases);

// A quantity the picked one is solved from, which must not be negative (a squared pressure, a
// pressure difference): when it is, no value exists, and the run names `field`, the input that
// made it so, with the reason ("过大：终点压力的平方为负").
Num requireNotNegative(const Num& value, const std::string& field, const std::string& why);

// Solves the selected case into its field; nothing when no option is selected.
void solveSelectedCase(Form& form, const std::vector<SolveCase>& cases);

// States a candidate field: a given input while `option` is not chosen, the run's result (its
// unknown) while it is. The 计算书, the runner and parameter studies read the role so.
ControlDef& solvedWhen(ControlDef& field, const std::string& option);

// An option under "计算选项" in row `row`: a bare option circle right of its label, choosing
// the quantity the run solves for.
ControlDef& solveForOption(FrameBuilder& options, const std::string& option, const std::string& label, int row,
                           bool selected = false);

}  // namespace pylora::line
