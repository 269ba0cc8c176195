// Files are written whole or not at all: a failed write keeps the earlier file and says why.
#include "files/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <fstream>
#include <sstream>

#include "full_disk.h"

namespace pylora {
namespace {

namespace fs = std::filesystem;

std::string contentsOf(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Only the files the test made: no temporary file stays behind.
std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class AtomicFileTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("pylora_atomic_" + std::to_string(getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path folder_;
};

TEST_F(AtomicFileTest, ReplacesTheFileWholeKeepingItsPermissionsAndLinks) {
    const fs::path target = folder_ / "r.html";
    std::ofstream(target) << "old";
    ::chmod(target.c_str(), 0640);
    const fs::path link = folder_ / "link.html";
    fs::create_symlink(target, link);

    EXPECT_FALSE(writeFileAtomically(link, "new report"));
    EXPECT_EQ(contentsOf(target), "new report");
    EXPECT_TRUE(fs::is_symlink(link));
    struct stat status {};
    ::stat(target.c_str(), &status);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(namesIn(folder_), (std::vector<std::string>{"link.html", "r.html"}));
}

struct FailingTarget {
    const char* name;
    fs::path target;
    int error;
    const char* words;
};

TEST_F(AtomicFileTest, AFailureNamesTheSystemsReasonAndLeavesNothing) {
    fs::create_directories(folder_ / "a folder");
    const FailingTarget cases[] = {
        {"missing folder", folder_ / "no such folder" / "r.html", ENOENT, "目录不存在"},
        {"a folder", folder_ / "a folder", EISDIR, "目标是一个目录"},
    };
    for (const FailingTarget& c : cases) {
        const auto failure = writeFileAtomically(c.target, "report");
        ASSERT_TRUE(failure) << c.name;
        EXPECT_EQ(failure->error, c.error) << c.name;
        EXPECT_EQ(failure->reasonInWords(), c.words) << c.name;
        EXPECT_FALSE(failure->reason().empty()) << c.name;
    }
    EXPECT_EQ(namesIn(folder_), (std::vector<std::string>{"a folder"}));
}

// A device cannot be replaced by a file: it is written to as it is.
TEST_F(AtomicFileTest, ADeviceIsWrittenToNotReplaced) {
    EXPECT_FALSE(writeFileAtomically("/dev/null", "report"));
    struct stat status {};
    ASSERT_EQ(::stat("/dev/null", &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode));
    const auto failure = writeFileAtomically("/dev/full", "report");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->error, ENOSPC);
    EXPECT_EQ(failure->reasonInWords(), "磁盘空间不足");
}

TEST(AtomicFileOnFullDisk, TheOldFileIsKeptAndTheTemporaryRemoved) {
    const bool kept = testing_support::onFullDisk(
        [](const fs::path& folder) { std::ofstream(folder / "r.html") << "old report"; },
        [](const fs::path& folder) {
            const auto failure = writeFileAtomically(folder / "r.html", std::string(256 * 1024, 'n'));
            const std::vector<std::string> names = namesIn(folder);
            const bool onlyOldFiles = names == std::vector<std::string>{"filler", "r.html"} ||
                                      names == std::vector<std::string>{"r.html"};
            return failure && (failure->error == ENOSPC || failure->error == EFBIG) && onlyOldFiles &&
                   contentsOf(folder / "r.html") == "old report";
        });
    EXPECT_TRUE(kept);
}

}  // namespace
}  // namespace pylora
