#include "database_copy.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <sys/stat.h>

namespace pylora::fuzz {
namespace {

struct FileStamp {
    off_t size;
    long long modifiedNs;
    bool operator==(const FileStamp&) const = default;
};

FileStamp stampOf(const std::filesystem::path& file) {
    struct stat s {};
    if (stat(file.c_str(), &s) != 0) return {-1, -1};
    return {s.st_size, static_cast<long long>(s.st_mtim.tv_sec) * 1000000000LL + s.st_mtim.tv_nsec};
}

struct Copy {
    std::filesystem::path folder;
    std::map<std::filesystem::path, FileStamp> stamps;
};

Copy makeCopy() {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "pylora-fuzz-db-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("pylora fuzz: cannot make a temporary folder");
        std::abort();
    }
    Copy copy{pattern, {}};
    for (const fs::directory_entry& entry : fs::directory_iterator(PYLORA_DATABASE_DIR)) {
        const fs::path target = copy.folder / entry.path().filename();
        fs::copy_file(entry.path(), target);
        fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        copy.stamps[target] = stampOf(target);
    }
    return copy;
}

Copy& theCopy() {
    static Copy copy = makeCopy();
    static const bool removedAtExit = std::atexit([] {
        std::error_code ignored;
        std::filesystem::permissions(theCopy().folder, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(theCopy().folder, ignored);
    }) == 0;
    (void)removedAtExit;
    return copy;
}

}  // namespace

const std::filesystem::path& readOnlyDatabaseCopy() { return theCopy().folder; }

void requireDatabaseUnchanged() {
    const Copy& copy = theCopy();
    for (const auto& [file, stamp] : copy.stamps) {
        if (stampOf(file) == stamp) continue;
        std::fprintf(stderr, "pylora fuzz: the database file %s changed\n", file.c_str());
        std::abort();
    }
    for (const auto& entry : std::filesystem::directory_iterator(copy.folder)) {
        if (copy.stamps.count(entry.path())) continue;
        std::fprintf(stderr, "pylora fuzz: %s appeared beside the database files\n", entry.path().c_str());
        std::abort();
    }
}

}  // namespace pylora::fuzz
