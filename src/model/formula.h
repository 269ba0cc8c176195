#pragma once
// A window's formulas as expression trees over its quantities. One tree is written once and
// serves three readers: the window's formula picture (symbols), the 计算书's substituted line
// (the same tree with the values the run used) and the consistency test (its evaluation must
// give what the window shows). A quantity is named by a key: a field's control name ("Text6")
// or a quantity the window declares without a field ("m", the bend factor).
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/formula_picture.h"
#include "model/num.h"

namespace pylora::formula {

class Expr {
public:
    enum class Kind {
        Constant,   // a number as the formula writes it: "3.1416", "0.5"
        Named,      // a constant with a symbol of its own (C = 0.7): drawn as its symbol
        Quantity,   // a quantity of the window, by key
        Sum,        // a + b
        Difference, // a − b
        Product,    // a · b
        Fraction,   // a over b, drawn with a bar
        Ratio,      // a / b on one line
        Power,      // a raised to b
        Root,       // square root of a
        Negate,     // −a
        Function,   // name(a): sin, cos, tan, arctan, arcsin, arccos, ln, lg, exp, abs, int
        Group,      // (a): parentheses the formula writes even where precedence needs none
        Min,        // min(a, b)
        Max,        // max(a, b)
    };

    Expr(double constant);  // NOLINT: numbers mix into formulas as constants
    Kind kind() const { return node_->kind; }
    double constant() const { return node_->value; }
    const std::string& text() const { return node_->text; }  // constant's text, symbol, key or function
    const std::vector<Expr>& operands() const { return node_->operands; }

    static Expr make(Kind kind, std::string text, double value, std::vector<Expr> operands);

private:
    struct Node {
        Kind kind;
        std::string text;
        double value = 0;
        std::vector<Expr> operands;
    };
    explicit Expr(std::shared_ptr<const Node> node) : node_(std::move(node)) {}
    std::shared_ptr<const Node> node_;
};

// A quantity of the window by its key.
Expr q(const std::string& key);
// A constant written as the formula writes it ("3.1416" stays "3.1416" in the picture).
Expr c(double value, const std::string& text = {});
// A constant shown by its symbol in the picture and listed with its value in the 式中 list.
Expr named(double value, const std::string& symbol, const std::string& name = {});
Expr operator+(const Expr& a, const Expr& b);
Expr operator-(const Expr& a, const Expr& b);
Expr operator-(const Expr& a);
Expr operator*(const Expr& a, const Expr& b);
Expr operator/(const Expr& a, const Expr& b);  // a fraction with a bar
Expr ratio(const Expr& a, const Expr& b);      // a / b on one line
Expr pow(const Expr& base, const Expr& exponent);
Expr sqrt(const Expr& x);
Expr fn(const std::string& name, const Expr& x);
Expr group(const Expr& x);
Expr min(const Expr& a, const Expr& b);
Expr max(const Expr& a, const Expr& b);

// One line of a formula picture: result = expression, or a line of words ("C = 0.7（铰接）").
struct Formula {
    Formula() = default;
    Formula(std::string resultKey, Expr expr, std::string runButton = {})
        : result(std::move(resultKey)), expression(std::move(expr)), step(std::move(runButton)) {}

    std::string result;  // key of the quantity it gives; empty for a line of words
    Expr expression = 0.0;
    std::string words;   // the line of words, with _sub and ^super marks
    std::string step;    // the run button whose run computes it; empty: every run
    // Where a value the formula takes from a table is found: the table, its row and column.
    std::string source;
    // Formulas that hold only for some choices (an option, a check box): when it is false the
    // formula is left out of the 计算书 and of the consistency check.
    std::function<bool(const std::function<bool(const std::string&)>& isChosen)> applies;
};

// A line of words in a formula picture.
Formula words(const std::string& markup);
// A formula that holds only while the option or check box `control` is chosen, or while the
// list item is chosen that `control` names as "List=Item".
Formula when(const std::string& control, Formula formula);

// How a tree is drawn: the symbol of each quantity, or its value.
using SymbolOf = std::function<std::string(const std::string& key)>;

// The picture piece of `result = expression` with every quantity drawn as `symbol(key)`.
Piece piece(const Formula& formula, const SymbolOf& symbol);
// The expression alone as a picture piece.
Piece piece(const Expr& expression, const SymbolOf& symbol);

// The tree on one line of plain text, quantities as `symbol(key)` with _ and ^ marks kept:
// "P·D/(2·σ_s·F·t)". For the 计算书's substituted line, `symbol` gives values.
std::string linear(const Expr& expression, const SymbolOf& symbol);

// The tree's value; `value(key)` gives each quantity's. Checked arithmetic: a zero divisor or
// an argument outside its domain throws RunFailure, as in a run.
Num evaluate(const Expr& expression, const std::function<Num(const std::string& key)>& value);

// Every quantity key and every named constant the tree uses, first met first, each once.
std::vector<std::string> quantitiesOf(const Expr& expression);
struct NamedConstant {
    std::string symbol;
    std::string name;
    double value;
};
std::vector<NamedConstant> namedConstantsOf(const Expr& expression);

}  // namespace pylora::formula
