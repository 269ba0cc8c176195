#pragma once
// Doubles written as decimal text, byte for byte what std::snprintf writes, without its
// long-double arithmetic for the values results usually hold (that arithmetic is done in software
// in the browser build, where writing a number cost a sizeable share of a run).
//
// Each writes like std::snprintf(buffer, size, FORMAT, precision, value): at most size - 1
// characters and a terminating NUL, returning the length of the whole text. A value whose exact
// decimal expansion, scaled to the digits asked for, fits in 128 bits is written from that
// expansion, rounded half to even as printf rounds; any other (a precision above 17, a huge or
// tiny value, a subnormal, inf, NaN) goes to std::snprintf.
#include <cstddef>

namespace pylora {

int printFixed(char* buffer, std::size_t size, int decimals, double value);      // "%.*f"
int printExponent(char* buffer, std::size_t size, int decimals, double value);   // "%.*e"
int printGeneral(char* buffer, std::size_t size, int precision, double value);   // "%.*g"

}  // namespace pylora
