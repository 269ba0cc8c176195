// Number reading on any bytes: a field's whole text (FieldValue) and its leading number
// (LeadingValue). A text is read as a finite number or refused with a RunFailure naming the
// field; a number read from a text reads back the same from its own general form.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "model/field_access.h"
#include "model/number_reading.h"
#include "model/run_failure.h"

namespace {

void require(bool condition, const char* what, std::string_view text) {
    if (condition) return;
    std::fprintf(stderr, "%s: \"%.*s\"\n", what, static_cast<int>(text.size()), text.data());
    std::abort();
}

// The general form keeps 15 significant digits: reading it back is within that precision.
void requireReadsBack(double value, std::string_view text) {
    const std::string written = pylora::NumberText(value);
    const auto again = pylora::parseStrictNumber(written);
    // Fifteen digits round the largest doubles up beyond double precision: too large to read.
    if (!again && std::fabs(value) >= 1.79769313486231e308) return;
    require(again.has_value(), "the general form of a number read is not a number", text);
    require(std::fabs(*again - value) <= 1e-14 * std::fabs(value), "a number does not read back", text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const auto strict = pylora::parseStrictNumber(text)) {
        require(std::isfinite(*strict), "a whole text reads as a number that is not finite", text);
        requireReadsBack(*strict, text);
    }
    if (const auto leading = pylora::parseLeadingNumber(text)) {
        require(std::isfinite(*leading), "a leading number is not finite", text);
        requireReadsBack(*leading, text);
    }
    for (auto read : {&pylora::FieldValueOfText, &pylora::LeadingValueOfText}) {
        try {
            const pylora::Num value = read(text, "Text1");
            require(value.source() == "Text1", "a number forgets its field", text);
        } catch (const pylora::RunFailure& failure) {
            require(failure.control() == "Text1", "a refused text does not name its field", text);
        }
    }
    return 0;
}
