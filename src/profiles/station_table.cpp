#include "profiles/station_table.h"

namespace pylora {

Meaning meaning(std::string symbol, std::string name, std::string unit, int decimals, FieldRole role,
                std::string step, Domain domain) {
    return {.symbol = std::move(symbol),
            .name = std::move(name),
            .unit = std::move(unit),
            .decimals = decimals,
            .role = role,
            .step = std::move(step),
            .domain = domain};
}

std::string subscripted(const std::string& symbol, const std::string& subscript) {
    return symbol + "_{" + subscript + "}";
}

std::string segmentName(const std::string& from, const std::string& to) { return from + "–" + to; }

void declareStationTable(FormDefinition& definition, const StationTable& table) {
    TableDef def{table.caption, table.rowHeading, table.rows, {}};
    for (const StationColumn& column : table.columns) {
        TableColumn names{column.meaning, {}};
        for (const ControlDef* cell : column.cells) names.cells.push_back(cell ? cell->name : std::string());
        def.columns.push_back(std::move(names));
    }
    definition.table(std::move(def));
    // The table gives each cell the column's meaning; the row's subscript tells the cells apart.
    for (const StationColumn& column : table.columns)
        for (std::size_t row = 0; row < column.cells.size(); ++row)
            if (ControlDef* cell = column.cells[row])
                cell->meaning.symbol = subscripted(column.meaning.symbol, table.subscripts.at(row));
}

void declareStepQuantities(FormDefinition& definition, const std::vector<StepQuantity>& quantities,
                           const std::string& step) {
    for (const StepQuantity& quantity : quantities) {
        QuantityDef& declared = definition.quantity(quantity.key, quantity.key, quantity.name, quantity.unit);
        declared.shownIn = quantity.shownIn;
        declared.meaning.step = step;
    }
}

}  // namespace pylora
