#pragma once
// The JSON of a document file (a case, a project book) read strictly and within bounds: the
// formats nest a few levels and never repeat a key, so that a file that does is not one of ours
// and is refused before it costs time or memory.
#include <cstddef>
#include <nlohmann/json.hpp>
#include <string_view>

namespace pylora {

// A book nests deepest: book, calculations, chapter, case, data_files, file, records, record.
inline constexpr std::size_t kDeepestDocumentNesting = 10;
// The longest list a document holds is a ground survey's records (at most 200,000 points).
inline constexpr std::size_t kLongestDocumentList = 200000;

// The members of every object in the order written; throws DocumentReadFault naming the byte
// or the member at fault: text that is not UTF-8, a NUL byte, JSON cut short or invalid, a key
// given twice, a number beyond what a double holds, nesting or a list beyond the bounds above.
nlohmann::ordered_json readDocumentJson(std::string_view text);

}  // namespace pylora
