#pragma once
// A window open in the page: a CalcForm as the desktop holds it, with what the page shows
// beside the texts: which results are stale, which field ended the last run (red frame), and
// the status line. Every answer is JSON for the page's one generic renderer.
#include <optional>
#include <set>
#include <string>

#include <nlohmann/json.hpp>

#include "files/case_file.h"
#include "model/calc_form.h"
#include "model/result_freshness.h"

namespace pylora::web {

class OpenWindow {
public:
    OpenWindow(const FormDefinition& definition, const Services& services);

    CalcForm& model() { return model_; }
    const CalcForm& model() const { return model_; }

    // What the engineer does: types into a field, selects an option, checks a box, picks a
    // list item (a unit list converts the numbers it governs), presses a button.
    void type(const std::string& field, const std::string& text);
    void select(const std::string& option);
    void check(const std::string& box, bool checked);
    void pick(const std::string& list, int index);
    void press(const std::string& button);
    // A case opened into this fresh window: its inputs and choices, its steps pressed again;
    // the status line names results that now come out differently.
    void openCase(const CaseFile& file, const std::string& fileName);

    // Texts, colours, visibility and choices of every control, the stale results, the failed
    // field, the status line and the sketches as SVG.
    nlohmann::json state() const;

private:
    void edited(const std::string& control);
    void showRunStatus(const std::optional<RunFailure>& failure);

    CalcForm model_;
    ResultFreshness freshness_;
    std::set<std::string> failedFields_;
    std::string statusText_;
    std::string statusKind_;  // "problem", "warning", "information"
    bool sketchAfterEdit_ = false;
};

}  // namespace pylora::web
