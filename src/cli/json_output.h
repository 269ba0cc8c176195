#pragma once
// The JSON that pylora-cli prints for a window's controls and sketch.
#include <nlohmann/json.hpp>

#include "model/calc_form.h"

namespace pylora {

nlohmann::json describeJson(const FormDefinition& definition);
nlohmann::json controlsJson(const Form& form);
nlohmann::json sketchJson(const Sketch& sketch);
nlohmann::json failureJson(const RunFailure& failure, const FormDefinition& definition);

}  // namespace pylora
