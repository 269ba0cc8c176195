#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "model/decimal_text.h"

namespace pylora {
namespace {

using Printer = int (*)(char*, std::size_t, int, double);

struct Form {
    const char* format;
    Printer print;
};

const Form kForms[] = {{"%.*f", printFixed}, {"%.*e", printExponent}, {"%.*g", printGeneral}};

// The same bytes and the same returned length as std::snprintf, whole and cut to a short buffer.
void expectSameAsSnprintf(double value, int precision) {
    for (const Form& form : kForms) {
        for (std::size_t size : {std::size_t{400}, std::size_t{6}, std::size_t{1}}) {
            char expected[400], written[400];
            std::memset(written, 'x', sizeof written);
            const int expectedLength = std::snprintf(expected, size, form.format, precision, value);
            const int length = form.print(written, size, precision, value);
            ASSERT_EQ(expectedLength, length) << form.format << " " << precision << " of " << expected;
            ASSERT_EQ(std::string(expected), std::string(written, std::min<std::size_t>(size - 1, length)))
                << form.format << " " << precision << " into " << size << " bytes";
            ASSERT_EQ('\0', written[std::min<std::size_t>(size - 1, length)]);
        }
    }
}

TEST(DecimalTextTest, WritesEdgeValuesAsSnprintfDoes) {
    const double kInf = std::numeric_limits<double>::infinity();
    const std::vector<double> values = {
        0.0, -0.0, 0.125, -0.125, 2.5, 3.5, 0.5, 1.5, -2.5, 0.0625, 1.0 / 3, 2.0 / 3, 0.1, 0.2, 0.3, 0.7, 1, 9.5,
        99.5, 999.5, 0.05, 0.15, 0.25, 0.35, 0.45, 1.005, 1.015, 2.675, 1e-4, 9.9999e-5, 0.00001234, 1e15, 1e16,
        1e17, 1e18, 1e19, 1e20, 1e21, 1e22, 1e23, 123456789012345678.0, 9007199254740993.0, 9.999999999999999e22,
        999999.5, 9999999.5, 0.9999999999999999, 0.99999995, 9.9999995, 99999.9999999999, 1e-300, 1e300,
        4.9e-324, 2.2250738585072014e-308, 1.7976931348623157e308, -1.7976931348623157e308, kInf, -kInf,
        std::nan(""), 720, 3.92, 2895.934, 0.01851387, 46.7662e6, -12.5, 5e-324 * 3, 0.000123456789, 6.02214076e23};
    for (const double value : values)
        for (int precision = 0; precision <= 20; ++precision) expectSameAsSnprintf(value, precision);
    for (const int precision : {25, 30, 340}) expectSameAsSnprintf(1.0 / 3, precision);
}

// Halves exactly between two results at every precision: k / 2^n, which a double holds exactly.
TEST(DecimalTextTest, RoundsExactHalvesToEvenAsSnprintfDoes) {
    for (int n = 1; n <= 20; ++n)
        for (int k = 1; k < 64; k += 2)
            for (int precision = 0; precision <= 17; ++precision) {
                const double value = std::ldexp(k, -n);
                expectSameAsSnprintf(value, precision);
                expectSameAsSnprintf(-value * 1000, precision);
            }
}

// Random doubles over every magnitude a result or a study value takes, and beyond.
TEST(DecimalTextTest, WritesRandomDoublesAsSnprintfDoes) {
    std::mt19937_64 random(20261211);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> power(-40, 40);
    std::uniform_int_distribution<int> precision(0, 18);
    for (int i = 0; i < 60000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, power(random));
        expectSameAsSnprintf(value, precision(random));
        // A value with few digits, as typed, and its neighbour a unit of the last place away.
        const double typed = std::round(value * 1000) / 1000;
        expectSameAsSnprintf(typed, i % 8);
        expectSameAsSnprintf(std::nextafter(typed, 0.0), i % 8);
    }
    // Any bit pattern at all.
    std::uniform_int_distribution<std::uint64_t> bits;
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t pattern = bits(random);
        double value;
        std::memcpy(&value, &pattern, sizeof value);
        expectSameAsSnprintf(value, i % 18);
    }
}

}  // namespace
}  // namespace pylora
