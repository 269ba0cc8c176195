#include "studies/parameter_study.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <condition_variable>
#include <exception>
#include <map>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <utility>

#include "model/decimal_text.h"
#include "model/decimal_value.h"
#include "model/field_role.h"
#include "model/text.h"

namespace pylora {
namespace {

constexpr std::size_t kMostPoints = 10'000'000;
constexpr std::size_t kPointsPerThread = 256;  // the fewest worth a thread of their own

// The shortest text that reads back as the value, in plain decimals where an engineer writes
// them so (0.0001 up to 10^15), else with an exponent.
std::string shortestText(double value) {
    if (value == 0) return "0";  // never "-0"
    char buffer[64];
    const double size = std::fabs(value);
    const bool plain = size >= 1e-4 && size < 1e15;
#if defined(__cpp_lib_to_chars)
    const auto format = plain ? std::chars_format::fixed : std::chars_format::scientific;
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, format);
    return error == std::errc() ? std::string(buffer, end) : std::to_string(value);
#else
    // A standard library without to_chars for doubles (the browser build's): the fewest digits
    // that read back as the value, written the same way. A plain value to 15 significant digits,
    // its trailing zeros dropped, is that text whenever it reads back, as no two texts of 15
    // significant digits or fewer read as the same double; else the digits are counted up.
    if (plain) {
        const int decimals = std::max(0, 14 - static_cast<int>(std::floor(std::log10(size))));
        printFixed(buffer, sizeof buffer, decimals, value);
        std::string text = buffer;
        if (text.find('.') != std::string::npos) {
            text.erase(text.find_last_not_of('0') + 1);
            if (text.back() == '.') text.pop_back();
        }
        const std::size_t first = text.find_first_of("123456789");
        const auto significant = first == std::string::npos ? 0 : std::count_if(text.begin() + first, text.end(),
                                                                                 [](char c) { return c >= '0' && c <= '9'; });
        if (significant <= 15 && decimalValue(text.c_str()) == value) return text;
    }
    for (int digits = 0; digits < 40; ++digits) {
        (plain ? printFixed : printExponent)(buffer, sizeof buffer, digits, value);
        if (decimalValue(buffer) == value) break;
    }
    return buffer;
#endif
}

// A value of a linear range cut to 15 significant digits of the range's largest end, so that
// the rounding of from + i·step does not show (0.30000000000000004 -> 0.3, 5.6E-17 -> 0).
double roundToRange(double value, double scale) {
    if (scale == 0 || value == 0) return value;
    const int decimals = std::clamp(14 - static_cast<int>(std::floor(std::log10(scale))), 0, 340);
    char buffer[400];
    printFixed(buffer, sizeof buffer, decimals, value);
    const double rounded = decimalValue(buffer);
    return rounded == 0 ? 0.0 : rounded;
}

// A value of a logarithmic range cut to 15 significant digits of its own.
double roundToDigits(double value) {
    char buffer[64];
    printExponent(buffer, sizeof buffer, 14, value);
    return decimalValue(buffer);
}

std::string number(double value) { return shortestText(value); }

void requireFinite(const StudyRange& range) {
    if (!std::isfinite(range.from) || !std::isfinite(range.to) || !std::isfinite(range.step))
        throw StudyError("范围的起点、终点和步长须为有限的数");
}

// How many steps of `step` lie from `from` to `to`, counting a last one the steps reach within a
// millionth of a step.
double stepsWithin(double span, double step) { return std::floor(span / step + 1e-6); }

void requireCount(double count) {
    if (!(count <= static_cast<double>(kMostPoints)))
        throw StudyError("范围的点数超过 " + std::to_string(kMostPoints) + " 个");
}

}  // namespace

RangeTexts::RangeTexts(const StudyRange& range) : range_(range) {
    requireFinite(range);
    if (range.points < 0) throw StudyError("范围的点数须为正数");
    if (range.points == 0 && range.step == 0) throw StudyError("范围须给出步长或点数");
    if (range.logarithmic && (range.from == 0 || range.to == 0 || (range.from < 0) != (range.to < 0)))
        throw StudyError("对数间隔的起点和终点须同号且不为零");
    if (range.points > 0) {
        requireCount(range.points);
        count_ = static_cast<std::size_t>(range.points);
        return;
    }
    if (range.from == range.to && !range.logarithmic) {
        count_ = 1;
        return;
    }
    if (range.logarithmic) {
        if (range.step <= 0 || range.step == 1) throw StudyError("对数间隔的步长是相邻两值之比，须为正数且不等于1");
        // The factor goes from `from` toward `to`, whether given as 10 or as 0.1.
        step_ = (std::fabs(range.to) >= std::fabs(range.from)) == (range.step > 1) ? range.step : 1 / range.step;
        const double steps = stepsWithin(std::log(range.to / range.from), std::log(step_));
        requireCount(steps + 1);
        count_ = static_cast<std::size_t>(steps) + 1;
        return;
    }
    // The step goes from `from` toward `to`, whichever sign it was given.
    step_ = range.to >= range.from ? std::fabs(range.step) : -std::fabs(range.step);
    const double steps = stepsWithin(range.to - range.from, step_);
    requireCount(steps + 1);
    count_ = static_cast<std::size_t>(steps) + 1;
}

std::string RangeTexts::operator[](std::size_t index) const {
    const StudyRange& r = range_;
    const bool last = index + 1 == count_ && index > 0;
    const double i = static_cast<double>(index);
    const double scale = std::max(std::fabs(r.from), std::fabs(r.to));
    if (r.points > 0) {
        const double parts = static_cast<double>(std::max<std::size_t>(count_ - 1, 1));
        if (last) return number(r.to);
        if (r.logarithmic) return number(roundToDigits(r.from * std::pow(r.to / r.from, i / parts)));
        return number(roundToRange(r.from + (r.to - r.from) * i / parts, scale));
    }
    if (count_ == 1) return number(r.from);
    if (r.logarithmic) {
        double value = r.from * std::pow(step_, i);
        if (last && std::fabs(std::log(value / r.to)) <= 1e-6 * std::fabs(std::log(step_))) value = r.to;
        return number(roundToDigits(value));
    }
    double value = r.from + step_ * i;
    if (last && std::fabs(value - r.to) <= 1e-6 * std::fabs(step_)) value = r.to;
    return number(roundToRange(value, std::max(scale, std::fabs(step_))));
}

std::vector<std::string> rangeValues(const StudyRange& range) {
    const RangeTexts texts(range);
    std::vector<std::string> values;
    values.reserve(texts.size());
    for (std::size_t i = 0; i < texts.size(); ++i) values.push_back(texts[i]);
    return values;
}

namespace {

std::string named(const FormDefinition& definition, const std::string& control) {
    const std::string caption = controlCaption(definition, control);
    return caption == control ? control : control + "「" + caption + "」";
}

const ControlDef& requireControl(const FormDefinition& definition, const std::string& control) {
    const ControlDef* found = definition.findControl(control);
    if (!found) throw StudyError(definition.formName() + " 没有控件 " + control);
    return *found;
}

}  // namespace

void checkStudy(const FormDefinition& definition, const StudyRequest& request) {
    if (request.vary.empty() || request.vary.size() > 2) throw StudyError("参数分析须改变一个或两个输入数据");
    if (request.results.empty()) throw StudyError("请选择至少一个计算结果");
    std::size_t points = 1;
    for (const StudyVariable& variable : request.vary) {
        const ControlDef& control = requireControl(definition, variable.control);
        if (control.kind != ControlKind::TextField || !control.visible || control.readOnly)
            throw StudyError(named(definition, variable.control) + " 不是可以输入的数据框");
        // A field the run writes would overwrite the value the study sets.
        const FieldRole role = definition.roleOf(control);
        if (role == FieldRole::Verdict)
            throw StudyError(named(definition, variable.control) + " 是计算写出的结论，不是输入数据");
        if (role == FieldRole::Result || role == FieldRole::Working)
            throw StudyError(named(definition, variable.control) + " 是计算写出的结果，不是输入数据");
        const std::size_t count = variable.range ? RangeTexts(*variable.range).size() : variable.values.size();
        if (count == 0) throw StudyError(named(definition, variable.control) + " 没有取值");
        points *= count;
        if (points > kMostPoints) throw StudyError("参数分析的点数超过 " + std::to_string(kMostPoints) + " 个");
    }
    if (request.vary.size() == 2 && request.vary[0].control == request.vary[1].control)
        throw StudyError(named(definition, request.vary[0].control) + " 不能同时作为两个变化参数");
    for (const std::string& result : request.results) {
        const ControlDef& control = requireControl(definition, result);
        if (control.kind != ControlKind::TextField && control.kind != ControlKind::Label)
            throw StudyError(named(definition, result) + " 不是显示计算结果的数据框或标签");
    }
    for (const std::string& press : request.presses) {
        const ControlDef& control = requireControl(definition, press);
        if (control.kind != ControlKind::Button || !definition.handler(press))
            throw StudyError(named(definition, press) + " 不是计算按钮");
    }
}

namespace {

}  // namespace

StudyColumn studyColumn(const FormDefinition& definition, const std::string& control) {
    StudyColumn column{control, {}, controlCaption(definition, control), {}, false};
    if (const Meaning* meaning = definition.meaningOf(control)) {
        column.symbol = meaning->symbol;
        if (!meaning->name.empty()) column.name = meaning->name;
        column.unit = meaning->unit;
        column.decimals = meaning->decimals;
    }
    if (const ControlDef* c = definition.findControl(control)) column.verdict = definition.roleOf(*c) == FieldRole::Verdict;
    return column;
}

StudyColumn studyColumn(const Form& form, const std::string& control) {
    StudyColumn column = studyColumn(form.definition(), control);
    const Meaning* meaning = form.definition().meaningOf(control);
    if (!meaning || meaning->unitList.empty() || !form.has(meaning->unitList)) return column;
    if (form.control(meaning->unitList).kind != ControlKind::ListBox) {
        column.unit = trimmedString(form.text(meaning->unitList));
    } else if (const auto item = form.selectedItem(meaning->unitList)) {
        column.unit = *item;
    }
    return column;
}

namespace {

// The buttons a point presses when the request names none: the steps of the calculation shown,
// else the window's steps in order (two-step windows), else its run button.
std::vector<std::string> pressesOf(const CalcForm& start, const StudyRequest& request) {
    if (!request.presses.empty()) return request.presses;
    if (!start.trail().steps.empty()) {
        // A step pressed again with nothing changed made the same calculation.
        std::vector<std::string> steps = start.trail().steps;
        steps.erase(std::unique(steps.begin(), steps.end()), steps.end());
        return steps;
    }
    const FormDefinition& definition = start.definition();
    std::vector<std::string> presses;
    if (definition.hasSuccessiveSteps()) {
        for (const ControlDef& control : definition.controls())
            if (control.kind == ControlKind::Button && control.action == ButtonAction::Run) presses.push_back(control.name);
    } else if (!definition.defaultRunButton().empty()) {
        presses.push_back(definition.defaultRunButton());
    }
    if (presses.empty()) throw StudyError(definition.formName() + " 没有计算按钮");
    return presses;
}

// The window as the study began, taken once by the calling thread: the workers never read the
// engineer's window, which may change while they run.
struct StudyStart {
    StudyStart(const CalcForm& window, const StudyRequest& request)
        : definition(&window.definition()),
          services(window.services()),
          controls(window.form().controls()),
          sketches(window.form().sketches()),
          presses(pressesOf(window, request)) {}

    const FormDefinition* definition;
    Services services;
    std::vector<ControlState> controls;
    std::unordered_map<std::string, Sketch> sketches;
    std::vector<std::string> presses;
};

// One worker's window: the start's state is put back before each point, only where the last
// run changed it (texts, colours, visibility, choices, sketches).
class PointRunner {
public:
    PointRunner(const StudyStart& start, const StudyRequest& request)
        : window_(*start.definition, start.services),
          start_(start.controls),
          sketches_(start.sketches),
          request_(request),
          presses_(start.presses) {
        restore();
        for (const StudyVariable& variable : request.vary)
            ranges_.push_back(variable.range ? std::optional<RangeTexts>(*variable.range) : std::nullopt);
        for (const std::string& result : request.results) {
            const ControlDef* c = start.definition->findControl(result);
            const FieldRole role = roleIn(window_.form(), *c);  // the unknown of the options the study starts from
            resultsWritten_.push_back(role == FieldRole::Result || role == FieldRole::Verdict);
        }
    }

    // The point at `index` of the table: the first input varies fastest.
    StudyPoint run(std::size_t index) {
        StudyPoint point;
        Form& form = window_.form();
        for (std::size_t v = 0; v < request_.vary.size(); ++v) {
            const StudyVariable& variable = request_.vary[v];
            const std::size_t count = ranges_[v] ? ranges_[v]->size() : variable.values.size();
            std::string text = ranges_[v] ? (*ranges_[v])[index % count] : variable.values[index % count];
            index /= count;
            form.type(variable.control, text);
            point.inputs.push_back(std::move(text));
        }
        written_.clear();
        for (const std::string& button : presses_) {
            const std::optional<RunFailure> failure = window_.press(button);
            for (const std::string& name : form.written())
                if (std::find(written_.begin(), written_.end(), name) == written_.end()) written_.push_back(name);
            if (failure) {
                point.failure = failureMessage(*failure, window_.definition());
                break;
            }
        }
        if (!point.failure) {
            point.results.reserve(request_.results.size());
            for (std::size_t r = 0; r < request_.results.size(); ++r) {
                const std::string& name = request_.results[r];
                // A result this run did not write would be the start's: the run left it blank.
                const bool shown = !resultsWritten_[r] ||
                                   std::find(written_.begin(), written_.end(), name) != written_.end();
                point.results.push_back(shown ? form.text(name) : std::string());
            }
        }
        restore();
        return point;
    }

private:
    void restore() {
        Form& form = window_.form();
        const auto& now = form.controls();
        for (std::size_t i = 0; i < start_.size(); ++i) {
            const ControlState& was = start_[i];
            const ControlState& is = now[i];
            if (is.text != was.text) form.type(was.name, was.text);
            if (is.background != was.background) form.setBackground(was.name, was.background);
            if (is.foreground != was.foreground) form.setForeground(was.name, was.foreground);
            if (is.visible != was.visible) form.setVisible(was.name, was.visible);
            if (is.selectedIndex != was.selectedIndex) form.setSelectedIndex(was.name, was.selectedIndex);
        }
        // Options last: selecting one clears the rest of its group.
        for (std::size_t i = 0; i < start_.size(); ++i)
            if (now[i].checked != start_[i].checked) form.setChecked(start_[i].name, start_[i].checked);
        for (const auto& [name, sketch] : sketches_) form.sketch(name) = sketch;
    }

    CalcForm window_;
    std::vector<ControlState> start_;
    std::unordered_map<std::string, Sketch> sketches_;
    const StudyRequest& request_;
    std::vector<std::string> presses_;
    std::vector<std::optional<RangeTexts>> ranges_;
    std::vector<bool> resultsWritten_;
    std::vector<std::string> written_;
};

std::size_t pointCount(const StudyRequest& request) {
    std::size_t count = 1;
    for (const StudyVariable& variable : request.vary)
        count *= variable.range ? RangeTexts(*variable.range).size() : variable.values.size();
    return count;
}

bool cancelled(const StudyOptions& options) { return options.cancel && options.cancel->load(std::memory_order_relaxed); }

// The points in chunks over several threads; the calling thread hands them on in table order.
// Workers run at most a few chunks ahead of the one due, so memory does not grow with the study.
#if defined(__cpp_lib_jthread)
using JoiningThread = std::jthread;
#else
// A standard library without jthread (the browser build's): a thread joined when it goes.
class JoiningThread {
public:
    template <typename Work>
    explicit JoiningThread(Work&& work) : thread_(std::forward<Work>(work)) {}
    JoiningThread(JoiningThread&&) = default;
    ~JoiningThread() {
        if (thread_.joinable()) thread_.join();
    }

private:
    std::thread thread_;
};
#endif

class ParallelStudy {
public:
    ParallelStudy(const StudyStart& start, const StudyRequest& request, const StudyOptions& options, std::size_t total,
                  int jobs)
        : start_(start), request_(request), options_(options), total_(total),
          chunkSize_(std::clamp<std::size_t>(total / (static_cast<std::size_t>(jobs) * 16), 1, 256)),
          chunks_((total + chunkSize_ - 1) / chunkSize_),
          ahead_(4 * static_cast<std::size_t>(jobs)),
          jobs_(jobs) {}

    // Calls `deliver` for each point in order; true when every point was delivered.
    bool run(const std::function<void(std::size_t, const StudyPoint&)>& deliver) {
        std::vector<JoiningThread> workers;
        workers.reserve(static_cast<std::size_t>(jobs_));
        for (int j = 0; j < jobs_; ++j) workers.emplace_back([this] { work(); });
        std::size_t delivered = 0;
        bool complete = true;
        try {
            for (std::size_t chunk = 0; chunk < chunks_; ++chunk) {
                std::vector<StudyPoint> points;
                {
                    std::unique_lock lock(mutex_);
                    ready_.wait(lock, [&] { return ready(chunk) || (running_ == 0 && !ready(chunk)); });
                    if (!ready(chunk)) {
                        complete = false;
                        break;
                    }
                    points = std::move(done_[chunk]);
                    done_.erase(chunk);
                    due_ = chunk + 1;
                }
                room_.notify_all();
                for (const StudyPoint& point : points) deliver(delivered++, point);
                if (points.size() < pointsIn(chunk)) {
                    complete = false;
                    break;
                }
            }
        } catch (...) {
            stop();
            workers.clear();
            throw;
        }
        stop();
        workers.clear();  // joins them
        if (error_) std::rethrow_exception(error_);
        return complete;
    }

private:
    std::size_t pointsIn(std::size_t chunk) const { return std::min(chunkSize_, total_ - chunk * chunkSize_); }
    bool ready(std::size_t chunk) const { return done_.count(chunk) != 0; }

    void stop() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        room_.notify_all();
    }

    void work() {
        try {
            PointRunner runner(start_, request_);
            while (true) {
                const std::size_t chunk = next_.fetch_add(1);
                if (chunk >= chunks_) break;
                {
                    std::unique_lock lock(mutex_);
                    room_.wait(lock, [&] { return stopping_ || chunk < due_ + ahead_; });
                    if (stopping_) break;
                }
                std::vector<StudyPoint> points;
                points.reserve(pointsIn(chunk));
                for (std::size_t i = 0; i < pointsIn(chunk) && !cancelled(options_) && !stopping_; ++i)
                    points.push_back(runner.run(chunk * chunkSize_ + i));
                const std::size_t count = points.size();
                {
                    std::lock_guard lock(mutex_);
                    done_[chunk] = std::move(points);
                }
                ready_.notify_all();
                if (options_.onProgress) options_.onProgress(doneCount_ += count, total_);
                if (count < pointsIn(chunk)) break;
            }
        } catch (...) {
            // The chunk this worker held never comes: the others stop too.
            std::lock_guard lock(mutex_);
            if (!error_) error_ = std::current_exception();
            stopping_ = true;
        }
        room_.notify_all();
        {
            std::lock_guard lock(mutex_);
            --running_;
        }
        ready_.notify_all();
    }

    const StudyStart& start_;
    const StudyRequest& request_;
    const StudyOptions& options_;
    const std::size_t total_;
    const std::size_t chunkSize_;
    const std::size_t chunks_;
    const std::size_t ahead_;
    const int jobs_;

    std::atomic<std::size_t> next_{0};
    std::atomic<std::size_t> doneCount_{0};
    std::mutex mutex_;
    std::condition_variable ready_;  // a chunk is done, or a worker ended
    std::condition_variable room_;   // the chunk due moved on: workers may run further ahead
    std::map<std::size_t, std::vector<StudyPoint>> done_;
    std::size_t due_ = 0;
    int running_ = jobs_;
    std::atomic<bool> stopping_ = false;  // read between points without the lock
    std::exception_ptr error_;
};

}  // namespace

StudyResult runStudy(const CalcForm& start, const StudyRequest& request, const StudyOptions& options) {
    const FormDefinition& definition = start.definition();
    checkStudy(definition, request);
    const StudyStart begun(start, request);

    StudyResult result;
    for (const StudyVariable& variable : request.vary) result.inputColumns.push_back(studyColumn(start.form(), variable.control));
    for (const std::string& control : request.results) result.resultColumns.push_back(studyColumn(start.form(), control));

    const std::size_t total = pointCount(request);
    auto deliver = [&](std::size_t index, const StudyPoint& point) {
        if (options.onPoint) {
            options.onPoint(index, point);
        } else {
            result.points.push_back(point);
        }
    };
    if (!options.onPoint) result.points.reserve(total);

    // Left to choose, a short study stays on the calling thread: starting threads and their
    // windows would cost more than its points.
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t chosen = options.jobs > 0 ? static_cast<std::size_t>(options.jobs)
                                                : std::min(cores, std::max<std::size_t>(1, total / kPointsPerThread));
    const int jobs = static_cast<int>(std::min(chosen, total));
    if (jobs <= 1) {
        PointRunner runner(begun, request);
        for (std::size_t i = 0; i < total; ++i) {
            if (cancelled(options)) {
                result.cancelled = true;
                break;
            }
            deliver(i, runner.run(i));
            if (options.onProgress) options.onProgress(i + 1, total);
        }
        return result;
    }
    ParallelStudy study(begun, request, options, total, jobs);
    result.cancelled = !study.run(deliver);
    return result;
}

}  // namespace pylora
