// A gas-flow calculation solved for P1, P2, L or D: the 计算书 derives the unknown from the flow
// rate given. Where the unknown occurs once in the chosen equation, a step turns the equation
// round and gives it; where it occurs more than once, the words say it was found by iteration
// and the equation computed forward with it gives back the flow rate given, as the check.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "documents/report.h"
#include "model/calc_form.h"
#include "model/window_registry.h"
#include "model/window_settings.h"

namespace pylora {
namespace {

bool hasStepFor(const Report& report, const std::string& key) {
    return std::any_of(report.steps.begin(), report.steps.end(),
                       [&](const ReportStep& step) { return step.resultKey == key && !step.substituted.empty(); });
}

bool saysFoundByIteration(const Report& report) {
    return std::any_of(report.steps.begin(), report.steps.end(), [](const ReportStep& step) {
        return step.words.find("不能单独解出") != std::string::npos;
    });
}

TEST(SolvedUnknownReport, EveryEquationDerivesOrChecksEveryUnknown) {
    const FormDefinition& def = *findWindow("输气流量公式");
    const std::vector<std::string> equations = def.findControl("Equation")->items;
    // The unknown's quantity in a law: GB 50251 in MPa, km and cm; the others in Pa, the
    // elevation-corrected length and m.
    const char* const gbKeys[] = {"p1M", "p2M", "Lkm", "dcm"};
    const char* const siKeys[] = {"p1", "p2", "Le", "Di"};
    // Where the unknown occurs more than once in the law.
    const std::set<std::pair<std::string, int>> iterated = {
        {"斯皮兹格拉斯（高压）", 4}, {"斯皮兹格拉斯（低压）", 4}, {"奥利芬特", 4},
        {"等温流动通用方程", 1},     {"等温流动通用方程", 2},     {"等温流动通用方程", 4}};
    for (const std::string& equation : equations) {
        for (int unknown = 1; unknown <= 4; ++unknown) {
            SCOPED_TRACE(equation + " Solve(" + std::to_string(unknown) + ")");
            // The low-pressure forms carry far less gas: a flow rate they can carry.
            CalcForm window(def, Services{});
            for (const char* flow : {"Q=4800", "Q=100"}) {
                for (const std::string& s : {"Equation=" + equation, "Solve(" + std::to_string(unknown) + ")",
                                             std::string("H2=120"), std::string(flow)})
                    applyShortSetting(window.form(), s);
                if (!window.press("Command1")) break;
            }
            ASSERT_FALSE(window.record().failure);
            const Report report = buildReport(window);
            const std::string key = (equation == equations.front() ? gbKeys : siKeys)[unknown - 1];
            if (iterated.count({equation, unknown})) {
                EXPECT_TRUE(saysFoundByIteration(report));
                EXPECT_FALSE(hasStepFor(report, key));
                EXPECT_TRUE(hasStepFor(report, "Qx")) << "the flow rate computed back, as the check";
            } else {
                EXPECT_TRUE(hasStepFor(report, key));
                EXPECT_FALSE(saysFoundByIteration(report));
                EXPECT_FALSE(hasStepFor(report, "Qx")) << "the flow rate is given, not a step";
            }
            // A length solved on a climbing line comes back from the corrected length.
            if (unknown == 3 && equation != equations.front()) {
                EXPECT_TRUE(hasStepFor(report, "Lkm"));
            }
        }
    }
}

}  // namespace
}  // namespace pylora
