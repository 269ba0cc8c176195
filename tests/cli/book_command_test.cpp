// pylora-cli book: five calculations of one crossing bound as one PDF, read back page by page by
// pdftotext: the 目录 names the page each chapter starts on, every page is numbered across the
// book, the closing table gives every chapter's verdicts; the DOCX read by LibreOffice; a file
// that is no case or no book ends the command with status 2 and one line naming it.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <unistd.h>

#include "cli/headless_runner.h"
#include "files/project_book.h"

namespace pylora {
namespace {

namespace fs = std::filesystem;

std::string shellWord(const std::string& text) { return "'" + text + "'"; }

// Standard output of a shell command line, and its exit status.
std::pair<int, std::string> shell(const std::string& command) {
    std::string out;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return {-1, out};
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

// Whether a line of the page holds `heading` and nothing else.
bool standsAlone(const std::string& page, const std::string& heading) {
    std::stringstream in(page);
    for (std::string line; std::getline(in, line);) {
        const auto first = line.find_first_not_of(' ');
        if (first != std::string::npos && line.substr(first, line.find_last_not_of(' ') + 1 - first) == heading) return true;
    }
    return false;
}

std::string withoutBlanks(std::string text) {
    std::erase_if(text, [](char c) { return c == ' ' || c == '\t'; });
    return text;
}

// PDF and DOCX pages are laid out by pylora-report, which a build without the desktop libraries
// (the sanitizer build) does not have.
#define REQUIRE_REPORT_PROGRAM()                                                  \
    if (!fs::exists(fs::path(PYLORA_CLI).parent_path() / "pylora-report"))       \
    GTEST_SKIP() << "pylora-report is not built here: a build without the desktop libraries"

class BookCommand : public testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = fs::temp_directory_path() / ("pylora-cli-book-" + std::to_string(::getpid()));
        fs::create_directories(folder_);
        // A crossing: soil and vehicle loads, strength and stability checks, a drilled profile.
        const std::vector<std::vector<std::string>> runs = {
            {"土壤荷载计算"}, {"汽车荷载计算"}, {"公路穿越强度校核"}, {"公路穿越稳定性校核"},
            {"定向钻穿越地面数据", "--press", "Command1", "--press", "Command3"}};
        for (const auto& r : runs) {
            std::string command = shellWord(PYLORA_CLI) + " --database " + shellWord(PYLORA_DATABASE_DIR) + " run";
            for (const std::string& a : r) command += " " + shellWord(a);
            cases_.push_back((folder_ / (r.front() + ".pylora")).string());
            command += " --ground-file " + shellWord((fs::path(PYLORA_DATABASE_DIR) / "1.TXT").string());
            ASSERT_EQ(shell(command + " --save " + shellWord(cases_.back()) + " >/dev/null").first, 0) << command;
        }
    }
    static void TearDownTestSuite() { fs::remove_all(folder_); }

    static std::pair<int, std::string> book(const std::string& arguments) {
        return shell(shellWord(PYLORA_CLI) + " --database " + shellWord(PYLORA_DATABASE_DIR) + " book " + arguments + " 2>&1");
    }
    static std::string caseArguments() {
        std::string arguments;
        for (const std::string& c : cases_) arguments += " --case " + shellWord(c);
        return arguments;
    }
    // The PDF's pages as pdftotext lays them out, the first at [1].
    static std::vector<std::string> pages(const fs::path& pdf) {
        const auto [status, text] = shell("pdftotext -layout " + shellWord(pdf.string()) + " -");
        EXPECT_EQ(status, 0);
        std::vector<std::string> pages{""};
        std::stringstream in(text);
        for (std::string page; std::getline(in, page, '\f');) pages.push_back(page);
        if (pages.size() > 1 && pages.back().find_first_not_of(" \n") == std::string::npos) pages.pop_back();
        return pages;
    }

    static inline fs::path folder_;
    static inline std::vector<std::string> cases_;
};

TEST_F(BookCommand, TheContentsNameThePagesWhereTheChaptersStart) {
    REQUIRE_REPORT_PROGRAM();
    const fs::path pdf = folder_ / "穿越.pdf";
    const auto [status, said] = book(caseArguments() + " --project-name 西气东输三线 --project-number XB-2026-012"
                                     " --calculated-by 李明 --checked-by 王强 --approved-by 张华 --title 公路穿越计算书 -o " +
                                     shellWord(pdf.string()));
    ASSERT_EQ(status, 0) << said;
    const std::vector<std::string> page = pages(pdf);
    const int total = static_cast<int>(page.size()) - 1;
    ASSERT_GT(total, 8);
    for (int p = 1; p <= total; ++p) {
        if (p == 1) continue;  // the cover carries no page number
        EXPECT_NE(page[p].find("第 " + std::to_string(p) + " 页 共 " + std::to_string(total) + " 页"), std::string::npos) << p;
    }
    for (const char* cover : {"西气东输三线", "公路穿越计算书", "XB-2026-012", "李明", "王强", "张华", "签字"})
        EXPECT_NE(page[1].find(cover), std::string::npos) << cover;

    // 目录: "第3章 公路穿越强度校核 …… 10", then 计算结论汇总 and its page.
    const std::regex line(R"((第\d章 \S+|计算结论汇总)\s+(\d+)\s*)");
    std::vector<std::pair<std::string, int>> contents;
    std::stringstream in(page[2]);
    for (std::string text; std::getline(in, text);) {
        std::smatch m;
        if (std::regex_match(text, m, line)) contents.emplace_back(m[1], std::stoi(m[2]));
    }
    ASSERT_EQ(contents.size(), cases_.size() + 1) << page[2];
    int previous = 2;
    for (const auto& [heading, start] : contents) {
        ASSERT_GT(start, previous) << heading;
        ASSERT_LE(start, total) << heading;
        // The heading stands on its page, below the running header, and on no page before.
        EXPECT_TRUE(standsAlone(page[start], heading)) << heading << " on page " << start;
        for (int p = 3; p < start; ++p) EXPECT_FALSE(standsAlone(page[p], heading)) << heading << " already on page " << p;
        previous = start;
    }
    EXPECT_EQ(contents.front().second, 3) << "the first chapter follows the cover and the contents";
    EXPECT_EQ(contents.back().second, total) << "the summary ends the book";
}

TEST_F(BookCommand, TheSummaryListsEveryChaptersVerdicts) {
    REQUIRE_REPORT_PROGRAM();
    const fs::path pdf = folder_ / "summary.pdf";
    ASSERT_EQ(book(caseArguments() + " -o " + shellWord(pdf.string())).first, 0);
    const std::string summary = withoutBlanks(pages(pdf).back());
    ASSERT_NE(summary.find("计算结论汇总"), std::string::npos);
    // Each chapter's verdicts as its own report gives them, in the order of the chapters.
    std::size_t from = 0;
    for (std::size_t i = 0; i < cases_.size(); ++i) {
        const auto [status, json] = shell(shellWord(PYLORA_CLI) + " report --case " + shellWord(cases_[i]) + " -o - --format json");
        ASSERT_EQ(status, 0);
        const std::regex verdict(R"re("text": "([^"]*)")re");
        const std::string verdicts = json.substr(json.find("\"verdicts\""));
        std::vector<std::string> texts;
        for (std::sregex_iterator m(verdicts.begin(), verdicts.end(), verdict), end; m != end; ++m)
            texts.push_back((*m)[1]);
        if (texts.empty()) texts.push_back("不作判定");
        for (const std::string& text : texts) {
            // A long verdict wraps in its cell: its first words stand in the row.
            const std::string start = withoutBlanks(text).substr(0, std::min<std::size_t>(text.size(), 24));
            const auto at = summary.find(start, from);
            ASSERT_NE(at, std::string::npos) << "第" << i + 1 << "章: " << text << "\n" << summary;
            EXPECT_NE(summary.rfind("第" + std::to_string(i + 1) + "章", at), std::string::npos) << text << "\n" << summary;
            from = at + start.size();
        }
    }
}

TEST_F(BookCommand, AProjectFileBindsAsTheCasesDoAndTheDocxOpens) {
    REQUIRE_REPORT_PROGRAM();
    ProjectBook project;
    project.title = "公路穿越计算书";
    project.project.projectName = "西气东输三线";
    for (const std::string& c : cases_) project.chapters.push_back(chapterOf(loadCase(c)));
    project.chapters[0].title = "管顶土壤荷载（K12+300）";
    const fs::path file = folder_ / "穿越.pylora-project";
    saveBook(project, file);
    const fs::path docx = folder_ / "穿越.docx";
    ASSERT_EQ(book(shellWord(file.string()) + " -o " + shellWord(docx.string())).first, 0);
    const auto [converted, said] =
        shell("cd " + shellWord(folder_.string()) + " && timeout 120 soffice --headless --convert-to txt:Text " +
              shellWord(docx.string()) + " >/dev/null 2>&1; cat " + shellWord((folder_ / "穿越.txt").string()));
    for (const char* text : {"西气东输三线", "公路穿越计算书", "目录", "第1章 管顶土壤荷载（K12+300）", "第5章 定向钻穿越（地面数据）",
                             "计算结论汇总", "满足强度要求"})
        EXPECT_NE(said.find(text), std::string::npos) << text;
}

TEST_F(BookCommand, AChapterWhoseRunFailsIsBoundWithItsFailureAndStatus3) {
    REQUIRE_REPORT_PROGRAM();
    const std::string failing = (folder_ / "零压力.pylora").string();
    shell(shellWord(PYLORA_CLI) + " run 壁厚计算 --set Text2=0 --save " + shellWord(failing) + " >/dev/null");
    const fs::path pdf = folder_ / "failed.pdf";
    const auto [status, said] = book("--case " + shellWord(cases_[0]) + " --case " + shellWord(failing) + " -o " +
                                     shellWord(pdf.string()));
    EXPECT_EQ(status, kExitRunFailed) << said;
    EXPECT_NE(said.find("第2章 壁厚计算: 计算中止"), std::string::npos) << said;
    std::string summary = withoutBlanks(pages(pdf).back());
    std::erase(summary, '\n');  // the statement may wrap in its cell
    EXPECT_NE(summary.find("本次计算未完成"), std::string::npos) << summary;
}

TEST_F(BookCommand, ABadFileIsNamedOnOneLine) {
    REQUIRE_REPORT_PROGRAM();
    std::ofstream(folder_ / "cut.pylora") << "{\"format\": \"pylora-case\", \"format_";
    std::ofstream(folder_ / "cut.pylora-project") << "{\"format\": \"pylora-project\", \"format_version\": 9, \"calculations\": []}";
    const struct {
        std::string arguments;
        std::string said;
    } faults[] = {
        {"--case " + shellWord(cases_[0]) + " --case " + shellWord((folder_ / "cut.pylora").string()),
         "计算文件 " + (folder_ / "cut.pylora").string() + "：文件不完整"},
        {shellWord((folder_ / "cut.pylora-project").string()),
         "工程文件 " + (folder_ / "cut.pylora-project").string() + "：格式版本 9 比本程序能读的版本 1 新"},
        {shellWord(cases_[0]), "工程文件 " + cases_[0] + "：是单个计算文件"},
        {"--case " + shellWord((folder_ / "missing.pylora").string()), "missing.pylora：无法打开"},
        {"", "name a project file"},
    };
    for (const auto& fault : faults) {
        for (const char* output : {"out.pdf", "out.docx"}) {
            const auto [status, said] = book(fault.arguments + " -o " + shellWord((folder_ / output).string()));
            EXPECT_EQ(status, kExitUsage) << fault.arguments;
            EXPECT_NE(said.find(fault.said), std::string::npos) << said;
            EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
            EXPECT_FALSE(fs::exists(folder_ / output));
        }
    }
    const auto [status, said] = book("--case " + shellWord(cases_[0]) + " -o " + shellWord((folder_ / "out.html").string()));
    EXPECT_EQ(status, kExitUsage) << said;
}

}  // namespace
}  // namespace pylora
