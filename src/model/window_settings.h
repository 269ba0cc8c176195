#pragma once
// What the engineer does to a window before pressing its buttons, written as text: the runner's
// options (--set Text5=0.5, --select Option1(1), --check Check1(0)=1, --choose List1=φ108) and
// the tests' short form of the same ("Text5=0.5", "Option1(1)", "Check1(0)=1", "List1=φ108").
// One reading for both, so that a test drives a window as the runner does, and a setting the
// engineer could not make (a hidden or read-only field, an item not in the list) is refused.
#include <stdexcept>
#include <string>

#include "model/form.h"

namespace pylora {

// A setting that names no control of the window, the wrong kind of control, or a value it
// cannot take; the message says which, in the runner's words.
struct SettingError : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

// One setting as an option of the runner and its value: "--set" "Text5=0.5".
void applySetting(Form& form, const std::string& option, const std::string& value);

// A control of the window of the given kind ("a button", "a list box"), else SettingError.
void requireControl(const Form& form, const std::string& name, ControlKind kind, const char* what);

// The short form: "NAME=VALUE" types into a text field, chooses in a list box or sets a check
// box (0 or 1), by the kind of control NAME is; a bare "NAME" selects an option button.
void applyShortSetting(Form& form, const std::string& setting);

}  // namespace pylora
