#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "model/num.h"
#include "model/run_failure.h"

namespace pylora {
namespace {

struct FailureCase {
    const char* name;
    std::function<Num()> compute;
    FailureKind kind;
    const char* control;
};

class CheckedArithmeticTest : public testing::TestWithParam<FailureCase> {};

TEST_P(CheckedArithmeticTest, EndsTheRunNamingTheField) {
    try {
        GetParam().compute();
        FAIL() << "no failure";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.kind(), GetParam().kind);
        EXPECT_EQ(failure.control(), GetParam().control);
    }
}

const Num n(0.5, "Text5");
const Num p(3.92, "Text2");
const Num negative(-4, "Text9");
const Num zero(0, "Text3");

INSTANTIATE_TEST_SUITE_P(
    Operations, CheckedArithmeticTest,
    testing::Values(
        FailureCase{"ZeroDivisorBlamesItsField", [] { return (4 * n - 1) / (4 * n - 2); },
                    FailureKind::DivisionByZero, "Text5"},
        FailureCase{"ZeroFactorOfADivisorIsBlamed", [] { return p / (p * 2 * zero); }, FailureKind::DivisionByZero,
                    "Text3"},
        FailureCase{"ZeroDivisorWithoutFieldBlamesDividend", [] { return p / 0.0; },
                    FailureKind::DivisionByZero, "Text2"},
        FailureCase{"RootOfNegative", [] { return sqrt(negative); }, FailureKind::OutsideDomain, "Text9"},
        FailureCase{"LogOfZero", [] { return log(zero); }, FailureKind::OutsideDomain, "Text3"},
        FailureCase{"Log10OfNegative", [] { return log10(negative); }, FailureKind::OutsideDomain, "Text9"},
        FailureCase{"NegativeToBrokenPower", [] { return pow(negative, 0.51); }, FailureKind::OutsideDomain,
                    "Text9"},
        FailureCase{"ZeroToNegativePower", [] { return pow(zero, -1.0); }, FailureKind::DivisionByZero, "Text3"},
        FailureCase{"Overflow", [] { return Num(1e300, "Text1") * 1e300; }, FailureKind::TooLarge, "Text1"},
        FailureCase{"ArcSineOutside", [] { return asin(Num(1.5, "Text4")); }, FailureKind::OutsideDomain, "Text4"},
        FailureCase{"Int16Range", [] { return Num(roundToInt16(Num(32767.5, "Text7"))); }, FailureKind::TooLarge,
                    "Text7"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CheckedArithmeticTest, OrdinaryResultsPass) {
    EXPECT_DOUBLE_EQ(pow(negative, 2.0).value(), 16);
    EXPECT_DOUBLE_EQ((p * 720 / (2 * Num(360) * 0.4 * 1.0)).value(), 9.8);
    EXPECT_EQ((p * 2).source(), "Text2");
    EXPECT_EQ((2 * p).source(), "Text2");
}

TEST(WholeNumberTest, HalvesToEvenAndIntegerPartDown) {
    EXPECT_EQ(roundHalfEven(2.5).value(), 2);
    EXPECT_EQ(roundHalfEven(3.5).value(), 4);
    EXPECT_EQ(roundHalfEven(-2.5).value(), -2);
    EXPECT_EQ(integerPart(-2.5).value(), -3);
    EXPECT_EQ(integerPart(2.7).value(), 2);
    EXPECT_EQ(roundToInt16(-32768.4), -32768);
    EXPECT_EQ(roundToInt16(32766.5), 32766);
}

}  // namespace
}  // namespace pylora
