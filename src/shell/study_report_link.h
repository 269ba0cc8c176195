#pragma once
// The parameter studies an engineer added to a window's 计算书 with "加入计算书": kept with the
// window (until it closes) in the order added, each with its table and its plot as a vector
// drawing; the report presents them after the calculation (六、参数分析).
#include <string>
#include <vector>

#include "core/parameter_study.h"
#include "core/report.h"

namespace pylora {

class CalcWindow;

struct AddedStudy {
    std::string caption;  // 管道的设计压力对直管段计算壁厚的影响
    StudyResult study;
    std::string plotSvg;
};

// What a study shows, as its section's caption: "<inputs>对<results>的影响".
std::string studyCaption(const StudyResult& study);

void addStudyToReport(CalcWindow& window, AddedStudy study);
std::vector<AddedStudy> studiesInReport(const CalcWindow& window);
// The window's report with the studies added to it.
Report reportWithStudies(CalcWindow& window);

}  // namespace pylora
