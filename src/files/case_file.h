#pragma once
// A case file (.pylora): one window's calculation kept on disk, so that it can be opened weeks
// later, re-run, checked and reported. UTF-8 JSON:
//   format "pylora-case", format_version, program_version, form,
//   inputs   every field the engineer can type into, its text exactly as typed,
//   choices  option buttons and check boxes (true/false), lists (the chosen item or null),
//   steps    the run buttons pressed, in order,
//   data_files  what the runs read from outside (the ground survey's records), so that the
//            case reproduces on a machine without that file,
//   results  the fields and labels the runs wrote, as computed (for reference), and failure.
// Inputs and choices are those the calculation began from; opening a case types them into a
// fresh window, presses the steps again and compares the results with the saved ones.
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/calc_form.h"

namespace pylora {

inline constexpr int kCaseFormatVersion = 1;
inline constexpr const char* kCaseFormat = "pylora-case";
inline constexpr const char* kCaseExtension = ".pylora";

// A file that cannot be read as a case, or written: the message names the file and the fault,
// on one line: 计算文件 /home/li/壁厚.pylora：第 120 字节处 JSON 不完整.
class CaseFileError : public std::runtime_error {
public:
    CaseFileError(const std::filesystem::path& file, const std::string& fault);
    // The fault alone, without the file: a project book names its own file and the chapter.
    const std::string& fault() const { return fault_; }

private:
    std::string fault_;
};

struct CaseChoice {
    std::string control;
    bool checked = false;              // option buttons and check boxes
    std::optional<std::string> item;   // lists: the chosen item, none when nothing is chosen
};

struct CaseFile {
    int formatVersion = kCaseFormatVersion;
    std::string programVersion;
    std::string formName;
    std::vector<std::pair<std::string, std::string>> inputs;  // control, text; in window order
    std::vector<CaseChoice> choices;
    std::vector<std::string> steps;
    std::vector<DataFileRead> dataFiles;
    std::vector<std::pair<std::string, std::string>> results;  // control, text as computed
    std::string failure;  // the last run's failure in the engineer's words; empty: none
    std::string caseFile;  // a crash-recovery copy: the case file the window had open, if any
};

// The window's calculation as a case: what it began from, the steps since, and what they gave.
// Inputs changed after the last run are kept as they are now, without results.
CaseFile captureCase(const CalcForm& window);

std::string caseText(const CaseFile& file);
// Reads a case from its text, checking it against the window it names. `file` only names it
// in messages.
CaseFile parseCase(std::string_view text, const std::filesystem::path& file);

CaseFile loadCase(const std::filesystem::path& file);
// Writes the whole file under a temporary name beside it, then renames it into place: a crash
// or a full disk leaves the earlier file as it was, never half a file.
void saveCase(const CaseFile& file, const std::filesystem::path& path);
void writeFileWhole(const std::filesystem::path& path, std::string_view bytes);

// The ground records a case carries, handed to the window's runs in memory (never written to a
// file); none when the case carries no ground records. Messages name the case file and the record.
class CaseGroundData {
public:
    explicit CaseGroundData(const CaseFile& file, const std::filesystem::path& caseFile = {});

    // Gives the window's runs the records (nothing when the case has none).
    void useIn(CalcForm& window) const;

private:
    std::optional<DataFileRead> records_;
    std::string source_;
};

// Types the case's inputs into the window and sets its choices (the window as it opened).
void applyCaseStart(CalcForm& window, const CaseFile& file);

// Where the window's results differ from those saved, in the engineer's words:
// 「设计壁厚」保存时为 9.8，现在为 9.9.
std::vector<std::string> caseDifferences(const CalcForm& window, const CaseFile& file);

// Opens a case on a fresh window: inputs, choices, the steps pressed again (a failure ends
// them, as it ends a run); notes and returns the differences from the saved results.
std::vector<std::string> replayCase(CalcForm& window, const CaseFile& file, const CaseGroundData& ground);

}  // namespace pylora
