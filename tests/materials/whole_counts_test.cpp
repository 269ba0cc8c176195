// Counts of pieces are whole: a part of a ring is one ring more, and the components and the cost
// follow the whole rings. The formula shows the rounding up as ⌈…⌉.
#include <gtest/gtest.h>

#include "model/calc_form.h"
#include "model/number_reading.h"
#include "model/quantity_values.h"
#include "model/window_registry.h"
#include "test_services.h"

namespace pylora {
namespace {

TEST(CasingSupportCounts, RingsComponentsAndCostAreWholeRoundedUp) {
    CalcForm window(*findWindow("套管支架选型及计算"), testServices());
    Form& form = window.form();
    ASSERT_TRUE(form.choose("List1", "φ159"));
    form.type("Text6", "61");
    form.type("Text4", "250");
    const auto failure = window.press(window.definition().defaultRunButton());
    ASSERT_FALSE(failure) << failure->detail();

    // 61 m over the 2.5 m spacing and three more for the ends: 27.4 rings, so 28.
    const QuantityValues values(form);
    EXPECT_EQ(values.value("n").value(), 28);
    EXPECT_EQ(form.text("Text2"), "56");
    EXPECT_EQ(form.text("Text8"), "28");
    const double perRing = values.value("C_r").value();
    EXPECT_DOUBLE_EQ(*parseStrictNumber(form.text("Text17")), 28 * perRing);

    const formula::Formula* rings = values.formulaFor("n");
    ASSERT_TRUE(rings);
    const std::string written = formula::linear(rings->expression, [](const std::string& k) { return k; });
    EXPECT_EQ(written.rfind("⌈", 0), 0u) << written;
    EXPECT_NE(written.find("⌉"), std::string::npos) << written;
}

TEST(CasingSupportCounts, AWholeNumberOfRingsStaysAsItIs) {
    CalcForm window(*findWindow("套管支架选型及计算"), testServices());
    Form& form = window.form();
    ASSERT_TRUE(form.choose("List1", "φ159"));
    form.type("Text6", "60");  // 24 spacings and three: 27 rings exactly
    form.type("Text4", "250");
    ASSERT_FALSE(window.press(window.definition().defaultRunButton()));
    EXPECT_EQ(QuantityValues(form).value("n").value(), 27);
    EXPECT_EQ(form.text("Text8"), "27");
}

}  // namespace
}  // namespace pylora
