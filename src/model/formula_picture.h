#pragma once
// Formula pictures drawn as SVG from a small tree of pieces: runs of text (with _sub and ^super
// marks), fractions, square roots, raised exponents and parentheses that grow with what they
// enclose, laid out left to right.
#include <string>
#include <vector>

namespace pylora::formula {

struct Piece {
    enum class Kind { Text, Fraction, Root, Row, Script, Paren };
    Kind kind = Kind::Text;
    std::string text;          // Text: the run, "_x" or "_{xy}" lowers, "^x" or "^{xy}" raises
    std::vector<Piece> parts;  // Fraction: numerator, denominator; Root: radicand; Row: pieces;
                               // Script: base, exponent; Paren: what the brackets enclose
};

Piece text(std::string markup);
Piece fraction(Piece numerator, Piece denominator);
Piece root(Piece radicand);
Piece row(std::vector<Piece> parts);
Piece script(Piece base, Piece exponent);  // base raised to the exponent
Piece paren(Piece inside);                 // (inside), brackets as tall as it

// An SVG drawing of the lines, one under the other, sized to fit.
std::string picture(const std::vector<Piece>& lines, double fontSize = 20);

}  // namespace pylora::formula
