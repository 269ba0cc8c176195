// No false success: output that cannot be written ends with its own exit status and one line
// with the system's reason, and a report never destroys the previous file.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "../files/full_disk.h"
#include "cli/headless_runner.h"
#include "test_services.h"

extern char** environ;

namespace pylora {
namespace {

namespace fs = std::filesystem;

TEST(OutputFailure, EveryCommandThatPrintsFailsOnAFullStandardOutput) {
    const std::vector<std::vector<std::string>> commands = {
        {"list"}, {"menu"}, {"describe", "壁厚计算"}, {"run", "壁厚计算"}, {"report", "壁厚计算", "-o", "-"}};
    for (const auto& args : commands) {
        const int fd = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
        std::ostringstream err;
        {
            DescriptorOutput full(fd);
            std::ostream out(&full);
            EXPECT_EQ(runHeadless(args, out, err, testServices()), kExitWriteFailed) << args[0];
        }
        ::close(fd);
        EXPECT_EQ(err.str(), "pylora-cli: cannot write to standard output: " + std::string(std::strerror(ENOSPC)) + "\n")
            << args[0];
    }
}

// The program itself, its standard output on /dev/full or closed.
int runProgram(const std::vector<std::string>& args, const char* standardOutput, std::string& error) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (standardOutput) {
        posix_spawn_file_actions_addopen(&actions, 1, standardOutput, O_WRONLY, 0);
    } else {
        posix_spawn_file_actions_addclose(&actions, 1);
    }
    const fs::path errors = fs::temp_directory_path() / ("pylora_stderr_" + std::to_string(getpid()));
    posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<char*> argv{const_cast<char*>(PYLORA_CLI)};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    const int started = posix_spawn(&child, PYLORA_CLI, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) return -1;
    int status = 0;
    waitpid(child, &status, 0);
    std::ifstream file(errors);
    std::getline(file, error, '\0');
    fs::remove(errors);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(OutputFailure, TheProgramExitsFourOnDevFullAndOnAClosedOutput) {
    const std::vector<std::vector<std::string>> commands = {
        {"list"}, {"describe", "定向钻穿越"}, {"run", "壁厚计算"}, {"report", "壁厚计算", "-o", "-"}};
    for (const auto& args : commands) {
        std::string error;
        EXPECT_EQ(runProgram(args, "/dev/full", error), kExitWriteFailed) << args[0];
        EXPECT_EQ(error, "pylora-cli: cannot write to standard output: No space left on device\n") << args[0];
        EXPECT_EQ(runProgram(args, nullptr, error), kExitWriteFailed) << args[0] << " closed";
        EXPECT_EQ(error, "pylora-cli: cannot write to standard output: Bad file descriptor\n") << args[0];
    }
}

TEST(OutputFailure, AReportOrCaseOnAFullDiskKeepsTheEarlierFileAndSaysWhy) {
    // The profile window after both steps: its report and its case hold far more than a full
    // disk (or the 1 KiB file-size limit) lets through.
    const std::vector<std::string> steps = {"定向钻穿越", "--press", "Command1", "--press", "Command3"};
    const struct {
        const char* command;
        const char* option;
        const char* name;
        const char* message;  // after the path
    } cases[] = {
        {"report", "-o", "r.html", ": "},
        {"report", "-o", "r.json", ": "},
        {"run", "--save", "c.pylora", "：无法写入（"},
    };
    for (const auto& c : cases) {
        const bool kept = testing_support::onFullDisk(
            [&](const fs::path& folder) { std::ofstream(folder / c.name) << "earlier file"; },
            [&](const fs::path& folder) {
                const std::string target = (folder / c.name).string();
                std::vector<std::string> args{c.command};
                args.insert(args.end(), steps.begin(), steps.end());
                args.insert(args.end(), {c.option, target});
                std::ostringstream out, err;
                const int status = runHeadless(args, out, err, testServices());
                std::ifstream file(folder / c.name);
                std::string contents;
                std::getline(file, contents, '\0');
                const std::string message = err.str();
                const std::string named = std::string(c.command) == "report" ? "pylora-cli: cannot write " + target
                                                                             : "pylora-cli: 计算文件 " + target;
                const bool saysWhy = message.starts_with(named + c.message) &&
                                     message.size() > named.size() + std::strlen(c.message) + 1 &&
                                     std::count(message.begin(), message.end(), '\n') == 1;
                return status == kExitWriteFailed && contents == "earlier file" && saysWhy;
            });
        EXPECT_TRUE(kept) << c.command << " " << c.name;
    }
}

TEST(ReportTexts, ProjectFieldsThatAreNotUtf8AreRefused) {
    for (const char* option : {"--project-name", "--project-number", "--design-stage", "--calculated-by",
                               "--checked-by", "--approved-by", "--date"}) {
        std::ostringstream out, err;
        EXPECT_EQ(runHeadless({"report", "壁厚计算", "-o", "-", option, "\xB9\xA4\xB3\xCC"}, out, err, testServices()),
                  kExitUsage)
            << option;
        EXPECT_EQ(err.str(), "pylora-cli: " + std::string(option) + " is not valid UTF-8\n");
        EXPECT_TRUE(out.str().empty());
    }
}

TEST(ReportTexts, ControlCharactersAreShownVisiblyAndNeverReachTheDocument) {
    // In a project field and in a typed field (which then ends the run, and the report says so).
    for (const char* format : {"html", "json"}) {
        std::ostringstream out, err;
        const int status = runHeadless({"report", "壁厚计算", "-o", "-", "--format", format, "--project-name",
                                        "西气\x01东输\x1b[31m\x7f", "--set", "Text1=720\x7f\xC2\x85"},
                                       out, err, testServices());
        ASSERT_EQ(status, kExitRunFailed) << format << " " << err.str();
        const std::string document = out.str();
        EXPECT_NE(document.find("西气\xE2\x90\x81东输\xE2\x90\x9B[31m\xE2\x90\xA1"), std::string::npos)
            << format;  // ␁ ␛ ␡
        EXPECT_NE(document.find("720\xE2\x90\xA1\xEF\xBF\xBD"), std::string::npos) << format;  // ␡ and U+FFFD for C1
        for (char c = 1; c < 0x20; ++c) {
            if (c == '\n' || c == '\t') continue;
            EXPECT_EQ(document.find(c), std::string::npos) << format << " " << int(c);
        }
        EXPECT_EQ(document.find('\x7f'), std::string::npos) << format;
        EXPECT_EQ(document.find("\\u00"), std::string::npos) << format << ": an escaped control character";
    }
}

}  // namespace
}  // namespace pylora
