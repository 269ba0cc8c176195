#include "web/window_session.h"

#include "cli/json_output.h"
#include "documents/report.h"
#include "model/remarks.h"
#include "model/window_settings.h"

namespace pylora::web {
namespace {

const char* const kSketchAfterEdit = "输入已改动：此草图不是当前输入的计算结果，请重新计算。";
const char* const kSketchAfterFailure = "计算中止：此草图不是当前输入的计算结果。";
constexpr double kSketchPixels = 640;

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

// Which data file the run read and how many records: the engineer sees what the profile is
// drawn from.
std::string dataFileSummary(const DataFileRead& file) {
    std::string text = file.caption + "：" + file.path + (file.sample ? "（示例数据）" : "") + "，共 " +
                       std::to_string(file.records.size()) + " 个地面点";
    for (const std::string& note : file.notes) text += "\n注意：" + note;
    return text;
}

}  // namespace

OpenWindow::OpenWindow(const FormDefinition& definition, const Services& services)
    : model_(definition, services), freshness_(definition) {}

void OpenWindow::edited(const std::string& control) {
    failedFields_.erase(control);
    if (freshness_.noteEdit(model_.form(), control)) sketchAfterEdit_ = true;
}

void OpenWindow::type(const std::string& field, const std::string& text) {
    requireControl(model_.form(), field, ControlKind::TextField, "a text field");
    model_.form().type(field, text);
    edited(field);
}

void OpenWindow::select(const std::string& option) {
    requireControl(model_.form(), option, ControlKind::OptionButton, "an option button");
    model_.form().select(option);
    edited(option);
}

void OpenWindow::check(const std::string& box, bool checked) {
    requireControl(model_.form(), box, ControlKind::CheckBox, "a check box");
    model_.form().setChecked(box, checked);
    edited(box);
}

void OpenWindow::pick(const std::string& list, int index) {
    requireControl(model_.form(), list, ControlKind::ListBox, "a list box");
    if (index < -1 || index >= static_cast<int>(model_.form().items(list).size()))
        throw SettingError("no item " + std::to_string(index) + " in " + list);
    model_.form().pick(list, index);
    // Numbers converted to another unit are the same results: nothing to grey.
    if (!model_.definition().chooseHandler(list)) edited(list);
}

void OpenWindow::press(const std::string& button) {
    requireControl(model_.form(), button, ControlKind::Button, "a button");
    if (model_.action(button) != ButtonAction::Run) return;  // printing is the page's own
    statusText_.clear();
    for (auto it = failedFields_.begin(); it != failedFields_.end();) {
        const ControlDef* control = model_.definition().findControl(*it);
        it = control && control->readOnly ? failedFields_.erase(it) : std::next(it);
    }
    const std::optional<RunFailure> failure = model_.press(button);
    if (!failure) failedFields_.clear();
    freshness_.noteRun(model_.form(), button, failure.has_value());
    sketchAfterEdit_ = !failure;  // a step that ended early leaves a drawing of earlier inputs
    showRunStatus(failure);
}

void OpenWindow::showRunStatus(const std::optional<RunFailure>& failure) {
    if (failure) {
        statusText_ = failureMessage(*failure, model_.definition());
        statusKind_ = "problem";
        if (!failure->control().empty()) failedFields_.insert(failure->control());
        return;
    }
    if (!model_.record().warnings.empty()) {
        statusText_ = joined(model_.record().warnings);
        statusKind_ = "warning";
        return;
    }
    if (!model_.form().uncomputedNotes().empty()) {
        statusText_ = joined(model_.form().uncomputedNotes());
        statusKind_ = "information";
        return;
    }
    std::vector<std::string> lines;
    bool noted = false;
    for (const DataFileRead& file : model_.form().dataFilesRead()) {
        lines.push_back(dataFileSummary(file));
        noted = noted || !file.notes.empty();
    }
    statusText_ = joined(lines);
    statusKind_ = noted ? "problem" : "information";
}

void OpenWindow::openCase(const CaseFile& file, const std::string& fileName) {
    const CaseGroundData ground(file, fileName);
    ground.useIn(model_);
    applyCaseStart(model_, file);
    std::optional<RunFailure> failure;
    for (const std::string& step : file.steps) {
        failure = model_.press(step);
        freshness_.noteRun(model_.form(), step, failure.has_value());
        if (failure) break;
    }
    model_.noteDifferencesFromCase(caseDifferences(model_, file));
    showRunStatus(failure);
    if (!failure && !model_.differencesFromCase().empty()) {
        statusText_ = joined(model_.differencesFromCase());
        statusKind_ = "warning";
    }
}

nlohmann::json OpenWindow::state() const {
    const Form& form = model_.form();
    nlohmann::json sketches = nlohmann::json::object();
    for (const auto& [name, sketch] : form.sketches()) {
        nlohmann::json entry{{"svg", sketchSvg(sketch, kSketchPixels)}};
        if (freshness_.isStale(name)) entry["outdated"] = sketchAfterEdit_ ? kSketchAfterEdit : kSketchAfterFailure;
        sketches[name] = entry;
    }
    nlohmann::json state{
        {"form", model_.definition().formName()},
        {"controls", controlsJson(form)},
        {"stale", freshness_.stale()},
        {"failed", failedFields_},
        {"status", {{"text", statusText_}, {"kind", statusKind_}}},
        {"sketches", sketches},
        {"tips", remarksByControl(form)},  // tooltips: the notes on prescribed formulas
        {"changed_since_run", model_.changedSinceRun()},
    };
    return state;
}

}  // namespace pylora::web
