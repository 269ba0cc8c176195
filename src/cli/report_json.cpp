#include "cli/report_json.h"

#include "documents/report_text.h"
#include "model/text.h"

namespace pylora {
namespace {

const char* stateName(ReportState state) {
    switch (state) {
        case ReportState::NotRun: return "not_run";
        case ReportState::Computed: return "computed";
        case ReportState::Failed: return "failed";
        case ReportState::ChangedAfterRun: return "changed_after_run";
    }
    return "";
}

nlohmann::json quantities(const std::vector<ReportQuantity>& rows) {
    nlohmann::json list = nlohmann::json::array();
    for (const ReportQuantity& q : rows)
        list.push_back({{"key", q.key}, {"symbol", q.symbol}, {"name", q.name}, {"value", q.value}, {"unit", q.unit},
                        {"highlighted", q.highlighted}});
    return list;
}

nlohmann::json term(const ReportTerm& t) {
    return {{"symbol", t.symbol}, {"name", t.name}, {"value", t.value}, {"unit", t.unit}};
}

nlohmann::json tables(const std::vector<ReportTable>& tables) {
    nlohmann::json list = nlohmann::json::array();
    for (const ReportTable& t : tables) {
        nlohmann::json columns = nlohmann::json::array();
        for (const ReportColumn& c : t.columns) columns.push_back({{"symbol", c.symbol}, {"name", c.name}, {"unit", c.unit}});
        nlohmann::json table = {{"caption", t.caption}, {"row_heading", t.rowHeading}, {"rows", t.rows},
                                {"columns", columns}, {"cells", t.cells}};
        // A comparison of formulas: each row's formula once, with its range of validity.
        if (!t.rowFormulas.empty()) {
            nlohmann::json rows = nlohmann::json::array(), terms = nlohmann::json::array();
            for (const ReportRowFormula& r : t.rowFormulas)
                rows.push_back({{"row", r.row}, {"formula", r.formulaText}, {"same_as", r.sameAs}, {"step", r.step},
                                {"note", r.note}, {"validity", r.validity}});
            for (const ReportTerm& each : t.rowFormulaTerms) terms.push_back(term(each));
            table["row_formulas"] = rows;
            table["row_formula_terms"] = terms;
        }
        list.push_back(std::move(table));
    }
    return list;
}

nlohmann::json remarks(const std::vector<ReportRemark>& remarks) {
    nlohmann::json list = nlohmann::json::array();
    for (const ReportRemark& r : remarks)
        list.push_back({{"key", r.resultKey}, {"text", r.text}, {"reference_formula", r.referenceFormula},
                        {"reference", r.referenceSubstituted}});
    return list;
}

// Every text as the HTML report shows it: valid UTF-8, control characters (a typed DEL, an
// escape from a survey file) as their visible pictures rather than raw or escaped bytes.
void showTextsVisibly(nlohmann::json& json) {
    if (json.is_string()) {
        json = visibleText(json.get_ref<const std::string&>());
    } else if (json.is_structured()) {
        for (nlohmann::json& element : json) showTextsVisibly(element);
    }
}

}  // namespace

nlohmann::json reportJson(const Report& report, const ProjectInfo& project) {
    nlohmann::json steps = nlohmann::json::array();
    for (const ReportStep& step : report.steps) {
        if (!step.words.empty()) {
            steps.push_back({{"words", step.words}});
            continue;
        }
        nlohmann::json terms = nlohmann::json::array();
        for (const ReportTerm& t : step.terms) terms.push_back(term(t));
        steps.push_back({{"result_key", step.resultKey}, {"formula", step.formulaText}, {"terms", terms},
                         {"substituted", step.substituted}, {"result", term(step.result)},
                         {"remarks", remarks(step.remarks)}});
    }
    nlohmann::json choices = nlohmann::json::array();
    for (const ReportChoice& c : report.choices) choices.push_back({{"key", c.key}, {"name", c.name}, {"value", c.value}});
    nlohmann::json files = nlohmann::json::array();
    for (const ReportDataFile& f : report.dataFiles)
        files.push_back({{"caption", f.caption}, {"path", f.path}, {"sample", f.sample}, {"columns", f.columns},
                         {"records", f.records}, {"notes", f.notes}});
    nlohmann::json verdicts = nlohmann::json::array();
    for (const ReportVerdict& v : report.verdicts)
        verdicts.push_back({{"key", v.key}, {"name", v.name}, {"text", v.text}, {"colour", cssColour(v.colour)}});
    nlohmann::json sketches = nlohmann::json::array();
    for (const ReportSketch& s : report.sketches)
        sketches.push_back({{"caption", s.caption}, {"landscape", s.landscape}, {"width", s.picture.width},
                            {"height", s.picture.height}});
    nlohmann::json json = {
        {"form", report.formName},
        {"title", reportTitle(report)},
        {"project",
         {{"name", project.projectName}, {"number", project.projectNumber}, {"design_stage", project.designStage},
          {"item", report.windowTitle}, {"calculated_by", project.calculatedBy}, {"checked_by", project.checkedBy},
          {"approved_by", project.approvedBy}, {"date", project.date}}},
        {"program", report.program + " " + report.version},
        {"basis", report.basis},
        {"notes", report.notes},
        {"state", stateName(report.state)},
        {"statement", stateStatement(report)},
        {"banner", pageOneBanner(report)},
        {"signable", signable(report)},
        {"steps_not_run", report.stepsNotRun},
        {"differences_from_case", report.differencesFromCase},
        {"inputs", quantities(report.inputs)},
        {"choices", choices},
        {"input_tables", tables(report.inputTables)},
        {"data_files", files},
        {"steps", steps},
        {"results", quantities(report.results)},
        {"result_tables", tables(report.resultTables)},
        {"verdicts", verdicts},
        {"warnings", report.warnings},
        {"remarks", remarks(report.remarks)},
        {"sketches", sketches},
    };
    showTextsVisibly(json);
    return json;
}

}  // namespace pylora
