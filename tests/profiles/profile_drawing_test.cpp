// The profile a window's calculation hands to CAD: only a completed, current calculation has
// one; it holds the stations the run used, its texts as shown; the GBK texts and the CSV quoting.
#include <gtest/gtest.h>

#include <cmath>

#include "model/calc_form.h"
#include "cad/dxf_document.h"
#include "cad/profile_csv.h"
#include "model/window_registry.h"
#include "test_services.h"

namespace pylora {
namespace {

TEST(ProfileDrawing, OnlyACompletedCurrentCalculationHasOne) {
    CalcForm window(*findWindow("弹性敷设参数计算"), testServices());
    EXPECT_FALSE(profileDrawing(window));  // nothing run
    ASSERT_FALSE(window.press("Command1"));
    EXPECT_FALSE(profileDrawing(window));  // the drawing step not run
    EXPECT_EQ(noProfileReason(window), "请先完成「第二步计算」，再导出纵断面");
    ASSERT_FALSE(window.press("Command3"));
    const std::vector<std::string> inputs = window.form().read();
    EXPECT_TRUE(profileDrawing(window));
    EXPECT_EQ(window.form().read(), inputs);  // reading the results back is no input of the run
    window.form().type("Text41", "700");  // the inputs changed since
    EXPECT_FALSE(profileDrawing(window));
    window.form().type("Text1(1)", "abc");
    EXPECT_TRUE(window.press("Command1"));
    EXPECT_FALSE(profileDrawing(window));
    EXPECT_EQ(noProfileReason(window), "计算未完成，没有可导出的纵断面");

    CalcForm sheet(*findWindow("壁厚计算"), testServices());
    EXPECT_FALSE(sheet.definition().hasProfile());
    EXPECT_FALSE(profileDrawing(sheet));
}

TEST(ProfileDrawing, OpenCutStopsAtTheStationThatEndsTheList) {
    CalcForm window(*findWindow("穿越断面"), testServices());
    window.form().type("Text7", "-1");  // 桩点7 ends the list: six stations, five segments
    ASSERT_FALSE(window.press("Command1"));
    const auto drawing = profileDrawing(window);
    ASSERT_TRUE(drawing);
    ASSERT_EQ(drawing->stations.size(), 6u);
    EXPECT_EQ(drawing->stations.back().name, "桩点6");
    EXPECT_EQ(drawing->stations.back().stationText, "49.00");
    EXPECT_EQ(drawing->stations.back().coverText, "2.10");  // 310.7 − 308.6
    ASSERT_EQ(drawing->segments.size(), 5u);
    EXPECT_EQ(drawing->segments[2].slope, window.form().text("Text54"));
    EXPECT_EQ(drawing->segments[2].length, window.form().text("Text63"));
    ASSERT_EQ(drawing->pipe.size(), 1u);
    EXPECT_EQ(drawing->pipe[0].size(), 6u);
    EXPECT_EQ(drawing->ground.size(), 6u);
    EXPECT_EQ(drawing->defaultExaggeration, 10);  // the window states no scales
}

TEST(ProfileDrawing, TheArcRunsCounterClockwiseBetweenItsTangentPoints) {
    // A sag bend by default; raising the intersection point above the outer points makes a crest.
    const struct {
        const char* intersection;
        bool crest;
    } bends[] = {{"306.5", false}, {"312", true}};
    for (const auto& bend : bends) {
        CalcForm window(*findWindow("弹性敷设参数计算"), testServices());
        window.form().type("Text2(6)", bend.intersection);
        ASSERT_FALSE(window.press("Command1"));
        ASSERT_FALSE(window.press("Command3"));
        const auto drawing = profileDrawing(window);
        ASSERT_TRUE(drawing);
        ASSERT_EQ(drawing->arcs.size(), 1u);
        const ProfileArc& arc = drawing->arcs[0];
        // The middle of the arc, counter-clockwise from its start, lies below the centre for a sag.
        const double middle = arc.startAngle + std::fmod(arc.endAngle - arc.startAngle + 360, 360) / 2;
        EXPECT_EQ(std::sin(middle * 3.14159265358979 / 180) > 0, bend.crest) << bend.intersection;
        EXPECT_GT(drawing->defaultExaggeration, 0);
        EXPECT_EQ(drawing->guides.size(), 2u);
    }
}

TEST(ProfileTexts, GbkWithEscapesForWhatGbkLacks) {
    EXPECT_EQ(gbkText("桩号 K1+200"), "\xD7\xAE\xBA\xC5 K1+200");
    EXPECT_EQ(gbkText("α=3°33′54″"), "\xA6\xC1=3\xA1\xE3" "33\xA1\xE4" "54\xA1\xE5");
    EXPECT_EQ(gbkText("D₂"), "D\\U+2082");
}

TEST(ProfileTexts, CsvQuotesWhatWouldSplitAField) {
    ProfileDrawing drawing;
    drawing.stations.push_back({"桩点1", 0, "0.00", 310.5, "310.5", 308.0, "308", "2.50"});
    drawing.stations.push_back({"桩点\"2\",河心", 10, "10", {}, "", {}, "", ""});
    drawing.segments.push_back({0, 1, "1,5", "0.86", "10.01"});
    EXPECT_EQ(profileCsv(drawing),
              "\xEF\xBB\xBF桩号,里程 (m),地面标高 (m),管底标高 (m),埋深 (m),管段,坡度 (‰),倾角 (°),管段长度 (m)\r\n"
              "桩点1,0.00,310.5,308,2.50,\"桩点1–桩点\"\"2\"\",河心\",\"1,5\",0.86,10.01\r\n"
              "\"桩点\"\"2\"\",河心\",10,,,,,,,\r\n");
}

}  // namespace
}  // namespace pylora
