#pragma once
// How the text of a field is read as a number.
#include <optional>
#include <string_view>

namespace pylora {

// The number that the whole text denotes: blanks around it are ignored, commas between the
// digits of the integer part too ("1,000"); anything else, the empty text included, is none.
// A number beyond double precision is none as well.
std::optional<double> parseStrictNumber(std::string_view text);

// The number at the start of the text once blanks, tabs and line breaks are removed
// ("12m" -> 12, " 1 2" -> 12, "m12" -> 0); 0 when no digit can be read.
// A number beyond double precision is none.
std::optional<double> parseLeadingNumber(std::string_view text);

}  // namespace pylora
