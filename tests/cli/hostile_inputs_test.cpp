// The runner given what no engineer would give it: a pipe or a device as the case or book, a
// title of a hundred thousand characters, a thousand threads, counts beyond int, a range with a
// comma, a result as the varied input, and a report program that dies by a signal. Each ends at
// once with one line that says why; nothing is read without end or waited on.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
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

Outcome run(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = runHeadless(args, out, err, testServices());
    return {status, out.str(), err.str()};
}

// The runner as a program (PDF books are laid out by pylora-report beside it): exit status and
// what it said on both streams.
std::pair<int, std::string> runProgram(const fs::path& program, const std::vector<std::string>& args) {
    std::string command = "'" + program.string() + "' --database '" + PYLORA_DATABASE_DIR + "'";
    for (const std::string& a : args) command += " '" + a + "'";
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe) return {-1, ""};
    std::string said;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) said.append(buffer, n);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, said};
}

class HostileInputs : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("pylora-cli-hostile-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path folder_;
};

TEST_F(HostileInputs, APipeOrADeviceIsRefusedAtOnceByEveryCommandThatReadsCases) {
    const std::string pipe = (folder_ / "壁厚.pylora").string();
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string out = (folder_ / "out.html").string();
    const std::string book = (folder_ / "b.pdf").string();
    const bool reportProgram = fs::exists(fs::path(PYLORA_CLI).parent_path() / "pylora-report");
    for (const std::string& file : {pipe, std::string("/dev/zero")}) {
        std::vector<std::vector<std::string>> commands = {{"run", "--case", file}, {"report", "--case", file, "-o", out}};
        if (reportProgram) {
            commands.push_back({"book", file, "-o", book});
            commands.push_back({"book", "--case", file, "-o", book});
        }
        for (const auto& command : commands) {
            const auto [status, said] = runProgram(PYLORA_CLI, command);
            EXPECT_EQ(status, kExitUsage) << command[0] << " " << file << ": " << said;
            EXPECT_NE(said.find(file), std::string::npos) << said;
            EXPECT_NE(said.find("不是普通文件"), std::string::npos) << said;
            EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
        }
    }
}

TEST_F(HostileInputs, ProjectFieldsPastASaneLengthAreRefusedByName) {
    const std::string longText(100000, 'x');
    const struct {
        std::vector<std::string> args;
        const char* said;
    } given[] = {
        {{"book", "--case", "a.pylora", "--title", longText, "-o", "b.pdf"}, "--title is longer than 300 characters"},
        {{"book", "--case", "a.pylora", "--project-name", longText, "-o", "b.pdf"}, "--project-name is longer than 300 characters"},
        {{"report", "壁厚计算", "--checked-by", longText, "-o", "r.html"}, "--checked-by is longer than 300 characters"},
    };
    for (const auto& g : given) {
        const Outcome o = run(g.args);
        EXPECT_EQ(o.status, kExitUsage) << o.err;
        EXPECT_NE(o.err.find(g.said), std::string::npos) << o.err.substr(0, 300);
    }
}

TEST_F(HostileInputs, ThreadsBeyondTheMachinesCoresAreCappedAndSaid) {
    const Outcome o = run({"sweep", "壁厚计算", "--vary", "Text2=1:100:1", "--result", "Text6", "-o", "-", "-j", "1024"});
    EXPECT_EQ(o.status, kExitDone) << o.err;
    EXPECT_NE(o.err.find("--jobs 1024: running"), std::string::npos) << o.err;
    EXPECT_EQ(std::count(o.out.begin(), o.out.end(), '\n'), 101);
}

// pylora-cli hands PDF reports to pylora-report beside it: here a stand-in that is killed.
TEST_F(HostileInputs, AReportProgramKilledBySignalIsSaidSo) {
    const fs::path runner = folder_ / "pylora-cli";
    fs::copy_file(PYLORA_CLI, runner);
    std::ofstream(folder_ / "pylora-report") << "#!/bin/sh\nkill -9 $$\n";
    fs::permissions(folder_ / "pylora-report", fs::perms::owner_all);
    const auto [status, said] = runProgram(runner, {"report", "壁厚计算", "-o", (folder_ / "r.pdf").string()});
    EXPECT_EQ(status, kExitWriteFailed);
    EXPECT_NE(said.find("was ended by signal 9 (Killed) before the report was written"), std::string::npos) << said;
}

}  // namespace
}  // namespace pylora
