#pragma once
// A parameter study in the page: the window's current inputs, one input stepped over a range,
// the chosen results read back; the points run one after the other (a page has no threads).
#include <nlohmann/json.hpp>

#include "model/calc_form.h"

namespace pylora::web {

// request: {"vary": CONTROL, "from", "to", "points" | "step", "logarithmic", "results": [CONTROL…]}
// answer: {"headings": […], "rows": [[input, results…, failure]…], "csv": the table as CSV}.
nlohmann::json runPageStudy(const CalcForm& window, const nlohmann::json& request);

}  // namespace pylora::web
