#include "core/report.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <tuple>

namespace pylora {
namespace {

bool isBlank(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// A colour as the page shows it: the system roles as the usual light window face and black text.
std::string cssColour(Colour colour) {
    switch (colour.role()) {
        case Colour::Role::WindowText: return "#000000";
        case Colour::Role::ButtonFace: return "#f0f0f0";
        case Colour::Role::Rgb: break;
    }
    return colour.name();
}

bool isHighlight(Colour background) {
    return background.role() == Colour::Role::Rgb && background != Colour::white();
}

std::string escaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

bool isPicture(const std::string& content) { return content.rfind("<svg", 0) == 0; }

double svgAttribute(const std::string& svg, const char* name) {
    const std::regex attribute(std::string("\\s") + name + "=\"([0-9.]+)");
    std::smatch match;
    const std::string root = svg.substr(0, svg.find('>'));
    return std::regex_search(root, match, attribute) ? std::stod(match[1]) : 0;
}

// A text the run wrote that judges rather than measures: words without a digit
// ("满足强度要求"), standing in a cell of its own or in a colour of its own.
bool isVerdict(const ControlDef& control, const ControlState& state) {
    const std::string text = trimmed(state.text);
    if (text.empty() || std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const bool words = std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    const bool ownCell = control.label.empty() || control.kind == ControlKind::Label;
    return words && (ownCell || state.foreground != Colour::windowText());
}

// Collects controls into table rows as the window lines them up: a field with a caption starts
// a row; a cell without one joins the captioned field or label to its left in the same frame
// row (a stress with its sign, allowed stress and verdict; a point table's row of cells).
class RowCollector {
public:
    RowCollector(const Form& form) : form_(form), def_(form.definition()) {}

    void addField(const ControlDef& c) {
        if (c.labelPlacement == LabelPlacement::Right) {
            addUnitField(c);
            return;
        }
        const ControlDef* anchor = anchorOf(c);
        const std::string key = anchor ? anchor->name : c.name;
        rowFor(key, anchor ? captionOf(*anchor) : controlCaption(def_, c.name), anchor ? *anchor : c)
            .values.push_back(valueOf(c));
    }

    void addRow(const ControlDef& c, const std::string& key, const std::string& label, const std::string& value) {
        rowFor(key, label, c).values.push_back({key, value});
    }

    // The rows in the window's reading order: frame by frame, row by row, left to right.
    std::vector<ReportRow> take() {
        std::vector<std::size_t> order(rows_.size());
        for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
        std::stable_sort(order.begin(), order.end(), [this](std::size_t a, std::size_t b) { return places_[a] < places_[b]; });
        std::vector<ReportRow> rows;
        for (std::size_t i : order) {
            ReportRow& row = rows_[i];
            std::stable_sort(row.values.begin(), row.values.end(), [this](const ReportValue& a, const ReportValue& b) {
                return columns_[a.control] < columns_[b.control];
            });
            rows.push_back(std::move(row));
        }
        return rows;
    }

private:
    using ReadingPlace = std::tuple<int, int, int>;  // frame, row, column

    static std::string captionOf(const ControlDef& c) { return trimmed(c.label.empty() ? c.text : c.label); }

    ReportValue valueOf(const ControlDef& c) {
        columns_[c.name] = c.place.column;
        const ControlState& state = form_.control(c.name);
        const ControlDef* heading = c.label.empty() ? headingOf(c) : nullptr;
        return {c.name, trimmed(state.text), state.background, state.foreground, isHighlight(state.background),
                heading ? captionOf(*heading) : std::string()};
    }

    // A field whose caption stands after it names its unit ("(Kg/每个焊口)"); the quantity is
    // named by the caption that leads its row ("电焊条(Kg)") and the heading of its column.
    void addUnitField(const ControlDef& c) {
        std::string label = trimmed(c.label);
        if (const ControlDef* lead = anchorOf(c, false)) {
            label = captionOf(*lead);
            if (const ControlDef* heading = headingOf(c)) label += " " + captionOf(*heading);
        }
        ReportRow& row = rowFor(c.name, label, c);
        const std::string unit = unitFromLabel(c.label);
        row.unit = unit.empty() ? trimmed(c.label) : unit;
        row.values.push_back(valueOf(c));
    }

    // The static label over a column: the nearest above the field, in its frame and column.
    const ControlDef* headingOf(const ControlDef& c) const {
        const ControlDef* heading = nullptr;
        for (const ControlDef& other : def_.controls()) {
            if (other.frame != c.frame || other.place.row >= c.place.row || other.place.column != c.place.column ||
                other.kind != ControlKind::Label || isBlank(other.text))
                continue;
            if (!heading || other.place.row > heading->place.row) heading = &other;
        }
        return heading;
    }

    const ControlDef* anchorOf(const ControlDef& c, bool ownCaption = true) const {
        if (ownCaption && !c.label.empty()) return &c;
        const ControlDef* anchor = nullptr;
        for (const ControlDef& other : def_.controls()) {
            if (other.frame != c.frame || other.place.row != c.place.row || other.place.column >= c.place.column) continue;
            const bool staticLabel = other.kind == ControlKind::Label && other.style == LabelStyle::Plain && !isBlank(other.text);
            const bool captioned = staticLabel || (ownCaption && !other.label.empty());
            if (captioned && (!anchor || other.place.column > anchor->place.column)) anchor = &other;
        }
        return anchor;
    }

    ReportRow& rowFor(const std::string& key, const std::string& label, const ControlDef& placed) {
        auto it = byKey_.find(key);
        if (it != byKey_.end()) return rows_[it->second];
        byKey_[key] = rows_.size();
        rows_.push_back({label, unitFromLabel(label), {}});
        places_.push_back({frameIndex(placed.frame), placed.place.row, placed.place.column});
        return rows_.back();
    }

    int frameIndex(const std::string& frame) const {
        const auto& frames = def_.frames();
        for (std::size_t i = 0; i < frames.size(); ++i)
            if (frames[i].name == frame) return int(i);
        return -1;  // the window body
    }

    const Form& form_;
    const FormDefinition& def_;
    std::vector<ReportRow> rows_;
    std::vector<ReadingPlace> places_;
    std::map<std::string, std::size_t> byKey_;
    std::map<std::string, int> columns_;
};

std::string frameCaption(const FormDefinition& def, const std::string& frame) {
    const FrameDef* f = def.findFrame(frame);
    return f ? trimmed(f->caption) : std::string();
}

// The engineer's choices that are not typed: the selected option of each group, the check
// boxes, the selected list items.
void addChoice(RowCollector& rows, const Form& form, const ControlDef& c, std::set<std::string>& groupsDone) {
    const ControlState& state = form.control(c.name);
    switch (c.kind) {
        case ControlKind::OptionButton: {
            if (!groupsDone.insert(c.group).second) return;
            const auto selected = form.selectedOption(c.group);
            std::string caption = frameCaption(form.definition(), c.group);
            if (caption.empty()) caption = "计算选项";
            std::string value = "（未选择）";
            if (selected) {
                const ControlDef* option = form.definition().findControl(*selected);
                value = trimmed(option->text.empty() ? option->label : option->text);
            }
            rows.addRow(c, "group:" + c.group, caption, value);
            return;
        }
        case ControlKind::CheckBox:
            rows.addRow(c, c.name, trimmed(state.text), state.checked ? "是" : "否");
            return;
        case ControlKind::ListBox: {
            const auto item = form.selectedItem(c.name);
            rows.addRow(c, c.name, trimmed(c.label), item ? trimmed(*item) : "（未选择）");
            return;
        }
        default:
            return;
    }
}

}  // namespace

std::string unitFromLabel(const std::string& label) {
    std::string text = trimmed(label);
    while (text.size() >= 3 && text.compare(text.size() - 3, 3, "\u3000") == 0) text = trimmed(text.substr(0, text.size() - 3));
    const bool fullWidth = text.size() >= 3 && text.compare(text.size() - 3, 3, "）") == 0;
    if (!fullWidth && (text.empty() || text.back() != ')')) return {};
    std::size_t end = text.size() - (fullWidth ? 3 : 1);
    // Back to the bracket that opens the last one, either width, nested brackets skipped.
    int depth = 0;
    for (std::size_t i = end; i-- > 0;) {
        const bool open = text[i] == '(' || (i + 3 <= text.size() && text.compare(i, 3, "（") == 0);
        const bool close = text[i] == ')' || (i + 3 <= text.size() && text.compare(i, 3, "）") == 0);
        if (close) ++depth;
        if (open && depth-- == 0) {
            const std::size_t start = i + (text[i] == '(' ? 1 : 3);
            return trimmed(text.substr(start, end - start));
        }
    }
    return {};
}

Report buildReport(const CalcForm& window) {
    const Form& form = window.form();
    const FormDefinition& def = window.definition();
    const RunRecord& record = window.record();
    Report report;
    report.formName = def.formName();
    report.windowTitle = def.title();
    report.title = def.title();
    if (!record.ran)
        report.state = ReportState::NotRun;
    else if (record.failure)
        report.state = ReportState::Failed;
    else if (window.changedSinceRun())
        report.state = ReportState::ChangedAfterRun;
    else
        report.state = ReportState::Computed;
    if (record.failure) report.failure = failureMessage(*record.failure, def);

    const bool computed = report.state == ReportState::Computed;
    const std::set<std::string> results = computed ? std::set<std::string>(record.results.begin(), record.results.end())
                                                   : std::set<std::string>();
    const std::set<std::string> read(record.inputs.begin(), record.inputs.end());

    RowCollector inputs(form), resultRows(form);
    std::set<std::string> groupsDone;
    for (const ControlDef& c : def.controls()) {
        const ControlState& state = form.control(c.name);
        if (c.style == LabelStyle::Title) report.title = trimmed(state.text);
        if (c.style == LabelStyle::Note) report.basis = trimmed(state.text);
        if (!state.visible) continue;
        if (c.kind == ControlKind::Picture) {
            ReportPicture picture{c.name, frameCaption(def, c.frame), c.text, isPicture(c.text)};
            if (picture.svg) {
                picture.width = svgAttribute(c.text, "width");
                picture.height = svgAttribute(c.text, "height");
            }
            report.formulas.push_back(std::move(picture));
        } else if (c.kind == ControlKind::Sketch && computed) {
            if (const Sketch* sketch = form.findSketch(c.name)) {
                std::string caption = frameCaption(def, c.frame);
                report.sketches.push_back({c.name, caption.empty() ? "示意图" : caption, *sketch});
            }
        } else if (results.count(c.name) && (c.kind == ControlKind::TextField || c.kind == ControlKind::Label)) {
            const ReportVerdict verdict{trimmed(state.text), state.foreground};
            const bool known = std::any_of(report.verdicts.begin(), report.verdicts.end(), [&](const ReportVerdict& v) {
                return v.text == verdict.text && v.colour == verdict.colour;
            });  // one verdict shown on two rows is stated once
            if (isVerdict(c, state) && !known) report.verdicts.push_back(verdict);
            resultRows.addField(c);
        } else if (c.kind == ControlKind::TextField) {
            // Inputs: what the runs read; before a computation, what the window offers to be read.
            if (read.count(c.name) || (!computed && !isBlank(c.text))) inputs.addField(c);
        } else {
            addChoice(inputs, form, c, groupsDone);
        }
    }
    report.inputs = inputs.take();
    report.results = resultRows.take();
    return report;
}

std::string stateStatement(const Report& report) {
    switch (report.state) {
        case ReportState::NotRun:
            return "尚未计算：本计算书不含计算结果。请在计算窗口中进行计算后再导出。";
        case ReportState::Failed:
            return report.failure + "。本次计算未完成，不给出计算结果。";
        case ReportState::ChangedAfterRun:
            return "输入参数在最近一次计算后已修改，窗口中的结果不是这些输入的计算结果，本计算书不给出计算结果。请重新计算后再导出。";
        case ReportState::Computed:
            break;
    }
    return {};
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
            << "\" font-size=\"150\" font-family=\"Noto Sans CJK SC, sans-serif\" fill=\"" << cssColour(label.colour)
            << "\">" << escaped(label.caption) << "</text>\n";
    }
    svg << "</svg>";
    return svg.str();
}

namespace {

constexpr const char* kTable = "<table class=\"grid\" border=\"1\" cellspacing=\"0\" cellpadding=\"4\" width=\"100%\">";

std::string valueSpan(const ReportValue& value) {
    std::string style = "color:" + cssColour(value.foreground) + ";";
    if (value.highlighted) style += "background-color:" + cssColour(value.background) + ";font-weight:bold;";
    return "<span style=\"" + style + "\">" + escaped(value.text) + "</span>";
}

// A row of a few values (a stress, its sign, the allowed stress and the verdict) reads as one
// line of text; a row of many (a point table's) becomes a column of its own.
constexpr std::size_t kValuesInOneCell = 4;

std::string simpleTable(const std::vector<const ReportRow*>& rows, const char* valueHeading) {
    std::ostringstream html;
    html << kTable << "\n<thead><tr><th width=\"7%\">序号</th><th width=\"50%\">名称</th><th>" << valueHeading
         << "</th><th width=\"14%\">单位</th></tr></thead>\n";
    int n = 0;
    for (const ReportRow* row : rows) {
        html << "<tr><td align=\"center\">" << ++n << "</td><td>" << escaped(row->label) << "</td><td align=\"right\">";
        for (std::size_t i = 0; i < row->values.size(); ++i) html << (i ? " " : "") << valueSpan(row->values[i]);
        html << "</td><td align=\"center\">" << escaped(row->unit) << "</td></tr>\n";
    }
    html << "</table>\n";
    return html.str();
}

// Rows of many values side by side: one column per row, one line per point or segment.
std::string seriesTable(const std::vector<const ReportRow*>& rows) {
    std::size_t lines = 0;
    for (const ReportRow* row : rows) lines = std::max(lines, row->values.size());
    std::ostringstream html;
    html << kTable << "\n<thead><tr><th width=\"7%\">序号</th>";
    for (const ReportRow* row : rows) html << "<th>" << escaped(row->label) << "</th>";
    html << "</tr></thead>\n";
    for (std::size_t i = 0; i < lines; ++i) {
        // A line is named by its column's heading in the window ("桩点3"), else numbered.
        std::string name = std::to_string(i + 1);
        for (const ReportRow* row : rows)
            if (i < row->values.size() && !row->values[i].heading.empty()) name = escaped(row->values[i].heading);
        html << "<tr><td align=\"center\">" << name << "</td>";
        for (const ReportRow* row : rows)
            html << "<td align=\"right\">" << (i < row->values.size() ? valueSpan(row->values[i]) : "") << "</td>";
        html << "</tr>\n";
    }
    html << "</table>\n";
    return html.str();
}

std::string rowsTable(const std::vector<ReportRow>& rows, const char* valueHeading) {
    std::vector<const ReportRow*> simple, series;
    for (const ReportRow& row : rows) (row.values.size() > kValuesInOneCell ? series : simple).push_back(&row);
    std::string html;
    if (!series.empty()) html += seriesTable(series);
    if (!series.empty() && !simple.empty()) html += "<p class=\"gap\">&nbsp;</p>\n";
    if (!simple.empty() || series.empty()) html += simpleTable(simple, valueHeading);
    return html;
}

std::string pictureHtml(const ReportPicture& picture, PictureStyle style) {
    if (!picture.svg || style == PictureStyle::Inline) return "<div class=\"formula\">" + picture.content + "</div>";
    return "<img src=\"picture:" + picture.control + "\" width=\"" + number(picture.width) + "\" height=\"" +
           number(picture.height) + "\"/>";
}

std::string sketchHtml(const ReportSketch& sketch, PictureStyle style) {
    constexpr double kWidth = 640;  // pixels of the page's text width
    if (style == PictureStyle::Inline) return "<div class=\"sketch\">" + sketchSvg(sketch.sketch, kWidth) + "</div>";
    const double height = sketch.sketch.width() > 0 ? kWidth * sketch.sketch.height() / sketch.sketch.width() : 0;
    return "<img src=\"sketch:" + sketch.control + "\" width=\"" + number(kWidth) + "\" height=\"" + number(height) + "\"/>";
}

std::string orBlank(const std::string& text) { return text.empty() ? "&nbsp;" : escaped(text); }

constexpr const char* kStyle = R"(<style>
body { font-family: "Noto Sans CJK SC", "Noto Sans SC", "Microsoft YaHei", sans-serif; font-size: 10.5pt; color: #000; }
h1 { font-size: 18pt; text-align: center; margin: 6pt 0; }
h2 { font-size: 12pt; margin: 12pt 0 4pt 0; }
table.grid { border-collapse: collapse; }
table.grid th { background: #e8e8e8; font-weight: bold; }
table.grid td, table.grid th { border: 1px solid #000; padding: 3pt 5pt; }
p.figure { text-align: center; }
p.gap { font-size: 4pt; }
.formula { margin: 4pt 0 8pt 0; text-align: center; }
.statement { color: #c00000; font-weight: bold; }
.note { font-size: 9pt; }
.sketch svg { max-width: 100%; height: auto; }
</style>
)";

}  // namespace

std::string reportHtml(const Report& report, const ProjectInfo& project, PictureStyle pictures) {
    std::ostringstream html;
    html << "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\">\n<title>"
         << escaped(report.title) << " 计算书</title>\n" << kStyle << "</head>\n<body>\n";
    html << "<h1>" << escaped(report.title) << " 计算书</h1>\n";
    html << kTable << "\n<tr><th width=\"14%\">工程名称</th><td>" << orBlank(project.projectName)
         << "</td><th width=\"14%\">工程编号</th><td width=\"22%\">" << orBlank(project.projectNumber) << "</td></tr>\n"
         << "<tr><th>计算项目</th><td colspan=\"3\">" << escaped(report.windowTitle) << "</td></tr>\n</table>\n";

    const char* numbers[] = {"一", "二", "三", "四", "五", "六", "七", "八"};
    int section = 0;
    auto heading = [&](const char* text) { html << "<h2>" << numbers[section++] << "、" << text << "</h2>\n"; };

    heading("计算依据");
    html << "<p>" << (report.basis.empty() ? "本计算窗口未注明所依据的规范。" : escaped(report.basis)) << "</p>\n";
    if (!report.formulas.empty()) {
        heading("计算公式");
        std::string caption;
        for (const ReportPicture& picture : report.formulas) {
            // A caption and its picture stand in one paragraph, which the page layout keeps whole.
            html << "<p class=\"figure\" align=\"center\">";
            if (picture.caption != caption && !picture.caption.empty()) html << "<b>" << escaped(picture.caption) << "</b><br/>";
            caption = picture.caption;
            html << pictureHtml(picture, pictures) << "</p>\n";
        }
    }
    heading("输入参数");
    html << rowsTable(report.inputs, "数值");
    heading("计算结果");
    const std::string statement = stateStatement(report);
    if (!statement.empty()) {
        html << "<p class=\"statement\" style=\"color:#c00000;\"><b>" << escaped(statement) << "</b></p>\n";
    } else {
        html << rowsTable(report.results, "计算值");
        if (std::any_of(report.results.begin(), report.results.end(), [](const ReportRow& row) {
                return std::any_of(row.values.begin(), row.values.end(), [](const ReportValue& v) { return v.highlighted; });
            }))
            html << "<p class=\"note\">注：加底色并加粗的数值为计算窗口中突出显示的计算结果。</p>\n";
        if (!report.verdicts.empty()) {
            heading("结论");
            for (const ReportVerdict& verdict : report.verdicts)
                html << "<p><b><span style=\"color:" << cssColour(verdict.colour) << ";\">" << escaped(verdict.text)
                     << "</span></b></p>\n";
        }
        for (const ReportSketch& sketch : report.sketches) {
            html << "<h2 class=\"figure\">" << numbers[section++] << "、" << escaped(sketch.caption) << "<br/>"
                 << sketchHtml(sketch, pictures) << "</h2>\n";
        }
    }
    html << "<p>&nbsp;</p>\n" << kTable << "\n<tr><th width=\"8%\">计算</th><td width=\"15%\">"
         << orBlank(project.calculatedBy) << "</td><th width=\"8%\">校核</th><td width=\"15%\">" << orBlank(project.checkedBy)
         << "</td><th width=\"8%\">审核</th><td width=\"15%\">" << orBlank(project.approvedBy)
         << "</td><th width=\"8%\">日期</th><td width=\"23%\">" << orBlank(project.date) << "</td></tr>\n</table>\n";
    html << "</body>\n</html>\n";
    return html.str();
}

}  // namespace pylora
