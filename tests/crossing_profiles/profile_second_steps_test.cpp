// The second steps of the elastic-laying and directional-drilling windows: verdict boundaries,
// the sketch model they build, and the ground data file drawn at its true stations.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <vector>

#include "model/calc_form.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

namespace fs = std::filesystem;

std::set<std::string> visibleLines(const Sketch& sketch, const std::string& prefix) {
    std::set<std::string> names;
    for (const SketchLine& line : sketch.lines())
        if (line.visible && line.name.starts_with(prefix)) names.insert(line.name);
    return names;
}

const SketchLine& lineNamed(const Sketch& sketch, const std::string& name) {
    for (const SketchLine& line : sketch.lines())
        if (line.name == name) return line;
    throw std::runtime_error("no line " + name);
}

const SketchLabel& labelNamed(const Sketch& sketch, const std::string& name) {
    for (const SketchLabel& label : sketch.labels())
        if (label.name == name) return label;
    throw std::runtime_error("no label " + name);
}

const char* const kWarning5m = "注意：直管段长度小于5米，考虑弹性敷设段与弯头连接最小直管段等因素，请重新校核！";

TEST(ElasticLayingFirstStep, WarnsBelowFiveMetresAndKeepsTheWarning) {
    // A level left straight: its tangent point does not move with the first point, so the
    // left straight's length is exactly the distance chosen.
    CalcForm window(*findWindow("弹性敷设参数计算"), Services{});
    Form& form = window.form();
    form.type("Text2(1)", "306.5");
    ASSERT_FALSE(window.press("Command1"));
    const double tangentPoint = std::stod(form.text("Text1(3)"));
    const struct {
        double length;
        const char* shown;
        bool warns;
    } cases[] = {{5, "5.", false}, {4.99, "4.99", true}, {20, "20.", true}};  // the warning stays
    for (const auto& c : cases) {
        form.type("Text1(1)", std::to_string(tangentPoint - c.length));
        ASSERT_FALSE(window.press("Command1"));
        EXPECT_EQ(form.text("Text5"), c.shown);
        EXPECT_EQ(form.text("Text4") == kWarning5m, c.warns) << c.length;
    }
}

TEST(ElasticLayingSecondStep, DrawsStraightsArcMarkersAndAnnotations) {
    CalcForm window(*findWindow("弹性敷设参数计算"), Services{});
    ASSERT_FALSE(window.press("Command1"));
    ASSERT_FALSE(window.press("Command3"));
    const Sketch& sketch = window.form().sketch("Picture1");
    // The outer straights thick, the tangent lines to the intersection point thin.
    EXPECT_EQ(lineNamed(sketch, "Line9(1)").width, 4);
    EXPECT_EQ(lineNamed(sketch, "Line9(1)").x1, 1000);
    EXPECT_EQ(lineNamed(sketch, "Line9(2)").x2, 12500);
    EXPECT_EQ(lineNamed(sketch, "Line9(3)").width, 2);
    EXPECT_EQ(lineNamed(sketch, "Line9(4)").colour, Colour::windowText());
    // The arc: 99 red segments joined end to end from the left to the right tangent point.
    EXPECT_EQ(visibleLines(sketch, "Line11(").size(), 99u);
    for (int i = 3; i <= 100; ++i) {
        const SketchLine& segment = lineNamed(sketch, indexed("Line11", i));
        EXPECT_EQ(segment.x1, lineNamed(sketch, indexed("Line11", i - 1)).x2);
        EXPECT_EQ(segment.colour, Colour::red());
    }
    EXPECT_EQ(lineNamed(sketch, "Line11(2)").x1, lineNamed(sketch, "Line9(1)").x2);
    EXPECT_EQ(lineNamed(sketch, "Line11(100)").x2, lineNamed(sketch, "Line9(2)").x1);
    // Markers on every point but the first.
    std::set<std::string> markers;
    for (const SketchMarker& marker : sketch.markers())
        if (marker.visible) markers.insert(marker.name);
    EXPECT_EQ(markers.size(), 10u);
    EXPECT_FALSE(markers.count("Shape1(1)"));
    // The annotations with their bracket lines, in the upper band for this sag bend.
    for (const char* bracket : {"Line13", "Line14", "Line15", "Line16"})
        EXPECT_TRUE(lineNamed(sketch, bracket).visible) << bracket;
    EXPECT_EQ(labelNamed(sketch, "Label37").caption, "T=18.67");
    EXPECT_EQ(labelNamed(sketch, "Label40").top, 1200);
}

TEST(ElasticLayingSecondStep, AnArcWithNoSampleBelowTheStartValueFailsReadingItsLowestPoint) {
    // Elevations above 10000 m: no sample is lower than the search's start value.
    CalcForm window(*findWindow("弹性敷设参数计算"), Services{});
    Form& form = window.form();
    form.type("Text2(1)", "10308.6");
    form.type("Text2(6)", "10306.5");
    form.type("Text2(11)", "10309.8");
    ASSERT_FALSE(window.press("Command1"));
    const auto failure = window.press("Command3");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->kind(), FailureKind::NotANumber);
    EXPECT_EQ(failure->control(), "Text79");
    EXPECT_EQ(form.text("Text2(10)"), "10307.7375928597");  // written before the failure, kept
    EXPECT_TRUE(labelNamed(form.sketch("Picture1"), "Label45").visible);
}

struct VerdictCase {
    const char* entryStraight;
    const char* verdict;
    Colour colour;
};

TEST(DrillingSecondStep, TheEntryStraightAsDisplayedDecidesTheVerdict) {
    const VerdictCase cases[] = {
        {"20", "穿越管段在入土段直管段长度大于20米，符合定向钻穿越施工技术要求。", Colour::windowText()},
        {"20.", "穿越管段在入土段直管段长度大于20米，符合定向钻穿越施工技术要求。", Colour::windowText()},
        {"19.99", "■严重警告:穿越管段在入土点后20米内应为直线段,请重新选择合适参数！", Colour::red()},
    };
    for (const char* form : {"定向钻穿越", "定向钻穿越地面数据"}) {
        Services services;
        services.groundDataFile = fs::path(PYLORA_DATABASE_DIR) / "1.TXT";
        CalcForm window(*findWindow(form), services);
        ASSERT_FALSE(window.press("Command1"));
        for (const VerdictCase& c : cases) {
            window.form().type("Text27", c.entryStraight);
            ASSERT_FALSE(window.press("Command3")) << form;
            EXPECT_EQ(window.form().text("Text4"), c.verdict) << form << " " << c.entryStraight;
            EXPECT_EQ(window.form().foreground("Text4"), c.colour) << form << " " << c.entryStraight;
        }
    }
}

class TypedGroundTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(window.press("Command1")); }
    void setGround(const std::vector<std::string>& elevations) {
        for (int i = 1; i <= 12; ++i) window.form().type(indexed("Text21", i), elevations[(i - 1) % elevations.size()]);
    }
    CalcForm window{*findWindow("定向钻穿越"), Services{}};
};

TEST_F(TypedGroundTest, TheHighestGroundIsFoundByItsNumber) {
    setGround({"299.5", "300.2"});
    ASSERT_FALSE(window.press("Command3"));
    EXPECT_EQ(labelNamed(window.form().sketch("Picture1"), "Label33").caption, "300.2");
}

TEST_F(TypedGroundTest, GroundLevelWithTheLowestPipeLeavesNoVerticalScale) {
    setGround({"295.402378181622"});
    const auto failure = window.press("Command3");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->kind(), FailureKind::DivisionByZero);
    EXPECT_EQ(failure->control(), "Text21(1)");
    EXPECT_EQ(window.form().text("Text2(8)"), "297.198651898348");
}

TEST_F(TypedGroundTest, GroundThatIsNotANumberFailsWhereItIsDrawn) {
    window.form().type("Text21(7)", "305.8m");
    const auto failure = window.press("Command3");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->control(), "Text21(7)");
    EXPECT_TRUE(lineNamed(window.form().sketch("Picture1"), "Line9(6)").visible);
}

class SurveyGroundTest : public testing::Test {
protected:
    void SetUp() override {
        services_.groundDataFile = fs::temp_directory_path() / ("pylora_survey_" + std::to_string(getpid()) + ".TXT");
        window_.emplace(*findWindow("定向钻穿越地面数据"), services_);
        ASSERT_FALSE(window_->press("Command1"));
    }
    void TearDown() override { fs::remove(services_.groundDataFile); }
    void writeSurvey(const std::string& text) { std::ofstream(services_.groundDataFile, std::ios::binary) << text; }
    const Sketch& sketch() { return window_->form().sketch("Picture1"); }

    Services services_;
    std::optional<CalcForm> window_;
};

// Each window that draws a ground line draws it in the colour of its legend's "地面" sample
// (Line7), and its pipe in that of the "管线" sample (Line8); the survey's line below.
TEST(ProfileLegend, TheGroundAndPipeLinesHaveTheirSamplesColours) {
    const struct {
        const char* window;
        std::vector<const char*> buttons;
        const char* ground;
        const char* pipe;
    } cases[] = {
        {"定向钻穿越", {"Command1", "Command3"}, "Line9(2)", "Line10(2)"},
        {"穿越断面", {"Command1"}, "Line9(2)", "Line10(2)"},
    };
    for (const auto& c : cases) {
        CalcForm window(*findWindow(c.window), Services{});
        for (const char* button : c.buttons) ASSERT_FALSE(window.press(button)) << c.window << " " << button;
        const Sketch& sketch = window.form().sketch("Picture1");
        EXPECT_TRUE(lineNamed(sketch, c.ground).visible) << c.window;
        EXPECT_EQ(lineNamed(sketch, c.ground).colour, lineNamed(sketch, "Line7").colour) << c.window;
        EXPECT_EQ(lineNamed(sketch, c.pipe).colour, lineNamed(sketch, "Line8").colour) << c.window;
    }
}

TEST_F(SurveyGroundTest, TheGroundLineStandsAtItsTrueStations) {
    // The survey begins 26 m after the entry point: its first point is drawn there, not at the entry.
    writeSurvey("26,310\n130,303\n234,311\n");
    ASSERT_FALSE(window_->press("Command3"));
    EXPECT_EQ(visibleLines(sketch(), "Line12("), (std::set<std::string>{"Line12(2)", "Line12(3)"}));
    const SketchLine& first = lineNamed(sketch(), "Line12(2)");
    EXPECT_DOUBLE_EQ(first.x1, 1000 + 11500.0 / 260 * 26);
    EXPECT_DOUBLE_EQ(first.x2, 1000 + 11500.0 / 260 * 130);
    EXPECT_DOUBLE_EQ(lineNamed(sketch(), "Line12(3)").x2, 1000 + 11500.0 / 260 * 234);
    EXPECT_EQ(first.colour, Colour::rgb(0, 255, 0));
    EXPECT_EQ(first.colour, lineNamed(sketch(), "Line7").colour);  // the legend's "地面" sample
    EXPECT_EQ(first.width, 2);
    EXPECT_EQ(labelNamed(sketch(), "Label33").caption, "313");  // 311 and two metres of margin
    for (const char* label : {"Label45", "Label46", "Label47"}) EXPECT_FALSE(labelNamed(sketch(), label).visible);
}

TEST_F(SurveyGroundTest, EveryRecordOfALongSurveyIsDrawnAndAShorterOneLeavesNoStaleSegment) {
    std::string text;
    for (int k = 0; k < 300; ++k) text += std::to_string(260.0 * k / 299) + "," + std::to_string(305 + k % 5) + "\r\n";
    writeSurvey(text);
    ASSERT_FALSE(window_->press("Command3"));
    EXPECT_EQ(visibleLines(sketch(), "Line12(").size(), 299u);
    EXPECT_TRUE(lineNamed(sketch(), "Line12(300)").visible);

    writeSurvey("0,310\n");  // one point: no segment; its elevation plus two is the top
    ASSERT_FALSE(window_->press("Command3"));
    EXPECT_TRUE(visibleLines(sketch(), "Line12(").empty());
    EXPECT_EQ(labelNamed(sketch(), "Label33").caption, "312");
}

// Every value of the file is read once, strictly, before anything is written or drawn.
TEST_F(SurveyGroundTest, AFileValueThatIsNotANumberEndsTheStepBeforeAnythingChanges) {
    writeSurvey("0,310\n100,318.5m\n260,311\n");
    const auto failure = window_->press("Command3");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->kind(), FailureKind::NotANumber);
    EXPECT_TRUE(failure->control().empty());
    EXPECT_NE(failure->detail().find("第2行的「318.5m」"), std::string::npos) << failure->detail();
    EXPECT_EQ(window_->form().text("Text2(2)"), " ");
    EXPECT_TRUE(window_->form().written().empty());
}

TEST_F(SurveyGroundTest, AnEmptyOrOddFileEndsTheStepBeforeAnythingChanges) {
    for (const char* text : {"", "\r\n\r\n", "0,310\n100\n"}) {
        writeSurvey(text);
        const auto failure = window_->press("Command3");
        ASSERT_TRUE(failure) << text;
        EXPECT_EQ(failure->kind(), FailureKind::MissingData);
        EXPECT_EQ(window_->form().text("Text2(2)"), " ");
        EXPECT_TRUE(window_->form().written().empty());
    }
}

TEST_F(SurveyGroundTest, TheSecondStepNotesTheFileItReadOncePerRun) {
    writeSurvey("26,310\n130,303\n");
    for (int run = 0; run < 2; ++run) {
        ASSERT_FALSE(window_->press("Command3"));
        const auto& files = window_->form().dataFilesRead();
        ASSERT_EQ(files.size(), 1u);
        EXPECT_EQ(files[0].path, services_.groundDataFile.string());
        EXPECT_FALSE(files[0].sample);
        EXPECT_EQ(files[0].records, (std::vector<std::vector<std::string>>{{"26", "310"}, {"130", "303"}}));
    }
    ASSERT_FALSE(window_->press("Command1"));  // the first step reads no file
    EXPECT_TRUE(window_->form().dataFilesRead().empty());
}

}  // namespace
}  // namespace pylora
