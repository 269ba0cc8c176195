// 小平车发送道相关计算: the load on the trolleys for any number of them, and forces summed from
// their unrounded values.
#include <gtest/gtest.h>

#include <string>

#include "model/calc_form.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

struct TrolleyCase {
    const char* name;
    const char* trolleys;     // n, typed into Text5
    const char* wheelRadius;  // rc, typed into Text14
    // F1, F2, F3, F4, F as displayed
    const char* wheelRolling;
    const char* bearing;
    const char* flange;
    const char* rope;
    const char* pull;
};

void PrintTo(const TrolleyCase& c, std::ostream* os) { *os << c.name; }

const TrolleyCase kCases[] = {
    // No trolleys counted: only the pipe string's 15000 kN bears on the wheels.
    {"no_trolleys", "0", "15.0", "500.", "600.", "550.", "3930.", "11160."},
    {"one_trolley", "1", "15.0", "516.67", "620.", "568.33", "3930.", "11270."},
    {"defaults", "10", "15.0", "666.67", "800.", "733.33", "3930.", "12260."},
    // F3 and F from the unrounded F1 = 1428.5714…: the displayed texts would give F = 14545.72.
    {"unrounded_sum", "10", "7", "1428.57", "800.", "1114.29", "3930.", "14545.71"},
};

class TrolleyLaunchWayTest : public testing::TestWithParam<TrolleyCase> {};

TEST_P(TrolleyLaunchWayTest, ForcesFromTheLoadOnTheTrolleys) {
    const TrolleyCase& c = GetParam();
    CalcForm window(*findWindow("小平车发送道相关计算"), Services{});
    window.form().type("Text5", c.trolleys);
    window.form().type("Text14", c.wheelRadius);
    ASSERT_FALSE(window.press("Command1"));
    EXPECT_EQ(window.form().text("Text10"), c.wheelRolling);
    EXPECT_EQ(window.form().text("Text8"), c.bearing);
    EXPECT_EQ(window.form().text("Text9"), c.flange);
    EXPECT_EQ(window.form().text("Text7"), c.rope);
    EXPECT_EQ(window.form().text("Text33"), c.pull);
}

INSTANTIATE_TEST_SUITE_P(TrolleyCounts, TrolleyLaunchWayTest, testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pylora
