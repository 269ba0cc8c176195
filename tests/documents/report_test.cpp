// The 计算书's content comes only from what a window states: roles make inputs, results and
// verdicts; tables keep their stations on their rows; formulas carry the values the run used;
// numbers print in engineering form; a failed, unrun or outdated calculation shows no result.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "model/calc.h"
#include "documents/report.h"
#include "model/report_numbers.h"
#include "documents/report_text.h"
#include "test_services.h"

namespace pylora {
namespace {

using formula::c;
using formula::q;

// A small two-step window: a load from pressure and diameter (with a factor chosen by an
// option), its check; then a second step doubling it with a check of its own; a point table
// of stations with a typed and a computed column.
void firstStep(Form& form) {
    const Num load = FieldValue(form, "Text1") * FieldValue(form, "Text2") / 1000;
    form.setText("Text3", FormatNumber(load, "#.###"));
    const Num factor = form.checked("Option1(1)") ? Num(0.966) : Num(0.5);
    form.setText("Text5", FormatNumber(factor, "#.###"));
    form.setText("Text6", FormatNumber(Num(216), "#.###"));  // "216."? FormatNumber drops the point
    for (int i = 0; i < 3; ++i)
        form.setText(indexed("Bottom", i), FormatNumber(FieldValue(form, indexed("Station", i)) - 1.5, "#.###"));
    form.setText("Label1", "满足强度要求");
    form.setForeground("Label1", Colour::rgb(0, 0, 255));
    form.setBackground("Text3", Colour::rgb(255, 255, 0));
    form.noteDataFileRead({"地面数据文件", "/usr/share/pylora/database/1.TXT", true, {"桩点里程 (m)", "地面标高 (m)"},
                           {{"0", "312.5"}, {"10", "311.8"}}, {}});
}

void secondStep(Form& form) {
    form.setText("Text4", FormatNumber(2 * FieldValue(form, "Text3") + FieldValue(form, "Text7"), "#.###"));
    form.setText("Label2", "不满足稳定要求");
    form.setForeground("Label2", Colour::rgb(255, 0, 0));
}

FormDefinition fixtureWindow() {
    FormDefinition def("样例计算", "样例计算");
    def.titleLabel("Label0", "样例管道荷载计算");
    def.basis({"《输气管道设计规范》GB50251-2003"});
    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {0, 0});
    inputs.field("Text1", "设计压力（MPa）", "3.92", {0, 0}).means("P", "设计压力", "MPa");
    inputs.field("Text2", "外径（mm）", "720", {1, 0}).means("D", "管道外径", "mm");
    inputs.field("Text7", "附加荷载", "0.5", {2, 0}).means("q_a", "附加荷载", "kN").inStep("Command2");
    inputs.option("Option1(0)", "铰接", {3, 0}, true).means("", "管道两端支承方式");
    inputs.option("Option1(1)", "固接", {3, 1});
    inputs.check("Check1", "计入温度应力", {4, 0}).means("", "是否计入温度应力");
    auto results = def.frame("Frame2", "计算结果", FrameRole::Results, {1, 0});
    results.result("Text3", "荷载（kN）", {0, 0}).means("W", "荷载", "kN", 3);
    results.result("Text5", "系数", {1, 0}).means("C", "支承系数", "", 3);
    results.result("Text6", "长度（m）", {2, 0}).means("L", "计算长度", "m", 3);
    results.result("Text4", "二倍荷载（kN）", {3, 0}).means("W_2", "二倍荷载", "kN", 3).inStep("Command2");
    results.label("Label1", " ", {4, 0}).means("", "强度校核").verdict();
    results.label("Label2", " ", {5, 0}).means("", "稳定校核").verdict().inStep("Command2");
    auto points = def.frame("Frame3", "桩点", FrameRole::Input, {2, 0});
    for (int i = 0; i < 3; ++i) {
        points.cell(indexed("Station", i), std::to_string(10 * i) + ".5", {0, i});
        points.cell(indexed("Bottom", i), " ", {1, i});
    }
    Meaning bottom{"H_b", "管底标高", "m", 3, FieldRole::Result, ""};
    def.table({"桩点数据", "桩点", {"入土点", "桩点2", "出土点"},
               {{{"l", "桩点里程", "m", -1, FieldRole::Unset, ""}, {"Station(0)", "Station(1)", "Station(2)"}},
                {bottom, {"Bottom(0)", "Bottom(1)", "Bottom(2)"}}}});
    def.quantity("k", "k", "换算系数").shownIn = "";
    def.frame("Frame4", "公式", FrameRole::Formula, {3, 0})
        .formulas("Image1", {{"Text3", q("Text1") * q("Text2") / c(1000)}, {"k", c(1) / c(1000)}}, {0, 0});
    def.formula(formula::when("Option1(1)", {"Text5", c(0.966)}));
    def.formula(formula::when("Option1(0)", {"Text5", c(0.5)}));
    def.formula({"Text4", c(2) * q("Text3") + q("Text7"), "Command2"});
    def.runButton("Command1", "第一步", firstStep);
    def.runButton("Command2", "第二步", secondStep);
    def.finish();
    return def;
}

template <typename T>
const T* byKey(const std::vector<T>& list, const std::string& key) {
    auto it = std::find_if(list.begin(), list.end(), [&](const T& item) { return item.key == key; });
    return it == list.end() ? nullptr : &*it;
}

std::vector<std::string> keysOf(const std::vector<ReportQuantity>& list) {
    std::vector<std::string> keys;
    for (const ReportQuantity& q : list) keys.push_back(q.key);
    return keys;
}

TEST(EngineeringNumber, PrintsTheShownValueAsAnEngineerWritesIt) {
    const struct {
        const char* shown;
        int decimals;
        const char* printed;
    } cases[] = {
        {".966", -1, "0.966"},     {"216.", -1, "216"},       {".", -1, "0"},          {"-.5", -1, "-0.5"},
        {" 9.8 ", 3, "9.8"},       {"10.3444", 3, "10.344"},  {"10.3445", 3, "10.345"}, {"9.9996", 3, "10.000"},
        {"144117.647058824", 2, "144117.65"}, {"-0.0004", 3, "0.000"}, {"1.00", -1, "1.00"}, {"007.5", -1, "7.5"},
        {"满足强度要求", 3, "满足强度要求"}, {"", 3, ""}, {"-", 2, "-"},
        {"1.5E-05", 3, "1.5×10⁻⁵"}, {"46.76620E+06", -1, "4.676620×10⁷"}, {"-2.5e3", 1, "-2.5×10³"},
    };
    for (const auto& c : cases) EXPECT_EQ(engineeringNumber(c.shown, c.decimals), c.printed) << c.shown;
    EXPECT_EQ(engineeringValue(0.000999999, 3), "0.001");
    EXPECT_EQ(engineeringValue(1.0 / 3.0), "0.333333");
    EXPECT_EQ(engineeringValue(1250.0), "1250");
    EXPECT_EQ(engineeringValue(1.217623e17), "1.21762×10¹⁷");
    EXPECT_EQ(engineeringValue(-2.5e-9), "-2.5×10⁻⁹");
}

TEST(PrintedNumber, IsReadWithThePlaceOfItsLastDigit) {
    const struct {
        const char* text;
        double value;
        double lastDigit;
    } cases[] = {{"9.8", 9.8, 0.1}, {"−3.25", -3.25, 0.01}, {"-3.25", -3.25, 0.01}, {"216", 216, 1},
                 {"4.676620×10⁷", 4.67662e7, 10}, {"1.5×10⁻⁵", 1.5e-5, 1e-6}, {"1.5E-05", 1.5e-5, 1e-6}};
    for (const auto& c : cases) {
        const auto printed = readPrintedNumber(c.text);
        ASSERT_TRUE(printed) << c.text;
        EXPECT_NEAR(printed->value, c.value, 1e-9 * std::abs(c.value)) << c.text;
        EXPECT_NEAR(printed->lastDigit, c.lastDigit, 1e-9 * c.lastDigit) << c.text;
    }
    for (const char* words : {"满足", "", "-", "1.5×10", "3e", "1.2.3x"}) EXPECT_FALSE(readPrintedNumber(words)) << words;
}

TEST(ScriptRuns, SplitsSymbolsIntoLoweredAndRaisedRuns) {
    const auto runs = scriptRuns("σ_s·K^{2}+D_{wt}");
    ASSERT_EQ(runs.size(), 6u);
    EXPECT_EQ(runs[0].text, "σ");
    EXPECT_EQ(runs[1].text, "s");
    EXPECT_EQ(runs[1].level, -1);
    EXPECT_EQ(runs[3].text, "2");
    EXPECT_EQ(runs[3].level, 1);
    EXPECT_EQ(runs[5].text, "wt");
}

class FixtureReport : public testing::Test {
protected:
    FormDefinition def = fixtureWindow();
    CalcForm window{def, testServices()};
};

// The first step alone: its inputs, choices and table column; the results it wrote; the verdict
// in its colour; the second step's input, result and verdict nowhere.
TEST_F(FixtureReport, FirstStepStatesItsOwnInputsResultsAndVerdict) {
    window.form().select("Option1(1)");
    ASSERT_FALSE(window.press("Command1"));
    const Report report = buildReport(window);
    EXPECT_EQ(report.state, ReportState::Computed);
    EXPECT_EQ(report.heading, "样例管道荷载计算");
    EXPECT_EQ(report.basis, std::vector<std::string>{"《输气管道设计规范》GB50251-2003"});
    EXPECT_EQ(keysOf(report.inputs), (std::vector<std::string>{"Text1", "Text2"}));
    EXPECT_EQ(report.inputs[0].symbol, "P");
    EXPECT_EQ(report.inputs[0].unit, "MPa");
    ASSERT_EQ(report.choices.size(), 2u);
    EXPECT_EQ(report.choices[0].name, "管道两端支承方式");
    EXPECT_EQ(report.choices[0].value, "固接");
    EXPECT_EQ(report.choices[1].value, "否");

    EXPECT_EQ(keysOf(report.results), (std::vector<std::string>{"Text3", "Text5", "Text6"}));
    EXPECT_EQ(report.results[0].value, "2.822");
    EXPECT_TRUE(report.results[0].highlighted);
    EXPECT_EQ(report.results[1].value, "0.966");  // the window shows ".966"
    EXPECT_EQ(window.form().text("Text5"), ".966");
    EXPECT_EQ(report.results[2].value, "216");

    ASSERT_EQ(report.verdicts.size(), 1u);
    EXPECT_EQ(report.verdicts[0].text, "满足强度要求");
    EXPECT_EQ(report.verdicts[0].name, "强度校核");
    EXPECT_EQ(report.verdicts[0].colour, Colour::rgb(0, 0, 255));

    ASSERT_EQ(report.dataFiles.size(), 1u);
    EXPECT_TRUE(report.dataFiles[0].sample);
    const std::string html = reportHtml(report, {});
    for (const char* part : {"地面数据文件", "/usr/share/pylora/database/1.TXT（示例数据）", "311.8"})
        EXPECT_NE(html.find(part), std::string::npos) << part;
}

// The point table's typed column among the inputs and its computed column among the results,
// each station on its own row.
TEST_F(FixtureReport, TablesKeepTheirStationsOnTheirRows) {
    ASSERT_FALSE(window.press("Command1"));
    const Report report = buildReport(window);
    ASSERT_EQ(report.inputTables.size(), 1u);
    const ReportTable& stations = report.inputTables[0];
    EXPECT_EQ(stations.rowHeading, "桩点");
    EXPECT_EQ(stations.rows, (std::vector<std::string>{"入土点", "桩点2", "出土点"}));
    ASSERT_EQ(stations.columns.size(), 1u);
    EXPECT_EQ(stations.columns[0].name, "桩点里程");
    EXPECT_EQ(stations.cells[2], std::vector<std::string>{"20.5"});
    ASSERT_EQ(report.resultTables.size(), 1u);
    const ReportTable& bottoms = report.resultTables[0];
    EXPECT_EQ(bottoms.columns[0].name, "管底标高");
    EXPECT_EQ(bottoms.cells[0], std::vector<std::string>{"-1"});  // 0.5 - 1.5
    EXPECT_EQ(bottoms.cells[2], std::vector<std::string>{"19"});
    for (const ReportQuantity& input : report.inputs) EXPECT_NE(input.key.rfind("Bottom", 0), 0u) << input.key;
}

// Formulas of the steps that ran and of the chosen option, in the definition's order, each with
// its 式中 list, the values put in and the result as the window shows it.
TEST_F(FixtureReport, FormulasCarryTheValuesTheRunUsed) {
    ASSERT_FALSE(window.press("Command1"));
    const Report report = buildReport(window);
    std::vector<std::string> keys;
    for (const ReportStep& step : report.steps) keys.push_back(step.resultKey);
    EXPECT_EQ(keys, (std::vector<std::string>{"Text3", "k", "Text5"}));
    const ReportStep& load = report.steps[0];
    EXPECT_EQ(load.formulaText, "W = P·D/1000");
    ASSERT_EQ(load.terms.size(), 2u);
    EXPECT_EQ(load.terms[0].symbol, "P");
    EXPECT_EQ(load.terms[0].name, "设计压力");
    EXPECT_EQ(load.terms[0].value, "3.92");
    EXPECT_EQ(load.terms[1].unit, "mm");
    EXPECT_EQ(load.substituted, "W = 3.92·720/1000 = 2.822 kN");
    EXPECT_NE(load.formula.svg.find("<svg"), std::string::npos);
    EXPECT_NE(load.substitutedPicture.svg.find("720"), std::string::npos);
    EXPECT_EQ(report.steps[1].result.value, "0.001");  // a quantity without a field, from its formula
    EXPECT_EQ(report.steps[2].result.value, "0.5");

    // After the second step, the first step's results stay and both verdicts are given.
    ASSERT_FALSE(window.press("Command2"));
    const Report both = buildReport(window);
    EXPECT_TRUE(byKey(both.inputs, "Text7"));
    EXPECT_TRUE(byKey(both.results, "Text3"));
    ASSERT_TRUE(byKey(both.results, "Text4"));
    EXPECT_EQ(byKey(both.results, "Text4")->value, "6.144");
    ASSERT_EQ(both.verdicts.size(), 2u);
    EXPECT_EQ(both.verdicts[1].text, "不满足稳定要求");
    EXPECT_EQ(both.steps.back().substituted, "W_2 = 2·2.822 + 0.5 = 6.144 kN");
}

// A failed run: the state is stated, nothing is a result, and the fields the run wrote before it
// failed are not listed as inputs; the formulas stand without values.
TEST_F(FixtureReport, AFailedRunShowsNoResultAndNoWrittenFieldAmongTheInputs) {
    ASSERT_FALSE(window.press("Command1"));
    window.form().type("Text2", "x");
    ASSERT_TRUE(window.press("Command1"));
    const Report report = buildReport(window);
    EXPECT_EQ(report.state, ReportState::Failed);
    EXPECT_TRUE(report.results.empty());
    EXPECT_TRUE(report.resultTables.empty());
    EXPECT_TRUE(report.verdicts.empty());
    EXPECT_EQ(keysOf(report.inputs), (std::vector<std::string>{"Text1", "Text2"}));
    EXPECT_EQ(report.inputs[1].value, "x");
    for (const ReportStep& step : report.steps) EXPECT_TRUE(step.substituted.empty()) << step.resultKey;
    EXPECT_NE(stateStatement(report).find("计算中止"), std::string::npos);
    const std::string html = reportHtml(report, {});
    EXPECT_NE(html.find("计算中止"), std::string::npos);
    EXPECT_EQ(html.find("2.822"), std::string::npos);  // the earlier result is no longer the window's
}

TEST_F(FixtureReport, UnrunAndOutdatedCalculationsShowNoResults) {
    const Report unrun = buildReport(window);
    EXPECT_EQ(unrun.state, ReportState::NotRun);
    EXPECT_TRUE(unrun.results.empty());
    EXPECT_EQ(keysOf(unrun.inputs), (std::vector<std::string>{"Text1", "Text2", "Text7"}));  // every step's

    ASSERT_FALSE(window.press("Command1"));
    window.form().type("Text1", "4");
    const Report outdated = buildReport(window);
    EXPECT_EQ(outdated.state, ReportState::ChangedAfterRun);
    EXPECT_TRUE(outdated.results.empty());
    EXPECT_TRUE(outdated.verdicts.empty());
    EXPECT_EQ(outdated.inputs[0].value, "4");
}

TEST_F(FixtureReport, HtmlHasEverySectionTheSignatureBlockAndEscapedTexts) {
    ASSERT_FALSE(window.press("Command1"));
    ProjectInfo project{"<管道工程>", "G-1", "施工图设计", "甲", "乙", "丙", "2026年12月10日"};
    const std::string html = reportHtml(buildReport(window), project);
    for (const char* part : {"一、计算依据", "二、计算条件", "三、计算过程", "四、计算结果", "五、结论", "设计阶段",
                             "施工图设计", "&lt;管道工程&gt;", "计算项目", "样例计算", "式中", "代入数值", "桩点里程",
                             "入土点", "H<sub>b</sub>", "2026年12月10日", "Pylora", "color:#0000ff"})
        EXPECT_NE(html.find(part), std::string::npos) << part;
    EXPECT_EQ(html.find("<管道工程>"), std::string::npos);
}

// A window that names no code says so plainly, never its instruction on using the window; a
// note marked 【注意】 stands under 说明.
TEST(Report, WithoutBasisSaysSoPlainly) {
    FormDefinition def("无依据", "无依据");
    def.note("Label9", "请先输入数据，再按计算。");
    def.note("Label8", "【注意】：本公式仅适用于高差小于200米。");
    def.body().field("Text1", "长度（m）", "1", {0, 0}).means("L", "长度", "m");
    def.finish();
    CalcForm window(def, testServices());
    const Report report = buildReport(window);
    EXPECT_TRUE(report.basis.empty());
    const std::string html = reportHtml(report, {});
    EXPECT_NE(html.find(kNoBasis), std::string::npos);
    EXPECT_EQ(html.find("请先输入数据"), std::string::npos);
    EXPECT_EQ(report.notes, std::vector<std::string>{"本公式仅适用于高差小于200米。"});
    EXPECT_NE(html.find("说明"), std::string::npos);
}

// The wall-thickness window as it states itself: its codes, its inputs with symbols, its three
// results at three decimals, and the bend factor as an intermediate quantity before the bends
// that use it.
TEST(Report, WallThicknessFromItsStatedMeanings) {
    CalcForm window(*findWindow("壁厚计算"), testServices());
    window.form().type("Text2", "0.3");
    ASSERT_FALSE(window.press("Command1"));
    const Report report = buildReport(window);
    ASSERT_EQ(report.basis.size(), 2u);
    EXPECT_EQ(report.inputs.size(), 6u);
    ASSERT_EQ(report.results.size(), 3u);
    EXPECT_EQ(report.results[0].symbol, "δ");
    EXPECT_EQ(report.results[0].value, "0.75");  // shown ".75"
    EXPECT_EQ(report.results[2].value, "0.871");
    std::vector<std::string> keys;
    for (const ReportStep& step : report.steps) keys.push_back(step.resultKey);
    EXPECT_EQ(keys, (std::vector<std::string>{"Text6", "m", "Text7", "Text10"}));
    EXPECT_EQ(report.steps[2].terms[0].symbol, "m");
    EXPECT_EQ(report.steps[2].terms[0].value, report.steps[1].result.value);
}

// Every registered window: after a failed run (words typed into its first input), nothing a run
// writes (a result or a verdict by its role) is listed among the report's inputs or tables.
class EveryWindowReport : public testing::TestWithParam<const FormDefinition*> {};

TEST_P(EveryWindowReport, AfterAFailedRunNoResultIsListedAsAnInput) {
    const FormDefinition& def = *GetParam();
    SCOPED_TRACE(def.formName());
    CalcForm window(def, testServices());
    const auto first = std::find_if(def.controls().begin(), def.controls().end(), [&](const ControlDef& c) {
        return c.kind == ControlKind::TextField && c.visible && !c.readOnly && def.roleOf(c) == FieldRole::Input;
    });
    if (first == def.controls().end() || def.defaultRunButton().empty()) GTEST_SKIP() << "no typed input";
    window.form().type(first->name, "x");
    window.press(def.defaultRunButton());
    const Report report = buildReport(window);
    for (const ReportQuantity& input : report.inputs) {
        const ControlDef* c = def.findControl(input.key);
        ASSERT_TRUE(c) << input.key;
        const FieldRole role = def.roleOf(*c);
        EXPECT_TRUE(role != FieldRole::Result && role != FieldRole::Verdict) << input.key << " is no input";
    }
    if (report.state != ReportState::Computed) {
        EXPECT_TRUE(report.results.empty());
        EXPECT_TRUE(report.verdicts.empty());
        EXPECT_TRUE(report.resultTables.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, EveryWindowReport, testing::ValuesIn(allWindows()),
                         [](const testing::TestParamInfo<const FormDefinition*>& info) {
                             return "window" + std::to_string(info.index);
                         });

}  // namespace
}  // namespace pylora
