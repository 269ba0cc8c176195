#pragma once
// Reading a whole document file of the program (a case, a project book) before parsing it.
#include <cstdint>
#include <filesystem>
#include <string>

namespace pylora {

// Why a document file could not be read, in the engineer's words: "是一个文件夹",
// "是管道，不是普通文件", "无法打开（No such file or directory）", the caller's words for a file
// too large, "读取失败（…）".
struct DocumentReadFault {
    std::string text;
};

// The file's bytes; throws DocumentReadFault. Only a regular file is read, and at most `largest`
// bytes of it, whatever its size said: a disk image chosen by mistake, a device or a pipe is
// refused, never read into memory whole or waited on.
std::string readDocumentFile(const std::filesystem::path& file, std::uintmax_t largest, const std::string& tooLarge);

}  // namespace pylora
