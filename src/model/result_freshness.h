#pragma once
// Whether a result the window shows was computed from the inputs it shows. A window opened
// from a case file or a recovery copy shows the texts it was created with until its steps are
// pressed again; those texts belong to other inputs, and every presenter (the window, the
// runner's JSON, the 计算书) must say so rather than show them as results.
#include <string>
#include <vector>

#include "model/calc_form.h"

namespace pylora {

// The results and verdicts the window shows that the calculation shown did not compute: all of
// them when nothing ran, an input changed since the last run, or that run failed; else those no
// step of the calculation wrote (a later step not pressed yet). Sketches only when nothing was
// computed; hidden and blank fields never, as they show nothing. In window order.
std::vector<std::string> staleResults(const CalcForm& window);

}  // namespace pylora
