#pragma once
// A parameter study as a section of the 计算书: its table and its chart.
#include <string>

#include "studies/parameter_study.h"
#include "documents/report.h"

namespace pylora {

// The table a row per point (序号, the varied inputs, the results, 失败原因 when a point failed)
// and the chart drawn by the caller as SVG; its size is read from the drawing.
ReportStudy studyReportSection(const StudyResult& study, const std::string& caption, const std::string& svg);

}  // namespace pylora
