#include "shell/study_report_link.h"

#include <QObject>
#include <algorithm>

#include "documents/study_report.h"
#include "shell/calc_window.h"

namespace pylora {
namespace {

// Lives as a child of the window, so the studies go with it.
class AddedStudies : public QObject {
public:
    using QObject::QObject;
    std::vector<AddedStudy> studies;
};

const char* const kName = "addedStudies";

AddedStudies* studiesOf(const CalcWindow& window) {
    // Only this file makes a child of that name.
    return static_cast<AddedStudies*>(window.findChild<QObject*>(QLatin1String(kName), Qt::FindDirectChildrenOnly));
}

std::string joinedNames(const std::vector<StudyColumn>& columns) {
    std::string names;
    for (const StudyColumn& column : columns) names += (names.empty() ? "" : "、") + column.name;
    return names;
}

std::string stateOf(const ControlState& control) {
    switch (control.kind) {
    case ControlKind::OptionButton:
    case ControlKind::CheckBox: return control.checked ? "1" : "0";
    case ControlKind::ListBox:
        return control.selectedIndex < 0 ? std::string() : control.items[static_cast<std::size_t>(control.selectedIndex)];
    default: return control.text;
    }
}

// "（本分析按加入计算书时的输入计算，与上文不同的有：管道的设计压力、…）", or nothing.
std::string differenceNote(const AddedStudy& added, const Form& now) {
    std::string names;
    for (const auto& [control, state] : added.start) {
        if (!now.has(control) || stateOf(now.control(control)) == state) continue;
        const bool varied = std::any_of(added.study.inputColumns.begin(), added.study.inputColumns.end(),
                                        [&](const StudyColumn& column) { return column.control == control; });
        if (varied) continue;
        const Meaning* meaning = now.definition().meaningOf(control);
        const std::string name = meaning && !meaning->name.empty() ? meaning->name : control;
        if (names.find(name) == std::string::npos) names += (names.empty() ? "" : "、") + name;
    }
    return names.empty() ? std::string() : "（本分析按加入计算书时的输入计算，与上文不同的有：" + names + "）";
}

}  // namespace

StudyStart studyStartOf(const Form& form) {
    StudyStart start;
    for (const ControlDef& control : form.definition().controls()) {
        const FieldRole role = form.definition().roleOf(control);
        if (role == FieldRole::Input || role == FieldRole::Choice)
            start.emplace_back(control.name, stateOf(form.control(control.name)));
    }
    return start;
}

std::string studyCaption(const StudyResult& study) {
    return joinedNames(study.inputColumns) + "对" + joinedNames(study.resultColumns) + "的影响";
}

void addStudyToReport(CalcWindow& window, AddedStudy study) {
    AddedStudies* added = studiesOf(window);
    if (!added) {
        added = new AddedStudies(&window);
        added->setObjectName(QLatin1String(kName));
    }
    added->studies.push_back(std::move(study));
}

std::vector<AddedStudy> studiesInReport(const CalcWindow& window) {
    const AddedStudies* added = studiesOf(window);
    return added ? added->studies : std::vector<AddedStudy>{};
}

Report reportWithStudies(CalcWindow& window) {
    Report report = buildReport(window.model());
    for (const AddedStudy& added : studiesInReport(window))
        addStudy(report, studyReportSection(added.study, added.caption + differenceNote(added, window.model().form()),
                                            added.plotSvg));
    return report;
}

}  // namespace pylora
