// The formulas the hydraulics windows state for each quantity they can solve for give what the
// window shows, whichever option picks the quantity: the window's own equation solved for the
// flow rate, the length, the inlet or the outlet pressure, and the friction factor of the pipe
// material (rounded for steel, in full for cast iron).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "model/calc.h"
#include "model/number_reading.h"
#include "model/quantity_values.h"

namespace pylora {
namespace {

struct SolvedCase {
    std::string name;  // a test name in plain ASCII
    const char* form;
    std::vector<std::pair<const char*, const char*>> typed;
    std::vector<const char*> choices;  // options selected before the run
    std::vector<const char*> shown;    // the fields whose formulas are checked, by key
};

void PrintTo(const SolvedCase& c, std::ostream* os) { *os << c.name; }

// The key of the quantity a field shows: the unrounded quantity behind it, or the field itself.
std::string keyShownIn(const FormDefinition& def, const std::string& field) {
    for (const QuantityDef& quantity : def.quantities())
        if (quantity.shownIn == field) return quantity.key;
    return field;
}

// Decimals a displayed text shows: "2.728" 3, "3." 0.
int shownDecimals(const std::string& text) {
    const auto point = text.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

class SolvedQuantity : public testing::TestWithParam<SolvedCase> {};

TEST_P(SolvedQuantity, FormulaGivesTheShownValue) {
    const SolvedCase& c = GetParam();
    CalcForm window(*findWindow(c.form), Services{});
    Form& form = window.form();
    for (const auto& [field, text] : c.typed) form.type(field, text);
    for (const char* choice : c.choices) form.select(choice);
    const auto failure = window.press("Command1");
    ASSERT_FALSE(failure) << failure->what();

    const QuantityValues values(form);
    for (const char* field : c.shown) {
        const std::string key = keyShownIn(window.definition(), field);
        const formula::Formula* line = values.formulaFor(key);
        ASSERT_NE(line, nullptr) << "no formula holds for " << key;
        const double computed =
            formula::evaluate(line->expression, [&](const std::string& k) { return values.value(k); }).value();
        const std::string shown = form.text(field);
        const auto shownValue = parseStrictNumber(shown);
        ASSERT_TRUE(shownValue) << field << " shows \"" << shown << "\"";
        const double halfDigit = 0.5 * std::pow(10.0, -shownDecimals(shown)) * (1 + 1e-9);
        EXPECT_NEAR(computed, *shownValue, std::max(halfDigit, 1e-12 * std::abs(*shownValue))) << field;
    }
}

// Each window solved for each of its quantities, from inputs that fit together: an outlet
// pressure typed in (the field starts blank where the window first solves for it), and a flow
// rate the line can carry.
std::vector<SolvedCase> everyOption() {
    struct Window {
        const char* name;
        const char* form;
        std::vector<std::pair<const char*, const char*>> typed;
    };
    const Window windows[] = {
        {"Transmission", "水力计算", {{"Text14", "2.5"}}},
        {"Gathering", "采集水力计算", {{"Text14", "1.2"}, {"Text1", "0.273"}, {"Text13", "20"}}},
        {"LowPressure", "低压燃气管道计算", {{"Text13", "40"}}},
        {"HighPressure", "高中压燃气计算", {{"Text13", "15"}}},
    };
    const std::pair<const char*, const char*> options[] = {
        {"FlowRate", "Option1(0)"}, {"Length", "Option1(1)"}, {"InletPressure", "Option1(2)"}, {"OutletPressure", "Option1(3)"}};
    const char* solvedField[] = {"Text13", "Text15", "Text5", "Text14"};
    std::vector<SolvedCase> cases;
    for (const Window& w : windows)
        for (int i = 0; i < 4; ++i) {
            std::vector<const char*> shown{solvedField[i]};
            if (std::string(w.form).find("燃气") != std::string::npos) shown.push_back("Text6");
            cases.push_back({std::string(w.name) + "_" + options[i].first, w.form, w.typed, {options[i].second}, shown});
        }
    // Cast iron borrows the steel friction formula and shows λ in full.
    cases.push_back({"LowPressure_CastIron", "低压燃气管道计算", {{"Text14", "3.1"}, {"Text13", "40"}},
                     {"Option1(6)", "Option1(3)"}, {"Text14", "Text6"}});
    // PE pipe takes the same friction formula with its own smaller roughness.
    cases.push_back({"LowPressure_Polyethylene", "低压燃气管道计算", {{"Text8", "0.01"}}, {"Option1(4)", "Option1(0)"},
                     {"Text13", "Text6"}});
    cases.push_back({"HighPressure_Polyethylene", "高中压燃气计算", {{"Text8", "0.01"}, {"Text13", "15"}},
                     {"Option1(4)", "Option1(3)"}, {"Text14", "Text6"}});
    cases.push_back({"HighPressure_CastIron", "高中压燃气计算", {}, {"Option1(6)", "Option1(0)"}, {"Text13", "Text6"}});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Windows, SolvedQuantity, testing::ValuesIn(everyOption()),
                         [](const testing::TestParamInfo<SolvedCase>& info) { return info.param.name; });

}  // namespace
}  // namespace pylora
