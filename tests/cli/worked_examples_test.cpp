// Worked examples: one plain file per window under tests/examples, each case a command line of
// pylora-cli followed by the values the engineer expects to read. They run through the same
// path as the runner, so a handbook case can be added without writing C++.
//
//   run 壁厚计算 --set Text5=0.5      a case: the arguments after "pylora-cli"
//   exit = 3                          the exit status
//   Text6 = "9.8"                     a control's text (the value is JSON)
//   Text14.background = "#80ffff"     another property of a control
//   failure.control = "Text5"         anything else of the printed JSON, by path
//
//   report 壁厚计算 --set Text2=0.3   a report case: the report's content as JSON
//   results.Text6.value = "0.75"      by path; in a list, an entry by its key or its place
//   inputs.Text6 = null               nothing of that key in the list
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <utility>

#include <nlohmann/json.hpp>

#include "cli/headless_runner.h"
#include "model/menu.h"
#include "model/text.h"
#include "test_services.h"

namespace pylora {
namespace {

struct Expectation {
    int line;
    std::string path;
    nlohmann::json value;
};

struct ExampleCase {
    std::string file;
    int line;
    std::string name;  // the test's name: the window and what the case checks
    std::vector<std::string> args;
    std::vector<Expectation> expectations;
    bool report = false;  // the case prints the report's JSON
};

void PrintTo(const ExampleCase& c, std::ostream* os) { *os << c.file << ":" << c.line; }

// Splits a command line at blanks; double quotes keep blanks inside one argument.
std::vector<std::string> splitArguments(const std::string& text) {
    std::vector<std::string> args;
    std::string current;
    bool quoted = false, any = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (c == ' ' && !quoted) {
            if (any) args.push_back(current);
            current.clear();
            any = false;
        } else {
            current += c;
            any = true;
        }
    }
    if (any) args.push_back(current);
    return args;
}

std::string trim(const std::string& s) { return std::string(trimmed(s, " \t\r")); }

// A window by an ASCII name a test name can carry: the name of its menu entry ("LINE_BI" for
// 壁厚计算), else its form name where that is ASCII, else its characters' code points.
std::string windowTag(const std::string& formName) {
    std::string found;
    auto search = [&](const auto& self, const std::vector<MenuItem>& items) -> void {
        for (const MenuItem& item : items) {
            if (found.empty() && item.action == MenuAction::ShowWindow && item.target == formName) found = item.name;
            self(self, item.children);
        }
    };
    search(search, menuTree());
    if (found.rfind("menu_", 0) == 0 || found.rfind("MENU_", 0) == 0) return found.substr(5);
    if (!found.empty()) return found;
    std::string tag;
    for (std::size_t at = 0; at < formName.size();) {
        const char32_t c = decodeCharacter(formName, at);
        if (c < 0x80 && std::isalnum(static_cast<int>(c))) {
            tag += static_cast<char>(c);
        } else {
            char hex[16];
            std::snprintf(hex, sizeof hex, "U%X", static_cast<unsigned>(c));
            tag += hex;
        }
    }
    return tag;
}

// Words of a comment or a command as a test name: ASCII letters and digits, runs of anything
// else one underscore, at most about 60 characters, cut at a word.
std::string nameWords(const std::string& text) {
    std::string name;
    for (char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)) && static_cast<unsigned char>(c) < 0x80) {
            name += c;
        } else if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    if (name.size() > 60) name.resize(name.rfind('_', 60) == std::string::npos ? 60 : name.rfind('_', 60));
    while (!name.empty() && name.back() == '_') name.pop_back();
    return name;
}

// The window, then the first line of the comment just above the case, else its settings and presses: a name
// that stays when cases are added before it. Names met twice get _2, _3 in file order.
void nameCases(std::vector<ExampleCase>& cases, const std::vector<std::string>& comments) {
    std::map<std::string, int> seen;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        ExampleCase& c = cases[i];
        const std::string what = !comments[i].empty() ? comments[i] : [&] {
            std::string command;
            for (std::size_t a = 2; a < c.args.size(); ++a) command += c.args[a] + " ";
            return c.report ? "report " + command : command.empty() ? std::string("defaults") : command;
        }();
        std::string name = windowTag(c.args.at(1)) + "__" + nameWords(what);
        if (const int count = ++seen[name]; count > 1) name += "_" + std::to_string(count);
        c.name = name;
    }
}

std::vector<ExampleCase> loadExamples() {
    std::vector<ExampleCase> cases;
    std::vector<std::string> comments;  // what the comment just above each case says first, if any
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(PYLORA_EXAMPLES_DIR))
        if (entry.path().extension() == ".txt") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& path : files) {
        std::ifstream in(path);
        std::string raw, comment;
        bool inComment = false;
        int number = 0;
        while (std::getline(in, raw)) {
            ++number;
            const std::string line = trim(raw);
            if (line.empty()) {
                comment.clear();
                inComment = false;
                continue;
            }
            if (line[0] == '#') {
                if (!inComment) comment = line.substr(1);  // a comment's first line says what it is about
                inComment = true;
                continue;
            }
            inComment = false;
            if (line.rfind("run ", 0) == 0) {
                cases.push_back(ExampleCase{path.filename().string(), number, "", splitArguments(line), {}});
                comments.push_back(std::exchange(comment, {}));
                continue;
            }
            if (line.rfind("report ", 0) == 0) {
                std::vector<std::string> args = splitArguments(line);
                for (const char* arg : {"--output", "-", "--format", "json"}) args.push_back(arg);
                cases.push_back(ExampleCase{path.filename().string(), number, "", std::move(args), {}, true});
                comments.push_back(std::exchange(comment, {}));
                continue;
            }
            comment.clear();
            const auto eq = line.find(" = ");
            if (cases.empty() || eq == std::string::npos)
                throw std::runtime_error(path.string() + ":" + std::to_string(number) + ": cannot read " + line);
            cases.back().expectations.push_back(
                Expectation{number, trim(line.substr(0, eq)), nlohmann::json::parse(line.substr(eq + 3))});
        }
    }
    nameCases(cases, comments);
    return cases;
}

// "Text6" -> /controls/Text6/text, "Text6.background" -> /controls/Text6/background,
// "failure.control" -> /failure/control.
nlohmann::json::json_pointer pointerFor(const std::string& path) {
    std::vector<std::string> parts;
    std::stringstream stream(path);
    for (std::string part; std::getline(stream, part, '.');) parts.push_back(part);
    static const std::set<std::string> topLevel{"form", "controls", "written", "failure", "remarks", "warnings", "sketch"};
    if (!topLevel.count(parts[0])) {
        parts.insert(parts.begin(), "controls");
        if (parts.size() == 2) parts.push_back("text");
    }
    nlohmann::json::json_pointer pointer;
    for (const auto& part : parts) pointer /= part;
    return pointer;
}

// A report's JSON by a dotted path: "results.Text6.value" takes, in the list of results, the
// entry whose key is Text6; "steps.0.substituted" the first step. A key no entry has gives null.
nlohmann::json reportValue(const nlohmann::json& report, const std::string& path, bool& found) {
    const nlohmann::json* at = &report;
    std::stringstream stream(path);
    found = true;
    for (std::string part; std::getline(stream, part, '.');) {
        if (at->is_array()) {
            const bool index = !part.empty() && std::all_of(part.begin(), part.end(), ::isdigit);
            const nlohmann::json* next = nullptr;
            if (index && std::stoul(part) < at->size()) next = &(*at)[std::stoul(part)];
            for (const nlohmann::json& entry : *at)
                if (!index && entry.is_object() && entry.value("key", "") == part) next = &entry;
            if (!next) return nullptr;  // no such entry: null
            at = next;
        } else if (at->is_object() && at->contains(part)) {
            at = &(*at)[part];
        } else {
            found = false;
            return nullptr;
        }
    }
    return *at;
}

class WorkedExampleTest : public testing::TestWithParam<ExampleCase> {};

TEST_P(WorkedExampleTest, GivesTheExpectedTexts) {
    const ExampleCase& c = GetParam();
    std::ostringstream out, err;
    const Services services = testServicesWithGroundFile();
    const int status = runHeadless(c.args, out, err, services);
    const std::string where = c.file + ":" + std::to_string(c.line);
    ASSERT_TRUE(status == kExitDone || status == kExitRunFailed) << where << ": " << err.str();
    const nlohmann::json result = nlohmann::json::parse(out.str());
    for (const Expectation& e : c.expectations) {
        const std::string at = c.file + ":" + std::to_string(e.line);
        if (e.path == "exit") {
            EXPECT_EQ(status, e.value.get<int>()) << at;
            continue;
        }
        if (c.report) {
            bool found = false;
            const nlohmann::json value = reportValue(result, e.path, found);
            ASSERT_TRUE(found) << at << ": no " << e.path;
            EXPECT_EQ(value, e.value) << at << ": " << e.path;
            continue;
        }
        const auto pointer = pointerFor(e.path);
        ASSERT_TRUE(result.contains(pointer)) << at << ": no " << e.path;
        EXPECT_EQ(result.at(pointer), e.value) << at << ": " << e.path;
    }
}

INSTANTIATE_TEST_SUITE_P(Examples, WorkedExampleTest, testing::ValuesIn(loadExamples()),
                         [](const testing::TestParamInfo<ExampleCase>& info) { return info.param.name; });

}  // namespace
}  // namespace pylora
