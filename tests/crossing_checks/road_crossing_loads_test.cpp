// 土壤荷载计算 and 汽车荷载计算: the loads a highway puts on a crossing pipe, at the angles and
// depths where their formulas turn.
#include <gtest/gtest.h>

#include <optional>

#include "model/calc_form.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

struct Outcome {
    std::optional<RunFailure> failure;
    std::string text;
};

Outcome runWith(const char* formName, const std::vector<std::pair<const char*, const char*>>& inputs,
                const char* result) {
    CalcForm window(*findWindow(formName), Services{});
    for (const auto& [field, text] : inputs) window.form().type(field, text);
    auto failure = window.press("Command1");
    return {std::move(failure), window.form().text(result)};
}

// The lateral load of the fill condition goes with tan²(45° − θ/2): zero at θ = 90° and the same
// on either side of it.
// No soil has a friction angle beyond 90°: such an angle is refused, not mirrored.
TEST(SoilLoadTest, LateralLoadVanishesAtNinetyDegreesAndNoAngleBeyondIsTaken) {
    EXPECT_EQ(runWith("土壤荷载计算", {{"Text2", "90"}}, "Text7").text, "0");
    for (const char* offset : {"1", "30", "45"}) {
        const double x = std::stod(offset);
        const auto below = runWith("土壤荷载计算", {{"Text2", std::to_string(90 - x).c_str()}}, "Text7");
        const auto above = runWith("土壤荷载计算", {{"Text2", std::to_string(90 + x).c_str()}}, "Text7");
        EXPECT_GT(std::stod(below.text), 0) << offset;
        ASSERT_TRUE(above.failure) << offset;
        EXPECT_EQ(above.failure->kind(), FailureKind::InputOutsideDomain) << offset;
    }
}

// The radial load raises cos(θ′/2) to the power n. With the window's π of 3.1416, half of 180°
// lies a hair past the right angle, so the base is already negative there.
TEST(SoilLoadTest, RadialLoadNeedsAWholeExponentForANegativeBase) {
    struct Case {
        const char* centralAngle;
        const char* exponent;
        bool fails;
        FailureKind kind = FailureKind::OutsideDomain;
    };
    // Beyond 180° the angle would lie past the pipe's bottom: refused whatever n is.
    const std::vector<Case> cases{
        {"179.99", "2.5", false},
        {"180", "2.5", true},
        {"180", "5", false},
        {"200", "5", true, FailureKind::InputOutsideDomain},
        {"200", "2.5", true, FailureKind::InputOutsideDomain},
        {"360", "2", true, FailureKind::InputOutsideDomain},
    };
    for (const Case& c : cases) {
        const auto outcome = runWith("土壤荷载计算", {{"Text13", c.centralAngle}, {"Text11", c.exponent}}, "Text19");
        ASSERT_EQ(outcome.failure.has_value(), c.fails) << c.centralAngle << " ^ " << c.exponent;
        if (c.fails) {
            EXPECT_EQ(outcome.failure->control(), "Text13");
            EXPECT_EQ(outcome.failure->kind(), c.kind);
            EXPECT_EQ(outcome.text, " ");
        }
    }
}

// Above the crossing depth of the spreading lines (1.2513… with the defaults) one wheel loads
// the pipe, below it the two wheels' zones overlap. Whichever applies is the larger pressure.
TEST(VehicleLoadTest, DepthAgainstCrossingDepthChoosesTheFormula) {
    struct Case {
        const char* depth;
        const char* pressure;
    };
    const std::vector<Case> cases{
        {"0.5", "100.967"},  // single wheel; overlapping would give 66.919
        {"1.25", "22.651"},  // single wheel; overlapping 22.641
        {"1.252", "22.593"}, // overlapping; single wheel 22.588
        {"2", "11.685"},     // overlapping; single wheel 9.731
        {"3.5", "4.879"},    // overlapping; single wheel 3.412
    };
    for (const Case& c : cases) {
        const auto outcome = runWith("汽车荷载计算", {{"Text8", c.depth}}, "Text7");
        ASSERT_FALSE(outcome.failure) << c.depth;
        EXPECT_EQ(outcome.text, c.pressure) << c.depth;
    }
}

}  // namespace
}  // namespace pylora
