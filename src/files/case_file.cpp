#include "files/case_file.h"

#include "files/atomic_file.h"
#include "files/document_file.h"
#include "files/document_json.h"

#include <algorithm>
#include <nlohmann/json.hpp>


#include "model/text.h"
#include "model/version.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

using Json = nlohmann::ordered_json;

// Case files hold one window: anything far larger is not one of ours.
constexpr std::uintmax_t kLargestCase = 64u << 20;
// A window's calculation is a few presses of its run buttons; replaying far more is no case of ours.
constexpr std::size_t kMostSteps = 1000;

// The fault in a file's content, at the member where it lies ("inputs.Text5").
struct Fault {
    std::string text;
};

const Json& member(const Json& object, const char* key, const std::string& where = {}) {
    const auto it = object.find(key);
    if (it == object.end()) throw Fault{"缺少「" + where + key + "」"};
    return *it;
}

const Json& typed(const Json& value, Json::value_t type, const std::string& where, const char* expected) {
    const bool ok = type == Json::value_t::number_integer
                        ? value.is_number_integer()
                        : value.type() == type;
    if (!ok) throw Fault{"「" + where + "」应为" + expected};
    return value;
}

std::string text(const Json& value, const std::string& where) {
    return typed(value, Json::value_t::string, where, "文本").get<std::string>();
}

std::vector<std::string> texts(const Json& value, const std::string& where) {
    std::vector<std::string> list;
    for (const Json& element : typed(value, Json::value_t::array, where, "文本的列表"))
        list.push_back(text(element, where + "[" + std::to_string(list.size()) + "]"));
    return list;
}

const ControlDef& controlOf(const FormDefinition& def, const std::string& name, const std::string& where) {
    const ControlDef* control = def.findControl(name);
    if (!control) throw Fault{"「" + where + "」：计算窗口「" + def.formName() + "」中没有控件 " + name};
    return *control;
}

bool typeable(const ControlDef& control) { return control.kind == ControlKind::TextField && !control.readOnly; }

std::vector<std::pair<std::string, std::string>> parseInputs(const Json& inputs, const FormDefinition& def) {
    std::vector<std::pair<std::string, std::string>> result;
    for (const auto& [name, value] : typed(inputs, Json::value_t::object, "inputs", "对象").items()) {
        const std::string where = "inputs." + name;
        if (!typeable(controlOf(def, name, where))) throw Fault{"「" + where + "」不是可输入的文本框"};
        result.emplace_back(name, text(value, where));
    }
    return result;
}

std::vector<CaseChoice> parseChoices(const Json& choices, const FormDefinition& def) {
    std::vector<CaseChoice> result;
    for (const auto& [name, value] : typed(choices, Json::value_t::object, "choices", "对象").items()) {
        const std::string where = "choices." + name;
        const ControlDef& control = controlOf(def, name, where);
        CaseChoice choice{name, false, std::nullopt};
        if (control.kind == ControlKind::OptionButton || control.kind == ControlKind::CheckBox) {
            choice.checked = typed(value, Json::value_t::boolean, where, "true 或 false").get<bool>();
        } else if (control.kind == ControlKind::ListBox) {
            if (!value.is_null()) {
                choice.item = text(value, where);
                if (std::find(control.items.begin(), control.items.end(), *choice.item) == control.items.end())
                    throw Fault{"「" + where + "」：列表中没有「" + *choice.item + "」"};
            }
        } else {
            throw Fault{"「" + where + "」不是选项、复选框或列表"};
        }
        result.push_back(std::move(choice));
    }
    return result;
}

std::vector<std::string> parseSteps(const Json& steps, const FormDefinition& def) {
    if (steps.is_array() && steps.size() > kMostSteps)
        throw Fault{"「steps」有 " + std::to_string(steps.size()) + " 步，多于 " + std::to_string(kMostSteps) + " 步"};
    std::vector<std::string> result = texts(steps, "steps");
    for (std::size_t i = 0; i < result.size(); ++i) {
        const std::string where = "steps[" + std::to_string(i) + "]";
        controlOf(def, result[i], where);
        if (!def.handler(result[i])) throw Fault{"「" + where + "」：" + result[i] + " 不是计算按钮"};
    }
    return result;
}

std::vector<DataFileRead> parseDataFiles(const Json& files) {
    std::vector<DataFileRead> result;
    for (const Json& file : typed(files, Json::value_t::array, "data_files", "列表")) {
        const std::string where = "data_files[" + std::to_string(result.size()) + "]";
        typed(file, Json::value_t::object, where, "对象");
        DataFileRead read;
        read.caption = text(member(file, "caption", where + "."), where + ".caption");
        read.path = text(member(file, "path", where + "."), where + ".path");
        read.sample = typed(member(file, "sample", where + "."), Json::value_t::boolean, where + ".sample",
                            "true 或 false").get<bool>();
        read.columns = texts(member(file, "columns", where + "."), where + ".columns");
        const Json& records = typed(member(file, "records", where + "."), Json::value_t::array, where + ".records", "列表");
        for (const Json& record : records) {
            const std::string at = where + ".records[" + std::to_string(read.records.size()) + "]";
            read.records.push_back(texts(record, at));
            if (read.records.back().size() != read.columns.size())
                throw Fault{"「" + at + "」应有 " + std::to_string(read.columns.size()) + " 个数值"};
        }
        result.push_back(std::move(read));
    }
    return result;
}

std::vector<std::pair<std::string, std::string>> parseResults(const Json& results, const FormDefinition& def) {
    std::vector<std::pair<std::string, std::string>> result;
    for (const auto& [name, value] : typed(results, Json::value_t::object, "results", "对象").items()) {
        controlOf(def, name, "results." + name);
        result.emplace_back(name, text(value, "results." + name));
    }
    return result;
}

CaseFile parseContent(const Json& json) {
    if (!json.is_object() || !json.contains("format") || json["format"] != kCaseFormat)
        throw Fault{"不是 Pylora 计算文件"};
    CaseFile file;
    const Json& version = typed(member(json, "format_version"), Json::value_t::number_integer, "format_version", "整数");
    if (version.get<long long>() < 1) throw Fault{"格式版本 " + version.dump() + " 无效"};
    if (version.get<long long>() > kCaseFormatVersion)
        throw Fault{"格式版本 " + version.dump() + " 比本程序能读的版本 " + std::to_string(kCaseFormatVersion) +
                    " 新，请用新版程序打开"};
    file.formatVersion = version.get<int>();
    if (json.contains("program_version")) file.programVersion = text(json["program_version"], "program_version");
    file.formName = text(member(json, "form"), "form");
    const FormDefinition* def = findWindow(file.formName);
    if (!def) throw Fault{"本程序没有计算窗口「" + file.formName + "」"};
    file.inputs = parseInputs(member(json, "inputs"), *def);
    file.choices = parseChoices(member(json, "choices"), *def);
    file.steps = parseSteps(member(json, "steps"), *def);
    if (json.contains("data_files")) file.dataFiles = parseDataFiles(json["data_files"]);
    if (json.contains("results")) file.results = parseResults(json["results"], *def);
    if (json.contains("failure") && !json["failure"].is_null()) file.failure = text(json["failure"], "failure");
    if (json.contains("case_file")) file.caseFile = text(json["case_file"], "case_file");
    return file;
}

// The start of the calculation shown: its first run's texts and choices while they are still
// what the window shows, else what it shows now.
std::vector<std::tuple<std::string, bool, int>> startOf(const CalcForm& window) {
    const bool current = window.record().ran && !window.changedSinceRun();
    if (current && window.trail().start.size() == window.form().controls().size()) return window.trail().start;
    std::vector<std::tuple<std::string, bool, int>> now;
    for (const ControlState& c : window.form().controls()) now.emplace_back(c.text, c.checked, c.selectedIndex);
    return now;
}

}  // namespace

CaseFileError::CaseFileError(const std::filesystem::path& file, const std::string& fault)
    : std::runtime_error("计算文件 " + pathText(file) + "：" + fault), fault_(fault) {}

CaseFile captureCase(const CalcForm& window) {
    const Form& form = window.form();
    const FormDefinition& def = window.definition();
    CaseFile file;
    file.programVersion = kProgramVersion;
    file.formName = def.formName();
    const auto start = startOf(window);
    for (std::size_t i = 0; i < form.controls().size(); ++i) {
        const ControlState& state = form.controls()[i];
        const ControlDef* control = def.findControl(state.name);
        if (!control) continue;
        const auto& [text, checked, selected] = start[i];
        if (typeable(*control)) {
            file.inputs.emplace_back(state.name, text);
        } else if (state.kind == ControlKind::OptionButton || state.kind == ControlKind::CheckBox) {
            file.choices.push_back({state.name, checked, std::nullopt});
        } else if (state.kind == ControlKind::ListBox) {
            std::optional<std::string> item;
            if (selected >= 0 && selected < static_cast<int>(state.items.size())) item = state.items[selected];
            file.choices.push_back({state.name, false, item});
        }
    }
    if (!window.record().ran || window.changedSinceRun()) return file;
    file.steps = window.trail().steps;
    file.dataFiles = window.trail().dataFiles;
    if (window.record().failure) {
        file.failure = failureMessage(*window.record().failure, def);
    } else {
        for (const std::string& name : window.record().results) file.results.emplace_back(name, form.text(name));
    }
    return file;
}

std::string caseText(const CaseFile& file) {
    Json inputs = Json::object(), choices = Json::object(), results = Json::object();
    for (const auto& [name, text] : file.inputs) inputs[name] = text;
    for (const CaseChoice& c : file.choices) {
        const ControlDef* control = findWindow(file.formName) ? findWindow(file.formName)->findControl(c.control) : nullptr;
        if (control && control->kind == ControlKind::ListBox) {
            choices[c.control] = c.item ? Json(*c.item) : Json(nullptr);
        } else {
            choices[c.control] = c.checked;
        }
    }
    for (const auto& [name, text] : file.results) results[name] = text;
    Json dataFiles = Json::array();
    for (const DataFileRead& f : file.dataFiles)
        dataFiles.push_back({{"caption", f.caption}, {"path", f.path}, {"sample", f.sample}, {"columns", f.columns},
                             {"records", f.records}});
    Json json{
        {"format", kCaseFormat},
        {"format_version", file.formatVersion},
        {"program_version", file.programVersion},
        {"form", file.formName},
        {"inputs", inputs},
        {"choices", choices},
        {"steps", file.steps},
        {"data_files", dataFiles},
        {"results", results},
        {"failure", file.failure.empty() ? Json(nullptr) : Json(file.failure)},
    };
    if (!file.caseFile.empty()) json["case_file"] = file.caseFile;
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

CaseFile parseCase(std::string_view text, const std::filesystem::path& file) {
    if (text.empty()) throw CaseFileError(file, "文件为空");
    Json json;
    try {
        json = readDocumentJson(text);
    } catch (const DocumentReadFault& fault) {
        throw CaseFileError(file, fault.text);
    }
    try {
        return parseContent(json);
    } catch (const Fault& fault) {
        throw CaseFileError(file, fault.text);
    } catch (const nlohmann::json::exception& e) {
        throw CaseFileError(file, std::string("内容有误（") + e.what() + "）");
    }
}

CaseFile loadCase(const std::filesystem::path& file) {
    std::string contents;
    try {
        contents = readDocumentFile(file, kLargestCase, "文件过大，不是计算文件");
    } catch (const DocumentReadFault& fault) {
        throw CaseFileError(file, fault.text);
    }
    return parseCase(contents, file);
}

void writeFileWhole(const std::filesystem::path& path, std::string_view bytes) {
    if (const auto failure = writeFileAtomically(path, bytes))
        throw CaseFileError(path, "无法写入（" + failure->reasonInWords() + "）");
}

void saveCase(const CaseFile& file, const std::filesystem::path& path) { writeFileWhole(path, caseText(file)); }

CaseGroundData::CaseGroundData(const CaseFile& file, const std::filesystem::path& caseFile) {
    for (const DataFileRead& read : file.dataFiles) {
        if (read.caption != "地面数据文件" || read.records.empty()) continue;
        records_ = read;
        source_ = "计算文件" + (caseFile.empty() ? std::string() : " " + pathText(caseFile)) + " 所存的地面数据";
        return;
    }
}

void CaseGroundData::useIn(CalcForm& window) const {
    if (records_) window.useGroundRecords(*records_, source_);
}

void applyCaseStart(CalcForm& window, const CaseFile& file) {
    Form& form = window.form();
    for (const auto& [name, text] : file.inputs)
        if (form.has(name)) form.type(name, text);
    // Options cleared first, then those selected: each group as saved, whatever the order.
    for (bool selecting : {false, true}) {
        for (const CaseChoice& choice : file.choices) {
            if (!form.has(choice.control)) continue;
            const ControlKind kind = form.control(choice.control).kind;
            if (kind == ControlKind::OptionButton && choice.checked == selecting) {
                form.setChecked(choice.control, selecting);
            } else if (!selecting && kind == ControlKind::CheckBox) {
                form.setChecked(choice.control, choice.checked);
            } else if (!selecting && kind == ControlKind::ListBox) {
                if (!choice.item || !form.choose(choice.control, *choice.item)) form.setSelectedIndex(choice.control, -1);
            }
        }
    }
}

std::vector<std::string> caseDifferences(const CalcForm& window, const CaseFile& file) {
    std::vector<std::string> differences;
    if (file.steps.empty()) return differences;
    const FormDefinition& def = window.definition();
    const std::string failure =
        window.record().failure ? failureMessage(*window.record().failure, def) : std::string();
    if (failure != file.failure) {
        differences.push_back("保存时" + (file.failure.empty() ? std::string("计算完成") : "「" + file.failure + "」") +
                              "，现在" + (failure.empty() ? std::string("计算完成") : "「" + failure + "」"));
        return differences;
    }
    const auto blank = [](const std::string& t) { return t.empty() ? std::string("空") : t; };
    for (const auto& [name, saved] : file.results) {
        const std::string now = window.form().has(name) ? window.form().text(name) : std::string();
        if (now != saved)
            differences.push_back("「" + controlCaption(def, name) + "」保存时为 " + blank(saved) + "，现在为 " + blank(now));
    }
    return differences;
}

std::vector<std::string> replayCase(CalcForm& window, const CaseFile& file, const CaseGroundData& ground) {
    ground.useIn(window);
    applyCaseStart(window, file);
    for (const std::string& step : file.steps)
        if (window.press(step)) break;
    window.noteDifferencesFromCase(caseDifferences(window, file));
    return window.differencesFromCase();
}

}  // namespace pylora
