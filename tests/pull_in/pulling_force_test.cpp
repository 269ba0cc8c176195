// The pull-in resistances exist twice, as the numbers a run computes and as the trees the formula
// pictures draw: both must give the same force for the same values.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "pull_in/pulling_force.h"

namespace pylora {
namespace {

using formula::q;

Num evaluate(const formula::Expr& tree, const std::map<std::string, double>& values) {
    return formula::evaluate(tree, [&](const std::string& key) { return Num(values.at(key)); });
}

struct Values {
    const char* name;
    double a, b, c;
};

class PullingForceTreesTest : public testing::TestWithParam<Values> {};

TEST_P(PullingForceTreesTest, TreesGiveWhatTheRunComputes) {
    const Values& v = GetParam();
    const std::map<std::string, double> values{{"a", v.a}, {"b", v.b}, {"c", v.c}};
    EXPECT_DOUBLE_EQ(evaluate(pulling::slopeResistance(q("a"), q("b"), q("c")), values).value(),
                     slopeResistance(Num(v.a), Num(v.b), Num(v.c)).value());
    EXPECT_DOUBLE_EQ(evaluate(pulling::startingForce(q("a"), q("b")), values).value(),
                     startingForce(Num(v.a), Num(v.b)).value());
    EXPECT_DOUBLE_EQ(evaluate(pulling::rollingResistance(q("a"), q("b"), q("c")), values).value(),
                     rollingResistance(Num(v.a), Num(v.b), Num(v.c)).value());
    EXPECT_DOUBLE_EQ(evaluate(pulling::ropeGroundFriction(q("a"), q("b"), q("c")), values).value(),
                     ropeGroundFriction(Num(v.a), Num(v.b), Num(v.c)).value());
}

INSTANTIATE_TEST_SUITE_P(Values, PullingForceTreesTest,
                         testing::Values(Values{"trolley_defaults", 0.5, 20000, 15},
                                         Values{"slope_of_30_degrees", 650, 0.3, 30 * 3.1416 / 180},
                                         Values{"downhill", 650, 0.45, -0.5},
                                         Values{"negative_load", 0.6, -1200, 7.5}),
                         [](const auto& info) { return std::string(info.param.name); });

// A zero radius is a zero divisor in the tree as in the run.
TEST(PullingForceTrees, ZeroRadiusFailsInBoth) {
    const std::map<std::string, double> values{{"f", 0.5}, {"W", 100}, {"r", 0}};
    EXPECT_ANY_THROW(evaluate(pulling::rollingResistance(q("f"), q("W"), q("r")), values));
    EXPECT_ANY_THROW(rollingResistance(Num(0.5), Num(100), Num(0)));
}

}  // namespace
}  // namespace pylora
