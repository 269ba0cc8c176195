#pragma once
// Reading numbers from fields and writing results into them, as every run does.
#include <array>
#include <string>
#include <string_view>

#include "model/form.h"
#include "model/num.h"
#include "model/number_text.h"

namespace pylora {

// The number that the field's whole text denotes; any other text ends the run (NotANumber),
// so does a field showing "." or a blank.
Num FieldValue(const Form& form, const std::string& control);
// The number at the start of the field's text, 0 when there is none; never "not a number".
Num LeadingValue(const Form& form, const std::string& control);

// Several fields read one after another in the order given, the order the formula takes them,
// so that of several unreadable fields the first in that order is named. Two reads in one call's
// arguments or in the operands of + − · have no order in C++ and may name either field; the
// elements of a braced list are read left to right:
//     const auto [F, phi, sigma] = FieldValues(form, kDesignFactor, kWeldFactor, kYieldStrength);
template <typename... Controls>
std::array<Num, sizeof...(Controls)> FieldValues(const Form& form, const Controls&... controls) {
    return {FieldValue(form, controls)...};
}
template <typename... Controls>
std::array<Num, sizeof...(Controls)> LeadingValues(const Form& form, const Controls&... controls) {
    return {LeadingValue(form, controls)...};
}

// The same readings of a text that is not a field's (a list item, a part of a caption);
// `source` names the control to blame when the run fails on it.
Num FieldValueOfText(std::string_view text, const std::string& source = {});
Num LeadingValueOfText(std::string_view text, const std::string& source = {});

inline std::string FormatNumber(const Num& value, std::string_view pattern) {
    return FormatNumber(value.value(), pattern, value.source());
}
inline std::string NumberText(const Num& value) { return NumberText(value.value(), value.source()); }

}  // namespace pylora
