// The material database readers against small fixture files: criteria, stored order,
// FindFirst / FindNext, what is missing, and values that look like SQL.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "model/run_failure.h"
#include "materials/material_database.h"

namespace pylora {
namespace {

namespace fs = std::filesystem;

class MaterialDatabaseTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("pylora_materials_" + std::to_string(getpid()) + "_" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    void makeDatabase(const std::string& fileName, const std::string& sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open((folder_ / fileName).c_str(), &db), SQLITE_OK);
        char* error = nullptr;
        const int status = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
        const std::string message = error ? error : "";
        sqlite3_free(error);
        sqlite3_close(db);
        ASSERT_EQ(status, SQLITE_OK) << message;
    }

    // Concrete-like rows in a stored order that is not the order of their keys.
    std::shared_ptr<MaterialTable> mixTable() {
        makeDatabase("mix.sqlite",
                     "CREATE TABLE mix (size TEXT, grade TEXT, cement REAL);"
                     "INSERT INTO mix VALUES ('20mm', '#50', 1), ('10mm', '#200', 2), ('10mm', '#50', 3),"
                     "                       ('20mm', '#50', 4), ('10mm', '#50', 5);");
        return openMaterialTable(folder_, "mix.sqlite", "mix");
    }

    fs::path folder_;
};

// The failure a call raises, for checking its kind, control and words.
template <typename Call>
RunFailure failureOf(Call call) {
    try {
        call();
    } catch (const RunFailure& failure) {
        return failure;
    }
    ADD_FAILURE() << "no RunFailure";
    return RunFailure(FailureKind::Internal, {});
}

TEST(CriterionTest, SplitsFieldAndValueAsTheWindowsBuildThem) {
    const struct {
        const char* text;
        const char* field;
        const char* value;
    } cases[] = {
        {"管径='φ159'", "管径", "φ159"},
        {"管径='φ57 ' ", "管径", "φ57 "},        // blanks at the ends go, the blank inside the quotes stays
        {"  壁厚='4mm'", "壁厚", "4mm"},
        {"项目='a='b'", "项目", "a='b"},          // the value runs to the last quote
        {"名称='x' OR '1'='1'", "名称", "x' OR '1'='1"},
        {"管径=''", "管径", ""},
    };
    for (const auto& c : cases) {
        const auto criterion = parseCriterion(c.text);
        ASSERT_TRUE(criterion) << c.text;
        EXPECT_EQ(criterion->field, c.field) << c.text;
        EXPECT_EQ(criterion->value, c.value) << c.text;
    }
    for (const char* malformed : {"管径φ159", "='φ159'", "管径='φ159", "管径='", ""})
        EXPECT_FALSE(parseCriterion(malformed)) << malformed;
}

TEST_F(MaterialDatabaseTest, OpeningMakesTheFirstStoredRecordCurrent) {
    auto table = mixTable();
    EXPECT_EQ(table->number("cement", "Text1").value(), 1);
}

TEST_F(MaterialDatabaseTest, FindFirstAndFindNextFollowTheStoredOrder) {
    auto table = mixTable();
    table->findFirst("size='10mm'", "List1");
    EXPECT_EQ(table->number("cement", "Text1").value(), 2);
    // The grade is searched after the record found: the first 10mm record is skipped even where
    // it matches, and the search runs on into records of any size.
    table->findNext("grade='#50'", "List2");
    EXPECT_EQ(table->number("cement", "Text1").value(), 3);
    table->findNext("grade='#50'", "List2");
    EXPECT_EQ(table->number("cement", "Text1").value(), 4);
    table->findNext("grade='#50'", "List2");
    EXPECT_EQ(table->number("cement", "Text1").value(), 5);

    const RunFailure past = failureOf([&] { table->findNext("grade='#50'", "List2"); });
    EXPECT_EQ(past.kind(), FailureKind::MissingData);
    EXPECT_EQ(past.control(), "List2");
    EXPECT_EQ(past.detail(), "数据库表 mix 中 grade='#50' 的记录之后没有 grade='#50' 的记录");
    // The failed search left the current record where it was; FindFirst starts at the top again.
    EXPECT_EQ(table->number("cement", "Text1").value(), 5);
    table->findFirst("grade='#50'", "List2");
    EXPECT_EQ(table->number("cement", "Text1").value(), 1);
}

TEST_F(MaterialDatabaseTest, NamesWhatIsMissing) {
    makeDatabase("t.sqlite",
                 "CREATE TABLE t (key TEXT, amount REAL, note TEXT);"
                 "INSERT INTO t VALUES ('φ57 ', NULL, ''), ('φ60', 4, '  ');"
                 "CREATE TABLE empty (key TEXT, amount REAL);");
    auto table = openMaterialTable(folder_, "t.sqlite", "t");
    const struct {
        const char* name;
        std::function<void()> call;
        const char* control;
        const char* detail;
    } cases[] = {
        {"record", [&] { table->findFirst("key='φ57'", "List1"); }, "List1", "数据库表 t 中没有 key='φ57' 的记录"},
        {"search field", [&] { table->findFirst("size='φ57 '", "List1"); }, "List1", "数据库表 t 中没有字段 size"},
        {"read field", [&] { table->text("φ57", "Text4"); }, "Text4", "数据库表 t 中没有字段 φ57"},
        {"null value", [&] { table->findFirst("key='φ57 '", "List1"); table->number("amount", "Text4"); }, "Text4",
         "数据库表 t 中 key='φ57 ' 的记录的字段 amount 为空"},
        {"empty text", [&] { table->findFirst("key='φ57 '", "List1"); table->text("note", "Text5"); }, "Text5",
         "数据库表 t 中 key='φ57 ' 的记录的字段 note 为空"},
        {"blank text", [&] { table->findFirst("key='φ60'", "List1"); table->text("note", "Text5"); }, "Text5",
         "数据库表 t 中 key='φ60' 的记录的字段 note 为空"},
        {"table", [&] { openMaterialTable(folder_, "t.sqlite", "电焊条")->findFirst("key='φ60'", "List1"); }, "List1",
         "数据库文件 t.sqlite 中没有表 电焊条"},
        {"no records", [&] { openMaterialTable(folder_, "t.sqlite", "empty")->number("amount", "Text4"); }, "Text4",
         "数据库表 empty 中没有记录"},
    };
    for (const auto& c : cases) {
        const RunFailure failure = failureOf(c.call);
        EXPECT_EQ(failure.kind(), FailureKind::MissingData) << c.name;
        EXPECT_EQ(failure.control(), c.control) << c.name;
        EXPECT_EQ(failure.detail(), c.detail) << c.name;
    }
}

TEST_F(MaterialDatabaseTest, ValuesHoldingQuotesOrSqlAreMatchedAsPlainText) {
    makeDatabase("t.sqlite",
                 "CREATE TABLE t (name TEXT, amount REAL);"
                 "INSERT INTO t VALUES ('a', 1), ('x'' OR ''1''=''1', 2), ('O''Brien', 3),"
                 "                     ('''; DROP TABLE t; --', 4);");
    auto table = openMaterialTable(folder_, "t.sqlite", "t");
    const std::pair<const char*, double> cases[] = {
        {"name='x' OR '1'='1'", 2},
        {"name='O'Brien'", 3},
        {"name=''; DROP TABLE t; --'", 4},
    };
    for (const auto& [criterion, amount] : cases) {
        table->findFirst(criterion, "List1");
        EXPECT_EQ(table->number("amount", "Text1").value(), amount) << criterion;
    }
    EXPECT_EQ(failureOf([&] { table->findFirst("name='b' OR 1=1 --'", "List1"); }).kind(), FailureKind::MissingData);
    // A field name that is not a field of the table never reaches the SQL text.
    EXPECT_EQ(failureOf([&] { table->findFirst("amount\" FROM t; --='1'", "List1"); }).detail(),
              "数据库表 t 中没有字段 amount\" FROM t; --");
    table->findFirst("name='a'", "List1");
    EXPECT_EQ(table->number("amount", "Text1").value(), 1);
}

TEST_F(MaterialDatabaseTest, ReadsNumbersAndTextsAsTheyAreShown) {
    makeDatabase("t.sqlite",
                 "CREATE TABLE t (key TEXT, whole INTEGER, part REAL, label TEXT, digits TEXT);"
                 "INSERT INTO t VALUES ('k', 2, 0.35, 'φ159×400mm', '12.5'), ('bad', 1, 1, 'x', '12.5 mm');");
    auto table = openMaterialTable(folder_, "t.sqlite", "t");
    EXPECT_EQ(table->text("whole", "Text1"), "2");
    EXPECT_EQ(table->text("part", "Text1"), "0.35");
    EXPECT_EQ(table->text("label", "Text1"), "φ159×400mm");
    EXPECT_EQ(table->number("part", "Text1").value(), 0.35);
    EXPECT_EQ(table->number("part", "Text1").source(), "Text1");
    EXPECT_EQ(table->number("digits", "Text1").value(), 12.5);
    table->findFirst("key='bad'", "List1");
    const RunFailure notANumber = failureOf([&] { table->number("digits", "Text2"); });
    EXPECT_EQ(notANumber.kind(), FailureKind::NotANumber);
    EXPECT_EQ(notANumber.control(), "Text2");
}

TEST_F(MaterialDatabaseTest, AMissingOrDamagedFileFailsTheRunThatNeedsIt) {
    auto missing = openMaterialTable(folder_, "焊接材料.sqlite", "电焊条");  // opening never fails
    const RunFailure absent = failureOf([&] { missing->findFirst("壁厚='4mm'", "List2"); });
    EXPECT_EQ(absent.kind(), FailureKind::MissingData);
    EXPECT_EQ(absent.control(), "List2");
    EXPECT_EQ(absent.detail(), "找不到数据库文件 " + (folder_ / "焊接材料.sqlite").string());

    // The file put in place later is found by the next run of the same window.
    makeDatabase("焊接材料.sqlite", "CREATE TABLE 电焊条 (壁厚 TEXT, φ57 REAL); INSERT INTO 电焊条 VALUES ('4mm', 0.05);");
    missing->findFirst("壁厚='4mm'", "List2");
    EXPECT_EQ(missing->number("φ57", "Text4").value(), 0.05);

    std::ofstream(folder_ / "damaged.sqlite") << "this is not a database file, only some text";
    auto damaged = openMaterialTable(folder_, "damaged.sqlite", "电焊条");
    const RunFailure unreadable = failureOf([&] { damaged->text("φ57", "Text4"); });
    EXPECT_EQ(unreadable.kind(), FailureKind::MissingData);
    EXPECT_EQ(unreadable.detail(), "数据库文件 damaged.sqlite 无法读取（file is not a database）");
}

TEST_F(MaterialDatabaseTest, NeverWritesTheFile) {
    makeDatabase("t.sqlite", "CREATE TABLE t (key TEXT, amount REAL); INSERT INTO t VALUES ('a', 1);");
    const fs::path file = folder_ / "t.sqlite";
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const auto size = fs::file_size(file);
    const auto written = fs::last_write_time(file);
    {
        auto table = openMaterialTable(folder_, "t.sqlite", "t");
        table->findFirst("key='a'", "List1");
        EXPECT_EQ(table->number("amount", "Text1").value(), 1);
    }
    EXPECT_EQ(fs::file_size(file), size);
    EXPECT_EQ(fs::last_write_time(file), written);
    EXPECT_FALSE(fs::exists(folder_ / "t.sqlite-journal"));
    EXPECT_FALSE(fs::exists(folder_ / "t.sqlite-wal"));
}

}  // namespace
}  // namespace pylora
