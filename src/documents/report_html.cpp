// The 计算书 as one self-contained HTML page (formulas and sketches inline as SVG), and the same
// page with picture references for the desktop program's A4 layout.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <sstream>

#include "documents/report.h"
#include "documents/report_text.h"
#include "model/decimal_text.h"
#include "model/report_numbers.h"
#include "model/text.h"

namespace pylora {
namespace {

// Every text as valid UTF-8 with its control characters shown visibly, then escaped.
std::string escaped(const std::string& given) { return markupText(given); }

std::string number(double value) {
    char text[32];
    printGeneral(text, sizeof text, 6, value);
    return text;
}

// A symbol or formula line with its marks as <sub> and <sup>.
std::string markup(const std::string& text) {
    std::string html;
    for (const ScriptRun& run : scriptRuns(text)) {
        if (run.level == 0) {
            html += escaped(run.text);
        } else {
            const char* tag = run.level < 0 ? "sub" : "sup";
            html += std::string("<") + tag + ">" + escaped(run.text) + "</" + tag + ">";
        }
    }
    return html;
}

std::string orBlank(const std::string& text) { return text.empty() ? "&nbsp;" : escaped(text); }

// Symbols and numbers in the serif face: I and l told apart.
std::string serif(const std::string& html) {
    if (html.empty()) return html;
    return std::string("<span style=\"font-family: '") + kSerifFace + "', '" + kOfficeSerifFace + "', serif;\">" + html +
           "</span>";
}

constexpr const char* kTable = "<table class=\"grid\" border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\">";

constexpr const char* kStyle = R"(<style>
body { font-family: "Pylora Report Hei", "Noto Sans CJK SC", "Microsoft YaHei", "SimHei", sans-serif; font-size: 10.5pt; color: #000; }
h1 { font-size: 18pt; text-align: center; margin: 6pt 0; }
h2 { font-size: 12pt; margin: 12pt 0 4pt 0; }
h3 { font-size: 10.5pt; margin: 8pt 0 2pt 0; }
h4 { font-size: 10.5pt; font-weight: normal; margin: 4pt 0 0 0; }
table.grid { border-collapse: collapse; }
table.grid th { background: #e8e8e8; font-weight: bold; }
table.grid td, table.grid th { border: 1px solid #000; padding: 3pt 5pt; }
p.figure { text-align: center; }
p.term { margin: 0 0 0 2em; }
.statement { color: #c00000; font-weight: bold; }
.note { font-size: 9pt; }
p.remark { font-size: 9.5pt; margin: 2pt 0 2pt 2em; }
.sketch { page-break-before: always; }
.sketch svg { max-width: 100%; height: auto; }
@page { size: A4; margin: 25mm 15mm 20mm 25mm; }
</style>
)";

class HtmlWriter {
public:
    HtmlWriter(const Report& report, const ProjectInfo& project, HtmlOptions options)
        : report_(report), project_(project), options_(options) {}

    std::string write() {
        html_ << "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n<title>"
              << escaped(reportTitle(report_)) << "</title>\n" << kStyle << "</head>\n<body>\n";
        header();
        banner();
        basis();
        conditions();
        process();
        results();
        conclusion();
        studies();
        if (signable(report_)) signatures();
        if (options_.sketches) sketches();
        html_ << "</body>\n</html>\n";
        return html_.str();
    }

private:
    void heading(const std::string& text) { html_ << "<h2>" << chineseNumeral(++section_) << "、" << text << "</h2>\n"; }

    std::string picture(const ReportPicture& picture) const {
        if (options_.pictures == PictureStyle::Inline) return picture.svg;
        return "<img src=\"picture:" + picture.id + "\" width=\"" + number(picture.width) + "\" height=\"" +
               number(picture.height) + "\"/>";
    }

    void header() {
        html_ << "<h1>" << escaped(reportTitle(report_)) << "</h1>\n";
        html_ << kTable << "\n<tr><th width=\"14%\">工程名称</th><td width=\"36%\">" << orBlank(project_.projectName)
              << "</td><th width=\"14%\">工程编号</th><td width=\"36%\">" << orBlank(project_.projectNumber) << "</td></tr>\n"
              << "<tr><th>设计阶段</th><td>" << orBlank(project_.designStage) << "</td><th>计算项目</th><td>"
              << escaped(report_.windowTitle) << "</td></tr>\n</table>\n"
              << "<p class=\"note\">计算程序：" << escaped(report_.program) << " " << escaped(report_.version) << "</p>\n";
    }

    // A calculation that is not finished says so before anything else, on page 1.
    void banner() {
        const std::string text = pageOneBanner(report_);
        if (text.empty()) return;
        html_ << "<table class=\"banner\" width=\"100%\" border=\"2\" cellspacing=\"0\" cellpadding=\"6\" "
                 "style=\"border: 2px solid #c00000; margin: 6pt 0;\"><tr><td style=\"color:#c00000;\"><b>"
              << escaped(text) << "</b></td></tr></table>\n";
    }

    void basis() {
        heading("计算依据");
        if (report_.basis.empty()) html_ << "<p>" << kNoBasis << "</p>\n";
        int n = 0;
        for (const std::string& code : report_.basis) html_ << "<p>" << ++n << ". " << escaped(code) << "</p>\n";
        if (report_.notes.empty()) return;
        html_ << "<p><b>说明：</b></p>\n";
        n = 0;
        for (const std::string& note : report_.notes) html_ << "<p class=\"term\">" << ++n << ". " << escaped(note) << "</p>\n";
    }

    void quantityTable(const std::vector<ReportQuantity>& rows) {
        html_ << kTable << "\n<thead><tr><th width=\"14%\">符号</th><th width=\"50%\">名称</th><th width=\"20%\">数值</th>"
              << "<th width=\"16%\">单位</th></tr></thead>\n";
        for (const ReportQuantity& row : rows) {
            std::string value = serif(escaped(row.value));
            if (row.highlighted) value = "<b><span style=\"background-color:#ffff80;\">" + value + "</span></b> ※";
            html_ << "<tr><td align=\"center\">" << serif(markup(row.symbol)) << "</td><td>" << escaped(row.name)
                  << "</td><td align=\"right\">" << value << "</td><td align=\"center\">" << serif(markup(row.unit))
                  << "</td></tr>\n";
        }
        html_ << "</table>\n";
    }

    void table(const ReportTable& table) {
        html_ << "<h3>" << escaped(table.caption) << "</h3>\n" << kTable << "\n<thead><tr><th>"
              << escaped(table.rowHeading) << "</th>";
        for (const ReportColumn& column : table.columns) {
            html_ << "<th>" << escaped(column.name);
            if (!column.symbol.empty()) html_ << " " << markup(column.symbol);
            if (!column.unit.empty()) html_ << "<br/>（" << markup(column.unit) << "）";
            html_ << "</th>";
        }
        html_ << "</tr></thead>\n";
        for (std::size_t row = 0; row < table.rows.size(); ++row) {
            html_ << "<tr><td align=\"center\">" << escaped(table.rows[row]) << "</td>";
            for (const std::string& cell : table.cells[row])
                html_ << "<td align=\"right\">" << (cell.empty() ? orBlank(cell) : serif(escaped(cell))) << "</td>";
            html_ << "</tr>\n";
        }
        html_ << "</table>\n";
        rowFormulas(table);
    }

    void rowFormulas(const ReportTable& table) {
        if (table.rowFormulas.empty()) return;
        html_ << "<p><b>" << kRowFormulasHeading << "</b></p>\n";
        int n = 0;
        for (const ReportRowFormula& row : table.rowFormulas) {
            // A heading of its own, kept on the page with its formula and its range.
            html_ << "<h4>" << escaped(rowFormulaLead(row, ++n)) << "</h4>\n";
            if (!row.formula.svg.empty()) html_ << "<p class=\"figure\" align=\"center\">" << picture(row.formula) << "</p>\n";
            if (!row.note.empty()) html_ << "<p class=\"term\">" << markup(row.note) << "</p>\n";
            if (!row.validity.empty()) html_ << "<p class=\"term\">适用范围：" << markup(row.validity) << "</p>\n";
        }
        if (!table.rowFormulaTerms.empty()) html_ << "<p>式中：</p>\n";
        for (const ReportTerm& term : table.rowFormulaTerms) termLine(term);
    }

    // σ_s — 管材的最低屈服强度，360 MPa；
    void termLine(const ReportTerm& term) {
        html_ << "<p class=\"term\">" << serif(markup(term.symbol)) << " — " << escaped(term.name);
        if (!term.value.empty()) html_ << "，" << serif(escaped(term.value));
        if (!term.unit.empty()) html_ << (term.value.empty() ? "，" : " ") << markup(term.unit);
        html_ << "；</p>\n";
    }

    void conditions() {
        heading("计算条件");
        if (!report_.inputs.empty()) quantityTable(report_.inputs);
        for (const ReportChoice& choice : report_.choices)
            html_ << "<p>" << escaped(choice.name) << "：" << escaped(choice.value) << "</p>\n";
        for (const ReportTable& t : report_.inputTables) table(t);
        for (const ReportDataFile& file : report_.dataFiles) {
            html_ << "<h3>" << escaped(file.caption) << "</h3>\n<p>文件：" << escaped(file.path)
                  << (file.sample ? "（示例数据）" : "") << "</p>\n<p>记录数：" << file.records.size() << "</p>\n";
            for (const std::string& note : file.notes) html_ << "<p class=\"note\">注意：" << escaped(note) << "</p>\n";
            if (file.records.empty()) continue;
            html_ << kTable << "\n<thead><tr><th>序号</th>";
            for (const std::string& column : file.columns) html_ << "<th>" << escaped(column) << "</th>";
            html_ << "</tr></thead>\n";
            int n = 0;
            for (const auto& record : file.records) {
                html_ << "<tr><td align=\"center\">" << ++n << "</td>";
                for (const std::string& value : record)
                    html_ << "<td align=\"right\">" << (value.empty() ? orBlank(value) : serif(escaped(value))) << "</td>";
                html_ << "</tr>\n";
            }
            html_ << "</table>\n";
        }
        if (report_.inputs.empty() && report_.choices.empty() && report_.inputTables.empty() && report_.dataFiles.empty())
            html_ << "<p>本计算无输入参数。</p>\n";
    }

    void process() {
        heading("计算过程");
        if (report_.steps.empty()) html_ << "<p>本计算窗口未列出计算公式。</p>\n";
        int n = 0;
        for (const ReportStep& step : report_.steps) {
            if (!step.words.empty()) {
                html_ << "<p>" << markup(step.words) << "</p>\n";
                continue;
            }
            html_ << "<h3>" << ++n << ". " << escaped(step.result.name) << " " << markup(step.result.symbol) << "</h3>\n"
                  << "<p class=\"figure\" align=\"center\">" << picture(step.formula) << "</p>\n";
            if (!step.source.empty()) html_ << "<p>取自：" << markup(step.source) << "</p>\n";
            if (!step.terms.empty()) html_ << "<p>式中：</p>\n";
            for (const ReportTerm& term : step.terms) termLine(term);
            if (!step.substitutedPicture.svg.empty())
                html_ << "<p>代入数值：</p>\n<p class=\"figure\" align=\"center\">" << picture(step.substitutedPicture)
                      << "</p>\n<p>计算结果：" << markup(step.result.symbol) << " = " << escaped(step.result.value)
                      << (step.result.unit.empty() ? "" : " " + markup(step.result.unit)) << "</p>\n";
            for (const ReportRemark& remark : step.remarks) remarkLines(remark);
        }
        for (const ReportRemark& remark : report_.remarks) remarkLines(remark);
    }

    // A note under a formula: what the prescribed formula does, then 参考值 with its value.
    void remarkLines(const ReportRemark& remark) {
        html_ << "<p class=\"remark\">注：" << markup(remark.text) << "</p>\n";
        const std::string& reference =
            remark.referenceSubstituted.empty() ? remark.referenceFormula : remark.referenceSubstituted;
        if (!reference.empty()) html_ << "<p class=\"remark\">参考值：" << markup(reference) << "</p>\n";
    }

    void results() {
        heading("计算结果");
        if (const std::string note = caseDifferenceNote(report_); !note.empty())
            html_ << "<p class=\"note\" style=\"color:#c00000;\">" << escaped(note) << "</p>\n";
        const std::string statement = stateStatement(report_);
        if (!statement.empty()) {
            html_ << "<p class=\"statement\" style=\"color:#c00000;\"><b>" << escaped(statement) << "</b></p>\n";
            return;
        }
        if (!report_.results.empty()) quantityTable(report_.results);
        for (const ReportTable& t : report_.resultTables) table(t);
        if (std::any_of(report_.results.begin(), report_.results.end(), [](const ReportQuantity& q) { return q.highlighted; }))
            html_ << "<p class=\"note\">注：标 ※ 的数值为计算窗口中突出显示的计算结果。</p>\n";
        if (report_.results.empty() && report_.resultTables.empty()) html_ << "<p>本计算无数值结果。</p>\n";
        for (const std::string& warning : report_.warnings)
            html_ << "<p class=\"warning\" style=\"color:#a04000;\"><b>" << markup(warning) << "</b></p>\n";
    }

    void conclusion() {
        heading("结论");
        if (report_.state != ReportState::Computed) {
            html_ << "<p>未给出结论。</p>\n";
            return;
        }
        if (report_.verdicts.empty()) html_ << "<p>本计算窗口不作判定，计算结果见上。</p>\n";
        for (const ReportVerdict& verdict : report_.verdicts) {
            html_ << "<p>";
            if (!verdict.name.empty()) html_ << escaped(verdict.name) << "：";
            html_ << "<b><span style=\"color:" << cssColour(verdict.colour) << ";\">" << markup(verdict.text)
                  << "</span></b></p>\n";
        }
    }

    void studies() {
        if (report_.studies.empty()) return;
        heading("参数分析");
        for (const ReportStudy& study : report_.studies) {
            table(study.table);
            html_ << "<p class=\"figure\" align=\"center\">" << picture(study.plot) << "</p>\n";
        }
    }

    void signatures() {
        html_ << "<p>&nbsp;</p>\n" << kTable << "\n<tr><th width=\"8%\">计算</th><td width=\"15%\">"
              << orBlank(project_.calculatedBy) << "</td><th width=\"8%\">校核</th><td width=\"15%\">"
              << orBlank(project_.checkedBy) << "</td><th width=\"8%\">审核</th><td width=\"15%\">"
              << orBlank(project_.approvedBy) << "</td><th width=\"8%\">日期</th><td width=\"23%\">"
              << orBlank(project_.date) << "</td></tr>\n</table>\n";
    }

    void sketches() {
        int n = 0;
        for (const ReportSketch& sketch : report_.sketches)
            html_ << "<div class=\"sketch\"><h2>附图" << ++n << "　" << escaped(sketch.caption) << "</h2>\n"
                  << picture(sketch.picture) << "</div>\n";
    }

    const Report& report_;
    const ProjectInfo& project_;
    HtmlOptions options_;
    std::ostringstream html_;
    int section_ = 0;
};

}  // namespace

std::string reportHtml(const Report& report, const ProjectInfo& project, HtmlOptions options) {
    return HtmlWriter(report, project, options).write();
}

// A sketch's caption with its numbers in engineering form: a leading zero (".2907" -> "0.2907")
// and a number the window writes to its last binary digit shortened to three decimals
// ("295.402378181622" -> "295.402").
std::string sketchCaption(const std::string& caption) {
    std::string out;
    for (std::size_t i = 0; i < caption.size();) {
        const bool startsNumber = std::isdigit(static_cast<unsigned char>(caption[i])) ||
                                  (caption[i] == '.' && i + 1 < caption.size() &&
                                   std::isdigit(static_cast<unsigned char>(caption[i + 1])));
        const bool insideWord = i > 0 && (std::isalnum(static_cast<unsigned char>(caption[i - 1])) || caption[i - 1] == '_');
        if (!startsNumber || insideWord) {
            out += caption[i++];
            continue;
        }
        std::size_t end = i;
        while (end < caption.size() && (std::isdigit(static_cast<unsigned char>(caption[end])) || caption[end] == '.')) ++end;
        std::string number = caption.substr(i, end - i);
        if (std::count(number.begin(), number.end(), '.') <= 1) {
            const std::size_t digits = number.size() - std::count(number.begin(), number.end(), '.');
            number = engineeringNumber(number, digits > 8 ? 3 : -1);
        }
        out += number;
        i = end;
    }
    return out;
}

std::string sketchSvg(const Sketch& sketch, double widthPixels) {
    std::ostringstream svg;
    const double w = std::max(1.0, sketch.width()), h = std::max(1.0, sketch.height());
    svg << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << number(widthPixels) << "\" height=\""
        << number(widthPixels * h / w) << "\" viewBox=\"0 0 " << number(w) << ' ' << number(h) << "\">\n"
        << "<rect x=\"0\" y=\"0\" width=\"" << number(w) << "\" height=\"" << number(h)
        << "\" fill=\"white\" stroke=\"black\" stroke-width=\"15\"/>\n";
    // Widths are in pixels of the window, 15 twips each.
    for (const SketchLine& line : sketch.lines()) {
        if (!line.visible) continue;
        svg << "<line x1=\"" << number(line.x1) << "\" y1=\"" << number(line.y1) << "\" x2=\"" << number(line.x2)
            << "\" y2=\"" << number(line.y2) << "\" stroke=\"" << cssColour(line.colour) << "\" stroke-width=\""
            << number(std::max(1, line.width) * 15.0) << "\"/>\n";
    }
    for (const SketchMarker& marker : sketch.markers()) {
        if (!marker.visible) continue;
        svg << "<ellipse cx=\"" << number(marker.left + marker.width / 2) << "\" cy=\""
            << number(marker.top + marker.height / 2) << "\" rx=\"" << number(marker.width / 2) << "\" ry=\""
            << number(marker.height / 2) << "\" fill=\"none\" stroke=\"" << cssColour(marker.colour)
            << "\" stroke-width=\"15\"/>\n";
    }
    for (const SketchLabel& label : sketch.labels()) {
        if (!label.visible || label.caption.empty()) continue;
        svg << "<text x=\"" << number(label.left) << "\" y=\"" << number(label.top + 150)
            << "\" font-size=\"150\" font-family=\"Pylora Report Hei, Noto Sans CJK SC, sans-serif\" fill=\""
            << cssColour(label.colour) << "\">" << escaped(sketchCaption(label.caption)) << "</text>\n";
    }
    svg << "</svg>";
    return svg.str();
}

}  // namespace pylora
