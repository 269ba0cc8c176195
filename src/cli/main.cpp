#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
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
        if (errno != EINTR) {
            std::cerr << "pylora-cli: lost " << program << " while it wrote the report: " << std::strerror(errno) << '\n';
            return pylora::kExitWriteFailed;
        }
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    // Killed (out of memory, a fault of its own): the report is not written, and that is said.
    const int signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    std::cerr << "pylora-cli: " << program << " was ended by signal " << signal << " (" << strsignal(signal)
              << ") before the report was written\n";
    return pylora::kExitWriteFailed;
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
