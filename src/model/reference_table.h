#pragma once
// Reference values kept as readable files in data/ (quota rates, unit factors) and compiled in
// by the build (cmake/reference_tables.cmake turns each CSV file into rows of this kind).
// Compiled in rather than read at start: the values are fixed by the books they come from, so a
// missing or edited file beside the program could only make a window wrong or unusable.
#include <span>
#include <string_view>
#include <vector>

namespace pylora {

// One data row of a CSV file: the file's name without extension, the text cells and then the
// number cells, as the file has them.
struct ReferenceRow {
    std::string_view table;
    std::vector<std::string_view> texts;
    std::vector<double> numbers;
};

// The rows of one table in the file's order.
std::vector<const ReferenceRow*> rowsOfTable(std::span<const ReferenceRow> rows, std::string_view table);

}  // namespace pylora
