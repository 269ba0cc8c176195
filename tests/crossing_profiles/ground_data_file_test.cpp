// The ground data file reader on small fixtures: the layouts a spreadsheet or a hand gives that
// read the same, the files that end the run naming file and line, and where the file is found.
#include "crossing_profiles/ground_data_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "files/data_locations.h"

namespace pylora {
namespace {

namespace fs = std::filesystem;

using Records = std::vector<std::array<std::string, 2>>;

Records recordsOf(const GroundData& data) {
    Records records;
    for (const GroundRecord& r : data.records) records.push_back({r.station, r.elevation});
    return records;
}

struct LayoutCase {
    const char* name;
    std::string text;
};

TEST(GroundDataFile, LayoutsReadTheSame) {
    const Records expected{{"0.00", "310.8"}, {"10", "310.3"}, {"18.5", "309.5"}};
    const LayoutCase cases[] = {
        {"one record a line", "0.00,310.8\n10,310.3\n18.5,309.5\n"},
        {"spreadsheet CSV: mark, CRLF", "\xEF\xBB\xBF" "0.00,310.8\r\n10,310.3\r\n18.5,309.5\r\n"},
        {"blanks around values, no final line end", " 0.00 , 310.8\n10,\t310.3\n18.5,309.5"},
        {"blank lines anywhere", "\n0.00,310.8\n\n  \n10,310.3\r\n\r\n18.5,309.5\n\n\n"},
        {"a spreadsheet's empty columns", "0.00,310.8,\n10,310.3,,\n18.5,309.5,\n"},
    };
    for (const LayoutCase& c : cases) EXPECT_EQ(recordsOf(parseGroundData(c.text, "1.TXT")), expected) << c.name;
}

// A spreadsheet's heading before the records is skipped and noted; words anywhere else are
// still refused, a second heading line too.
TEST(GroundDataFile, AHeadingLineFirstIsSkippedAndSaid) {
    const GroundData data = parseGroundData("\xEF\xBB\xBF里程,地面高程\r\n0.00,310.8\r\n10,310.3\r\n", "/d/1.TXT");
    EXPECT_EQ(recordsOf(data), (Records{{"0.00", "310.8"}, {"10", "310.3"}}));
    ASSERT_EQ(data.notes.size(), 1u);
    EXPECT_EQ(data.notes[0], "地面数据文件 /d/1.TXT 第1行「里程,地面高程」不是数据，作为表头跳过");
    for (const char* text : {"里程,地面高程\n桩号,高程\n0,310.8\n", "0,310.8\n里程,地面高程\n"}) {
        try {
            parseGroundData(text, "/d/1.TXT");
            ADD_FAILURE() << text;
        } catch (const RunFailure& failure) {
            EXPECT_EQ(failure.kind(), FailureKind::NotANumber) << text;
        }
    }
}

// The disk hands the file over in pieces of any size: the records are the same.
TEST(GroundDataFile, PiecesOfAnySizeReadAsTheWhole) {
    const std::string text = "\xEF\xBB\xBF" "0.00,310.8\r\n10,310.3\r\n\r\n18.5,309.5";
    for (std::size_t size : {1, 2, 3, 5, 64}) {
        GroundDataParser parser("1.TXT");
        for (std::size_t at = 0; at < text.size(); at += size) parser.feed(std::string_view(text).substr(at, size));
        const GroundData data = parser.finish();
        EXPECT_EQ(recordsOf(data), (Records{{"0.00", "310.8"}, {"10", "310.3"}, {"18.5", "309.5"}})) << size;
        EXPECT_EQ(data.records.back().line, 4) << size;
    }
}

TEST(GroundDataFile, EveryValueIsReadOnceAsANumber) {
    const GroundData data = parseGroundData("\n0,-300.5\n\n5,1e3\n", "1.TXT");
    ASSERT_EQ(data.records.size(), 2u);
    EXPECT_EQ(data.records[0].line, 2);
    EXPECT_EQ(data.records[1].line, 4);
    EXPECT_EQ(data.elevation(0).value(), -300.5);
    EXPECT_EQ(data.elevation(1).value(), 1000);
    EXPECT_TRUE(data.notes.empty());
}

struct BadFileCase {
    const char* name;
    std::string text;
    FailureKind kind;
    std::string detail;
};

TEST(GroundDataFile, ABadFileEndsTheRunNamingFileLineAndTheExpectedForm) {
    const std::string expected = "每行应为一个里程和一个地面标高，以英文逗号分隔，如「0.00,310.8」";
    const BadFileCase cases[] = {
        {"one value a line", "0,310.8\n10\n310.3\n", FailureKind::MissingData,
         "地面数据文件 /d/1.TXT 第2行「10」有 1 个数值：" + expected},
        {"three columns", "0,310.8,1\n", FailureKind::MissingData,
         "地面数据文件 /d/1.TXT 第1行「0,310.8,1」有 3 个数值：" + expected},
        {"two records on a line", "0,310.8,10,310.3\n", FailureKind::MissingData,
         "地面数据文件 /d/1.TXT 第1行「0,310.8,10,310.3」有 4 个数值：" + expected},
        {"decimal commas", "0,00,310,8\n", FailureKind::MissingData,
         "地面数据文件 /d/1.TXT 第1行「0,00,310,8」有 4 个数值：" + expected + "（小数点应为“.”，不能用逗号）"},
        {"tabs", "0.00\t310.8\n", FailureKind::MissingData,
         "地面数据文件 /d/1.TXT 第1行「0.00\t310.8」以制表符分隔数值：" + expected + "，小数点用“.”"},
        {"semicolons with decimal commas", "0,00;310,8\n", FailureKind::MissingData,
         "地面数据文件 /d/1.TXT 第1行「0,00;310,8」以分号分隔数值、以逗号作小数点：" + expected + "，小数点用“.”"},
        {"blanks", "0.00 310.8\n", FailureKind::MissingData,
         "地面数据文件 /d/1.TXT 第1行「0.00 310.8」以空格分隔数值：" + expected + "，小数点用“.”"},
        {"not a number", "0,310.8\n10m,abc\n", FailureKind::NotANumber, "地面数据文件 /d/1.TXT 第2行的「10m」"},
        {"elevation beyond double", "0,310.8\n10,1e400\n", FailureKind::TooLarge, "地面数据文件 /d/1.TXT 第2行的「1e400」"},
        {"GBK bytes shown as replacement", "0,\xB5\xD8\xC3\xE6\n", FailureKind::NotANumber,
         "地面数据文件 /d/1.TXT 第1行的「\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD」"},
        {"UTF-16", std::string("\xFF\xFE" "0\0,\0" "1\0", 8), FailureKind::MissingData,
         "地面数据文件 /d/1.TXT 为 UTF-16 编码：请另存为 UTF-8 或 ANSI 文本，" + expected},
        {"binary", std::string("0,310\n\x7F" "ELF\0\x01", 12), FailureKind::MissingData,
         "地面数据文件 /d/1.TXT 第2行含有非文本内容：地面数据文件应为文本，" + expected},
        {"empty", "", FailureKind::MissingData, "地面数据文件 /d/1.TXT 中没有地面点"},
        {"mark only", "\xEF\xBB\xBF", FailureKind::MissingData, "地面数据文件 /d/1.TXT 中没有地面点"},
        {"blank lines only", "\xEF\xBB\xBF\r\n  \r\n", FailureKind::MissingData, "地面数据文件 /d/1.TXT 中没有地面点"},
    };
    for (const BadFileCase& c : cases) {
        try {
            parseGroundData(c.text, "/d/1.TXT");
            ADD_FAILURE() << c.name << ": read without failure";
        } catch (const RunFailure& failure) {
            EXPECT_EQ(failure.kind(), c.kind) << c.name;
            EXPECT_EQ(failure.detail(), c.detail) << c.name;
            EXPECT_TRUE(failure.control().empty()) << c.name << ": no typed field is to blame";
        }
    }
}

TEST(GroundDataFile, StationsThatGoBackOrRepeatAreReadWithANote) {
    const GroundData data = parseGroundData("0,300\n10,301\n10,302\n5,303\n20,304\n", "/d/1.TXT");
    EXPECT_EQ(data.records.size(), 5u);
    EXPECT_EQ(data.notes, (std::vector<std::string>{
                              "地面数据文件 /d/1.TXT 第3行的里程不大于上一个地面点的里程（共 2 处）：里程应逐点增大，"
                              "地面线按文件顺序绘出"}));
}

TEST(GroundDataFile, TheRecordLimitIsStatedWhenPassed) {
    std::string text;
    for (std::size_t k = 0; k <= kGroundFileMaxRecords; ++k) text += "1,2\n";
    try {
        parseGroundData(text, "/d/1.TXT");
        FAIL() << "one record beyond the limit";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.detail(), "地面数据文件 /d/1.TXT 超过 200000 个地面点（第200001行），不予读取：地面数据文件最多 "
                                    "200000 个地面点");
    }
    text.resize(text.size() - 4);
    EXPECT_EQ(parseGroundData(text, "/d/1.TXT").records.size(), kGroundFileMaxRecords);
}

class GroundDataPathTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("pylora_ground_" + std::to_string(getpid()));
        fs::create_directories(folder_ / "data" / "pylora");
        fs::create_directories(folder_ / "database");
        services_.databaseFolder = folder_ / "database";
        services_.userGroundDataFile = folder_ / "data" / "pylora" / "1.TXT";
    }
    void TearDown() override { fs::remove_all(folder_); }
    static void write(const fs::path& path, const std::string& text) { std::ofstream(path) << text; }

    fs::path folder_;
    Services services_;
};

TEST_F(GroundDataPathTest, TheUsersSurveyComesBeforeTheSampleAndANamedFileBeforeBoth) {
    const fs::path user = folder_ / "data" / "pylora" / "1.TXT";
    const fs::path sample = folder_ / "database" / "1.TXT";
    EXPECT_EQ(groundDataFileToRead(services_), sample);
    write(user, "0,300\n");
    EXPECT_EQ(groundDataFileToRead(services_), user);
    services_.groundDataFile = folder_ / "other.csv";
    EXPECT_EQ(groundDataFileToRead(services_), folder_ / "other.csv");
}

TEST_F(GroundDataPathTest, AMissingFileEndsTheRunNamingEveryPathTried) {
    try {
        readGroundDataFile(services_);
        FAIL() << "neither file exists";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.kind(), FailureKind::MissingData);
        EXPECT_EQ(failure.detail(), "无法打开地面数据文件 " + (folder_ / "database" / "1.TXT").string() + "（也未找到 " +
                                        (folder_ / "data" / "pylora" / "1.TXT").string() + "）");
    }
    services_.groundDataFile = folder_ / "missing.txt";
    try {
        readGroundDataFile(services_);
        FAIL() << "the named file does not exist";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.detail(), "无法打开地面数据文件 " + (folder_ / "missing.txt").string());
    }
}

// What the 计算书 shows of the file: which one, whether it is the sample, and its values as written.
TEST_F(GroundDataPathTest, TheRecordOfTheReadNamesTheFileAndKeepsItsValuesAsWritten) {
    const fs::path sample = folder_ / "database" / "1.TXT";
    write(sample, "0, 310\n100 ,318.50\n100,319\n");
    DataFileRead read = groundDataFileRead(readGroundDataFile(services_), services_);
    EXPECT_EQ(read.caption, "地面数据文件");
    EXPECT_EQ(read.path, sample.string());
    EXPECT_TRUE(read.sample);
    EXPECT_EQ(read.columns, (std::vector<std::string>{"桩点里程 (m)", "地面标高 (m)"}));
    EXPECT_EQ(read.records, (std::vector<std::vector<std::string>>{{"0", "310"}, {"100", "318.50"}, {"100", "319"}}));
    EXPECT_EQ(read.notes.size(), 1u);

    const fs::path user = folder_ / "data" / "pylora" / "1.TXT";
    write(user, "5,300\n");
    read = groundDataFileRead(readGroundDataFile(services_), services_);
    EXPECT_EQ(read.path, user.string());
    EXPECT_FALSE(read.sample);
}

}  // namespace
}  // namespace pylora
