#pragma once
// The parameter studies an engineer added to a window's 计算书 with "加入计算书": kept with the
// window (until it closes) in the order added, each with its table and its plot as a vector
// drawing; the report presents them after the calculation (六、参数分析).
#include <string>
#include <utility>
#include <vector>

#include "studies/parameter_study.h"
#include "documents/report.h"

namespace pylora {

class CalcWindow;

// What the engineer had set in the window when a study began: each input's text and each
// choice's state, by control.
using StudyStart = std::vector<std::pair<std::string, std::string>>;
StudyStart studyStartOf(const Form& form);

struct AddedStudy {
    std::string caption;  // 管道的设计压力对直管段计算壁厚的影响
    StudyResult study;
    std::string plotSvg;
    StudyStart start;
};

// What a study shows, as its section's caption: "<inputs>对<results>的影响".
std::string studyCaption(const StudyResult& study);

void addStudyToReport(CalcWindow& window, AddedStudy study);
std::vector<AddedStudy> studiesInReport(const CalcWindow& window);
// The window's report with the studies added to it. A study made from inputs the window no
// longer shows says which, so that its curves are not read as those of the calculation above.
Report reportWithStudies(CalcWindow& window);

}  // namespace pylora
