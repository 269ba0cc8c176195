// The material windows against the database files the build makes, and the concrete lookup
// against a fixture table in plain size-and-grade order.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>

#include "model/calc_form.h"
#include "model/window_registry.h"

namespace pylora {
namespace {

namespace fs = std::filesystem;

CalcForm openWindow(const std::string& formName, const fs::path& databaseFolder) {
    const FormDefinition* definition = findWindow(formName);
    if (!definition) throw std::runtime_error("window not registered: " + formName);
    Services services;
    services.databaseFolder = databaseFolder;
    return CalcForm(*definition, services);
}

// Runs the window once for every combination of its lists' items and reports any that fails.
void expectEveryItemFound(const std::string& formName, const std::vector<std::string>& lists) {
    CalcForm window = openWindow(formName, PYLORA_DATABASE_DIR);
    const std::string run = window.definition().defaultRunButton();
    std::vector<int> index(lists.size(), 0);
    for (;;) {
        std::string chosen;
        for (std::size_t i = 0; i < lists.size(); ++i) {
            window.form().setSelectedIndex(lists[i], index[i]);
            chosen += window.form().items(lists[i])[static_cast<std::size_t>(index[i])] + " ";
        }
        const auto failure = window.press(run);
        EXPECT_FALSE(failure) << formName << " " << chosen << (failure ? failure->what() : "");
        std::size_t i = 0;
        while (i < lists.size() && ++index[i] == static_cast<int>(window.form().items(lists[i]).size())) index[i++] = 0;
        if (i == lists.size()) break;
    }
}

TEST(MaterialWindowsTest, EveryListItemHasItsRecordsInTheBuiltDatabase) {
    expectEveryItemFound("防腐材料", {"List1", "List2"});
    expectEveryItemFound("焊接材料", {"List1", "List2"});
    expectEveryItemFound("土建材料", {"List1", "List2"});
    expectEveryItemFound("土建材料二", {"List1"});
    expectEveryItemFound("套管支架选型及计算", {"List1"});
}

// The value of one field of the record with the given size and grade, read directly.
std::string mixValue(const std::string& table, const std::string& sizeField, const std::string& size,
                     const std::string& grade, const std::string& field) {
    sqlite3* db = nullptr;
    const fs::path file = fs::path(PYLORA_DATABASE_DIR) / "土建材料97.sqlite";
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    const std::string sql = "SELECT \"" + field + "\" FROM \"" + table + "\" WHERE \"" + sizeField +
                            "\" = ?1 AND 混凝土标号 = ?2";
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr);
    sqlite3_bind_text(stmt, 1, size.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(stmt, 2, grade.c_str(), -1, SQLITE_TRANSIENT);
    std::string value = "(none)";
    if (sqlite3_step(stmt) == SQLITE_ROW) value = std::to_string(sqlite3_column_int(stmt, 0));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return value;
}

// The grade is searched from the record after the first record of the size; the built tables
// are ordered so that this still lands on the record of the chosen size and grade.
TEST(MaterialWindowsTest, ConcreteLookupUsesTheRecordOfTheChosenSizeAndGrade) {
    CalcForm window = openWindow("土建材料", PYLORA_DATABASE_DIR);
    for (const std::string& size : window.form().items("List1")) {
        for (const std::string& grade : window.form().items("List2")) {
            window.form().choose("List1", size);
            window.form().choose("List2", grade);
            ASSERT_FALSE(window.press("OKButton")) << size << grade;
            EXPECT_EQ(window.form().text("Text3"), mixValue("砾石混凝土", "砾石粒径", size, grade, "#300水泥（中砂）"))
                << size << grade;
            EXPECT_EQ(window.form().text("Text20"), mixValue("碎石混凝土", "碎石粒径", size, grade, "#300水泥（中砂）"))
                << size << grade;
        }
    }
}

class ConcreteFixtureTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("pylora_concrete_" + std::to_string(getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        std::string sql;
        for (const auto& [table, key] : {std::pair{"砾石混凝土", "砾石粒径"}, std::pair{"碎石混凝土", "碎石粒径"}}) {
            sql += std::string("CREATE TABLE ") + table + " (" + key +
                   " TEXT, 混凝土标号 TEXT, \"#300水泥（中砂）\" REAL, \"#400水泥（中砂）\" REAL, \"砂（中砂）\" REAL,"
                   " \"石（中砂）\" REAL, \"#300水泥（细砂）\" REAL, \"#400水泥（细砂）\" REAL, \"砂（细砂）\" REAL,"
                   " \"石（细砂）\" REAL);";
            // Each size opens with #50; the cement column tells the records apart.
            sql += std::string("INSERT INTO ") + table +
                   " VALUES ('10mm', '#50', 101, 1, 1, 1, 1, 1, 1, 1), ('10mm', '#200', 102, 1, 1, 1, 1, 1, 1, 1),"
                   "        ('20mm', '#50', 201, 1, 1, 1, 1, 1, 1, 1), ('20mm', '#200', 202, 1, 1, 1, 1, 1, 1, 1);";
        }
        sqlite3* db = nullptr;
        sqlite3_open((folder_ / "土建材料97.sqlite").c_str(), &db);
        ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path folder_;
};

TEST_F(ConcreteFixtureTest, FirstRecordOfTheSizeIsSkippedWhenSearchingTheGrade) {
    CalcForm window = openWindow("土建材料", folder_);
    window.form().choose("List1", "10mm");
    window.form().choose("List2", "#200");
    ASSERT_FALSE(window.press("OKButton"));
    EXPECT_EQ(window.form().text("Text3"), "102");

    // 10mm #50 is the first record of its size: the search goes on to 20mm #50.
    window.form().choose("List2", "#50");
    ASSERT_FALSE(window.press("OKButton"));
    EXPECT_EQ(window.form().text("Text3"), "201");
    EXPECT_EQ(window.form().text("Text2"), "2311.5");

    // 20mm #50 has no #50 after it: the run fails, naming the grade list.
    window.form().choose("List1", "20mm");
    const auto failure = window.press("OKButton");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->kind(), FailureKind::MissingData);
    EXPECT_EQ(failure->control(), "List2");
    EXPECT_EQ(failure->detail(), "数据库表 砾石混凝土 中 砾石粒径='20mm' 的记录之后没有 混凝土标号='#50' 的记录");
}

TEST(MaterialWindowsTest, WithoutTheDatabaseFolderTheWindowOpensAndTheRunFails) {
    CalcForm window = openWindow("土建材料二", "/nonexistent/pylora/database");
    window.form().choose("List1", "#25水泥砂浆砌砖");
    const auto failure = window.press("OKButton");
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->kind(), FailureKind::MissingData);
    EXPECT_EQ(failure->control(), "List1");
    EXPECT_EQ(window.form().written().size(), 0u);
}

}  // namespace
}  // namespace pylora
