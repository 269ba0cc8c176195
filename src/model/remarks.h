#pragma once
// A window's notes on its prescribed formulas and its ranges of validity, read for the form as
// it stands: the reference value (参考值) a note gives for the current inputs, and the warnings
// for ranges the inputs lie outside of. The window, the runner and the 计算书 all read them here.
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/form.h"

namespace pylora {

// The usual engineering formula of a note, with the values put in; texts keep their _ and ^ marks.
struct ReferenceValue {
    std::string symbol;       // "δ′"
    std::string formula;      // "δ′ = D·(n·9810·H·(1 − 0.3^{2})/(2·2.06×10^{11}·m))^{(1/3)}"
    std::string substituted;  // the same with the values and the result; empty when no value can be had
    std::string value;        // "4.34"; empty when no value can be had
    std::string unit;
    double number = 0;        // the value unrounded (0 when none)
};

// The note's reference value for the form as it stands; nullopt when the note gives none.
// Inputs that hold no number leave `value` empty: a reference never fails a run.
std::optional<ReferenceValue> referenceValue(const Form& form, const Remark& remark);

// The note as one text, with its reference value when it can be had:
// "…\n参考值：δ′ = D·(…) = 4.34 mm".
std::string remarkText(const Form& form, const Remark& remark);

// Every note by the controls it stands beside (the inputs whose units it expects, and the result
// or the control that shows it), the notes on one control one after the other: a display's tips.
std::map<std::string, std::string> remarksByControl(const Form& form);

// The notes on a result: a control, a quantity, or the control that shows the quantity.
std::vector<const Remark*> remarksOn(const FormDefinition& definition, const std::string& key);

// One warning line for each validity range the form lies outside of; a range whose quantity
// cannot be had (a field without a number, a zero divisor) is passed over.
std::vector<std::string> validityWarnings(const Form& form);

}  // namespace pylora
