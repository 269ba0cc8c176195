// 弹性敷设: the turning angle's sign, and the formula-4 fields that the run must leave alone.
#include <gtest/gtest.h>

#include "model/calc_form.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

class UnderwaterElasticLayingTest : public testing::Test {
protected:
    std::string angleRadius(const std::string& angle) {
        CalcForm window(*findWindow("弹性敷设"), Services{});
        window.form().type("Text2", angle);
        EXPECT_FALSE(window.press("Command1")) << angle;
        return window.form().text("Text9");
    }
};

// The angle enters as α⁴ and cos(α/2), so a bend to either side needs the same radius; the
// radius grows as the angle shrinks.
TEST_F(UnderwaterElasticLayingTest, AngleOfEitherSignGivesTheSameRadius) {
    const std::vector<std::pair<const char*, const char*>> angles{
        {"3.5", "-3.5"}, {"0.1", "-0.1"}, {"1E-3", "-1E-3"}, {"6.2832", "-6.2832"}};
    for (const auto& [positive, negative] : angles) EXPECT_EQ(angleRadius(positive), angleRadius(negative)) << positive;
    EXPECT_GT(std::stod(angleRadius("0.1")), std::stod(angleRadius("3.5")));
}

// Formula 4 has no calculation: text of any kind in its inputs changes nothing, and its two
// result fields keep whatever they show.
TEST_F(UnderwaterElasticLayingTest, FormulaFourFieldsAreNeitherReadNorWritten) {
    for (const char* input : {"Text5", "Text11", "Text12", "Text13", "Text14", "Text15"}) {
        CalcForm window(*findWindow("弹性敷设"), Services{});
        window.form().type(input, "见附表");
        window.form().type("Text7", "1200");
        window.form().type("Text6", "手算");
        ASSERT_FALSE(window.press("Command1")) << input;
        EXPECT_EQ(window.form().text("Text9"), "306.240384036741") << input;
        EXPECT_EQ(window.form().text("Text7"), "1200");
        EXPECT_EQ(window.form().text("Text6"), "手算");
    }
}

}  // namespace
}  // namespace pylora
