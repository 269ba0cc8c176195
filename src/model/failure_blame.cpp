#include "model/failure_blame.h"

#include <algorithm>
#include <cmath>

#include "model/calc_form.h"
#include "model/field_access.h"
#include "model/quantity_values.h"
#include "model/text.h"

namespace pylora {
namespace {

bool isBlank(const std::string& text) { return trimmed(text, kSpacesAndTabs).empty(); }

std::vector<const ControlDef*> runButtons(const FormDefinition& def) {
    std::vector<const ControlDef*> buttons;
    for (const ControlDef& c : def.controls())
        if (c.kind == ControlKind::Button && c.action == ButtonAction::Run) buttons.push_back(&c);
    return buttons;
}

// The step whose run writes a result: as the meaning states it, else the window's first step
// when the run that failed is a later one. The failure then names that step's button.
const ControlDef* writingStep(const FormDefinition& def, const ControlDef& result, const std::string& runButton) {
    if (!result.meaning.step.empty()) {
        const ControlDef* step = def.findControl(result.meaning.step);
        return step && step->name != runButton ? step : nullptr;
    }
    const auto buttons = runButtons(def);
    return buttons.size() > 1 && buttons.front()->name != runButton ? buttons.front() : nullptr;
}

// The formula that gives what a field shows: its own, or that of the quantity it displays.
const formula::Formula* formulaShownIn(const Form& form, const std::string& field) {
    const QuantityValues values(form);
    if (const formula::Formula* own = values.formulaFor(field)) return own;
    for (const QuantityDef& quantity : form.definition().quantities())
        if (quantity.shownIn == field) return values.formulaFor(quantity.key);
    return nullptr;
}

// The inputs, through the formulas that lead to `key`, first met first.
void inputsBehind(const Form& form, const std::string& key, std::vector<std::string>& inputs, int depth = 0) {
    if (depth > 16) return;
    const FormDefinition& def = form.definition();
    const ControlDef* control = def.findControl(key);
    if (control && def.roleOf(*control) == FieldRole::Input) {
        if (std::find(inputs.begin(), inputs.end(), key) == inputs.end()) inputs.push_back(key);
        return;
    }
    const formula::Formula* line = control ? formulaShownIn(form, key) : QuantityValues(form).formulaFor(key);
    if (!line) return;
    for (const std::string& used : formula::quantitiesOf(line->expression)) inputsBehind(form, used, inputs, depth + 1);
}

double valueOrZero(const Form& form, const formula::Formula& line) {
    const QuantityValues values(form);
    try {
        return formula::evaluate(line.expression, [&](const std::string& k) { return values.value(k); }).value();
    } catch (const RunFailure&) {
        return 0;
    }
}

// The input that makes the result zero: one that is zero itself, and without which (put at 1)
// the result's formula no longer gives zero. Several inputs may be zero on purpose (the first
// station at 0 m); only one that the zero result depends on is to blame.
std::string zeroInputBehind(const Form& form, const std::string& result) {
    const formula::Formula* line = formulaShownIn(form, result);
    if (!line) return {};
    std::vector<std::string> inputs;
    inputsBehind(form, result, inputs);
    const double zero = std::abs(valueOrZero(form, *line));
    for (const std::string& input : inputs) {
        try {
            if (FieldValue(form, input).value() != 0) continue;
        } catch (const RunFailure&) {
            continue;
        }
        Form changed = form;
        changed.type(input, "1");
        if (std::abs(valueOrZero(changed, *line)) > 1000 * zero + 1e-9) return input;
    }
    return {};
}

}  // namespace

RunFailure blameInput(const RunFailure& failure, const Form& form, const std::string& runButton) {
    if (failure.kind() != FailureKind::NotANumber || failure.control().empty()) return failure;
    const FormDefinition& def = form.definition();
    const ControlDef* result = def.findControl(failure.control());
    if (!result || def.roleOf(*result) != FieldRole::Result || !form.has(result->name)) return failure;
    const std::string& shown = form.text(result->name);
    if (isBlank(shown)) {
        if (!def.hasSuccessiveSteps()) return failure;
        if (const ControlDef* step = writingStep(def, *result, runButton))
            return RunFailure(FailureKind::StepNotRun, step->name, step->text);
        return failure;
    }
    if (trimmed(shown, kSpacesAndTabs) == ".") {
        const std::string input = zeroInputBehind(form, result->name);
        if (!input.empty()) return RunFailure(FailureKind::ZeroResult, input, controlCaption(def, result->name));
    }
    return failure;
}

std::optional<RunFailure> earlierStepNotRun(const Form& form, const std::string& runButton) {
    const FormDefinition& def = form.definition();
    if (!def.hasSuccessiveSteps()) return std::nullopt;
    for (const ControlDef* step : runButtons(def)) {
        if (step->name == runButton) break;
        for (const ControlDef& c : def.controls()) {
            if (c.meaning.step != step->name || def.roleOf(c) != FieldRole::Result) continue;
            if (form.has(c.name) && isBlank(form.text(c.name)))
                return RunFailure(FailureKind::StepNotRun, step->name, step->text);
        }
    }
    return std::nullopt;
}

}  // namespace pylora
