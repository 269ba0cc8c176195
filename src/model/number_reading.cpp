#include "model/number_reading.h"

#include <cmath>
#include <string>

#include "model/decimal_value.h"
#include "model/text.h"

namespace pylora {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads sign, digits with at most one point, and an exponent with digits, from `text` at `pos`.
// Returns the consumed number text (commas dropped where allowed) and advances pos.
struct Scan {
    std::string number;
    bool hasDigits = false;
};

Scan scanNumber(std::string_view text, std::size_t& pos, bool allowCommas) {
    Scan scan;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) scan.number += text[pos++];
    bool seenPoint = false;
    while (pos < text.size()) {
        const char c = text[pos];
        if (isDigit(c)) {
            scan.number += c;
            scan.hasDigits = true;
        } else if (c == '.' && !seenPoint) {
            scan.number += c;
            seenPoint = true;
        } else if (c == ',' && allowCommas && !seenPoint && pos > 0 && isDigit(text[pos - 1]) &&
                   pos + 1 < text.size() && isDigit(text[pos + 1])) {
            // digit grouping in the integer part is ignored
        } else {
            break;
        }
        ++pos;
    }
    if (scan.hasDigits && pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t p = pos + 1;
        std::string exponent = "e";
        if (p < text.size() && (text[p] == '+' || text[p] == '-')) exponent += text[p++];
        const std::size_t digitsStart = p;
        while (p < text.size() && isDigit(text[p])) exponent += text[p++];
        if (p > digitsStart) {
            scan.number += exponent;
            pos = p;
        }
    }
    return scan;
}

std::optional<double> toDouble(const std::string& number) {
    const double value = decimalValue(number.c_str());
    if (std::isinf(value)) return std::nullopt;
    return value;
}

}  // namespace

std::optional<double> parseStrictNumber(std::string_view text) {
    const std::string_view core = trimmed(text, kSpacesAndTabs);
    if (core.empty()) return std::nullopt;
    std::size_t pos = 0;
    const Scan scan = scanNumber(core, pos, true);
    if (!scan.hasDigits || pos != core.size()) return std::nullopt;
    return toDouble(scan.number);
}

std::optional<double> parseLeadingNumber(std::string_view text) {
    std::string packed;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') packed += c;
    std::size_t pos = 0;
    const Scan scan = scanNumber(packed, pos, false);
    if (!scan.hasDigits) return 0.0;
    return toDouble(scan.number);
}

}  // namespace pylora
