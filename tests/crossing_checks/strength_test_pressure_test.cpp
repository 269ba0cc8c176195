// 强度试验压力: Pt = 1.8·δ·σs/D written through "#.##", across the pattern's boundaries.
#include <gtest/gtest.h>

#include "check_window_fixture.h"

namespace pylora {
namespace {

using testing_support::CheckWindow;

struct PressureCase {
    const char* name;
    std::vector<std::string> settings;
    const char* pressure;       // Text6
    const char* failedControl;  // empty: the run goes through
};

void PrintTo(const PressureCase& c, std::ostream* os) { *os << c.name; }

const PressureCase kPressures[] = {
    {"whole_number_keeps_its_point", {"Text1=250", "Text2=5", "Text3=225"}, "10.", ""},
    // 1.8·1·0.0025/1 = 0.0045 rounds to nothing: the bare point; 0.005 rounds up to .01.
    {"below_half_a_hundredth", {"Text1=0.0025", "Text2=1", "Text3=1"}, ".", ""},
    {"half_a_hundredth_rounds_up", {"Text1=0.0025", "Text2=1", "Text3=0.9"}, ".01", ""},
    // A negative diameter is no pipe: refused, no pressure written.
    {"negative_diameter", {"Text3=-273"}, " ", "Text3"},
    {"thickness_with_unit", {"Text2=8mm"}, " ", "Text2"},
};

class StrengthTestPressureTest : public testing::TestWithParam<PressureCase> {};

TEST_P(StrengthTestPressureTest, WritesThePressureToHundredths) {
    const PressureCase& c = GetParam();
    CheckWindow window("强度试验压力");
    const auto failure = window.run(c.settings);
    EXPECT_EQ(window.text("Text6"), c.pressure);
    EXPECT_EQ(failure ? failure->control() : std::string(), c.failedControl);
}

INSTANTIATE_TEST_SUITE_P(Boundaries, StrengthTestPressureTest, testing::ValuesIn(kPressures),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pylora
