#include "documents/study_report.h"

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <tuple>
#include <utility>

#include "documents/study_table.h"
#include "model/report_numbers.h"

namespace pylora {
namespace {

// The drawing's size in pixels: its root element's width and height when given in pixels, else
// its view box (a drawing sized in millimetres keeps its pixels there).
std::pair<double, double> drawingSize(const std::string& svg) {
    const auto root = svg.find("<svg");
    if (root == std::string::npos) return {0, 0};
    const std::string tag = svg.substr(root, svg.find('>', root) - root);
    std::smatch w, h, box;
    const std::string pixels = "=\"([0-9.]+)(px)?\"";
    if (std::regex_search(tag, w, std::regex("\\swidth" + pixels)) && std::regex_search(tag, h, std::regex("\\sheight" + pixels)))
        return {std::strtod(w[1].str().c_str(), nullptr), std::strtod(h[1].str().c_str(), nullptr)};
    if (std::regex_search(tag, box, std::regex("viewBox=\"[-0-9.]+[ ,]+[-0-9.]+[ ,]+([0-9.]+)[ ,]+([0-9.]+)\"")))
        return {std::strtod(box[1].str().c_str(), nullptr), std::strtod(box[2].str().c_str(), nullptr)};
    return {0, 0};
}

ReportColumn reportColumn(const StudyColumn& column) { return {column.symbol, column.name, column.unit}; }

}  // namespace

ReportStudy studyReportSection(const StudyResult& study, const std::string& caption, const std::string& svg) {
    ReportStudy section;
    section.caption = caption;
    ReportTable& table = section.table;
    table.caption = caption;
    table.rowHeading = "序号";
    for (const StudyColumn& column : study.inputColumns) table.columns.push_back(reportColumn(column));
    for (const StudyColumn& column : study.resultColumns) table.columns.push_back(reportColumn(column));
    const bool anyFailed =
        std::any_of(study.points.begin(), study.points.end(), [](const StudyPoint& p) { return p.failure.has_value(); });
    if (anyFailed) table.columns.push_back({{}, kFailureHeading, {}});
    for (std::size_t i = 0; i < study.points.size(); ++i) {
        const StudyPoint& point = study.points[i];
        table.rows.push_back(std::to_string(i + 1));
        std::vector<std::string> cells = studyCells(point, study.inputColumns, study.resultColumns, engineeringNumber);
        if (anyFailed) cells.push_back(point.failure.value_or(""));
        table.cells.push_back(std::move(cells));
    }
    section.plot.svg = svg;
    std::tie(section.plot.width, section.plot.height) = drawingSize(svg);
    return section;
}

}  // namespace pylora
