#include "line/solve_for_one.h"

namespace pylora::line {

void whitenCandidates(Form& form, const std::vector<SolveCase>& cases, std::initializer_list<const char*> others) {
    for (const SolveCase& c : cases) form.setBackground(c.field, Colour::white());
    for (const char* field : others) form.setBackground(field, Colour::white());
}

Num solveInto(Form& form, const std::string& field, const std::function<Num()>& solve) {
    form.setBackground(field, kSolvedHighlight);
    const Num value = solve();
    form.setText(field, FormatNumber(value, "#.###"));
    return value;
}

Num requireNotNegative(const Num& value, const std::string& field, const std::string& why) {
    if (value < 0) throw RunFailure(FailureKind::NoSolution, field, why);
    return value;
}

const SolveCase* selectedCase(const Form& form, const std::vector<SolveCase>& cases) {
    for (const SolveCase& c : cases)
        if (form.checked(c.option)) return &c;
    return nullptr;
}

void solveSelectedCase(Form& form, const std::vector<SolveCase>& cases) {
    if (const SolveCase* picked = selectedCase(form, cases)) solveInto(form, picked->field, picked->solve);
}

ControlDef& solvedWhen(ControlDef& field, const std::string& option) {
    field.meaning.role = FieldRole::Input;
    field.meaning.solvedWhen = option;
    return field;
}

ControlDef& solveForOption(FrameBuilder& options, const std::string& option, const std::string& label, int row,
                           bool selected) {
    ControlDef& button = options.option(option, "", {row, 0}, selected);
    button.label = label;
    return button.means("", "所求的量");
}

}  // namespace pylora::line
