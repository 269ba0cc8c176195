#include "model/report_numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/decimal_text.h"
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

std::string superscript(int number) {
    static const char* const digits[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
    std::string text = number < 0 ? "⁻" : "";
    for (char c : std::to_string(std::abs(number))) text += digits[c - '0'];
    return text;
}

// A number with an exponent, one digit before the mantissa's point: "-46.76620E+06" is the sign
// "-", the mantissa "4.676620" and the exponent 7.
struct PowerOfTen {
    std::string sign;  // "-" or empty
    std::string mantissa;
    int exponent = 0;
};

// Nothing when the text is no number with an exponent; a zero mantissa is "0", exponent 0.
std::optional<PowerOfTen> powerOfTen(const std::string& text) {
    const auto mark = text.find_first_of("eE");
    if (mark == std::string::npos || mark == 0) return std::nullopt;
    const std::string mantissa = text.substr(0, mark), power = text.substr(mark + 1);
    std::size_t i = 0;
    std::string sign;
    if (i < mantissa.size() && (mantissa[i] == '-' || mantissa[i] == '+')) sign = mantissa[i++] == '-' ? "-" : "";
    std::string digits;
    int pointAt = -1;
    for (; i < mantissa.size(); ++i) {
        if (isDigit(mantissa[i])) digits += mantissa[i];
        else if (mantissa[i] == '.' && pointAt < 0) pointAt = static_cast<int>(digits.size());
        else return std::nullopt;
    }
    if (digits.empty() || power.empty()) return std::nullopt;
    std::size_t p = 0;
    if (power[p] == '+' || power[p] == '-') ++p;
    if (p == power.size() || power.find_first_not_of("0123456789", p) != std::string::npos) return std::nullopt;
    if (pointAt < 0) pointAt = static_cast<int>(digits.size());
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos) return PowerOfTen{"", "0", 0};
    const int exponent = std::atoi(power.c_str()) + pointAt - static_cast<int>(first) - 1;
    const std::string significant = digits.substr(first);
    return PowerOfTen{sign, significant.substr(0, 1) + (significant.size() > 1 ? "." + significant.substr(1) : ""),
                      exponent};
}

// How a power of ten is written: for a reader ("4.676620×10⁷") or for a program that reads the
// file ("4.676620E+07", as spreadsheets write it themselves).
enum class PowerForm { Printed, Typed };

std::string written(const PowerOfTen& number, PowerForm form) {
    if (number.exponent == 0) return number.sign + number.mantissa;
    if (form == PowerForm::Printed) return number.sign + number.mantissa + "×10" + superscript(number.exponent);
    char power[16];
    std::snprintf(power, sizeof power, "E%+03d", number.exponent);
    return number.sign + number.mantissa + power;
}

std::string numberInForm(const std::string& shown, int decimals, PowerForm form) {
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
    if (i != text.size() || (!point && whole.empty())) {
        const auto power = powerOfTen(text);
        return power ? written(*power, form) : text;  // words, a lone sign
    }

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

}  // namespace

std::string engineeringNumber(const std::string& shown, int decimals) {
    return numberInForm(shown, decimals, PowerForm::Printed);
}

std::string exportNumber(const std::string& shown, int decimals) {
    return numberInForm(shown, decimals, PowerForm::Typed);
}

std::string engineeringValue(double value, int decimals) {
    if (!std::isfinite(value)) return "—";
    char text[64];
    if (decimals >= 0) {
        printFixed(text, sizeof text, decimals, value);
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
        return engineeringSignificant(value, 6);
    }
    const int places = std::max(0, 5 - static_cast<int>(magnitude));
    return engineeringValue(value, places);
}

std::string engineeringSignificant(double value, int digits) {
    if (!std::isfinite(value)) return "—";
    char text[64];
    printExponent(text, sizeof text, std::clamp(digits, 1, 17) - 1, value);
    std::string form = text;  // "1.21762e+17": trailing zeros of the mantissa dropped
    const auto mark = form.find('e');
    std::string mantissa = form.substr(0, mark);
    if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0') mantissa.pop_back();
        if (mantissa.back() == '.') mantissa.pop_back();
    }
    return written(*powerOfTen(mantissa + form.substr(mark)), PowerForm::Printed);
}

std::optional<PrintedNumber> readPrintedNumber(std::string text) {
    text = trimmedString(text);
    const std::string minus = "−";
    if (text.rfind(minus, 0) == 0) text = "-" + text.substr(minus.size());
    int exponent = 0;
    const std::string times = "×10";
    if (const auto at = text.find(times); at != std::string::npos) {
        static const char* const superscripts[] = {"⁰", "¹", "²", "³", "⁴", "⁵", "⁶", "⁷", "⁸", "⁹"};
        std::string rest = text.substr(at + times.size());
        text = text.substr(0, at);
        int sign = 1;
        const std::string superMinus = "⁻";
        if (rest.rfind(superMinus, 0) == 0) sign = -1, rest = rest.substr(superMinus.size());
        if (rest.empty()) return std::nullopt;
        while (!rest.empty()) {
            int digit = -1;
            for (int d = 0; d < 10 && digit < 0; ++d)
                if (rest.rfind(superscripts[d], 0) == 0) digit = d;
            if (digit < 0) return std::nullopt;
            exponent = exponent * 10 + digit;
            rest = rest.substr(std::string(superscripts[digit]).size());
        }
        exponent *= sign;
    } else if (const auto mark = text.find_first_of("eE"); mark != std::string::npos) {
        const std::string power = text.substr(mark + 1);
        if (power.empty() || power.find_first_not_of("+-0123456789") != std::string::npos) return std::nullopt;
        exponent = std::atoi(power.c_str());
        text = text.substr(0, mark);
    }
    if (text.empty() || text.find_first_not_of("+-.0123456789") != std::string::npos) return std::nullopt;
    if (text.find_first_of("0123456789") == std::string::npos) return std::nullopt;
    char* end = nullptr;
    const double mantissa = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size()) return std::nullopt;
    const auto point = text.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
    return PrintedNumber{mantissa * std::pow(10.0, exponent), std::pow(10.0, exponent - decimals)};
}

}  // namespace pylora
