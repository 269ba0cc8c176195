// Notes on prescribed formulas: each reference value (参考值) against the usual engineering
// result worked by hand in SI units, the window's own result left as prescribed; validity
// ranges warn exactly outside the range their note states, never fail a run, and reach the 计算书.
#include <gtest/gtest.h>

#include "model/calc.h"
#include "model/remarks.h"
#include "documents/report.h"
#include "test_services.h"

namespace pylora {
namespace {

// A window after one run of its run button with some fields typed first.
CalcForm ranWindow(const std::string& formName, const std::vector<std::pair<std::string, std::string>>& typed) {
    const FormDefinition* def = findWindow(formName);
    if (!def) throw std::runtime_error("no window " + formName);
    CalcForm window(*def, testServices());
    for (const auto& [field, text] : typed) window.form().type(field, text);
    if (auto failure = window.press(def->defaultRunButton())) throw std::runtime_error(formName + " failed");
    return window;
}

struct ReferenceCase {
    const char* label;
    const char* form;
    const char* result;  // the field the note stands beside
    std::vector<std::pair<std::string, std::string>> typed;
    double expected;  // worked by hand, SI
    double tolerance;
    const char* prescribed;  // the window's own text, unchanged by the note
};

void PrintTo(const ReferenceCase& c, std::ostream* os) { *os << c.label; }

class ReferenceValues : public testing::TestWithParam<ReferenceCase> {};

TEST_P(ReferenceValues, GiveTheUsualEngineeringResultBesideThePrescribedOne) {
    const ReferenceCase& c = GetParam();
    CalcForm window = ranWindow(c.form, c.typed);
    const auto remarks = remarksOn(window.definition(), c.result);
    ASSERT_EQ(remarks.size(), 1u);
    const auto reference = referenceValue(window.form(), *remarks[0]);
    ASSERT_TRUE(reference);
    ASSERT_FALSE(reference->value.empty()) << reference->formula;
    EXPECT_NEAR(reference->number, c.expected, c.tolerance) << reference->substituted;
    if (*c.prescribed) {
        EXPECT_EQ(window.form().text(c.result), c.prescribed);
    }
    // The window's tooltip and the report read the same text, with the value put in.
    const std::string text = remarkText(window.form(), *remarks[0]);
    EXPECT_NE(text.find(remarks[0]->text), std::string::npos);
    EXPECT_NE(text.find("参考值：" + reference->substituted), std::string::npos);
}

// Hand-worked values:
// 振动计算: EI = 2.1e11 Pa × 0.5852e-4 m⁴, m = 52.38 kg/m; pinned f = π/(2l²)·√(EI/m),
//   fixed f = 4.730²/(2πl²)·√(EI/m).
// 一般牵引力计算: (10.2 + 1.2·13.6/0.45) kN/m ÷ 9.81 m/s² in kg/m.
// 稳定计算: T = Fx − f·(q + W − A − Fy) from the displayed forces 21.138, 29.496, 62.79, 10.569 and
//   q = 65; G = (1.5·(T + A + Fx) − W)·24000/14000 with A, Fx, W unrounded; hs = 10·G/(0.9·0.28·24000).
// 弹性敷设: R³ = 384·E·D²·(1 − cos(α/2))/(40·γ·α⁴), E = 2.1e11 Pa, γ = 77 kN/m³.
// 穿越管线壁厚稳定校核: δ = D·∛(n·9810·H·(1 − 0.3²)/(2·2.06e11·m)).
// 土壤荷载计算: the tunnel load per metre over the diameter, 0.278525/0.325 kN/m².
const std::vector<ReferenceCase> kReferenceCases{
        ReferenceCase{"vibration hinged", "振动计算", "Text1", {}, 1.9021, 0.0005, ".06"},
        ReferenceCase{"vibration fixed", "振动计算", "Text3", {}, 4.3118, 0.0005, ".13"},
        ReferenceCase{"vibration hinged, half span", "振动计算", "Text1", {{"Text11", "10"}}, 7.6085, 0.0005, ""},
        ReferenceCase{"vibration fixed, half span", "振动计算", "Text3", {{"Text11", "10"}}, 17.2473, 0.0005, ""},
        ReferenceCase{"least towed mass in kg", "一般牵引力计算", "Text10", {}, 4736.66, 0.01, "483.63"},
        ReferenceCase{"least towed mass, no current", "一般牵引力计算", "Text10", {{"Text1", "0"}}, 1039.76, 0.01, ""},
        ReferenceCase{"remaining thrust with pipe weight", "稳定计算", "Text23", {}, 12.6832, 0.00001, "38.683"},
        ReferenceCase{"remaining thrust, f = 0.6", "稳定计算", "Text23", {{"Text11", "0.6"}}, 8.4558, 0.00001, ""},
        ReferenceCase{"stone weight with pipe weight", "稳定计算", "Text24", {}, 197.862, 0.001, "264.719"},
        ReferenceCase{"stone cover with pipe weight", "稳定计算", "Text13", {}, 0.32715, 0.00001, ""},
        ReferenceCase{"laying radius, SI", "弹性敷设", "Text9", {}, 25.2596, 0.0005, ""},
        ReferenceCase{"laying radius, small angle", "弹性敷设", "Text9", {{"Text2", "0.1"}}, 294.925, 0.001, ""},
        ReferenceCase{"buckling wall, classical", "穿越管线壁厚稳定校核", "Text6", {}, 4.3661, 0.0005, "6.71"},
        ReferenceCase{"buckling wall, eightfold depth", "穿越管线壁厚稳定校核", "Text6", {{"Text4", "80"}}, 8.7322,
                      0.0005, ""},
        ReferenceCase{"tunnel load as pressure", "土壤荷载计算", "Text18", {}, 0.857000, 0.000001,
                      "0.278525080276174"},
        ReferenceCase{"tunnel load as pressure, wider pipe", "土壤荷载计算", "Text18", {{"Text4", "0.5"}}, 1.318462,
                      0.000001, ""}};

INSTANTIATE_TEST_SUITE_P(Notes, ReferenceValues, testing::ValuesIn(kReferenceCases));

TEST(ReferenceValues, UnitsNoteStandsBesideTheInputsItConcerns) {
    const FormDefinition* def = findWindow("弹性敷设");
    ASSERT_TRUE(def);
    ASSERT_EQ(def->remarks().size(), 1u);
    const Remark& remark = def->remarks().front();
    EXPECT_EQ(remark.besideFields, (std::vector<std::string>{"Text3", "Text2"}));
    EXPECT_NE(remark.text.find("厘米"), std::string::npos);
    EXPECT_NE(remark.text.find("弧度"), std::string::npos);
}

TEST(ReferenceValues, InputsWithoutANumberLeaveTheFormulaWithoutAValue) {
    const FormDefinition* def = findWindow("穿越管线壁厚稳定校核");
    CalcForm window(*def, testServices());
    window.form().type("Text3", "m");
    const auto reference = referenceValue(window.form(), def->remarks().front());
    ASSERT_TRUE(reference);
    EXPECT_TRUE(reference->value.empty());
    EXPECT_TRUE(reference->substituted.empty());
    EXPECT_EQ(reference->formula.rfind("δ′ = D·", 0), 0u) << reference->formula;
}

// 公路穿越稳定性校核's note: the check is made where D/δ > 140. 1.75/0.0125 is exactly 140.
struct RangeCase {
    const char* label;
    const char* meanDiameter;
    const char* wall;
    bool warned;
};

void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.label; }

class DiameterToWallRange : public testing::TestWithParam<RangeCase> {};

TEST_P(DiameterToWallRange, WarnsExactlyOutsideTheNotesRange) {
    const RangeCase& c = GetParam();
    CalcForm window = ranWindow("公路穿越稳定性校核", {{"Text4", c.meanDiameter}, {"Text8", c.wall}});
    const auto& warnings = window.record().warnings;
    ASSERT_EQ(warnings.size(), c.warned ? 1u : 0u);
    if (c.warned) {
        EXPECT_NE(warnings[0].find("径厚比"), std::string::npos);
        EXPECT_NE(warnings[0].find("不大于140"), std::string::npos);
        EXPECT_NE(warnings[0].find("备注:当径厚比大于140时,应进行管子稳定性校核!"), std::string::npos);
    }
    EXPECT_FALSE(window.record().failure);  // a warning, not a failure: the verdict stands
    EXPECT_FALSE(window.form().text("Text16").empty());
}

INSTANTIATE_TEST_SUITE_P(Notes, DiameterToWallRange,
                         testing::Values(RangeCase{"default thick wall, D/δ about 4", "0.325", "0.08", true},
                                         RangeCase{"exactly 140", "1.75", "0.0125", true},
                                         RangeCase{"just below 140", "1.75", "0.012501", true},
                                         RangeCase{"just above 140", "1.75", "0.012499", false},
                                         RangeCase{"thin wall, D/δ 325", "0.325", "0.001", false}));

TEST(DiameterToWallRange, WarningTextGivesTheRatioAndIsClearedByTheNextRun) {
    const FormDefinition* def = findWindow("公路穿越稳定性校核");
    CalcForm window(*def, testServices());
    window.press("Command1");
    ASSERT_EQ(window.record().warnings.size(), 1u);
    EXPECT_NE(window.record().warnings[0].find("D_{pm}/δ = 4.06"), std::string::npos) << window.record().warnings[0];
    window.form().type("Text8", "0.001");
    window.press("Command1");
    EXPECT_TRUE(window.record().warnings.empty());
    window.form().type("Text8", "0.08");
    window.form().type("Text1", "x");  // a failed run shows its failure, not a warning
    EXPECT_TRUE(window.press("Command1"));
    EXPECT_TRUE(window.record().warnings.empty());
}

TEST(NotesInTheReport, RemarkUnderItsFormulaAndWarningWithTheResults) {
    CalcForm window = ranWindow("公路穿越稳定性校核", {});
    Report report = buildReport(window);
    ASSERT_EQ(report.warnings.size(), 1u);
    EXPECT_EQ(report.warnings[0], window.record().warnings[0]);
    EXPECT_NE(reportHtml(report, {}).find("提示：径厚比 D<sub>pm</sub>/δ = 4.06，不大于140"), std::string::npos);

    CalcForm stability = ranWindow("稳定计算", {});
    report = buildReport(stability);
    EXPECT_TRUE(report.warnings.empty());
    EXPECT_TRUE(report.remarks.empty());  // every note stands under its formula
    const auto step = std::find_if(report.steps.begin(), report.steps.end(),
                                   [](const ReportStep& s) { return s.resultKey == "T"; });
    ASSERT_NE(step, report.steps.end());
    ASSERT_EQ(step->remarks.size(), 1u);
    EXPECT_EQ(step->remarks[0].referenceSubstituted,
              "T′ = 21.138 − 0.4·(65 + 29.496 − 62.79 − 10.569) = 12.683 kgf/m");
    const std::string html = reportHtml(report, {});
    EXPECT_NE(html.find("参考值：T′ = 21.138"), std::string::npos);

    // After the inputs change the report gives no values, the note still gives its formula.
    stability.form().type("Text11", "0.5");
    report = buildReport(stability);
    const auto changed = std::find_if(report.steps.begin(), report.steps.end(),
                                      [](const ReportStep& s) { return s.resultKey == "T"; });
    ASSERT_EQ(changed->remarks.size(), 1u);
    EXPECT_TRUE(changed->remarks[0].referenceSubstituted.empty());
    EXPECT_FALSE(changed->remarks[0].referenceFormula.empty());
}

}  // namespace
}  // namespace pylora
