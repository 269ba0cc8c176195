#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "model/decimal_value.h"

namespace pylora {
namespace {

// The same double as std::strtod, bit for bit (the sign of a zero included).
void expectSameAsStrtod(const std::string& text) {
    const double expected = std::strtod(text.c_str(), nullptr);
    const double read = decimalValue(text.c_str());
    EXPECT_EQ(0, std::memcmp(&expected, &read, sizeof read)) << text << ": " << read << " instead of " << expected;
}

TEST(DecimalValueTest, ReadsEveryTextAsStrtodDoes) {
    for (const char* text :
         {"0", "-0", "+0", "0.0", "-0.000", "5", "-12.5", "+7", ".5", "5.", "0.1", "0.3", "2.500", "1e3", "1E-5",
          "1.2e+05", "720", "0.30000000000000004", "9007199254740993", "9007199254740992", "123456789012345678",
          "1234567890123456789012", "1e22", "1e23", "1e-22", "1e-23", "4.9e-324", "1e-400", "1e400", "1.7976931348623157e308",
          "0.000000000000000000000000000001", "100000000000000000000000", "6.02214076e23", "1e", "1e+", "-", ".", "",
          " 12", "12 ", "1,000", "0x1p3", "inf", "-nan", "1.2.3", "00012.0500", "1e99999", "1e-99999"})
        expectSameAsStrtod(text);
}

// Doubles as the page and the runner write them: every precision in fixed and exponent form.
TEST(DecimalValueTest, ReadsPrintedDoublesAsStrtodDoes) {
    std::mt19937_64 random(20261211);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> power(-30, 30);
    char buffer[512];
    for (int i = 0; i < 4000; ++i) {
        const double value = mantissa(random) * std::pow(10.0, power(random));
        const int precision = i % 20;
        for (const char* format : {"%.*f", "%.*e", "%.*g"}) {
            std::snprintf(buffer, sizeof buffer, format, precision, value);
            expectSameAsStrtod(buffer);
        }
    }
}

}  // namespace
}  // namespace pylora
