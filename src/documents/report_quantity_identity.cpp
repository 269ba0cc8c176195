#include "documents/report_quantity_identity.h"

#include <set>

namespace pylora {
namespace {

// What tells a row apart in a symbol's index: the number in its name (桩点2, 第1行), else the name.
std::string rowIndex(const std::string& row) {
    const auto first = row.find_first_of("0123456789");
    if (first == std::string::npos) return row;
    const auto end = row.find_first_not_of("0123456789", first);
    const std::string digits = row.substr(first, end == std::string::npos ? std::string::npos : end - first);
    const bool oneNumber = end == std::string::npos || row.find_first_of("0123456789", end) == std::string::npos;
    return oneNumber ? digits : row;
}

// The symbol with an index: Z, 2 -> Z_{2}; σ_{s}, 2 -> σ_{s,2}.
std::string indexed(const std::string& symbol, const std::string& index) {
    const auto sub = symbol.rfind('_');
    if (sub == std::string::npos) return symbol + "_{" + index + "}";
    std::string base = symbol.substr(0, sub), tail = symbol.substr(sub + 1);
    if (tail.size() >= 2 && tail.front() == '{' && tail.back() == '}') tail = tail.substr(1, tail.size() - 2);
    return base + "_{" + tail + "," + index + "}";
}

}  // namespace

QuantityIdentity::QuantityIdentity(const FormDefinition& def) : def_(def) {
    for (const QuantityDef& quantity : def.quantities()) {
        if (quantity.shownIn.empty() || !def.findControl(quantity.shownIn)) continue;
        shownIn_.emplace(quantity.key, quantity.shownIn);
        behind_.emplace(quantity.shownIn, quantity.key);
    }
    for (const TableDef& table : def.tables())
        for (const TableColumn& column : table.columns) addCellSymbols(table, column);
    // A name that several fields carry (管底标高 of every station) names no one field.
    std::map<std::string, std::set<std::string>> symbols;
    std::map<std::string, const ControlDef*> fieldOf;
    for (const ControlDef& c : def.controls()) {
        if (c.meaning.name.empty() || c.meaning.symbol.empty()) continue;
        symbols[c.meaning.name].insert(c.meaning.symbol);
        fieldOf[c.meaning.name] = &c;
    }
    for (const auto& [name, ofName] : symbols)
        if (ofName.size() == 1) fieldSymbolOf_.emplace(name, *ofName.begin());
    // A quantity a formula turns into the field of its name or the field into it are two
    // quantities of the calculation (k and i = |k|·1000): each keeps its symbol.
    for (const formula::Formula& line : def.formulas()) {
        const Meaning* result = def.meaningOf(line.result);
        for (const std::string& used : formula::quantitiesOf(line.expression)) {
            const Meaning* meaning = def.meaningOf(used);
            if (result && meaning && result->name == meaning->name && !def.findQuantity(line.result) != !def.findQuantity(used))
                fieldSymbolOf_.erase(result->name);
        }
    }
    // In the field's unit it is the field's value unrounded (the solved P_1 in MPa): one
    // quantity, printed at one precision (the report holds the units alike, as the engineer
    // picked the field's).
    for (const QuantityDef& quantity : def.quantities()) {
        if (!quantity.shownIn.empty() || !fieldSymbolOf_.count(quantity.meaning.name)) continue;
        const ControlDef* field = fieldOf.at(quantity.meaning.name);
        if (behind_.count(field->name)) continue;
        shownIn_.emplace(quantity.key, field->name);
        behind_.emplace(field->name, quantity.key);
    }
}

// A row named with a number (桩点2, 第1行) indexes its cell's symbol by it; a row named otherwise
// (入土点, 左切点) keeps the cell's own symbol unless a numbered row has one of those, else takes
// its name.
void QuantityIdentity::addCellSymbols(const TableDef& table, const TableColumn& column) {
    if (column.meaning.symbol.empty()) return;
    std::set<std::string> numbered;
    const std::size_t rows = std::min(column.cells.size(), table.rows.size());
    for (std::size_t row = 0; row < rows; ++row) {
        const std::string index = rowIndex(table.rows[row]);
        if (column.cells[row].empty() || index == table.rows[row]) continue;
        numbered.insert(cellSymbol_[column.cells[row]] = indexed(column.meaning.symbol, index));
    }
    // One way for the column: where one row's own symbol would read as a numbered row's, every
    // row without a number goes by its name.
    bool byName = false;
    for (std::size_t row = 0; row < rows; ++row) {
        const std::string& cell = column.cells[row];
        if (cell.empty() || cellSymbol_.count(cell)) continue;
        const std::string own = def_.symbolOf(cell);
        byName = byName || own == cell || numbered.count(own);
    }
    for (std::size_t row = 0; row < rows; ++row) {
        const std::string& cell = column.cells[row];
        if (cell.empty() || cellSymbol_.count(cell)) continue;
        cellSymbol_[cell] = byName ? indexed(column.meaning.symbol, table.rows[row]) : def_.symbolOf(cell);
    }
}

const std::string& QuantityIdentity::printedKey(const std::string& key) const {
    const auto shown = shownIn_.find(key);
    return shown == shownIn_.end() ? key : shown->second;
}

std::string QuantityIdentity::quantityBehind(const std::string& field) const {
    const auto behind = behind_.find(field);
    return behind == behind_.end() ? std::string() : behind->second;
}

std::string QuantityIdentity::symbolOf(const std::string& key) const {
    const std::string& printed = printedKey(key);
    if (const auto cell = cellSymbol_.find(printed); cell != cellSymbol_.end()) return cell->second;
    if (printed != key || def_.findControl(key)) return def_.symbolOf(printed);
    const QuantityDef* quantity = def_.findQuantity(key);
    if (quantity) {
        const auto field = fieldSymbolOf_.find(quantity->meaning.name);
        if (field != fieldSymbolOf_.end()) return field->second;
    }
    return def_.symbolOf(key);
}

}  // namespace pylora
