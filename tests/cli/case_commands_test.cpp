// pylora-cli with case files: run … --save, run --case [more settings], report --case; a file
// that is no case ends the command with exit status 2 and one line naming the file, a case that
// cannot be written with exit status 4 and one line naming the file and the reason.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "cli/headless_runner.h"
#include "files/case_file.h"
#include "model/window_registry.h"
#include "test_services.h"

namespace pylora {
namespace {

namespace fs = std::filesystem;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

class CaseCommands : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("pylora-cli-case-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    Outcome run(std::vector<std::string> args) {
        std::ostringstream out, err;
        const Services services = testServicesWithGroundFile();
        const int status = runHeadless(args, out, err, services);
        return {status, out.str(), err.str()};
    }
    std::string path(const char* name) const { return (folder_ / name).string(); }

    fs::path folder_;
};

TEST_F(CaseCommands, ASavedRunOpensToTheSameWindow) {
    const Outcome saved = run({"run", "壁厚计算", "--set", "Text2=6.3", "--save", path("a.pylora")});
    ASSERT_EQ(saved.status, kExitDone) << saved.err;
    const Outcome opened = run({"run", "--case", path("a.pylora")});
    ASSERT_EQ(opened.status, kExitDone) << opened.err;
    const auto before = nlohmann::json::parse(saved.out), after = nlohmann::json::parse(opened.out);
    EXPECT_EQ(after["controls"], before["controls"]);
    EXPECT_EQ(after["case"]["differences"], nlohmann::json::array());

    // More settings start from the case and run its steps again.
    const Outcome changed = run({"run", "--case", path("a.pylora"), "--set", "Text2=5"});
    ASSERT_EQ(changed.status, kExitDone) << changed.err;
    const auto third = nlohmann::json::parse(changed.out);
    EXPECT_EQ(third["controls"]["Text2"]["text"], "5");
    EXPECT_NE(third["controls"]["Text6"], before["controls"]["Text6"]);
}

// P changed after the run and saved without running: the case holds P = 5 and no steps, so
// nothing is recomputed, and the wall thicknesses of P = 3.92 the window shows are stale, in the
// JSON and in the 计算书.
TEST_F(CaseCommands, InputsChangedAfterTheRunAreNotShownWithResults) {
    CalcForm window(*findWindow("壁厚计算"), testServices());
    ASSERT_FALSE(window.press("Command1"));
    window.form().type("Text2", "5");
    saveCase(captureCase(window), path("changed.pylora"));

    const Outcome opened = run({"run", "--case", path("changed.pylora")});
    ASSERT_EQ(opened.status, kExitDone) << opened.err;
    const auto json = nlohmann::json::parse(opened.out);
    EXPECT_EQ(json["controls"]["Text2"]["text"], "5");
    EXPECT_EQ(json["case"]["recomputed"], false);
    EXPECT_EQ(json["stale"], nlohmann::json::array({"Text6", "Text7", "Text10"}));

    const Outcome report = run({"report", "--case", path("changed.pylora"), "-o", "-", "--format", "json"});
    EXPECT_EQ(report.out.find("9.8"), std::string::npos) << "a result of P = 3.92 in the report";

    // Its steps pressed again, the results are the case's own.
    const auto pressed = nlohmann::json::parse(run({"run", "--case", path("changed.pylora"), "--press", "Command1"}).out);
    EXPECT_EQ(pressed["stale"], nlohmann::json::array());
    EXPECT_EQ(pressed["case"]["recomputed"], true);
}

TEST_F(CaseCommands, TheSurveyTravelsInTheCase) {
    ASSERT_EQ(run({"run", "定向钻穿越地面数据", "--press", "Command1", "--press", "Command3", "--save", path("d.pylora")}).status,
              kExitDone);
    std::ostringstream out, err;
    Services elsewhere;  // no database folder, no ground data file: only the records in the case
    elsewhere.databaseFolder = folder_ / "none";
    elsewhere.groundDataFile = folder_ / "none" / "1.TXT";
    ASSERT_EQ(runHeadless({"run", "--case", path("d.pylora")}, out, err, elsewhere), kExitDone) << err.str();
    EXPECT_EQ(nlohmann::json::parse(out.str())["case"]["differences"], nlohmann::json::array());
}

TEST_F(CaseCommands, TheReportNotesResultsThatDifferFromTheSavedOnes) {
    ASSERT_EQ(run({"run", "壁厚计算", "--save", path("a.pylora")}).status, kExitDone);
    std::ifstream in(path("a.pylora"));
    auto json = nlohmann::ordered_json::parse(in);
    json["results"]["Text6"] = "1.23";
    std::ofstream(path("old.pylora")) << json.dump(2);
    const Outcome report = run({"report", "--case", path("old.pylora"), "-o", "-", "--format", "json"});
    ASSERT_EQ(report.status, kExitDone) << report.err;
    const auto differences = nlohmann::json::parse(report.out)["differences_from_case"];
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_NE(differences[0].get<std::string>().find("保存时为 1.23"), std::string::npos) << differences;
    const Outcome html = run({"report", "--case", path("old.pylora"), "-o", "-"});
    EXPECT_NE(html.out.find("以下结果与保存时不同"), std::string::npos);
}

TEST_F(CaseCommands, BadCaseFilesExitTwoWithOneLineNamingTheFile) {
    std::ofstream(path("empty.pylora")).close();
    std::ofstream(path("other.pylora")) << R"({"format": "pylora-case", "format_version": 9})";
    const struct {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"run", "--case", path("missing.pylora")}, "missing.pylora：无法打开"},
        {{"run", "--case", path("empty.pylora")}, "empty.pylora：文件为空"},
        {{"report", "--case", path("other.pylora"), "-o", "-"}, "other.pylora：格式版本 9"},
        {{"run"}, "name the window FORM or a case file with --case FILE"},
    };
    for (const auto& c : cases) {
        const Outcome o = run(c.args);
        EXPECT_EQ(o.status, kExitUsage) << c.message;
        EXPECT_NE(o.err.find(c.message), std::string::npos) << o.err;
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
    }
    ASSERT_EQ(run({"run", "壁厚计算", "--save", path("a.pylora")}).status, kExitDone);
    const Outcome other = run({"run", "水力计算", "--case", path("a.pylora")});
    EXPECT_EQ(other.status, kExitUsage);
    EXPECT_NE(other.err.find("is of window 壁厚计算"), std::string::npos) << other.err;
}

TEST_F(CaseCommands, ACaseThatCannotBeWrittenExitsFourNamingTheFileAndTheReason) {
    fs::create_directory(folder_ / "taken.pylora");  // a folder of that name: the case cannot replace it
    const struct {
        std::string path;
        const char* message;
    } cases[] = {
        {path("no/such/folder/a.pylora"), "a.pylora：无法写入（目录不存在）"},
        {path("taken.pylora"), "taken.pylora：无法写入（"},
    };
    for (const auto& c : cases) {
        const Outcome o = run({"run", "壁厚计算", "--save", c.path});
        EXPECT_EQ(o.status, kExitWriteFailed) << c.message;
        EXPECT_NE(o.err.find(c.message), std::string::npos) << o.err;
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
        EXPECT_TRUE(o.out.empty()) << "a run whose case was not saved printed its window";
    }
    EXPECT_TRUE(fs::is_directory(folder_ / "taken.pylora"));
}

}  // namespace
}  // namespace pylora
