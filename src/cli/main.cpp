#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <iostream>

#include "cli/headless_runner.h"

extern char** environ;

namespace {

// PDF and DOCX reports are laid out by pylora-report beside this program, with the Qt libraries;
// the runner itself stays without them, so that run starts as fast as ever. The helper gets the
// same command line and gives the exit status.
int handToReportProgram(const std::filesystem::path& executable, const std::vector<std::string>& args) {
    const std::string program = (executable.parent_path() / "pylora-report").string();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);  // no display needed; one the caller names is kept
    pid_t child = 0;
    if (posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        std::cerr << "pylora-cli: cannot start " << program << " to write the report\n";
        return pylora::kExitUsage;
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : pylora::kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::filesystem::path executable = std::filesystem::canonical("/proc/self/exe");
    const pylora::Services services = pylora::programServices(executable);
    pylora::ReportFormats formats;
    formats.delegate = [&executable](const std::vector<std::string>& a) { return handToReportProgram(executable, a); };
    pylora::DescriptorOutput standardOutput(STDOUT_FILENO);
    std::ostream out(&standardOutput);
    return pylora::runHeadless(args, out, std::cerr, services, formats);
}
