// The domain an input's meaning states, and how a run holds its inputs to it: a value outside
// is refused as it is read, the failure names the field and what it should be, and nothing the
// run wrote before stays. Only what the pressed run reads is held to it; the unknown of a
// solve-for window and a blank the window works out itself are not.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/calc.h"

namespace pylora {
namespace {

struct DomainCase {
    const char* what;
    Domain domain;
    const char* unit;
    std::vector<double> inside;
    std::vector<double> outside;
    const char* requirement;
};

const double kNaN = std::numeric_limits<double>::quiet_NaN();

const DomainCase kDomainCases[] = {
    {"positive", Domain::positive(), "MPa", {1e-9, 3.92, 1e12}, {0, -0.0, -3, kNaN}, "应大于 0"},
    {"non-negative", Domain::nonNegative(), "m", {0, 1e-9, 1e12}, {-1e-9, -1}, "应不小于 0"},
    {"fraction", Domain::fraction(), "", {1e-9, 0.4, 1}, {0, 1.0000001, -0.4}, "应大于 0 且不大于 1"},
    {"count", Domain::count(), "个", {1, 10, 1e12}, {0, 2.5, -1, 1e-9}, "应为正整数"},
    {"count from zero", Domain::countFromZero(), "个", {0, 50}, {-1, 0.5}, "应为不小于 0 的整数"},
    {"angle", Domain::between(-90, 90), "°", {-90, 0, 90}, {-90.5, 90.000001}, "应在 \u221290° 与 90° 之间"},
    {"share", Domain::between(0, 1), "", {0, 0.3, 1}, {-0.1, 1.1}, "应在 0 与 1 之间"},
    {"any sign", Domain::anySign(), "℃", {-1e12, 0, 1e12}, {kNaN}, ""},
    {"unstated", Domain{}, "", {-1, 0, kNaN}, {}, ""},
};

TEST(InputDomainTest, HoldsItsValuesAndSaysWhatItAsks) {
    for (const DomainCase& c : kDomainCases) {
        SCOPED_TRACE(c.what);
        for (double value : c.inside) EXPECT_TRUE(holds(c.domain, value)) << value;
        for (double value : c.outside) EXPECT_FALSE(holds(c.domain, value)) << value;
        EXPECT_EQ(domainRequirement(c.domain, c.unit), c.requirement);
    }
}

// A small window: the run writes the straight wall from P and D first, then reads F; F is read
// only when the option asks for the factor; the flow is either given or solved for; a friction
// factor left blank is worked out.
constexpr auto kPressure = "Text1";
constexpr auto kDiameter = "Text2";
constexpr auto kFactor = "Text3";
constexpr auto kFlow = "Text4";
constexpr auto kFriction = "Text5";
constexpr auto kWall = "Text6";
constexpr auto kResult = "Text7";
constexpr auto kWithFactor = "Option1(0)";
constexpr auto kSolveFlow = "Check1";

void run(Form& form) {
    const auto [pressure, diameter] = FieldValues(form, kPressure, kDiameter);
    form.setText(kWall, FormatNumber(pressure * diameter / 2, "#.###"));
    const Num factor = form.checked(kWithFactor) ? FieldValue(form, kFactor) : Num(1.0);
    const Num flow = form.checked(kSolveFlow) ? Num(7.0) : FieldValue(form, kFlow);
    if (form.checked(kSolveFlow)) form.setText(kFlow, "-7");
    const Num friction = LeadingValue(form, kFriction);
    form.setText(kResult, FormatNumber(FieldValue(form, kWall) * factor * flow + friction, "#.###"));
}

FormDefinition fixture() {
    FormDefinition def("样例", "样例窗口");
    auto inputs = def.frame("Frame1", "输入参数", FrameRole::Input, {0, 0});
    inputs.field(kPressure, "管道的设计压力（MPa） ", "4", {0, 0}).means("P", "管道的设计压力", "MPa").positive();
    inputs.field(kDiameter, "外径（mm）", "720", {1, 0}).means("D", "外径", "mm").positive();
    inputs.field(kFactor, "设计系数", "0.4", {2, 0}).means("F", "设计系数").fraction();
    inputs.field(kFlow, "流量", "400", {3, 0}).means("Q", "流量", "m³/d").positive().meaning.solvedWhen = kSolveFlow;
    inputs.field(kFriction, "摩阻系数（空：计算）", "", {4, 0}).means("λ", "摩阻系数").positive().meaning.whenBlank =
        "由公式计算";
    auto options = def.frame("Frame2", "计算选项", FrameRole::Options, {1, 0});
    options.option(kWithFactor, "计入设计系数", {0, 0}, true);
    options.option("Option1(1)", "不计", {1, 0});
    options.check(kSolveFlow, "求流量", {2, 0});
    auto results = def.frame("Frame3", "输出结果", FrameRole::Results, {2, 0});
    results.result(kWall, "壁厚", {0, 0}).means("δ", "壁厚", "mm");
    results.result(kResult, "结果", {1, 0}).means("R", "结果");
    def.runButton("Command1", "开始计算", run);
    return def;
}

struct RefusalCase {
    const char* what;
    const char* field;
    const char* text;
    const char* message;
};

TEST(InputDomainTest, ARefusedRunNamesTheFieldAndWritesNothing) {
    const RefusalCase cases[] = {
        {"a negative pressure", kPressure, "-3", "计算中止：「管道的设计压力（MPa）」应大于 0"},
        {"a zero diameter", kDiameter, "0", "计算中止：「外径（mm）」应大于 0"},
        // Read after the wall is written: the wall written from it is taken back.
        {"a factor above 1", kFactor, "1.5", "计算中止：「设计系数」应大于 0 且不大于 1"},
        {"a negative friction factor", kFriction, "-0.01", "计算中止：「摩阻系数（空：计算）」应大于 0"},
    };
    const FormDefinition def = fixture();
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.what);
        CalcForm window(def, Services{});
        window.form().type(c.field, c.text);
        const auto failure = window.press("Command1");
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->kind(), FailureKind::InputOutsideDomain);
        EXPECT_EQ(failure->control(), c.field);
        EXPECT_EQ(failureMessage(*failure, def), c.message);
        EXPECT_EQ(window.form().text(kWall), " ");
        EXPECT_EQ(window.form().text(kResult), " ");
        EXPECT_TRUE(window.form().written().empty());
        EXPECT_EQ(window.form().text(c.field), c.text);  // what the engineer typed stays
        EXPECT_TRUE(window.record().results.empty());
    }
}

TEST(InputDomainTest, ARefusedRunLeavesTheEarlierResultsShown) {
    const FormDefinition def = fixture();
    CalcForm window(def, Services{});
    ASSERT_FALSE(window.press("Command1"));
    const std::string wall = window.form().text(kWall);
    window.form().type(kFactor, "0");
    ASSERT_TRUE(window.press("Command1"));
    EXPECT_EQ(window.form().text(kWall), wall);
}

TEST(InputDomainTest, OnlyWhatTheRunReadsAsAnInputIsHeldToItsDomain) {
    const FormDefinition def = fixture();
    struct Case {
        const char* what;
        std::function<void(Form&)> change;
    };
    const Case cases[] = {
        {"a factor the chosen option does not read", [](Form& f) { f.select("Option1(1)"); f.type(kFactor, "-1"); }},
        {"the flow when it is the unknown", [](Form& f) { f.setChecked(kSolveFlow, true); f.type(kFlow, "-5"); }},
        {"a friction factor left blank", [](Form& f) { f.type(kFriction, "  "); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CalcForm window(def, Services{});
        c.change(window.form());
        EXPECT_FALSE(window.press("Command1"));
    }
}

TEST(InputDomainTest, TextThatIsNoNumberIsStillSaidToBeNone) {
    const FormDefinition def = fixture();
    CalcForm window(def, Services{});
    window.form().type(kPressure, "-3 MPa");
    const auto failure = window.press("Command1");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->kind(), FailureKind::NotANumber);
}

}  // namespace
}  // namespace pylora
