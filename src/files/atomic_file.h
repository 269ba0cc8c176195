#pragma once
// Every file the program writes (reports, case files, drawings, tables) is written whole or not
// at all: the bytes go to a temporary file in the target's folder, are flushed to the disk, and
// the temporary file is renamed over the target. A failure removes the temporary file and leaves
// the earlier file as it was.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace pylora {

struct WriteFailure {
    int error = 0;  // errno

    std::string reason() const;         // the system's words: "No space left on device"
    std::string reasonInWords() const;  // the engineer's: 磁盘空间不足, 权限不足, 目录不存在 …
};

// Writes `bytes` to `target`; nothing when written. A target that exists and is not a regular
// file (a device such as /dev/null, a pipe) is written to directly: it cannot be replaced.
std::optional<WriteFailure> writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// The same for a file written piece by piece (a table of many rows, never held whole): the pieces
// go to the temporary file, commit() puts it in the target's place. Dropped without a commit,
// or after a failed piece, the temporary file is removed and the target stays as it was.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const std::filesystem::path& target);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False once a piece could not be written; failure() then says why.
    bool write(std::string_view bytes);
    std::optional<WriteFailure> commit();
    const std::optional<WriteFailure>& failure() const { return failure_; }

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;  // empty: written in place (a device, a pipe)
    int fd_ = -1;
    bool exists_ = false;
    unsigned mode_ = 0;
    std::optional<WriteFailure> failure_;
};

}  // namespace pylora
