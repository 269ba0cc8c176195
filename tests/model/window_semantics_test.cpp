// Every window states what its fields mean, and its formulas agree with what it computes.
//
// Meaning: every input, choice, result and verdict has a name; every number field a symbol;
// every cell of a table belongs to a column; every quantity a formula uses is a field or a
// declared quantity.
//
// Agreement: after the window's runs (with its default inputs, and with every typed input
// raised by a tenth), each formula evaluated with the values the run used (the fields as they
// read, the quantities without a field from their own formulas) gives the number that the
// result field shows, to the last digit it shows. So a formula picture or a 计算书 line can never
// disagree with the window.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>
#include <sstream>

#include "model/calc_form.h"
#include "model/field_access.h"
#include "model/number_reading.h"
#include "model/quantity_values.h"
#include "model/window_registry.h"
#include "test_services.h"
#include "window_runs.h"

namespace pylora {
namespace {

class EveryWindow : public testing::TestWithParam<const FormDefinition*> {};

std::string windowName(const testing::TestParamInfo<const FormDefinition*>& info) {
    // Test names take ASCII letters and digits only: the window's place in the menu.
    return "window" + std::to_string(info.index);
}

bool isQuantityControl(const ControlDef& c) {
    return c.kind == ControlKind::TextField || c.kind == ControlKind::Label;
}

TEST_P(EveryWindow, StatesWhatEachFieldMeans) {
    const FormDefinition& def = *GetParam();
    SCOPED_TRACE(def.formName());
    for (const ControlDef& c : def.controls()) {
        const FieldRole role = def.roleOf(c);
        if (c.kind == ControlKind::TextField && c.visible) {
            EXPECT_NE(role, FieldRole::Unset) << c.name << ": a field without a role";
        }
        if (role == FieldRole::Unset || role == FieldRole::Working) continue;
        EXPECT_FALSE(c.meaning.name.empty()) << c.name << ": no name";
        if ((role == FieldRole::Input || role == FieldRole::Result) && isQuantityControl(c)) {
            EXPECT_FALSE(c.meaning.symbol.empty()) << c.name << ": no symbol";
        }
        if (!c.meaning.step.empty()) {
            const ControlDef* step = def.findControl(c.meaning.step);
            EXPECT_TRUE(step && step->action == ButtonAction::Run) << c.name << ": step " << c.meaning.step;
        }
    }
    for (const QuantityDef& quantity : def.quantities()) {
        EXPECT_FALSE(quantity.meaning.name.empty()) << quantity.key;
        if (!quantity.shownIn.empty()) {
            EXPECT_TRUE(def.findControl(quantity.shownIn)) << quantity.key;
        }
    }
    for (const formula::Formula& line : def.formulas()) {
        if (line.result.empty()) continue;
        EXPECT_TRUE(def.meaningOf(line.result)) << "formula for unknown " << line.result;
        for (const std::string& key : formula::quantitiesOf(line.expression))
            EXPECT_TRUE(def.meaningOf(key)) << "formula for " << line.result << " uses unknown " << key;
    }
}

// The place of the last digit the displayed text shows: "10.344" 0.001, "9.8" 0.1, "216." 1,
// "." 1, "12.34567E+06" 10.
double lastShownDigit(const std::string& text) {
    const auto exponentMark = text.find_first_of("eE");
    const int exponent = exponentMark == std::string::npos ? 0 : std::atoi(text.c_str() + exponentMark + 1);
    const auto point = text.find('.');
    const std::size_t end = exponentMark == std::string::npos ? text.size() : exponentMark;
    const int decimals = point == std::string::npos || point > end ? 0 : static_cast<int>(end - point - 1);
    return std::pow(10.0, exponent - decimals);
}

// The field that shows a formula's result, if any.
std::string displayOf(const FormDefinition& def, const std::string& key) {
    if (const QuantityDef* quantity = def.findQuantity(key)) return quantity->shownIn;
    return def.findControl(key) ? key : std::string();
}

// Each formula whose result the runs showed as a number, evaluated and compared with it; returns
// how many were compared.
int expectFormulasAgree(const CalcForm& window, const std::string& inputs) {
    const FormDefinition& def = window.definition();
    const QuantityValues values(window.form());
    const auto& written = window.record().results;
    int compared = 0;
    for (const formula::Formula& line : def.formulas()) {
        if (line.result.empty() || !values.applies(line)) continue;
        const std::string display = displayOf(def, line.result);
        if (display.empty() || std::find(written.begin(), written.end(), display) == written.end()) continue;
        SCOPED_TRACE(def.formName() + " " + inputs + ": " + line.result + " shown in " + display);
        const std::string shown = window.form().text(display);
        const auto shownValue = parseStrictNumber(shown);
        if (!shownValue) continue;  // "." for zero, words: nothing to compare digits with
        double computed = 0;
        try {
            computed = formula::evaluate(line.expression, [&](const std::string& k) { return values.value(k); }).value();
        } catch (const RunFailure& failure) {
            ADD_FAILURE() << "the formula cannot be evaluated: " << failure.what() << " " << failure.detail();
            continue;
        }
        const double lastDigit = lastShownDigit(shown);
        const double tolerance = std::max(0.5 * lastDigit * (1 + 1e-9), 1e-12 * std::abs(*shownValue));
        EXPECT_NEAR(computed, *shownValue, tolerance) << "shown \"" << shown << "\"";
        ++compared;
    }
    return compared;
}

TEST_P(EveryWindow, FormulasGiveWhatTheWindowShows) {
    const FormDefinition& def = *GetParam();
    const Services services = testServices();

    CalcForm defaults(def, services);
    pressEveryStep(defaults);
    int compared = expectFormulasAgree(defaults, "defaults");

    CalcForm raised(def, services);
    typeInputsRaisedByATenth(raised);
    pressEveryStep(raised);
    compared += expectFormulasAgree(raised, "inputs raised by a tenth");

    // A window that runs only on a chosen item (a pipe size, a material): its first items.
    CalcForm chosen(def, services);
    bool anyList = false;
    for (const ControlState& c : chosen.form().controls())
        if (c.kind == ControlKind::ListBox && c.selectedIndex < 0 && !c.items.empty()) {
            chosen.form().setSelectedIndex(c.name, 0);
            anyList = true;
        }
    if (anyList) {
        pressEveryStep(chosen);
        compared += expectFormulasAgree(chosen, "the first item of each list chosen");
    }
    if (compared == 0)
        GTEST_SKIP() << def.formName()
                     << (def.formulas().empty() ? ": the window states no formulas"
                                                : ": no formula's result is shown as a number after its runs");
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryWindow, testing::ValuesIn(allWindows()), windowName);

}  // namespace
}  // namespace pylora
