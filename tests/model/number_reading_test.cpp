#include <gtest/gtest.h>

#include <optional>

#include "model/number_reading.h"

namespace pylora {
namespace {

struct ReadCase {
    const char* name;
    const char* text;
    std::optional<double> expected;  // none: not a number
};

class StrictNumberTest : public testing::TestWithParam<ReadCase> {};

TEST_P(StrictNumberTest, ReadsTheWholeText) {
    EXPECT_EQ(parseStrictNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrictNumberTest,
    testing::Values(ReadCase{"BlanksAround", " 12 ", 12.0},
                    ReadCase{"Exponent", "1e3", 1000.0},
                    ReadCase{"ExponentWithSign", "1.2E-05", 1.2e-05},
                    ReadCase{"PointFirst", ".5", 0.5},
                    ReadCase{"PointLast", "5.", 5.0},
                    ReadCase{"PlusSign", "+7", 7.0},
                    ReadCase{"Negative", "-0.25", -0.25},
                    ReadCase{"DigitGrouping", "1,000", 1000.0},
                    ReadCase{"DefaultWithTrailingBlank", "10.1 ", 10.1},
                    ReadCase{"Empty", "", std::nullopt},
                    ReadCase{"Blank", " ", std::nullopt},
                    ReadCase{"Unit", "12m", std::nullopt},
                    ReadCase{"PointAlone", ".", std::nullopt},
                    ReadCase{"MinusPoint", "-.", std::nullopt},
                    ReadCase{"TwoPoints", "1.2.3", std::nullopt},
                    ReadCase{"InnerBlank", "1 2", std::nullopt},
                    ReadCase{"DegreeSign", "10.1°", std::nullopt},
                    ReadCase{"CommaAfterPoint", "1.000,5", std::nullopt},
                    ReadCase{"ExponentWithoutDigits", "1e", std::nullopt},
                    ReadCase{"BeyondDouble", "1e999", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

class LeadingNumberTest : public testing::TestWithParam<ReadCase> {};

TEST_P(LeadingNumberTest, ReadsTheLeadingPart) {
    EXPECT_EQ(parseLeadingNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumberTest,
    testing::Values(ReadCase{"EmptyIsZero", "", 0.0},
                    ReadCase{"StopsAtUnit", "12m", 12.0},
                    ReadCase{"LetterFirstIsZero", "m12", 0.0},
                    ReadCase{"BlanksRemovedFirst", " 1 2", 12.0},
                    ReadCase{"SignedFraction", "-.5x", -0.5},
                    ReadCase{"CommaEnds", "1,5", 1.0},
                    ReadCase{"ListItem", "φ159", 0.0},
                    ReadCase{"Exponent", "2e2mm", 200.0},
                    ReadCase{"DanglingExponent", "3e", 3.0},
                    ReadCase{"LineBreaks", "4\n5", 45.0},
                    ReadCase{"DegreeSign", "10.1°", 10.1}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pylora
