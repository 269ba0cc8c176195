#include "model/field_access.h"

#include "model/number_reading.h"
#include "model/run_failure.h"

namespace pylora {

Num FieldValueOfText(std::string_view text, const std::string& source) {
    const auto value = parseStrictNumber(text);
    if (!value) throw RunFailure(FailureKind::NotANumber, source);
    return Num(*value, source);
}

Num LeadingValueOfText(std::string_view text, const std::string& source) {
    const auto value = parseLeadingNumber(text);
    if (!value) throw RunFailure(FailureKind::TooLarge, source);
    return Num(*value, source);
}

Num FieldValue(const Form& form, const std::string& control) {
    form.noteRead(control);
    return FieldValueOfText(form.text(control), control);
}

Num LeadingValue(const Form& form, const std::string& control) {
    form.noteRead(control);
    return LeadingValueOfText(form.text(control), control);
}

}  // namespace pylora
