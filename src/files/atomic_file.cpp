#include "files/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <random>
#include <utility>

namespace pylora {
namespace {

namespace fs = std::filesystem;

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Creates a file no one else has: ".<name>.<random>.tmp" beside the target, hidden from listings.
int createTemporary(const fs::path& target, fs::path& temporary) {
    static std::atomic<unsigned> counter{0};
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string suffix = std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
                                   std::to_string(entropy() % 1000000);
        temporary = target.parent_path() / ("." + target.filename().string() + "." + suffix + ".tmp");
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// The file a chain of links ends at, the links themselves kept: a dangling link names the file
// to be created. A loop of links ends the chain where it was (the write then fails as it should).
fs::path endOfLinks(const fs::path& given) {
    fs::path path = given;
    std::error_code error;
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, error)); ++hops) {
        const fs::path next = fs::read_symlink(path, error);
        if (error) break;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

}  // namespace

std::string WriteFailure::reason() const { return std::strerror(error); }

std::string WriteFailure::reasonInWords() const {
    switch (error) {
        case ENOSPC: return "磁盘空间不足";
        case EDQUOT: return "超出磁盘配额";
        case EFBIG: return "文件过大";
        case EACCES:
        case EPERM: return "权限不足";
        case ENOENT: return "目录不存在";
        case ENOTDIR: return "路径中有一项不是目录";
        case EISDIR: return "目标是一个目录";
        case EROFS: return "文件系统为只读";
        case ENAMETOOLONG: return "文件名过长";
        case EIO: return "磁盘读写错误";
        default: return reason();
    }
}

AtomicFileWriter::AtomicFileWriter(const fs::path& given) {
    // A link is followed, dangling or not: the file it names is written, the link stays.
    target_ = endOfLinks(given);
    struct stat existing {};
    exists_ = ::stat(target_.c_str(), &existing) == 0;
    mode_ = existing.st_mode & 07777;
    if (exists_ && S_ISDIR(existing.st_mode)) {
        failure_ = WriteFailure{EISDIR};
    } else if (exists_ && !S_ISREG(existing.st_mode)) {
        fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC);  // a device or a pipe cannot be replaced
    } else {
        fd_ = createTemporary(target_, temporary_);
    }
    if (fd_ < 0 && !failure_) failure_ = WriteFailure{errno};
}

AtomicFileWriter::~AtomicFileWriter() {
    if (fd_ >= 0) ::close(fd_);
    if (fd_ >= 0 && !temporary_.empty()) ::unlink(temporary_.c_str());
}

bool AtomicFileWriter::write(std::string_view bytes) {
    if (failure_) return false;
    if (!writeAll(fd_, bytes)) failure_ = WriteFailure{errno};
    return !failure_;
}

std::optional<WriteFailure> AtomicFileWriter::commit() {
    if (failure_ || fd_ < 0) return failure_;
    const int fd = std::exchange(fd_, -1);
    if (temporary_.empty()) {
        ::close(fd);
        return std::nullopt;
    }
    bool ok = !exists_ || ::fchmod(fd, mode_) == 0 || errno == EPERM;
    if (ok) ok = ::fsync(fd) == 0;
    int error = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && ::rename(temporary_.c_str(), target_.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(temporary_.c_str());
        failure_ = WriteFailure{error};
        return failure_;
    }
    // The rename itself reaches the disk with the folder.
    const fs::path folder = target_.parent_path().empty() ? fs::path(".") : target_.parent_path();
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return std::nullopt;
}

std::optional<WriteFailure> writeFileAtomically(const fs::path& target, std::string_view bytes) {
    AtomicFileWriter file(target);
    file.write(bytes);
    return file.commit();
}

}  // namespace pylora
