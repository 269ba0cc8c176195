// 公路穿越强度校核: the verdict at its boundary, on both rows, and across runs of one window.
#include <gtest/gtest.h>

#include "model/calc_form.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

const std::vector<const char*> kVerdictRow{"Text11", "Text12", "Text15", "Text16"};

class HighwayStrengthCheckTest : public testing::Test {
protected:
    Form& form() { return window.form(); }

    // Both rows carry the one verdict: sign, text and colour.
    void expectVerdict(const char* sign, const char* text, Colour colour) {
        for (const char* field : {"Text11", "Text12"}) EXPECT_EQ(form().text(field), sign) << field;
        for (const char* field : {"Text15", "Text16"}) EXPECT_EQ(form().text(field), text) << field;
        for (const char* field : kVerdictRow) EXPECT_EQ(form().foreground(field), colour) << field;
    }

    CalcForm window{*findWindow("公路穿越强度校核"), Services{}};
};

// With the default loads |σl| = 1179.7880859375; these yield strengths put [σ] = σs / 1.7 just
// below it, exactly on it and just above it. Equal does not pass.
TEST_F(HighwayStrengthCheckTest, VerdictAtTheAllowableStress) {
    struct Case {
        const char* yieldStrength;
        const char* sign;
        const char* text;
        Colour colour;
    };
    const std::vector<Case> cases{
        {"2005.6397460937", ">", "不满足强度要求", Colour::red()},
        {"2005.63974609375", ">", "不满足强度要求", Colour::red()},
        {"2005.6397460938", "<", "满足强度要求", Colour::windowText()},
        {"245000", "<", "满足强度要求", Colour::windowText()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.yieldStrength);
        form().type("Text5", c.yieldStrength);
        ASSERT_FALSE(window.press("Command1"));
        expectVerdict(c.sign, c.text, c.colour);
    }
}

// The tensile stress is compared by its magnitude, whichever sign the loads give it.
TEST_F(HighwayStrengthCheckTest, NegativeTensileStressIsComparedByItsMagnitude) {
    form().type("Text5", "2000");  // [σ] = 1176.47…, below |σl| = 1179.79…
    ASSERT_FALSE(window.press("Command1"));
    ASSERT_EQ(form().text("Text9"), "-1179.7880859375");
    expectVerdict(">", "不满足强度要求", Colour::red());
}

// A run that fails before its verdict leaves no verdict of an earlier run beside its new
// numbers, met or not; the numbers it wrote stay, those it did not reach keep their text.
TEST_F(HighwayStrengthCheckTest, FailedRunLeavesNoEarlierVerdict) {
    for (const char* earlierYield : {"245000", "2000"}) {
        SCOPED_TRACE(earlierYield);
        form().type("Text5", earlierYield);
        form().type("Text8", "0.08");
        ASSERT_FALSE(window.press("Command1"));
        const std::string earlierStress = form().text("Text9");

        form().type("Text5", "245000");
        form().type("Text8", "x");
        const auto failure = window.press("Command1");
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->control(), "Text8");
        EXPECT_EQ(form().text("Text13"), "144117.647058824");
        EXPECT_EQ(form().text("Text9"), earlierStress);
        expectVerdict(" ", " ", Colour::windowText());
    }
}

}  // namespace
}  // namespace pylora
