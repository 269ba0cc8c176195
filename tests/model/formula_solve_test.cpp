// A formula turned round for one quantity gives back, put into the formula, the value it was
// turned round for; where the quantity cannot be isolated there is no tree.
#include <gtest/gtest.h>

#include <map>

#include "model/formula_solve.h"

namespace pylora::formula {
namespace {

double valueOf(const Expr& tree, const std::map<std::string, double>& values) {
    return evaluate(tree, [&](const std::string& key) { return Num(values.at(key)); }).value();
}

TEST(FormulaSolve, TheTurnedFormulaGivesBackTheUnknown) {
    const std::map<std::string, double> values = {{"p1", 10}, {"p2", 8}, {"L", 100}, {"D", 0.99}, {"k", 3}, {"Q", 0}};
    const Expr law = c(137.3, "137.3") * sqrt(group(pow(q("p1"), c(2)) - pow(q("p2"), c(2))) / (q("L") * q("k"))) *
                     pow(q("D"), c(2.667, "2.667"));
    const double flow = valueOf(law, values);
    for (const char* unknown : {"p1", "p2", "L", "D", "k"}) {
        SCOPED_TRACE(unknown);
        const auto turned = solveFor(law, unknown, q("Q"));
        ASSERT_TRUE(turned);
        auto given = values;
        given["Q"] = flow;
        given[unknown] = -1;  // never read
        EXPECT_NEAR(valueOf(*turned, given), values.at(unknown), 1e-9 * values.at(unknown));
    }
    // The reciprocal exponent is written as the engineer would: 1/2.667, and 9/5 for 5/9.
    EXPECT_EQ(linear(*solveFor(pow(q("D"), c(2.667, "2.667")), "D", q("Q")), [](const std::string& k) { return k; }),
              "Q^{1/2.667}");
    EXPECT_EQ(linear(*solveFor(pow(q("D"), c(5.0 / 9, "5/9")), "D", q("Q")), [](const std::string& k) { return k; }),
              "Q^{9/5}");
}

TEST(FormulaSolve, NoTreeWhereTheUnknownCannotBeIsolated) {
    const Expr twice = pow(q("D"), c(2.5)) + c(0.2) * pow(q("D"), c(3));
    const Expr underFunction = fn("ln", q("p1") / q("p2"));
    const Expr inExponent = pow(c(2.718), q("s"));
    EXPECT_FALSE(solveFor(twice, "D", q("Q")));
    EXPECT_FALSE(solveFor(underFunction, "p1", q("Q")));
    EXPECT_FALSE(solveFor(inExponent, "s", q("Q")));
    EXPECT_FALSE(solveFor(q("a"), "b", q("Q")));
}

}  // namespace
}  // namespace pylora::formula
