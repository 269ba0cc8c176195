#pragma once
// One open calculator window without its display: its form, what it opened when created, and
// the runs behind its buttons. The display and the headless runner both drive it.
#include <any>
#include <map>
#include <optional>
#include <string>

#include "core/form.h"
#include "core/run_failure.h"

namespace pylora {

class CalcForm {
public:
    CalcForm(const FormDefinition& definition, Services services);

    Form& form() { return form_; }
    const Form& form() const { return form_; }
    const FormDefinition& definition() const { return form_.definition(); }

    ButtonAction action(const std::string& button) const;

    // Presses a button. A run button runs its calculation: fields written before a failure keep
    // their new texts, the failure is returned. Print and idle buttons change nothing here.
    std::optional<RunFailure> press(const std::string& button);

private:
    Form form_;
    Services services_;
    std::any state_;
};

// The engineer's words for a failed run, naming the field by its caption:
// 计算中止：「管道的设计压力（MPa） 」不是有效数字
std::string failureMessage(const RunFailure& failure, const FormDefinition& definition);

// The caption by which the engineer knows a control: its label, its description, its own
// caption, else its name.
std::string controlCaption(const FormDefinition& definition, const std::string& control);

}  // namespace pylora

namespace pylora {

// The longest text each text field is expected to show, in characters: its default text and
// what the runs write from the default inputs (every run button pressed once, in order, on a
// window of its own). The display sizes its fields by it, so a result is read whole.
std::map<std::string, int> expectedTextLengths(const FormDefinition& definition, const Services& services);

// The length of a text as the engineer counts it: characters, not bytes.
int characterCount(const std::string& utf8);

}  // namespace pylora
