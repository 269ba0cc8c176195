// Project books: the project and its calculations kept in one file and read back whole (the
// ground survey's records travel in the chapter that read them); damaged or foreign files are
// refused with one line naming the file and the fault; the book's closing table gives every
// chapter's verdicts, or what the chapter says instead.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "documents/book_document.h"
#include "files/project_book.h"
#include "model/window_registry.h"
#include "test_services.h"

namespace pylora {
namespace {

namespace fs = std::filesystem;

// A window run from its defaults with `edits` typed first and the buttons pressed in order.
CaseFile ranCase(const std::string& form, const std::vector<std::pair<std::string, std::string>>& edits,
                 const std::vector<std::string>& presses) {
    CalcForm window(*findWindow(form), testServicesWithGroundFile());
    for (const auto& [name, text] : edits) window.form().type(name, text);
    for (const std::string& press : presses) window.press(press);
    return captureCase(window);
}

ProjectBook crossingBook() {
    ProjectBook book;
    book.title = "K12+300 公路穿越计算书";
    book.project = {"西气东输三线", "XB-2026-012", "施工图设计", "李明", "王强", "张华", "2026年12月10日"};
    book.chapters.push_back({"管顶土壤荷载", ranCase("土壤荷载计算", {{"Text1", "18.5"}}, {"Command1"})});
    book.chapters.push_back({"强度校核（K12+300）", ranCase("公路穿越强度校核", {}, {"Command1"})});
    book.chapters.push_back({"地面数据", ranCase("定向钻穿越地面数据", {}, {"Command1", "Command3"})});
    return book;
}

TEST(ProjectBook, KeepsTheProjectAndEveryCalculationInOrder) {
    const ProjectBook book = crossingBook();
    ASSERT_FALSE(book.chapters[2].calculation.dataFiles.empty()) << "the profile read the survey";
    const ProjectBook read = parseBook(bookText(book), "穿越.pylora-project");
    EXPECT_EQ(read.title, book.title);
    const ProjectInfo& p = read.project;
    EXPECT_EQ(std::vector<std::string>({p.projectName, p.projectNumber, p.designStage, p.calculatedBy, p.checkedBy,
                                        p.approvedBy, p.date}),
              std::vector<std::string>({"西气东输三线", "XB-2026-012", "施工图设计", "李明", "王强", "张华",
                                        "2026年12月10日"}));
    ASSERT_EQ(read.chapters.size(), book.chapters.size());
    for (std::size_t i = 0; i < book.chapters.size(); ++i) {
        EXPECT_EQ(read.chapters[i].title, book.chapters[i].title);
        EXPECT_EQ(caseText(read.chapters[i].calculation), caseText(book.chapters[i].calculation)) << i;
    }
    EXPECT_EQ(read.chapters[0].calculation.inputs.front(), (std::pair<std::string, std::string>{"Text1", "18.5"}));
    EXPECT_EQ(bookText(read), bookText(book)) << "read and written again, byte for byte";
}

TEST(ProjectBook, ChaptersComputedAgainGiveTheSavedResults) {
    const BookDocument document = buildBookDocument(crossingBook(), testServicesWithGroundFile(), "2026年1月1日");
    ASSERT_EQ(document.chapters.size(), 3u);
    EXPECT_EQ(document.chapters[0].heading, "第1章 管顶土壤荷载");
    EXPECT_EQ(document.chapters[2].heading, "第3章 地面数据");
    EXPECT_EQ(document.project.date, "2026年12月10日") << "the book's own date stands";
    for (const BookChapterReport& chapter : document.chapters) {
        EXPECT_EQ(chapter.report.state, ReportState::Computed) << chapter.heading;
        EXPECT_TRUE(chapter.report.differencesFromCase.empty()) << chapter.heading;
    }
}

TEST(ProjectBook, TheSummaryGivesEveryChaptersVerdictsOrWhatItSaysInstead) {
    ProjectBook book = crossingBook();
    // A chapter whose run failed: the summary says so instead of a verdict.
    book.chapters.push_back({"失败的计算", ranCase("壁厚计算", {{"Text2", "0"}}, {"Command1"})});
    const BookDocument document = buildBookDocument(book, testServicesWithGroundFile(), "2026年1月1日");
    ASSERT_EQ(document.chapters[3].report.state, ReportState::Failed);
    const std::vector<BookVerdictRow> rows = bookSummary(document);
    for (std::size_t i = 0; i < document.chapters.size(); ++i) {
        const Report& report = document.chapters[i].report;
        std::vector<std::string> expected;
        if (report.state != ReportState::Computed) expected.push_back(stateStatement(report));
        else if (report.verdicts.empty()) expected.push_back("不作判定，计算结果见本章");
        for (const ReportVerdict& v : report.state == ReportState::Computed ? report.verdicts : std::vector<ReportVerdict>{})
            expected.push_back(v.text);
        std::vector<std::string> given;
        for (const BookVerdictRow& row : rows)
            if (row.chapter == chapterNumber(i)) given.push_back(row.text);
        EXPECT_EQ(given, expected) << document.chapters[i].heading;
    }
    EXPECT_FALSE(document.chapters[1].report.verdicts.empty()) << "the strength check gives verdicts";
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

std::string goodBook() {
    ProjectBook book;
    book.project.projectName = "西气东输三线";
    book.chapters.push_back({"壁厚", ranCase("壁厚计算", {}, {"Command1"})});
    book.chapters.push_back({"土壤荷载", ranCase("土壤荷载计算", {}, {"Command1"})});
    return bookText(book);
}

struct Damage {
    const char* name;
    std::string (*make)(const std::string& good);
    const char* fault;  // part of the message after the file's name
};

const Damage kDamages[] = {
    {"Empty", [](const std::string&) { return std::string(); }, "文件为空"},
    {"NotJson", [](const std::string&) { return std::string("西气东输三线"); }, "不是有效的 JSON"},
    {"Truncated", [](const std::string& g) { return g.substr(0, g.size() / 2); }, "文件不完整"},
    {"ForeignJson", [](const std::string&) { return std::string(R"({"name": "a"})"); }, "不是 Pylora 工程文件"},
    {"ACaseFile", [](const std::string& g) { return replaced(g, "\"pylora-project\"", "\"pylora-case\""); },
     "是单个计算文件（.pylora），不是工程文件"},
    {"NewerFormat", [](const std::string& g) { return replaced(g, "\"format_version\": 1", "\"format_version\": 2"); },
     "格式版本 2 比本程序能读的版本 1 新"},
    {"NoCalculations", [](const std::string& g) { return replaced(g, "\"calculations\":", "\"chapters\":"); },
     "缺少「calculations」"},
    {"CalculationsAsObject", [](const std::string& g) { return replaced(g, "\"calculations\": [", "\"calculations\": {}, \"x\": ["); },
     "「calculations」应为列表"},
    {"ProjectNameAsNumber", [](const std::string& g) { return replaced(g, "\"name\": \"西气东输三线\"", "\"name\": 3"); },
     "「project.name」应为文本"},
    {"ChapterWithoutCase", [](const std::string& g) { return replaced(g, "\"case\":", "\"calc\":"); },
     "缺少「calculations[0].case」"},
    {"UnknownWindowInAChapter", [](const std::string& g) { return replaced(g, "\"土壤荷载计算\"", "\"土壤荷载计算2\""); },
     "第 2 个计算「土壤荷载」：本程序没有计算窗口「土壤荷载计算2」"},
    {"DamagedCaseInAChapter", [](const std::string& g) { return replaced(g, "\"Text5\": \"", "\"Text5\": 1, \"x\": \""); },
     "第 1 个计算「壁厚」：「inputs.Text5」应为文本"},
    {"NotUtf8", [](const std::string& g) { return replaced(g, "\"西气东输三线\"", "\"\xce\xf7\xc6\xf8\""); }, "不是 UTF-8 文本"},
};

class DamagedBook : public testing::TestWithParam<Damage> {};

TEST_P(DamagedBook, IsRefusedNamingTheFileAndTheFault) {
    try {
        parseBook(GetParam().make(goodBook()), "/home/li/穿越.pylora-project");
        FAIL() << "read as a book";
    } catch (const BookFileError& e) {
        const std::string message = e.what();
        EXPECT_EQ(message.rfind("工程文件 /home/li/穿越.pylora-project：", 0), 0u) << message;
        EXPECT_NE(message.find(GetParam().fault), std::string::npos) << message;
        EXPECT_EQ(message.find('\n'), std::string::npos) << message;
    }
}

INSTANTIATE_TEST_SUITE_P(Faults, DamagedBook, testing::ValuesIn(kDamages),
                         [](const testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

TEST(ProjectBook, TruncatedAnywhereIsRefused) {
    const std::string good = goodBook();
    for (std::size_t length = 1; length < good.size() - 2; length += 97)
        EXPECT_THROW(parseBook(good.substr(0, length), "cut.pylora-project"), BookFileError) << length;
}

TEST(ProjectBook, SavedWholeAndOpenedAgain) {
    const fs::path folder = fs::temp_directory_path() / ("pylora-book-test-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    const fs::path path = folder / "穿越.pylora-project";
    std::ofstream(path) << "an older book";
    const ProjectBook book = parseBook(goodBook(), "x");
    saveBook(book, path);
    EXPECT_EQ(bookText(loadBook(path)), bookText(book));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1) << "no temporary left";
    EXPECT_THROW(saveBook(book, folder / "no-such-folder" / "a.pylora-project"), BookFileError);
    EXPECT_THROW(loadBook(folder / "missing.pylora-project"), BookFileError);
    EXPECT_THROW(loadBook(folder), BookFileError);
    fs::remove_all(folder);
}

}  // namespace
}  // namespace pylora
