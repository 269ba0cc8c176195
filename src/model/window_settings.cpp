#include "model/window_settings.h"

#include <utility>

#include "model/text.h"

namespace pylora {
namespace {

std::string requireUtf8(std::string value, const std::string& option, const std::string& control) {
    if (!isValidUtf8(value)) throw SettingError{option + " value for " + control + " is not valid UTF-8"};
    return value;
}

// The engineer can type only into a text field the window shows.
void requireEditableField(const Form& form, const std::string& name) {
    if (!form.has(name)) throw SettingError{form.formName() + " has no control " + name};
    const ControlState& control = form.control(name);
    if (control.kind != ControlKind::TextField) throw SettingError{"--set: " + name + " is not a text field"};
    if (!control.visible) throw SettingError{"--set: " + name + " is a hidden field the engineer cannot type into"};
    const ControlDef* definition = form.definition().findControl(name);
    if (definition && definition->readOnly) throw SettingError{"--set: " + name + " only shows what the window writes"};
}

std::pair<std::string, std::string> splitAssignment(const std::string& text, const std::string& option) {
    const auto eq = text.find('=');
    if (eq == std::string::npos || eq == 0) throw SettingError{option + " takes CONTROL=VALUE: " + text};
    return {text.substr(0, eq), text.substr(eq + 1)};
}

}  // namespace

void requireControl(const Form& form, const std::string& name, ControlKind kind, const char* what) {
    if (!form.has(name)) throw SettingError{form.formName() + " has no control " + name};
    if (form.control(name).kind != kind) throw SettingError{name + " is not " + std::string(what)};
}

void applySetting(Form& form, const std::string& option, const std::string& value) {
    if (option == "--set") {
        auto [name, text] = splitAssignment(value, option);
        requireEditableField(form, name);
        form.type(name, requireUtf8(text, option, name));
    } else if (option == "--select") {
        requireControl(form, value, ControlKind::OptionButton, "an option button");
        form.select(value);
    } else if (option == "--check") {
        auto [name, state] = splitAssignment(value, option);
        requireControl(form, name, ControlKind::CheckBox, "a check box");
        if (state != "0" && state != "1") throw SettingError{"--check takes CHECK=0 or CHECK=1: " + value};
        form.setChecked(name, state == "1");
    } else if (option == "--choose") {
        auto [name, item] = splitAssignment(value, option);
        requireControl(form, name, ControlKind::ListBox, "a list box");
        if (!form.pick(name, requireUtf8(item, option, name))) throw SettingError{name + " has no item " + item};
    } else {
        throw SettingError{"unknown setting " + option};
    }
}

void applyShortSetting(Form& form, const std::string& setting) {
    const auto eq = setting.find('=');
    if (eq == std::string::npos) return applySetting(form, "--select", setting);
    const std::string name = setting.substr(0, eq);
    const ControlKind kind = form.has(name) ? form.control(name).kind : ControlKind::TextField;
    const char* option = kind == ControlKind::ListBox ? "--choose" : kind == ControlKind::CheckBox ? "--check" : "--set";
    applySetting(form, option, setting);
}

}  // namespace pylora
