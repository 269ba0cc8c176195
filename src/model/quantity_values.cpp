#include "model/quantity_values.h"

#include "model/field_access.h"
#include "model/run_failure.h"

namespace pylora {
namespace {
constexpr int kDeepestChain = 64;  // formulas giving quantities for formulas: a cycle is a fault of the definition
}

bool QuantityValues::applies(const formula::Formula& line) const {
    if (!line.applies) return true;
    return line.applies([this](const std::string& control) {
        // "List=Item": the list shows that item chosen.
        if (const auto eq = control.find('='); eq != std::string::npos) {
            const std::string list = control.substr(0, eq);
            return form_.has(list) && form_.selectedItem(list) == control.substr(eq + 1);
        }
        if (form_.has(control)) return form_.checked(control);
        // A condition the run noted, not a control: which part of a profile gave a station.
        const auto noted = form_.notedQuantities().find(control);
        return noted != form_.notedQuantities().end() && noted->second != 0;
    });
}

const formula::Formula* QuantityValues::formulaFor(const std::string& key) const {
    for (const formula::Formula& line : form_.definition().formulas())
        if (line.result == key && applies(line)) return &line;
    return nullptr;
}

Num QuantityValues::value(const std::string& key) const { return value(key, 0); }

Num QuantityValues::value(const std::string& key, int depth) const {
    if (depth > kDeepestChain) throw RunFailure(FailureKind::Internal, {}, "formula chain through " + key);
    if (form_.has(key) && !form_.definition().findQuantity(key)) return FieldValue(form_, key);
    const formula::Formula* line = formulaFor(key);
    if (!line) {
        if (auto noted = form_.notedQuantities().find(key); noted != form_.notedQuantities().end())
            return Num(noted->second);
    }
    if (!line) throw RunFailure(FailureKind::MissingData, {}, "no formula gives " + key);
    return formula::evaluate(line->expression, [&](const std::string& k) { return value(k, depth + 1); });
}

}  // namespace pylora
