#include "core/failure_blame.h"

#include "core/calc_form.h"
#include "core/field_access.h"
#include "core/quantity_values.h"

namespace pylora {
namespace {

bool isBlank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<const ControlDef*> runButtons(const FormDefinition& def) {
    std::vector<const ControlDef*> buttons;
    for (const ControlDef& c : def.controls())
        if (c.kind == ControlKind::Button && c.action == ButtonAction::Run) buttons.push_back(&c);
    return buttons;
}

// The step whose run writes a result: as the meaning states it, else the window's first step
// when the run that failed is a later one.
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

// The first input, through the formulas that lead to `key`, whose value is zero.
std::string zeroInputBehind(const Form& form, const std::string& key, int depth = 0) {
    if (depth > 16) return {};
    const FormDefinition& def = form.definition();
    const ControlDef* control = def.findControl(key);
    if (control && def.roleOf(*control) == FieldRole::Input) {
        try {
            return FieldValue(form, key).value() == 0 ? key : std::string();
        } catch (const RunFailure&) {
            return {};
        }
    }
    const formula::Formula* line = control ? formulaShownIn(form, key) : QuantityValues(form).formulaFor(key);
    if (!line) return {};
    for (const std::string& used : formula::quantitiesOf(line->expression))
        if (std::string input = zeroInputBehind(form, used, depth + 1); !input.empty()) return input;
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
        if (const ControlDef* step = writingStep(def, *result, runButton))
            return RunFailure(FailureKind::StepNotRun, {}, step->text);
        return failure;
    }
    if (trimmed(shown) == ".") {
        const std::string input = zeroInputBehind(form, result->name);
        if (!input.empty()) return RunFailure(FailureKind::ZeroResult, input, controlCaption(def, result->name));
    }
    return failure;
}

}  // namespace pylora
