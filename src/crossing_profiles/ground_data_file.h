#pragma once
// GroundDataFile: the surveyed ground line of a directional-drilling crossing, the text file
// 1.TXT. Each line holds one record, the station and the ground elevation in metres separated
// by a comma ("0.00,310.8"), in file order (by increasing station). A spreadsheet's CSV export
// (UTF-8 mark, CRLF line ends, a trailing comma) reads the same as a hand-typed file; blank
// lines anywhere are skipped, and so is a heading line of words before the first record
// ("里程,地面高程"), with a note. The file is read afresh at each run, once, strictly: every value
// is a number or the run ends naming the file and the line. It is never written.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "model/calc.h"

namespace pylora {

// Far above any real survey (a point a metre along 100 km is 2 MB), low enough that no file can
// exhaust the machine.
inline constexpr std::uintmax_t kGroundFileMaxBytes = 16u * 1024 * 1024;
inline constexpr std::size_t kGroundFileMaxRecords = 200000;

struct GroundRecord {
    std::string station;    // the values as written, blanks around them removed
    std::string elevation;
    std::int64_t line = 0;  // line of the file that holds the record
    double x = 0;           // the values read
    double z = 0;
};

struct GroundData {
    std::filesystem::path path;
    std::vector<GroundRecord> records;
    std::vector<std::string> notes;  // what the engineer should know: stations that go back or repeat
    std::string source;  // records held in memory: how messages name them; empty: the file `path`

    Num station(std::size_t k) const { return Num(records[k].x); }
    Num elevation(std::size_t k) const { return Num(records[k].z); }
    // "地面数据文件 /home/…/1.TXT 第12行", "计算文件 穿越.pylora 所存的地面数据 第12个记录": how
    // messages name a record's place.
    std::string placeOf(std::size_t k) const;
};

// Reads the file's text piece by piece, as it comes from the disk.
class GroundDataParser {
public:
    explicit GroundDataParser(std::filesystem::path path);
    void feed(std::string_view piece);
    // The records read; a file without records ends the run (MissingData).
    GroundData finish();

private:
    void start();
    void takeCompleteLines();
    void takeLine(std::string_view line);

    GroundData data_;
    std::string pending_;  // the start of a line whose end has not come yet
    std::int64_t line_ = 0;
    bool started_ = false;
    bool anyLineTaken_ = false;  // a line other than blank was read: no heading after it
};

// The whole text at once (tests, the fuzzer).
GroundData parseGroundData(std::string_view text, const std::filesystem::path& path);

// The records the services hold in memory (a case's), or else the file they name
// (groundDataFileToRead), opened, read and closed. Only a regular file of at most
// kGroundFileMaxBytes and kGroundFileMaxRecords is read; anything else ends the run naming the
// path and the reason. Records in memory are read as strictly, each named by its place.
GroundData readGroundDataFile(const Services& services);

// What the run read, for the window and the 计算书: the file, whether it is the installed sample,
// its records as the file gives them, and the notes on its content.
DataFileRead groundDataFileRead(const GroundData& data, const Services& services);

}  // namespace pylora
