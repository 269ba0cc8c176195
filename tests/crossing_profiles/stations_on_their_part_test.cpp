// Each station of a bend profile takes its elevation from the part that holds it, the straight
// before the arc, the arc or the straight after it, whichever table column it stands in; the
// 计算书's formula for it is that part's; stations out of chainage order are refused.
#include <gtest/gtest.h>

#include <cmath>

#include "model/calc_form.h"
#include "model/number_reading.h"
#include "model/quantity_values.h"
#include "model/window_registry.h"
#include "test_services.h"

namespace pylora {
namespace {

constexpr double kPi = 3.1416;  // the profile windows' own π

double shown(const Form& form, const std::string& field) {
    const auto value = parseStrictNumber(form.text(field));
    if (!value) throw std::runtime_error(field + " shows \"" + form.text(field) + "\"");
    return *value;
}

// The formula the 计算书 presents for the field, evaluated with the values the run used.
double formulaValue(const Form& form, const std::string& field) {
    const QuantityValues values(form);
    const formula::Formula* line = values.formulaFor(field);
    if (!line) throw std::runtime_error("no formula holds for " + field);
    return formula::evaluate(line->expression, [&](const std::string& k) { return values.value(k); }).value();
}

struct Drilling {
    CalcForm window{*findWindow("定向钻穿越"), testServices()};
    Form& form = window.form();

    // The crossing of D 219 mm, entry 8°, exit 6°, ρ 350 m, exit point at 307.5 m: the bend
    // runs from about 73.17 m to 158.46 m.
    Drilling() {
        for (const auto& [field, text] : {std::pair{"Text3", "219"}, {"Text36", "8"}, {"Text31", "6"},
                                          {"Text41", "350"}, {"Text2(12)", "307.5"}})
            form.type(field, text);
    }
    void run() {
        ASSERT_FALSE(window.press("Command1"));
        const auto failure = window.press("Command3");
        ASSERT_FALSE(failure) << failure->what() << " " << failure->detail();
    }
    double entryStraight(double x) const { return shown(form, "Text2(1)") - (x - shown(form, "Text1(1)")) * std::tan(8 * kPi / 180); }
    double exitStraight(double x) const { return 307.5 - (shown(form, "Text1(12)") - x) * std::tan(6 * kPi / 180); }
    double arc(double x) const {
        const double dx = x - shown(form, "Text45");
        return shown(form, "Text48") - std::sqrt(350.0 * 350 - dx * dx);
    }
};

TEST(DrillingProfileStations, EachStationLiesOnThePartThatHoldsIt) {
    Drilling d;
    d.run();
    const double arcStart = shown(d.form, "Text1(4)"), arcEnd = shown(d.form, "Text1(9)");
    EXPECT_NEAR(arcStart, 73.17, 0.01);
    EXPECT_NEAR(arcEnd, 158.46, 0.01);
    // 桩点5 at 50 m lies on the entry straight, 桩点8 at 180 m on the exit straight.
    EXPECT_NEAR(shown(d.form, "Text2(5)"), 301.573, 0.0005);
    EXPECT_NEAR(shown(d.form, "Text2(8)"), 299.092, 0.0005);
    const struct {
        const char* field;
        const char* station;
        char part;  // 'e' entry straight, 'a' arc, 'x' exit straight
    } stations[] = {{"Text2(2)", "Text1(2)", 'e'}, {"Text2(3)", "Text1(3)", 'e'}, {"Text2(5)", "Text1(5)", 'e'},
                    {"Text2(6)", "Text1(6)", 'a'}, {"Text2(7)", "Text1(7)", 'a'}, {"Text2(8)", "Text1(8)", 'x'},
                    {"Text2(10)", "Text1(10)", 'x'}, {"Text2(11)", "Text1(11)", 'x'}};
    for (const auto& s : stations) {
        SCOPED_TRACE(s.field);
        const double x = shown(d.form, s.station);
        const double expected = s.part == 'e' ? d.entryStraight(x) : s.part == 'a' ? d.arc(x) : d.exitStraight(x);
        const double tolerance = std::string(s.field) == "Text2(2)" || std::string(s.field) == "Text2(3)" ? 0.005 : 1e-9;
        EXPECT_NEAR(shown(d.form, s.field), expected, tolerance);
        EXPECT_NEAR(formulaValue(d.form, s.field), shown(d.form, s.field), tolerance);
    }
}

TEST(DrillingProfileStations, AStationAtATangentPointTakesTheStraightThatMeetsTheArcThere) {
    Drilling d;
    d.run();
    const std::string arcStart = d.form.text("Text1(4)"), arcEnd = d.form.text("Text1(9)");
    d.form.type("Text1(5)", arcStart);
    d.form.type("Text1(8)", arcEnd);
    d.run();
    for (const auto& [field, x, straight] : {std::tuple{"Text2(5)", shown(d.form, "Text1(5)"), d.entryStraight(shown(d.form, "Text1(5)"))},
                                             std::tuple{"Text2(8)", shown(d.form, "Text1(8)"), d.exitStraight(shown(d.form, "Text1(8)"))}}) {
        SCOPED_TRACE(field);
        EXPECT_NEAR(shown(d.form, field), straight, 1e-9);
        EXPECT_NEAR(shown(d.form, field), d.arc(x), 0.01);  // the arc meets the straight there (to the shown centimetre)
    }
}

TEST(DrillingProfileStations, StationsOutOfChainageOrderAreRefusedByName) {
    Drilling d;
    ASSERT_FALSE(d.window.press("Command1"));
    d.form.type("Text1(7)", "90");  // 桩点7 before 桩点6 at 100 m
    const std::string before = d.form.text("Text2(7)");
    const auto failure = d.window.press("Command3");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->kind(), FailureKind::OutsideDomain);
    EXPECT_EQ(failure->control(), "Text1(7)");
    EXPECT_NE(std::string(failure->detail()).find("桩点应按里程从小到大排列"), std::string::npos) << failure->detail();
    EXPECT_EQ(d.form.text("Text2(7)"), before);  // nothing written
}

struct ElasticLaying {
    CalcForm window{*findWindow("弹性敷设参数计算"), testServices()};
    Form& form = window.form();
    void run() {
        ASSERT_FALSE(window.press("Command1"));
        const auto failure = window.press("Command3");
        ASSERT_FALSE(failure) << failure->what() << " " << failure->detail();
    }
    double circle(double x, bool upper) const {
        const double dx = x - shown(form, "Text45"), rho = shown(form, "Text41");
        const double half = std::sqrt(rho * rho - dx * dx);
        return upper ? shown(form, "Text48") + half : shown(form, "Text48") - half;
    }
};

TEST(ElasticLayingStations, AStationInsideTheArcIsOnTheArc) {
    ElasticLaying e;
    e.form.type("Text2(6)", "295");
    e.form.type("Text41", "300");
    e.run();
    EXPECT_NEAR(shown(e.form, "Text1(9)"), 147.32, 0.01);  // the right tangent point
    // 桩点6 at 130 m lies between the tangent points.
    EXPECT_NEAR(shown(e.form, "Text2(10)"), 301.07, 0.005);
    EXPECT_NEAR(shown(e.form, "Text2(10)"), e.circle(130, false), 1e-9);
    EXPECT_NEAR(formulaValue(e.form, "Text2(10)"), shown(e.form, "Text2(10)"), 1e-9);
}

TEST(ElasticLayingStations, StationsBeforeTheLeftTangentPointLieOnTheLeftStraightOfACrestBend) {
    // A crest bend: the straights rise to the intersection point at 315 m.
    ElasticLaying e;
    e.form.type("Text2(6)", "315");
    e.form.type("Text41", "300");
    e.run();
    const double leftTangent = shown(e.form, "Text1(3)"), rightTangent = shown(e.form, "Text1(9)");
    const double x1 = shown(e.form, "Text1(1)"), z1 = shown(e.form, "Text2(1)");
    const double x11 = shown(e.form, "Text1(11)"), z11 = shown(e.form, "Text2(11)");
    const double left = std::tan(shown(e.form, "Text29") * kPi / 180), right = std::tan(shown(e.form, "Text44") * kPi / 180);
    for (const char* field : {"Text2(2)", "Text2(4)", "Text2(5)", "Text2(7)", "Text2(8)", "Text2(10)"}) {
        SCOPED_TRACE(field);
        const std::string station = "Text1" + std::string(field).substr(5);
        const double x = shown(e.form, station);
        const double expected = x <= leftTangent    ? z1 + (x - x1) * left
                                : x >= rightTangent ? z11 + (x11 - x) * right
                                                    : e.circle(x, true);
        const double tolerance = std::string(field) == "Text2(10)" ? 1e-9 : 0.005;
        EXPECT_NEAR(shown(e.form, field), expected, tolerance);
        EXPECT_GT(shown(e.form, field), std::min(z1, z11) - 0.005);  // a crest profile never dips below its ends
    }
}

TEST(ElasticLayingStations, StationsOutOfChainageOrderAreRefusedByName) {
    ElasticLaying e;
    ASSERT_FALSE(e.window.press("Command1"));
    e.form.type("Text1(8)", "104");  // 桩点5 before 桩点4 at 105 m
    const auto failure = e.window.press("Command3");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->kind(), FailureKind::OutsideDomain);
    EXPECT_EQ(failure->control(), "Text1(8)");
}

}  // namespace
}  // namespace pylora
