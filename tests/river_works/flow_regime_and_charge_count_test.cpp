// Boundaries of the river-works windows where a whole-number or threshold decision is taken:
// the flow regime at Re 2300, judged from the Reynolds number as displayed, and the number of
// blasting charges along a trench when its length is a whole number of charge spacings.
#include <gtest/gtest.h>

#include <string>

#include "model/calc_form.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

struct RegimeCase {
    const char* diameter;  // with V = 1 m/s and ν = 1 cm²/s, Re = D·10000
    const char* shownRe;
    const char* regime;
};

void PrintTo(const RegimeCase& c, std::ostream* os) { *os << "D=" << c.diameter; }

class FlowRegimeTest : public testing::TestWithParam<RegimeCase> {};

TEST_P(FlowRegimeTest, JudgedFromTheDisplayedReynoldsNumber) {
    CalcForm window(*findWindow("振动计算"), Services{});
    window.form().type("Text13", "1");
    window.form().type("Text16", "1");
    window.form().type("Text15", GetParam().diameter);
    ASSERT_FALSE(window.press("Command1"));
    EXPECT_EQ(window.form().text("Text5"), GetParam().shownRe);
    EXPECT_EQ(window.form().text("Text6"), GetParam().regime);
}

INSTANTIATE_TEST_SUITE_P(ReynoldsNumber2300, FlowRegimeTest,
                         testing::Values(RegimeCase{"0.23", "2300.", "层流状态"},
                                         // 2300.004 is shown as 2300 and so still laminar
                                         RegimeCase{"0.2300004", "2300.", "层流状态"},
                                         RegimeCase{"0.229999", "2299.99", "层流状态"},
                                         RegimeCase{"0.230001", "2300.01", "湍流状态"},
                                         RegimeCase{"0.0001", "1.", "层流状态"}));

struct ChargeCase {
    const char* length;
    const char* spacing;
    int charges;
};

void PrintTo(const ChargeCase& c, std::ostream* os) { *os << "L=" << c.length << " a=" << c.spacing; }

class ChargeCountTest : public testing::TestWithParam<ChargeCase> {};

// With K = 1 and W = 1 each charge is 1 kg, so every total is the number of charges.
TEST_P(ChargeCountTest, OneChargeAtEachEndOfEveryWholeSpacing) {
    CalcForm window(*findWindow("爆破法开挖"), Services{});
    window.form().type("Text1", "1");
    window.form().type("Text2", "1");
    window.form().type("Text16", GetParam().length);
    window.form().type("Text17", GetParam().spacing);
    ASSERT_FALSE(window.press("Command1"));
    EXPECT_EQ(window.form().text("Text5"), std::to_string(GetParam().charges) + ".");
}

INSTANTIATE_TEST_SUITE_P(LengthOverSpacing, ChargeCountTest,
                         testing::Values(ChargeCase{"300", "6", 51}, ChargeCase{"299.4", "6", 50},
                                         ChargeCase{"300.6", "6", 51}, ChargeCase{"6", "6", 2},
                                         ChargeCase{"5.9", "6", 1}, ChargeCase{"0", "6", 1},
                                         // binary quotients just below a whole number (2.9999999999999996,
                                         // 5.999999999999999) still count 3 and 6 spacings
                                         ChargeCase{"3.3", "1.1", 4}, ChargeCase{"4.8", "0.8", 7}));

}  // namespace
}  // namespace pylora
