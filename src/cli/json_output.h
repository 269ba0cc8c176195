#pragma once
// The JSON that pylora-cli prints for a window's controls and sketch.
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "model/calc_form.h"

namespace pylora {

nlohmann::json describeJson(const FormDefinition& definition);
nlohmann::json controlsJson(const Form& form);
nlohmann::json sketchJson(const Sketch& sketch);
nlohmann::json failureJson(const RunFailure& failure, const FormDefinition& definition);
// A window after its presses, as `run` prints it: its controls, the controls the presses wrote,
// the failure that ended them, notes and warnings, the sketch and the data files read.
nlohmann::json runJson(const CalcForm& window, const std::vector<std::string>& written,
                       const std::optional<RunFailure>& failure);

}  // namespace pylora
