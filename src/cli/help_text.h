#pragma once
// The words of `pylora-cli --help` and of each command's help. The manual page pylora-cli(1) is
// made from this help by the build, so help and manual always say the same.
// Layout rules for the manual maker: a footer heading ends in ':', its entries are
// "  TERM  description" with at least two blanks between term and description.
#include <string>

#include "cli/headless_runner.h"

namespace pylora::help {

inline constexpr const char* kProgram =
    "Runs the calculator windows of Pylora without a display and prints them as JSON";
inline constexpr const char* kVersion = "Print the version and exit";
inline constexpr const char* kDatabase =
    "Folder of the material database and the sample ground data file\n"
    "(default: share/pylora/database beside the program's bin folder)";

inline constexpr const char* kList = "Print one line per window: form name, tab, window title";
inline constexpr const char* kMenu =
    "Print the menu tree: two blanks per level, then name, tab, caption, tab, action";
inline constexpr const char* kDescribe =
    "Print every control of window FORM as JSON: kind, label, default text, frame";
inline constexpr const char* kRun =
    "Run window FORM from its default texts: apply the settings in the order given,\n"
    "press the buttons in the order given (none given: the window's run button),\n"
    "then print the window as JSON";
inline constexpr const char* kReport =
    "Run window FORM as run does, then write its calculation report (计算书): codes,\n"
    "inputs, formulas with the values put in, results, verdicts, sketches, signature\n"
    "block. The file's name gives the format: .pdf (A4, fonts embedded), .docx (opens\n"
    "in WPS and Word), .html (self-contained) or .json (the report's content)";
inline constexpr const char* kSweep =
    "Run window FORM once per value of the varied inputs, from its default texts with the\n"
    "settings applied, pressing the buttons given (none: its steps), and write one CSV\n"
    "row per point: the varied inputs, the results as the window shows them in engineering\n"
    "form (to the decimals of their quantities, read by spreadsheets as numbers), and why\n"
    "the point failed (empty when it ran). Failed points are rows, not a failed command";
inline constexpr const char* kSweepResult = "A field or label to read after each point's run, one column each; repeatable";
inline constexpr const char* kSweepOutput =
    "The CSV file to write (UTF-8 with a byte order mark, written whole or not at all);\n"
    "- writes it to standard output without the mark";
inline constexpr const char* kSweepJobs = "Run the points on N threads (default: every core; at most twice the cores); rows come in the same order";
inline constexpr const char* kOutput =
    "The file to write, its format by its extension; - writes HTML to standard output";
inline constexpr const char* kFormat = "Write this format whatever the file's name: pdf, docx, html or json";
inline constexpr const char* kDesignStage = "设计阶段 of the report, e.g. 初步设计 or 施工图设计";
inline constexpr const char* kProjectName = "工程名称 of the report";
inline constexpr const char* kProjectNumber = "工程编号 of the report";
inline constexpr const char* kCalculatedBy = "计算: who computed";
inline constexpr const char* kCheckedBy = "校核: who checked";
inline constexpr const char* kApprovedBy = "审核: who approved";
inline constexpr const char* kDate = "日期 of the report (default: today, as 2026年12月10日)";
inline constexpr const char* kForm = "The window's form name, as the list command prints it";
inline constexpr const char* kCase =
    "Start from the case file FILE (.pylora): its window, inputs and choices; then the\n"
    "settings given; then the presses given, else the case's own steps. Without more\n"
    "settings the output names where the results differ from those the case saved";
inline constexpr const char* kSave =
    "After the run, save the window's calculation as the case file FILE (.pylora)";
inline constexpr const char* kBook =
    "Bind calculations into one 计算书 (.pdf or .docx): a cover with the project and the\n"
    "signature lines, the contents with the page each chapter starts on (.pdf; the .docx\n"
    "lists the chapters), each case computed again as a chapter, and a closing table of\n"
    "every chapter's verdicts. Takes a project file, or case files given with --case";
inline constexpr const char* kBookProject = "The project file (.pylora-project) to bind";
inline constexpr const char* kBookCase =
    "A case file (.pylora) as the next chapter, titled as its window; repeat for more";
inline constexpr const char* kBookTitle = "The book's title on its cover (default: the project file's, else 计算书)";
inline constexpr const char* kBookFormat = "Write this format whatever the file's name: pdf or docx";
inline constexpr const char* kBookOutput = "The file to write: .pdf or .docx";
inline constexpr const char* kDxf =
    "After the run, write the window's longitudinal profile as the DXF drawing FILE (profile\n"
    "windows only; without --press every step up to the drawing is pressed)";
inline constexpr const char* kCsv =
    "After the run, write the profile table as the CSV file FILE (UTF-8 with BOM)";
inline constexpr const char* kExaggeration =
    "Draw elevations N times larger than stations (default: the window's own scales, else 10)";
inline constexpr const char* kGroundFile =
    "Ground data file to read instead of the user's $XDG_DATA_HOME/pylora/1.TXT";

// The settings and presses of run: option, value name, help.
struct RunOption {
    const char* name;
    const char* value;
    const char* help;
};
inline constexpr RunOption kRunOptions[] = {
    {"--set", "CONTROL=TEXT", "Type TEXT into the field CONTROL, e.g. --set Text5=3 or --set 'Text1(3)=0.5'"},
    {"--select", "OPTION", "Select the option button OPTION, e.g. --select 'Option1(1)'"},
    {"--check", "CHECK=0|1", "Clear (0) or tick (1) the check box CHECK"},
    {"--choose", "LIST=ITEM", "Choose ITEM in the list box LIST"},
    {"--press", "BUTTON", "Press BUTTON; a failing run ends the presses"},
};

// The inputs a sweep varies: the first given varies fastest, a second gives a grid.
inline constexpr RunOption kSweepOptions[] = {
    {"--vary", "CONTROL=RANGE",
     "Vary the field CONTROL over RANGE: FROM:TO:STEP (1:10:0.5), FROM:TO:#N\n"
     "(N points: 1:10:#19), either with :log for a logarithmic range (1:1000:10:log,\n"
     "the step being the factor between neighbours; 1:1000:#4:log)"},
    {"--values", "CONTROL=A,B,C", "Vary the field CONTROL over the texts listed, separated by commas"},
};

inline std::string footer() {
    // Laid out as the options above: descriptions from column 30, continued there.
    const auto entry = [](const std::string& term, const std::string& text) {
        std::string line = "  " + term + std::string(term.size() + 2 <= 28 ? 28 - term.size() : 2, ' ');
        for (char c : text) line += c == '\n' ? "\n" + std::string(30, ' ') : std::string(1, c);
        return line + '\n';
    };
    return "Output of run:\n" +
           entry("form", "The window's form name") +
           entry("controls", "Every control: its text, background colour and visibility") +
           entry("written", "The controls the run wrote, in the order written") +
           entry("failure", "None (null), or the control and the cause that ended the run") +
           entry("sketch", "The profile drawing of the window, or null") +
           entry("data_files", "The data files the run read: path, sample or not, number of records,\n"
                               "notes on the content (stations that go back)") +
           "\nOutput of report:\n" +
           entry(".pdf, .docx", "Written by pylora-report beside pylora-cli (the page layout needs the Qt\n"
                                "libraries, which run and the other formats do without)") +
           entry(".html, .json", "Written by pylora-cli itself; -o - --format json prints the JSON") +
           "\nOutput of sweep:\n" +
           entry("CSV", "A heading line \"symbol name (unit)\" per column, the last 失败原因; one\n"
                        "line per point; lines end in CR LF") +
           "\nExit status:\n" +
           entry(std::to_string(kExitDone), "Done") +
           entry(std::to_string(kExitUsage),
                 "Bad usage (unknown window, control or list item, malformed option, a\n"
                 "report file of unknown format, a file that is no case): one line on\n"
                 "standard error, no JSON") +
           entry(std::to_string(kExitRunFailed), "The run failed: the JSON is printed, its failure names the field") +
           entry(std::to_string(kExitWriteFailed),
                 "The output could not be written (standard output or the report file): one\n"
                 "line on standard error with the system's reason; an earlier report file is kept\n"
                 "(also a --dxf or --csv file)") +
           "\nFiles:\n" +
           entry("share/pylora/database/",
                 "The material database (opened read-only, never written) and the sample\n"
                 "ground data file, beside the program's bin folder") +
           entry("$XDG_DATA_HOME/pylora/1.TXT",
                 "The user's ground data file (default ~/.local/share/pylora/1.TXT);\n"
                 "without it the sample in the database folder is read") +
           "\nExamples:\n" +
           entry("pylora-cli list", "Every window's form name and title") +
           entry("pylora-cli run 壁厚计算 --set Text5=3", "The wall thickness window with 3 typed into Text5") +
           entry("pylora-cli report 壁厚计算 -o 壁厚.pdf", "Its 计算书 as a PDF") +
           entry("pylora-cli run 壁厚计算 --save 壁厚.pylora", "The same run kept as a case file") +
           entry("pylora-cli run --case 壁厚.pylora", "The case opened and computed again") +
           entry("pylora-cli run 穿越断面 --dxf 断面.dxf", "The open-cut crossing's profile for CAD") +
           entry("pylora-cli report --case 壁厚.pylora -o 壁厚.pdf", "The case's 计算书") +
           entry("pylora-cli book --case 壁厚.pylora --case 稳定.pylora -o 计算书.pdf", "Cases bound as one 计算书") +
           entry("pylora-cli sweep 壁厚计算 --vary Text2=1:10:0.5 --result Text6 -o 壁厚.csv",
                 "The straight pipe's wall over the design pressure, as a table");
}

}  // namespace pylora::help
