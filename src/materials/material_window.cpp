#include "materials/material_window.h"

#include "model/calc_form.h"
#include "model/field_access.h"
#include "model/run_failure.h"

namespace pylora {

std::string requireSelection(const Form& form, const std::string& list) {
    if (auto item = form.selectedItem(list)) return *item;
    throw RunFailure(FailureKind::MissingData, list,
                     "未在「" + controlCaption(form.definition(), list) + "」中选择项目");
}

ControlDef& unitResult(FrameBuilder& frame, const std::string& name, const std::string& unit, GridPlace place) {
    ControlDef& field = frame.result(name, unit, place);
    field.labelPlacement = LabelPlacement::Right;
    return field;
}

void addCheckedOptions(FrameBuilder& options, std::span<const SystemCheck> checks) {
    int row = 0;
    for (const SystemCheck& check : checks) {
        ControlDef& box = options.check(check.control, "", {row++, 0}, true);
        box.label = check.caption;
        box.means("", check.decides);
    }
}

ControlDef& meansUnitQuantity(ControlDef& field, const UnitAndTotal& quantity) {
    field.meaning.role = FieldRole::Result;
    return field.means(quantity.unitSymbol, std::string(quantity.material) + "单位用量", quantity.perUnitOfWork,
                       quantity.decimals);
}

ControlDef& meansTotalQuantity(ControlDef& field, const UnitAndTotal& quantity) {
    field.meaning.role = FieldRole::Result;
    return field.means(quantity.totalSymbol, std::string(quantity.material) + "总量", quantity.totalUnit,
                       quantity.decimals);
}

void addTotalFormulas(FormDefinition& def, std::span<const UnitAndTotal> quantities, const std::string& amountControl,
                      double allowance) {
    using formula::q;
    for (const UnitAndTotal& quantity : quantities) {
        formula::Expr total = q(quantity.unit) * q(amountControl);
        if (allowance != 1.0) total = total * formula::c(allowance);
        def.formula({quantity.total, total});
    }
}

void writeUnitsAndTotals(Form& form, MaterialTable& table, std::span<const UnitAndTotal> quantities,
                         const std::string& amountControl, double allowance) {
    for (const UnitAndTotal& q : quantities) form.setText(q.unit, table.text(q.field, q.unit));
    const Num amount = FieldValue(form, amountControl);
    // The amount stands first so that a total too large for a number names the amount of work,
    // the input the engineer typed; the product is the same either way round.
    for (const UnitAndTotal& q : quantities)
        form.setText(q.total, NumberText(amount * FieldValue(form, q.unit) * allowance));
}

}  // namespace pylora
