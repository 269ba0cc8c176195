#include "profiles/profile_sketch.h"

#include <gtest/gtest.h>

namespace pylora {
namespace {

TEST(ProfileMapping, SpansTheFrameFromFirstStationAndLowestElevation) {
    const ProfileMapping mapping(Num(10), Num(110), Num(300), Num(304));
    EXPECT_DOUBLE_EQ(mapping.verticalScale().value(), 500);
    EXPECT_DOUBLE_EQ(mapping.horizontalScale().value(), 115);
    const SketchPoint first = mapping.map(Num(10), Num(300));
    EXPECT_DOUBLE_EQ(first.x, 1000);
    EXPECT_DOUBLE_EQ(first.y, 2800);
    const SketchPoint last = mapping.map(Num(110), Num(304));
    EXPECT_DOUBLE_EQ(last.x, 12500);
    EXPECT_DOUBLE_EQ(last.y, 800);
}

TEST(ProfileMapping, EqualElevationsFailBeforeEqualStations) {
    try {
        ProfileMapping(Num(5, "Text1"), Num(5, "Text10"), Num(300, "Text21"), Num(300, "Text11"));
        FAIL() << "a flat profile has no vertical scale";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.kind(), FailureKind::DivisionByZero);
        EXPECT_EQ(failure.control(), "Text11");
    }
    try {
        ProfileMapping(Num(5, "Text1"), Num(5, "Text10"), Num(300, "Text21"), Num(301, "Text11"));
        FAIL() << "a single station has no horizontal scale";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.control(), "Text10");
    }
}

TEST(ProfileSketchPanel, ShowsAxesAndLegendAndKeepsTheValueLabelsHidden) {
    const Sketch panel = profileSketchPanel(drillingLegend());
    EXPECT_EQ(panel.width(), 15015);
    EXPECT_EQ(panel.height(), 3915);
    ASSERT_EQ(panel.lines().size(), 8u);
    const SketchLine& pipeSample = panel.lines()[7];
    EXPECT_EQ(pipeSample.name, "Line8");
    EXPECT_EQ(pipeSample.colour, Colour::red());
    EXPECT_EQ(pipeSample.width, 4);
    for (const SketchLabel& label : panel.labels()) {
        const bool filledByRun = label.name >= "Label33" && label.name <= "Label36";
        EXPECT_EQ(label.visible, !filledByRun) << label.name;
    }
}

}  // namespace
}  // namespace pylora
