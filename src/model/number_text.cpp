#include "model/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "model/decimal_text.h"
#include "model/run_failure.h"

namespace pylora {
namespace {

// A value as decimal digits: value = 0.d1d2d3... x 10^pointPosition (digits without a point).
struct DecimalDigits {
    bool negative = false;
    std::string digits;      // significant digits, most significant first
    int pointPosition = 0;   // how many of the digits stand before the decimal point
};

DecimalDigits significantDigits(double value, int significant) {
    DecimalDigits d;
    d.negative = std::signbit(value);
    if (value == 0) {
        d.digits = "0";
        d.pointPosition = 1;
        return d;
    }
    char buffer[64];
    printExponent(buffer, sizeof buffer, significant - 1, std::fabs(value));
    // buffer: "d.ddddde+XX"
    std::string text(buffer);
    const auto e = text.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.') d.digits += text[i];
    d.pointPosition = std::atoi(text.c_str() + e + 1) + 1;
    return d;
}

// Rounds the digits to `decimals` places after the point, halves away from zero.
void roundToDecimals(DecimalDigits& d, int decimals) {
    const int keep = d.pointPosition + decimals;   // digits that survive
    if (keep >= static_cast<int>(d.digits.size())) return;
    if (keep < 0) {
        d.digits = "0";
        d.pointPosition = 1;
        return;
    }
    const bool roundUp = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (roundUp) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.pointPosition;
        }
    }
    if (d.digits.empty()) {
        d.digits = "0";
        d.pointPosition = 1;
    }
}

std::string stripTrailingZeros(std::string s) {
    while (!s.empty() && s.back() == '0') s.pop_back();
    return s;
}

// Integer and fraction digits of a decimal number, without surplus zeros.
std::string integerDigits(const DecimalDigits& d) {
    std::string out;
    for (int i = 0; i < d.pointPosition; ++i)
        out += i < static_cast<int>(d.digits.size()) ? d.digits[i] : '0';
    const auto first = out.find_first_not_of('0');
    return first == std::string::npos ? std::string() : out.substr(first);
}

std::string fractionDigits(const DecimalDigits& d) {
    std::string out;
    for (int i = d.pointPosition; i < static_cast<int>(d.digits.size()); ++i)
        out += i < 0 ? '0' : d.digits[i];
    return stripTrailingZeros(out);
}

int patternDecimals(std::string_view pattern) {
    if (pattern.size() < 3 || pattern.substr(0, 2) != "#.")
        throw std::invalid_argument("number pattern must be \"#.\" followed by 1 to 5 \"#\"");
    const auto decimals = pattern.size() - 2;
    if (decimals > 5 || pattern.find_first_not_of('#', 2) != std::string_view::npos)
        throw std::invalid_argument("number pattern must be \"#.\" followed by 1 to 5 \"#\"");
    return static_cast<int>(decimals);
}

// Plain decimal form for exponents -4 to maxPlainExponent, exponent form otherwise.
std::string generalForm(double value, int significant, int maxPlainExponent) {
    if (value == 0) return "0";
    DecimalDigits d = significantDigits(value, significant);
    d.digits = stripTrailingZeros(d.digits);
    // The rounded magnitude decides the form: 999999999999999.9 is written "1E+15".
    const int exponent = d.pointPosition - 1;
    std::string out = d.negative ? "-" : "";
    if (exponent >= -4 && exponent <= maxPlainExponent) {
        const std::string whole = integerDigits(d);
        const std::string fraction = fractionDigits(d);
        out += whole.empty() ? "0" : whole;
        if (!fraction.empty()) out += "." + fraction;
        return out;
    }
    out += d.digits.substr(0, 1);
    if (d.digits.size() > 1) out += "." + d.digits.substr(1);
    char exponentText[16];
    std::snprintf(exponentText, sizeof exponentText, "E%c%02d", exponent < 0 ? '-' : '+',
                  std::abs(exponent));
    return out + exponentText;
}

void requireFinite(double value, const std::string& source) {
    if (std::isnan(value)) throw RunFailure(FailureKind::OutsideDomain, source);
    if (std::isinf(value)) throw RunFailure(FailureKind::TooLarge, source);
}

}  // namespace

std::string FormatNumber(double value, std::string_view pattern, const std::string& source) {
    const int decimals = patternDecimals(pattern);
    requireFinite(value, source);
    DecimalDigits d = significantDigits(value, 15);
    roundToDecimals(d, decimals);
    std::string out = d.negative && value != 0 ? "-" : "";
    out += integerDigits(d);
    out += '.';
    out += fractionDigits(d);
    return out;
}

std::string NumberText(double value, const std::string& source) {
    requireFinite(value, source);
    return generalForm(value, 15, 14);
}

std::string NumberTextSingle(float value, const std::string& source) {
    requireFinite(value, source);
    return generalForm(value, 7, 6);
}

std::string EngineeringText(double value, int significant, const std::string& source) {
    requireFinite(value, source);
    if (value == 0) return "0";
    // Rounded first, so that 999999.96 takes the exponent of the 1000000 it rounds to.
    const DecimalDigits d = significantDigits(value, significant);
    const int exponent = d.pointPosition - 1;  // value = d.ddd… × 10^exponent
    const bool plain = exponent >= -3 && exponent < 6;
    const int engineering = plain ? 0 : (exponent >= 0 ? exponent / 3 : -((-exponent + 2) / 3)) * 3;
    const int integerCount = exponent - engineering + 1;  // digits before the point; ≤ 0: "0.00…"
    std::string out = d.negative ? "-" : "";
    if (integerCount <= 0) {
        out += "0." + std::string(-integerCount, '0') + d.digits;
    } else {
        std::string digits = d.digits;
        if (static_cast<int>(digits.size()) < integerCount) digits.append(integerCount - digits.size(), '0');
        out += digits.substr(0, integerCount);
        if (static_cast<int>(digits.size()) > integerCount) out += "." + digits.substr(integerCount);
    }
    if (plain) return out;
    char exponentText[16];
    std::snprintf(exponentText, sizeof exponentText, "E%c%02d", engineering < 0 ? '-' : '+', std::abs(engineering));
    return out + exponentText;
}

}  // namespace pylora
