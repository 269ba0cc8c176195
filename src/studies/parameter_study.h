#pragma once
// A parameter study: one window run many times, an input (or two) stepped over values, chosen
// results read back as the window shows them. Every point is a real run: the window's inputs as
// the study began, the varied fields typed, the window's steps pressed, exactly as the engineer
// would do it by hand. The desktop program and the runner's `sweep` both use it.
#include <atomic>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/calc_form.h"

namespace pylora {

// A study that cannot be made as asked: a field that is no input, a range without points, too
// many points. The message says which, in the engineer's words.
struct StudyError : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

// from, to and either a step or a number of points; logarithmic spacing needs from and to of
// one sign, neither zero. The step goes from `from` toward `to` whatever its sign; on a
// logarithmic range it is the factor between neighbouring values (1 to 1000 by 10).
struct StudyRange {
    double from = 0;
    double to = 0;
    double step = 0;  // 0: use points
    int points = 0;   // 0: use step
    bool logarithmic = false;
};

// The values of a range as the texts typed into the field: the shortest text that reads back as
// the value, so 0.1 steps give "0.3", not "0.30000000000000004". The last value is `to` when the
// steps reach it within a millionth of a step.
std::vector<std::string> rangeValues(const StudyRange& range);

// The same texts one at a time, for a range too long to be held whole; the range is checked
// (StudyError) when made.
class RangeTexts {
public:
    explicit RangeTexts(const StudyRange& range);
    std::size_t size() const { return count_; }
    std::string operator[](std::size_t index) const;

private:
    StudyRange range_;
    double step_ = 0;  // a linear range's signed step, a logarithmic one's factor
    std::size_t count_ = 0;
};

// One varied input and the texts it takes, in order.
struct StudyVariable {
    std::string control;  // a text field the engineer can type into, not a verdict: "Text5"
    std::vector<std::string> values;
    // Instead of `values`: the range the texts are taken from as the points need them, so that
    // a study of millions of points holds none of them (the runner's sweep).
    std::optional<StudyRange> range = std::nullopt;
};

struct StudyRequest {
    // One or two inputs. With two, the points form a grid: the second varies slowest, so a plot
    // draws one curve of the first input per value of the second.
    std::vector<StudyVariable> vary;
    std::vector<std::string> results;  // fields or labels read after the run, verdicts included
    // The buttons each point presses, in order. Empty: the steps the window's calculation shown
    // was made with (a step pressed again at once counts once), else the steps of a two-step
    // window in order, else the window's run button (a window whose run buttons are
    // alternatives, such as 向右转换 and 向左转换, presses its first).
    std::vector<std::string> presses;
};

// One point: the varied texts, the results as displayed, and the failure when the run failed
// (its results are then empty: a gap in a curve, the cause in the table). A result or verdict
// field the point's run did not write is empty, not what the start showed.
struct StudyPoint {
    std::vector<std::string> inputs;   // in the order of `vary`
    std::vector<std::string> results;  // in the order of `results`; empty when failed
    std::optional<std::string> failure;  // in the engineer's words: 计算中止：「…」不是有效数字
};

// A column heading from the field's meaning: symbol, name and unit.
struct StudyColumn {
    std::string control;
    std::string symbol;
    std::string name;
    std::string unit;
    bool verdict = false;  // a text column (合格/不合格), not a number to plot
    int decimals = -1;     // a result's precision in tables and files: its meaning's; -1: as shown
};

struct StudyOptions {
    int jobs = 0;  // threads; 0: every core, fewer for a short study
    // Called once per point in the order of the table (the same for any number of jobs), so a
    // caller can write rows as they come and keep no table.
    std::function<void(std::size_t index, const StudyPoint& point)> onPoint;
    // Points done so far, out of the total; called from the worker threads, often.
    std::function<void(std::size_t done, std::size_t total)> onProgress;
    const std::atomic<bool>* cancel = nullptr;  // set: the study stops soon, points done are kept
};

struct StudyResult {
    std::vector<StudyColumn> inputColumns;
    std::vector<StudyColumn> resultColumns;
    std::vector<StudyPoint> points;  // empty when the options' onPoint took them
    bool cancelled = false;
};

// The column of a varied input or a result, from the field's meaning: known before the study
// runs, so that a table's heading can be written first.
StudyColumn studyColumn(const FormDefinition& definition, const std::string& control);
// The same for the window as it stands: a field whose unit the engineer picks in a list (or a
// run writes into a label) has the unit shown there.
StudyColumn studyColumn(const Form& form, const std::string& control);

// Checks the request against the window before anything runs (throws StudyError).
void checkStudy(const FormDefinition& definition, const StudyRequest& request);

// Runs the study from the window's current texts and choices. The window is read once, on the
// calling thread, before the first point runs; the points run on windows of their own.
StudyResult runStudy(const CalcForm& start, const StudyRequest& request, const StudyOptions& options = {});

}  // namespace pylora
