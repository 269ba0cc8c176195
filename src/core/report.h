#pragma once
// The calculation report (计算书) of a calculator window: what was computed, by which code, from
// which inputs, what came out and who signs for it. Built from the window's definition and its
// current form, the same for every window; written as self-contained HTML. The desktop program
// lays the same HTML out on A4 pages for PDF and the editable document.
#include <string>
#include <vector>

#include "core/calc_form.h"

namespace pylora {

// The project and signature fields of the report's header and signature block.
struct ProjectInfo {
    std::string projectName;    // 工程名称
    std::string projectNumber;  // 工程编号
    std::string calculatedBy;   // 计算
    std::string checkedBy;      // 校核
    std::string approvedBy;     // 审核
    std::string date;           // 日期
};

struct ReportValue {
    std::string control;
    std::string text;  // as the window shows it
    Colour background = Colour::white();
    Colour foreground = Colour::windowText();
    bool highlighted = false;  // the window marks it with a background of its own
    std::string heading;       // a cell of a point table: the caption over its column ("桩点3")
};

// One line of a table: the caption the window gives the quantity, its unit taken from the
// caption's last brackets, and the values of the window's row (a stress, its sign, the allowed
// stress and the verdict; or the cells of one row of a point table).
struct ReportRow {
    std::string label;
    std::string unit;
    std::vector<ReportValue> values;
};

struct ReportPicture {
    std::string control;
    std::string caption;  // the formula frame's caption
    std::string content;  // SVG or rich text, as the window shows it
    bool svg = false;
    double width = 0, height = 0;  // SVG: its size in pixels
};

struct ReportVerdict {
    std::string text;
    Colour colour = Colour::windowText();
};

struct ReportSketch {
    std::string control;
    std::string caption;
    Sketch sketch;
};

enum class ReportState {
    NotRun,            // no run yet: the window's inputs only
    Computed,          // the results are those of the inputs shown
    Failed,            // the last run failed: no results
    ChangedAfterRun,   // inputs were changed after the run: the results shown are not theirs
};

struct Report {
    std::string formName;
    std::string windowTitle;
    std::string title;  // the window's heading
    std::string basis;  // the note that cites the code
    std::vector<ReportPicture> formulas;
    std::vector<ReportRow> inputs;
    std::vector<ReportRow> results;
    std::vector<ReportVerdict> verdicts;
    std::vector<ReportSketch> sketches;
    ReportState state = ReportState::NotRun;
    std::string failure;  // the failure in the engineer's words
};

Report buildReport(const CalcForm& window);

// "管道的设计压力（MPa） " -> "MPa": the text in the caption's closing brackets, if it ends so.
std::string unitFromLabel(const std::string& label);

enum class PictureStyle {
    Inline,     // SVG drawings written into the page: a self-contained HTML file
    Reference,  // <img src="picture:NAME"> and <img src="sketch:NAME">: the desktop program draws them
};

std::string reportHtml(const Report& report, const ProjectInfo& project, PictureStyle pictures = PictureStyle::Inline);

// The sketch as an SVG drawing in twips: visible lines, markers and captions.
std::string sketchSvg(const Sketch& sketch, double widthPixels);

// What the results section says instead of results; empty when the report shows results.
std::string stateStatement(const Report& report);

}  // namespace pylora
