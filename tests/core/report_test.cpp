// The calculation report's content: which fields are inputs and which results, units from the
// captions, verdicts, and that a failed or outdated run never shows as a result.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/calc.h"
#include "core/report.h"

namespace pylora {
namespace {

Services testServices() {
    Services services;
    services.databaseFolder = PYLORA_DATABASE_DIR;
    return services;
}

const ReportRow* findRow(const std::vector<ReportRow>& rows, const std::string& label) {
    auto it = std::find_if(rows.begin(), rows.end(), [&](const ReportRow& r) { return r.label == label; });
    return it == rows.end() ? nullptr : &*it;
}

// The report of a window run once from its default texts.
Report computedReport(const char* formName) {
    CalcForm window(*findWindow(formName), testServices());
    EXPECT_FALSE(window.press(window.definition().defaultRunButton()));
    return buildReport(window);
}

std::vector<std::string> texts(const ReportRow& row) {
    std::vector<std::string> out;
    for (const ReportValue& v : row.values) out.push_back(v.text);
    return out;
}

TEST(UnitFromLabel, TakesTheTextOfTheClosingBrackets) {
    const std::pair<const char*, const char*> cases[] = {
        {"管道的设计压力（MPa） ", "MPa"},
        {"输气管的壁厚(毫米)", "毫米"},
        {"输气管起点压力(绝)(MPa)", "MPa"},
        {"在标准状况(P0=0.101325MPa,T=293K)下气体流量(万方/天)", "万方/天"},
        {"焊口平均间距（米）", "米"},
        {"外径(D(mm))", "D(mm)"},
        {"气体的压缩系数", ""},
        {"管线斜率 ‰", ""},
        {"(MPa)压力", ""},
    };
    for (const auto& [label, unit] : cases) EXPECT_EQ(unitFromLabel(label), unit) << label;
}

// The solve-for-one window: the field it computes is the result, highlighted; the candidates it
// read are inputs, the chosen option is stated, and the blank result field is no input.
TEST(Report, SolveForOneSplitsInputsFromTheComputedField) {
    CalcForm window(*findWindow("水力计算"), testServices());
    ASSERT_FALSE(window.press("Command1"));
    const Report report = buildReport(window);
    EXPECT_EQ(report.state, ReportState::Computed);
    EXPECT_EQ(report.title, "长输管道水力计算");
    EXPECT_NE(report.basis.find("潘汉德尔公式"), std::string::npos);
    ASSERT_EQ(report.results.size(), 1u);
    EXPECT_EQ(report.results[0].label, "输气管终点压力(绝)(MPa)");
    EXPECT_EQ(report.results[0].unit, "MPa");
    EXPECT_EQ(texts(report.results[0]), std::vector<std::string>{"2.728"});
    EXPECT_TRUE(report.results[0].values[0].highlighted);
    EXPECT_FALSE(findRow(report.inputs, "输气管终点压力(绝)(MPa)"));
    const ReportRow* option = findRow(report.inputs, "计算选项");
    ASSERT_TRUE(option);
    EXPECT_EQ(texts(*option), std::vector<std::string>{"终点压力(兆帕)"});
    const ReportRow* length = findRow(report.inputs, "输气管计算段的长度(包括局部摩阻损失当量长度)(公里)");
    ASSERT_TRUE(length);
    EXPECT_EQ(length->unit, "公里");
    EXPECT_EQ(texts(*length), std::vector<std::string>{"120.00"});  // as typed
    ASSERT_EQ(report.formulas.size(), 1u);
    EXPECT_TRUE(report.formulas[0].svg);
    EXPECT_EQ(report.formulas[0].caption, "潘汉德尔计算公式");

    // Solving for the flow instead: the end pressure computed before is now an input.
    window.form().select("Option1(0)");
    ASSERT_FALSE(window.press("Command1"));
    const Report flow = buildReport(window);
    ASSERT_EQ(flow.results.size(), 1u);
    EXPECT_NE(flow.results[0].label.find("气体流量"), std::string::npos);
    ASSERT_TRUE(findRow(flow.inputs, "输气管终点压力(绝)(MPa)"));
}

// A verdict window: the caption-less cells of a row join the stress they judge, and the verdict
// shown on two rows is stated once.
TEST(Report, VerdictRowsKeepTheirCellsTogether) {
    const Report report = computedReport("公路穿越强度校核");
    const ReportRow* tensile = findRow(report.results, "外载作用下管子产生的拉应力(KN/m2)");
    ASSERT_TRUE(tensile);
    EXPECT_EQ(texts(*tensile), (std::vector<std::string>{"-1179.7880859375", "<", "144117.647058824", "满足强度要求"}));
    EXPECT_EQ(tensile->unit, "KN/m2");
    ASSERT_EQ(report.verdicts.size(), 1u);
    EXPECT_EQ(report.verdicts[0].text, "满足强度要求");
    EXPECT_EQ(report.inputs.size(), 6u);
}

// Whatever ends a calculation without results is stated, and no result is presented.
TEST(Report, NoResultsFromAFailedUnrunOrOutdatedCalculation) {
    CalcForm window(*findWindow("公路穿越强度校核"), testServices());
    const Report unrun = buildReport(window);
    EXPECT_EQ(unrun.state, ReportState::NotRun);
    EXPECT_TRUE(unrun.results.empty());
    EXPECT_EQ(unrun.inputs.size(), 6u);  // the window's typed values

    ASSERT_FALSE(window.press("Command1"));
    window.form().type("Text8", "0");
    const Report outdated = buildReport(window);
    EXPECT_EQ(outdated.state, ReportState::ChangedAfterRun);
    EXPECT_TRUE(outdated.results.empty());
    EXPECT_TRUE(outdated.verdicts.empty());

    ASSERT_TRUE(window.press("Command1"));  // a wall of no thickness: the stresses divide by it
    const Report failed = buildReport(window);
    EXPECT_EQ(failed.state, ReportState::Failed);
    EXPECT_TRUE(failed.results.empty());
    EXPECT_TRUE(failed.verdicts.empty());
    EXPECT_NE(failed.failure.find("管道壁厚(米)"), std::string::npos) << failed.failure;
    const std::string html = reportHtml(failed, {});
    EXPECT_NE(html.find("计算中止"), std::string::npos);
    EXPECT_EQ(html.find("21.938"), std::string::npos);  // written before the failure, not a result

    window.form().type("Text8", "0.08");
    ASSERT_FALSE(window.press("Command1"));
    EXPECT_EQ(buildReport(window).state, ReportState::Computed);
}

// A profile window: the point table's rows keep their points in order, and the sketch comes with
// the computed report only.
TEST(Report, ProfileTablesAndSketch) {
    const Report report = computedReport("穿越断面");
    const ReportRow* stations = findRow(report.inputs, "桩点里程");
    ASSERT_TRUE(stations);
    EXPECT_EQ(stations->values.size(), 10u);
    EXPECT_EQ(stations->values.front().text, "0.000");
    EXPECT_EQ(stations->values.front().heading, "桩点1");
    ASSERT_EQ(report.sketches.size(), 1u);
    const std::string html = reportHtml(report, {"管道工程", "G-1", "甲", "乙", "丙", "2026年12月10日"});
    EXPECT_NE(html.find("<svg"), std::string::npos);
    EXPECT_NE(html.find("里程（米）"), std::string::npos);
    for (const char* part : {"管道工程", "G-1", "计算", "校核", "审核", "2026年12月10日"})
        EXPECT_NE(html.find(part), std::string::npos) << part;
}

TEST(Report, TextsAreEscaped) {
    CalcForm window(*findWindow("公路穿越强度校核"), testServices());
    window.form().type("Text1", "<b>&");
    const std::string html = reportHtml(buildReport(window), {"<script>", "", "", "", "", ""});
    EXPECT_EQ(html.find("<script>"), std::string::npos);
    EXPECT_NE(html.find("&lt;b&gt;&amp;"), std::string::npos);
}

}  // namespace
}  // namespace pylora
