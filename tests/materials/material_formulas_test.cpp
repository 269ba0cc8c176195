// The formulas of the material windows that look quantities up give what the windows show,
// with list items chosen (the every-window check runs them with none chosen, so they stop
// before a result). The quantities a run takes from a list item or a catalogue record have no
// field; each case gives their values as the chosen item and the built database hold them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "model/calc_form.h"
#include "model/field_access.h"
#include "model/number_reading.h"
#include "model/quantity_values.h"
#include "model/window_registry.h"
#include "test_services.h"

namespace pylora {
namespace {

struct FormulaCase {
    const char* name;
    const char* form;
    std::map<std::string, std::string> chosen;     // list -> item
    std::map<std::string, std::string> typed;      // field -> text
    std::map<std::string, double> lookedUp;        // quantity without a field -> its value
    std::vector<std::string> expectedResults;      // results whose formulas must have been checked
};

void PrintTo(const FormulaCase& c, std::ostream* os) { *os << c.name; }

// A quantity's value: looked up, else its field as displayed, else its own formula.
Num valueOf(const CalcForm& window, const FormulaCase& c, const std::string& key, int depth = 0) {
    if (depth > 32) throw std::logic_error("formula chain through " + key);
    if (auto it = c.lookedUp.find(key); it != c.lookedUp.end()) return it->second;
    const FormDefinition& def = window.definition();
    if (window.form().has(key) && !def.findQuantity(key)) return FieldValue(window.form(), key);
    const formula::Formula* line = QuantityValues(window.form()).formulaFor(key);
    if (!line) throw std::logic_error("no value for " + key);
    return formula::evaluate(line->expression, [&](const std::string& k) { return valueOf(window, c, k, depth + 1); });
}

int shownDecimals(const std::string& text) {
    const auto point = text.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

class MaterialFormulaTest : public testing::TestWithParam<FormulaCase> {};

TEST_P(MaterialFormulaTest, FormulasGiveTheShownResults) {
    const FormulaCase& c = GetParam();
    const Services services = testServices();
    CalcForm window(*findWindow(c.form), services);
    for (const auto& [list, item] : c.chosen) ASSERT_TRUE(window.form().choose(list, item)) << item;
    for (const auto& [field, text] : c.typed) window.form().type(field, text);
    const auto failure = window.press(window.definition().defaultRunButton());
    ASSERT_FALSE(failure) << failure->what();

    const FormDefinition& def = window.definition();
    const QuantityValues values(window.form());
    const auto& written = window.record().results;
    std::vector<std::string> checked;
    for (const formula::Formula& line : def.formulas()) {
        if (line.result.empty() || !values.applies(line)) continue;
        const QuantityDef* quantity = def.findQuantity(line.result);
        const std::string display = quantity ? quantity->shownIn : line.result;
        if (display.empty() || std::find(written.begin(), written.end(), display) == written.end()) continue;
        const std::string shown = window.form().text(display);
        const auto shownValue = parseStrictNumber(shown);
        if (!shownValue) continue;  // "." for zero
        SCOPED_TRACE(line.result + " shown in " + display + " as \"" + shown + "\"");
        const double computed = formula::evaluate(line.expression, [&](const std::string& k) {
                                    return valueOf(window, c, k);
                                }).value();
        const double tolerance =
            std::max(0.5 * std::pow(10.0, -shownDecimals(shown)) * (1 + 1e-9), 1e-12 * std::abs(*shownValue));
        EXPECT_NEAR(computed, *shownValue, tolerance);
        checked.push_back(display);
    }
    for (const std::string& result : c.expectedResults)
        EXPECT_TRUE(std::count(checked.begin(), checked.end(), result)) << result << " was not checked";
}

INSTANTIATE_TEST_SUITE_P(
    ChosenItems, MaterialFormulaTest,
    testing::Values(
        FormulaCase{"BuriedCoatingReinforced",
                    "防腐材料",
                    {{"List1", "φ159"}, {"List2", "（加强）"}},
                    {},
                    {{"D", 159}, {"f", 2.2}, {"e", 0.8}, {"c_g", 1.2}},
                    {"Text2", "Text4", "Text6", "Text8", "Text10", "Text12", "Text15", "Text17", "Text19", "Text20",
                     "Text21", "Text23", "Text22", "Text26", "Text46", "Text47", "Text48", "Text49"}},
        FormulaCase{"BuriedCoatingOrdinaryOddLength",
                    "防腐材料",
                    {{"List1", "φ57 "}, {"List2", "（普通）"}},
                    {{"Text24", "3.7"}},
                    {{"D", 57}, {"f", 2}, {"e", 0.6}, {"c_g", 0}},
                    {"Text2", "Text19", "Text23", "Text22", "Text47"}},
        FormulaCase{"Welding", "焊接材料", {{"List1", "φ159"}, {"List2", "6mm"}}, {{"Text1", "3.3"}, {"Text2", "12"}}, {},
                    {"Text5", "Text7", "Text9"}},
        FormulaCase{"Concrete", "土建材料", {{"List1", "20mm"}, {"List2", "#200"}}, {{"Text1", "7.3"}}, {},
                    {"Text2", "Text6", "Text8", "Text5", "Text16", "Text14", "Text12", "Text17", "Text21", "Text19",
                     "Text24", "Text30", "Text28", "Text26", "Text23", "Text31"}},
        FormulaCase{"Masonry", "土建材料二", {{"List1", "#25砂浆砌毛石"}}, {{"Text1", "12.5"}}, {},
                    {"Text6", "Text21", "Text19", "Text33"}},
        // φ159: two S and one T per ring, rings every 2.5 m at 105 元 each.
        FormulaCase{"CasingSupportsSuitable", "套管支架选型及计算", {{"List1", "φ159"}}, {{"Text4", "300"}},
                    {{"D", 159}, {"n_1", 2}, {"n_2", 1}, {"C_r", 105}}, {"Text2", "Text8", "Text5", "Text17"}},
        // φ720: four and three components per ring, rings every 1.5 m at 630 元 each.
        FormulaCase{"CasingSupportsLong", "套管支架选型及计算", {{"List1", "φ720"}}, {{"Text6", "100"}, {"Text4", "850"}},
                    {{"D", 720}, {"n_1", 4}, {"n_2", 3}, {"C_r", 630}}, {"Text2", "Text8", "Text5", "Text17"}}),
    [](const testing::TestParamInfo<FormulaCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pylora
