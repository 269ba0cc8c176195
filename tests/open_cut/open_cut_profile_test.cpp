// The open-cut profile: its sketch across calculations of one open window, and the formulas it
// states for the first segment.
#include <gtest/gtest.h>

#include <set>

#include "model/calc_form.h"
#include "model/number_reading.h"
#include "model/quantity_values.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

std::set<std::string> visibleElements(const Sketch& sketch) {
    std::set<std::string> names;
    for (const auto& line : sketch.lines())
        if (line.visible) names.insert(line.name);
    for (const auto& marker : sketch.markers())
        if (marker.visible) names.insert(marker.name);
    return names;
}

// Axes, arrowheads and legend samples: visible whatever the calculations did.
const std::set<std::string> kFixedLines{"Line1", "Line2", "Line3", "Line4", "Line5", "Line6", "Line7", "Line8"};

class OpenCutSketchTest : public testing::Test {
protected:
    CalcForm window{*findWindow("穿越断面"), Services{}};
    const Sketch& sketch() { return window.form().sketch("Picture1"); }
};

TEST_F(OpenCutSketchTest, FewerPointsLeaveNothingOfTheEarlierCalculationVisible) {
    ASSERT_FALSE(window.press("Command1"));
    EXPECT_TRUE(visibleElements(sketch()).count("Line10(10)"));
    EXPECT_TRUE(visibleElements(sketch()).count("Shape1(9)"));

    window.form().type("Text4", "-1");  // three stake points
    ASSERT_FALSE(window.press("Command1"));
    std::set<std::string> expected = kFixedLines;
    expected.insert({"Line9(2)", "Line9(3)", "Line10(2)", "Line10(3)", "Shape1(0)", "Shape1(1)", "Shape1(2)"});
    EXPECT_EQ(visibleElements(sketch()), expected);
    EXPECT_EQ(window.form().text("Text39"), "");
}

TEST_F(OpenCutSketchTest, AFailedSketchLeavesNoMarkerOfTheEarlierCalculation) {
    ASSERT_FALSE(window.press("Command1"));
    window.form().type("Text2", "-1");  // one stake point: no horizontal scale
    const auto failure = window.press("Command1");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->kind(), FailureKind::DivisionByZero);
    EXPECT_EQ(visibleElements(sketch()), kFixedLines);
}

// The window states the segment formulas once, for the first segment, which is level with the
// default inputs; a rising and a falling first segment put them to the test.
TEST(OpenCutFormulas, TheFirstSegmentsFormulasGiveWhatItsCellsShow) {
    for (const char* secondPipe : {"312.1", "309.5"}) {
        CalcForm window{*findWindow("穿越断面"), Services{}};
        window.form().type("Text22", secondPipe);
        ASSERT_FALSE(window.press("Command1"));
        const QuantityValues values(window.form());
        for (const char* cell : {"Text35", "Text52", "Text61"}) {
            const formula::Formula* line = values.formulaFor(cell);
            ASSERT_TRUE(line) << cell;
            const double computed =
                formula::evaluate(line->expression, [&](const std::string& key) { return values.value(key); }).value();
            const auto shown = parseStrictNumber(window.form().text(cell));
            ASSERT_TRUE(shown) << cell;
            EXPECT_NEAR(computed, *shown, cell == std::string("Text35") ? 1e-12 : 0.005) << cell << " " << secondPipe;
        }
    }
}

}  // namespace
}  // namespace pylora
