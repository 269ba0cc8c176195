#pragma once
// Formula pictures of the river-works windows, drawn as SVG from a small tree of pieces: runs
// of text (with _sub and ^super marks), fractions and square roots, laid out left to right.
#include <string>
#include <vector>

namespace pylora::formula {

struct Piece {
    enum class Kind { Text, Fraction, Root, Row };
    Kind kind = Kind::Text;
    std::string text;          // Text: the run, "_x" or "_{xy}" lowers, "^x" or "^{xy}" raises
    std::vector<Piece> parts;  // Fraction: numerator, denominator; Root: radicand; Row: pieces
};

Piece text(std::string markup);
Piece fraction(Piece numerator, Piece denominator);
Piece root(Piece radicand);
Piece row(std::vector<Piece> parts);

// An SVG drawing of the lines, one under the other, sized to fit.
std::string picture(const std::vector<Piece>& lines, double fontSize = 20);

}  // namespace pylora::formula
