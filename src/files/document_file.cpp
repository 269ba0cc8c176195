#include "files/document_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace pylora {

std::string readDocumentFile(const std::filesystem::path& file, std::uintmax_t largest, const std::string& tooLarge) {
    std::error_code error;
    if (std::filesystem::is_directory(file, error)) throw DocumentReadFault{"是一个文件夹"};
    std::ifstream in(file, std::ios::binary);
    if (!in) throw DocumentReadFault{"无法打开（" + std::string(std::strerror(errno)) + "）"};
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (!error && size > largest) throw DocumentReadFault{tooLarge};
    std::ostringstream contents;
    contents << in.rdbuf();
    if (in.bad()) throw DocumentReadFault{"读取失败"};
    return contents.str();
}

}  // namespace pylora
