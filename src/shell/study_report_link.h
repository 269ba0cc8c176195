#pragma once
// The parameter studies an engineer added to a window's 计算书 with "加入计算书": kept with the
// window (until it closes) in the order added, each with its table and its plot as a vector
// drawing, for the report to present after the calculation.
#include <QString>
#include <string>
#include <vector>

#include "core/parameter_study.h"

namespace pylora {

class CalcWindow;

struct AddedStudy {
    QString title;
    StudyResult study;
    std::string plotSvg;
};

void addStudyToReport(CalcWindow& window, AddedStudy study);
std::vector<AddedStudy> studiesInReport(const CalcWindow& window);

}  // namespace pylora
