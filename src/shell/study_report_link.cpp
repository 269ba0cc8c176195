#include "shell/study_report_link.h"

#include <QObject>

#include "core/study_report.h"
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

}  // namespace

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
        addStudy(report, studyReportSection(added.study, added.caption, added.plotSvg));
    return report;
}

}  // namespace pylora
