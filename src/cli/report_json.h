#pragma once
// The report model as JSON: what `pylora-cli report … --output FILE.json` writes and the worked
// examples check (inputs, results, formulas with their values, verdicts), pictures left out.
#include <nlohmann/json.hpp>

#include "documents/report.h"

namespace pylora {

nlohmann::json reportJson(const Report& report, const ProjectInfo& project);

}  // namespace pylora
