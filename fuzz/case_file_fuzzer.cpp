// The case file reader on any bytes: a text is either refused with a CaseFileError naming the
// file, or read as a case that, written again and read again, is the same case byte for byte.
// Nesting, keys given twice, numbers beyond a double, NUL bytes and long lists end in a refusal,
// never a crash, a stack overflow or time out of proportion to the bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/case_file.h"

namespace {

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    pylora::CaseFile file;
    try {
        file = pylora::parseCase(text, "fuzz.pylora");
    } catch (const pylora::CaseFileError& e) {
        require(std::string_view(e.what()).starts_with("计算文件 fuzz.pylora："), "a refusal that does not name the file");
        return 0;
    }
    const std::string written = pylora::caseText(file);
    try {
        require(pylora::caseText(pylora::parseCase(written, "again.pylora")) == written, "written again, read otherwise");
    } catch (const pylora::CaseFileError&) {
        require(false, "a case read, written and refused");
    }
    return 0;
}
