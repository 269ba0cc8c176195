#pragma once
// Pieces shared by the material windows: the list selections a lookup is built from, the pipe
// diameter read from the end of a list item, result fields with their unit to the right, and
// the tables a window opened when it was created.
#include <any>
#include <span>
#include <string>
#include <string_view>

#include "model/form.h"
#include "model/form_definition.h"
#include "model/text.h"  // characterCount, lastCharacters: a diameter read from the end of an item
#include "materials/material_database.h"

namespace pylora {

// The selected item of a list box; with nothing selected the run ends (MissingData) naming it.
std::string requireSelection(const Form& form, const std::string& list);

// A result field whose unit stands to its right, e.g. "(Kg/每个焊口)".
ControlDef& unitResult(FrameBuilder& frame, const std::string& name, const std::string& unit, GridPlace place);

// A check box of a "计算选项" frame: whether a coating system is computed.
struct SystemCheck {
    const char* control;
    const char* caption;
    const char* decides;  // its meaning: "是否计算石油沥青防腐材料"
};

// A column of check boxes, each standing right of its caption, all checked when the window
// opens, from top to bottom.
void addCheckedOptions(FrameBuilder& options, std::span<const SystemCheck> checks);

// A quantity of the current record: written into its unit field as displayed, then multiplied
// into its total field.
struct UnitAndTotal {
    const char* field;  // database field
    const char* unit;   // control showing the quantity per unit of work
    const char* total;  // control showing the quantity for the whole work
    // What both fields measure: the material ("#300水泥"), the symbols of its unit quantity and
    // of its total ("c_{300}", "C_{300}"), and their units ("kg/m³", "kg").
    const char* material;
    const char* unitSymbol;
    const char* totalSymbol;
    const char* perUnitOfWork;
    const char* totalUnit;
    int decimals;  // the 计算书 shows both to this many decimals: whole bricks, kg to 0.1 …
};

// The unit field is the material's "单位用量", the total field its "总量"; both results.
ControlDef& meansUnitQuantity(ControlDef& field, const UnitAndTotal& quantity);
ControlDef& meansTotalQuantity(ControlDef& field, const UnitAndTotal& quantity);

// Every total as a formula: unit quantity · amount of work (· allowance).
void addTotalFormulas(FormDefinition& def, std::span<const UnitAndTotal> quantities, const std::string& amountControl,
                      double allowance = 1.0);

// Writes every quantity's unit field from the current record of `table`, then every total:
// the unit field's text read back, times the amount of work in `amountControl`, times
// `allowance` (1.15 for 15 % losses).
void writeUnitsAndTotals(Form& form, MaterialTable& table, std::span<const UnitAndTotal> quantities,
                         const std::string& amountControl, double allowance = 1.0);

// The tables a window opened at its creation, kept in its window state.
template <typename Tables>
Tables& openedTables(RunContext& run) {
    return std::any_cast<Tables&>(run.windowState);
}

}  // namespace pylora
