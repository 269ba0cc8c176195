#include "cli/headless_runner.h"

#include "model/version.h"

#include <CLI/CLI.hpp>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <map>
#include <ostream>
#include <string_view>
#include <tuple>

#include "cli/book_command.h"
#include "cli/help_text.h"
#include "cli/json_output.h"
#include "cli/profile_export_options.h"
#include "cli/project_options.h"
#include "cli/report_json.h"
#include "cli/sweep_command.h"
#include "model/calc_form.h"
#include "files/case_file.h"
#include "model/menu.h"
#include "documents/report.h"
#include "files/atomic_file.h"
#include "model/text.h"
#include "model/window_registry.h"
#include "model/window_settings.h"

namespace pylora {
namespace {

struct UsageError {
    std::string message;
};

// The output could not be written; the message names the file and the system's reason.
struct WriteError {
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

// Texts from database files and paths are shown as they are; bytes that are not UTF-8 become
// replacement characters rather than stopping the output.
std::string printable(const nlohmann::json& json) {
    return json.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
}

// A message on one line, whatever the names and texts quoted in it hold.
void printUsageError(std::ostream& err, std::string message) {
    std::replace_if(message.begin(), message.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    err << "pylora-cli: " << message << '\n';
}

// A window from its default texts, with the settings applied and the buttons pressed in order
// (none: its run button); the first failure ends the presses, as it ends the run.
struct WindowRun {
    std::vector<std::string> written;
    std::optional<RunFailure> failure;
};

// A window without a run button (a sheet of fixed figures) still has a report: its inputs. A
// case saved before any run opens without one.
WindowRun runWindow(CalcForm& window, const std::vector<std::pair<std::string, std::string>>& settings,
                    std::vector<std::string> presses, bool reportOnly, bool fromCase = false) {
    const FormDefinition& definition = window.definition();
    for (const auto& [option, value] : settings) applySetting(window.form(), option, value);
    if (presses.empty() && !fromCase && !definition.defaultRunButton().empty())
        presses.push_back(definition.defaultRunButton());
    if (presses.empty() && !reportOnly && !fromCase) throw UsageError{definition.formName() + " has no run button"};
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

// Opened from a case: the file, whether its steps were pressed again (a case saved with inputs
// changed after its last run has none), and where the results differ from those it saved.
struct CaseStart {
    std::string file;
    bool recomputed = false;
    std::vector<std::string> differences;
};

void printRun(const CalcForm& window, const WindowRun& run, const std::optional<CaseStart>& start, std::ostream& out) {
    nlohmann::json result = runJson(window, run.written, run.failure);
    if (start)
        result["case"] = {{"file", start->file}, {"recomputed", start->recomputed}, {"differences", start->differences}};
    out << printable(result) << '\n';
}

// The format a report is written in: as told, else by the file's extension, lower case;
// standard output ("-") takes HTML.
std::string reportFormat(const std::string& output, const std::string& told) {
    if (!told.empty()) return told;
    if (output == "-") return "html";
    std::string extension = std::filesystem::path(output).extension().string();
    if (!extension.empty()) extension.erase(0, 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

void requireReportFormat(const std::string& format, const std::string& output) {
    if (std::find(std::begin(kReportExtensions), std::end(kReportExtensions), format) != std::end(kReportExtensions))
        return;
    throw UsageError{"cannot write a report as " + (format.empty() ? output : "." + format) +
                     ": name the file .pdf, .docx, .html or .json"};
}

void writeText(const std::string& text, const std::string& output, std::ostream& out) {
    if (output == "-") {
        out << text;
        return;
    }
    if (const auto failure = writeFileAtomically(output, text))
        throw WriteError{"cannot write " + output + ": " + failure->reason()};
}

void writeReport(const CalcForm& window, const ProjectInfo& project, const std::string& format,
                 const std::string& output, const ReportFormats& formats, std::ostream& out) {
    const Report report = buildReport(window);
    if (format == "json") {
        writeText(printable(reportJson(report, project)) + "\n", output, out);
    } else if (format == "html" || format == "htm") {
        writeText(reportHtml(report, project), output, out);
    } else {
        const auto writer = formats.writers.find(format);
        if (writer == formats.writers.end()) throw UsageError{"this program cannot write ." + format + " reports"};
        if (output == "-") throw UsageError{"a ." + format + " report needs a file name"};
        const std::string problem = writer->second(report, project, output);
        if (!problem.empty()) throw WriteError{problem};
    }
}

CaseFile openCase(const std::string& path) {
    try {
        return loadCase(path);
    } catch (const CaseFileError& e) {
        throw UsageError{e.what()};
    }
}

// A case that cannot be written is an output that failed, like a report: the earlier file stays.
void saveCaseOrSay(const CaseFile& file, const std::string& path) {
    try {
        saveCase(file, path);
    } catch (const CaseFileError& e) {
        throw WriteError{e.what()};
    }
}

int parseAndRun(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const Services& services, const ReportFormats& formats) {
    CLI::App app(help::kProgram, "pylora-cli");
    app.set_version_flag("--version", std::string("pylora-cli ") + kProgramVersion, help::kVersion);
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
    run->add_option("FORM", runForm, help::kForm)->type_name("");
    std::string groundFile;
    run->add_option("--ground-file", groundFile, help::kGroundFile)->type_name("FILE");
    std::string caseFile, saveFile;
    run->add_option("--case", caseFile, help::kCase)->type_name("FILE");
    run->add_option("--save", saveFile, help::kSave)->type_name("FILE");
    ProfileExportOptions profileExport;
    addProfileExportOptions(*run, profileExport);

    auto* report = app.add_subcommand("report", help::kReport);
    std::string reportForm, reportOutput;
    report->add_option("FORM", reportForm, help::kForm)->type_name("");
    report->add_option("--case", caseFile, help::kCase)->type_name("FILE");
    report->add_option("--output,-o", reportOutput, help::kOutput)->required()->type_name("FILE");
    std::string reportFormatName;
    report->add_option("--format", reportFormatName, help::kFormat)->type_name("FORMAT")
        ->check(CLI::IsMember({"pdf", "docx", "html", "json"}));
    report->add_option("--ground-file", groundFile, help::kGroundFile)->type_name("FILE");
    ProjectInfo project;
    const auto projectOptions = addProjectOptions(*report, project);

    // The settings and presses, the same for run and report.
    std::map<const CLI::App*, std::map<std::string, CLI::Option*>> settingsOf;
    for (CLI::App* command : {run, report})
        for (const help::RunOption& option : help::kRunOptions)
            settingsOf[command][option.name] = command->add_option(option.name, option.help)->type_name(option.value)
                                                   ->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
                                                   ->allow_extra_args(false);
    const BookCommand book(app);
    SweepCommand sweep(app);
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
        printUsageError(err, e.what());
        return kExitUsage;
    }
    for (const auto& [name, field] : projectOptions) {
        if (const std::string fault = projectOptionFault(name, *field); !fault.empty()) {
            printUsageError(err, fault);
            return kExitUsage;
        }
    }
    if (!databaseFolder.empty()) chosen.databaseFolder = databaseFolder;
    if (!groundFile.empty()) chosen.groundDataFile = groundFile;

    try {
        if (app.got_subcommand("list")) {
            for (const WindowTitle& window : windowTitles()) out << window.formName << '\t' << window.title << '\n';
            return kExitDone;
        }
        if (app.got_subcommand("menu")) {
            printMenu(menuTree(), 0, out);
            return kExitDone;
        }
        if (book.chosen()) return book.run(args, chosen, formats, err);
        if (app.got_subcommand("describe")) {
            out << printable(describeJson(requireWindow(describeForm))) << '\n';
            return kExitDone;
        }
        if (sweep.chosen()) return sweep.run(chosen, out, err, applySetting);
        // Settings and presses in the order given on the command line.
        CLI::App* command = app.got_subcommand("report") ? report : run;
        const std::string format = command == report ? reportFormat(reportOutput, reportFormatName) : "";
        if (command == report) {
            requireReportFormat(format, reportOutput);
            if (!formats.writers.count(format) && formats.delegate && format != "html" && format != "htm" &&
                format != "json")
                return formats.delegate(args);
        }
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
        std::optional<CaseFile> opened;
        if (!caseFile.empty()) {
            opened = openCase(caseFile);
            if (!formName.empty() && formName != opened->formName)
                throw UsageError{"the case " + caseFile + " is of window " + opened->formName + ", not " + formName};
        } else if (formName.empty()) {
            throw UsageError{"name the window FORM or a case file with --case FILE"};
        }
        CalcForm window(requireWindow(opened ? opened->formName : formName), chosen);
        // A case's ground records stand in for the ground data file, unless one is named.
        std::optional<CaseGroundData> caseGround;
        std::optional<CaseStart> start;
        if (opened) {
            caseGround.emplace(*opened, caseFile);
            if (groundFile.empty()) caseGround->useIn(window);
            applyCaseStart(window, *opened);
            if (presses.empty()) presses = opened->steps;
            start = CaseStart{caseFile, false, {}};
        }
        if (const std::string refusal = prepareProfileExport(profileExport, window.definition(), presses);
            !refusal.empty())
            throw UsageError{refusal};
        const bool asSaved = opened && settings.empty() && presses == opened->steps && groundFile.empty();
        const WindowRun result = runWindow(window, settings, presses, command == report, asSaved);
        if (start) start->recomputed = window.record().ran;
        if (asSaved) {
            window.noteDifferencesFromCase(caseDifferences(window, *opened));
            start->differences = window.differencesFromCase();
        }
        if (!saveFile.empty()) saveCaseOrSay(captureCase(window), saveFile);
        if (command == report) {
            if (project.date.empty()) project.date = signingDate();
            writeReport(window, project, format, reportOutput, formats, out);
        } else {
            printRun(window, result, start, out);
            if (const auto fault = result.failure ? std::nullopt : writeProfileExports(profileExport, window)) {
                if (fault->writeFailed) throw WriteError{fault->message};
                throw UsageError{fault->message};
            }
        }
        return result.failure ? kExitRunFailed : kExitDone;
    } catch (const UsageError& e) {
        printUsageError(err, e.message);
        return kExitUsage;
    } catch (const SettingError& e) {
        printUsageError(err, e.what());
        return kExitUsage;
    } catch (const WriteError& e) {
        printUsageError(err, e.message);
        return kExitWriteFailed;
    } catch (const CommandFault& e) {
        printUsageError(err, e.message);
        return e.status;
    }
}

// Whatever was printed reached standard output, or the run says why not: a full disk, a closed
// or broken pipe must not pass for success.
int requireOutputWritten(int status, std::ostream& out, std::ostream& err) {
    if (out.flush()) return status;
    const auto* descriptor = dynamic_cast<const DescriptorOutput*>(out.rdbuf());
    const int error = descriptor ? descriptor->error() : 0;
    printUsageError(err, std::string("cannot write to standard output: ") +
                             (error ? std::strerror(error) : "the stream failed"));
    return kExitWriteFailed;
}

}  // namespace

std::string signingDate() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    const std::tm local = *std::localtime(&now);  // one thread: the shared buffer is safe here
    return std::to_string(local.tm_year + 1900) + "年" + std::to_string(local.tm_mon + 1) + "月" +
           std::to_string(local.tm_mday) + "日";
}

int DescriptorOutput::overflow(int c) {
    if (sync() != 0) return traits_type::eof();
    if (c == traits_type::eof()) return traits_type::not_eof(c);
    *pptr() = static_cast<char>(c);
    pbump(1);
    return c;
}

int DescriptorOutput::sync() {
    const char* from = pbase();
    while (from < pptr() && error_ == 0) {
        const ssize_t written = ::write(fd_, from, static_cast<std::size_t>(pptr() - from));
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) error_ = errno;
        if (written > 0) from += written;
    }
    setp(buffer_, buffer_ + sizeof buffer_);  // what could not be written is dropped
    return error_ == 0 ? 0 : -1;
}

int runHeadless(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                const Services& services, const ReportFormats& formats) {
    // The runner never ends by an exception: whatever nobody foresaw is one line on standard
    // error. A fault inside a run is already the run's internal failure, printed with the window.
    try {
        return requireOutputWritten(parseAndRun(args, out, err, services, formats), out, err);
    } catch (const std::exception& fault) {
        printUsageError(err, std::string("internal error: ") + fault.what());
    } catch (...) {
        printUsageError(err, "internal error");
    }
    return kExitUsage;
}

}  // namespace pylora
