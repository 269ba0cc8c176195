#pragma once
// A formula turned round: `expression = value` solved for one of its quantities, where that
// quantity occurs once in the tree, by undoing the operations around it from the outside in.
// The 计算书 of a solve-for window shows the unknown derived this way instead of only checked.
#include <optional>
#include <string>

#include "model/formula.h"

namespace pylora::formula {

// The tree that gives quantity `key` from `value` and the other quantities of `expression`, or
// nothing when `key` occurs more than once, not at all, or under an operation that has no
// single inverse (a function, min/max, an exponent holding it).
std::optional<Expr> solveFor(const Expr& expression, const std::string& key, const Expr& value);

}  // namespace pylora::formula
