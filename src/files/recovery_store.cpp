#include "files/recovery_store.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <signal.h>
#include <unistd.h>

#include "files/case_file.h"
#include "files/project_book.h"

namespace pylora {
namespace {

// The process id a recovery file names, 0 when the name is not one of ours.
long ownerOf(const std::filesystem::path& file) {
    if (file.extension() != kCaseExtension && file.extension() != kBookExtension) return 0;
    const std::string name = file.filename().string();
    const auto dash = name.find('-');
    if (dash == std::string::npos || dash == 0) return 0;
    char* end = nullptr;
    const long pid = std::strtol(name.c_str(), &end, 10);
    return end == name.c_str() + dash && pid > 0 ? pid : 0;
}

bool running(long pid) { return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM; }

// Own copies of every kind; abandoned ones of one kind (extension).
std::vector<std::filesystem::path> filesWhere(const std::filesystem::path& folder, bool own, const char* extension = "") {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const long pid = ownerOf(entry.path());
        if (pid == 0 || (!own && entry.path().extension() != extension)) continue;
        if (own ? pid == ::getpid() : pid != ::getpid() && !running(pid)) files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
        std::error_code ignored;
        return std::filesystem::last_write_time(a, ignored) < std::filesystem::last_write_time(b, ignored);
    });
    return files;
}

}  // namespace

std::filesystem::path recoveryFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && std::filesystem::path(state).is_absolute())
        return std::filesystem::path(state) / "pylora" / "recovery";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : ".") / ".local" / "state" / "pylora" / "recovery";
}

std::filesystem::path recoveryFile(const std::filesystem::path& folder, const std::string& formName) {
    return folder / std::filesystem::u8path(std::to_string(::getpid()) + "-" + formName + kCaseExtension);
}

std::filesystem::path projectRecoveryFile(const std::filesystem::path& folder) {
    return folder / std::filesystem::u8path(std::to_string(::getpid()) + "-工程" + kBookExtension);
}

std::vector<std::filesystem::path> abandonedRecoveryFiles(const std::filesystem::path& folder) {
    return filesWhere(folder, false, kCaseExtension);
}

std::vector<std::filesystem::path> abandonedProjectRecoveryFiles(const std::filesystem::path& folder) {
    return filesWhere(folder, false, kBookExtension);
}

std::filesystem::path damagedRecoveryFile(const std::filesystem::path& copy) {
    std::filesystem::path aside = copy;
    aside += ".damaged";
    return aside;
}

std::vector<std::filesystem::path> ownRecoveryFiles(const std::filesystem::path& folder) {
    return filesWhere(folder, true);
}

}  // namespace pylora
