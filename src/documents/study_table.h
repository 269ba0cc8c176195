#pragma once
// A parameter study as a table of text: the headings an engineer reads ("P 管道的设计压力 (MPa)")
// and CSV rows, written one point at a time so that a long study need not be kept whole.
#include <string>
#include <vector>

#include "studies/parameter_study.h"

namespace pylora {

// "symbol name (unit)", the symbol's sub- and superscripts written σ_s, K^2; parts the meaning
// leaves out are left out.
std::string studyHeading(const StudyColumn& column);

// The heading of the last column: why a point failed.
inline constexpr const char* kFailureHeading = "失败原因";

// The CSV heading line: inputs, results, the failure's cause. Lines end in CR LF.
std::string studyCsvHeading(const std::vector<StudyColumn>& inputs, const std::vector<StudyColumn>& results);
// One point's line: the results left empty when it failed, the cause last (empty when it ran).
std::string studyCsvRow(const StudyPoint& point, std::size_t resultColumns);

// The byte order mark that spreadsheet programs need to read a CSV file as UTF-8.
inline constexpr const char* kUtf8ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace pylora
