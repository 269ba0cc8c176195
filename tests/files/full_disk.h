#pragma once
// A folder on a full disk, for tests of what a failed write leaves behind. The body runs in a
// child process: as root on a 64 KiB tmpfs of its own mount namespace, filled up (nothing of it
// outlives the child); elsewhere with a file-size limit of 1 KiB, so that a write beyond it
// fails as a full disk would. The body's old files must be smaller than that.
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

namespace pylora::testing_support {

inline bool onOwnFullTmpfs(const std::filesystem::path& folder) {
    if (::unshare(CLONE_NEWNS) != 0) return false;
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) return false;
    return ::mount("tmpfs", folder.c_str(), "tmpfs", 0, "size=64k") == 0;
}

// Fills what room is left with a file of its own.
inline void fillUp(const std::filesystem::path& folder) {
    std::ofstream filler(folder / "filler", std::ios::binary);
    const std::string block(4096, 'x');
    while (filler.write(block.data(), block.size())) filler.flush();
}

// Runs body(folder, oldFiles) on a full disk: oldFiles(folder) writes the files that must
// survive before the disk is filled. True when the body returned true.
inline bool onFullDisk(const std::function<void(const std::filesystem::path&)>& oldFiles,
                       const std::function<bool(const std::filesystem::path&)>& body) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("pylora_full_disk_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const pid_t child = ::fork();
    if (child == 0) {
        if (onOwnFullTmpfs(folder)) {
            oldFiles(folder);
            fillUp(folder);
        } else {
            oldFiles(folder);
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{1024, 1024};
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        ::_exit(body(folder) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    std::filesystem::remove_all(folder);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace pylora::testing_support
