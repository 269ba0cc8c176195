#pragma once
// Reading numbers from fields and writing results into them, as every run does.
#include <string>
#include <string_view>

#include "core/form.h"
#include "core/num.h"
#include "core/number_text.h"

namespace pylora {

// The number that the field's whole text denotes; any other text ends the run (NotANumber),
// so does a field showing "." or a blank.
Num FieldValue(const Form& form, const std::string& control);
// The number at the start of the field's text, 0 when there is none; never "not a number".
Num LeadingValue(const Form& form, const std::string& control);

// The same readings of a text that is not a field's (a list item, a part of a caption);
// `source` names the control to blame when the run fails on it.
Num FieldValueOfText(std::string_view text, const std::string& source = {});
Num LeadingValueOfText(std::string_view text, const std::string& source = {});

inline std::string FormatNumber(const Num& value, std::string_view pattern) {
    return FormatNumber(value.value(), pattern, value.source());
}
inline std::string NumberText(const Num& value) { return NumberText(value.value(), value.source()); }

}  // namespace pylora
