#include "model/calc_form.h"

#include <algorithm>
#include <exception>

#include "model/failure_blame.h"
#include "model/remarks.h"
#include "model/text.h"

namespace pylora {

CalcForm::CalcForm(const FormDefinition& definition, Services services)
    : form_(definition), beforeRun_(definition), services_(std::move(services)) {
    if (definition.createHandler()) state_ = definition.createHandler()(form_, services_);
}

ButtonAction CalcForm::action(const std::string& button) const {
    const ControlDef* c = definition().findControl(button);
    return c && c->kind == ControlKind::Button ? c->action : ButtonAction::None;
}

std::optional<RunFailure> CalcForm::press(const std::string& button) {
    const RunHandler* run = definition().handler(button);
    if (!run) return std::nullopt;
    const bool changed = changedSinceRun();
    if (changed) record_ = RunRecord{};  // the engineer began a new calculation
    if (!record_.ran || changed) {
        takeSnapshot(trail_.start);
        trail_.steps.clear();
        trail_.dataFiles.clear();
        differencesFromCase_.clear();
    }
    trail_.steps.push_back(button);
    form_.clearWritten();
    form_.clearRead();
    RunContext context{form_, services_, state_};
    std::optional<RunFailure> failure = earlierStepNotRun(form_, button);
    if (failure) {
        recordRun(failure, button);
        return failure;
    }
    // Reading an input outside its domain ends the run (field_access.h); what the run wrote
    // before that read is taken back, so that nothing shows a result of a value refused.
    // Kept in a member so that its texts reuse their storage from press to press.
    beforeRun_ = form_;
    try {
        (*run)(context);
    } catch (const RunFailure& f) {
        failure = blameInput(f, form_, button);
        if (f.kind() == FailureKind::InputOutsideDomain) form_ = beforeRun_;
    } catch (const std::exception& fault) {
        failure = RunFailure(FailureKind::Internal, {}, fault.what());
    }
    recordRun(failure, button);
    return failure;
}

void CalcForm::useGroundRecords(const DataFileRead& records, const std::string& source) {
    services_.groundRecords = std::make_shared<const DataFileRead>(records);
    services_.groundRecordsSource = source;
}

void CalcForm::recordRun(const std::optional<RunFailure>& failure, const std::string& button) {
    // A failed run leaves no results: neither its own partial ones nor those of earlier steps,
    // which it may have been about to replace.
    if (failure) record_ = RunRecord{};
    record_.ran = true;
    record_.failure = failure;
    auto add = [](std::vector<std::string>& list, const std::vector<std::string>& names) {
        for (const std::string& name : names)
            if (std::find(list.begin(), list.end(), name) == list.end()) list.push_back(name);
    };
    if (!failure) add(record_.results, form_.written());
    add(record_.inputs, form_.read());
    if (!failure) {
        auto& verdicts = record_.verdicts;
        for (const std::string& name : form_.written()) {
            const ControlDef* c = definition().findControl(name);
            if (!c || definition().roleOf(*c) != FieldRole::Verdict) continue;
            verdicts.erase(std::remove_if(verdicts.begin(), verdicts.end(),
                                          [&](const StepVerdict& v) { return v.step == button && v.control == name; }),
                           verdicts.end());
            verdicts.push_back({button, name, form_.text(name), form_.foreground(name)});
        }
    }
    record_.warnings = failure ? std::vector<std::string>{} : validityWarnings(form_);
    for (const DataFileRead& read : form_.dataFilesRead()) {
        auto same = std::find_if(trail_.dataFiles.begin(), trail_.dataFiles.end(),
                                 [&read](const DataFileRead& f) { return f.caption == read.caption; });
        if (same == trail_.dataFiles.end()) {
            trail_.dataFiles.push_back(read);
        } else {
            *same = read;
        }
    }
    takeSnapshot(afterRun_);
}

// Assigned element by element: a run after the first allocates nothing for it.
void CalcForm::takeSnapshot(std::vector<ControlSnapshot>& states) const {
    const std::vector<ControlState>& controls = form_.controls();
    states.resize(controls.size());
    for (std::size_t i = 0; i < controls.size(); ++i)
        states[i] = std::tie(controls[i].text, controls[i].checked, controls[i].selectedIndex);
}

bool CalcForm::changedSinceRun() const {
    if (!record_.ran) return false;
    const std::vector<ControlState>& controls = form_.controls();
    if (controls.size() != afterRun_.size()) return true;
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (afterRun_[i] != std::tie(controls[i].text, controls[i].checked, controls[i].selectedIndex)) return true;
    return false;
}

std::string controlCaption(const FormDefinition& definition, const std::string& control) {
    const ControlDef* c = definition.findControl(control);
    if (!c) return control;
    if (!c->label.empty()) return c->label;
    if (!c->description.empty()) return c->description;
    if (!c->text.empty() && c->kind != ControlKind::TextField && c->kind != ControlKind::Picture) return c->text;
    return control;
}

std::string failureMessage(const RunFailure& failure, const FormDefinition& definition) {
    const std::string field =
        failure.control().empty() ? std::string() : "「" + controlCaption(definition, failure.control()) + "」";
    std::string text = "计算中止：";
    switch (failure.kind()) {
        case FailureKind::NotANumber:
            text += field.empty() ? "数据不是有效数字" : field + "不是有效数字";
            break;
        case FailureKind::DivisionByZero:
            text += field.empty() ? "除数为零" : "由" + field + "得到的除数为零";
            break;
        case FailureKind::OutsideDomain:
            text += field.empty() ? "运算超出定义域" : "由" + field + "得到的运算超出定义域";
            break;
        case FailureKind::TooLarge:
            text += field.empty() ? "数值超出允许范围" : "由" + field + "得到的数值超出允许范围";
            break;
        case FailureKind::InputOutsideDomain:  // the detail says what the field should hold
            return text + "「" + trimmedString(controlCaption(definition, failure.control()), kSpacesAndTabs) + "」" +
                   failure.detail();
        case FailureKind::NoSolution:  // the detail finishes the sentence about the field
            return text + field + failure.detail();
        case FailureKind::MissingData:
            text += failure.detail().empty() ? "缺少所需数据" : failure.detail();
            return text;
        case FailureKind::ZeroResult:  // the detail names the result that came out zero
            return text + field + "为零，使「" + failure.detail() + "」为零，无法继续计算";
        case FailureKind::StepNotRun:  // the detail is the caption of the step to run first
            return text + "请先进行" + failure.detail();
        case FailureKind::Internal:
            text += "程序内部错误";
            break;
    }
    if (!failure.detail().empty()) text += "（" + failure.detail() + "）";
    return text;
}

}  // namespace pylora

namespace pylora {

std::map<std::string, int> expectedTextLengths(const FormDefinition& definition, const Services& services) {
    std::map<std::string, int> lengths;
    auto note = [&lengths](const Form& form) {
        for (const ControlState& state : form.controls()) {
            if (state.kind != ControlKind::TextField) continue;
            int& longest = lengths[state.name];
            longest = std::max(longest, static_cast<int>(characterCount(state.text)));
        }
    };
    CalcForm trial(definition, services);
    note(trial.form());
    for (const ControlDef& control : definition.controls()) {
        if (control.kind != ControlKind::Button || control.action != ButtonAction::Run) continue;
        trial.press(control.name);  // a failed trial run still shows what it wrote before
        note(trial.form());
    }
    return lengths;
}

}  // namespace pylora
