#pragma once
// Numbers as a 计算书 prints them: the window's own value, in the form an engineer writes it.
#include <optional>
#include <string>

namespace pylora {

// The text a window shows, in engineering form: a leading zero (".966" -> "0.966"), no bare
// point ("216." -> "216", "." -> "0"), at most `decimals` decimals (rounded half up on the
// digits shown, never recomputed; -1: as shown). A number with an exponent keeps its digits in
// the form an engineer writes it ("46.76620E+06" -> "4.676620×10⁷"). Blanks around it are
// dropped; words are returned trimmed.
std::string engineeringNumber(const std::string& shown, int decimals = -1);

// The same number in a file another program reads (a CSV cell, the table of a CAD drawing):
// engineering form as above, but a power of ten written the way spreadsheets and CAD programs
// read a number ("46.76620E+06" -> "4.676620E+07").
std::string exportNumber(const std::string& shown, int decimals = -1);

// A value the report computes itself (a quantity no field shows): `decimals` decimals (-1: up
// to six significant digits), trailing zeros dropped, in engineering form.
std::string engineeringValue(double value, int decimals = -1);

// A value with `digits` significant digits in the form an engineer writes a very large or
// small number: 1.808812×10¹⁷ (trailing zeros of the mantissa dropped).
std::string engineeringSignificant(double value, int digits);

// A number as a 计算书 prints it, read back: "9.8", "-3.25", "−3.25", "4.676620×10⁷",
// "1.5E-05"; its value and the place of its last printed digit (0.1, 0.01, 10 …). A checker
// holds a recomputed value to half a unit of that digit. Nothing for words.
struct PrintedNumber {
    double value = 0;
    double lastDigit = 1;
};
std::optional<PrintedNumber> readPrintedNumber(std::string text);

}  // namespace pylora
