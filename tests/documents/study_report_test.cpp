// A parameter study added to the 计算书: a section after the conclusion with the table of its
// points and its chart; a report without studies has no such section.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "documents/report_docx.h"
#include "documents/study_report.h"
#include "model/window_registry.h"
#include "command_output.h"

namespace pylora {
namespace {

namespace fs = std::filesystem;

// A chart as the desktop program's SVG writer sizes it: millimetres, the pixels in the view box.
const std::string kChart =
    R"(<svg width="169.33mm" height="127mm" viewBox="0 0 640 480" xmlns="http://www.w3.org/2000/svg">)"
    R"(<polyline points="10,400 300,200 630,20" stroke="black" fill="none"/><text x="20" y="20">δ–P</text></svg>)";

StudyResult wallThicknessOverPressure() {
    CalcForm start(*findWindow("壁厚计算"), Services{});
    return runStudy(start, {{{"Text2", {"1", "x", "3"}}}, {"Text6"}, {}});
}

TEST(StudyReportTest, SectionHoldsEveryPointItsCauseAndTheChartsSize) {
    const ReportStudy section = studyReportSection(wallThicknessOverPressure(), "设计压力对壁厚的影响", kChart);
    EXPECT_EQ(section.caption, "设计压力对壁厚的影响");
    const ReportTable& table = section.table;
    ASSERT_EQ(table.columns.size(), 3u);
    EXPECT_EQ(table.columns[0].symbol, "P");
    EXPECT_EQ(table.columns[0].unit, "MPa");
    EXPECT_EQ(table.columns[1].symbol, "δ");
    EXPECT_EQ(table.columns[2].name, "失败原因");
    EXPECT_EQ(table.rows, (std::vector<std::string>{"1", "2", "3"}));
    ASSERT_EQ(table.cells.size(), 3u);
    EXPECT_EQ(table.cells[1], (std::vector<std::string>{"x", "", "计算中止：「管道的设计压力（MPa） 」不是有效数字"}));
    EXPECT_EQ(table.cells[2][0], "3");
    EXPECT_FALSE(table.cells[2][1].empty());
    EXPECT_TRUE(table.cells[2][2].empty());
    EXPECT_EQ(section.plot.width, 640);
    EXPECT_EQ(section.plot.height, 480);
    EXPECT_EQ(studyReportSection(wallThicknessOverPressure(), "", R"(<svg width="300px" height="200">)").plot.width, 300);
}

class StudyReportWritersTest : public testing::Test {
protected:
    void SetUp() override {
        CalcForm window(*findWindow("壁厚计算"), Services{});
        window.press("Command1");
        plain_ = buildReport(window);
        withStudies_ = plain_;
        addStudy(withStudies_, studyReportSection(wallThicknessOverPressure(), "设计压力对壁厚的影响", kChart));
        addStudy(withStudies_, studyReportSection(wallThicknessOverPressure(), "再次分析", kChart));
    }
    Report plain_;
    Report withStudies_;
    ProjectInfo project_{"西部管道二期工程", "XB-2026-015", "施工图设计", "李工", "王工", "赵工", "2026年12月10日"};
};

TEST_F(StudyReportWritersTest, ChartsAreNamedApartAndListedWithThePictures) {
    EXPECT_EQ(withStudies_.studies[0].plot.id, "study1");
    EXPECT_EQ(withStudies_.studies[1].plot.id, "study2");
    const auto pictures = reportPictures(withStudies_);
    EXPECT_EQ(pictures.size(), reportPictures(plain_).size() + 2);
}

TEST_F(StudyReportWritersTest, HtmlShowsTheTableAndTheChartInlineAfterTheConclusion) {
    const std::string html = reportHtml(withStudies_, project_);
    const auto section = html.find("六、参数分析");
    ASSERT_NE(section, std::string::npos);
    EXPECT_LT(html.find("五、结论"), section);
    EXPECT_LT(section, html.find("设计压力对壁厚的影响"));
    EXPECT_NE(html.find("失败原因", section), std::string::npos);
    EXPECT_NE(html.find("<polyline points=\"10,400 300,200 630,20\"", section), std::string::npos);
    EXPECT_LT(section, html.find("校核"));  // the signatures close the report
    EXPECT_EQ(reportHtml(plain_, project_).find("参数分析"), std::string::npos);
    const std::string referenced = reportHtml(withStudies_, project_, {PictureStyle::Reference, false});
    EXPECT_NE(referenced.find("<img src=\"picture:study2\" width=\"640\" height=\"480\"/>"), std::string::npos);
}

TEST_F(StudyReportWritersTest, EditableDocumentHoldsTheTableAndTheChartAsAPicture) {
    std::size_t drawn = 0;
    const PngOf png = [&drawn](const ReportPicture&) {
        ++drawn;
        return std::string("\x89PNG\r\n\x1a\n", 8);
    };
    const fs::path file = fs::temp_directory_path() / ("pylora_study_" + std::to_string(::getpid()) + ".docx");
    std::ofstream(file, std::ios::binary) << reportDocx(withStudies_, project_, png);
    // Both studies show the same chart: drawn once, stored once in the package.
    const std::size_t plainPictures = reportPictures(plain_).size();
    EXPECT_EQ(drawn, plainPictures + 1);

    // Read by the archive tool, not by our own zip code.
    const std::string document = commandOutput("unzip -p " + file.string() + " word/document.xml");
    const auto section = document.find("参数分析");
    ASSERT_NE(section, std::string::npos) << document.substr(0, 400);
    for (const char* text : {"设计压力对壁厚的影响", "再次分析", "失败原因", "计算中止", "序号"})
        EXPECT_NE(document.find(text, section), std::string::npos) << text;
    EXPECT_NE(document.find("name=\"study2\"", section), std::string::npos);
    EXPECT_EQ(commandOutput("unzip -p " + file.string() + " word/document.xml").find("参数分析", section + 1),
              std::string::npos);
    std::ofstream(file, std::ios::binary) << reportDocx(plain_, project_, png);
    EXPECT_EQ(commandOutput("unzip -p " + file.string() + " word/document.xml").find("参数分析"), std::string::npos);
    fs::remove(file);
}

}  // namespace
}  // namespace pylora
