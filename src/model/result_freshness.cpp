#include "model/result_freshness.h"

#include <algorithm>
#include <functional>

#include "model/field_role.h"
#include "model/text.h"

namespace pylora {

std::size_t sketchSignature(const Sketch& sketch) {
    std::size_t seed = 0;
    auto mix = [&seed](auto value) { seed ^= std::hash<decltype(value)>{}(value) + 0x9e3779b9 + (seed << 6) + (seed >> 2); };
    for (const SketchLine& l : sketch.lines()) {
        mix(l.visible);
        mix(l.x1), mix(l.y1), mix(l.x2), mix(l.y2);
    }
    for (const SketchMarker& m : sketch.markers()) {
        mix(m.visible);
        mix(m.left), mix(m.top);
    }
    for (const SketchLabel& label : sketch.labels()) {
        mix(label.visible);
        mix(label.caption);
        mix(label.left), mix(label.top);
    }
    return seed;
}

// Results an earlier run wrote and this one did not are no longer the window's results: after
// a failure all of them; after a run that ended early without failing, those of this step and
// of the steps after it. A later step's results stay current when an earlier step runs only if
// it writes them anew.
void ResultFreshness::noteRun(const Form& form, const std::string& button, bool failed) {
    std::vector<std::string> written = form.written();
    for (const auto& [sketch, content] : form.sketches()) {
        const std::size_t signature = sketchSignature(content);
        auto [it, first] = sketchSignatures_.try_emplace(sketch, signature);
        const auto drawer = writtenBy_.find(sketch);
        if (first || it->second != signature || (drawer != writtenBy_.end() && drawer->second == button))
            written.push_back(sketch);
        it->second = signature;
    }
    readBy_[button] = form.read();
    const int step = stepIndex(button);
    for (const auto& [name, writer] : writtenBy_) {
        if (std::find(written.begin(), written.end(), name) != written.end()) continue;
        if (failed || stepIndex(writer) >= step) stale_.insert(name);
    }
    for (const std::string& name : written) {
        writtenBy_[name] = button;
        stale_.erase(name);
    }
}

// An edited field makes stale what the runs computed from it: the results of the first step
// that read it and of every step after it. A choice is not read as a number: it may steer every
// step. What the engineer types is current by definition, and a quantity the last run solved
// for that the chosen option now makes given is an input as it reads.
bool ResultFreshness::noteEdit(const Form& form, const std::string& input) {
    int firstReader = -1;
    const ControlDef* control = definition_->findControl(input);
    if (control && control->kind == ControlKind::TextField) {
        stale_.erase(input);
        for (const auto& [button, fields] : readBy_) {
            if (std::find(fields.begin(), fields.end(), input) == fields.end()) continue;
            const int step = stepIndex(button);
            if (firstReader < 0 || step < firstReader) firstReader = step;
        }
        if (firstReader < 0) return false;
    } else {
        firstReader = 0;
    }
    bool changed = false;
    for (const auto& [name, writer] : writtenBy_) {
        const ControlDef* written = definition_->findControl(name);
        if (written && !written->meaning.solvedWhen.empty() && roleIn(form, *written) == FieldRole::Input) {
            stale_.erase(name);
            continue;
        }
        if (name == input || stepIndex(writer) < firstReader || stale_.count(name)) continue;
        stale_.insert(name);
        changed = true;
    }
    return changed;
}

int ResultFreshness::stepIndex(const std::string& button) const {
    int index = 0;
    for (const ControlDef& c : definition_->controls()) {
        if (c.kind != ControlKind::Button || c.action != ButtonAction::Run) continue;
        if (c.name == button) return index;
        ++index;
    }
    return index;
}

std::vector<std::string> staleResults(const CalcForm& window) {
    const RunRecord& record = window.record();
    const bool computed = record.ran && !record.failure && !window.changedSinceRun();
    std::vector<std::string> stale;
    for (const ControlState& control : window.form().controls()) {
        // A drawing is the calculation's when anything was computed; which step drew it the
        // window itself follows.
        if (control.kind == ControlKind::Sketch) {
            if (!computed) stale.push_back(control.name);
            continue;
        }
        // A hidden or blank field shows nothing that could be taken for a result.
        if (!control.visible || trimmed(control.text).empty()) continue;
        const FieldRole role = roleIn(window.form(), control.name);
        if (role != FieldRole::Result && role != FieldRole::Verdict) continue;
        const bool written =
            computed && std::find(record.results.begin(), record.results.end(), control.name) != record.results.end();
        if (!written) stale.push_back(control.name);
    }
    return stale;
}

}  // namespace pylora
