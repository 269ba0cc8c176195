// The project book reader on any bytes: refused with a BookFileError naming the file, or read
// as a book that, written again and read again, is the same book byte for byte. A chapter's case
// is read as strictly as a case file; nesting, keys given twice, numbers beyond a double, NUL
// bytes and titles past their length end in a refusal, never a crash or a stack overflow.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "document_round_trip.h"
#include "files/project_book.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pylora::fuzz::requireRefusedOrRoundTrip<pylora::BookFileError>(
        std::string_view(reinterpret_cast<const char*>(data), size), ".pylora-project", "工程文件 ",
        [](std::string_view text, const std::string& name) { return pylora::parseBook(text, name); },
        [](const auto& document) { return pylora::bookText(document); });
    return 0;
}
