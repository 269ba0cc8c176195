#pragma once
// The harnesses that reach the material database run on a read-only copy of the build's
// database folder, and stop with a crash as soon as any file of it changes.
#include <filesystem>

namespace pylora::fuzz {

// The copy, made on first use in a fresh temporary folder; its files are read-only.
const std::filesystem::path& readOnlyDatabaseCopy();

// Aborts when a file of the copy differs in size or modification time from when it was made,
// so that the input that wrote to it is kept as the crash.
void requireDatabaseUnchanged();

}  // namespace pylora::fuzz
