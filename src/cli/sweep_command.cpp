#include "cli/sweep_command.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <optional>
#include <thread>
#include <ostream>

#include "cli/headless_runner.h"
#include "cli/help_text.h"
#include "files/atomic_file.h"
#include "model/number_reading.h"
#include "studies/parameter_study.h"
#include "documents/study_table.h"
#include "model/text.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

CommandFault usage(std::string message) { return {kExitUsage, std::move(message)}; }

std::pair<std::string, std::string> splitAssignment(const std::string& text, const char* option) {
    const auto eq = text.find('=');
    if (eq == std::string::npos || eq == 0) throw usage(std::string(option) + " takes CONTROL=VALUES: " + text);
    return {text.substr(0, eq), text.substr(eq + 1)};
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    while (true) {
        const auto at = text.find(separator, from);
        parts.push_back(text.substr(from, at - from));
        if (at == std::string::npos) return parts;
        from = at + 1;
    }
}

// FROM:TO:STEP, FROM:TO:#POINTS, either followed by :log (the step then the factor between
// neighbouring values).
StudyRange parseRange(const std::string& control, const std::string& text) {
    std::vector<std::string> parts = split(text, ':');
    StudyRange range;
    if (parts.size() == 4 && parts[3] == "log") {
        range.logarithmic = true;
        parts.pop_back();
    }
    const auto fault = [&] {
        return usage("--vary " + control + " takes FROM:TO:STEP or FROM:TO:#POINTS, :log added for a logarithmic "
                     "range: " + text);
    };
    if (parts.size() != 3) throw fault();
    // A comma in a number may be a decimal comma (as ground files are written) or digit grouping:
    // 1,5 could be 1.5 or 15, so neither is guessed.
    if (text.find(',') != std::string::npos)
        throw usage("--vary " + control + ": a range takes no comma (is 1,5 one and a half or fifteen?): write the "
                    "decimal point as '.' and no digit grouping: " + text);
    const auto from = parseStrictNumber(parts[0]);
    const auto to = parseStrictNumber(parts[1]);
    if (!from || !to) throw fault();
    range.from = *from;
    range.to = *to;
    if (!parts[2].empty() && parts[2][0] == '#') {
        // Checked as a double before it becomes a count: a whole number within int's range.
        const auto points = parseStrictNumber(parts[2].substr(1));
        if (!points || *points != std::floor(*points)) throw fault();
        if (*points <= 0 || *points > std::numeric_limits<int>::max())
            throw usage("--vary " + control + ": the number of points must be positive, a whole number up to " +
                        std::to_string(std::numeric_limits<int>::max()) + ": " + text);
        range.points = static_cast<int>(*points);
    } else {
        const auto step = parseStrictNumber(parts[2]);
        if (!step) throw fault();
        if (*step == 0) throw usage("--vary " + control + ": the step must not be zero: " + text);
        range.step = *step;
    }
    return range;
}

// Rows gathered into pieces of this size before they are written.
constexpr std::size_t kPieceBytes = 1 << 16;

// The table's destination: standard output, or a file written whole or not at all.
class TableOutput {
public:
    TableOutput(const std::string& path, std::ostream& out) : path_(path), out_(out) {
        if (path != "-") {
            file_.emplace(path);
            if (file_->failure()) throw writeFault(*file_->failure());
            piece_ = kUtf8ByteOrderMark;  // spreadsheet programs read the file as UTF-8 by it
        }
    }

    // False once nothing more can be written.
    bool add(const std::string& text) {
        piece_ += text;
        return piece_.size() < kPieceBytes || flush();
    }

    void finish() {
        flush();
        if (file_) {
            if (const auto failure = file_->commit()) throw writeFault(*failure);
        }
        // standard output: the runner checks the stream at the end
    }

private:
    bool flush() {
        const bool written = file_ ? file_->write(piece_) : static_cast<bool>(out_.write(piece_.data(), static_cast<std::streamsize>(piece_.size())));
        piece_.clear();
        return written;
    }

    CommandFault writeFault(const WriteFailure& failure) const {
        return {kExitWriteFailed, "cannot write " + path_ + ": " + failure.reason()};
    }

    std::string path_;
    std::ostream& out_;
    std::optional<AtomicFileWriter> file_;
    std::string piece_;
};

// More threads than cores only wait on each other, and each holds a stack and a window.
int mostThreads() { return 2 * static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }

}  // namespace

SweepCommand::SweepCommand(CLI::App& app) : command_(app.add_subcommand("sweep", help::kSweep)) {
    command_->add_option("FORM", form_, help::kForm)->required()->type_name("");
    for (const help::RunOption& option : help::kRunOptions)
        ordered_[option.name] = command_->add_option(option.name, option.help)->type_name(option.value);
    for (const help::RunOption& option : help::kSweepOptions)
        ordered_[option.name] = command_->add_option(option.name, option.help)->type_name(option.value);
    for (auto& [name, option] : ordered_)
        option->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)->allow_extra_args(false);
    results_ = command_->add_option("--result", help::kSweepResult)->type_name("CONTROL")->required()
                   ->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)->allow_extra_args(false);
    command_->add_option("--output,-o", output_, help::kSweepOutput)->required()->type_name("FILE");
    command_->add_option("--jobs,-j", jobs_, help::kSweepJobs)->type_name("N")->check(CLI::Range(1, 1024));
    command_->add_option("--ground-file", groundFile_, help::kGroundFile)->type_name("FILE");
}

int SweepCommand::run(Services services, std::ostream& out, std::ostream& err, const SettingApplier& apply) const {
    const FormDefinition* definition = findWindow(form_);
    if (!definition) throw usage("unknown window: " + form_);
    if (!groundFile_.empty()) services.groundDataFile = groundFile_;
    CalcForm start(*definition, services);

    // Settings, presses and varied inputs in the order given: the first input varies fastest.
    StudyRequest request;
    std::map<const CLI::Option*, std::size_t> taken;
    for (const CLI::Option* option : command_->parse_order()) {
        const std::string name = "--" + option->get_single_name();
        if (!ordered_.count(name)) continue;
        const std::string value = option->results().at(taken[option]++);
        if (name == "--press") {
            request.presses.push_back(value);
        } else if (name == "--vary") {
            auto [control, range] = splitAssignment(value, "--vary");
            try {
                const StudyRange parsed = parseRange(control, range);
                (void)RangeTexts(parsed);  // checked here, so that the message names the option
                request.vary.push_back({control, {}, parsed});
            } catch (const StudyError& e) {
                throw usage("--vary " + control + ": " + e.what());
            }
        } else if (name == "--values") {
            auto [control, list] = splitAssignment(value, "--values");
            if (!isValidUtf8(list)) throw usage("--values value for " + control + " is not valid UTF-8");
            request.vary.push_back({control, split(list, ',')});
        } else {
            apply(start.form(), name, value);
        }
    }
    if (request.vary.empty()) throw usage("name the input to vary with --vary or --values");
    request.results = results_->results();

    std::vector<StudyColumn> inputs, results;
    try {
        checkStudy(*definition, request);
    } catch (const StudyError& e) {
        throw usage(e.what());
    }
    for (const StudyVariable& variable : request.vary) inputs.push_back(studyColumn(start.form(), variable.control));
    for (const std::string& control : request.results) results.push_back(studyColumn(start.form(), control));

    TableOutput table(output_, out);
    table.add(studyCsvHeading(inputs, results));
    std::atomic<bool> stop = false;  // the output is gone: no use computing on
    StudyOptions options;
    options.jobs = jobs_;
    if (jobs_ > mostThreads()) {
        options.jobs = mostThreads();
        err << "pylora-cli: --jobs " << jobs_ << ": running " << options.jobs << " threads, twice the "
            << options.jobs / 2 << " cores of this machine\n";
    }
    options.cancel = &stop;
    options.onPoint = [&](std::size_t, const StudyPoint& point) {
        if (!table.add(studyCsvRow(point, inputs, results))) stop = true;
    };
    try {
        runStudy(start, request, options);
    } catch (const StudyError& e) {
        throw usage(e.what());
    }
    table.finish();
    return kExitDone;
}

}  // namespace pylora
