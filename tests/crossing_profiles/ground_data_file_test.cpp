// The ground data file reader on small fixtures: layouts that read the same, and the files
// that end the run before anything is drawn.
#include "crossing_profiles/ground_data_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>

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
        {"one value a line", "0.00\n310.8\n10\n310.3\n18.5\n309.5\n"},
        {"two records on a line", "0.00,310.8,10,310.3\n18.5,309.5\n"},
        {"a comma before each line end", "0.00,310.8,\n10,310.3,\n18.5,309.5,\n"},
    };
    for (const LayoutCase& c : cases) EXPECT_EQ(recordsOf(parseGroundData(c.text, "1.TXT")), expected) << c.name;
}

TEST(GroundDataFile, RecordsKnowTheirLine) {
    const GroundData data = parseGroundData("\n0,300\n\n5,\n301\n", "1.TXT");
    ASSERT_EQ(data.records.size(), 2u);
    EXPECT_EQ(data.records[0].line, 2);
    EXPECT_EQ(data.records[1].line, 4);
}

struct BadFileCase {
    const char* name;
    std::string text;
    std::string detail;
};

TEST(GroundDataFile, OddOrEmptyFilesEndTheRunNamingFileAndLine) {
    const BadFileCase cases[] = {
        {"odd count", "0,310.8\n10,310.3\n\n18.5\n", "地面数据文件 /data/1.TXT 第4行的里程「18.5」缺少对应的地面标高"},
        {"odd count in one line", "0,310.8,10\n", "地面数据文件 /data/1.TXT 第1行的里程「10」缺少对应的地面标高"},
        {"empty", "", "地面数据文件 /data/1.TXT 中没有地面点"},
        {"blank lines only", "\xEF\xBB\xBF\r\n  \r\n", "地面数据文件 /data/1.TXT 中没有地面点"},
    };
    for (const BadFileCase& c : cases) {
        try {
            parseGroundData(c.text, "/data/1.TXT");
            ADD_FAILURE() << c.name << ": read without failure";
        } catch (const RunFailure& failure) {
            EXPECT_EQ(failure.kind(), FailureKind::MissingData) << c.name;
            EXPECT_EQ(failure.detail(), c.detail) << c.name;
        }
    }
}

TEST(GroundDataFile, AValueThatIsNotANumberFailsOnlyWhenTakenStrictly) {
    const GroundData data = parseGroundData("0,310.8\n10m,abc\n", "/data/1.TXT");
    EXPECT_EQ(data.records[1].elevation, "abc");
    EXPECT_EQ(data.elevation(0).value(), 310.8);
    try {
        data.station(1);
        FAIL() << "10m is not a number";
    } catch (const RunFailure& failure) {
        EXPECT_EQ(failure.kind(), FailureKind::NotANumber);
        EXPECT_EQ(failure.detail(), "地面数据文件 /data/1.TXT 第2行的「10m」");
    }
}

TEST(GroundDataFile, HoldsEveryRecordOfALongSurvey) {
    std::string text;
    for (int k = 0; k < 300; ++k) text += std::to_string(k) + ".5,30" + std::to_string(k % 10) + "\n";
    const GroundData data = parseGroundData(text, "1.TXT");
    ASSERT_EQ(data.records.size(), 300u);
    EXPECT_EQ(data.records.back().station, "299.5");
    EXPECT_EQ(data.records.back().line, 300);
}

class GroundDataPathTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("pylora_ground_" + std::to_string(getpid()));
        fs::create_directories(folder_ / "data" / "pylora");
        fs::create_directories(folder_ / "database");
        const char* old = std::getenv("XDG_DATA_HOME");
        if (old) oldDataHome_ = old;
        setenv("XDG_DATA_HOME", (folder_ / "data").c_str(), 1);
        services_.databaseFolder = folder_ / "database";
    }
    void TearDown() override {
        if (oldDataHome_) {
            setenv("XDG_DATA_HOME", oldDataHome_->c_str(), 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
        fs::remove_all(folder_);
    }
    static void write(const fs::path& path, const std::string& text) { std::ofstream(path) << text; }

    fs::path folder_;
    std::optional<std::string> oldDataHome_;
    Services services_;
};

TEST_F(GroundDataPathTest, TheUsersSurveyComesBeforeTheSampleAndANamedFileBeforeBoth) {
    const fs::path user = folder_ / "data" / "pylora" / "1.TXT";
    const fs::path sample = folder_ / "database" / "1.TXT";
    EXPECT_EQ(userGroundDataFile(), user);
    EXPECT_EQ(groundDataFilePath(services_), sample);
    write(user, "0,300\n");
    EXPECT_EQ(groundDataFilePath(services_), user);
    services_.groundDataFile = folder_ / "other.csv";
    EXPECT_EQ(groundDataFilePath(services_), folder_ / "other.csv");
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

// What the 计算书 shows of the file: which one, whether it is the sample, and the values as written.
TEST_F(GroundDataPathTest, TheRecordOfTheReadNamesTheFileAndKeepsItsValuesAsWritten) {
    const fs::path sample = folder_ / "database" / "1.TXT";
    write(sample, "0, 310\n100 ,318.5m\n");
    DataFileRead read = groundDataFileRead(readGroundDataFile(services_), services_);
    EXPECT_EQ(read.caption, "地面数据文件");
    EXPECT_EQ(read.path, sample.string());
    EXPECT_TRUE(read.sample);
    EXPECT_EQ(read.columns, (std::vector<std::string>{"桩点里程 (m)", "地面标高 (m)"}));
    EXPECT_EQ(read.records, (std::vector<std::vector<std::string>>{{"0", "310"}, {"100", "318.5m"}}));

    const fs::path user = folder_ / "data" / "pylora" / "1.TXT";
    write(user, "5,300\n");
    read = groundDataFileRead(readGroundDataFile(services_), services_);
    EXPECT_EQ(read.path, user.string());
    EXPECT_FALSE(read.sample);
}

}  // namespace
}  // namespace pylora
