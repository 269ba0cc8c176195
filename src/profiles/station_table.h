#pragma once
// Point tables (a row per station) and segment tables (a row per segment between two stations)
// of the profile windows. Every cell keeps its column's meaning with the row's subscript on the
// symbol (X_{1}, X_{2}, …), so that a formula naming single cells reads as the table does.
#include <string>
#include <vector>

#include "model/calc.h"

namespace pylora {

// A meaning stated in one expression: table columns, lists of result fields; `domain` for an
// input's values.
Meaning meaning(std::string symbol, std::string name, std::string unit, int decimals = -1,
                FieldRole role = FieldRole::Unset, std::string step = {}, Domain domain = {});

struct StationColumn {
    Meaning meaning;
    std::vector<ControlDef*> cells;  // one a row; nullptr where the row has none
};

struct StationTable {
    std::string caption;
    std::string rowHeading;
    std::vector<std::string> rows;        // "入土点", "桩点2", … or "桩点1–桩点2", …
    std::vector<std::string> subscripts;  // the subscript each row gives its cells' symbols
    std::vector<StationColumn> columns;
};

// Declares the table; the cells may then be refined one by one (a computed station's role).
void declareStationTable(FormDefinition& definition, const StationTable& table);

// A value a step computes without a field of its own, or unrounded behind the field (or cell)
// that shows it rounded (`shownIn`, empty: none). Its key is its symbol.
struct StepQuantity {
    const char* key;
    const char* name;
    const char* unit;
    std::string shownIn;
};
void declareStepQuantities(FormDefinition& definition, const std::vector<StepQuantity>& quantities,
                           const std::string& step);

// "X", "12" -> "X_{12}".
std::string subscripted(const std::string& symbol, const std::string& subscript);

// The name of the segment between two stations: "桩点1–桩点2".
std::string segmentName(const std::string& from, const std::string& to);

}  // namespace pylora
