#include "model/decimal_value.h"

#include <cstdint>
#include <cstdlib>

namespace pylora {
namespace {

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                   1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kExactPower = 22;                                // 10^22 is the largest power a double holds exactly
constexpr std::uint64_t kExactMantissa = std::uint64_t{1} << 53;  // every integer up to it is a double
constexpr int kMostDigits = 19;                                // what a 64-bit integer holds

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

double decimalValue(const char* text) {
    const char* p = text;
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-') ++p;
    std::uint64_t mantissa = 0;
    int digits = 0;    // significant digits in the mantissa
    int exponent = 0;  // of ten, applied to the mantissa
    bool anyDigit = false;
    bool inFraction = false;
    for (;; ++p) {
        if (*p == '.' && !inFraction) {
            inFraction = true;
            continue;
        }
        if (!isDigit(*p)) break;
        anyDigit = true;
        if (inFraction) --exponent;
        if (mantissa == 0 && *p == '0') continue;  // a leading zero adds no digit
        if (digits == kMostDigits) return std::strtod(text, nullptr);
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
        ++digits;
    }
    if (!anyDigit) return std::strtod(text, nullptr);
    if (*p == 'e' || *p == 'E') {
        const char* e = p + 1;
        const bool negativePower = *e == '-';
        if (*e == '+' || *e == '-') ++e;
        if (!isDigit(*e)) return std::strtod(text, nullptr);
        int power = 0;
        for (; isDigit(*e); ++e) {
            if (power > 9999) return std::strtod(text, nullptr);
            power = power * 10 + (*e - '0');
        }
        exponent += negativePower ? -power : power;
        p = e;
    }
    if (*p != '\0') return std::strtod(text, nullptr);
    if (mantissa == 0) return negative ? -0.0 : 0.0;
    // Trailing zeros ("2.500") only move the point.
    while (mantissa % 10 == 0 && mantissa > kExactMantissa) {
        mantissa /= 10;
        ++exponent;
    }
    if (mantissa > kExactMantissa || exponent < -kExactPower || exponent > kExactPower)
        return std::strtod(text, nullptr);
    // Both operands exact: one rounding, the correct one.
    const double whole = static_cast<double>(mantissa);
    const double value = exponent < 0 ? whole / kPowersOfTen[-exponent] : whole * kPowersOfTen[exponent];
    return negative ? -value : value;
}

}  // namespace pylora
