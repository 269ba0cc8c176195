#include "model/decimal_text.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace pylora {
namespace {

__extension__ typedef unsigned __int128 Wide;

constexpr int kMostPrecision = 17;  // digits after the first stay within a 64-bit integer
constexpr int kWideBits = 126;      // a numerator or denominator, leaving room to double a remainder
constexpr int kLargestFivePower = 54;  // 5^54 < 2^126

struct FivePowers {
    Wide power[kLargestFivePower + 1];
    int bits[kLargestFivePower + 1];
    constexpr FivePowers() : power(), bits() {
        Wide p = 1;
        for (int i = 0; i <= kLargestFivePower; ++i, p *= 5) {
            power[i] = p;
            for (Wide rest = p; rest; rest >>= 1) ++bits[i];
        }
    }
};
constexpr FivePowers kFives;

struct TenPowers {
    std::uint64_t power[kMostPrecision + 2];
    constexpr TenPowers() : power() {
        std::uint64_t p = 1;
        for (int i = 0; i < kMostPrecision + 2; ++i, p *= 10) power[i] = p;
    }
};
constexpr TenPowers kTens;

std::uint64_t powerOfTen(int exponent) { return kTens.power[exponent]; }

// A finite, normal double as mantissa × 2^exponent.
struct BinaryValue {
    bool negative = false;
    bool zero = false;
    std::uint64_t mantissa = 0;
    int exponent = 0;
};

bool splitDouble(double value, BinaryValue& v) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    v.negative = bits >> 63;
    const int biased = static_cast<int>((bits >> 52) & 0x7ff);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased == 0x7ff || (biased == 0 && fraction != 0)) return false;  // inf, NaN, subnormal
    v.zero = biased == 0;
    v.mantissa = fraction | (std::uint64_t{1} << 52);
    v.exponent = biased - 1075;
    return true;
}

// mantissa × 2^exponent × 10^shift rounded to an integer, half to even, computed exactly as a
// fraction whose powers of two cancel, numerator and denominator each within 126 bits. False when
// they are not, or when the integer does not fit in 64 bits.
bool scaledInteger(const BinaryValue& v, int shift, std::uint64_t& result) {
    if (shift > kLargestFivePower || shift < -kLargestFivePower) return false;
    const int twos = v.exponent + shift;  // 10^shift = 2^shift × 5^shift
    const Wide fives = kFives.power[shift < 0 ? -shift : shift];
    const int fiveBits = kFives.bits[shift < 0 ? -shift : shift];
    const int twosUp = twos > 0 ? twos : 0, twosDown = twos < 0 ? -twos : 0;
    Wide numerator = v.mantissa, denominator = 1;
    if (shift >= 0) {
        if (53 + fiveBits + twosUp > kWideBits || twosDown > kWideBits) return false;
        numerator *= fives;
    } else {
        if (53 + twosUp > kWideBits || fiveBits + twosDown > kWideBits) return false;
        denominator = fives;
    }
    numerator <<= twosUp;
    denominator <<= twosDown;
    // Dividing by a power of two alone (the usual case: a value below 10^17) is a shift.
    Wide quotient = shift >= 0 ? numerator >> twosDown : numerator / denominator;
    const Wide remainder = shift >= 0 ? numerator & (denominator - 1) : numerator % denominator;
    const Wide twice = remainder * 2;
    if (twice > denominator || (twice == denominator && (quotient & 1))) ++quotient;
    if (quotient >> 64) return false;
    result = static_cast<std::uint64_t>(quotient);
    return true;
}

// The decimal digits of `number`, exactly `count` of them (leading zeros added).
char* writeDigits(char* out, std::uint64_t number, int count) {
    for (int i = count - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + number % 10);
        number /= 10;
    }
    return out + count;
}

int digitCount(std::uint64_t number) {
    int count = 1;
    while (number >= 10) {
        number /= 10;
        ++count;
    }
    return count;
}

// The text as std::snprintf hands it over: cut to the buffer, its whole length returned.
int handOver(char* buffer, std::size_t size, const char* text, int length) {
    if (size > 0) {
        const std::size_t kept = static_cast<std::size_t>(length) < size ? static_cast<std::size_t>(length) : size - 1;
        std::memcpy(buffer, text, kept);
        buffer[kept] = '\0';
    }
    return length;
}

// The `precision` + 1 significant digits of |value| and the power of ten of the first:
// |value| ≈ digits × 10^(power - precision).
struct SignificantDigits {
    std::uint64_t digits = 0;
    int power = 0;
};

bool significantDigits(const BinaryValue& v, int precision, SignificantDigits& d) {
    if (v.zero) {
        d = {};
        return true;
    }
    // |value| lies in [2^b, 2^(b+1)), so its power of ten is floor(b·log10 2) or one more.
    const int b = v.exponent + 52;
    int power = static_cast<int>((static_cast<long long>(b) * 78913) >> 18);  // floor(b·log10 2)
    const std::uint64_t limit = powerOfTen(precision + 1);
    std::uint64_t digits;
    if (!scaledInteger(v, precision - power, digits)) return false;
    if (digits > limit) {
        ++power;
        if (!scaledInteger(v, precision - power, digits)) return false;
    }
    if (digits == limit) {  // rounded up to the next power of ten: 9.99… → 10.0…
        digits /= 10;
        ++power;
    }
    d = {digits, power};
    return true;
}

char* writeExponent(char* out, int power) {
    *out++ = 'e';
    *out++ = power < 0 ? '-' : '+';
    const int size = power < 0 ? -power : power;
    return writeDigits(out, static_cast<std::uint64_t>(size), size < 10 ? 2 : digitCount(static_cast<std::uint64_t>(size)));
}

// d.ddd, the first digit before the point, `precision` digits after it.
char* writeMantissa(char* out, std::uint64_t digits, int precision) {
    const std::uint64_t scale = powerOfTen(precision);
    *out++ = static_cast<char>('0' + digits / scale);
    if (precision > 0) {
        *out++ = '.';
        out = writeDigits(out, digits % scale, precision);
    }
    return out;
}

char* dropTrailingZeros(char* begin, char* end) {
    if (std::memchr(begin, '.', static_cast<std::size_t>(end - begin)) == nullptr) return end;
    while (end[-1] == '0') --end;
    if (end[-1] == '.') --end;
    return end;
}

}  // namespace

int printFixed(char* buffer, std::size_t size, int decimals, double value) {
    BinaryValue v;
    std::uint64_t scaled = 0;
    if (decimals < 0 || decimals > kMostPrecision || !splitDouble(value, v) ||
        (!v.zero && !scaledInteger(v, decimals, scaled)))
        return std::snprintf(buffer, size, "%.*f", decimals, value);
    char text[48];
    char* out = text;
    if (v.negative) *out++ = '-';
    const std::uint64_t scale = powerOfTen(decimals);
    const std::uint64_t whole = scaled / scale;
    out = writeDigits(out, whole, digitCount(whole));
    if (decimals > 0) {
        *out++ = '.';
        out = writeDigits(out, scaled % scale, decimals);
    }
    return handOver(buffer, size, text, static_cast<int>(out - text));
}

int printExponent(char* buffer, std::size_t size, int decimals, double value) {
    BinaryValue v;
    SignificantDigits d;
    if (decimals < 0 || decimals > kMostPrecision || !splitDouble(value, v) || !significantDigits(v, decimals, d))
        return std::snprintf(buffer, size, "%.*e", decimals, value);
    char text[48];
    char* out = text;
    if (v.negative) *out++ = '-';
    out = writeMantissa(out, d.digits, decimals);
    out = writeExponent(out, d.power);
    return handOver(buffer, size, text, static_cast<int>(out - text));
}

int printGeneral(char* buffer, std::size_t size, int precision, double value) {
    const int significant = precision == 0 ? 1 : precision;
    BinaryValue v;
    SignificantDigits d;
    if (precision < 0 || significant - 1 > kMostPrecision || !splitDouble(value, v) ||
        !significantDigits(v, significant - 1, d))
        return std::snprintf(buffer, size, "%.*g", precision, value);
    char text[64];
    char* out = text;
    if (v.negative) *out++ = '-';
    char* const number = out;
    if (d.power < -4 || d.power >= significant) {
        out = writeMantissa(out, d.digits, significant - 1);
        out = writeExponent(dropTrailingZeros(number, out), d.power);
    } else if (d.power >= 0) {
        // The same digits with the point after the first power + 1 of them.
        const int decimals = significant - 1 - d.power;
        const std::uint64_t scale = powerOfTen(decimals);
        out = writeDigits(out, d.digits / scale, d.power + 1);
        if (decimals > 0) {
            *out++ = '.';
            out = writeDigits(out, d.digits % scale, decimals);
        }
        out = dropTrailingZeros(number, out);
    } else {
        *out++ = '0';
        *out++ = '.';
        for (int i = 0; i < -d.power - 1; ++i) *out++ = '0';
        out = dropTrailingZeros(number, writeDigits(out, d.digits, significant));
    }
    return handOver(buffer, size, text, static_cast<int>(out - text));
}

}  // namespace pylora
