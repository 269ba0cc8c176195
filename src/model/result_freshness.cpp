#include "model/result_freshness.h"

#include <algorithm>

#include "model/field_role.h"
#include "model/text.h"

namespace pylora {

std::vector<std::string> staleResults(const CalcForm& window) {
    const RunRecord& record = window.record();
    const bool computed = record.ran && !record.failure && !window.changedSinceRun();
    std::vector<std::string> stale;
    for (const ControlState& control : window.form().controls()) {
        // A drawing is the calculation's when anything was computed; which step drew it the
        // window itself follows.
        if (control.kind == ControlKind::Sketch) {
            if (!computed) stale.push_back(control.name);
            continue;
        }
        // A hidden or blank field shows nothing that could be taken for a result.
        if (!control.visible || trimmed(control.text).empty()) continue;
        const FieldRole role = roleIn(window.form(), control.name);
        if (role != FieldRole::Result && role != FieldRole::Verdict) continue;
        const bool written =
            computed && std::find(record.results.begin(), record.results.end(), control.name) != record.results.end();
        if (!written) stale.push_back(control.name);
    }
    return stale;
}

}  // namespace pylora
