// Ground data files a survey office, a spreadsheet or a mistake can hand the drilling window,
// through the runner: each ends the step naming the file (and the line) in words, or is drawn
// with what the engineer should know; none blocks, none exhausts the machine.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/headless_runner.h"
#include "test_services.h"

namespace pylora {
namespace {

namespace fs = std::filesystem;

struct StepOutcome {
    int status;
    nlohmann::json json;
};

StepOutcome secondStep(const fs::path& groundFile) {
    std::ostringstream out, err;
    const Services services = testServices();
    const int status = runHeadless({"run", "定向钻穿越地面数据", "--press", "Command1", "--press", "Command3",
                                    "--ground-file", groundFile.string()},
                                   out, err, services);
    EXPECT_TRUE(err.str().empty()) << err.str();
    return {status, nlohmann::json::parse(out.str())};
}

class HostileGroundFiles : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("pylora_hostile_" + std::to_string(getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path file(const std::string& name, const std::string& bytes) {
        std::ofstream(folder_ / name, std::ios::binary) << bytes;
        return folder_ / name;
    }
    fs::path folder_;
};

struct RefusedCase {
    const char* name;
    std::string bytes;  // the file's contents; empty name below for the special files
    std::string cause;  // after 计算中止：, with {F} for the file's path
};

TEST_F(HostileGroundFiles, EachIsRefusedNamingTheFileAndLineInWords) {
    const std::string form = "每行应为一个里程和一个地面标高，以英文逗号分隔，如「0.00,310.8」";
    const RefusedCase cases[] = {
        {"empty", "", "地面数据文件 {F} 中没有地面点"},
        {"mark only", "\xEF\xBB\xBF", "地面数据文件 {F} 中没有地面点"},
        {"UTF-16", std::string("\xFF\xFE" "0\0,\0" "3\0", 8), "地面数据文件 {F} 为 UTF-16 编码：请另存为 UTF-8 或 ANSI 文本，" + form},
        {"binary", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "地面数据文件 {F} 第3行含有非文本内容：地面数据文件应为文本，" + form},
        {"GBK heading", "\xC0\xEF\xB3\xCC,\xB8\xDF\xB3\xCC\n0,310\n",
         "数据不是有效数字（地面数据文件 {F} 第1行的「\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD」）"},
        {"tabs", "0\t310.8\n10\t310.3\n", "地面数据文件 {F} 第1行「0\t310.8」以制表符分隔数值：" + form + "，小数点用“.”"},
        {"semicolons", "0;310,8\n", "地面数据文件 {F} 第1行「0;310,8」以分号分隔数值、以逗号作小数点：" + form + "，小数点用“.”"},
        {"three columns", "0,310.8,A1\n", "地面数据文件 {F} 第1行「0,310.8,A1」有 3 个数值：" + form},
        {"one column", "310.8\n310.3\n", "地面数据文件 {F} 第1行「310.8」有 1 个数值：" + form},
        {"elevation 1e400", "0,310.8\r\n100,1e400\r\n", "数值超出允许范围（地面数据文件 {F} 第2行的「1e400」）"},
        {"station 1e308", "0,310.8\n1e308,310\n", "数值超出允许范围（地面数据文件 {F} 第2行的地面点无法绘出）"},
    };
    for (const RefusedCase& c : cases) {
        const fs::path path = file("1.TXT", c.bytes);
        const StepOutcome o = secondStep(path);
        EXPECT_EQ(o.status, kExitRunFailed) << c.name;
        std::string cause = "计算中止：" + c.cause;
        cause.replace(cause.find("{F}"), 3, path.string());
        EXPECT_EQ(o.json["failure"]["cause"], cause) << c.name;
        EXPECT_EQ(o.json["failure"]["control"], nullptr) << c.name << ": no typed field is to blame";
    }
}

TEST_F(HostileGroundFiles, WhatIsNotARegularFileOrTooLargeIsNotRead) {
    fs::create_directories(folder_ / "folder");
    ASSERT_EQ(mkfifo((folder_ / "fifo").c_str(), 0600), 0);  // opening it would wait for a writer
    const fs::path large = file("large.txt", "0,310\n");
    fs::resize_file(large, 17 * 1024 * 1024);  // sparse: no disk used
    const struct {
        fs::path path;
        std::string cause;
    } cases[] = {
        {"/dev/zero", "地面数据文件 /dev/zero 不是普通文件（是设备），不予读取"},
        {folder_ / "fifo", "地面数据文件 " + (folder_ / "fifo").string() + " 不是普通文件（是管道），不予读取"},
        {folder_ / "folder", "地面数据文件 " + (folder_ / "folder").string() + " 不是普通文件（是目录），不予读取"},
        {large, "地面数据文件 " + large.string() + " 大于 16 MB，不予读取：地面数据文件最大 16 MB、200000 个地面点"},
    };
    for (const auto& c : cases) {
        const StepOutcome o = secondStep(c.path);
        EXPECT_EQ(o.status, kExitRunFailed) << c.path;
        EXPECT_EQ(o.json["failure"]["cause"], "计算中止：" + c.cause);
        EXPECT_EQ(o.json["controls"]["Text2(2)"]["text"], " ") << "refused before anything is written";
    }
}

TEST_F(HostileGroundFiles, GroundWhollyBelowMinus100IsScaledFromItsOwnHighestPoint) {
    const StepOutcome o = secondStep(file("deep.txt", "0,-150\n100,-130.5\n260,-141\n"));
    ASSERT_EQ(o.status, 0) << o.json["failure"];
    EXPECT_EQ(o.json["sketch"]["labels"][6]["caption"], "-128.5");
}

TEST_F(HostileGroundFiles, StationsThatGoBackAreDrawnAsGivenWithANote) {
    const fs::path path = file("1.TXT", "0,310.8\r\n100,305\r\n90,306\r\n260,310.8\r\n");
    const StepOutcome o = secondStep(path);
    ASSERT_EQ(o.status, 0) << o.json["failure"];
    const nlohmann::json& read = o.json["data_files"][0];
    EXPECT_EQ(read["path"], path.string());
    EXPECT_EQ(read["records"], 4);
    EXPECT_EQ(read["sample"], false);
    EXPECT_EQ(read["notes"][0], "地面数据文件 " + path.string() +
                                    " 第3行的里程不大于上一个地面点的里程（共 1 处）：里程应逐点增大，地面线按文件顺序绘出");
    int drawn = 0;
    for (const auto& line : o.json["sketch"]["lines"]) drawn += line["name"].get<std::string>().starts_with("Line12(");
    EXPECT_EQ(drawn, 3);
}

// A survey far longer than the picture is wide: every record counts for the scale, the picture
// draws at most two segments a pixel column, the outline's extremes among them.
TEST_F(HostileGroundFiles, ALongSurveyIsDrawnAsThePictureCanShowIt) {
    std::string text;
    for (int k = 0; k < 100000; ++k) text += std::to_string(k * 0.0026) + "," + (k == 55555 ? "330" : "305") + "\n";
    const StepOutcome o = secondStep(file("long.txt", text));
    ASSERT_EQ(o.status, 0) << o.json["failure"];
    EXPECT_EQ(o.json["data_files"][0]["records"], 100000);
    EXPECT_EQ(o.json["sketch"]["labels"][6]["caption"], "332");
    int drawn = 0;
    double highest = 1e9;
    for (const auto& line : o.json["sketch"]["lines"]) {
        if (!line["name"].get<std::string>().starts_with("Line12(")) continue;
        ++drawn;
        highest = std::min(highest, line["y2"].get<double>());
    }
    EXPECT_GT(drawn, 100);
    EXPECT_LE(drawn, 2 * 11500 / 15 + 1);
    const double lowest = std::stod(o.json["sketch"]["labels"][7]["caption"].get<std::string>());
    EXPECT_NEAR(highest, 2800 - 2000 / (332 - lowest) * (330 - lowest), 1e-6) << "the peak at 330 m is drawn";
}

}  // namespace
}  // namespace pylora
