#include "files/document_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace pylora {
namespace {

const char* kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "是一个文件夹";
    if (S_ISFIFO(mode)) return "是管道，不是普通文件";
    if (S_ISSOCK(mode)) return "是套接字，不是普通文件";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "是设备，不是普通文件";
    return "不是普通文件";
}

class OpenFile {
public:
    explicit OpenFile(int fd) : fd(fd) {}
    ~OpenFile() {
        if (fd >= 0) ::close(fd);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    const int fd;
};

}  // namespace

std::string readDocumentFile(const std::filesystem::path& file, std::uintmax_t largest, const std::string& tooLarge) {
    // Only a regular file is opened: opening a pipe waits for a writer, a device never ends.
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) throw DocumentReadFault{"无法打开（" + std::string(std::strerror(errno)) + "）"};
    if (!S_ISREG(status.st_mode)) throw DocumentReadFault{kindOf(status.st_mode)};
    if (static_cast<std::uintmax_t>(status.st_size) > largest) throw DocumentReadFault{tooLarge};
    const OpenFile in(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (in.fd < 0) throw DocumentReadFault{"无法打开（" + std::string(std::strerror(errno)) + "）"};
    if (::fstat(in.fd, &status) != 0 || !S_ISREG(status.st_mode)) throw DocumentReadFault{kindOf(status.st_mode)};
    // Read through the cap whatever the size said: the file may grow while it is read.
    std::string contents;
    contents.reserve(static_cast<std::size_t>(status.st_size));
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(in.fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) throw DocumentReadFault{"读取失败（" + std::string(std::strerror(errno)) + "）"};
        if (got == 0) return contents;
        if (contents.size() + static_cast<std::size_t>(got) > largest) throw DocumentReadFault{tooLarge};
        contents.append(buffer, static_cast<std::size_t>(got));
    }
}

}  // namespace pylora
