#include "model/reference_table.h"

namespace pylora {

std::vector<const ReferenceRow*> rowsOfTable(std::span<const ReferenceRow> rows, std::string_view table) {
    std::vector<const ReferenceRow*> found;
    for (const ReferenceRow& row : rows)
        if (row.table == table) found.push_back(&row);
    return found;
}

}  // namespace pylora
