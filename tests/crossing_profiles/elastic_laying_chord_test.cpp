// 弹性敷设参数计算's 弦长 is the chord between the tangent points, 2ρ·sin(θ/2), shorter than the
// arc ρ·θ.
#include <gtest/gtest.h>

#include <cmath>

#include "model/calc_form.h"
#include "model/number_reading.h"
#include "model/window_registry.h"
#include "test_services.h"

namespace pylora {
namespace {

double shown(const Form& form, const std::string& field) { return *parseStrictNumber(form.text(field)); }

TEST(ElasticLayingChord, IsTheChordNotTheArc) {
    const struct {
        const char* intersection;
        const char* radius;
    } cases[] = {{"306.5", "600"}, {"295", "300"}, {"280", "300"}, {"315", "300"}};
    // 295 m at ρ 300 m: the arc 95.43 m, the chord 95.03 m.
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.intersection) + " " + c.radius);
        CalcForm window(*findWindow("弹性敷设参数计算"), testServices());
        Form& form = window.form();
        form.type("Text2(6)", c.intersection);
        form.type("Text41", c.radius);
        ASSERT_FALSE(window.press("Command1"));
        const double rho = shown(form, "Text41");
        const double theta = (shown(form, "Text29") + shown(form, "Text44")) * 3.1416 / 180;
        EXPECT_NEAR(shown(form, "Text11"), 2 * rho * std::sin(theta / 2), 0.02);  // θ from its shown degrees
        EXPECT_LE(shown(form, "Text11"), shown(form, "Text28"));  // never longer than the arc
        // The chord spans the tangent points as laid out (to their shown centimetres).
        const double dx = shown(form, "Text1(9)") - shown(form, "Text1(3)");
        const double dz = shown(form, "Text2(9)") - shown(form, "Text2(3)");
        EXPECT_NEAR(shown(form, "Text11"), std::hypot(dx, dz), 0.03);
    }
}

}  // namespace
}  // namespace pylora
