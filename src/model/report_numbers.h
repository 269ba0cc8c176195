#pragma once
// Numbers as a 计算书 prints them: the window's own value, in the form an engineer writes it.
#include <string>

namespace pylora {

// The text a window shows, in engineering form: a leading zero (".966" -> "0.966"), no bare
// point ("216." -> "216", "." -> "0"), at most `decimals` decimals (rounded half up on the
// digits shown, never recomputed; -1: as shown). Blanks around it are dropped; a text that is
// no plain decimal number (words, "1.5E-05") is returned trimmed.
std::string engineeringNumber(const std::string& shown, int decimals = -1);

// A value the report computes itself (a quantity no field shows): `decimals` decimals (-1: up
// to six significant digits), trailing zeros dropped, in engineering form.
std::string engineeringValue(double value, int decimals = -1);

}  // namespace pylora
