// The rooms of the source tree include one another in the stated directions only (src/README.md):
// every project include of every source is read and checked against the table below, so that a
// window reaching for a document writer, or the window model for a file or CAD unit, fails here
// instead of rotting the layering silently.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const std::set<std::string> kWindowFolders = {"line",         "crossing_profiles", "open_cut", "crossing_checks",
                                              "river_works",  "pull_in",           "aerial",   "materials",
                                              "quota",        "tools"};

// What each room may include besides itself: a room by name, or one header by its path.
const std::map<std::string, std::set<std::string>> kAllowed = {
    {"model", {}},
    {"studies", {"model"}},
    {"cad", {"model"}},
    {"files", {"model"}},
    {"documents", {"model", "files", "studies", "cad"}},
    {"profiles", {"model", "cad"}},
    // a window: the model, the shared profile pieces, and where the program's data lie
    {"window", {"model", "profiles", "files/data_locations.h"}},
    {"cli", {"model", "studies", "cad", "files", "documents"}},
    {"report_pages", {"model", "studies", "cad", "files", "documents", "cli"}},
    {"shell", {"model", "studies", "cad", "files", "documents", "report_pages"}},
    {"web", {"model", "studies", "cad", "files", "documents", "cli"}},
};

std::string roomOf(const std::string& folder) { return kWindowFolders.count(folder) ? "window" : folder; }

struct Include {
    std::string file;    // the including source, relative to src/
    std::string target;  // "room/header.h"
};

std::vector<Include> projectIncludes(const fs::path& sourceRoot) {
    static const std::regex include(R"re(^\s*#\s*include\s*"([a-z_]+/[^"]+)")re");
    std::vector<Include> found;
    for (const auto& entry : fs::recursive_directory_iterator(sourceRoot)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
        std::ifstream in(entry.path());
        std::string line;
        std::smatch match;
        while (std::getline(in, line))
            if (std::regex_search(line, match, include))
                found.push_back({fs::relative(entry.path(), sourceRoot).generic_string(), match[1]});
    }
    return found;
}

// Why `include` breaks the table, or empty when it keeps to it.
std::string violation(const Include& include) {
    const std::string from = include.file.substr(0, include.file.find('/'));
    const std::string to = include.target.substr(0, include.target.find('/'));
    if (from == to) return {};
    const auto allowed = kAllowed.find(roomOf(from));
    if (allowed == kAllowed.end()) return include.file + ": its folder is in no room of the table";
    if (allowed->second.count(to) || allowed->second.count(include.target)) return {};
    return include.file + " includes " + include.target + " (" + roomOf(from) + " may not include " + to + ")";
}

TEST(IncludeDirections, EverySourceKeepsToTheTable) {
    const std::vector<Include> includes = projectIncludes(PYLORA_SOURCE_DIR);
    ASSERT_GT(includes.size(), 100u) << "the sources were not found under " << PYLORA_SOURCE_DIR;
    for (const Include& include : includes) {
        const std::string why = violation(include);
        EXPECT_TRUE(why.empty()) << why;
    }
}

TEST(IncludeDirections, TheTableRefusesTheFaultsItGuardsAgainst) {
    const std::vector<std::pair<Include, bool>> cases = {
        {{"line/wall_thickness.cpp", "documents/report_docx.h"}, false},  // a window and a document writer
        {{"quota/quota_form.cpp", "files/case_file.h"}, false},
        {{"model/form_definition.h", "cad/profile_drawing.h"}, false},  // the model and CAD
        {{"model/calc_form.cpp", "files/atomic_file.h"}, false},        // the model and files
        {{"files/project_book.h", "documents/report.h"}, false},
        {{"cli/main.cpp", "shell/main_window.h"}, false},
        {{"web/page_api.cpp", "shell/calc_window.h"}, false},  // the page and the desktop
        {{"cli/headless_runner.cpp", "web/window_session.h"}, false},
        {{"web/window_session.cpp", "cli/json_output.h"}, true},
        {{"line/wall_thickness.cpp", "model/calc.h"}, true},
        {{"crossing_profiles/ground_data_file.cpp", "files/data_locations.h"}, true},
        {{"documents/book_document.h", "files/project_book.h"}, true},
    };
    for (const auto& [include, allowed] : cases)
        EXPECT_EQ(violation(include).empty(), allowed) << include.file << " -> " << include.target;
}

}  // namespace
