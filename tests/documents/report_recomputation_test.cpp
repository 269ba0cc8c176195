// A checker recomputes every substituted line of a 计算书 from the numbers printed in it: the
// values put in must give the printed result to half a unit of its last printed digit. Every
// window, with its default inputs and with every typed input raised by a tenth.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "documents/report.h"
#include "model/calc_form.h"
#include "model/number_reading.h"
#include "model/quantity_values.h"
#include "model/report_numbers.h"
#include "model/window_registry.h"
#include "test_services.h"
#include "window_runs.h"

namespace pylora {
namespace {

// Each substituted line of the report recomputed from its printed values; returns how many.
int expectLinesReproduce(const CalcForm& window, const std::string& inputs) {
    const FormDefinition& def = window.definition();
    const QuantityValues values(window.form());
    const Report report = buildReport(window);
    int compared = 0;
    std::size_t next = 0;
    for (const ReportStep& step : report.steps) {
        if (step.resultKey.empty()) continue;
        // The formula the step writes out: the next one giving its result that applies.
        const formula::Formula* line = nullptr;
        for (; next < def.formulas().size() && !line; ++next) {
            const formula::Formula& candidate = def.formulas()[next];
            if (candidate.result == step.resultKey && values.applies(candidate)) line = &candidate;
        }
        if (!line || step.substituted.empty()) continue;
        SCOPED_TRACE(def.formName() + " " + inputs + ": " + step.substituted);
        const auto printed = readPrintedNumber(step.result.value);
        if (!printed) continue;  // words, not a number
        const auto keys = formula::quantitiesOf(line->expression);
        double recomputed = 0;
        try {
            recomputed = formula::evaluate(line->expression, [&](const std::string& key) {
                             const auto at = std::find(keys.begin(), keys.end(), key) - keys.begin();
                             const auto value = readPrintedNumber(step.terms.at(at).value);
                             if (!value) throw RunFailure(FailureKind::NotANumber, key, "printed as words");
                             return Num(value->value);
                         }).value();
        } catch (const RunFailure& failure) {
            ADD_FAILURE() << "the printed values cannot be put in: " << failure.what();
            continue;
        }
        EXPECT_NEAR(recomputed, printed->value, 0.5 * printed->lastDigit * (1 + 1e-9) + 1e-12 * std::abs(printed->value))
            << "printed \"" << step.result.value << "\"";
        ++compared;
    }
    return compared;
}

class EveryWindowsReport : public testing::TestWithParam<const FormDefinition*> {};

TEST_P(EveryWindowsReport, SubstitutedLinesReproduceTheirPrintedResults) {
    const FormDefinition& def = *GetParam();
    const Services services = testServices();

    CalcForm defaults(def, services);
    pressEveryStep(defaults);
    int compared = expectLinesReproduce(defaults, "defaults");

    CalcForm raised(def, services);
    typeInputsRaisedByATenth(raised);
    pressEveryStep(raised);
    compared += expectLinesReproduce(raised, "inputs raised by a tenth");
    if (compared == 0) GTEST_SKIP() << def.formName() << ": no substituted line with a number";
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryWindowsReport, testing::ValuesIn(allWindows()),
                         [](const testing::TestParamInfo<const FormDefinition*>& info) {
                             return "window" + std::to_string(info.index);
                         });

}  // namespace
}  // namespace pylora
