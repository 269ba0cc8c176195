// 振动计算 exists to check a scoured span: its 结论 sets the span l against the longest free
// spans allowed with hinged and with fixed ends, met in the window text colour, not met in red;
// the natural frequencies keep their values.
#include <gtest/gtest.h>

#include <string>

#include "model/calc_form.h"
#include "model/number_reading.h"
#include "model/number_text.h"
#include "model/window_registry.h"
#include "test_services.h"

namespace pylora {
namespace {

TEST(VibrationSpanCheck, TheVerdictSetsTheSpanAgainstBothAllowedSpans) {
    CalcForm window(*findWindow("振动计算"), testServices());
    Form& form = window.form();
    ASSERT_FALSE(window.press("Command1"));
    const double hinged = *parseStrictNumber(form.text("Text8")), fixed = *parseStrictNumber(form.text("Text17"));
    ASSERT_LT(hinged, fixed);
    const std::string frequency = form.text("Text1");

    const struct {
        double span;
        const char* opens;
        bool met;
    } cases[] = {{hinged * 0.5, "满足", true},
                 {hinged, "满足", true},  // at the allowed span itself
                 {(hinged + fixed) / 2, "两端铰接时不满足，两端刚性固定时满足", false},
                 {fixed, "两端铰接时不满足，两端刚性固定时满足", false},
                 {fixed * 1.5, "不满足", false}};
    for (const auto& c : cases) {
        // The allowed spans do not depend on l: the shown values stay while l changes.
        form.type("Text11", NumberText(c.span));
        ASSERT_FALSE(window.press("Command1"));
        SCOPED_TRACE(form.text("Text11"));
        const std::string verdict = form.text("Text18");
        EXPECT_EQ(verdict.rfind(std::string(c.opens) + "：", 0), 0u) << verdict;
        EXPECT_NE(verdict.find("L_h=" + form.text("Text8")), std::string::npos) << verdict;
        EXPECT_EQ(form.control("Text18").foreground, c.met ? Colour::windowText() : Colour::red());
    }
    form.type("Text11", "20");
    ASSERT_FALSE(window.press("Command1"));
    EXPECT_EQ(form.text("Text1"), frequency);  // f1 keeps its value
}

}  // namespace
}  // namespace pylora
