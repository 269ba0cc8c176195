#pragma once
// The project and signature fields of a 计算书 as options of a runner command: report and book
// take the same seven.
#include <CLI/CLI.hpp>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "cli/help_text.h"
#include "documents/report.h"
#include "files/project_info.h"
#include "model/text.h"

namespace pylora {

// Adds --project-name … --date to `command`, written into `project`; gives each option's name
// with its field, so that the command can check what was given.
inline std::vector<std::pair<const char*, std::string*>> addProjectOptions(CLI::App& command, ProjectInfo& project) {
    const std::vector<std::tuple<const char*, std::string*, const char*>> options = {
        {"--project-name", &project.projectName, help::kProjectName},
        {"--project-number", &project.projectNumber, help::kProjectNumber},
        {"--design-stage", &project.designStage, help::kDesignStage},
        {"--calculated-by", &project.calculatedBy, help::kCalculatedBy},
        {"--checked-by", &project.checkedBy, help::kCheckedBy},
        {"--approved-by", &project.approvedBy, help::kApprovedBy},
        {"--date", &project.date, help::kDate}};
    std::vector<std::pair<const char*, std::string*>> fields;
    for (const auto& [name, field, text] : options) {
        command.add_option(name, *field, text)->type_name("TEXT");
        fields.emplace_back(name, field);
    }
    return fields;
}

// What is wrong with a project field given as `option` (empty: nothing): text that is not UTF-8,
// or longer than a project's name or a title can sensibly be.
inline std::string projectOptionFault(const char* option, const std::string& text) {
    if (!isValidUtf8(text)) return std::string(option) + " is not valid UTF-8";
    if (characterCount(text) > kLongestProjectField)
        return std::string(option) + " is longer than " + std::to_string(kLongestProjectField) + " characters";
    return {};
}

}  // namespace pylora
