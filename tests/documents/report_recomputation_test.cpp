// A checker recomputes every substituted line of a 计算书 from the numbers printed in it: the
// values put in must give the printed result to half a unit of its last printed digit. Every
// window, in the runs of report_runs.h.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "documents/report.h"
#include "model/calc_form.h"
#include "model/number_reading.h"
#include "model/quantity_values.h"
#include "model/report_numbers.h"
#include "model/window_registry.h"
#include "documents/report_runs.h"

namespace pylora {
namespace {

// Each substituted line of the report recomputed from its printed values; returns how many.
int expectLinesReproduce(const CalcForm& window, const std::string& inputs) {
    const FormDefinition& def = window.definition();
    const Report report = buildReport(window);
    int compared = 0;
    for (const ReportStep& step : report.steps) {
        if (step.resultKey.empty()) continue;
        const formula::Formula* line = &def.formulas().at(step.formulaIndex);
        EXPECT_EQ(line->result, step.resultKey);
        // Every value printed, the step is computed: its values put in and its result.
        const bool allValues = std::all_of(step.terms.begin(), step.terms.end(),
                                           [](const ReportTerm& term) { return !term.value.empty(); });
        if (report.state == ReportState::Computed && allValues && !step.terms.empty()) {
            EXPECT_FALSE(step.substituted.empty()) << def.formName() << " " << inputs << ": " << step.formulaText;
        }
        if (step.substituted.empty()) continue;
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
    int compared = 0;
    for (const ReportRun& run : reportRuns(def)) compared += expectLinesReproduce(*run.window, run.what);
    if (compared == 0) GTEST_SKIP() << def.formName() << ": no substituted line with a number";
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryWindowsReport, testing::ValuesIn(allWindows()),
                         [](const testing::TestParamInfo<const FormDefinition*>& info) {
                             return "window" + std::to_string(info.index);
                         });

}  // namespace
}  // namespace pylora
