// 穿越结构设计计算: the axial condition, the verdict at and around 0.9·σs, and a verdict that
// never outlives the run that wrote it.
#include <gtest/gtest.h>

#include "check_window_fixture.h"

namespace pylora {
namespace {

using testing_support::CheckWindow;

struct DesignCase {
    const char* name;
    std::vector<std::string> settings;
    const char* axial;       // Text7
    const char* equivalent;  // Text14
    const char* sign;
    const char* verdict;
};

void PrintTo(const DesignCase& c, std::ostream* os) { *os << c.name; }

// D 12, δ 1, P 36: σh = 180 and, axially free, σa = 90, so σe = 90.
std::vector<std::string> evenPipeWith(const std::string& yield) {
    return {"Text1=12", "Text2=1", "Text3=36", "Text12=" + yield};
}

const DesignCase kDesigns[] = {
    {"free_defaults", {}, "55.84", "55.84", "<", "穿越管段结构设计符合要求"},
    // Restrained: 0.3·111.68 + 2.0·1.2·(55 − 10) = 141.5, above σh; σe is the magnitude.
    {"restrained_defaults", {"Option1(0)"}, "141.5", "29.82", "<", "穿越管段结构设计符合要求"},
    // Restrained without a temperature change: σa = μ·σh, the difference read from the texts.
    {"restrained_same_temperatures", {"Option1(0)", "Text9=55"}, "33.5", "78.18", "<", "穿越管段结构设计符合要求"},
    {"equivalent_equal_to_limit", evenPipeWith("100"), "90.", "90.", ">", "穿越管段结构设计不符合要求"},
    {"equivalent_just_below_limit", evenPipeWith("100.01"), "90.", "90.", "<", "穿越管段结构设计符合要求"},
    {"equivalent_just_above_limit", evenPipeWith("99.99"), "90.", "90.", ">", "穿越管段结构设计不符合要求"},
};

class StructuralDesignVerdictTest : public testing::TestWithParam<DesignCase> {};

TEST_P(StructuralDesignVerdictTest, ComparesTheEquivalentStressWithNineTenthsOfYield) {
    const DesignCase& c = GetParam();
    CheckWindow window("穿越结构设计计算");
    ASSERT_FALSE(window.run(c.settings));
    EXPECT_EQ(window.text("Text7"), c.axial);
    EXPECT_EQ(window.text("Text14"), c.equivalent);
    EXPECT_EQ(window.text("Text17"), c.sign);
    EXPECT_EQ(window.text("Text16"), c.verdict);
    const Colour expected = std::string(c.sign) == "<" ? Colour::windowText() : Colour::red();
    EXPECT_EQ(window.foreground("Text17"), expected);
    EXPECT_EQ(window.foreground("Text16"), expected);
}

INSTANTIATE_TEST_SUITE_P(BoundariesAndOptions, StructuralDesignVerdictTest, testing::ValuesIn(kDesigns),
                         [](const auto& info) { return std::string(info.param.name); });

// The temperatures enter only when the pipe is restrained axially.
TEST(StructuralDesignCheckTest, TheFreePipeDoesNotReadTheTemperatures) {
    CheckWindow window("穿越结构设计计算");
    EXPECT_FALSE(window.run({"Text5=", "Text9=abc"}));
    const auto failure = window.run({"Option1(0)"});
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->control(), "Text5");
}

TEST(StructuralDesignCheckTest, AFailedRunWithdrawsTheEarlierVerdict) {
    CheckWindow window("穿越结构设计计算");
    ASSERT_FALSE(window.run());
    ASSERT_EQ(window.text("Text16"), "穿越管段结构设计符合要求");

    const auto failure = window.run({"Text11=x"});  // the bending radius, read after σh and σa
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->control(), "Text11");
    EXPECT_EQ(window.text("Text7"), "55.84");
    EXPECT_EQ(window.text("Text13"), "107.97");  // left from the earlier run, not rewritten
    EXPECT_EQ(window.text("Text17"), " ");
    EXPECT_EQ(window.text("Text16"), " ");
}

}  // namespace
}  // namespace pylora
