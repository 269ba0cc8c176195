#include "cli/headless_runner.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <map>
#include <ostream>

#include "cli/help_text.h"
#include "cli/json_output.h"
#include "core/calc_form.h"
#include "core/menu.h"
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

int runWindow(const std::string& formName, const std::vector<std::pair<std::string, std::string>>& settings,
              std::vector<std::string> presses, std::ostream& out, const Services& services) {
    const FormDefinition& definition = requireWindow(formName);
    CalcForm window(definition, services);
    for (const auto& [option, value] : settings) applySetting(window.form(), option, value);
    if (presses.empty()) {
        if (definition.defaultRunButton().empty()) throw UsageError{formName + " has no run button"};
        presses.push_back(definition.defaultRunButton());
    }
    for (const std::string& button : presses)
        requireControl(window.form(), button, ControlKind::Button, "a button");

    std::vector<std::string> written;
    std::optional<RunFailure> failure;
    for (const std::string& button : presses) {
        failure = window.press(button);
        for (const std::string& name : window.form().written())
            if (std::find(written.begin(), written.end(), name) == written.end()) written.push_back(name);
        if (failure) break;  // the first failure ends the presses, as it ends the run
    }
    const Sketch* sketch = window.form().findSketch();
    const nlohmann::json result{
        {"form", formName},
        {"controls", controlsJson(window.form())},
        {"written", written},
        {"failure", failure ? failureJson(*failure, definition) : nlohmann::json(nullptr)},
        {"sketch", sketch ? sketchJson(*sketch) : nlohmann::json(nullptr)},
    };
    out << result.dump(2) << '\n';
    return failure ? kExitRunFailed : kExitDone;
}

}  // namespace

std::filesystem::path defaultDatabaseFolder(const std::filesystem::path& executable) {
    return executable.parent_path().parent_path() / "share" / "pylora" / "database";
}

int runHeadless(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const Services& services) {
    CLI::App app(help::kProgram, "pylora-cli");
    app.set_version_flag("--version", std::string("pylora-cli ") + PYLORA_VERSION, help::kVersion);
    app.require_subcommand(1);
    Services chosen = services;
    std::string databaseFolder;
    app.add_option("--database", databaseFolder, help::kDatabase)->type_name("DIR");

    app.add_subcommand("list", help::kList);
    app.add_subcommand("menu", help::kMenu);
    auto* describe = app.add_subcommand("describe", help::kDescribe);
    std::string describeForm;
    describe->add_option("FORM", describeForm, help::kForm)->required()->type_name("");

    auto* run = app.add_subcommand("run", help::kRun);
    std::string runForm;
    run->add_option("FORM", runForm, help::kForm)->required()->type_name("");
    std::string groundFile;
    run->add_option("--ground-file", groundFile, help::kGroundFile)->type_name("FILE");
    std::map<std::string, CLI::Option*> settingOptions;
    for (const help::RunOption& option : help::kRunOptions)
        settingOptions[option.name] = run->add_option(option.name, option.help)->type_name(option.value)->expected(1)
                                          ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)->allow_extra_args(false);
    app.footer(help::footer());  // after the commands, so that their own help stays short

    std::vector<std::string> reversed(args.rbegin(), args.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kExitDone;
    } catch (const CLI::CallForVersion& e) {
        out << e.what() << '\n';
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
        std::map<const CLI::Option*, std::size_t> taken;
        std::vector<std::pair<std::string, std::string>> settings;
        std::vector<std::string> presses;
        for (const CLI::Option* option : run->parse_order()) {
            const std::string value = option->results().at(taken[option]++);
            const std::string name = "--" + option->get_single_name();
            if (name == "--press") {
                presses.push_back(value);
            } else {
                settings.emplace_back(name, value);
            }
        }
        return runWindow(runForm, settings, presses, out, chosen);
    } catch (const UsageError& e) {
        err << "pylora-cli: " << e.message << '\n';
        return kExitUsage;
    }
}

}  // namespace pylora
