// The coordinate transformation against cases worked by hand on the survey plan (X north,
// Y east): the similarity that carries C, D left of A→B, E turned counter-clockwise from AB.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "model/calc_form.h"
#include "model/number_reading.h"
#include "model/quantity_values.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

using Texts = std::vector<std::pair<std::string, std::string>>;

struct TransformCase {
    const char* name;
    const char* check;  // the one option computed: Check1 C, Check3 D, Check2 E
    Texts inputs;
    Texts results;
};

void PrintTo(const TransformCase& c, std::ostream* os) { *os << c.name; }

// A and B with their old coordinates (and new ones where given).
Texts base(const char* ax, const char* ay, const char* bx, const char* by, Texts more = {}) {
    Texts texts{{"Text1", ax}, {"Text2", ay}, {"Text5", bx}, {"Text6", by}};
    texts.insert(texts.end(), more.begin(), more.end());
    return texts;
}

CalcForm openWith(const TransformCase& c) {
    CalcForm window(*findWindow("坐标转换"), Services{});
    Form& form = window.form();
    for (const char* check : {"Check1", "Check3", "Check2"}) form.setChecked(check, check == std::string(c.check));
    for (const auto& [field, text] : c.inputs) form.type(field, text);
    return window;
}

class CoordinateTransform : public testing::TestWithParam<TransformCase> {};

TEST_P(CoordinateTransform, GivesTheHandWorkedPoint) {
    CalcForm window = openWith(GetParam());
    const auto failure = window.press("Command1");
    ASSERT_FALSE(failure) << failure->what() << " " << failure->control();
    for (const auto& [field, text] : GetParam().results) EXPECT_EQ(window.form().text(field), text) << field;
}

// The window's formulas, evaluated with the coordinates as they read, give each point to the
// last digit shown ("." is zero shown without digits).
TEST_P(CoordinateTransform, FormulasGiveTheShownPoint) {
    CalcForm window = openWith(GetParam());
    ASSERT_FALSE(window.press("Command1"));
    const QuantityValues values(window.form());
    for (const auto& [field, text] : GetParam().results) {
        const formula::Formula* line = values.formulaFor(field);
        ASSERT_NE(line, nullptr) << field;
        const double computed =
            formula::evaluate(line->expression, [&](const std::string& key) { return values.value(key); }).value();
        const double shown = text == "." ? 0 : parseStrictNumber(text).value();
        const auto point = text.find('.');
        const double halfDigit = 0.5 * std::pow(10.0, -static_cast<int>(text.size() - point - 1));
        EXPECT_NEAR(computed, shown, halfDigit * (1 + 1e-9)) << field;
    }
}

INSTANTIATE_TEST_SUITE_P(
    HandWorked, CoordinateTransform,
    testing::Values(
        TransformCase{"identity", "Check1",
                      base("100", "200", "150", "260",
                           {{"Text3", "100"}, {"Text4", "200"}, {"Text7", "150"}, {"Text8", "260"},
                            {"Text9", "123.456"}, {"Text10", "789.012"}}),
                      {{"Text11", "123.456"}, {"Text12", "789.012"}}},
        // A stays, B turns a quarter from north to east: C (3, 4) turns to (-4, 3).
        TransformCase{"rotation_by_90_degrees", "Check1",
                      base("0", "0", "10", "0",
                           {{"Text3", "0"}, {"Text4", "0"}, {"Text7", "0"}, {"Text8", "10"},
                            {"Text9", "3"}, {"Text10", "4"}}),
                      {{"Text11", "-4."}, {"Text12", "3."}}},
        // Twice the scale about A, shifted by (100, 100).
        TransformCase{"scale_2_and_shift", "Check1",
                      base("0", "0", "1", "0",
                           {{"Text3", "100"}, {"Text4", "100"}, {"Text7", "102"}, {"Text8", "100"},
                            {"Text9", "3"}, {"Text10", "4"}}),
                      {{"Text11", "106."}, {"Text12", "108."}}},
        // Shift, turn and scale at once carry B itself onto its new place.
        TransformCase{"b_onto_its_new_place", "Check1",
                      base("10", "20", "13", "24",
                           {{"Text3", "5"}, {"Text4", "7"}, {"Text7", "-1"}, {"Text8", "15"},
                            {"Text9", "13"}, {"Text10", "24"}}),
                      {{"Text11", "-1."}, {"Text12", "15."}}},
        // A→B runs east; its left is north. Sides 3, 4, 5: D stands 2.4 off the line, 1.8 along.
        TransformCase{"d_north_of_eastward_base", "Check3",
                      base("0", "0", "0", "5", {{"Text17", "3"}, {"Text18", "4"}}),
                      {{"Text13", "2.4"}, {"Text14", "1.8"}}},
        // A→B runs west; its left is south.
        TransformCase{"d_south_of_westward_base", "Check3",
                      base("0", "5", "0", "0", {{"Text17", "4"}, {"Text18", "3"}}),
                      {{"Text13", "-2.4"}, {"Text14", "1.8"}}},
        // Circles that touch meet on the line AB.
        TransformCase{"d_where_the_circles_touch", "Check3",
                      base("0", "0", "0", "5", {{"Text17", "2"}, {"Text18", "3"}}),
                      {{"Text13", "."}, {"Text14", "2."}}},
        TransformCase{"e_at_right_angle_to_the_left", "Check2",
                      base("0", "0", "0", "10", {{"Text19", "2"}, {"Text20", "90"}}),
                      {{"Text15", "2."}, {"Text16", "."}}},
        TransformCase{"e_at_30_degrees", "Check2",
                      base("0", "0", "0", "10", {{"Text19", "2"}, {"Text20", "30"}}),
                      {{"Text15", "1."}, {"Text16", "1.732"}}},
        TransformCase{"e_at_minus_90_degrees_to_the_right", "Check2",
                      base("0", "0", "0", "10", {{"Text19", "2"}, {"Text20", "-90"}}),
                      {{"Text15", "-2."}, {"Text16", "."}}}),
    [](const testing::TestParamInfo<TransformCase>& info) { return std::string(info.param.name); });

struct FailureCase {
    const char* name;
    TransformCase input;
    FailureKind kind;
    const char* control;
    const char* message;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class CoordinateTransformFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(CoordinateTransformFailure, IsNamed) {
    const FailureCase& c = GetParam();
    CalcForm window = openWith(c.input);
    const auto failure = window.press("Command1");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->kind(), c.kind);
    EXPECT_EQ(failure->control(), c.control);
    EXPECT_EQ(failureMessage(*failure, window.definition()), c.message);
    EXPECT_TRUE(window.form().written().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Named, CoordinateTransformFailure,
    testing::Values(
        FailureCase{"a_and_b_at_one_point", {"", "Check3", base("7", "8", "7", "8")},
                    FailureKind::DivisionByZero, "Text5",
                    "计算中止：由「参考点B(原X坐标)」得到的除数为零（参考点A、B的原坐标重合）"},
        FailureCase{"new_a_and_b_at_one_point",
                    {"", "Check1",
                     base("0", "0", "1", "0",
                          {{"Text3", "5"}, {"Text4", "5"}, {"Text7", "5"}, {"Text8", "5"}, {"Text9", "1"},
                           {"Text10", "1"}})},
                    FailureKind::DivisionByZero, "Text7",
                    "计算中止：由「参考点B(新X坐标)」得到的除数为零（参考点A、B的新坐标重合）"},
        FailureCase{"circles_apart", {"", "Check3", base("0", "0", "0", "5", {{"Text17", "1"}, {"Text18", "1"}})},
                    FailureKind::OutsideDomain, "Text18",
                    "计算中止：由「计算点D(BD长度)」得到的运算超出定义域（以A、B为圆心，AD、BD为半径的两圆不相交）"},
        FailureCase{"circle_inside_circle",
                    {"", "Check3", base("0", "0", "0", "5", {{"Text17", "1"}, {"Text18", "9"}})},
                    FailureKind::OutsideDomain, "Text18",
                    "计算中止：由「计算点D(BD长度)」得到的运算超出定义域（以A、B为圆心，AD、BD为半径的两圆不相交）"},
        FailureCase{"blank_new_coordinate", {"", "Check1", {{"Text9", "1"}, {"Text10", "2"}}},
                    FailureKind::NotANumber, "Text3", "计算中止：「参考点A(新X坐标)」不是有效数字"},
        FailureCase{"angle_with_unit", {"", "Check2", {{"Text20", "30°"}}}, FailureKind::NotANumber, "Text20",
                    "计算中止：「计算点E(∠EAB夹角)」不是有效数字"}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pylora
