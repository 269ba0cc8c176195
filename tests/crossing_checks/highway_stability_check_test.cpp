// 公路穿越稳定性校核: the verdict at and around its boundary, and a verdict that never outlives
// the run that wrote it.
#include <gtest/gtest.h>

#include "check_window_fixture.h"

namespace pylora {
namespace {

using testing_support::CheckWindow;

// E 1.2, δ 0.1, Dpm 2 and μ 0 give σ1 = σ2 = 30000 and σ3 = σ4 = 33000 without ovality.
const std::vector<std::string> kRoundPipe{"Text17=1.2", "Text8=0.1", "Text4=2", "Text2=2", "Text5=2",
                                          "Text18=0",   "Text3=10"};

struct VerdictCase {
    const char* name;
    std::vector<std::string> settings;
    const char* least;  // Text10
    const char* sign;
    const char* verdict;
};

void PrintTo(const VerdictCase& c, std::ostream* os) { *os << c.name; }

std::vector<std::string> roundPipeWith(const std::string& soilLoad) {
    std::vector<std::string> settings = kRoundPipe;
    settings.push_back("Text1=" + soilLoad);
    return settings;
}

const VerdictCase kVerdicts[] = {
    {"defaults_asymmetric_ovality_least", {}, "6127401.455", ">", "满足稳定性要求"},
    {"least_equal_to_required", roundPipeWith("19990"), "30000.", "<", "不满足稳定性要求"},
    {"least_just_above_required", roundPipeWith("19989.99"), "30000.", ">", "满足稳定性要求"},
    {"least_just_below_required", roundPipeWith("19990.01"), "30000.", "<", "不满足稳定性要求"},
    // Ovality above 1/9: σ4 turns negative and is the least.
    {"ovality_above_one_ninth", {"Text2=0.37", "Text5=0.3"}, "-6466634.754", "<", "不满足稳定性要求"},
};

class HighwayStabilityVerdictTest : public testing::TestWithParam<VerdictCase> {};

TEST_P(HighwayStabilityVerdictTest, ComparesTheLeastShownStressWithTheRequiredValue) {
    const VerdictCase& c = GetParam();
    CheckWindow window("公路穿越稳定性校核");
    ASSERT_FALSE(window.run(c.settings));
    EXPECT_EQ(window.text("Text10"), c.least);
    EXPECT_EQ(window.text("Text11"), c.sign);
    EXPECT_EQ(window.text("Text16"), c.verdict);
    const Colour expected = std::string(c.sign) == ">" ? Colour::windowText() : Colour::red();
    EXPECT_EQ(window.foreground("Text11"), expected);
    EXPECT_EQ(window.foreground("Text16"), expected);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, HighwayStabilityVerdictTest, testing::ValuesIn(kVerdicts),
                         [](const auto& info) { return std::string(info.param.name); });

// A run that fails before its verdict leaves sign and verdict blank, not the last run's
// "满足稳定性要求" beside numbers it no longer belongs to; the stresses keep what they showed.
TEST(HighwayStabilityCheckTest, AFailedRunWithdrawsTheEarlierVerdict) {
    CheckWindow window("公路穿越稳定性校核");
    ASSERT_FALSE(window.run({"Text2=0.37", "Text5=0.3"}));
    ASSERT_EQ(window.text("Text16"), "不满足稳定性要求");

    const auto failure = window.run({"Text2=x"});  // read after σ1 and σ2 are written
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->control(), "Text2");
    EXPECT_EQ(window.text("Text6"), "6883792.584");
    EXPECT_EQ(window.text("Text11"), " ");
    EXPECT_EQ(window.text("Text16"), " ");
    EXPECT_EQ(window.foreground("Text16"), Colour::windowText());

    ASSERT_FALSE(window.run({"Text18=0.3", "Text2=0.327", "Text5=0.323"}));
    EXPECT_EQ(window.text("Text16"), "满足稳定性要求");
}

}  // namespace
}  // namespace pylora
