#include "cli/json_output.h"

#include "model/field_role.h"
#include "model/result_freshness.h"

namespace pylora {
namespace {

const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label: return "label";
        case ControlKind::TextField: return "field";
        case ControlKind::OptionButton: return "option";
        case ControlKind::CheckBox: return "check";
        case ControlKind::ListBox: return "list";
        case ControlKind::Button: return "button";
        case ControlKind::Picture: return "picture";
        case ControlKind::Sketch: return "sketch";
    }
    return "label";
}

const char* actionName(ButtonAction action) {
    switch (action) {
        case ButtonAction::Run: return "run";
        case ButtonAction::Print: return "print";
        case ButtonAction::None: return "none";
    }
    return "none";
}

// Static captions nobody writes carry generated names; they are part of the look only.
const char* roleName(FieldRole role) {
    switch (role) {
        case FieldRole::Input: return "input";
        case FieldRole::Choice: return "choice";
        case FieldRole::Result: return "result";
        case FieldRole::Verdict: return "verdict";
        case FieldRole::Working: return "working";
        case FieldRole::Unset: break;
    }
    return "unset";
}

bool isStaticCaption(const std::string& name) { return !name.empty() && name[0] == '_'; }

}  // namespace

nlohmann::json describeJson(const FormDefinition& definition) {
    nlohmann::json controls = nlohmann::json::array();
    for (const ControlDef& c : definition.controls()) {
        if (isStaticCaption(c.name)) continue;
        nlohmann::json entry{{"name", c.name}, {"kind", kindName(c.kind)}};
        if (!c.label.empty()) entry["label"] = c.label;
        if (c.kind != ControlKind::Picture && c.kind != ControlKind::Sketch) entry["default"] = c.text;
        if (c.kind == ControlKind::Picture) entry["content"] = c.text;  // SVG or rich text
        const FrameDef* frame = definition.findFrame(c.frame);
        entry["frame"] = frame ? nlohmann::json{{"name", frame->name}, {"caption", frame->caption}}
                               : nlohmann::json(nullptr);
        if (c.kind == ControlKind::OptionButton || c.kind == ControlKind::CheckBox) entry["checked"] = c.checked;
        if (c.kind == ControlKind::ListBox) entry["items"] = c.items;
        if (c.kind == ControlKind::Button) entry["action"] = actionName(c.action);
        if (!c.visible) entry["visible"] = false;
        if (const FieldRole role = definition.roleOf(c); role != FieldRole::Unset) {
            nlohmann::json meaning{{"role", roleName(role)}, {"name", c.meaning.name}};
            if (!c.meaning.symbol.empty()) meaning["symbol"] = c.meaning.symbol;
            if (!c.meaning.unit.empty()) meaning["unit"] = c.meaning.unit;
            if (!c.meaning.step.empty()) meaning["step"] = c.meaning.step;
            // A given quantity the run solves for while this option is chosen.
            if (!c.meaning.solvedWhen.empty()) meaning["solved_when"] = c.meaning.solvedWhen;
            entry["meaning"] = meaning;
        }
        controls.push_back(entry);
    }
    // Notes on prescribed formulas and the ranges of validity the window checks.
    nlohmann::json remarks = nlohmann::json::array();
    for (const Remark& r : definition.remarks()) {
        nlohmann::json entry{{"result", r.result}, {"text", r.text}, {"beside", r.besideFields}};
        if (r.reference)
            entry["reference"] = {{"symbol", r.referenceMeaning.symbol},
                                  {"formula", formula::linear(*r.reference, [&definition](const std::string& key) {
                                       return definition.symbolOf(key);
                                   })},
                                  {"unit", r.referenceMeaning.unit}};
        remarks.push_back(entry);
    }
    nlohmann::json ranges = nlohmann::json::array();
    for (const ValidityRange& range : definition.validityRanges()) {
        nlohmann::json entry{{"name", range.name}, {"symbol", range.symbol}, {"note", range.note}};
        if (range.above) entry["above"] = *range.above;
        if (range.below) entry["below"] = *range.below;
        ranges.push_back(entry);
    }
    return {{"form", definition.formName()}, {"title", definition.title()}, {"controls", controls},
            {"remarks", remarks}, {"validity", ranges}};
}

nlohmann::json controlsJson(const Form& form) {
    nlohmann::json controls = nlohmann::json::object();
    for (const ControlState& c : form.controls()) {
        if (isStaticCaption(c.name) || c.kind == ControlKind::Picture || c.kind == ControlKind::Sketch) continue;
        nlohmann::json entry{{"text", c.text},
                             {"background", c.background.name()},
                             {"foreground", c.foreground.name()},
                             {"visible", c.visible}};
        if (c.kind == ControlKind::OptionButton || c.kind == ControlKind::CheckBox) entry["checked"] = c.checked;
        // Input or result as the window stands: a solve-for-one window's unknown is a result.
        if (c.kind == ControlKind::TextField)
            if (const FieldRole role = roleIn(form, c.name); role != FieldRole::Unset) entry["role"] = roleName(role);
        if (c.kind == ControlKind::ListBox) {
            entry["items"] = c.items;
            entry["selected"] = c.selectedIndex >= 0 ? nlohmann::json(c.items[c.selectedIndex]) : nlohmann::json(nullptr);
        }
        controls[c.name] = entry;
    }
    return controls;
}

nlohmann::json sketchJson(const Sketch& sketch) {
    nlohmann::json lines = nlohmann::json::array(), markers = nlohmann::json::array(),
                   labels = nlohmann::json::array();
    for (const SketchLine& l : sketch.lines())
        if (l.visible)
            lines.push_back({{"name", l.name}, {"x1", l.x1}, {"y1", l.y1}, {"x2", l.x2}, {"y2", l.y2},
                             {"colour", l.colour.name()}, {"width", l.width}});
    for (const SketchMarker& m : sketch.markers())
        if (m.visible)
            markers.push_back({{"name", m.name}, {"left", m.left}, {"top", m.top}, {"width", m.width},
                               {"height", m.height}, {"colour", m.colour.name()}});
    for (const SketchLabel& l : sketch.labels())
        if (l.visible)
            labels.push_back({{"name", l.name}, {"left", l.left}, {"top", l.top}, {"caption", l.caption},
                              {"colour", l.colour.name()}});
    return {{"width", sketch.width()}, {"height", sketch.height()}, {"lines", lines}, {"markers", markers},
            {"labels", labels}};
}

nlohmann::json failureJson(const RunFailure& failure, const FormDefinition& definition) {
    return {{"control", failure.control().empty() ? nlohmann::json(nullptr) : nlohmann::json(failure.control())},
            {"kind", failureToken(failure.kind())},
            {"cause", failureMessage(failure, definition)}};
}

namespace {

// The data files the runs read (the ground data file): which one, how many records, notes.
nlohmann::json dataFilesJson(const Form& form) {
    nlohmann::json files = nlohmann::json::array();
    for (const DataFileRead& file : form.dataFilesRead())
        files.push_back({{"caption", file.caption}, {"path", file.path}, {"sample", file.sample},
                         {"records", file.records.size()}, {"notes", file.notes}});
    return files;
}

}  // namespace

nlohmann::json runJson(const CalcForm& window, const std::vector<std::string>& written,
                       const std::optional<RunFailure>& failure) {
    const Sketch* sketch = window.form().findSketch();
    return {
        {"form", window.definition().formName()},
        {"controls", controlsJson(window.form())},
        {"written", written},
        {"failure", failure ? failureJson(*failure, window.definition()) : nlohmann::json(nullptr)},
        {"remarks", window.form().uncomputedNotes()},
        {"warnings", window.record().warnings},
        {"sketch", sketch ? sketchJson(*sketch) : nlohmann::json(nullptr)},
        {"data_files", dataFilesJson(window.form())},
        // Results shown that were not computed from the inputs shown (greyed in the window).
        {"stale", staleResults(window)},
    };
}

}  // namespace pylora
