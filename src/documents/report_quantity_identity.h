#pragma once
// Which printed quantities of a 计算书 are one quantity: a field and the unrounded value behind
// it (a quantity `shownIn` the field) print as one, with the field's symbol and one precision;
// a quantity a formula computes in other units (p_1 in Pa beside the field P_1 in MPa) goes by
// the symbol of the field of its name; a cell of a point or segment table goes by its column's
// symbol and its row's number (Z_{2} for 桩点2), a row without one by the cell's own symbol.
// A checker then reads each quantity under one symbol, and finds a station's value in the table
// under the row its symbol names.
#include <map>
#include <string>

#include "model/form_definition.h"

namespace pylora {

class QuantityIdentity {
public:
    explicit QuantityIdentity(const FormDefinition& def);

    // The key a quantity is printed under: the field that shows it (or has its name: the same
    // value where the units agree), else itself.
    const std::string& printedKey(const std::string& key) const;
    // The unrounded quantity behind a field; empty when none.
    std::string quantityBehind(const std::string& field) const;
    // The symbol the report writes for a key.
    std::string symbolOf(const std::string& key) const;

private:
    void addCellSymbols(const TableDef& table, const TableColumn& column);

    const FormDefinition& def_;
    std::map<std::string, std::string> shownIn_;         // quantity -> the field that shows it
    std::map<std::string, std::string> behind_;          // field -> the quantity behind it
    std::map<std::string, std::string> fieldSymbolOf_;   // a field's name -> its symbol, where one field has it
    std::map<std::string, std::string> cellSymbol_;      // a table cell -> its column's symbol for its row
};

}  // namespace pylora
