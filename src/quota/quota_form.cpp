#include "quota/quota_form.h"

#include <algorithm>
#include <functional>
#include <set>
#include <stdexcept>

#include "model/decimal_text.h"
#include "model/reference_table.h"

namespace pylora {
namespace {

using formula::c;
using formula::q;

constexpr double kYuanPerTenThousand = 10000;
// A cost in 万元 to the 分: the window shows it to 0.001 万元 (10 元), which hides a small
// machinery cost and keeps the parts from adding up to the base price.
constexpr int kCostDecimals = 6;

// Every quota window's rate table, from data/quota/*.csv: the window's form name, then the
// output field, the material or cost and the rate's unit, then one rate per variant.
const ReferenceRow kQuotaRateRows[] = {
#include "quota/quota_rates.inc"
};

int variantCount(const QuotaWindow& window) {
    int count = 1;
    for (const VariantTest& test : window.tests) count = std::max(count, test.variant + 1);
    return count;
}

bool isCost(const QuotaOutput& output) { return std::string(output.unit) == kTenThousandYuan; }

// A material's rate is in its own unit, a cost's in 元.
std::string rateUnit(const QuotaOutput& output) { return isCost(output) ? "元" : output.unit; }

// Quantities come out in the quota's own unit, costs from 元 in 万元.
double divisorOf(const QuotaWindow& window, const QuotaOutput& output) {
    return window.work.quotaUnit * (isCost(output) ? kYuanPerTenThousand : 1);
}

// A rate table with a missing or extra column or row would silently take another item's rate,
// and two outputs of one symbol would read as one quantity.
void checkRateTable(const QuotaWindow& window) {
    if (window.work.quotaUnit <= 0) throw std::logic_error(std::string(window.formName) + ": no quota unit");
    if (rowsOfTable(kQuotaRateRows, window.formName).size() != window.outputs.size())
        throw std::logic_error(std::string(window.formName) + ": the rate table's rows are not the window's outputs");
    const auto columns = static_cast<std::size_t>(variantCount(window));
    std::set<std::string> tags;
    for (const QuotaOutput& output : window.outputs) {
        if (quotaRates(window, output).size() != columns)
            throw std::logic_error(std::string(window.formName) + ": rate table row " + output.control +
                                   " does not fit the window's variants");
        if (!tags.insert(output.tag).second)
            throw std::logic_error(std::string(window.formName) + ": two outputs named " + output.tag);
    }
}

// The first test whose options are all chosen decides; -1 when none holds.
int variantFor(const QuotaWindow& window, const std::function<bool(const std::string&)>& isChosen) {
    for (const VariantTest& test : window.tests)
        if (std::all_of(test.selected.begin(), test.selected.end(), isChosen)) return test.variant;
    return -1;
}

// "#.###" 3, "#.##" 2: the decimals a result shows at most.
int decimalsOf(const char* pattern) {
    const std::string text = pattern;
    const auto point = text.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

// The quota unit as the quota book heads its table: "10m³", "m³", "10个".
std::string quotaUnitText(const QuotaWork& work) {
    if (work.quotaUnit == 1) return work.unit;
    char number[32];
    printGeneral(number, sizeof number, 6, work.quotaUnit);
    return number + std::string(work.unit);
}

std::string rateKey(const QuotaOutput& output) { return std::string("rate ") + output.control; }
// The cost before the window rounds it for display.
std::string exactCostKey(const QuotaOutput& output) { return std::string("cost ") + output.control; }

std::string indexedSymbol(const char* letter, const QuotaOutput& output) {
    return std::string(letter) + "_{" + output.tag + "}";
}

// The output's symbol and its rate's: Q and q for a material, C and c for a cost.
std::string outputSymbol(const QuotaOutput& output) { return indexedSymbol(isCost(output) ? "C" : "Q", output); }
std::string rateSymbol(const QuotaOutput& output) { return indexedSymbol(isCost(output) ? "c" : "q", output); }

void declareRate(FormDefinition& def, const QuotaWindow& window, const QuotaOutput& output) {
    const std::string name = isCost(output) ? "定额" + std::string(output.name) : output.name + std::string("定额消耗量");
    const std::string unit = rateUnit(output) + "/" + quotaUnitText(window.work);
    def.quantity(rateKey(output), rateSymbol(output), name, unit);
}

// The names of the rate table's variant columns, as its header gives them ("M5", "装配式(5-3010、5-3012)").
std::vector<std::string> variantNames(const QuotaWindow& window) {
    std::vector<std::string> names;
    for (const ReferenceRow* header : rowsOfTable(kQuotaRateRows, std::string(window.formName) + "/columns"))
        for (std::size_t i = 3; i < header->texts.size(); ++i) names.emplace_back(header->texts[i]);
    return names;
}

// Where the rate stands: the window's quota table, the output's row, and the columns of the
// variants that have this rate (none named where the table has one column only).
std::string rateSource(const QuotaWindow& window, const QuotaOutput& output, double rate) {
    const std::vector<double>& rates = quotaRates(window, output);
    const std::vector<std::string> names = variantNames(window);
    std::string columns;
    if (rates.size() > 1)
        for (std::size_t i = 0; i < rates.size() && i < names.size(); ++i)
            if (rates[i] == rate) columns += (columns.empty() ? "" : "、") + names[i];
    std::string source = std::string(window.formName) + "定额表「" + output.name + "」行";
    if (!columns.empty()) source += "，" + columns + " 列";
    return window.basis.empty() ? source : source + "（" + window.basis.front() + "）";
}

// The rate of the chosen quota item: one line for each distinct rate, holding while the
// options choose an item of that rate (one line without condition where all items agree).
void addRateFormulas(FormDefinition& def, const QuotaWindow& window, const QuotaOutput& output) {
    const std::vector<double>& rates = quotaRates(window, output);
    std::vector<double> distinct;
    for (double rate : rates)
        if (std::find(distinct.begin(), distinct.end(), rate) == distinct.end()) distinct.push_back(rate);
    for (double rate : distinct) {
        formula::Formula line{rateKey(output), c(rate)};
        line.source = rateSource(window, output, rate);
        if (distinct.size() > 1)
            line.applies = [&window, &rates, rate](const std::function<bool(const std::string&)>& isChosen) {
                const int variant = variantFor(window, isChosen);
                return variant >= 0 && rates[variant] == rate;
            };
        def.formula(std::move(line));
    }
}

formula::Expr takeOff(const QuotaWindow& window, const QuotaOutput& output) {
    const formula::Expr amountTimesRate = q(kQuotaAmountField) * q(rateKey(output));
    const double unit = window.work.quotaUnit;
    if (!isCost(output)) return unit == 1 ? amountTimesRate : amountTimesRate / c(unit);
    return amountTimesRate / (unit == 1 ? c(kYuanPerTenThousand) : c(unit) * c(kYuanPerTenThousand));
}

void addOptionFrame(FormDefinition& def, const QuotaOptionFrame& options, int column) {
    auto frame = def.frame(options.frame, options.caption, FrameRole::Options, {0, column});
    int row = 0;
    for (const QuotaOption& option : options.options) {
        if (*option.labelControl) {
            frame.label(option.labelControl, option.label, {row, 0});
            // The caption is a label of its own: the button keeps it as its description, so the
            // 计算书 names the chosen variant.
            frame.option(option.control, "", {row, 1}, option.selected).means("", options.choice).description =
                option.label;
        } else {
            auto& button = frame.option(option.control, "", {row, 0}, option.selected).means("", options.choice);
            button.label = option.label;
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
    def.basis(window.basis);

    def.frame("Frame2", "输入参数", FrameRole::Input, {0, 0})
        .field(kQuotaAmountField, window.work.label, window.work.defaultText, {0, 0})
        .means("A", window.work.name, window.work.unit)
        .within(window.work.domain);
    int column = 1;
    for (const QuotaOptionFrame& options : window.optionFrames) addOptionFrame(def, options, column++);

    auto results = def.frame("Frame1", "输出结果", FrameRole::Results, {1, 0, 1, column});
    for (const QuotaOutput& output : window.outputs) {
        const int decimals = isCost(output) ? kCostDecimals : decimalsOf(output.pattern);
        results.result(output.control, output.label, output.place)
            .means(outputSymbol(output), output.name, output.unit, decimals);
        declareRate(def, window, output);
        addRateFormulas(def, window, output);
        if (isCost(output)) {
            def.quantity(exactCostKey(output), outputSymbol(output), output.name, output.unit, decimals).shownIn =
                output.control;
            def.formula({exactCostKey(output), takeOff(window, output)});
        } else {
            def.formula({output.control, takeOff(window, output)});
        }
    }

    def.runButton("Command1", "开始计算", [&window](RunContext& context) { runQuotaTakeOff(context.form, window); });
    def.printButton("Command2");
    return def;
}

const std::vector<double>& quotaRates(const QuotaWindow& window, const QuotaOutput& output) {
    for (const ReferenceRow* row : rowsOfTable(kQuotaRateRows, window.formName)) {
        if (row->texts[0] != output.control) continue;
        if (row->texts[1] != output.name || row->texts[2] != rateUnit(output))
            throw std::logic_error(std::string(window.formName) + ": the rate table's row " + output.control +
                                   " is not " + output.name + " in " + rateUnit(output));
        return row->numbers;
    }
    throw std::logic_error(std::string(window.formName) + ": no rate table row for " + output.control);
}

int chooseVariant(const Form& form, const QuotaWindow& window) {
    if (window.tests.empty()) return 0;
    const int variant = variantFor(window, [&form](const std::string& option) { return form.checked(option); });
    if (variant < 0) throw std::logic_error(std::string(window.formName) + ": no rate column for the selected options");
    return variant;
}

void runQuotaTakeOff(Form& form, const QuotaWindow& window) {
    const int variant = chooseVariant(form, window);
    for (const QuotaOutput& output : window.outputs) {
        // Read afresh for each output: a text that is not a number stops the run at the first
        // output, before anything is written.
        const Num amount = FieldValue(form, kQuotaAmountField);
        form.setText(output.control,
                     FormatNumber(amount * quotaRates(window, output)[variant] / divisorOf(window, output), output.pattern));
    }
}

}  // namespace pylora
