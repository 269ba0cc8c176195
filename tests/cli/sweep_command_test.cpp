// pylora-cli sweep: the study as CSV, its headings from the fields' meanings, one row per point
// with the failure's cause last, the same rows for any number of threads; the usual exit statuses.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/headless_runner.h"
#include "test_services.h"

namespace pylora {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(std::vector<std::string> args) {
    std::ostringstream out, err;
    const Services services = testServices();
    args.insert(args.begin(), "sweep");
    const int status = runHeadless(args, out, err, services);
    return {status, out.str(), err.str()};
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        EXPECT_TRUE(!line.empty() && line.back() == '\r') << line;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string contentsOf(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

TEST(SweepCommandTest, WritesHeadingsFromMeaningsAndOneRowPerPointWithTheCauseLast) {
    const Outcome o = run({"壁厚计算", "--set", "Text3=245", "--vary", "Text2=2:4:1", "--values", "Text1=508,七二〇",
                           "--result", "Text6", "--result", "Text10", "--output", "-", "--jobs", "2"});
    ASSERT_EQ(o.status, kExitDone) << o.err;
    EXPECT_TRUE(o.err.empty());
    const std::vector<std::string> lines = linesOf(o.out);
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0], "P 管道的设计压力 (MPa),D 输气管道外径 (mm),δ 直管段计算壁厚 (mm),δ_w 煨制弯头直管段厚 (mm),失败原因");
    // The second input varies slowest; the yield strength set stays for every point.
    EXPECT_EQ(lines[1].substr(0, 6), "2,508,");
    EXPECT_EQ(lines[3].substr(0, 6), "4,508,");
    EXPECT_EQ(lines[4], "2,七二〇,,,计算中止：「输气管道外径(毫米)」不是有效数字");
    const Outcome single = [] {
        std::ostringstream out, err;
        Services services;
        runHeadless({"run", "壁厚计算", "--set", "Text3=245", "--set", "Text2=3", "--set", "Text1=508"}, out, err, services);
        return Outcome{0, out.str(), err.str()};
    }();
    const std::string cells = lines[2].substr(6);  // the run by hand shows the same thickness
    EXPECT_NE(single.out.find("\"" + cells.substr(0, cells.find(',')) + "\""), std::string::npos) << cells;
}

TEST(SweepCommandTest, APointOutsideTheInputsDomainFailsWithItsCause) {
    const Outcome o = run({"壁厚计算", "--values", "Text2=-3,0,3.92", "--result", "Text6", "--output", "-"});
    ASSERT_EQ(o.status, kExitDone) << o.err;
    const std::vector<std::string> lines = linesOf(o.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "-3,,计算中止：「管道的设计压力（MPa）」应大于 0");
    EXPECT_EQ(lines[2], "0,,计算中止：「管道的设计压力（MPa）」应大于 0");
    EXPECT_EQ(lines[3], "3.92,9.8,");
}

TEST(SweepCommandTest, FileIsUtf8WithByteOrderMarkAndTheSameForAnyNumberOfJobs) {
    const fs::path folder = fs::temp_directory_path() / ("pylora_sweep_" + std::to_string(::getpid()));
    fs::create_directories(folder);
    std::vector<std::string> tables;
    for (const char* jobs : {"1", "2", "3"}) {
        const fs::path file = folder / (std::string("壁厚") + jobs + ".csv");
        const Outcome o = run({"壁厚计算", "--vary", "Text2=0:20:#4001", "--result", "Text6", "--result", "Text7",
                               "--output", file.string(), "--jobs", jobs});
        ASSERT_EQ(o.status, kExitDone) << o.err;
        EXPECT_TRUE(o.out.empty());
        tables.push_back(contentsOf(file));
    }
    EXPECT_EQ(tables[0].substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(std::count(tables[0].begin(), tables[0].end(), '\n'), 4002);
    EXPECT_EQ(tables[1], tables[0]);
    EXPECT_EQ(tables[2], tables[0]);
    // Standard output carries no mark.
    EXPECT_NE(run({"壁厚计算", "--vary", "Text2=1:1:1", "--result", "Text6", "-o", "-"}).out.substr(0, 1), "\xEF");
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder)) left.push_back(entry.path().filename().string());
    EXPECT_EQ(left.size(), 3u);  // no temporary file stays behind
    fs::remove_all(folder);
}

TEST(SweepCommandTest, LogarithmicRangesAndPressesAsGiven) {
    const Outcome o = run({"定向钻穿越", "--vary", "Text41=100:10000:#3:log", "--result", "Text30", "--press", "Command1",
                           "--press", "Command3", "-o", "-"});
    ASSERT_EQ(o.status, kExitDone) << o.err;
    const std::vector<std::string> lines = linesOf(o.out);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1].substr(0, 4), "100,");
    EXPECT_EQ(lines[2].substr(0, 5), "1000,");
    EXPECT_EQ(lines[3].substr(0, 6), "10000,");
    // The second step alone, on each point's fresh start, asks for the first.
    const Outcome second = run({"定向钻穿越", "--vary", "Text41=1000:1000:1", "--result", "Text30", "--press", "Command3", "-o", "-"});
    ASSERT_EQ(second.status, kExitDone) << second.err;
    EXPECT_EQ(linesOf(second.out)[1], "1000,,计算中止：请先进行第一步计算");
}

struct SweepMistake {
    const char* name;
    std::vector<std::string> args;
    const char* message;
    int status = kExitUsage;
};

class SweepMistakeTest : public testing::TestWithParam<SweepMistake> {};

TEST_P(SweepMistakeTest, EndsWithOneLineAndNoTable) {
    const Outcome o = run(GetParam().args);
    EXPECT_EQ(o.status, GetParam().status);
    EXPECT_TRUE(o.out.empty()) << o.out;
    EXPECT_NE(o.err.find(GetParam().message), std::string::npos) << o.err;
    EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, SweepMistakeTest,
    testing::Values(
        SweepMistake{"UnknownWindow", {"壁厚", "--vary", "Text2=1:2:1", "--result", "Text6", "-o", "-"}, "unknown window: 壁厚"},
        SweepMistake{"NoOutput", {"壁厚计算", "--vary", "Text2=1:2:1", "--result", "Text6"}, "--output"},
        SweepMistake{"NoResult", {"壁厚计算", "--vary", "Text2=1:2:1", "-o", "-"}, "--result"},
        SweepMistake{"NothingVaried", {"壁厚计算", "--result", "Text6", "-o", "-"}, "--vary or --values"},
        SweepMistake{"UnknownControl", {"壁厚计算", "--vary", "Text99=1:2:1", "--result", "Text6", "-o", "-"}, "没有控件 Text99"},
        SweepMistake{"VaryAVerdict", {"公路穿越强度校核", "--values", "Text12=1", "--result", "Text9", "-o", "-"}, "Text12 是计算写出的结论"},
        SweepMistake{"VaryAButton", {"壁厚计算", "--vary", "Command1=1:2:1", "--result", "Text6", "-o", "-"}, "Command1「开始计算」"},
        SweepMistake{"ResultAButton", {"壁厚计算", "--vary", "Text2=1:2:1", "--result", "Command1", "-o", "-"}, "不是显示计算结果"},
        SweepMistake{"RangeNotNumbers", {"壁厚计算", "--vary", "Text2=a:2:1", "--result", "Text6", "-o", "-"}, "FROM:TO:STEP"},
        SweepMistake{"RangeTooShort", {"壁厚计算", "--vary", "Text2=1:2", "--result", "Text6", "-o", "-"}, "FROM:TO:STEP"},
        SweepMistake{"PointsBeyondInt", {"壁厚计算", "--vary", "Text2=1:10:#1e12", "--result", "Text6", "-o", "-"}, "a whole number up to 2147483647"},
        SweepMistake{"PointsJustBeyondInt", {"壁厚计算", "--vary", "Text2=1:10:#2147483648", "--result", "Text6", "-o", "-"}, "a whole number up to"},
        SweepMistake{"PointsFarBelowZero", {"壁厚计算", "--vary", "Text2=1:10:#-3e9", "--result", "Text6", "-o", "-"}, "a whole number up to"},
        SweepMistake{"LogPointsBeyondInt", {"壁厚计算", "--vary", "Text2=1:10:#4e9:log", "--result", "Text6", "-o", "-"}, "a whole number up to"},
        SweepMistake{"PointsNotWhole", {"壁厚计算", "--vary", "Text2=1:10:#2.5", "--result", "Text6", "-o", "-"}, "FROM:TO:#POINTS"},
        SweepMistake{"RangeWithComma", {"壁厚计算", "--vary", "Text2=1,5:10:1", "--result", "Text6", "-o", "-"}, "a range takes no comma"},
        SweepMistake{"VaryAResult", {"壁厚计算", "--vary", "Text6=1:2:1", "--result", "Text6", "-o", "-"}, "是计算写出的结果，不是输入数据"},
        SweepMistake{"StepZero", {"壁厚计算", "--vary", "Text2=1:2:0", "--result", "Text6", "-o", "-"}, "must not be zero"},
        SweepMistake{"NoPoints", {"壁厚计算", "--vary", "Text2=1:2:#0", "--result", "Text6", "-o", "-"}, "must be positive"},
        SweepMistake{"TooManyPoints", {"壁厚计算", "--vary", "Text2=0:1:1e-9", "--result", "Text6", "-o", "-"}, "超过"},
        SweepMistake{"LogThroughZero", {"壁厚计算", "--vary", "Text2=0:10:#5:log", "--result", "Text6", "-o", "-"}, "同号且不为零"},
        SweepMistake{"BadSetting", {"壁厚计算", "--set", "Text99=1", "--vary", "Text2=1:2:1", "--result", "Text6", "-o", "-"}, "no control Text99"},
        SweepMistake{"ValuesNotUtf8", {"壁厚计算", "--values", "Text2=1,\xff", "--result", "Text6", "-o", "-"}, "not valid UTF-8"},
        SweepMistake{"JobsZero", {"壁厚计算", "--vary", "Text2=1:2:1", "--result", "Text6", "-o", "-", "--jobs", "0"}, "--jobs"},
        SweepMistake{"FolderMissing", {"壁厚计算", "--vary", "Text2=1:2:1", "--result", "Text6", "-o", "/nonexistent/壁厚.csv"},
                     "cannot write /nonexistent/壁厚.csv: No such file or directory", kExitWriteFailed},
        SweepMistake{"FileIsAFolder", {"壁厚计算", "--vary", "Text2=1:2:1", "--result", "Text6", "-o", "/tmp"},
                     "cannot write /tmp: Is a directory", kExitWriteFailed}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pylora
