#include "model/field_access.h"

#include "model/field_role.h"
#include "model/number_reading.h"
#include "model/run_failure.h"
#include "model/text.h"

namespace pylora {
namespace {

// An input whose value its quantity cannot take (a negative pressure, a count of 2.5) ends the
// run as it is read, before anything is computed from it. Not checked: a field that is no input
// as the window stands (a result read back, the unknown of a solve-for window), and a blank the
// window allows, which it works out itself.
Num withinDomain(const Form& form, const std::string& control, Num value) {
    const ControlDef* c = form.definition().findControl(control);
    if (!c || holds(c->meaning.domain, value.value()) || roleIn(form, *c) != FieldRole::Input) return value;
    if (!c->meaning.whenBlank.empty() && trimmed(form.text(control), kSpacesAndTabs).empty()) return value;
    throw RunFailure(FailureKind::InputOutsideDomain, control, domainRequirement(c->meaning.domain, c->meaning.unit));
}

}  // namespace

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
    return withinDomain(form, control, FieldValueOfText(form.text(control), control));
}

Num LeadingValue(const Form& form, const std::string& control) {
    form.noteRead(control);
    return withinDomain(form, control, LeadingValueOfText(form.text(control), control));
}

}  // namespace pylora
