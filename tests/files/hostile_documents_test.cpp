// Case files and project books made to hurt: nesting far deeper than the formats hold, keys given
// twice, numbers beyond a double, bytes hidden after a NUL, lists and step counts without end,
// titles of a hundred thousand characters, devices and pipes named as files. Each is refused with
// one line naming the file and the key or byte, before it costs time or memory; a case's ground
// records reach the window in memory, never through a file anyone could have planted.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "files/atomic_file.h"
#include "files/case_file.h"
#include "files/project_book.h"
#include "model/window_registry.h"
#include "damaged_case.h"
#include "test_services.h"

namespace pylora {
namespace {

namespace fs = std::filesystem;

std::string nested(std::size_t depth, const std::string& inner) {
    return std::string(depth, '[') + inner + std::string(depth, ']');
}

std::string steps(std::size_t count) {
    std::string list = "\"steps\": [";
    for (std::size_t i = 0; i < count; ++i) list += (i ? ",\"Command1\"" : "\"Command1\"");
    return list + "],";
}

const Damage kHostileCases[] = {
    {"NestedFiftyThousandDeep", [](const std::string& g) { return replaced(g, "\"inputs\":", "\"x\": " + nested(50000, "1") + ", \"inputs\":"); },
     "嵌套超过 10 层"},
    {"NestedObjects", [](const std::string& g) {
         std::string deep;
         for (int i = 0; i < 20000; ++i) deep += "{\"a\":";
         return replaced(g, "\"inputs\":", "\"x\": " + deep + "1" + std::string(20000, '}') + ", \"inputs\":");
     }, "嵌套超过 10 层"},
    {"FormTwice", [](const std::string& g) { return replaced(g, "\"form\":", "\"form\": \"土壤荷载计算\", \"form\":"); },
     "「form」出现两次"},
    {"InputTwice", [](const std::string& g) { return replaced(g, "\"Text10\":", "\"Text1\":"); }, "「inputs.Text1」出现两次"},
    {"NumberBeyondDouble", [](const std::string& g) { return replaced(g, "\"format_version\": 1", "\"format_version\": 1, \"scale\": 1e400"); },
     "「scale」的数值超出范围"},
    {"NumberBeyondDoubleInAList", [](const std::string& g) { return replaced(g, "\"steps\": [", "\"steps\": [-1e400,"); },
     "「steps[0]」的数值超出范围"},
    {"BytesAfterNul", [](const std::string& g) { return g.substr(0, g.size() - 2) + std::string("\0{\"form\":1}", 11); },
     "字节处有 NUL 字节"},
    {"StepsWithoutEnd", [](const std::string& g) { return replaced(g, "\"steps\": [", steps(100000) + "\"old\": ["); },
     "「steps」有 100000 步，多于 1000 步"},
    {"ListLongerThanAnySurvey", [](const std::string& g) {
         std::string records = "[";
         for (int i = 0; i <= 200000; ++i) records += i ? ",[\"1\",\"2\"]" : "[\"1\",\"2\"]";
         return replaced(g, "\"data_files\": [", "\"data_files\": [{\"caption\": \"地面数据文件\", \"path\": \"1.TXT\", "
                         "\"sample\": false, \"columns\": [\"a\", \"b\"], \"records\": " + records + "]}");
     }, "「data_files[0].records」多于 200000 项"},
};

class HostileCase : public testing::TestWithParam<Damage> {};

TEST_P(HostileCase, IsRefusedOnOneLineNamingTheFileAndWhere) { expectRefusedNamingTheFile(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Faults, HostileCase, testing::ValuesIn(kHostileCases), damageName);

TEST(HostileCase, ManyUnknownMembersAreReadAndTheirOrderKept) {
    // Members are appended as read: a hundred thousand of them cost no more than their bytes.
    std::string extra = "\"extra\": {";
    for (int i = 0; i < 100000; ++i) extra += (i ? ",\"k" : "\"k") + std::to_string(i) + "\": 0";
    const CaseFile file = parseCase(replaced(wallThicknessCase(), "\"inputs\":", extra + "}, \"inputs\":"), "a.pylora");
    EXPECT_EQ(file.formName, "壁厚计算");
    const CaseFile good = parseCase(wallThicknessCase(), "a.pylora");
    EXPECT_EQ(file.inputs, good.inputs) << "inputs in the order written";
}

class HostileDocumentFiles : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("pylora-hostile-documents-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        if (tmpdir_) {
            ::setenv("TMPDIR", tmpdir_->c_str(), 1);
        } else if (saved_) {
            ::unsetenv("TMPDIR");
        }
        fs::remove_all(folder_);
    }
    void setTemporaryFolder(const fs::path& folder) {
        if (!saved_) {
            saved_ = true;
            if (const char* was = std::getenv("TMPDIR")) tmpdir_ = was;
        }
        ::setenv("TMPDIR", folder.c_str(), 1);
    }
    fs::path folder_;
    bool saved_ = false;
    std::optional<std::string> tmpdir_;
};

TEST_F(HostileDocumentFiles, DevicesAndPipesAreRefusedWithoutReadingOrWaiting) {
    const fs::path pipe = folder_ / "pipe.pylora";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const struct {
        fs::path file;
        const char* said;
    } named[] = {{"/dev/zero", "是设备，不是普通文件"}, {"/dev/urandom", "是设备，不是普通文件"}, {pipe, "是管道，不是普通文件"},
                 {folder_, "是一个文件夹"}};
    for (const auto& n : named) {
        try {
            loadCase(n.file);
            ADD_FAILURE() << n.file << " read as a case";
        } catch (const CaseFileError& e) {
            EXPECT_NE(std::string(e.what()).find(n.said), std::string::npos) << e.what();
        }
        try {
            loadBook(n.file);
            ADD_FAILURE() << n.file << " read as a book";
        } catch (const BookFileError& e) {
            EXPECT_NE(std::string(e.what()).find(n.said), std::string::npos) << e.what();
        }
    }
}

// The survey's records saved in a directional-drilling case.
CaseFile groundCase() {
    CalcForm window(*findWindow("定向钻穿越地面数据"), testServicesWithGroundFile());
    window.press("Command1");
    window.press("Command3");
    return captureCase(window);
}

TEST_F(HostileDocumentFiles, ACasesGroundRecordsReachTheWindowWithoutAnyFile) {
    const CaseFile file = groundCase();
    ASSERT_FALSE(file.dataFiles.empty());
    const fs::path temporary = folder_ / "tmp";
    fs::create_directories(temporary);
    setTemporaryFolder(temporary);
    // A link planted where a scratch copy of the records could be written points at a victim.
    const fs::path victim = folder_ / "victim";
    std::ofstream(victim) << "keep";
    for (int n = 0; n < 4; ++n)
        fs::create_symlink(victim, temporary / ("pylora-ground-" + std::to_string(::getpid()) + "-" + std::to_string(n) + ".TXT"));
    Services elsewhere = testServices();
    elsewhere.groundDataFile = "/nonexistent/1.TXT";
    CalcForm opened(*findWindow("定向钻穿越地面数据"), elsewhere);
    EXPECT_TRUE(replayCase(opened, file, CaseGroundData(file, "穿越.pylora")).empty());
    EXPECT_FALSE(opened.record().failure);
    std::ifstream in(victim);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "keep");
    EXPECT_EQ(std::distance(fs::directory_iterator(temporary), fs::directory_iterator()), 4) << "nothing written";

    // Without a temporary folder at all the case computes just the same.
    setTemporaryFolder(folder_ / "missing");
    CalcForm again(*findWindow("定向钻穿越地面数据"), elsewhere);
    EXPECT_TRUE(replayCase(again, file, CaseGroundData(file, "穿越.pylora")).empty());
    EXPECT_FALSE(again.record().failure);
}

TEST_F(HostileDocumentFiles, ABadGroundRecordIsNamedByTheCaseAndItsPlace) {
    CaseFile file = groundCase();
    file.dataFiles[0].records[2][1] = "31O.8";
    CalcForm opened(*findWindow("定向钻穿越地面数据"), testServices());
    replayCase(opened, file, CaseGroundData(file, "/home/li/穿越.pylora"));
    ASSERT_TRUE(opened.record().failure);
    const std::string said = failureMessage(*opened.record().failure, opened.definition());
    EXPECT_NE(said.find("计算文件 /home/li/穿越.pylora 所存的地面数据 第3个记录的「31O.8」"), std::string::npos) << said;
}

TEST_F(HostileDocumentFiles, ADanglingLinkIsWrittenThroughAndStays) {
    const fs::path link = folder_ / "计算书.pylora";
    const fs::path target = folder_ / "kept" / "壁厚.pylora";
    fs::create_directories(target.parent_path());
    fs::create_symlink("kept/壁厚.pylora", link);  // relative, as links usually are
    ASSERT_FALSE(writeFileAtomically(link, "written"));
    EXPECT_TRUE(fs::is_symlink(link));
    std::ifstream in(target);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "written");
}

std::string bookOf(const std::string& caseText, const std::string& title, const std::string& project) {
    return "{\"format\": \"pylora-project\", \"format_version\": 1, \"title\": " + title + ", \"project\": " + project +
           ", \"calculations\": [{\"title\": \"壁厚\", \"case\": " + caseText + "}]}";
}

TEST(HostileBook, EachIsRefusedNamingTheFieldOrPlace) {
    const std::string good = wallThicknessCase();
    const std::string longName = "\"" + std::string(100000, 'x') + "\"";
    const struct {
        std::string text;
        const char* fault;
    } books[] = {
        {bookOf(good, nested(100000, "\"t\""), "{}"), "嵌套超过 10 层"},
        {bookOf(good, longName, "{}"), "「title」长于 300 个字符"},
        {bookOf(good, "\"t\"", "{\"name\": " + longName + "}"), "「project.name」长于 300 个字符"},
        {bookOf(good, "\"t\"", "{\"name\": \"a\", \"name\": \"b\"}"), "「project.name」出现两次"},
        {bookOf(good, "\"t\"", "{\"number\": 1e400}"), "「project.number」的数值超出范围"},
        {bookOf(replaced(good, "\"form\":", "\"form\": \"a\", \"form\":"), "\"t\"", "{}"),
         "「calculations[0].case.form」出现两次"},
    };
    for (const auto& book : books) {
        try {
            parseBook(book.text, "/home/li/穿越.pylora-project");
            ADD_FAILURE() << book.fault << ": read as a book";
        } catch (const BookFileError& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind("工程文件 /home/li/穿越.pylora-project：", 0), 0u) << message.substr(0, 200);
            EXPECT_NE(message.find(book.fault), std::string::npos) << message.substr(0, 200);
        }
    }
    // Three hundred characters of Chinese are a title.
    std::string longest;
    for (int i = 0; i < 300; ++i) longest += "穿";
    EXPECT_EQ(parseBook(bookOf(good, "\"" + longest + "\"", "{}"), "a").title, longest);
}

}  // namespace
}  // namespace pylora
