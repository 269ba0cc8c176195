// The case file reader on any bytes: a text is either refused with a CaseFileError naming the
// file, or read as a case that, written again and read again, is the same case byte for byte.
// Nesting, keys given twice, numbers beyond a double, NUL bytes and long lists end in a refusal,
// never a crash, a stack overflow or time out of proportion to the bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "document_round_trip.h"
#include "files/case_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    pylora::fuzz::requireRefusedOrRoundTrip<pylora::CaseFileError>(
        std::string_view(reinterpret_cast<const char*>(data), size), ".pylora", "计算文件 ",
        [](std::string_view text, const std::string& name) { return pylora::parseCase(text, name); },
        [](const auto& document) { return pylora::caseText(document); });
    return 0;
}
