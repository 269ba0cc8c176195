#pragma once
// The texts that a run writes into result fields, exactly as the engineer reads them.
#include <string>
#include <string_view>

namespace pylora {

// A value that is not finite is never written: NaN ends the run as outside the domain, ±inf as
// too large, blaming `source` (the field the value came from; empty when none is known).

// Writes a value through a pattern "#.#" to "#.#####": 15 significant digits, rounded to the
// pattern's decimals with halves away from zero, no leading zero, the point always shown
// (0.5 -> ".5", 2 -> "2.", 0 -> "."). A negative value keeps its "-" even when it rounds to zero.
std::string FormatNumber(double value, std::string_view pattern, const std::string& source = {});

// The general number form: 15 significant digits, as brief as possible ("98", "0.5",
// "1E+15", "1.5E-05"); plain decimal from 0.0001 up to but not including 1E+15.
std::string NumberText(double value, const std::string& source = {});

// The same for a value kept in single precision: 7 significant digits, plain below 1E+07.
std::string NumberTextSingle(float value, const std::string& source = {});

// Engineering form: `significant` digits, trailing zeros kept. Plain decimal from 0.001 up to
// but not including 1E+06 ("2895.934", "0.01851387", "10.00000"); beyond, a mantissa of one to
// three integer digits and an exponent that is a multiple of three ("9.000000E+06",
// "12.34567E-06"). Zero is "0".
std::string EngineeringText(double value, int significant = 7, const std::string& source = {});

}  // namespace pylora
