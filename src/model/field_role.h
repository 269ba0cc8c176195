#pragma once
// The role a control plays in a window as it stands. Most roles are fixed by the definition; a
// quantity of a solve-for-one window is the run's result while the option that solves for it
// is chosen and a given input otherwise. Every presenter of inputs and results (the 计算书,
// the runner's JSON, parameter studies) asks here.
#include "model/form.h"

namespace pylora {

FieldRole roleIn(const Form& form, const ControlDef& control);

// The same for a control of the form by name; Unset for a name the window does not have.
FieldRole roleIn(const Form& form, const std::string& control);

}  // namespace pylora
