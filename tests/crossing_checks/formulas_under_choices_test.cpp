// The crossing-check formulas against what the windows show for the choices and cases their
// default inputs do not reach: the other axial condition, the bending load, and the vehicle
// load above and below the depth where the wheels' spreading lines cross.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "check_window_fixture.h"
#include "model/number_reading.h"
#include "model/quantity_values.h"

namespace pylora {
namespace {

using testing_support::CheckWindow;

double shownValue(const Form& form, const std::string& field) {
    const auto value = parseStrictNumber(form.text(field));
    EXPECT_TRUE(value) << field << " shows \"" << form.text(field) << "\"";
    return value.value_or(0);
}

// Half a unit of the last digit the text shows.
double halfLastDigit(const std::string& text) {
    const auto point = text.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
    return 0.5 * std::pow(10.0, -decimals) * (1 + 1e-9);
}

struct ChoiceCase {
    const char* form;
    std::vector<std::string> settings;
};

void PrintTo(const ChoiceCase& c, std::ostream* os) {
    *os << c.form;
    for (const auto& s : c.settings) *os << " " << s;
}

class FormulasUnderChoicesTest : public testing::TestWithParam<ChoiceCase> {};

// Every formula that holds for the choice gives what its result field shows.
TEST_P(FormulasUnderChoicesTest, EveryFormulaGivesWhatTheWindowShows) {
    CheckWindow window(GetParam().form);
    ASSERT_FALSE(window.run(GetParam().settings));
    const Form& form = window.form();
    const FormDefinition& def = form.definition();
    const QuantityValues values(form);
    const auto& written = form.written();
    int compared = 0;
    for (const formula::Formula& line : def.formulas()) {
        if (line.result.empty() || !values.applies(line)) continue;
        const QuantityDef* quantity = def.findQuantity(line.result);
        const std::string display = quantity ? quantity->shownIn : line.result;
        if (display.empty() || std::find(written.begin(), written.end(), display) == written.end()) continue;
        SCOPED_TRACE(line.result + " shown in " + display);
        const double computed =
            formula::evaluate(line.expression, [&](const std::string& key) { return values.value(key); }).value();
        EXPECT_NEAR(computed, shownValue(form, display), halfLastDigit(form.text(display)));
        ++compared;
    }
    EXPECT_GT(compared, 0);
}

INSTANTIATE_TEST_SUITE_P(Choices, FormulasUnderChoicesTest,
                         testing::Values(ChoiceCase{"稳定计算", {"Option1(0)"}},
                                         ChoiceCase{"稳定计算", {"Option1(0)", "Text22=150", "Text11=0.5"}},
                                         ChoiceCase{"穿越结构设计计算", {"Option1(0)"}},
                                         ChoiceCase{"穿越结构设计计算", {"Option1(0)", "Text9=70"}}));

// The pipe-top pressure shows P1 while the pipe lies no deeper than hj, P2 below it (2.5 m wheel
// spacing, 0.4 m tyres and 45°: hj = 1.05 m). Next to hj the two differ by some 2 %, so the
// depths either side tell which one the window shows.
TEST(VehicleLoadFormulas, PipeTopPressureIsTheCaseItsDepthSelects) {
    struct Case {
        const char* depth;
        const char* shownCase;
    };
    for (const Case& c : {Case{"0.5", "P1"}, Case{"1.0", "P1"}, Case{"1.1", "P2"}, Case{"3.5", "P2"}}) {
        SCOPED_TRACE(c.depth);
        CheckWindow window("汽车荷载计算");
        ASSERT_FALSE(window.run({"Text2=45", std::string("Text8=") + c.depth}));
        const QuantityValues values(window.form());
        const std::string shown = window.text("Text7");
        EXPECT_NEAR(values.value(c.shownCase).value(), shownValue(window.form(), "Text7"), halfLastDigit(shown));
    }
}

}  // namespace
}  // namespace pylora
