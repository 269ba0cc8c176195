#pragma once
// Decimal text to a double, the value std::strtod gives, without its long-double arithmetic for
// the texts fields usually hold (that arithmetic is done in software in the browser build, where
// it made reading a number most of a run's time).

namespace pylora {

// The double nearest the decimal number the whole text denotes, exactly std::strtod(text, nullptr):
// a plain decimal ("-12.5", "3e4") whose digits make an integer up to 2^53 (15 digits and more)
// and a power of ten within 10^±22 is read with one exact multiplication or division, correctly
// rounded; every other text goes to std::strtod.
double decimalValue(const char* text);

}  // namespace pylora
