// 一般牵引力计算: the pull up a slope across the range of slope angles, and the least mass of
// the towed string, which the slope and the string's weight do not enter.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model/calc_form.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

struct SlopeCase {
    const char* name;
    const char* angle;  // α in degrees, typed into Text15
    const char* pull;   // T2 as displayed
};

void PrintTo(const SlopeCase& c, std::ostream* os) { *os << c.name; }

// F4 600, K 2, G 650, f′ 0.30.
const SlopeCase kSlopes[] = {
    {"level", "0", "990."},         // F4 + K·G·f′
    {"defaults", "30", "1587.75"},  // sin 30° and cos 30° from 3.1416
    {"vertical", "90", "1900."},    // F4 + K·G: the friction term vanishes up to 3.1416's error
    {"downhill", "-30", "287.75"},  // the weight's component helps the pull
};

class SlopePullTest : public testing::TestWithParam<SlopeCase> {};

TEST_P(SlopePullTest, PullUpTheSlope) {
    CalcForm window(*findWindow("一般牵引力计算"), Services{});
    window.form().type("Text15", GetParam().angle);
    ASSERT_FALSE(window.press("Command1"));
    EXPECT_EQ(window.form().text("Text7"), GetParam().pull);
}

INSTANTIATE_TEST_SUITE_P(SlopeAngles, SlopePullTest, testing::ValuesIn(kSlopes),
                         [](const auto& info) { return std::string(info.param.name); });

// The least mass depends on Fx, f and Fn only.
TEST(GeneralPullingForceTest, LeastMassIgnoresWeightStartingCoefficientAndSlope) {
    const std::vector<std::pair<const char*, const char*>> others{
        {"Text11", "1200"}, {"Text14", "3"}, {"Text13", "0.6"}, {"Text15", "12"}, {"Text3", "50"}};
    for (const auto& [control, text] : others) {
        CalcForm window(*findWindow("一般牵引力计算"), Services{});
        window.form().type(control, text);
        ASSERT_FALSE(window.press("Command1"));
        EXPECT_EQ(window.form().text("Text10"), "483.63") << control;
        EXPECT_NE(window.form().text("Text7"), "1587.75") << control;
    }
}

}  // namespace
}  // namespace pylora
