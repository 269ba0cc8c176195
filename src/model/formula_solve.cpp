#include "model/formula_solve.h"

#include "model/decimal_text.h"

namespace pylora::formula {
namespace {

using Kind = Expr::Kind;

int occurrences(const Expr& e, const std::string& key) {
    if (e.kind() == Kind::Quantity) return e.text() == key ? 1 : 0;
    int n = 0;
    for (const Expr& operand : e.operands()) n += occurrences(operand, key);
    return n;
}

// value / divisor, folding into a fraction already there: (a/b)/c is written a/(b·c).
Expr divided(const Expr& value, const Expr& divisor) {
    if (value.kind() == Kind::Fraction) return value.operands()[0] / (value.operands()[1] * divisor);
    return value / divisor;
}

// The inverse of raising to a constant exponent: a square root for 2, the square for 0.5,
// else the reciprocal exponent written as 1/n (or b/a for an exponent written a/b).
Expr rootOf(const Expr& value, const Expr& exponent) {
    const double n = exponent.constant();
    if (n == 2) return sqrt(value);
    if (n == 0.5) return pow(value, c(2));
    char written[32];
    printGeneral(written, sizeof written, 15, n);
    const std::string text = exponent.text().empty() ? std::string(written) : exponent.text();
    const auto slash = text.find('/');
    const std::string reciprocal = slash != std::string::npos
                                       ? text.substr(slash + 1) + "/" + text.substr(0, slash)
                                       : "1/" + text;
    return pow(value, c(1 / n, reciprocal));
}

std::optional<Expr> undo(const Expr& e, const std::string& key, const Expr& value) {
    const auto& ops = e.operands();
    const auto holds = [&](std::size_t i) { return occurrences(ops[i], key) == 1; };
    switch (e.kind()) {
    case Kind::Quantity: return value;
    case Kind::Group: return undo(ops[0], key, value);
    case Kind::Negate: return undo(ops[0], key, -group(value));
    case Kind::Root: return undo(ops[0], key, pow(value, c(2)));
    case Kind::Sum: return holds(0) ? undo(ops[0], key, value - ops[1]) : undo(ops[1], key, value - ops[0]);
    case Kind::Difference: return holds(0) ? undo(ops[0], key, value + ops[1]) : undo(ops[1], key, ops[0] - value);
    case Kind::Product: return holds(0) ? undo(ops[0], key, divided(value, ops[1])) : undo(ops[1], key, divided(value, ops[0]));
    case Kind::Fraction:
    case Kind::Ratio: return holds(0) ? undo(ops[0], key, value * ops[1]) : undo(ops[1], key, ops[0] / value);
    case Kind::Power:
        if (!holds(0) || ops[1].kind() != Kind::Constant || ops[1].constant() == 0) return std::nullopt;
        return undo(ops[0], key, rootOf(value, ops[1]));
    default: return std::nullopt;
    }
}

}  // namespace

std::optional<Expr> solveFor(const Expr& expression, const std::string& key, const Expr& value) {
    if (occurrences(expression, key) != 1) return std::nullopt;
    return undo(expression, key, value);
}

}  // namespace pylora::formula
