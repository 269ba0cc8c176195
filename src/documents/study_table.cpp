#include "documents/study_table.h"

#include "documents/report_text.h"
#include "model/report_numbers.h"

namespace pylora {
namespace {

std::string plainSymbol(const std::string& markup) {
    std::string text;
    for (const ScriptRun& run : scriptRuns(markup)) text += (run.level < 0 ? "_" : run.level > 0 ? "^" : "") + run.text;
    return text;
}

// A line of cells as RFC 4180 writes them: quoted when one holds a separator, a quote or a
// line break.
class CsvLine {
public:
    void add(const std::string& cell) {
        if (!first_) text_ += ',';
        first_ = false;
        if (cell.find_first_of(",\"\r\n") == std::string::npos) {
            text_ += cell;
            return;
        }
        text_ += '"';
        for (char c : cell) text_ += c == '"' ? std::string("\"\"") : std::string(1, c);
        text_ += '"';
    }
    std::string end() { return std::move(text_) + "\r\n"; }

private:
    std::string text_;
    bool first_ = true;
};

}  // namespace

std::string studyHeading(const StudyColumn& column) {
    std::string heading = plainSymbol(column.symbol);
    if (!column.name.empty()) heading += (heading.empty() ? "" : " ") + column.name;
    if (!column.unit.empty()) heading += (heading.empty() ? "(" : " (") + column.unit + ")";
    return heading.empty() ? column.control : heading;
}

std::string studyCsvHeading(const std::vector<StudyColumn>& inputs, const std::vector<StudyColumn>& results) {
    CsvLine line;
    for (const auto* columns : {&inputs, &results})
        for (const StudyColumn& column : *columns) line.add(studyHeading(column));
    line.add(kFailureHeading);
    return line.end();
}

std::vector<std::string> studyCells(const StudyPoint& point, const std::vector<StudyColumn>& inputs,
                                    const std::vector<StudyColumn>& results, StudyNumberWriter write) {
    std::vector<std::string> cells;
    cells.reserve(inputs.size() + results.size());
    for (std::size_t i = 0; i < inputs.size(); ++i) cells.push_back(i < point.inputs.size() ? write(point.inputs[i], -1) : "");
    for (std::size_t r = 0; r < results.size(); ++r)
        cells.push_back(r < point.results.size() ? write(point.results[r], results[r].decimals) : "");
    return cells;
}

std::string studyCsvRow(const StudyPoint& point, const std::vector<StudyColumn>& inputs,
                        const std::vector<StudyColumn>& results) {
    return studyCsvLine(studyCells(point, inputs, results, exportNumber), point.failure);
}

std::string studyCsvLine(const std::vector<std::string>& cells, const std::optional<std::string>& failure) {
    CsvLine line;
    for (const std::string& cell : cells) line.add(cell);
    line.add(failure.value_or(""));
    return line.end();
}

}  // namespace pylora
