#pragma once
// The verdict row of a strength or stability check: a narrow sign field ("<" or ">") between
// the computed value and its limit, and a verdict text beside them. A row that is not met
// shows its sign and text in red, so the warning stands out on screen and on paper.
#include <functional>
#include <string>
#include <vector>

#include "model/form.h"

namespace pylora {

struct VerdictRow {
    std::vector<std::string> signFields;     // every sign field of the verdict, in writing order
    std::vector<std::string> verdictFields;  // every verdict text field, in writing order
    std::string metSign;                     // the sign shown when the check is met
    std::string notMetSign;
    std::string metText;                     // "满足强度要求"
    std::string notMetText;                  // "不满足强度要求"
};

// Writes the signs, then the verdict texts, of a check that is met or not: met in the window
// text colour, not met in red.
void writeVerdict(Form& form, const VerdictRow& row, bool met);

// Runs the steps of a check that ends with its verdict. When they fail before the verdict is
// written, its sign and text fields return to the single blank they open with, so no verdict
// of an earlier run stands beside the new numbers; the failure then ends the run as usual and
// every other field keeps what it shows.
void runToVerdict(Form& form, const VerdictRow& row, const std::function<void(Form&)>& steps);

}  // namespace pylora
