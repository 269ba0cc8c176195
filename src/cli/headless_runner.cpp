#include "cli/headless_runner.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>
#include <map>
#include <ostream>

#include "cli/json_output.h"
#include "core/calc_form.h"
#include "core/menu.h"
#include "core/report.h"
#include "core/window_registry.h"

namespace pylora {
namespace {

struct UsageError {
    std::string message;
};

void printMenu(const std::vector<MenuItem>& items, int depth, std::ostream& out) {
    for (const MenuItem& item : items) {
        out << std::string(2 * depth, ' ') << item.name << '\t' << item.caption << '\t' << actionText(item) << '\n';
        printMenu(item.children, depth + 1, out);
    }
}

const FormDefinition& requireWindow(const std::string& formName) {
    const FormDefinition* definition = findWindow(formName);
    if (!definition) throw UsageError{"unknown window: " + formName};
    return *definition;
}

void requireControl(const Form& form, const std::string& name, ControlKind kind, const char* what) {
    if (!form.has(name)) throw UsageError{form.formName() + " has no control " + name};
    if (form.control(name).kind != kind) throw UsageError{name + " is not " + std::string(what)};
}

std::pair<std::string, std::string> splitAssignment(const std::string& text, const char* option) {
    const auto eq = text.find('=');
    if (eq == std::string::npos || eq == 0) throw UsageError{std::string(option) + " takes CONTROL=VALUE: " + text};
    return {text.substr(0, eq), text.substr(eq + 1)};
}

// One setting of the command line, in the order given.
void applySetting(Form& form, const std::string& option, const std::string& value) {
    if (option == "--set") {
        auto [name, text] = splitAssignment(value, "--set");
        if (!form.has(name)) throw UsageError{form.formName() + " has no control " + name};
        form.type(name, text);
    } else if (option == "--select") {
        requireControl(form, value, ControlKind::OptionButton, "an option button");
        form.select(value);
    } else if (option == "--check") {
        auto [name, state] = splitAssignment(value, "--check");
        requireControl(form, name, ControlKind::CheckBox, "a check box");
        if (state != "0" && state != "1") throw UsageError{"--check takes CHECK=0 or CHECK=1: " + value};
        form.setChecked(name, state == "1");
    } else if (option == "--choose") {
        auto [name, item] = splitAssignment(value, "--choose");
        requireControl(form, name, ControlKind::ListBox, "a list box");
        if (!form.choose(name, item)) throw UsageError{name + " has no item " + item};
    }
}

// A window from its default texts, with the settings applied and the buttons pressed in order
// (none: its run button); the first failure ends the presses, as it ends the run.
struct WindowRun {
    std::vector<std::string> written;
    std::optional<RunFailure> failure;
};

// A window without a run button (a sheet of fixed figures) still has a report: its inputs.
WindowRun runWindow(CalcForm& window, const std::vector<std::pair<std::string, std::string>>& settings,
                    std::vector<std::string> presses, bool reportOnly) {
    const FormDefinition& definition = window.definition();
    for (const auto& [option, value] : settings) applySetting(window.form(), option, value);
    if (presses.empty() && !definition.defaultRunButton().empty()) presses.push_back(definition.defaultRunButton());
    if (presses.empty() && !reportOnly) throw UsageError{definition.formName() + " has no run button"};
    for (const std::string& button : presses)
        requireControl(window.form(), button, ControlKind::Button, "a button");

    WindowRun result;
    for (const std::string& button : presses) {
        result.failure = window.press(button);
        for (const std::string& name : window.form().written())
            if (std::find(result.written.begin(), result.written.end(), name) == result.written.end())
                result.written.push_back(name);
        if (result.failure) break;
    }
    return result;
}

void printRun(const CalcForm& window, const WindowRun& run, std::ostream& out) {
    const Sketch* sketch = window.form().findSketch();
    const nlohmann::json result{
        {"form", window.definition().formName()},
        {"controls", controlsJson(window.form())},
        {"written", run.written},
        {"failure", run.failure ? failureJson(*run.failure, window.definition()) : nlohmann::json(nullptr)},
        {"sketch", sketch ? sketchJson(*sketch) : nlohmann::json(nullptr)},
    };
    out << result.dump(2) << '\n';
}

// The report as a self-contained HTML file; "-" writes it to standard output.
void writeReport(const CalcForm& window, const ProjectInfo& project, const std::string& output, std::ostream& out) {
    const std::string html = reportHtml(buildReport(window), project);
    if (output == "-") {
        out << html;
        return;
    }
    std::ofstream file(output, std::ios::binary);
    file << html;
    if (!file.flush()) throw UsageError{"cannot write " + output};
}

// The date a report is signed, as a Chinese form writes it: 2026年12月10日.
std::string today() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    const std::tm local = *std::localtime(&now);  // one thread: the shared buffer is safe here
    return std::to_string(local.tm_year + 1900) + "年" + std::to_string(local.tm_mon + 1) + "月" +
           std::to_string(local.tm_mday) + "日";
}

}  // namespace

std::filesystem::path defaultDatabaseFolder(const std::filesystem::path& executable) {
    return executable.parent_path().parent_path() / "share" / "pylora" / "database";
}

int runHeadless(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const Services& services) {
    CLI::App app("Pylora calculator windows without a display", "pylora-cli");
    app.require_subcommand(1);
    Services chosen = services;
    std::string databaseFolder;
    app.add_option("--database", databaseFolder, "folder of the material database and ground data files");

    app.add_subcommand("list", "one line per window: form name, tab, window title");
    app.add_subcommand("menu", "the menu tree: name, caption and action of every entry");
    auto* describe = app.add_subcommand("describe", "every control of a window as JSON");
    std::string describeForm;
    describe->add_option("FORM", describeForm)->required();

    auto* run = app.add_subcommand("run", "run a window from its default texts and print JSON");
    std::string runForm;
    run->add_option("FORM", runForm)->required();
    std::string groundFile;
    run->add_option("--ground-file", groundFile, "the ground data file to read instead of the user's 1.TXT");

    auto* report = app.add_subcommand("report", "run a window like run and write its calculation report as HTML");
    std::string reportForm, reportOutput;
    report->add_option("FORM", reportForm)->required();
    report->add_option("--output,-o", reportOutput, "the HTML file to write; - for standard output")->required();
    report->add_option("--ground-file", groundFile, "the ground data file to read instead of the user's 1.TXT");
    ProjectInfo project;
    report->add_option("--project-name", project.projectName, "工程名称");
    report->add_option("--project-number", project.projectNumber, "工程编号");
    report->add_option("--calculated-by", project.calculatedBy, "计算");
    report->add_option("--checked-by", project.checkedBy, "校核");
    report->add_option("--approved-by", project.approvedBy, "审核");
    report->add_option("--date", project.date, "日期 (default: today)");
    std::map<const CLI::App*, std::map<std::string, CLI::Option*>> settingsOf;
    for (CLI::App* command : {run, report})
        for (const char* name : {"--set", "--select", "--check", "--choose", "--press"})
            settingsOf[command][name] = command->add_option(name, "")->expected(1)
                                            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
                                            ->allow_extra_args(false);

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kExitDone;
    } catch (const CLI::ParseError& e) {
        err << "pylora-cli: " << e.what() << '\n';
        return kExitUsage;
    }
    if (!databaseFolder.empty()) chosen.databaseFolder = databaseFolder;
    if (!groundFile.empty()) chosen.groundDataFile = groundFile;

    try {
        if (app.got_subcommand("list")) {
            for (const FormDefinition* d : allWindows()) out << d->formName() << '\t' << d->title() << '\n';
            return kExitDone;
        }
        if (app.got_subcommand("menu")) {
            printMenu(menuTree(), 0, out);
            return kExitDone;
        }
        if (app.got_subcommand("describe")) {
            out << describeJson(requireWindow(describeForm)).dump(2) << '\n';
            return kExitDone;
        }
        // Settings and presses in the order given on the command line.
        CLI::App* command = app.got_subcommand("report") ? report : run;
        std::map<const CLI::Option*, std::size_t> taken;
        std::vector<std::pair<std::string, std::string>> settings;
        std::vector<std::string> presses;
        for (const CLI::Option* option : command->parse_order()) {
            const std::string name = "--" + option->get_single_name();
            if (!settingsOf[command].count(name)) continue;
            const std::string value = option->results().at(taken[option]++);
            if (name == "--press") {
                presses.push_back(value);
            } else {
                settings.emplace_back(name, value);
            }
        }
        const std::string& formName = command == report ? reportForm : runForm;
        CalcForm window(requireWindow(formName), chosen);
        const WindowRun result = runWindow(window, settings, presses, command == report);
        if (command == report) {
            if (project.date.empty()) project.date = today();
            writeReport(window, project, reportOutput, out);
        } else {
            printRun(window, result, out);
        }
        return result.failure ? kExitRunFailed : kExitDone;
    } catch (const UsageError& e) {
        err << "pylora-cli: " << e.message << '\n';
        return kExitUsage;
    }
}

}  // namespace pylora
