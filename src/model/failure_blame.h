#pragma once
// A run that fails on reading back one of its own results names a field the engineer cannot
// change. Where the window's meanings tell more, the failure is put in the engineer's terms:
// in a window of successive steps, a blank result of an earlier step that has not run
// ("请先进行第一步计算", naming that step's button), or a result shown
// as "." because an input it comes from is zero (the input is named and framed).
#include <optional>
#include <string>

#include "model/form.h"
#include "model/run_failure.h"

namespace pylora {

RunFailure blameInput(const RunFailure& failure, const Form& form, const std::string& runButton);

// Before a later step of a window of successive steps runs: the failure that asks for an earlier
// step whose results are still blank, so that the later step writes and draws nothing.
std::optional<RunFailure> earlierStepNotRun(const Form& form, const std::string& runButton);

}  // namespace pylora
