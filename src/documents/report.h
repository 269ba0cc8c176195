#pragma once
// The calculation report (计算书) of a calculator window: by which codes, from which inputs,
// through which formulas with which values, to which results and verdicts, and who signs for
// it. Built only from what the window's definition states (meanings, tables, basis, quantities,
// formulas) and its current form; no window has code of its own here. One model, several
// writers: HTML (report_html), the editable document (report_docx), JSON (the runner) and the
// desktop program's PDF.
#include <string>
#include <vector>

#include "files/project_info.h"
#include "model/calc_form.h"

namespace pylora {

// A quantity with its value as the report prints it (engineering form, declared decimals).
struct ReportQuantity {
    std::string key;  // the control or the declared quantity
    std::string symbol;
    std::string name;
    std::string value;
    std::string unit;
    bool highlighted = false;  // the window marks the field with a background of its own
};

// An option group, check box or list in words: 管道两端支承方式：铰接.
struct ReportChoice {
    std::string key;
    std::string name;
    std::string value;
};

struct ReportColumn {
    std::string symbol;
    std::string name;
    std::string unit;
};

// A picture the report shows: an SVG drawing with its size in pixels of a 96-dpi page.
struct ReportPicture {
    std::string id;  // "formula3", "values3", "sketch1": how a writer refers to it
    std::string svg;
    double width = 0;
    double height = 0;
};

// One line of the 式中 list: σ_s — 管材的最低屈服强度, 360 MPa.
struct ReportTerm {
    std::string symbol;
    std::string name;
    std::string value;  // empty when the report gives no values
    std::string unit;
};

// The formula a row of a comparison table is computed by, written once for the table: drawn,
// or named by the earlier row that has the same, or by the step of 三、计算过程 that writes it
// out with its values.
struct ReportRowFormula {
    std::string row;
    ReportPicture formula;  // empty svg when `sameAs` or `step` names it
    std::string formulaText;
    std::string sameAs;
    int step = 0;           // the number of that step; 0: none
    std::string note;       // what else the row takes: "F = 4·lg(3.7·D/ε)"
    std::string validity;   // the range of validity the window states; empty: none stated
};

// A point or segment table: rows named as the window's table names them.
struct ReportTable {
    std::string caption;
    std::string rowHeading;
    std::vector<std::string> rows;
    std::vector<ReportColumn> columns;
    std::vector<std::vector<std::string>> cells;  // [row][column]
    // A comparison of formulas: each row's, and the symbols they use, once.
    std::vector<ReportRowFormula> rowFormulas = {};
    std::vector<ReportTerm> rowFormulaTerms = {};
};

struct ReportDataFile {
    std::string caption;
    std::string path;
    bool sample = false;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> records;
    std::vector<std::string> notes;  // warnings on the file's content (stations that go back …)
};

// A note under a formula whose prescribed form an engineer would question: what it does, and
// the usual engineering formula with its value for the inputs, labelled 参考值. Texts keep their
// _ and ^ marks.
struct ReportRemark {
    std::string resultKey;
    std::string text;
    std::string referenceFormula;      // empty when the note gives no reference value
    std::string referenceSubstituted;  // with the values and the result; empty when the report gives no values
};

// One formula of the calculation as applied: the formula, what its symbols mean, the values put
// in, and what it gives.
struct ReportStep {
    std::size_t formulaIndex = 0;  // which of the window's formulas it writes out
    std::string resultKey;
    std::string words;             // a line of words instead of a formula
    ReportPicture formula;         // the formula as its picture draws it
    std::string formulaText;       // the same on one line: δ = P·D/(2·σ_s·F·t)
    std::vector<ReportTerm> terms;
    std::string substituted;       // one line with the values: δ = 3.92×720/(2×360×0.4×1) = 9.8
    ReportPicture substitutedPicture;  // the same drawn as a formula; empty svg when none
    ReportTerm result;             // value empty when none can be given
    std::vector<ReportRemark> remarks;  // notes on the prescribed formula, under it
    std::string source;  // where a value read from a table is found: 取自…
};

struct ReportVerdict {
    std::string key;
    std::string name;
    std::string text;
    Colour colour = Colour::windowText();
};

struct ReportSketch {
    std::string caption;
    ReportPicture picture;
    bool landscape = false;  // wider than tall: a page of its own turned sideways
};

// A parameter study the engineer added: its points as a table and its chart as a drawing.
struct ReportStudy {
    std::string caption;  // what was studied: 设计压力对壁厚的影响
    ReportTable table;    // a row per point: the varied inputs, the results, a failure's cause
    ReportPicture plot;   // the chart as SVG; its id is given by addStudy
};

enum class ReportState {
    NotRun,            // no run yet: the window's inputs only
    Computed,          // the results are those of the inputs shown
    Failed,            // the last run failed: no results
    ChangedAfterRun,   // inputs were changed after the run: the results shown are not theirs
};

struct Report {
    std::string formName;
    std::string windowTitle;  // 计算项目
    std::string heading;      // the window's title label: 输气管道壁厚计算
    std::string program;      // the program that made it and its version
    std::string version;
    std::vector<std::string> basis;
    // What the window's notes (【注意】) tell the engineer: limits of the formulas, definitions;
    // printed as 说明 under 一、计算依据.
    std::vector<std::string> notes;
    ReportState state = ReportState::NotRun;
    std::string failure;      // the failure in the engineer's words
    // Later steps of the calculation that were not run after an earlier one: their captions.
    std::vector<std::string> stepsNotRun;

    std::vector<ReportQuantity> inputs;
    std::vector<ReportChoice> choices;
    std::vector<ReportTable> inputTables;
    std::vector<ReportDataFile> dataFiles;
    std::vector<ReportStep> steps;
    std::vector<ReportQuantity> results;
    std::vector<ReportTable> resultTables;
    std::vector<ReportVerdict> verdicts;
    // The inputs lie outside a range of validity that the window's note states (computed only).
    std::vector<std::string> warnings;
    // Notes on results that no formula of the report gives.
    std::vector<ReportRemark> remarks;
    std::vector<ReportSketch> sketches;
    // Parameter studies, after the conclusion (六、参数分析); none in a report of one calculation.
    std::vector<ReportStudy> studies;
    // Opened from a case file and computed again: where the results differ from those saved
    // (a newer program computes otherwise), in the engineer's words.
    std::vector<std::string> differencesFromCase;
};

Report buildReport(const CalcForm& window);

// What stands before the formulas of a comparison table, and before one row's formula: its name,
// and where the formula is not drawn again, where it is found.
inline constexpr const char* kRowFormulasHeading = "各公式的计算式及适用范围（求其他量时由同一式解出或迭代求得）：";
std::string rowFormulaLead(const ReportRowFormula& row, int number);

// Adds a study to the report, its chart named apart from the report's other pictures.
void addStudy(Report& report, ReportStudy study);

// The note under the results when they differ from those a case file saved; empty when none.
std::string caseDifferenceNote(const Report& report);
// What the report says instead of results; empty when it shows results.
std::string stateStatement(const Report& report);
// The warning at the head of page 1 of a report that is not a finished calculation (failed,
// not run, outdated, or a later step not run); empty when it is one.
std::string pageOneBanner(const Report& report);
// Whether the report is a finished calculation a checker may sign: no banner.
inline bool signable(const Report& report) { return pageOneBanner(report).empty(); }
// The colour of a warning wherever a report or a book prints one.
inline constexpr Colour kWarningColour = Colour::rgb(0xA0, 0x40, 0x00);
// The face of symbols and numbers in tables and 式中 lines, where the report's sans-serif face
// draws capital I and lower-case l alike: the serif the formulas are drawn in, else the serif
// every office program has.
inline constexpr const char* kSerifFace = "DejaVu Serif";
inline constexpr const char* kOfficeSerifFace = "Times New Roman";
// What 一、计算依据 says when the window names no code.
inline constexpr const char* kNoBasis = "本计算未注明所依据的规范条文。";

// Every picture of the report: formulas, substituted formulas, study charts and sketches, in
// document order.
std::vector<const ReportPicture*> reportPictures(const Report& report);

enum class PictureStyle {
    Inline,     // SVG drawings written into the page: a self-contained HTML file
    Reference,  // <img src="picture:ID">: the program that lays out the pages draws them
};

struct HtmlOptions {
    PictureStyle pictures = PictureStyle::Inline;
    bool sketches = true;  // false: the page layout puts the sketches on pages of their own
};

std::string reportHtml(const Report& report, const ProjectInfo& project, HtmlOptions options = {});

// A sketch's caption with its numbers in engineering form: "E=.2907" -> "E=0.2907",
// "295.402378181622" -> "295.402".
std::string sketchCaption(const std::string& caption);

// The sketch as an SVG drawing in twips: visible lines, markers and captions.
std::string sketchSvg(const Sketch& sketch, double widthPixels);

// The running header's words: 输气管道壁厚计算 计算书.
std::string reportTitle(const Report& report);

}  // namespace pylora
