#pragma once
// A parameter study as a table of text: the headings an engineer reads ("P 管道的设计压力 (MPa)")
// and CSV rows, written one point at a time so that a long study need not be kept whole.
#include <optional>
#include <string>
#include <vector>

#include "studies/parameter_study.h"

namespace pylora {

// "symbol name (unit)", the symbol's sub- and superscripts written σ_s, K^2; parts the meaning
// leaves out are left out.
std::string studyHeading(const StudyColumn& column);

// The heading of the last column: why a point failed.
inline constexpr const char* kFailureHeading = "失败原因";

// How a table writes a number the window shows: exportNumber for files other programs read,
// engineeringNumber for the 计算书 (both in model/report_numbers.h).
using StudyNumberWriter = std::string (*)(const std::string& shown, int decimals);

// A point's cells, inputs then results, as every table and file of the study gives them (the
// desktop's table, the CSV, the 计算书): numbers in engineering form ("5." is 5,
// "46.76620E+06" is 4.676620E+07), a varied input as typed, a result to its meaning's decimals,
// words (a verdict, 合格) as they stand; results empty when the point failed.
std::vector<std::string> studyCells(const StudyPoint& point, const std::vector<StudyColumn>& inputs,
                                    const std::vector<StudyColumn>& results, StudyNumberWriter write);

// The CSV heading line: inputs, results, the failure's cause. Lines end in CR LF.
std::string studyCsvHeading(const std::vector<StudyColumn>& inputs, const std::vector<StudyColumn>& results);
// One point's line: its cells, the cause of its failure last (empty when it ran).
std::string studyCsvRow(const StudyPoint& point, const std::vector<StudyColumn>& inputs,
                        const std::vector<StudyColumn>& results);
// The same line from the point's cells as studyCells wrote them with exportNumber.
std::string studyCsvLine(const std::vector<std::string>& cells, const std::optional<std::string>& failure);

// The byte order mark that spreadsheet programs need to read a CSV file as UTF-8.
inline constexpr const char* kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace pylora
