#include "cad/profile_drawing.h"

#include <algorithm>

#include "model/calc_form.h"

namespace pylora {

bool ProfileDrawing::hasGroundColumn() const {
    return std::any_of(stations.begin(), stations.end(), [](const ProfileStation& s) { return !s.groundText.empty(); });
}

bool ProfileDrawing::hasPipeColumn() const {
    return std::any_of(stations.begin(), stations.end(), [](const ProfileStation& s) { return !s.pipeText.empty(); });
}

bool ProfileDrawing::hasCoverColumn() const {
    return std::any_of(stations.begin(), stations.end(), [](const ProfileStation& s) { return !s.coverText.empty(); });
}

bool ProfileDrawing::hasSegmentColumn(std::string ProfileSegment::*column) const {
    return std::any_of(segments.begin(), segments.end(), [column](const ProfileSegment& s) { return !(s.*column).empty(); });
}

namespace {

// The drawing step is the latest run of the calculation shown, and it completed.
bool profileIsCurrent(const CalcForm& window) {
    const FormDefinition& def = window.definition();
    const RunRecord& record = window.record();
    const auto& steps = window.trail().steps;
    return record.ran && !record.failure && !window.changedSinceRun() && !steps.empty() &&
           steps.back() == def.profileStep();
}

}  // namespace

std::optional<ProfileDrawing> profileDrawing(const CalcForm& window) {
    if (!window.definition().hasProfile() || !profileIsCurrent(window)) return std::nullopt;
    return window.definition().profileBuilder()(window);
}

std::string noProfileReason(const CalcForm& window) {
    const FormDefinition& def = window.definition();
    if (!def.hasProfile()) return "「" + def.formName() + "」没有纵断面图";
    const RunRecord& record = window.record();
    if (record.ran && record.failure) return "计算未完成，没有可导出的纵断面";
    const std::string step = controlCaption(def, def.profileStep());
    return "请先完成「" + step + "」，再导出纵断面";
}

}  // namespace pylora
