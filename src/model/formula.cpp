#include "model/formula.h"

#include <algorithm>
#include <cmath>

#include "model/decimal_text.h"
#include "model/run_failure.h"

namespace pylora::formula {
namespace {

using Kind = Expr::Kind;

// Binding strength, for the parentheses that drawing a tree needs.
constexpr double kSum = 1, kSigned = 1.5, kProduct = 2, kPower = 3, kAtom = 4;

bool isNegativeText(const std::string& text) {
    return text.rfind("-", 0) == 0 || text.rfind("−", 0) == 0;
}

std::string constantText(double value) {
    char buffer[40];
    printGeneral(buffer, sizeof buffer, 15, value);
    std::string text = buffer;
    if (text[0] == '-') text = "−" + text.substr(1);
    return text;
}

double strength(const Expr& e, const SymbolOf& symbol) {
    switch (e.kind()) {
        case Kind::Sum:
        case Kind::Difference: return kSum;
        case Kind::Negate: return kSigned;
        case Kind::Product:
        case Kind::Ratio: return kProduct;
        case Kind::Power: return kPower;
        case Kind::Constant:
            return isNegativeText(e.text().empty() ? constantText(e.constant()) : e.text()) ? kSigned : kAtom;
        case Kind::Quantity: return isNegativeText(symbol(e.text())) ? kSigned : kAtom;
        default: return kAtom;
    }
}

const char* operatorText(Kind kind) {
    switch (kind) {
        case Kind::Sum: return " + ";
        case Kind::Difference: return " − ";
        case Kind::Product: return "·";
        case Kind::Ratio: return "/";
        default: return "";
    }
}

// Left and right operands of a binary node need at least these strengths to stand bare.
std::pair<double, double> operandNeeds(Kind kind) {
    switch (kind) {
        case Kind::Sum: return {kSum, kSum};
        case Kind::Difference: return {kSum, kProduct};
        case Kind::Product: return {kProduct, kProduct};
        case Kind::Ratio: return {kProduct, kPower};
        default: return {kAtom, kAtom};
    }
}

class Drawer {
public:
    explicit Drawer(const SymbolOf& symbol) : symbol_(symbol) {}

    Piece draw(const Expr& e) const {
        switch (e.kind()) {
            case Kind::Constant: return text(e.text().empty() ? constantText(e.constant()) : e.text());
            case Kind::Named: return text(e.text());
            case Kind::Quantity: return text(symbol_(e.text()));
            case Kind::Sum:
            case Kind::Difference:
            case Kind::Product:
            case Kind::Ratio: {
                const auto [left, right] = operandNeeds(e.kind());
                return row({bare(e.operands()[0], left), text(operatorText(e.kind())), bare(e.operands()[1], right)});
            }
            case Kind::Fraction: return fraction(draw(e.operands()[0]), draw(e.operands()[1]));
            case Kind::Power: {
                const Expr& base = e.operands()[0];
                const bool wrap = strength(base, symbol_) < kAtom || base.kind() == Kind::Fraction ||
                                  base.kind() == Kind::Function || base.kind() == Kind::Power;
                return script(wrap ? paren(draw(base)) : draw(base), draw(e.operands()[1]));
            }
            case Kind::Root: return root(draw(e.operands()[0]));
            case Kind::Negate: return row({text("−"), bare(e.operands()[0], kProduct)});
            case Kind::Function:
                if (e.text() == "abs") return row({text("|"), draw(e.operands()[0]), text("|")});
                if (e.text() == "ceil") return row({text("⌈"), draw(e.operands()[0]), text("⌉")});
                return row({text(e.text()), paren(draw(e.operands()[0]))});
            case Kind::Group: return paren(draw(e.operands()[0]));
            case Kind::Min:
            case Kind::Max:
                return row({text(e.kind() == Kind::Min ? "min" : "max"),
                            paren(row({draw(e.operands()[0]), text(", "), draw(e.operands()[1])}))});
        }
        return text("");
    }

private:
    Piece bare(const Expr& e, double need) const {
        return strength(e, symbol_) < need ? paren(draw(e)) : draw(e);
    }
    const SymbolOf& symbol_;
};

class LineWriter {
public:
    explicit LineWriter(const SymbolOf& symbol) : symbol_(symbol) {}

    std::string write(const Expr& e) const {
        switch (e.kind()) {
            case Kind::Constant: return e.text().empty() ? constantText(e.constant()) : e.text();
            case Kind::Named: return e.text();
            case Kind::Quantity: return symbol_(e.text());
            case Kind::Sum:
            case Kind::Difference:
            case Kind::Product:
            case Kind::Ratio: {
                const auto [left, right] = operandNeeds(e.kind());
                return bare(e.operands()[0], left) + operatorText(e.kind()) + bare(e.operands()[1], right);
            }
            case Kind::Fraction:
                return bare(e.operands()[0], kProduct) + "/" + bare(e.operands()[1], kPower);
            case Kind::Power: {
                const std::string exponent = write(e.operands()[1]);
                const bool simple = strength(e.operands()[1], symbol_) == kAtom &&
                                    e.operands()[1].kind() != Kind::Fraction;
                return bare(e.operands()[0], kAtom) + "^" + (simple ? "{" + exponent + "}" : "{(" + exponent + ")}");
            }
            case Kind::Root: return "√(" + write(e.operands()[0]) + ")";
            case Kind::Negate: return "−" + bare(e.operands()[0], kProduct);
            case Kind::Function:
                if (e.text() == "abs") return "|" + write(e.operands()[0]) + "|";
                if (e.text() == "ceil") return "⌈" + write(e.operands()[0]) + "⌉";
                return e.text() + "(" + write(e.operands()[0]) + ")";
            case Kind::Group: return "(" + write(e.operands()[0]) + ")";
            case Kind::Min:
            case Kind::Max:
                return std::string(e.kind() == Kind::Min ? "min" : "max") + "(" + write(e.operands()[0]) + ", " +
                       write(e.operands()[1]) + ")";
        }
        return {};
    }

private:
    std::string bare(const Expr& e, double need) const {
        const bool wrap = strength(e, symbol_) < need || (need >= kAtom && (e.kind() == Kind::Fraction ||
                                                                              e.kind() == Kind::Power));
        return wrap ? "(" + write(e) + ")" : write(e);
    }
    const SymbolOf& symbol_;
};

Num applyFunction(const std::string& name, const Num& x) {
    if (name == "sin") return sin(x);
    if (name == "cos") return cos(x);
    if (name == "tan" || name == "tg") return tan(x);
    if (name == "arctan" || name == "arctg") return atan(x);
    if (name == "arcsin") return asin(x);
    if (name == "arccos") return acos(x);
    if (name == "ln") return log(x);
    if (name == "lg") return log10(x);
    if (name == "exp") return exp(x);
    if (name == "abs") return abs(x);
    if (name == "int") return integerPart(x);
    if (name == "ceil") return Num(std::ceil(x.value()), x.source());  // a count of whole pieces, drawn ⌈x⌉
    throw RunFailure(FailureKind::Internal, x.source(), "formula function " + name);
}

void collect(const Expr& e, std::vector<std::string>& keys, std::vector<NamedConstant>& constants) {
    if (e.kind() == Kind::Quantity && std::find(keys.begin(), keys.end(), e.text()) == keys.end())
        keys.push_back(e.text());
    if (e.kind() == Kind::Named &&
        std::none_of(constants.begin(), constants.end(), [&](const NamedConstant& n) { return n.symbol == e.text(); }))
        constants.push_back({e.text(), e.operands().empty() ? std::string() : e.operands()[0].text(), e.constant()});
    if (e.kind() == Kind::Named) return;  // its operand only carries the name
    for (const Expr& operand : e.operands()) collect(operand, keys, constants);
}

}  // namespace

Expr::Expr(double constant) : Expr(make(Kind::Constant, {}, constant, {})) {}

Expr Expr::make(Kind kind, std::string text, double value, std::vector<Expr> operands) {
    return Expr(std::make_shared<const Node>(Node{kind, std::move(text), value, std::move(operands)}));
}

Expr q(const std::string& key) { return Expr::make(Kind::Quantity, key, 0, {}); }
Expr c(double value, const std::string& text) { return Expr::make(Kind::Constant, text, value, {}); }
Expr named(double value, const std::string& symbol, const std::string& name) {
    // The name rides along as the text of a constant operand, so that the node stays one shape.
    return Expr::make(Kind::Named, symbol, value, {Expr::make(Kind::Constant, name, value, {})});
}
Expr operator+(const Expr& a, const Expr& b) { return Expr::make(Kind::Sum, {}, 0, {a, b}); }
Expr operator-(const Expr& a, const Expr& b) { return Expr::make(Kind::Difference, {}, 0, {a, b}); }
Expr operator-(const Expr& a) { return Expr::make(Kind::Negate, {}, 0, {a}); }
Expr operator*(const Expr& a, const Expr& b) { return Expr::make(Kind::Product, {}, 0, {a, b}); }
Expr operator/(const Expr& a, const Expr& b) { return Expr::make(Kind::Fraction, {}, 0, {a, b}); }
Expr ratio(const Expr& a, const Expr& b) { return Expr::make(Kind::Ratio, {}, 0, {a, b}); }
Expr pow(const Expr& base, const Expr& exponent) { return Expr::make(Kind::Power, {}, 0, {base, exponent}); }
Expr sqrt(const Expr& x) { return Expr::make(Kind::Root, {}, 0, {x}); }
Expr fn(const std::string& name, const Expr& x) { return Expr::make(Kind::Function, name, 0, {x}); }
Expr group(const Expr& x) { return Expr::make(Kind::Group, {}, 0, {x}); }
Expr min(const Expr& a, const Expr& b) { return Expr::make(Kind::Min, {}, 0, {a, b}); }
Expr max(const Expr& a, const Expr& b) { return Expr::make(Kind::Max, {}, 0, {a, b}); }

Formula words(const std::string& markup) {
    Formula f;
    f.words = markup;
    return f;
}

Formula when(const std::string& control, Formula formula) {
    auto earlier = std::move(formula.applies);
    formula.applies = [control, earlier](const std::function<bool(const std::string&)>& isChosen) {
        return isChosen(control) && (!earlier || earlier(isChosen));
    };
    return formula;
}

Piece piece(const Expr& expression, const SymbolOf& symbol) { return Drawer(symbol).draw(expression); }

Piece piece(const Formula& formula, const SymbolOf& symbol) {
    if (formula.result.empty()) return text(formula.words);
    return row({text(symbol(formula.result) + " = "), piece(formula.expression, symbol)});
}

std::string linear(const Expr& expression, const SymbolOf& symbol) { return LineWriter(symbol).write(expression); }

Num evaluate(const Expr& e, const std::function<Num(const std::string& key)>& value) {
    auto operand = [&](std::size_t i) { return evaluate(e.operands()[i], value); };
    switch (e.kind()) {
        case Kind::Constant:
        case Kind::Named: return Num(e.constant());
        case Kind::Quantity: return value(e.text());
        case Kind::Sum: return operand(0) + operand(1);
        case Kind::Difference: return operand(0) - operand(1);
        case Kind::Product: return operand(0) * operand(1);
        case Kind::Fraction:
        case Kind::Ratio: return operand(0) / operand(1);
        case Kind::Power: return pow(operand(0), operand(1));
        case Kind::Root: return sqrt(operand(0));
        case Kind::Negate: return -operand(0);
        case Kind::Function: return applyFunction(e.text(), operand(0));
        case Kind::Group: return operand(0);
        case Kind::Min: return std::min(operand(0), operand(1));
        case Kind::Max: return std::max(operand(0), operand(1));
    }
    return Num(0.0);
}

std::vector<std::string> quantitiesOf(const Expr& expression) {
    std::vector<std::string> keys;
    std::vector<NamedConstant> constants;
    collect(expression, keys, constants);
    return keys;
}

std::vector<NamedConstant> namedConstantsOf(const Expr& expression) {
    std::vector<std::string> keys;
    std::vector<NamedConstant> constants;
    collect(expression, keys, constants);
    return constants;
}

}  // namespace pylora::formula
