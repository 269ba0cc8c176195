#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "model/field_access.h"
#include "model/number_text.h"
#include "model/run_failure.h"

namespace pylora {
namespace {

struct PatternCase {
    const char* name;
    double value;
    const char* pattern;
    const char* expected;
};

class FormatNumberTest : public testing::TestWithParam<PatternCase> {};

TEST_P(FormatNumberTest, WritesAsTheEngineerReadsIt) {
    const PatternCase& c = GetParam();
    EXPECT_EQ(FormatNumber(c.value, c.pattern), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FormatNumberTest,
    testing::Values(
        PatternCase{"HalfWithoutLeadingZero", 0.5, "#.##", ".5"},
        PatternCase{"WholeKeepsThePoint", 2, "#.##", "2."},
        PatternCase{"ZeroIsAPointAlone", 0, "#.##", "."},
        PatternCase{"TooSmallRoundsToAPoint", 0.0004, "#.###", "."},
        PatternCase{"NegativeFraction", -0.25, "#.##", "-.25"},
        PatternCase{"NegativeRoundingToZeroKeepsSign", -0.0004, "#.###", "-."},
        PatternCase{"RoundsToPatternDecimals", 1234.5678, "#.###", "1234.568"},
        PatternCase{"HalfAwayFromZeroDespiteBinary2675", 2.675, "#.##", "2.68"},
        PatternCase{"HalfAwayFromZeroDespiteBinary3015", 3.015, "#.##", "3.02"},
        PatternCase{"NegativeHalfAwayFromZero", -2.675, "#.##", "-2.68"},
        PatternCase{"TrailingZerosDropped", 9.8, "#.###", "9.8"},
        PatternCase{"CarryIntoIntegerPart", 9.9996, "#.###", "10."},
        PatternCase{"CarryFromNothing", 0.0006, "#.###", ".001"},
        PatternCase{"OneDecimal", 224.951, "#.#", "225."},
        PatternCase{"FiveDecimals", 0.123456, "#.#####", ".12346"},
        PatternCase{"NoExponentForLarge", 1e15, "#.##", "1000000000000000."},
        PatternCase{"NoExponentForSmall", 1e-5, "#.#####", ".00001"},
        PatternCase{"FifteenDigitsFirst", 1.00000000000000049, "#.#####", "1."},
        PatternCase{"WallThicknessBend", 9.8 * 19 / 18, "#.###", "10.344"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatNumberTest, RefusesPatternsOutsideTheFamily) {
    EXPECT_THROW(FormatNumber(1, "#.######"), std::invalid_argument);
    EXPECT_THROW(FormatNumber(1, "0.00"), std::invalid_argument);
    EXPECT_THROW(FormatNumber(1, "#."), std::invalid_argument);
}

struct GeneralCase {
    const char* name;
    double value;
    const char* expected;
};

class NumberTextTest : public testing::TestWithParam<GeneralCase> {};

TEST_P(NumberTextTest, WritesTheGeneralForm) {
    EXPECT_EQ(NumberText(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, NumberTextTest,
    testing::Values(GeneralCase{"Whole", 98, "98"},
                    GeneralCase{"LeadingZero", 0.5, "0.5"},
                    GeneralCase{"TwoThirds", 2.0 / 3, "0.666666666666667"},
                    GeneralCase{"OneThird", 1.0 / 3, "0.333333333333333"},
                    GeneralCase{"ExponentFrom1E15", 1e15, "1E+15"},
                    GeneralCase{"RoundsUpIntoExponentForm", 999999999999999.9, "1E+15"},
                    GeneralCase{"LargestPlain", 123456789012345, "123456789012345"},
                    GeneralCase{"SmallestPlain", 0.0001, "0.0001"},
                    GeneralCase{"SmallExponent", 0.00001, "1E-05"},
                    GeneralCase{"MantissaDigits", 0.000015, "1.5E-05"},
                    GeneralCase{"Negative", -1234.5678, "-1234.5678"},
                    GeneralCase{"NegativeSmall", -0.25, "-0.25"},
                    GeneralCase{"Zero", 0, "0"},
                    GeneralCase{"LargeExponent", 1.5e300, "1.5E+300"},
                    GeneralCase{"FifteenSignificant", 0.1 + 0.2, "0.3"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NumberTextSingleTest, SevenDigitsAndPlainBelowTenMillion) {
    EXPECT_EQ(NumberTextSingle(2.0f / 3.0f), "0.6666667");
    EXPECT_EQ(NumberTextSingle(1234567.0f), "1234567");
    EXPECT_EQ(NumberTextSingle(1e7f), "1E+07");
    EXPECT_EQ(NumberTextSingle(0.1f), "0.1");
    EXPECT_EQ(NumberTextSingle(-3.5f), "-3.5");
    EXPECT_EQ(NumberTextSingle(0.00001f), "1E-05");
}

class EngineeringTextTest : public testing::TestWithParam<GeneralCase> {};

TEST_P(EngineeringTextTest, WritesSevenSignificantDigits) {
    EXPECT_EQ(EngineeringText(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, EngineeringTextTest,
    testing::Values(GeneralCase{"PlainKeepsTrailingZeros", 10, "10.00000"},
                    GeneralCase{"PlainRounds", 2895.93449, "2895.934"},
                    GeneralCase{"SmallPlainCountsSignificantDigits", 0.018513866077, "0.01851387"},
                    GeneralCase{"SmallestPlain", 0.001, "0.001000000"},
                    GeneralCase{"LargestPlain", 999999.94, "999999.9"},
                    GeneralCase{"RoundsUpIntoExponentForm", 999999.96, "1.000000E+06"},
                    GeneralCase{"MillionsTakeExponentSix", 9e6, "9.000000E+06"},
                    GeneralCase{"TensOfMillions", 12345674, "12.34567E+06"},
                    GeneralCase{"HundredsOfMillions", 389699731.76, "389.6997E+06"},
                    GeneralCase{"BelowPlainTakesExponentMinusSix", 0.00001, "10.00000E-06"},
                    GeneralCase{"Micro", 1.1e-5, "11.00000E-06"},
                    GeneralCase{"Negative", -0.5, "-0.5000000"},
                    GeneralCase{"Zero", 0, "0"}),
    [](const auto& info) { return std::string(info.param.name); });

// A value that is not finite never reaches the digit buffer: the run fails, blaming the field
// the value came from.
TEST(NonFiniteNumberTextTest, EndsTheRunNamingTheSourceField) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double value;
        FailureKind kind;
    } values[] = {{nan, FailureKind::OutsideDomain}, {-nan, FailureKind::OutsideDomain},
                  {inf, FailureKind::TooLarge}, {-inf, FailureKind::TooLarge}};
    const std::function<std::string(double)> writers[] = {
        [](double v) { return FormatNumber(Num(v, "Text3"), "#.##"); },
        [](double v) { return FormatNumber(Num(v, "Text3"), "#.#####"); },
        [](double v) { return NumberText(Num(v, "Text3")); },
        [](double v) { return NumberTextSingle(static_cast<float>(v), "Text3"); },
        [](double v) { return EngineeringText(v, 7, "Text3"); },
    };
    for (const auto& [value, kind] : values) {
        for (const auto& write : writers) {
            try {
                const std::string text = write(value);
                ADD_FAILURE() << value << " was written as " << text;
            } catch (const RunFailure& failure) {
                EXPECT_EQ(failure.kind(), kind) << value;
                EXPECT_EQ(failure.control(), "Text3") << value;
            }
        }
    }
}

TEST(NonFiniteNumberTextTest, ExtremeFiniteValuesStillWrite) {
    const double largest = std::numeric_limits<double>::max();
    const double tiniest = std::numeric_limits<double>::denorm_min();
    EXPECT_EQ(NumberText(largest), "1.79769313486232E+308");
    EXPECT_EQ(NumberText(-tiniest), "-4.94065645841247E-324");
    EXPECT_EQ(FormatNumber(tiniest, "#.#####"), ".");
    EXPECT_EQ(FormatNumber(largest, "#.#").size(), 310u);  // 309 digits and the point
    EXPECT_EQ(NumberTextSingle(std::numeric_limits<float>::max()), "3.402823E+38");
}

}  // namespace
}  // namespace pylora
