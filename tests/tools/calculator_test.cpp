// The desk calculator driven key by key, as the engineer presses them: strictly left to right,
// with its state kept between presses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/calc_form.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

// "0"-"9", ".", "=", "+", "-", "*", "/" as on the keys; "C" for 清除.
std::string keyButton(char key) {
    static const std::string keys = "0123456789.=+-*/C";
    const auto index = keys.find(key);
    if (index == std::string::npos) throw std::invalid_argument(std::string("no key ") + key);
    return indexed("Command1", int(index));
}

class Calculator {
public:
    Calculator() : window_(*findWindow("计算器"), Services{}) {}

    // Presses the keys in turn; a failing key does not stop the ones after it.
    std::vector<RunFailure> press(const std::string& keys) {
        std::vector<RunFailure> failures;
        for (char key : keys)
            if (auto failure = window_.press(keyButton(key))) failures.push_back(*failure);
        return failures;
    }
    const std::string& display() const { return window_.form().text("Text1"); }
    const FormDefinition& definition() const { return window_.definition(); }

private:
    CalcForm window_;
};

struct KeyCase {
    const char* keys;
    const char* display;
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << '"' << c.keys << "\" -> \"" << c.display << '"'; }

class CalculatorKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(CalculatorKeys, ShowTheDisplay) {
    Calculator calculator;
    EXPECT_TRUE(calculator.press(GetParam().keys).empty());
    EXPECT_EQ(calculator.display(), GetParam().display);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, CalculatorKeys,
    testing::Values(
        KeyCase{"", "0."},  // the window opens cleared
        KeyCase{"12.5", "12.5"}, KeyCase{"12.5+", "12.5"}, KeyCase{"12.5+3", "3"}, KeyCase{"12.5+3=", "15.5"},
        KeyCase{"1.2.3", "1.23"},  // a second point in one number is ignored
        KeyCase{".", "0."}, KeyCase{"3+.5=", "3.5"},
        KeyCase{"05", "05"}, KeyCase{"05*2=", "10"},
        // A digit after "=" that completed an operation is appended to the result ...
        KeyCase{"5+3=2", "82"}, KeyCase{"5+3=2+1=", "83"},
        // ... after "=" with nothing pending it starts a new number.
        KeyCase{"5=2", "2"},
        // A second "=" repeats nothing; the next digit starts a new number.
        KeyCase{"5+3==", "8"}, KeyCase{"5+3==2", "2"},
        // Two operators in a row complete the first with an empty, zero, second operand.
        KeyCase{"5+-", "5"}, KeyCase{"5+-3=", "2"},
        KeyCase{"=", ""}, KeyCase{"7+2C=", ""},  // "=" right after opening or 清除
        KeyCase{"7+2C", "0."}, KeyCase{"7+2C4=", "4"},
        KeyCase{"+3=", "3"},  // an operator first takes the first operand as 0
        KeyCase{"2-5=", "-3"}, KeyCase{"2-5=*2=", "-6"},
        KeyCase{"5+3*2=", "16"},  // chained, strictly left to right
        KeyCase{"8-2*3+1=", "19"},
        // The second operand is kept in double precision.
        KeyCase{"1+0.1=", "1.1"}, KeyCase{"0.1+0.2=", "0.3"}, KeyCase{"1/3=", "0.333333333333333"},
        KeyCase{"2/3=", "0.666666666666667"},
        // Results take the general number form, an exponent form read back as the next operand.
        KeyCase{"1/100000=", "1E-05"}, KeyCase{"1/100000=*100000=", "1"},
        KeyCase{"1000000*1000000000=", "1E+15"}));

TEST(Calculator, DivisionByZeroFailsAndLaterKeysGoOn) {
    Calculator calculator;
    const auto failures = calculator.press("5/0=");
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].kind(), FailureKind::DivisionByZero);
    EXPECT_EQ(failureMessage(failures[0], calculator.definition()), "计算中止：由「输入的数」得到的除数为零");
    EXPECT_EQ(calculator.display(), "0");
    // The division is still pending: the next digit is keyed onto the divisor, "=" completes it.
    EXPECT_TRUE(calculator.press("2=").empty());
    EXPECT_EQ(calculator.display(), "2.5");
}

TEST(Calculator, FailedOperatorKeepsItsDivisionPending) {
    Calculator calculator;
    EXPECT_EQ(calculator.press("6/0+").size(), 1u);
    EXPECT_EQ(calculator.display(), "0");
    EXPECT_TRUE(calculator.press("4=").empty());  // the divisor is keyed afresh
    EXPECT_EQ(calculator.display(), "1.5");
}

TEST(Calculator, ResultBeyondDoublePrecisionFails) {
    Calculator calculator;
    const std::string big(200, '9');
    const auto failures = calculator.press(big + "*" + big + "=");
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_EQ(failures[0].kind(), FailureKind::TooLarge);
    EXPECT_EQ(calculator.display(), big);
    EXPECT_TRUE(calculator.press("C1+1=").empty());
    EXPECT_EQ(calculator.display(), "2");
}

TEST(Calculator, TextTypedIntoTheDisplayIsIgnored) {
    const FormDefinition& definition = *findWindow("计算器");
    CalcForm window(definition, Services{});
    window.form().type("Text1", "100");
    for (const char* key : {"Command1(2)", "Command1(12)", "Command1(3)", "Command1(11)"}) window.press(key);
    EXPECT_EQ(window.form().text("Text1"), "5");
}

}  // namespace
}  // namespace pylora
