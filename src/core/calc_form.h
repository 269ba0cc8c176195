#pragma once
// One open calculator window without its display: its form, what it opened when created, and
// the runs behind its buttons. The display and the headless runner both drive it.
#include <any>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/form.h"
#include "core/run_failure.h"

namespace pylora {

// The calculation the window shows: what the runs made since the engineer last changed an input
// (the first and second step of a window belong together), and whether the last run failed.
struct RunRecord {
    bool ran = false;
    std::optional<RunFailure> failure;  // the last run failed: nothing it shows is a result
    std::vector<std::string> results;   // fields and labels the runs wrote, first written first
    std::vector<std::string> inputs;    // fields the runs read as numbers, first read first
};

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

    const RunRecord& record() const { return record_; }
    // What the runs may reach; the program changes the ground data file the engineer chose.
    Services& services() { return services_; }
    const Services& services() const { return services_; }
    // The engineer has changed a text, an option, a check box or a list after the last run:
    // what the window shows no longer is what the runs computed from.
    bool changedSinceRun() const;

private:
    using ControlSnapshot = std::tuple<std::string, bool, int>;  // text, checked, selected item
    std::vector<ControlSnapshot> snapshot() const;
    void recordRun(const std::optional<RunFailure>& failure);

    Form form_;
    RunRecord record_;
    std::vector<ControlSnapshot> afterRun_;
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
