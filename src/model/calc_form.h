#pragma once
// One open calculator window without its display: its form, what it opened when created, and
// the runs behind its buttons. The display and the headless runner both drive it.
#include <any>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "model/form.h"
#include "model/run_failure.h"

namespace pylora {

// The calculation the window shows: what the runs made since the engineer last changed an input
// (the first and second step of a window belong together), and whether the last run failed.
// A verdict as a step wrote it: a later step may write its own into the same field, and the
// calculation still has both.
struct StepVerdict {
    std::string step;     // the run button
    std::string control;
    std::string text;
    Colour colour;
};

struct RunRecord {
    bool ran = false;
    std::optional<RunFailure> failure;  // the last run failed: nothing it shows is a result
    std::vector<std::string> results;   // fields and labels the runs wrote, first written first
    std::vector<std::string> inputs;    // fields the runs read as numbers, first read first
    std::vector<StepVerdict> verdicts;  // each step's verdicts, in the order the steps ran
    // The last run completed outside a validity range the window's note states: the results
    // stand, and these lines say so. Empty after a failure.
    std::vector<std::string> warnings;
};

// How the calculation shown came about: the texts and choices when it began (the first run
// after the engineer last changed something), the run buttons pressed since, in order, and the
// data files those runs read. Replaying it on a fresh window gives the same calculation; a case
// file keeps it.
struct CalculationTrail {
    std::vector<std::tuple<std::string, bool, int>> start;  // per control: text, checked, selected item
    std::vector<std::string> steps;
    std::vector<DataFileRead> dataFiles;  // the latest read of each file caption
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

    // The calculation shown, as its trail; empty steps when nothing has run yet.
    const CalculationTrail& trail() const { return trail_; }

    // Runs read the ground survey from the records a case file brought along, held in memory;
    // the 计算书 and the trail name the file they were first read from, messages `source`.
    void useGroundRecords(const DataFileRead& records, const std::string& source);

    // Opened from a case file and computed again: where the results differ from those saved, in
    // the engineer's words; forgotten when a new calculation begins.
    const std::vector<std::string>& differencesFromCase() const { return differencesFromCase_; }
    void noteDifferencesFromCase(std::vector<std::string> differences) { differencesFromCase_ = std::move(differences); }

private:
    using ControlSnapshot = std::tuple<std::string, bool, int>;  // text, checked, selected item
    void takeSnapshot(std::vector<ControlSnapshot>& states) const;
    void recordRun(const std::optional<RunFailure>& failure, const std::string& button);

    Form form_;
    Form beforeRun_;  // the form as the run under way found it
    RunRecord record_;
    std::vector<ControlSnapshot> afterRun_;
    CalculationTrail trail_;
    std::vector<std::string> differencesFromCase_;
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

}  // namespace pylora
