// A solve-for-one window: the quantity the chosen option solves for is the run's result, the
// others are given. The 计算书 lists the givens (a given P2 among them) under 计算条件, derives
// the unknown under 计算过程 and states it under 计算结果; the runner's JSON says the same.
#include <gtest/gtest.h>

#include <algorithm>

#include "cli/json_output.h"
#include "documents/report.h"
#include "model/calc_form.h"
#include "model/field_role.h"
#include "model/window_registry.h"
#include "test_services.h"

namespace pylora {
namespace {

bool lists(const std::vector<ReportQuantity>& quantities, const std::string& key) {
    return std::any_of(quantities.begin(), quantities.end(), [&](const ReportQuantity& q) { return q.key == key; });
}

std::string valueOf(const std::vector<ReportQuantity>& quantities, const std::string& key) {
    for (const ReportQuantity& q : quantities)
        if (q.key == key) return q.value;
    return "(not listed)";
}

bool derives(const Report& report, const std::string& key) {
    return std::any_of(report.steps.begin(), report.steps.end(), [&](const ReportStep& s) { return s.resultKey == key; });
}

struct SolveCase {
    const char* window;
    const char* option;
    const char* unknown;
    std::vector<const char*> givens;
};

class SolveForOne : public testing::TestWithParam<SolveCase> {};

TEST_P(SolveForOne, TheUnknownIsTheResultAndTheGivensAreInputs) {
    const SolveCase& c = GetParam();
    CalcForm window(*findWindow(c.window), testServices());
    Form& form = window.form();
    form.select(c.option);
    // Every given holds a number, the outlet pressure too where the window opens without one.
    for (const char* given : c.givens)
        if (form.text(given).find_first_not_of(' ') == std::string::npos) form.type(given, "2.5");
    const auto failure = window.press(window.definition().defaultRunButton());
    ASSERT_FALSE(failure) << failure->detail();

    EXPECT_EQ(roleIn(form, c.unknown), FieldRole::Result);
    const Report report = buildReport(window);
    EXPECT_TRUE(lists(report.results, c.unknown));
    EXPECT_FALSE(lists(report.inputs, c.unknown));
    EXPECT_TRUE(derives(report, c.unknown));
    for (const char* given : c.givens) {
        SCOPED_TRACE(given);
        EXPECT_EQ(roleIn(form, given), FieldRole::Input);
        EXPECT_TRUE(lists(report.inputs, given));
        EXPECT_FALSE(lists(report.results, given));
    }

    const nlohmann::json controls = controlsJson(form);
    EXPECT_EQ(controls[c.unknown]["role"], "result");
    for (const char* given : c.givens) EXPECT_EQ(controls[given]["role"], "input") << given;
}

// Text13 Q, Text5 P1, Text14 P2, Text15 L in the hydraulics windows.
INSTANTIATE_TEST_SUITE_P(
    Windows, SolveForOne,
    testing::Values(SolveCase{"水力计算", "Option1(0)", "Text13", {"Text5", "Text14", "Text15"}},
                    SolveCase{"水力计算", "Option1(1)", "Text15", {"Text5", "Text13", "Text14"}},
                    SolveCase{"水力计算", "Option1(2)", "Text5", {"Text13", "Text14", "Text15"}},
                    SolveCase{"水力计算", "Option1(3)", "Text14", {"Text5", "Text13", "Text15"}},
                    SolveCase{"采集水力计算", "Option1(0)", "Text13", {"Text5", "Text14", "Text15"}},
                    SolveCase{"采集水力计算", "Option1(3)", "Text14", {"Text5", "Text13", "Text15"}},
                    SolveCase{"高中压燃气计算", "Option1(0)", "Text13", {"Text5", "Text14", "Text15"}},
                    SolveCase{"低压燃气管道计算", "Option1(1)", "Text15", {"Text5", "Text13", "Text14"}}));

TEST(SolveForOne, TheFlowRateSolvedFromAGivenOutletPressure) {
    CalcForm window(*findWindow("水力计算"), testServices());
    Form& form = window.form();
    form.select("Option1(0)");
    form.type("Text14", "2.5");
    ASSERT_FALSE(window.press("Command1"));
    const Report report = buildReport(window);
    EXPECT_EQ(valueOf(report.inputs, "Text14"), "2.5");
    EXPECT_EQ(valueOf(report.results, "Text13"), form.text("Text13"));
}

}  // namespace
}  // namespace pylora
