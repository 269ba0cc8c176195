#include "model/field_role.h"

namespace pylora {

FieldRole roleIn(const Form& form, const ControlDef& control) {
    const std::string& option = control.meaning.solvedWhen;
    if (option.empty()) return form.definition().roleOf(control);
    return form.has(option) && form.checked(option) ? FieldRole::Result : FieldRole::Input;
}

FieldRole roleIn(const Form& form, const std::string& control) {
    const ControlDef* c = form.definition().findControl(control);
    return c ? roleIn(form, *c) : FieldRole::Unset;
}

}  // namespace pylora
