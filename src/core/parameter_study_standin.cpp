// A plain, one-thread stand-in for the parameter study engine, so that the desktop program can
// be built and tried while the engine proper is made; it follows parameter_study.h. Every point
// is a copy of the window as the study began, the varied texts typed, the steps pressed.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/parameter_study.h"

namespace pylora {
namespace {

constexpr std::size_t kMostPoints = 1'000'000;

std::string shortestText(double value) {
    // Twelve significant digits hide the binary noise of a sum of steps (0.1 * 3).
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 12);
    if (error != std::errc{}) return "0";
    std::string text(buffer, end);
    if (const auto e = text.find('e'); e == std::string::npos) return text;
    // Fall back to the shortest round trip for very large or small values.
    const auto [end2, error2] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error2 == std::errc{} ? std::string(buffer, end2) : text;
}

bool isEditableInput(const FormDefinition& definition, const std::string& name) {
    const ControlDef* control = definition.findControl(name);
    return control && control->kind == ControlKind::TextField && !control->readOnly &&
           definition.roleOf(*control) == FieldRole::Input;
}

StudyColumn columnOf(const FormDefinition& definition, const std::string& name) {
    StudyColumn column{name, name, controlCaption(definition, name), {}, false};
    if (const Meaning* meaning = definition.meaningOf(name)) {
        if (!meaning->symbol.empty()) column.symbol = meaning->symbol;
        if (!meaning->name.empty()) column.name = meaning->name;
        column.unit = meaning->unit;
    }
    if (const ControlDef* control = definition.findControl(name))
        column.verdict = definition.roleOf(*control) == FieldRole::Verdict;
    return column;
}

std::vector<std::string> stepsToPress(const CalcForm& start, const StudyRequest& request) {
    if (!request.presses.empty()) return request.presses;
    if (!start.trail().steps.empty()) return start.trail().steps;
    std::vector<std::string> runs;
    for (const ControlDef& control : start.definition().controls())
        if (control.kind == ControlKind::Button && control.action == ButtonAction::Run) runs.push_back(control.name);
    return runs;
}

}  // namespace

std::vector<std::string> rangeValues(const StudyRange& range) {
    if (!std::isfinite(range.from) || !std::isfinite(range.to) || !std::isfinite(range.step))
        throw StudyError("范围的起点、终点和步长须为有效数字");
    if (range.logarithmic && (range.from <= 0) != (range.to <= 0))
        throw StudyError("对数分布的起点和终点须同号");
    if (range.logarithmic && (range.from == 0 || range.to == 0)) throw StudyError("对数分布的起点和终点不能为零");
    std::vector<double> values;
    if (range.points > 0) {
        if (range.points == 1) return {shortestText(range.from)};
        for (int i = 0; i < range.points; ++i) {
            const double t = double(i) / (range.points - 1);
            values.push_back(range.logarithmic ? range.from * std::pow(range.to / range.from, t)
                                               : range.from + (range.to - range.from) * t);
        }
    } else {
        if (range.step == 0) throw StudyError("请给出步长或点数");
        if (range.logarithmic) throw StudyError("对数分布请给出点数");
        const double span = range.to - range.from;
        if (span != 0 && (span > 0) != (range.step > 0)) throw StudyError("步长的方向与范围相反");
        const double count = std::floor(span / range.step + 1e-6);
        if (count + 1 > double(kMostPoints)) throw StudyError("点数过多");
        for (int i = 0; i <= int(count); ++i) values.push_back(range.from + i * range.step);
    }
    if (values.size() > kMostPoints) throw StudyError("点数过多");
    std::vector<std::string> texts;
    for (double v : values) texts.push_back(shortestText(v));
    return texts;
}

void checkStudy(const FormDefinition& definition, const StudyRequest& request) {
    if (request.vary.empty() || request.vary.size() > 2) throw StudyError("请选择一个或两个变化的输入参数");
    std::size_t points = 1;
    for (const StudyVariable& variable : request.vary) {
        if (!isEditableInput(definition, variable.control))
            throw StudyError("「" + controlCaption(definition, variable.control) + "」不是可输入的参数");
        if (variable.values.empty())
            throw StudyError("「" + controlCaption(definition, variable.control) + "」没有取值");
        points *= variable.values.size();
        if (points > kMostPoints) throw StudyError("点数过多");
    }
    if (request.vary.size() == 2 && request.vary[0].control == request.vary[1].control)
        throw StudyError("两个变化的参数不能是同一个");
    if (request.results.empty()) throw StudyError("请选择至少一个计算结果");
    for (const std::string& result : request.results)
        if (!definition.findControl(result)) throw StudyError("窗口中没有「" + result + "」");
}

StudyResult runStudy(const CalcForm& start, const StudyRequest& request, const StudyOptions& options) {
    const FormDefinition& definition = start.definition();
    checkStudy(definition, request);
    StudyResult result;
    for (const StudyVariable& variable : request.vary) result.inputColumns.push_back(columnOf(definition, variable.control));
    for (const std::string& name : request.results) result.resultColumns.push_back(columnOf(definition, name));
    const std::vector<std::string> presses = stepsToPress(start, request);

    const std::size_t first = request.vary[0].values.size();
    const std::size_t second = request.vary.size() > 1 ? request.vary[1].values.size() : 1;
    const std::size_t total = first * second;
    for (std::size_t index = 0; index < total; ++index) {
        if (options.cancel && options.cancel->load()) {
            result.cancelled = true;
            break;
        }
        CalcForm window = start;
        StudyPoint point;
        point.inputs.push_back(request.vary[0].values[index % first]);
        if (request.vary.size() > 1) point.inputs.push_back(request.vary[1].values[index / first]);
        for (std::size_t v = 0; v < request.vary.size(); ++v) window.form().type(request.vary[v].control, point.inputs[v]);
        for (const std::string& button : presses) {
            if (auto failure = window.press(button)) {
                point.failure = failureMessage(*failure, definition);
                break;
            }
        }
        if (!point.failure)
            for (const std::string& name : request.results) point.results.push_back(window.form().text(name));
        if (options.onPoint)
            options.onPoint(index, point);
        else
            result.points.push_back(std::move(point));
        if (options.onProgress) options.onProgress(index + 1, total);
    }
    return result;
}

}  // namespace pylora
