// A parameter study is nothing but the single runs it is made of: each point equals the window
// opened afresh, set as the study's start, the varied texts typed, its buttons pressed.
#include <gtest/gtest.h>

#include "model/window_settings.h"

#include <atomic>
#include <map>
#include <mutex>

#include "studies/parameter_study.h"
#include "model/window_registry.h"
#include "test_services.h"

namespace pylora {
namespace {

StudyOptions jobs(int count) {
    StudyOptions options;
    options.jobs = count;
    return options;
}

// The study's start: a window with texts typed and list items chosen.
struct Setting {
    std::string control;
    std::string value;
};

void apply(CalcForm& window, const std::vector<Setting>& settings) {
    for (const Setting& s : settings) {
        if (window.form().control(s.control).kind == ControlKind::ListBox) {
            ASSERT_TRUE(window.form().choose(s.control, s.value)) << s.control << " " << s.value;
        } else {
            window.form().type(s.control, s.value);
        }
    }
}

// One point by hand: a fresh window, the start's settings, the varied texts, the presses.
StudyPoint singleRun(const std::string& formName, const std::vector<Setting>& settings, const StudyRequest& request,
                     const std::vector<std::string>& inputs, const std::vector<std::string>& presses) {
    CalcForm window(*findWindow(formName), testServices());
    apply(window, settings);
    for (std::size_t v = 0; v < request.vary.size(); ++v) window.form().type(request.vary[v].control, inputs[v]);
    StudyPoint point{inputs, {}, {}};
    for (const std::string& button : presses) {
        if (const auto failure = window.press(button)) {
            point.failure = failureMessage(*failure, window.definition());
            return point;
        }
    }
    for (const std::string& result : request.results) point.results.push_back(window.form().text(result));
    return point;
}

struct WindowCase {
    const char* name;
    std::string form;
    std::vector<Setting> start;
    StudyRequest request;
    std::vector<std::string> presses;  // what the study presses when told nothing
};

class StudyEqualsSingleRunsTest : public testing::TestWithParam<WindowCase> {};

TEST_P(StudyEqualsSingleRunsTest, EveryPointIsTheRunByHand) {
    const WindowCase& c = GetParam();
    CalcForm start(*findWindow(c.form), testServices());
    apply(start, c.start);
    const StudyResult study = runStudy(start, c.request, jobs(2));

    std::size_t expected = 1;
    for (const StudyVariable& v : c.request.vary) expected *= v.values.size();
    ASSERT_EQ(study.points.size(), expected);
    ASSERT_FALSE(study.cancelled);
    bool someRan = false;
    for (const StudyPoint& point : study.points) {
        const StudyPoint byHand = singleRun(c.form, c.start, c.request, point.inputs, c.presses);
        EXPECT_EQ(point.failure, byHand.failure) << testing::PrintToString(point.inputs);
        EXPECT_EQ(point.results, byHand.results) << testing::PrintToString(point.inputs);
        someRan = someRan || !point.failure;
    }
    EXPECT_TRUE(someRan);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, StudyEqualsSingleRunsTest,
    testing::Values(
        // A line window: wall thickness over the design pressure, a text that is no number among them.
        WindowCase{"WallThickness", "壁厚计算", {},
                   {{{"Text2", rangeValues({0.5, 10, 0.5})}}, {"Text6", "Text7", "Text10"}, {}}, {"Command1"}},
        // Solves for the one quantity left blank.
        WindowCase{"Hydraulics", "水力计算", {},
                   {{{"Text1", {"0.3", "0.5", "0.72", "1.2", "x", "0"}}}, {"Text14"}, {}}, {"Command1"}},
        // Verdicts: the pipe's wall from too thin to thick enough.
        WindowCase{"RoadCrossingStrength", "公路穿越强度校核", {},
                   {{{"Text8", rangeValues({0.002, 0.02, 0.002})}}, {"Text9", "Text15", "Text10", "Text16"}, {}},
                   {"Command1"}},
        // Database tables: coating quantities over the line's length.
        WindowCase{"Coating", "防腐材料", {{"List1", "φ159"}, {"List2", "（加强）"}},
                   {{{"Text24", {"1", "12.5", "80", "0"}}}, {"Text1", "Text2", "Text3"}, {}}, {"OKButton"}},
        // Two steps: the profile over the bending radius, both steps every point.
        WindowCase{"DrillingProfile", "定向钻穿越", {},
                   {{{"Text41", rangeValues({300, 2100, 300})}}, {"Text30", "Text2(5)", "Text4"}, {}},
                   {"Command1", "Command3"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ParameterStudyTest, FailedPointsCarryTheirCauseAndNoResults) {
    CalcForm start(*findWindow("壁厚计算"), Services{});
    const StudyResult study = runStudy(start, {{{"Text1", {"720", "七二〇", "508"}}}, {"Text6"}, {}}, jobs(1));
    ASSERT_EQ(study.points.size(), 3u);
    EXPECT_FALSE(study.points[0].failure);
    EXPECT_EQ(study.points[1].failure, "计算中止：「输气管道外径(毫米)」不是有效数字");
    EXPECT_TRUE(study.points[1].results.empty());
    EXPECT_FALSE(study.points[2].failure);  // the failure did not stay behind in the window
    EXPECT_NE(study.points[0].results, study.points[2].results);
}

TEST(ParameterStudyTest, GridVariesTheFirstInputFastestAndEqualsSingleRuns) {
    CalcForm start(*findWindow("壁厚计算"), Services{});
    const StudyRequest request{{{"Text2", {"1", "4", "6.3"}}, {"Text1", {"508", "720"}}}, {"Text6", "Text10"}, {}};
    const StudyResult study = runStudy(start, request, jobs(2));
    ASSERT_EQ(study.points.size(), 6u);
    const std::vector<std::vector<std::string>> order{{"1", "508"}, {"4", "508"}, {"6.3", "508"},
                                                      {"1", "720"}, {"4", "720"}, {"6.3", "720"}};
    for (std::size_t i = 0; i < order.size(); ++i) {
        EXPECT_EQ(study.points[i].inputs, order[i]);
        EXPECT_EQ(study.points[i].results, singleRun("壁厚计算", {}, request, order[i], {"Command1"}).results);
    }
}

TEST(ParameterStudyTest, RangeTakenPointByPointGivesTheSameStudyAsItsValues) {
    CalcForm start(*findWindow("壁厚计算"), Services{});
    const StudyRange range{.from = 10, .to = 0.5, .step = 0.25};
    const StudyResult listed = runStudy(start, {{{"Text2", rangeValues(range)}, {"Text1", {"508", "720"}}}, {"Text6"}, {}}, jobs(2));
    const StudyResult ranged = runStudy(start, {{{"Text2", {}, range}, {"Text1", {"508", "720"}}}, {"Text6"}, {}}, jobs(2));
    ASSERT_EQ(ranged.points.size(), listed.points.size());
    for (std::size_t i = 0; i < listed.points.size(); ++i) {
        EXPECT_EQ(ranged.points[i].inputs, listed.points[i].inputs) << i;
        EXPECT_EQ(ranged.points[i].results, listed.points[i].results) << i;
    }
    EXPECT_THROW(runStudy(start, {{{"Text2", {}, StudyRange{0, 1, 0}}}, {"Text6"}, {}}), StudyError);
}

TEST(ParameterStudyTest, StartsFromTheWindowsCurrentInputsAndCalculation) {
    // The engineer changed the yield strength and calculated: the study keeps that strength.
    CalcForm start(*findWindow("壁厚计算"), Services{});
    start.form().type("Text3", "245");
    ASSERT_FALSE(start.press("Command1"));
    const StudyRequest request{{{"Text2", {"2", "8"}}}, {"Text6"}, {}};
    const StudyResult study = runStudy(start, request);
    ASSERT_EQ(study.points.size(), 2u);
    for (const StudyPoint& point : study.points)
        EXPECT_EQ(point.results, singleRun("壁厚计算", {{"Text3", "245"}}, request, point.inputs, {"Command1"}).results);
    EXPECT_EQ(start.form().text("Text2"), findWindow("壁厚计算")->findControl("Text2")->text);  // the window untouched
}

// A window whose run leaves its result alone for a negative input: the study shows the result
// blank there, never the one the start's calculation showed.
TEST(ParameterStudyTest, AResultThePointsRunDidNotWriteIsBlank) {
    FormDefinition definition("加倍", "加倍");
    FrameBuilder frame = definition.frame("Frame1", "输入", FrameRole::Input, {0, 0});
    frame.field("Text1", "数值", "5", {0, 0}).means("x", "数值");
    frame.result("Text2", "两倍", {1, 0}).means("y", "两倍");
    definition.runButton("Command1", "计算", [](Form& form) {
        const double x = std::stod(form.text("Text1"));
        if (x >= 0) form.setText("Text2", std::to_string(static_cast<int>(2 * x)));
    });
    definition.finish();
    CalcForm start(definition, Services{});
    ASSERT_FALSE(start.press("Command1"));
    ASSERT_EQ(start.form().text("Text2"), "10");
    const StudyResult study = runStudy(start, {{{"Text1", {"3", "-1", "4"}}}, {"Text2"}, {}});
    ASSERT_EQ(study.points.size(), 3u);
    EXPECT_EQ(study.points[0].results, std::vector<std::string>{"6"});
    EXPECT_EQ(study.points[1].results, std::vector<std::string>{""});
    EXPECT_FALSE(study.points[1].failure);
    EXPECT_EQ(study.points[2].results, std::vector<std::string>{"8"});
}

TEST(ParameterStudyTest, ColumnsComeFromTheFieldsMeanings) {
    CalcForm start(*findWindow("公路穿越强度校核"), Services{});
    const StudyResult study = runStudy(start, {{{"Text8", {"0.01"}}}, {"Text9", "Text15"}, {}});
    ASSERT_EQ(study.inputColumns.size(), 1u);
    EXPECT_EQ(study.inputColumns[0].symbol, "δ");
    EXPECT_EQ(study.inputColumns[0].name, "管道壁厚");
    EXPECT_EQ(study.inputColumns[0].unit, "m");
    ASSERT_EQ(study.resultColumns.size(), 2u);
    EXPECT_EQ(study.resultColumns[0].unit, "kN/m²");
    EXPECT_FALSE(study.resultColumns[0].verdict);
    EXPECT_EQ(study.resultColumns[1].name, "拉应力校核结论");
    EXPECT_TRUE(study.resultColumns[1].verdict);

    // The gas-flow comparison: each equation's cell is named by its equation, in the unit of
    // the unknown the window solves for.
    CalcForm flow(*findWindow("输气流量公式"), Services{});
    for (const char* s : {"Solve(4)", "DUnit=m"}) applyShortSetting(flow.form(), s);
    ASSERT_FALSE(flow.press("Command1"));  // the engineer's run that the study starts from
    const StudyResult compared = runStudy(flow, {{{"Q", {"4000"}}}, {"Compare(1)", "Compare(12)"}, {}});
    ASSERT_EQ(compared.resultColumns.size(), 2u);
    EXPECT_EQ(compared.resultColumns[0].name, "潘汉德尔A 求得的所求量");
    EXPECT_EQ(compared.resultColumns[1].name, "等温流动通用方程 求得的所求量");
    EXPECT_EQ(compared.resultColumns[0].unit, "m");
}

TEST(ParameterStudyTest, AnyNumberOfJobsDeliversTheSamePointsInTableOrder) {
    CalcForm start(*findWindow("壁厚计算"), Services{});
    const StudyRequest request{{{"Text2", rangeValues({.from = 0, .to = 12, .points = 3001})}}, {"Text6", "Text7"}, {}};
    std::vector<std::vector<StudyPoint>> runs;
    for (int count : {1, 2, 5}) {
        std::vector<StudyPoint> points;
        StudyOptions options;
        options.jobs = count;
        options.onPoint = [&](std::size_t index, const StudyPoint& p) {
            ASSERT_EQ(index, points.size());
            points.push_back(p);
        };
        const StudyResult study = runStudy(start, request, options);
        EXPECT_TRUE(study.points.empty());  // the caller took them
        EXPECT_EQ(points.size(), 3001u);
        runs.push_back(std::move(points));
    }
    for (std::size_t i = 0; i < runs[0].size(); ++i) {
        EXPECT_EQ(runs[1][i].results, runs[0][i].results) << i;
        EXPECT_EQ(runs[2][i].results, runs[0][i].results) << i;
        EXPECT_EQ(runs[2][i].failure, runs[0][i].failure) << i;
    }
}

// Windows run side by side on several threads share nothing: every window, its first input
// varied over good and bad texts, gives on three threads what it gives on one.
TEST(ParameterStudyTest, EveryWindowGivesTheSamePointsOnOneThreadAndOnThree) {
    for (const FormDefinition* definition : allWindows()) {
        StudyRequest request;
        for (const ControlDef& control : definition->controls()) {
            const FieldRole role = definition->roleOf(control);
            const bool typable = control.kind == ControlKind::TextField && control.visible && !control.readOnly;
            if (typable && role == FieldRole::Input && request.vary.empty())
                request.vary.push_back({control.name, {"0.5", "1", "2", "x", "120", "-3", "0", "7.25"}});
            if ((control.kind == ControlKind::TextField || control.kind == ControlKind::Label) &&
                (role == FieldRole::Result || role == FieldRole::Verdict))
                request.results.push_back(control.name);
        }
        if (request.vary.empty() || request.results.empty() || definition->defaultRunButton().empty()) continue;
        auto& values = request.vary[0].values;
        for (int copy = 0; copy < 3; ++copy) values.insert(values.end(), values.begin(), values.begin() + 8);
        CalcForm start(*definition, testServices());
        std::vector<StudyPoint> runs[2];
        for (int i : {0, 1}) {
            StudyOptions options = jobs(i == 0 ? 1 : 3);
            options.onPoint = [&runs, i](std::size_t, const StudyPoint& point) { runs[i].push_back(point); };
            runStudy(start, request, options);
        }
        ASSERT_EQ(runs[0].size(), 32u) << definition->formName();
        ASSERT_EQ(runs[1].size(), 32u) << definition->formName();
        for (std::size_t p = 0; p < runs[0].size(); ++p) {
            EXPECT_EQ(runs[1][p].results, runs[0][p].results) << definition->formName() << " point " << p;
            EXPECT_EQ(runs[1][p].failure, runs[0][p].failure) << definition->formName() << " point " << p;
        }
    }
}

TEST(ParameterStudyTest, CancelKeepsTheLeadingPointsDone) {
    CalcForm start(*findWindow("壁厚计算"), Services{});
    const StudyRequest request{{{"Text2", rangeValues({.from = 1, .to = 100000, .step = 1})}}, {"Text6"}, {}};
    for (int count : {1, 2}) {
        std::atomic<bool> cancel = false;
        std::size_t delivered = 0;
        std::size_t lastProgress = 0;
        std::mutex progressLock;  // progress comes from the worker threads
        StudyOptions options;
        options.jobs = count;
        options.onPoint = [&](std::size_t index, const StudyPoint&) {
            EXPECT_EQ(index, delivered++);
            if (index == 500) cancel = true;
        };
        options.onProgress = [&](std::size_t done, std::size_t total) {
            std::lock_guard lock(progressLock);
            EXPECT_EQ(total, 100000u);
            lastProgress = std::max(lastProgress, done);
        };
        options.cancel = &cancel;
        const StudyResult study = runStudy(start, request, options);
        EXPECT_TRUE(study.cancelled) << count;
        EXPECT_GT(delivered, 500u);
        EXPECT_LT(delivered, 100000u);
        EXPECT_GE(lastProgress, 500u);
    }
}

struct RangeCase {
    const char* name;
    StudyRange range;
    std::vector<std::string> values;
};

class RangeValuesTest : public testing::TestWithParam<RangeCase> {};

TEST_P(RangeValuesTest, GivesTheTextsTyped) {
    EXPECT_EQ(rangeValues(GetParam().range), GetParam().values);
    const RangeTexts oneAtATime(GetParam().range);
    ASSERT_EQ(oneAtATime.size(), GetParam().values.size());
    for (std::size_t i = 0; i < oneAtATime.size(); ++i) EXPECT_EQ(oneAtATime[i], GetParam().values[i]) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, RangeValuesTest,
    testing::Values(
        RangeCase{"DecimalStepsShowNoBinaryNoise", {0, 0.6, 0.1}, {"0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6"}},
        RangeCase{"CrossingZeroGivesZero", {-0.3, 0.3, 0.2}, {"-0.3", "-0.1", "0.1", "0.3"}},
        RangeCase{"ThroughZero", {-0.2, 0.2, 0.1}, {"-0.2", "-0.1", "0", "0.1", "0.2"}},
        RangeCase{"StepShortOfTheEnd", {0, 1, 0.3}, {"0", "0.3", "0.6", "0.9"}},
        RangeCase{"EndReachedWithinAMillionthOfAStep", {0, 0.9999999999, 0.1},
                  {"0", "0.1", "0.2", "0.3", "0.4", "0.5", "0.6", "0.7", "0.8", "0.9", "0.9999999999"}},
        RangeCase{"ReversedRange", {10, 7, 1}, {"10", "9", "8", "7"}},
        RangeCase{"ReversedRangeNegativeStep", {10, 7, -1.5}, {"10", "8.5", "7"}},
        RangeCase{"OnePointWhenFromIsTo", {4.2, 4.2, 1}, {"4.2"}},
        RangeCase{"Points", {.from = 1, .to = 10, .points = 4}, {"1", "4", "7", "10"}},
        RangeCase{"PointsReversed", {.from = 1, .to = 0, .points = 3}, {"1", "0.5", "0"}},
        RangeCase{"OnePoint", {.from = 3, .to = 9, .points = 1}, {"3"}},
        RangeCase{"ThirdsOfARange", {.from = 0, .to = 1, .points = 4}, {"0", "0.33333333333333", "0.66666666666667", "1"}},
        RangeCase{"LogarithmicPoints", {.from = 1, .to = 1000, .points = 4, .logarithmic = true}, {"1", "10", "100", "1000"}},
        RangeCase{"LogarithmicFactor", {.from = 0.01, .to = 10, .step = 10, .logarithmic = true}, {"0.01", "0.1", "1", "10"}},
        RangeCase{"LogarithmicFactorDownward", {.from = 100, .to = 1, .step = 10, .logarithmic = true}, {"100", "10", "1"}},
        RangeCase{"LogarithmicNegative", {.from = -1, .to = -100, .points = 3, .logarithmic = true}, {"-1", "-10", "-100"}},
        RangeCase{"SmallValuesWithExponent", {1e-5, 3e-5, 1e-5}, {"1e-05", "2e-05", "3e-05"}},
        RangeCase{"LargeValuesPlain", {1e5, 3e5, 1e5}, {"100000", "200000", "300000"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RangeValuesTest, RangesWithoutPointsOrWithTooManyAreRefused) {
    const StudyRange refused[] = {
        {0, 1, 0},                                               // neither step nor points
        {.from = 0, .to = 1, .points = -3},                      // negative points
        {0, 1, 1e-8},                                            // 10^8 points
        {.from = 0, .to = 1, .points = 10'000'001},              // one point too many
        {.from = 0, .to = 10, .points = 5, .logarithmic = true},  // log from zero
        {.from = -1, .to = 10, .points = 5, .logarithmic = true},  // log across zero
        {.from = 1, .to = 10, .step = 1, .logarithmic = true},    // a factor of one never moves
        {.from = 1, .to = 10, .step = -2, .logarithmic = true},   // nor does a negative one
        {std::numeric_limits<double>::quiet_NaN(), 1, 0.1},
        {0, std::numeric_limits<double>::infinity(), 0.1},
    };
    for (const StudyRange& range : refused)
        EXPECT_THROW(rangeValues(range), StudyError) << range.from << ":" << range.to << ":" << range.step << " ×" << range.points;
    EXPECT_EQ(rangeValues({.from = 0, .to = 1, .points = 10'000'000}).size(), 10'000'000u);
}

TEST(ParameterStudyTest, RequestsThatCannotBeMadeAreRefusedBeforeAnyRun) {
    struct Refused {
        std::string form;
        StudyRequest request;
        std::string words;  // in the message
    };
    const Refused cases[] = {
        {"壁厚计算", {{}, {"Text6"}, {}}, "一个或两个"},
        {"壁厚计算", {{{"Text1", {"1"}}, {"Text2", {"1"}}, {"Text3", {"1"}}}, {"Text6"}, {}}, "一个或两个"},
        {"壁厚计算", {{{"Text1", {"1"}}}, {}, {}}, "至少一个计算结果"},
        {"壁厚计算", {{{"Text99", {"1"}}}, {"Text6"}, {}}, "没有控件 Text99"},
        {"壁厚计算", {{{"Command1", {"1"}}}, {"Text6"}, {}}, "Command1「开始计算」 不是可以输入的数据框"},
        {"防腐材料", {{{"Text25", {"1"}}}, {"Text1"}, {}}, "Text25 不是可以输入的数据框"},  // hidden
        {"防腐材料", {{{"List1", {"φ159"}}}, {"Text1"}, {}}, "不是可以输入的数据框"},
        {"壁厚计算", {{{"Text1", {}}}, {"Text6"}, {}}, "没有取值"},
        {"壁厚计算", {{{"Text1", {"1"}}, {"Text1", {"2"}}}, {"Text6"}, {}}, "不能同时"},
        {"壁厚计算", {{{"Text1", {"1"}}}, {"Command1"}, {}}, "不是显示计算结果的数据框或标签"},
        {"壁厚计算", {{{"Text1", {"1"}}}, {"Text6"}, {"Text6"}}, "不是计算按钮"},
        {"壁厚计算", {{{"Text1", {"1"}}}, {"Text6"}, {"Command2"}}, "不是计算按钮"},  // prints
        {"壁厚计算",
         {{{"Text1", std::vector<std::string>(4000, "1")}, {"Text2", std::vector<std::string>(4000, "1")}}, {"Text6"}, {}},
         "超过"},
    };
    for (const Refused& c : cases) {
        CalcForm start(*findWindow(c.form), testServices());
        try {
            runStudy(start, c.request);
            ADD_FAILURE() << c.words;
        } catch (const StudyError& e) {
            EXPECT_NE(std::string(e.what()).find(c.words), std::string::npos) << e.what();
        }
    }
}

}  // namespace
}  // namespace pylora
