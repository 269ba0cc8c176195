#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cli/headless_runner.h"

namespace pylora {
namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome run(const std::vector<std::string>& args, const std::filesystem::path& databaseFolder = PYLORA_DATABASE_DIR) {
    std::ostringstream out, err;
    Services services;
    services.databaseFolder = databaseFolder;
    const int status = runHeadless(args, out, err, services);
    return {status, out.str(), err.str()};
}

struct UsageCase {
    const char* name;
    std::vector<std::string> args;
    const char* message;  // part of the one-line message on standard error
};

class UsageErrorTest : public testing::TestWithParam<UsageCase> {};

TEST_P(UsageErrorTest, ExitsTwoWithOneLineOnStandardError) {
    const Outcome o = run(GetParam().args);
    EXPECT_EQ(o.status, kExitUsage);
    EXPECT_TRUE(o.out.empty());
    EXPECT_NE(o.err.find(GetParam().message), std::string::npos) << o.err;
    EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
}

INSTANTIATE_TEST_SUITE_P(
    Mistakes, UsageErrorTest,
    testing::Values(UsageCase{"UnknownWindow", {"run", "壁厚"}, "unknown window: 壁厚"},
                    UsageCase{"UnknownControl", {"run", "壁厚计算", "--set", "Text99=1"}, "no control Text99"},
                    UsageCase{"SetWithoutValue", {"run", "壁厚计算", "--set", "Text1"}, "CONTROL=VALUE"},
                    UsageCase{"SelectNotAnOption", {"run", "壁厚计算", "--select", "Text1"}, "not an option button"},
                    UsageCase{"CheckNotZeroOrOne", {"run", "坐标转换", "--check", "Check1=yes"}, "CHECK=0 or CHECK=1"},
                    UsageCase{"UnknownListItem", {"run", "防腐材料", "--choose", "List1=φ58"}, "no item φ58"},
                    UsageCase{"PressNotAButton", {"run", "壁厚计算", "--press", "Text6"}, "not a button"},
                    UsageCase{"DescribeUnknown", {"describe", "RIVER2"}, "unknown window"},
                    // Only what the engineer could type into a window's visible text fields.
                    UsageCase{"SetHiddenWorkingField", {"run", "防腐材料", "--set", "Text25=管径='57'"}, "Text25 is a hidden field"},
                    UsageCase{"SetLabel", {"run", "土建材料", "--set", "Label14=注"}, "Label14 is not a text field"},
                    UsageCase{"SetButton", {"run", "壁厚计算", "--set", "Command1=x"}, "Command1 is not a text field"},
                    // Texts are UTF-8: a stray byte, a cut sequence, an overlong form, a surrogate.
                    UsageCase{"SetStrayByte", {"run", "壁厚计算", "--set", "Text5=\xff"}, "--set value for Text5 is not valid UTF-8"},
                    UsageCase{"SetCutSequence", {"run", "壁厚计算", "--set", "Text5=3\xe5\xa3"}, "not valid UTF-8"},
                    UsageCase{"SetOverlongSlash", {"run", "壁厚计算", "--set", "Text5=\xc0\xaf"}, "not valid UTF-8"},
                    UsageCase{"SetSurrogate", {"run", "壁厚计算", "--set", "Text5=\xed\xa0\x80"}, "not valid UTF-8"},
                    UsageCase{"ChooseStrayByte", {"run", "防腐材料", "--choose", "List1=φ\xff"}, "--choose value for List1 is not valid UTF-8"},
                    // A name that holds a line break still gives one line.
                    UsageCase{"NameWithLineBreak", {"run", "壁厚计算", "--set", "Text\n99=1"}, "no control Text 99"},
                    UsageCase{"NoCommand", {}, "pylora-cli"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HeadlessRunnerTest, ListsWindowsInMenuOrderWithTheirTitles) {
    const Outcome o = run({"list"});
    ASSERT_EQ(o.status, kExitDone);
    EXPECT_NE(o.out.find("壁厚计算\t壁厚计算\n"), std::string::npos);
    EXPECT_NE(o.out.find("定向钻穿越\t定向钻穿越(输入地面标高）\n"), std::string::npos);
    EXPECT_LT(o.out.find("防腐材料\t"), o.out.find("壁厚计算\t"));  // the material menu stands first
}

TEST(HeadlessRunnerTest, MenuIndentsTwoBlanksPerLevel) {
    const Outcome o = run({"menu"});
    ASSERT_EQ(o.status, kExitDone);
    EXPECT_EQ(o.out.rfind("menu_material_local\t线路提料选型(&B)\tmenu\n", 0), 0u);
    EXPECT_NE(o.out.find("\n    MENU_bring_TUJIAN_stone\t砌石结构√\tshow 土建材料二\n"), std::string::npos);
    EXPECT_NE(o.out.find("\n  MENU_print_print\t打印 \tprint\n"), std::string::npos);
}

TEST(HeadlessRunnerTest, DescribeGivesKindLabelDefaultAndFrame) {
    const Outcome o = run({"describe", "壁厚计算"});
    ASSERT_EQ(o.status, kExitDone);
    const auto json = nlohmann::json::parse(o.out);
    EXPECT_EQ(json["title"], "壁厚计算");
    bool found = false;
    for (const auto& control : json["controls"]) {
        if (control["name"] != "Text2") continue;
        found = true;
        EXPECT_EQ(control["kind"], "field");
        EXPECT_EQ(control["label"], "管道的设计压力（MPa） ");
        EXPECT_EQ(control["default"], "3.92");
        EXPECT_EQ(control["frame"]["caption"], "输入参数");
    }
    EXPECT_TRUE(found);
}

TEST(HeadlessRunnerTest, SettingsApplyInTheOrderGiven) {
    const Outcome o = run({"run", "壁厚计算", "--set", "Text2=1", "--set", "Text2=3.92"});
    ASSERT_EQ(o.status, kExitDone);
    EXPECT_EQ(nlohmann::json::parse(o.out)["controls"]["Text6"]["text"], "9.8");
}

TEST(HeadlessRunnerTest, TypedTextsInEveryScriptAreTaken) {
    const Outcome o = run({"run", "壁厚计算", "--set", "Text5=５𝟓"});
    ASSERT_EQ(o.status, kExitRunFailed) << o.err;
    const auto json = nlohmann::json::parse(o.out);
    EXPECT_EQ(json["controls"]["Text5"]["text"], "５𝟓");
    EXPECT_EQ(json["failure"]["control"], "Text5");
}

// Bytes that are not UTF-8 in a path or a database text are shown as replacement characters;
// the window's JSON is printed all the same.
const std::vector<std::string> kAnticorrosionRun{"run", "防腐材料", "--choose", "List1=φ159", "--choose", "List2=（加强）"};

TEST(HeadlessRunnerTest, PathThatIsNotUtf8IsShownWithReplacementCharacters) {
    const Outcome o = run(kAnticorrosionRun, "/nonexistent/\xff\xfe");
    ASSERT_EQ(o.status, kExitRunFailed) << o.err;
    const auto json = nlohmann::json::parse(o.out);
    EXPECT_NE(json["failure"]["cause"].get<std::string>().find("/nonexistent/\uFFFD\uFFFD/"), std::string::npos)
        << json["failure"]["cause"];
}

TEST(HeadlessRunnerTest, DatabaseTextThatIsNotUtf8IsShownWithReplacementCharacters) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(testing::TempDir()) / "pylora-database-not-utf8";
    fs::remove_all(folder);
    fs::copy(PYLORA_DATABASE_DIR, folder);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((folder / "现场防腐绝缘7.sqlite").c_str(), &db), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "UPDATE 现场防腐绝缘材料 SET 热缩套 = CAST(X'48FF53' AS TEXT)", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);

    const Outcome o = run(kAnticorrosionRun, folder);
    EXPECT_EQ(o.status, kExitDone) << o.err;
    EXPECT_EQ(nlohmann::json::parse(o.out)["controls"]["Text18"]["text"], "H\uFFFDS");
    fs::remove_all(folder);
}

}  // namespace
}  // namespace pylora

namespace pylora {
namespace {

// The report is the run's: settings and presses as for run, the same exit status; the format
// is the file's: HTML, or the report's content as JSON.
TEST(ReportCommand, WritesTheRunInTheFormatTheFileNames) {
    const Outcome done = run({"report", "壁厚计算", "--set", "Text2=0.3", "--project-name", "西部管道",
                              "--design-stage", "施工图设计", "--checked-by", "王工", "--date", "2026年12月10日",
                              "--output", "-"});
    EXPECT_EQ(done.status, kExitDone) << done.err;
    for (const char* part : {"<!DOCTYPE html>", "charset=\"utf-8\"", "输气管道壁厚计算 计算书", "西部管道", "施工图设计",
                             "王工", "2026年12月10日", "0.75", "<svg"})
        EXPECT_NE(done.out.find(part), std::string::npos) << part;

    const Outcome json = run({"report", "壁厚计算", "--set", "Text5=0.5", "-o", "-", "--format", "json"});
    EXPECT_EQ(json.status, kExitRunFailed);
    const nlohmann::json report = nlohmann::json::parse(json.out);
    EXPECT_EQ(report["state"], "failed");
    EXPECT_TRUE(report["results"].empty());

    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "pylora_report_command";
    std::filesystem::create_directories(folder);
    const std::filesystem::path file = folder / "壁厚.JSON";
    EXPECT_EQ(run({"report", "壁厚计算", "-o", file.string()}).status, kExitDone);
    EXPECT_TRUE(std::filesystem::file_size(file) > 100);
    std::filesystem::remove_all(folder);
}

// A file the runner cannot write is refused before the window runs, with one line; so is a PDF
// or DOCX where no program lays out pages (the runner's own tests have none).
TEST(ReportCommand, RefusesFormatsItCannotWrite) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"report", "壁厚计算", "-o", "计算书.xyz"}, {"report", "壁厚计算", "-o", "计算书"},
          {"report", "壁厚计算", "-o", "计算书.odt"}, {"report", "壁厚计算", "-o", "x.html", "--format", "rtf"},
          {"report", "壁厚计算", "-o", "计算书.pdf"}, {"report", "壁厚计算"}, {"report", "没有的窗口", "-o", "-"}}) {
        const Outcome o = run(args);
        EXPECT_EQ(o.status, kExitUsage) << args.back();
        EXPECT_TRUE(o.out.empty());
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
    }
    EXPECT_FALSE(std::filesystem::exists("计算书.xyz"));
}

}  // namespace
}  // namespace pylora
