// The 计算书's content from the window's stated meanings: roles decide what is an input, a
// result or a verdict; tables, basis, quantities and formulas come from the definition as stated.
#include "documents/report.h"

#include "model/version.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <regex>
#include <set>

#include "cad/profile_drawing.h"
#include "documents/report_profile_columns.h"
#include "documents/report_quantity_identity.h"
#include "documents/report_step_order.h"
#include "model/decimal_text.h"
#include "model/field_role.h"
#include "model/report_declarations.h"
#include "model/quantity_values.h"
#include "model/remarks.h"
#include "model/report_numbers.h"


#include "model/text.h"

namespace pylora {
namespace {

bool isHighlight(Colour background) {
    return background.role() == Colour::Role::Rgb && background != Colour::white();
}

// The tree with each named constant (g, R_a, C) written as its value, for the substituted line.
formula::Expr withConstantValues(const formula::Expr& e) {
    using Kind = formula::Expr::Kind;
    if (e.kind() == Kind::Named) return formula::Expr::make(Kind::Constant, engineeringValue(e.constant()), e.constant(), {});
    if (e.operands().empty()) return e;
    std::vector<formula::Expr> operands;
    for (const formula::Expr& operand : e.operands()) operands.push_back(withConstantValues(operand));
    return formula::Expr::make(e.kind(), e.text(), e.constant(), std::move(operands));
}

// The code number after a title: "GB50251-2003", "GB 50251-2003", "SY/T0015.1-98", spaces dropped.
const std::regex kCodeNumber(R"(^\s*((?:GB|SY|JTG|CJJ|Q)(?:/[A-Z]+)?\s*\d+(?:\.\d+)*-\d+))");

std::string withoutSpaces(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
    return text;
}

// A note that cites a code under another title than 一、计算依据 (《输气管道设计规范》GB50251-2003)
// cites it as the basis does: one code, one title throughout the report.
std::string titlesAsInBasis(std::string note, const std::vector<std::string>& basis) {
    std::map<std::string, std::pair<std::string, std::string>> cited;  // number -> title, number as written
    for (const std::string& code : basis) {
        const auto open = code.find("《"), close = code.find("》");
        if (open == std::string::npos || close == std::string::npos) continue;
        std::smatch number;
        const std::string after = code.substr(close + std::string("》").size());
        if (std::regex_search(after, number, kCodeNumber))
            cited[withoutSpaces(number[1])] = {code.substr(open, close + std::string("》").size() - open), number[1]};
    }
    for (std::size_t open = note.find("《"); open != std::string::npos; open = note.find("《", open + 1)) {
        const auto close = note.find("》", open);
        if (close == std::string::npos) break;
        const std::size_t end = close + std::string("》").size();
        std::smatch number;
        const std::string after = note.substr(end);
        if (!std::regex_search(after, number, kCodeNumber)) continue;
        const auto code = cited.find(withoutSpaces(number[1]));
        if (code == cited.end()) continue;
        const std::string replacement = code->second.first + code->second.second;
        note.replace(open, end + number.position(1) + number.length(1) - open, replacement);
    }
    return note;
}

bool isValueControl(const ControlDef& c) { return c.kind == ControlKind::TextField || c.kind == ControlKind::Label; }

ReportState stateOf(const CalcForm& window) {
    const RunRecord& record = window.record();
    if (!record.ran) return ReportState::NotRun;
    if (record.failure) return ReportState::Failed;
    if (window.changedSinceRun()) return ReportState::ChangedAfterRun;
    return ReportState::Computed;
}

// The window's report, built once: which steps ran, which controls sit in tables, the values.
class Builder {
public:
    explicit Builder(const CalcForm& window)
        : window_(window), form_(window.form()), def_(window.definition()), values_(form_), identity_(def_) {
        report_.state = stateOf(window);
        computed_ = report_.state == ReportState::Computed;
        const RunRecord& record = window.record();
        written_.insert(record.results.begin(), record.results.end());
        for (const std::string& name : record.results) noteStep(name);
        for (const std::string& name : record.inputs) noteStep(name);
        for (const formula::Formula& line : def_.formulas())
            if (!line.step.empty() && written_.count(displayOf(line.result))) stepsRun_.insert(line.step);
        for (const TableDef& table : def_.tables())
            for (const TableColumn& column : table.columns) tableCells_.insert(column.cells.begin(), column.cells.end());
    }

    Report build() {
        report_.formName = def_.formName();
        report_.windowTitle = def_.title();
        report_.heading = def_.title();
        report_.program = "Pylora";
        report_.version = kProgramVersion;
        report_.basis = def_.basis();
        if (window_.record().failure) report_.failure = failureMessage(*window_.record().failure, def_);
        if (computed_) choosePrecisions();
        std::set<std::string> groupsDone;
        for (const ControlDef& c : def_.controls()) {
            if (c.style == LabelStyle::Title) report_.heading = trimmedString(form_.text(c.name));
            if (c.style == LabelStyle::Note && form_.visible(c.name)) addNote(form_.text(c.name));
            if (!form_.visible(c.name) || tableCells_.count(c.name)) continue;
            addControl(c, groupsDone);
        }
        for (const TableDef& table : def_.tables()) addTable(table);
        addVerdicts();
        for (const DataFileRead& file : form_.dataFilesRead())
            report_.dataFiles.push_back({file.caption, file.path, file.sample, file.columns, file.records, file.notes});
        // A formula that gives one of the inputs (the way back of a two-way conversion) is no step
        // of this calculation.
        const auto included = [this](const formula::Formula& line) {
            return stepRan(line.step) && values_.applies(line) &&
                   !(def_.findControl(line.result) && roleIn(form_, line.result) == FieldRole::Input);
        };
        const auto sameQuantity = [this](const std::string& key) { return identity_.printedKey(key); };
        for (const std::size_t index : readingOrder(def_.formulas(), included, sameQuantity))
            addStep(def_.formulas()[index], index);
        addUnplacedRemarks();
        if (computed_) {
            // Besides the ranges the notes state, what the run itself said of its inputs.
            report_.warnings = window_.record().warnings;
            for (const std::string& note : form_.uncomputedNotes()) report_.warnings.push_back(note);
        }
        if (report_.state != ReportState::NotRun) addStepsNotRun();
        if (computed_) addSketches();
        if (computed_) addRowFormulas();
        return std::move(report_);
    }

private:
    // Under a table that compares formulas, each row's formula once: drawn, or named by the
    // earlier row with the same, or by the step that writes it out with its values; then the
    // symbols they use, once, and each row's range of validity as the window states it.
    void addRowFormulas() {
        const formula::SymbolOf symbol = [this](const std::string& key) { return identity_.symbolOf(key); };
        for (const TableDef& def : def_.tables()) {
            if (def.rowFormulas.empty()) continue;
            const auto table = std::find_if(report_.resultTables.begin(), report_.resultTables.end(),
                                            [&](const ReportTable& t) { return t.caption == def.caption; });
            if (table == report_.resultTables.end()) continue;
            RowTerms terms;
            for (std::size_t row = 0; row < def.rowFormulas.size() && row < def.rows.size(); ++row) {
                const RowFormula& of = def.rowFormulas[row];
                const formula::Formula& line = def_.formulas().at(of.formula);
                ReportRowFormula written{def.rows[row], {}, {}, {}, stepWriting(of.formula), of.note, of.validity};
                written.formulaText = symbol(line.result) + " = " + formula::linear(line.expression, symbol);
                for (const ReportRowFormula& earlier : table->rowFormulas)
                    if (written.sameAs.empty() && earlier.formulaText == written.formulaText) written.sameAs = earlier.row;
                if (written.step == 0 && written.sameAs.empty())
                    written.formula = picture("row" + std::to_string(of.formula), formula::piece(line, symbol));
                for (const std::string& key : formula::quantitiesOf(line.expression)) terms.add(termOf(key), def.rows[row]);
                terms.add(termOf(line.result), def.rows[row]);
                for (const formula::NamedConstant& constant : formula::namedConstantsOf(line.expression))
                    terms.add(constantTerm(constant), def.rows[row]);
                table->rowFormulas.push_back(std::move(written));
            }
            table->rowFormulaTerms = terms.list();
        }
    }

    // The symbols of a comparison's formulas, each once; one that rows take in different units
    // (D in cm in one law, in m in the others) names the rows of the fewer.
    class RowTerms {
    public:
        void add(ReportTerm term, const std::string& row) {
            auto at = std::find_if(terms_.begin(), terms_.end(), [&](const Entry& e) { return e.term.symbol == term.symbol; });
            if (at == terms_.end()) at = terms_.insert(terms_.end(), Entry{term, {}});
            auto& rows = at->rowsByUnit[term.unit];
            if (std::find(rows.begin(), rows.end(), row) == rows.end()) rows.push_back(row);
        }

        std::vector<ReportTerm> list() const {
            std::vector<ReportTerm> list;
            for (const Entry& e : terms_) {
                ReportTerm term = e.term;
                if (e.rowsByUnit.size() > 1) term.unit = unitsByRow(e.rowsByUnit);
                list.push_back(std::move(term));
            }
            return list;
        }

    private:
        struct Entry {
            ReportTerm term;
            std::map<std::string, std::vector<std::string>> rowsByUnit;
        };

        // "cm（GB 50251 通用公式），m（其余各式）": the unit most rows take last, as the rest.
        static std::string unitsByRow(const std::map<std::string, std::vector<std::string>>& rowsByUnit) {
            const auto most = std::max_element(rowsByUnit.begin(), rowsByUnit.end(), [](const auto& a, const auto& b) {
                return a.second.size() < b.second.size();
            });
            std::string text;
            for (const auto& [unit, rows] : rowsByUnit) {
                if (unit == most->first) continue;
                std::string names;
                for (const std::string& row : rows) names += (names.empty() ? "" : "、") + row;
                text += (unit.empty() ? "无量纲" : unit) + "（" + names + "），";
            }
            return text + (most->first.empty() ? "无量纲" : most->first) + "（其余各式）";
        }

        std::vector<Entry> terms_;
    };

    // The number of the step of 三、计算过程 that writes out this formula; 0 when none does.
    int stepWriting(std::size_t formulaIndex) const {
        int number = 0;
        for (const ReportStep& step : report_.steps) {
            if (!step.words.empty()) continue;
            ++number;
            if (step.formulaIndex == formulaIndex) return number;
        }
        return 0;
    }

    // Every verdict of every step that ran, as the step wrote it: a later step that writes its
    // own into the same field (the drilling windows' 结论) does not take the earlier one away.
    // Where two steps judged in one field, each verdict is named and keyed by its step.
    void addVerdicts() {
        if (!computed_) return;
        const auto& verdicts = window_.record().verdicts;
        std::set<std::string> compared;
        for (const Comparison& check : comparisonsOf(def_.formName())) addComparison(check, compared);
        for (const StepVerdict& v : verdicts) {
            const std::string text = trimmedString(v.text);
            if (text.empty() || !form_.visible(v.control) || compared.count(v.control)) continue;
            const ControlDef* c = def_.findControl(v.control);
            const bool shared = std::count_if(verdicts.begin(), verdicts.end(), [&](const StepVerdict& other) {
                                    return other.control == v.control && !trimmedString(other.text).empty();
                                }) > 1;
            std::string name = c ? c->meaning.name : std::string();
            std::string key = v.control;
            if (shared) {
                const ControlDef* step = def_.findControl(v.step);
                name += "（" + (step ? trimmedString(step->text) : v.step) + "）";
                key += ":" + v.step;
            }
            report_.verdicts.push_back({key, name, text, v.colour});
        }
    }

    // A window whose steps follow one another (第一步计算, 第二步计算): the steps after the last
    // one that ran were not run, and the calculation is unfinished.
    void addStepsNotRun() {
        if (!def_.hasSuccessiveSteps()) return;
        std::vector<std::string> notRun;
        for (const ControlDef& button : def_.controls()) {
            if (button.kind != ControlKind::Button || button.action != ButtonAction::Run) continue;
            if (stepsRun_.count(button.name)) notRun.clear();
            else notRun.push_back(trimmedString(button.text));
        }
        report_.stepsNotRun = std::move(notRun);
    }

    // A note the window marks 【注意】 says what the engineer must know (a formula's range, a
    // definition, a rounding rule): the report prints it under 说明, without its mark. A note
    // without the mark tells how to use the window and stays there.
    void addNote(const std::string& text) {
        std::string note = trimmedString(text);
        const std::string mark = "【注意】";
        if (note.rfind(mark, 0) != 0) return;
        note = trimmedString(note.substr(mark.size()));
        for (const char* colon : {"：", ":"})
            if (note.rfind(colon, 0) == 0) note = trimmedString(note.substr(std::string(colon).size()));
        if (!note.empty()) report_.notes.push_back(titlesAsInBasis(note, report_.basis));
    }

    // A check the window shows in four fields, as one sentence: σ = … < [σ] = …，满足强度要求,
    // in the colour the window gives its verdict.
    void addComparison(const Comparison& check, std::set<std::string>& compared) {
        const std::string sign = trimmedString(form_.text(check.sign));
        const std::string verdict = trimmedString(form_.text(check.verdict));
        if (sign.empty() || verdict.empty() || !written_.count(check.value) || !written_.count(check.limit)) return;
        auto side = [&](const std::string& key, bool magnitude) {
            const ControlDef* c = def_.findControl(key);
            const std::string unit = c ? unitOf(c->meaning) : std::string();
            std::string value = valueText(key);
            if (magnitude && value.starts_with('-')) value.erase(0, 1);
            const std::string symbol = magnitude ? "|" + identity_.symbolOf(key) + "|" : identity_.symbolOf(key);
            return symbol + " = " + value + (unit.empty() ? "" : " " + unit);
        };
        std::string text;
        try {
            text = side(check.value, check.magnitude) + " " + sign + " " + side(check.limit, false) + "，" + verdict;
        } catch (const RunFailure&) {
            return;  // a side without a number: the fields stand as the window wrote them
        }
        const ControlDef* c = def_.findControl(check.verdict);
        report_.verdicts.push_back({check.verdict, c ? c->meaning.name : std::string(), text, form_.foreground(check.verdict)});
        compared.insert(check.sign);
        compared.insert(check.verdict);
    }

    void noteStep(const std::string& name) {
        if (const ControlDef* c = def_.findControl(name); c && !c->meaning.step.empty()) stepsRun_.insert(c->meaning.step);
    }

    // Before any run the report states the window as it stands, every step's inputs included.
    bool stepRan(const std::string& step) const {
        return step.empty() || report_.state == ReportState::NotRun || stepsRun_.count(step);
    }

    std::string displayOf(const std::string& key) const {
        if (const QuantityDef* quantity = def_.findQuantity(key)) return quantity->shownIn;
        return def_.findControl(key) ? key : std::string();
    }

    void addControl(const ControlDef& c, std::set<std::string>& groupsDone) {
        const FieldRole role = roleIn(form_, c);
        if (!stepRan(c.meaning.step)) return;
        switch (role) {
            case FieldRole::Input:
                if (isValueControl(c) && !unusedByChoice(c.name)) report_.inputs.push_back(quantityOf(c));
                return;
            case FieldRole::Choice:
                addChoice(c, groupsDone);
                return;
            case FieldRole::Result:
                if (computed_ && written_.count(c.name) && isValueControl(c)) report_.results.push_back(quantityOf(c));
                return;
            case FieldRole::Verdict:  // as each step wrote them: see addVerdicts
                return;
            case FieldRole::Unset:
            case FieldRole::Working:
                return;
        }
    }

    // An input that only formulas of options not chosen use (the bend's inputs where the
    // pipe is laid without bending) plays no part in this calculation.
    bool unusedByChoice(const std::string& key) const {
        bool used = false, usedHere = false;
        for (const formula::Formula& line : def_.formulas()) {
            if (line.result.empty()) continue;
            const auto keys = formula::quantitiesOf(line.expression);
            if (std::find(keys.begin(), keys.end(), key) == keys.end()) continue;
            used = true;
            usedHere = usedHere || values_.applies(line);
        }
        return used && !usedHere;
    }

    // The unit the engineer picked in the field's unit list (or the one a label shows), else the stated one.
    std::string unitOf(const Meaning& meaning) const {
        if (meaning.unitList.empty() || !form_.has(meaning.unitList)) return meaning.unit;
        if (form_.control(meaning.unitList).kind != ControlKind::ListBox) return form_.text(meaning.unitList);
        return form_.selectedItem(meaning.unitList).value_or(meaning.unit);
    }

    ReportQuantity quantityOf(const ControlDef& c) const {
        const ControlState& state = form_.control(c.name);
        const bool blank = trimmedString(state.text).empty() && !c.meaning.whenBlank.empty();
        return {c.name, c.meaning.symbol, c.meaning.name,
                blank ? c.meaning.whenBlank : fieldText(c.name, decimalsOf(c.name)),
                blank ? std::string() : unitOf(c.meaning), isHighlight(state.background)};
    }

    void addChoice(const ControlDef& c, std::set<std::string>& groupsDone) {
        switch (c.kind) {
            case ControlKind::OptionButton: {
                if (!groupsDone.insert(c.group).second) return;
                std::string name;
                for (const ControlDef& other : def_.controls())
                    if (other.kind == ControlKind::OptionButton && other.group == c.group && !other.meaning.name.empty()) {
                        name = other.meaning.name;
                        break;
                    }
                if (name.empty()) name = "计算选项";
                const auto selected = form_.selectedOption(c.group);
                std::string value = "（未选择）";
                if (selected) {
                    const ControlDef* option = def_.findControl(*selected);
                    // A bare button is named by its caption label, kept as its description.
                    for (const std::string* words : {&option->text, &option->label, &option->description})
                        if (value = trimmedString(*words); !value.empty()) break;
                }
                report_.choices.push_back({"group:" + c.group, name, value});
                return;
            }
            case ControlKind::CheckBox:
                report_.choices.push_back({c.name, c.meaning.name.empty() ? trimmedString(c.text) : c.meaning.name,
                                           form_.checked(c.name) ? "是" : "否"});
                return;
            case ControlKind::ListBox: {
                const auto item = form_.selectedItem(c.name);
                report_.choices.push_back({c.name, c.meaning.name.empty() ? trimmedString(c.label) : c.meaning.name,
                                           item ? trimmedString(*item) : "（未选择）"});
                return;
            }
            default:
                return;
        }
    }

    // A column's role: as stated, else the role its cells have.
    FieldRole columnRole(const TableColumn& column) const {
        if (column.meaning.role != FieldRole::Unset) return column.meaning.role;
        for (const std::string& cell : column.cells) {
            if (cell.empty()) continue;
            const ControlDef* c = def_.findControl(cell);
            const FieldRole role = c ? def_.roleOf(*c) : FieldRole::Unset;
            if (role != FieldRole::Unset) return role;
        }
        return FieldRole::Input;  // a table of fields the engineer fills in
    }

    // A cell's role: as the cell states it (the given ends of a computed column, the computed
    // stations of a given one), else its column's.
    FieldRole cellRole(const TableColumn& column, const std::string& cell) const {
        const ControlDef* c = def_.findControl(cell);
        if (c && c->meaning.role != FieldRole::Unset) return c->meaning.role;
        return columnRole(column);
    }

    static bool isResultRole(FieldRole role) { return role == FieldRole::Result || role == FieldRole::Verdict; }

    // The table's cells of one kind, with the columns and rows that hold a visible one of them.
    ReportTable tablePart(const TableDef& table, bool results) const {
        ReportTable part{table.caption, table.rowHeading, {}, {}, {}};
        auto ofKind = [&](const TableColumn& column, const std::string& cell) {
            if (cell.empty() || !form_.visible(cell)) return false;
            const FieldRole role = cellRole(column, cell);
            const ControlDef* c = def_.findControl(cell);
            const std::string& step = c && !c->meaning.step.empty() ? c->meaning.step : column.meaning.step;
            return role != FieldRole::Working && isResultRole(role) == results && stepRan(step);
        };
        // The results name each row's place by the table's first column (桩点里程) as well, given
        // or computed.
        const TableColumn* key = results && !table.columns.empty() ? &table.columns.front() : nullptr;
        auto keyCell = [&](const TableColumn& column, const std::string& cell) {
            return &column == key && !cell.empty() && form_.visible(cell) && stepRan(column.meaning.step) &&
                   (written_.count(cell) || roleIn(form_, cell) == FieldRole::Input);
        };
        std::vector<const TableColumn*> columns;
        for (const TableColumn& column : table.columns) {
            if (!stepRan(column.meaning.step)) continue;
            if (std::none_of(column.cells.begin(), column.cells.end(), [&](const std::string& cell) {
                    return ofKind(column, cell) || keyCell(column, cell);
                }))
                continue;
            columns.push_back(&column);
            part.columns.push_back({column.meaning.symbol, column.meaning.name, unitOf(column.meaning)});
        }
        for (std::size_t row = 0; row < table.rows.size(); ++row) {
            std::vector<std::string> cells;
            bool any = false;
            for (const TableColumn* column : columns) {
                const std::string& cell = column->cells[row];
                const bool mine = ofKind(*column, cell);
                const bool shown = (mine && (!results || written_.count(cell))) || keyCell(*column, cell);
                const ControlDef* c = shown ? def_.findControl(cell) : nullptr;
                const int decimals = !c ? column->meaning.decimals
                                     : decimalsOf(cell) >= 0 ? decimalsOf(cell)
                                                             : column->meaning.decimals;
                cells.push_back(shown ? fieldText(cell, decimals) : std::string());
                any = any || mine;
            }
            if (!any) continue;
            part.rows.push_back(table.rows[row]);
            part.cells.push_back(std::move(cells));
        }
        return part;
    }

    void addTable(const TableDef& table) {
        ReportTable inputs = tablePart(table, false);
        if (!inputs.rows.empty()) report_.inputTables.push_back(std::move(inputs));
        if (!computed_) return;
        ReportTable results = tablePart(table, true);
        addTotals(results);
        if (const auto profile = profileDrawing(window_); profile && addGroundAndDepthColumns(results, *profile))
            report_.notes.push_back(groundAndDepthNote(*profile));
        if (!results.rows.empty()) report_.resultTables.push_back(std::move(results));
    }

    // The 合计 row of a table whose columns add up: the printed values summed, to the most
    // decimals any of them prints.
    void addTotals(ReportTable& table) const {
        const auto summed = summedColumns(def_.formName(), table.caption);
        if (summed.empty() || table.rows.size() < 2) return;
        std::vector<std::string> totals(table.columns.size());
        for (std::size_t column = 0; column < table.columns.size(); ++column) {
            if (std::find(summed.begin(), summed.end(), table.columns[column].symbol) == summed.end()) continue;
            double sum = 0;
            int decimals = 0;
            bool any = false;
            for (const auto& row : table.cells) {
                const auto printed = readPrintedNumber(row[column]);
                if (!printed) continue;
                sum += printed->value;
                decimals = std::max(decimals, decimalsIn(row[column]));
                any = true;
            }
            if (any) totals[column] = engineeringNumber(fixedText(sum, decimals), decimals);
        }
        table.rows.push_back("合计");
        table.cells.push_back(std::move(totals));
    }

    void addSketches() {
        int index = 0;
        for (const ControlDef& c : def_.controls()) {
            if (c.kind != ControlKind::Sketch || !form_.visible(c.name)) continue;
            const Sketch* shown = form_.findSketch(c.name);
            if (!shown) continue;
            const Sketch sketch = statedSketch(c.name, *shown);
            const FrameDef* frame = def_.findFrame(c.frame);
            std::string caption = frame ? trimmedString(frame->caption) : std::string();
            if (caption.empty()) caption = c.meaning.name.empty() ? "示意图" : c.meaning.name;
            constexpr double kWidth = 960;  // pixels: the drawing is scaled to the page's width
            const double height = kWidth * sketch.height() / std::max(1.0, sketch.width());
            report_.sketches.push_back({caption, {"sketch" + std::to_string(++index), sketchSvg(sketch, kWidth), kWidth, height},
                                        sketch.width() > sketch.height()});
        }
    }

    // The sketch with the labels that state quantities written as this report prints them.
    Sketch statedSketch(const std::string& name, Sketch sketch) const {
        for (const SketchStatement& statement : def_.sketchStatements()) {
            if (statement.sketch != name) continue;
            SketchLabel& label = sketch.label(statement.label);
            if (!label.visible) continue;
            try {
                label.caption = statedCaption(statement.pattern);
            } catch (const RunFailure&) {
                // A quantity without a value: the label stays as the window shows it.
            }
        }
        return sketch;
    }

    // "({x_low}, {z_low})" with the printed values; "{symbol:Text46}" the printed symbol, without
    // its subscript marks; "{text:Text46}" a field's words (an angle in degrees, minutes, seconds).
    std::string statedCaption(const std::string& pattern) const {
        std::string caption;
        for (std::size_t i = 0; i < pattern.size();) {
            const auto open = pattern.find('{', i);
            const auto close = open == std::string::npos ? open : pattern.find('}', open);
            if (close == std::string::npos) {
                caption += pattern.substr(i);
                break;
            }
            caption += pattern.substr(i, open - i);
            const std::string key = pattern.substr(open + 1, close - open - 1);
            if (key.starts_with("symbol:")) {
                std::string symbol = identity_.symbolOf(key.substr(7));
                std::erase_if(symbol, [](char ch) { return ch == '_' || ch == '{' || ch == '}'; });
                caption += symbol;
            } else if (key.starts_with("text:")) {
                caption += trimmedString(form_.text(key.substr(5)));
            } else {
                caption += valueText(key);
            }
            i = close + 1;
        }
        return caption;
    }

    static std::string fixedText(double value, int decimals) {
        char text[64];
        printFixed(text, sizeof text, decimals, value);
        return text;
    }

    // The value of a quantity as the report prints it: a field's text as displayed, a quantity
    // without a field from its formula. Throws RunFailure where there is no number.
    std::string valueText(const std::string& asked) const {
        const std::string& key = printedKey(asked);
        const int decimals = decimalsOf(key);
        if (isField(key)) {
            values_.value(key);  // a field that holds no number has no value to put in
            return fieldText(key, decimals);
        }
        const double value = values_.value(key).value();
        if (const auto digits = significant_.find(key); digits != significant_.end())
            return engineeringSignificant(value, digits->second);
        return engineeringValue(value, decimals);
    }

    // The key a quantity prints under: the field that shows it where the field holds a number (not
    // where it shows an angle in degrees, minutes and seconds) in the quantity's unit.
    const std::string& printedKey(const std::string& key) const {
        const std::string& field = identity_.printedKey(key);
        if (field == key) return key;
        // "." is how a window writes a zero: the quantity behind it holds the number.
        const std::string text = trimmedString(form_.text(field));
        if (text == "." || !readPrintedNumber(engineeringNumber(text))) return key;
        const Meaning* quantity = def_.meaningOf(key);
        const ControlDef* shown = def_.findControl(field);
        return quantity && shown && unitOf(*quantity) == unitOf(shown->meaning) ? field : key;
    }

    // The unrounded quantity behind a field that prints it; empty when none.
    std::string quantityBehind(const std::string& field) const {
        const std::string behind = identity_.quantityBehind(field);
        return !behind.empty() && printedKey(behind) == field ? behind : std::string();
    }

    bool isField(const std::string& key) const { return !def_.findQuantity(key) && form_.has(key); }

    // A field as the report prints it: as shown, or where it is printed finer than it shows, the
    // unrounded quantity behind it; words as they stand.
    std::string fieldText(const std::string& key, int decimals) const {
        const std::string shown = trimmedString(form_.text(key));
        const std::string behind = quantityBehind(key);
        if (!behind.empty() && readPrintedNumber(engineeringNumber(shown))) {
            try {
                if (const auto digits = significant_.find(key); digits != significant_.end())
                    return engineeringSignificant(values_.value(behind).value(), digits->second);
                if (decimals > decimalsIn(shown) && shown.find_first_of("eE") == std::string::npos)
                    return engineeringValue(values_.value(behind).value(), decimals);
            } catch (const RunFailure&) {
            }
        }
        return engineeringNumber(shown, decimals);
    }

    // A value as it stands in a substituted formula: a negative one, or one with a power of
    // ten, in brackets.
    std::string substitutable(const std::string& key) const {
        const std::string value = valueText(key);
        if (!value.empty() && value[0] == '-') return "(−" + value.substr(1) + ")";
        return value.find("×10") != std::string::npos ? "(" + value + ")" : value;
    }

    ReportTerm termOf(const std::string& key) const {
        const Meaning* meaning = def_.meaningOf(key);
        ReportTerm term{identity_.symbolOf(key), meaning ? meaning->name : std::string(), {}, meaning ? unitOf(*meaning) : ""};
        return term;
    }

    // A constant names its unit after its name: "重力加速度，m/s²".
    static ReportTerm constantTerm(const formula::NamedConstant& constant) {
        const auto comma = constant.name.rfind("，");
        const std::string name = comma == std::string::npos ? constant.name : constant.name.substr(0, comma);
        const std::string unit = comma == std::string::npos ? "" : constant.name.substr(comma + std::string("，").size());
        return {constant.symbol, name, engineeringValue(constant.value), unit};
    }

    void addStep(const formula::Formula& line, std::size_t index) {
        const formula::SymbolOf symbol = [this](const std::string& key) { return identity_.symbolOf(key); };
        ReportStep step;
        step.formulaIndex = index;
        step.resultKey = line.result;
        if (line.result.empty()) {
            step.words = line.words;
            report_.steps.push_back(std::move(step));
            return;
        }
        step.formula = picture("formula" + std::to_string(index), formula::piece(line, symbol));
        step.formulaText = identity_.symbolOf(line.result) + " = " + formula::linear(line.expression, symbol);
        step.source = line.source;
        step.result = termOf(line.result);
        for (const std::string& key : formula::quantitiesOf(line.expression)) step.terms.push_back(termOf(key));
        for (const formula::NamedConstant& constant : formula::namedConstantsOf(line.expression))
            step.terms.push_back(constantTerm(constant));
        // A formula that is a bare number (P = 0) shows its value already: no values to put in.
        if (computed_ && !formula::quantitiesOf(line.expression).empty()) substitute(line, index, step);
        else if (computed_) step.result.value = resultTextOrEmpty(line);
        for (const Remark* remark : remarksOn(def_, line.result)) step.remarks.push_back(remarkOf(*remark));
        // A quantity two checks share ([σ] of the tension and of the compression) is computed once.
        const bool again = std::any_of(report_.steps.begin(), report_.steps.end(), [&](const ReportStep& earlier) {
            return earlier.formulaText == step.formulaText && earlier.substituted == step.substituted && earlier.words.empty();
        });
        if (!again) report_.steps.push_back(std::move(step));
    }

    ReportRemark remarkOf(const Remark& remark) const {
        ReportRemark out{remark.result, remark.text, {}, {}};
        if (const auto reference = referenceValue(form_, remark)) {
            out.referenceFormula = reference->formula;
            if (computed_) out.referenceSubstituted = reference->substituted;
        }
        return out;
    }

    // A note on a result that no formula gives stands by itself after the formulas.
    void addUnplacedRemarks() {
        for (const Remark& remark : def_.remarks()) {
            bool placed = false;
            for (const formula::Formula& line : def_.formulas()) {
                if (line.result.empty()) continue;
                const auto onLine = remarksOn(def_, line.result);
                placed = placed || std::find(onLine.begin(), onLine.end(), &remark) != onLine.end();
            }
            if (!placed) report_.remarks.push_back(remarkOf(remark));
        }
    }

    // The values the run used, put into the formula; a formula whose values cannot all be had
    // (a field without a number, a zero divisor) is left as it stands.
    // Each term keeps the value it has even then: the 式中 list shows what the run read.
    void substitute(const formula::Formula& line, std::size_t index, ReportStep& step) const {
        const auto keys = formula::quantitiesOf(line.expression);
        for (std::size_t i = 0; i < keys.size(); ++i) {
            try {
                step.terms[i].value = valueText(keys[i]);
            } catch (const RunFailure&) {
                step.terms[i].value.clear();
            }
        }
        try {
            const formula::SymbolOf value = [this](const std::string& key) { return substitutable(key); };
            step.result.value = resultText(line);
            const std::string result = step.result.value + (step.result.unit.empty() ? "" : " " + step.result.unit);
            const formula::Expr values = withConstantValues(line.expression);
            step.substituted = step.result.symbol + " = " + formula::linear(values, value) + " = " + result;
            step.substitutedPicture = picture(
                "values" + std::to_string(index),
                formula::row({formula::text(step.result.symbol + " = "), formula::piece(values, value),
                              formula::text(" = " + result)}));
        } catch (const RunFailure&) {
            step.result.value.clear();
            step.substituted.clear();
            step.substitutedPicture = {};
        }
    }

    std::string resultTextOrEmpty(const formula::Formula& line) const {
        try {
            return resultText(line);
        } catch (const RunFailure&) {
            return {};
        }
    }

    // The result as the window shows it where a field shows it; else as its formula gives it.
    std::string resultText(const formula::Formula& line) const {
        const std::string& key = printedKey(line.result);
        // "." is how the window writes a zero result: a value here, though no input.
        if (isField(key) && trimmedString(form_.text(key)) == ".") return engineeringNumber(".");
        return valueText(key);
    }

    // The decimals a quantity prints with throughout the report: as declared, or more where a
    // formula needs them (choosePrecisions); -1: as the window shows it.
    int decimalsOf(const std::string& asked) const {
        const std::string& key = printedKey(asked);
        if (const auto chosen = decimals_.find(key); chosen != decimals_.end()) return chosen->second;
        for (const std::string* k : {&key, &asked})
            if (const Meaning* meaning = def_.meaningOf(*k); meaning && meaning->decimals >= 0) return meaning->decimals;
        return -1;
    }

    // A checker recomputes each substituted line from the numbers printed in it and must find
    // the printed result to half a unit of its last digit. Where the declared decimals do not
    // give that, the quantities of the line print one more decimal at a time, up to what the
    // field shows (twelve significant digits for a quantity without a field); each keeps its
    // precision throughout the report. Where even that does not give the printed result, the
    // result is printed to the digits its values support.
    void choosePrecisions() {
        // A later line may print a quantity finer than an earlier one checked it with: again
        // until every line holds.
        for (int pass = 0; pass < 6; ++pass) {
            const auto decimals = decimals_;
            const auto significant = significant_;
            choosePrecisionsOnce();
            if (decimals == decimals_ && significant == significant_) return;
        }
    }

    void choosePrecisionsOnce() {
        for (const formula::Formula& line : def_.formulas()) {
            if (line.result.empty() || !stepRan(line.step) || !values_.applies(line)) continue;
            const auto keys = formula::quantitiesOf(line.expression);
            const auto decimals = decimals_;
            const auto significant = significant_;
            for (int attempt = 0; attempt < 12 && !reproduces(line); ++attempt) {
                bool widened = false;
                for (const std::string& key : keys) widened = widen(key) || widened;
                if (!widened) break;
            }
            if (reproduces(line)) {
                keepOnlyNeededDigits(keys, decimals, significant, line);
                continue;
            }
            decimals_ = decimals;  // more digits did not help: the values as they were
            significant_ = significant;
            narrowResult(line);
        }
    }

    // The line holds with its values widened together: each goes back to the digits it had
    // where the line holds without its more, so a value that did not matter (α beside a zero
    // Δh) keeps its own.
    void keepOnlyNeededDigits(const std::vector<std::string>& keys, const std::map<std::string, int>& decimals,
                              const std::map<std::string, int>& significant, const formula::Formula& line) {
        for (const std::string& key : keys) {
            const auto widenedDecimals = decimals_, widenedSignificant = significant_;
            restore(decimals_, decimals, printedKey(key));
            restore(significant_, significant, printedKey(key));
            if (reproduces(line)) continue;
            decimals_ = widenedDecimals;
            significant_ = widenedSignificant;
        }
    }

    static void restore(std::map<std::string, int>& chosen, const std::map<std::string, int>& before,
                        const std::string& key) {
        if (const auto was = before.find(key); was != before.end()) chosen[key] = was->second;
        else chosen.erase(key);
    }

    // Where the values cannot be printed finer, the result is printed to the digits they support.
    void narrowResult(const formula::Formula& line) {
        std::string text;
        try {
            text = resultText(line);
        } catch (const RunFailure&) {
            return;
        }
        if (text.find("×10") != std::string::npos) return;
        const std::string& key = printedKey(line.result);
        narrowed_.insert(key);  // printed no finer for a later line either
        for (int decimals = decimalsIn(text) - 1; decimals >= 0; --decimals) {
            decimals_[key] = decimals;
            if (reproduces(line)) return;
        }
    }

    bool reproduces(const formula::Formula& line) const {
        try {
            const auto printed = readPrintedNumber(resultText(line));
            if (!printed) return true;  // words: nothing to recompute
            const double recomputed = formula::evaluate(line.expression, [this](const std::string& key) {
                                          const auto value = readPrintedNumber(valueText(key));
                                          if (!value) throw RunFailure(FailureKind::NotANumber, key);
                                          return Num(value->value);
                                      }).value();
            return std::abs(recomputed - printed->value) <=
                   0.5 * printed->lastDigit * (1 + 1e-9) + 1e-12 * std::abs(printed->value);
        } catch (const RunFailure&) {
            return true;  // a value without a number: the line is left as it stands
        }
    }

    // One more printed decimal for the quantity, where its value has more; false when not.
    bool widen(const std::string& asked) {
        const std::string& key = printedKey(asked);
        if (narrowed_.count(key)) return false;
        std::string text;
        try {
            text = valueText(key);
        } catch (const RunFailure&) {
            return false;
        }
        const std::string behind = quantityBehind(key);
        const bool quantity = !isField(key) || !behind.empty();
        if (text.find("×10") != std::string::npos) {  // a very large or small value: more digits
            if (!quantity) return false;
            const int digits = significant_.count(key) ? significant_.at(key) : 6;
            if (digits >= kMostDigits) return false;
            significant_[key] = digits + 1;
            return true;
        }
        const int now = std::max(decimalsOf(key), decimalsIn(text));
        int most = 0;
        if (!quantity) {
            const std::string shown = trimmedString(form_.text(key));
            if (shown.find_first_of("eE") != std::string::npos) return false;
            most = decimalsIn(shown);
        } else {
            double value = 0;
            try {
                value = std::abs(values_.value(behind.empty() ? key : behind).value());
            } catch (const RunFailure&) {
                return false;
            }
            most = value == 0 ? 0 : std::clamp(kMostDigits - 1 - static_cast<int>(std::floor(std::log10(value))), 0, 15);
        }
        if (now >= most) return false;
        decimals_[key] = now + 1;
        return true;
    }

    static int decimalsIn(const std::string& text) {
        const auto point = text.find('.');
        if (point == std::string::npos) return 0;
        const auto end = text.find_first_not_of("0123456789", point + 1);
        return static_cast<int>((end == std::string::npos ? text.size() : end) - point - 1);
    }

    static ReportPicture picture(std::string id, const formula::Piece& piece) {
        ReportPicture picture{std::move(id), formula::picture({piece}), 0, 0};
        picture.width = svgNumber(picture.svg, "width");
        picture.height = svgNumber(picture.svg, "height");
        return picture;
    }

    static double svgNumber(const std::string& svg, const std::string& attribute) {
        const std::string root = svg.substr(0, svg.find('>'));
        const auto at = root.find(" " + attribute + "=\"");
        if (at == std::string::npos) return 0;
        return std::strtod(root.c_str() + at + attribute.size() + 3, nullptr);
    }

    const CalcForm& window_;
    const Form& form_;
    const FormDefinition& def_;
    QuantityValues values_;
    QuantityIdentity identity_;
    Report report_;
    bool computed_ = false;
    std::set<std::string> written_;
    std::set<std::string> stepsRun_;
    std::set<std::string> tableCells_;
    std::map<std::string, int> decimals_;
    std::map<std::string, int> significant_;
    std::set<std::string> narrowed_;  // values printed with a power of ten
    static constexpr int kMostDigits = 12;     // significant digits a quantity without a field may print
};

}  // namespace

Report buildReport(const CalcForm& window) {
    Report report = Builder(window).build();
    report.differencesFromCase = window.differencesFromCase();
    return report;
}

std::string caseDifferenceNote(const Report& report) {
    if (report.differencesFromCase.empty()) return {};
    std::string note = "注：本计算按计算文件重新计算，以下结果与保存时不同：";
    for (std::size_t i = 0; i < report.differencesFromCase.size(); ++i)
        note += (i ? "；" : "") + report.differencesFromCase[i];
    return note + "。";
}

std::string stateStatement(const Report& report) {
    switch (report.state) {
        case ReportState::NotRun:
            return "尚未计算：本计算书不含计算结果。";
        case ReportState::Failed:
            return report.failure + "。本次计算未完成，不给出计算结果。";
        case ReportState::ChangedAfterRun:
            return "输入参数在最近一次计算后已修改，窗口中的结果不是这些输入的计算结果，本计算书不给出计算结果。";
        case ReportState::Computed:
            break;
    }
    return {};
}

std::string pageOneBanner(const Report& report) {
    switch (report.state) {
        case ReportState::NotRun:
            return "本计算书未经计算，不含计算结果，不得作为设计依据。";
        case ReportState::Failed:
            return report.failure + "。本次计算未完成，本计算书不含计算结果，不得作为设计依据。";
        case ReportState::ChangedAfterRun:
            return "输入参数在最近一次计算后已修改，本计算书不含计算结果，不得作为设计依据。";
        case ReportState::Computed:
            break;
    }
    if (report.stepsNotRun.empty()) return {};
    std::string steps;
    for (const std::string& step : report.stepsNotRun) steps += (steps.empty() ? "「" : "、「") + step + "」";
    return "计算未完成：" + steps + "未运行，本计算书只含已运行步骤的结果，不得作为设计依据。";
}

std::vector<const ReportPicture*> reportPictures(const Report& report) {
    std::vector<const ReportPicture*> pictures;
    for (const ReportStep& step : report.steps) {
        if (!step.formula.svg.empty()) pictures.push_back(&step.formula);
        if (!step.substitutedPicture.svg.empty()) pictures.push_back(&step.substitutedPicture);
    }
    for (const ReportTable& table : report.resultTables)
        for (const ReportRowFormula& row : table.rowFormulas)
            if (!row.formula.svg.empty()) pictures.push_back(&row.formula);
    for (const ReportStudy& study : report.studies) pictures.push_back(&study.plot);
    for (const ReportSketch& sketch : report.sketches) pictures.push_back(&sketch.picture);
    return pictures;
}

void addStudy(Report& report, ReportStudy study) {
    study.plot.id = "study" + std::to_string(report.studies.size() + 1);
    report.studies.push_back(std::move(study));
}

std::string rowFormulaLead(const ReportRowFormula& row, int number) {
    std::string lead = std::to_string(number) + ". " + row.row + "：";
    if (row.step > 0) lead += "所选公式，见三、计算过程第 " + std::to_string(row.step) + " 步";
    else if (!row.sameAs.empty()) lead += "同「" + row.sameAs + "」式";
    return lead;
}

std::string reportTitle(const Report& report) { return report.heading + " 计算书"; }

}  // namespace pylora
