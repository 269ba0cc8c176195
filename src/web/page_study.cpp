#include "web/page_study.h"

#include "documents/study_table.h"
#include "model/report_numbers.h"
#include "studies/parameter_study.h"

namespace pylora::web {

nlohmann::json runPageStudy(const CalcForm& window, const nlohmann::json& request) {
    StudyRange range;
    range.from = request.at("from").get<double>();
    range.to = request.at("to").get<double>();
    range.step = request.value("step", 0.0);
    range.points = request.value("points", 0);
    range.logarithmic = request.value("logarithmic", false);
    StudyRequest study;
    study.vary.push_back({request.at("vary").get<std::string>(), rangeValues(range)});
    study.results = request.at("results").get<std::vector<std::string>>();
    checkStudy(window.definition(), study);
    StudyOptions options;
    options.jobs = 1;
    const StudyResult result = runStudy(window, study, options);

    nlohmann::json headings = nlohmann::json::array();
    for (const StudyColumn& column : result.inputColumns) headings.push_back(studyHeading(column));
    for (const StudyColumn& column : result.resultColumns) headings.push_back(studyHeading(column));
    headings.push_back(kFailureHeading);
    nlohmann::json rows = nlohmann::json::array();
    std::string csv = std::string(kUtf8ByteOrderMark) + studyCsvHeading(result.inputColumns, result.resultColumns);
    for (const StudyPoint& point : result.points) {
        // The cells as the desktop's table shows them: numbers in engineering form.
        const std::vector<std::string> cells = studyCells(point, result.inputColumns, result.resultColumns, exportNumber);
        csv += studyCsvLine(cells, point.failure);
        nlohmann::json row = cells;
        row.push_back(point.failure.value_or(""));
        rows.push_back(std::move(row));
    }
    return {{"headings", headings}, {"rows", rows}, {"csv", csv}};
}

}  // namespace pylora::web
