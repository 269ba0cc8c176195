// Number texts for any double: bit patterns straight from the input (NaN payloads, infinities,
// subnormals, the largest values) and values read from text. A finite value is written in its
// form and reads back within the digits the form keeps; a value that is not finite ends the run
// naming the field, and never reaches a buffer.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>

#include "model/field_access.h"
#include "model/number_reading.h"
#include "model/run_failure.h"

namespace {

// 1.79769313486231E+308, the largest general form that is still a double.
constexpr double kLargestReadBack = 1.79769313486231e308;

[[noreturn]] void fault(const char* what, double value, const std::string& text) {
    std::fprintf(stderr, "%s: %.17g written as \"%s\"\n", what, value, text.c_str());
    std::abort();
}

bool onlyCharacters(const std::string& text, const char* allowed) {
    return text.find_first_not_of(allowed) == std::string::npos;
}

void requireNonFiniteRefused(double value, const std::function<std::string()>& write) {
    try {
        fault("a value that is not finite was written", value, write());
    } catch (const pylora::RunFailure& failure) {
        if (failure.control() != "Text1") fault("a refused value does not name its field", value, "");
    }
}

void checkGeneralForm(double value) {
    const std::string text = pylora::NumberText(pylora::Num(value, "Text1"));
    if (!onlyCharacters(text, "-0123456789.E+")) fault("the general form holds other characters", value, text);
    const auto again = pylora::parseStrictNumber(text);
    // Fifteen digits round the largest doubles up beyond double precision: too large to read.
    if (!again && std::fabs(value) < kLargestReadBack) fault("the general form does not read as a number", value, text);
    if (!again) return;
    const double tolerance = std::fmax(1e-14 * std::fabs(value), 1e-322);
    if (std::fabs(*again - value) > tolerance) fault("the general form does not read back", value, text);
}

void checkPattern(double value, int decimals) {
    const std::string pattern = "#." + std::string(decimals, '#');
    const std::string text = pylora::FormatNumber(pylora::Num(value, "Text1"), pattern);
    if (!onlyCharacters(text, "-0123456789.") || text.find('.') == std::string::npos)
        fault("a pattern text holds other characters", value, text);
    const double again = std::strtod(text.c_str(), nullptr);  // "." and "-." read as 0
    if (std::isinf(again) && std::fabs(value) >= kLargestReadBack) return;
    const double tolerance = 0.5 * std::pow(10.0, -decimals) + 1e-14 * std::fabs(value);
    if (std::fabs(again - value) > tolerance) fault("a pattern text does not read back", value, text);
}

void checkSingle(float value) {
    const std::string text = pylora::NumberTextSingle(value, "Text1");
    const auto again = pylora::parseStrictNumber(text);
    if (!again) fault("the single form does not read as a number", value, text);
    const double tolerance = std::fmax(1e-6 * std::fabs(value), 1e-44);
    if (std::fabs(*again - value) > tolerance) fault("the single form does not read back", value, text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int decimals = 1 + data[0] % 5;
    const bool fromText = data[1] & 1;
    data += 2;
    size -= 2;
    double value = 0;
    float single = 0;
    if (fromText) {
        // Text as the C library reads it: also "nan", "inf", hexadecimal and overlong numbers.
        const std::string text(reinterpret_cast<const char*>(data), size);
        value = std::strtod(text.c_str(), nullptr);
        single = std::strtof(text.c_str(), nullptr);
    } else {
        std::memcpy(&value, data, std::min(size, sizeof value));
        std::memcpy(&single, data, std::min(size, sizeof single));
    }
    if (std::isfinite(value)) {
        checkGeneralForm(value);
        checkPattern(value, decimals);
    } else {
        requireNonFiniteRefused(value, [&] { return pylora::NumberText(pylora::Num(value, "Text1")); });
        requireNonFiniteRefused(value, [&] { return pylora::FormatNumber(pylora::Num(value, "Text1"), "#.##"); });
    }
    if (std::isfinite(single)) {
        checkSingle(single);
    } else {
        requireNonFiniteRefused(single, [&] { return pylora::NumberTextSingle(single, "Text1"); });
    }
    // A pattern outside the family is refused as such, whatever the value.
    try {
        pylora::FormatNumber(value, "#.######");
        fault("a pattern with six decimals was taken", value, "");
    } catch (const std::invalid_argument&) {
    }
    return 0;
}
