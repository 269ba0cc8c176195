// The whole headless runner path: the input picks a window and becomes a command line of
// settings and presses (texts of any bytes, controls of any kind, hostile arguments), which
// runs through the runner, the window's Form and its runs on a read-only copy of the database.
// A step may turn the run into a report on standard output (HTML or JSON) with project fields
// of any bytes. Every command line ends in a usage error, a finished run or a failed run with
// the window's JSON or its report; a report is valid UTF-8 without raw control characters;
// nothing aborts and no database file changes.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/headless_runner.h"
#include "model/text.h"
#include "model/window_registry.h"
#include "database_copy.h"

namespace {

class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return pos_ >= size_; }
    std::uint8_t next() { return pos_ < size_ ? data_[pos_++] : 0; }
    // A text of up to 63 bytes, its length first.
    std::string text() {
        std::string out;
        for (std::size_t length = next() % 64; length > 0 && !empty(); --length) out += static_cast<char>(next());
        return out;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// The controls of a window as `pylora-cli describe` lists them (static captions left out), so
// that a seed can be written from its output.
std::vector<const pylora::ControlDef*> namedControls(const pylora::FormDefinition& window) {
    std::vector<const pylora::ControlDef*> controls;
    for (const pylora::ControlDef& c : window.controls())
        if (!c.name.empty() && c.name[0] != '_') controls.push_back(&c);
    return controls;
}

// The report's project fields, as the runner's options name them.
const char* const kProjectOptions[] = {"--project-name", "--project-number", "--design-stage", "--calculated-by",
                                       "--checked-by",   "--approved-by",    "--date"};

std::vector<std::string> commandLine(Bytes& bytes) {
    const auto& windows = pylora::allWindows();
    const pylora::FormDefinition& window = *windows[bytes.next() % windows.size()];
    const std::vector<const pylora::ControlDef*> controls = namedControls(window);
    std::vector<std::string> args{"run", window.formName()};
    const auto reportToStandardOutput = [&] {
        if (args[0] == "report") return;
        args[0] = "report";
        args.insert(args.begin() + 2, {"-o", "-"});
    };
    while (!bytes.empty() && !controls.empty()) {
        const std::uint8_t op = bytes.next();
        const pylora::ControlDef& control = *controls[bytes.next() % controls.size()];
        switch (op % 12) {
            case 8:
                reportToStandardOutput();
                break;
            case 9:
            case 10:
                reportToStandardOutput();
                args.insert(args.end(), {kProjectOptions[bytes.next() % std::size(kProjectOptions)], bytes.text()});
                break;
            case 11:
                reportToStandardOutput();
                args.insert(args.end(), {"--format", bytes.next() % 2 ? "json" : "html"});
                break;
            case 0:
            case 1:
            case 2:
                args.insert(args.end(), {"--set", control.name + "=" + bytes.text()});
                break;
            case 3:
                args.insert(args.end(), {"--select", control.name});
                break;
            case 4:
                args.insert(args.end(), {"--check", control.name + "=" + std::to_string(bytes.next() % 3)});
                break;
            case 5: {
                const std::uint8_t item = bytes.next();
                args.insert(args.end(), {"--choose", control.name + "=" + (control.items.empty()
                                                                                 ? bytes.text()
                                                                                 : control.items[item % control.items.size()])});
                break;
            }
            case 6:
                args.insert(args.end(), {"--press", control.name});
                break;
            case 7:
                args.push_back(bytes.text());  // any argument: options, paths, stray words
                break;
        }
    }
    return args;
}

// An option the runner answers with text of its own (help) rather than a window.
bool asksForText(const std::vector<std::string>& args) {
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.empty() || a[0] != '-') continue;
        if (a != "--set" && a != "--select" && a != "--check" && a != "--choose" && a != "--press" &&
            a != "--database" && a != "-o" && a != "--format" &&
            std::find(std::begin(kProjectOptions), std::end(kProjectOptions), a) == std::end(kProjectOptions))
            return true;
    }
    return false;
}

[[noreturn]] void fault(const char* what, const std::string& err) {
    std::fprintf(stderr, "%s\n%s\n", what, err.c_str());
    std::abort();
}

// A report as a reader gets it: well-formed UTF-8 whatever bytes the fields and project texts
// held, control characters shown (line ends and tabs aside), and JSON that parses.
void checkReport(const std::vector<std::string>& args, const std::string& report) {
    if (!pylora::isValidUtf8(report)) fault("a report is not valid UTF-8:", report);
    for (unsigned char c : report)
        if ((c < 0x20 && c != '\n' && c != '\t') || c == 0x7F) fault("a report holds a raw control character:", report);
    const bool json = std::find(args.begin(), args.end(), "json") != args.end() && report.rfind('{', 0) == 0;
    if (json && nlohmann::json::parse(report, nullptr, false).is_discarded()) fault("a JSON report does not parse:", report);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes bytes(data, size);
    const std::vector<std::string> args = commandLine(bytes);
    pylora::Services services;
    services.databaseFolder = pylora::fuzz::readOnlyDatabaseCopy();
    std::ostringstream out, err;
    const int status = pylora::runHeadless(args, out, err, services);
    if (status == pylora::kExitUsage) {
        const std::string message = err.str();
        if (message.empty() || message.find('\n') != message.size() - 1)
            fault("a usage error is not one line on standard error:", message);
    } else if (status == pylora::kExitDone && asksForText(args) && out.str().rfind('{', 0) != 0) {
        // help or the like, not a run
    } else if (args[0] == "report" && (status == pylora::kExitDone || status == pylora::kExitRunFailed)) {
        checkReport(args, out.str());
    } else if (status == pylora::kExitDone || status == pylora::kExitRunFailed) {
        const auto json = nlohmann::json::parse(out.str(), nullptr, false);
        if (json.is_discarded() || !json.contains("controls")) fault("a run printed no window:", out.str());
        if ((status == pylora::kExitRunFailed) == json["failure"].is_null())
            fault("the exit status and the printed failure disagree:", out.str());
    } else {
        fault("an exit status other than 0, 2 or 3:", std::to_string(status));
    }
    pylora::fuzz::requireDatabaseUnchanged();
    return 0;
}
