#pragma once
// GroundDataFile: the surveyed ground line of a directional-drilling crossing, the text file
// 1.TXT. Each record is two values, station and ground elevation in metres, in file order
// (by increasing station). Values are separated by commas or line ends, so a spreadsheet's CSV
// export (UTF-8 mark, CRLF line ends) reads the same as a hand-typed file; blank lines anywhere
// are skipped. The file is read afresh at each run and never written.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/calc.h"

namespace pylora {

struct GroundRecord {
    std::string station;    // the values as written, blanks around them removed
    std::string elevation;
    int line = 0;           // line of the file where the record begins
};

struct GroundData {
    std::filesystem::path path;
    std::vector<GroundRecord> records;

    // A value read strictly when the ground line is drawn: a value that is not a number ends
    // the run naming the file and its line.
    Num station(std::size_t k) const;
    Num elevation(std::size_t k) const;
};

// The file a run reads: the one the front end names, else the user's own survey
// ($XDG_DATA_HOME/pylora/1.TXT, by default ~/.local/share/pylora/1.TXT), else the sample in the
// database folder.
std::filesystem::path userGroundDataFile();
std::filesystem::path sampleGroundDataFile(const Services& services);  // installed with the program
std::filesystem::path groundDataFilePath(const Services& services);

// Splits the file's text into records. An odd number of values or no values at all end the
// run (MissingData) before anything is drawn, naming the file and the line.
GroundData parseGroundData(std::string_view text, const std::filesystem::path& path);
// Opens, reads and closes the file; a file that cannot be opened ends the run naming its path.
GroundData readGroundDataFile(const Services& services);

// What the run read, for the 计算书: the file, whether it is the installed sample, and its
// records as the file gives them.
DataFileRead groundDataFileRead(const GroundData& data, const Services& services);

}  // namespace pylora
