// The project book reader on any bytes: refused with a BookFileError naming the file, or read
// as a book that, written again and read again, is the same book byte for byte. A chapter's case
// is read as strictly as a case file; nesting, keys given twice, numbers beyond a double, NUL
// bytes and titles past their length end in a refusal, never a crash or a stack overflow.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "files/project_book.h"

namespace {

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    pylora::ProjectBook book;
    try {
        book = pylora::parseBook(text, "fuzz.pylora-project");
    } catch (const pylora::BookFileError& e) {
        require(std::string_view(e.what()).starts_with("工程文件 fuzz.pylora-project："), "a refusal that does not name the file");
        return 0;
    }
    const std::string written = pylora::bookText(book);
    try {
        require(pylora::bookText(pylora::parseBook(written, "again.pylora-project")) == written,
                "written again, read otherwise");
    } catch (const pylora::BookFileError&) {
        require(false, "a book read, written and refused");
    }
    return 0;
}
