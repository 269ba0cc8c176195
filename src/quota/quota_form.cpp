#include "quota/quota_form.h"

#include <algorithm>
#include <stdexcept>

namespace pylora {
namespace {

int variantCount(const QuotaWindow& window) {
    int count = 1;
    for (const VariantTest& test : window.tests) count = std::max(count, test.variant + 1);
    return count;
}

// A rate table with a missing or extra column would silently take another item's rate.
void checkRateTable(const QuotaWindow& window) {
    const auto columns = static_cast<std::size_t>(variantCount(window));
    for (const QuotaOutput& output : window.outputs)
        if (output.rates.size() != columns || output.divisor == 0.0)
            throw std::logic_error(std::string(window.formName) + ": rate table row " + output.control +
                                   " does not fit the window's variants");
}

void addOptionFrame(FormDefinition& def, const QuotaOptionFrame& options, int column) {
    auto frame = def.frame(options.frame, options.caption, FrameRole::Options, {0, column});
    int row = 0;
    for (const QuotaOption& option : options.options) {
        if (*option.labelControl) {
            frame.label(option.labelControl, option.label, {row, 0});
            frame.option(option.control, "", {row, 1}, option.selected);
        } else {
            frame.option(option.control, "", {row, 0}, option.selected).label = option.label;
        }
        ++row;
    }
}

}  // namespace

FormDefinition makeQuotaForm(const QuotaWindow& window) {
    checkRateTable(window);
    FormDefinition def(window.formName, window.formName);
    if (*window.titleLabel) def.titleLabel("Label1", window.titleLabel);
    def.note("Label2", window.note);

    def.frame("Frame2", "输入参数", FrameRole::Input, {0, 0})
        .field(kQuotaAmountField, window.amountLabel, window.amountDefault, {0, 0});
    int column = 1;
    for (const QuotaOptionFrame& options : window.optionFrames) addOptionFrame(def, options, column++);

    auto results = def.frame("Frame1", "输出结果", FrameRole::Results, {1, 0, 1, column});
    for (const QuotaOutput& output : window.outputs) results.result(output.control, output.label, output.place);

    def.runButton("Command1", "开始计算", [&window](RunContext& context) { runQuotaTakeOff(context.form, window); });
    def.printButton("Command2");
    return def;
}

int chooseVariant(const Form& form, const QuotaWindow& window) {
    if (window.tests.empty()) return 0;
    for (const VariantTest& test : window.tests) {
        const bool holds = std::all_of(test.selected.begin(), test.selected.end(),
                                       [&form](const char* option) { return form.checked(option); });
        if (holds) return test.variant;
    }
    throw std::logic_error(std::string(window.formName) + ": no rate column for the selected options");
}

void runQuotaTakeOff(Form& form, const QuotaWindow& window) {
    const int variant = chooseVariant(form, window);
    for (const QuotaOutput& output : window.outputs) {
        // Read afresh for each output: a text that is not a number stops the run at the first
        // output, before anything is written.
        const Num amount = FieldValue(form, kQuotaAmountField);
        form.setText(output.control, FormatNumber(amount * output.rates[variant] / output.divisor, output.pattern));
    }
}

}  // namespace pylora
