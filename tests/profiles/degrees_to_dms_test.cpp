#include "profiles/degrees_to_dms.h"

#include <gtest/gtest.h>

namespace pylora {
namespace {

FormDefinition windowWithScratchFields() {
    FormDefinition def("角度", "角度");
    def.body().field("Text36", "入土角", "10.1 ", {});
    addDmsScratchFields(def);
    return def;
}

struct DmsCase {
    const char* name;
    double degrees;
    const char *degreesText, *minutesText, *secondsText;
};

class DegreesToDmsTest : public testing::TestWithParam<DmsCase> {};

TEST_P(DegreesToDmsTest, RoundsToTheShownSecondCarriesAndKeepsTheSignPosition) {
    const DmsCase& c = GetParam();
    const FormDefinition def = windowWithScratchFields();
    Form form(def);
    const std::string shown = DegreesToDms(form, Num(c.degrees));
    EXPECT_EQ(form.text("Text76"), c.degreesText);
    EXPECT_EQ(form.text("Text77"), c.minutesText);
    EXPECT_EQ(form.text("Text78"), c.secondsText);
    EXPECT_EQ(shown, std::string(c.degreesText) + "°" + c.minutesText + "′" + c.secondsText + "″");
}

INSTANTIATE_TEST_SUITE_P(
    Angles, DegreesToDmsTest,
    testing::Values(DmsCase{"TenPointOne", 10.1, " 10", " 6", " 0"},
                    DmsCase{"SevenPointTwo", 7.2, " 7", " 12", " 0"},
                    DmsCase{"SeventeenPointThree", 17.3, " 17", " 18", " 0"},
                    DmsCase{"ThirteenAndAHalf", 13.5, " 13", " 30", " 0"},
                    DmsCase{"ZeroPointOne", 0.1, " 0", " 6", " 0"},
                    DmsCase{"TwoPointThirtyFive", 2.35, " 2", " 21", " 0"},
                    DmsCase{"FortyFivePointThirtyFive", 45.35, " 45", " 21", " 0"},
                    DmsCase{"OneHundredPointOne", 100.1, " 100", " 6", " 0"},
                    DmsCase{"AlmostOneCarriesIntoTheDegree", 0.999999999, " 1", " 0", " 0"},
                    DmsCase{"SecondsJustBelowSixtyCarryIntoTheMinute", 10 + 59.9999 / 3600, " 10", " 1", " 0"},
                    DmsCase{"MinutesAndSecondsCarryIntoTheDegree", 10 + 59.0 / 60 + 59.9999 / 3600, " 11", " 0", " 0"},
                    DmsCase{"HalfASecondRoundsUp", 10 + 30.5 / 3600, " 10", " 0", " 31"},
                    DmsCase{"JustBelowHalfASecondRoundsDown", 10 + 30.49 / 3600, " 10", " 0", " 30"},
                    DmsCase{"Zero", 0.0, " 0", " 0", " 0"},
                    DmsCase{"NegativeZero", -0.0, " 0", " 0", " 0"},
                    DmsCase{"NegativeCountsUpFromTheLowerDegree", -10.5, "-11", " 30", " 0"},
                    DmsCase{"NegativeTenPointOne", -10.1, "-11", " 54", " 0"}),
    [](const testing::TestParamInfo<DmsCase>& info) { return info.param.name; });

TEST(DegreesToDms, MarksAreTheDegreePrimeAndDoublePrimeCharacters) {
    const FormDefinition def = windowWithScratchFields();
    Form form(def);
    EXPECT_EQ(form.text("Text73"), "\u00B0");
    EXPECT_EQ(form.text("Text74"), "\u2032");
    EXPECT_EQ(form.text("Text75"), "\u2033");
    for (const char* name : {"Text73", "Text74", "Text75", "Text76", "Text77", "Text78"})
        EXPECT_FALSE(form.visible(name)) << name;
    EXPECT_EQ(form.text("Text76"), "Text76");
}

TEST(DegreesToDms, ReadsAnAngleFieldStrictly) {
    const FormDefinition def = windowWithScratchFields();
    Form form(def);
    EXPECT_EQ(DegreesToDms(form, "Text36"), " 10° 6′ 0″");  // blanks around the number are fine

    form.type("Text36", "10.1°");
    try {
        DegreesToDms(form, "Text36");
        FAIL() << "a degree sign is not part of a number";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.kind(), FailureKind::NotANumber);
        EXPECT_EQ(failure.control(), "Text36");
    }
    EXPECT_EQ(form.text("Text76"), " 10");  // the scratch fields keep the last conversion
}

TEST(SignPositionText, KeepsDecimalsAfterTheBlankOrMinus) {
    EXPECT_EQ(signPositionText(84.6), " 84.6");
    EXPECT_EQ(signPositionText(85), " 85");
    EXPECT_EQ(signPositionText(0), " 0");
    EXPECT_EQ(signPositionText(-2.5), "-2.5");
}

}  // namespace
}  // namespace pylora
