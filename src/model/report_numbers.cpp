#include "model/report_numbers.h"

#include <cmath>
#include <cstdio>

#include "model/text.h"

namespace pylora {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Adds one unit at the last digit of a digit string: "0999" -> "1000"; a carry out of the
// first digit prepends a 1.
std::string incremented(std::string digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return digits;
        }
        digits[i] = '0';
    }
    return "1" + digits;
}

std::string dropTrailingZeros(std::string fraction) {
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    return fraction;
}

}  // namespace

std::string engineeringNumber(const std::string& shown, int decimals) {
    const std::string text = trimmedString(shown);
    std::size_t i = 0;
    std::string sign;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        if (text[i] == '-') sign = "-";
        ++i;
    }
    std::string whole, fraction;
    while (i < text.size() && isDigit(text[i])) whole += text[i++];
    const bool point = i < text.size() && text[i] == '.';
    if (point) ++i;
    while (i < text.size() && isDigit(text[i])) fraction += text[i++];
    if (i != text.size() || (!point && whole.empty())) return text;  // words, exponents, a lone sign

    if (decimals >= 0 && static_cast<int>(fraction.size()) > decimals) {
        const bool up = fraction[static_cast<std::size_t>(decimals)] >= '5';
        std::string digits = whole + fraction.substr(0, static_cast<std::size_t>(decimals));
        if (up) digits = incremented(digits.empty() ? "0" : digits);
        const std::size_t wholeLength = digits.size() - static_cast<std::size_t>(decimals);
        whole = digits.substr(0, wholeLength);
        fraction = digits.substr(wholeLength);
    }
    // Leading zeros of the whole part are the window's padding, but one stays before the point.
    const auto firstNonZero = whole.find_first_not_of('0');
    whole = firstNonZero == std::string::npos ? "0" : whole.substr(firstNonZero);
    const bool zero = whole == "0" && fraction.find_first_not_of('0') == std::string::npos;
    return (zero ? std::string() : sign) + whole + (fraction.empty() ? "" : "." + fraction);
}

std::string engineeringValue(double value, int decimals) {
    if (!std::isfinite(value)) return "—";
    char text[64];
    if (decimals >= 0) {
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
        std::string fixed = text;
        if (fixed.find('.') != std::string::npos) {
            const std::size_t point = fixed.find('.');
            const std::string fraction = dropTrailingZeros(fixed.substr(point + 1));
            fixed = fixed.substr(0, point) + (fraction.empty() ? "" : "." + fraction);
        }
        return engineeringNumber(fixed);
    }
    // Six significant digits, as a plain decimal where it is of a sensible size.
    const double magnitude = value == 0 ? 0 : std::floor(std::log10(std::fabs(value)));
    if (magnitude >= 15 || magnitude < -6) {
        std::snprintf(text, sizeof text, "%.6g", value);
        return text;
    }
    const int places = std::max(0, 5 - static_cast<int>(magnitude));
    return engineeringValue(value, places);
}

}  // namespace pylora
