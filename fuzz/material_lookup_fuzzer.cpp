// Material lookups on a read-only copy of the database: the first byte picks a table of any
// file, the lines that follow are a criterion for FindFirst, a field to read from the record
// found, and criteria for FindNext. Every lookup either finds a record or ends the run with a
// RunFailure naming the control; no file is ever changed.
#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "model/run_failure.h"
#include "database_copy.h"
#include "materials/material_database.h"

namespace {

using pylora::fuzz::readOnlyDatabaseCopy;

// Every (file, table) of the copy, in a fixed order.
std::vector<std::pair<std::string, std::string>> listTables() {
    std::vector<std::pair<std::string, std::string>> tables;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(readOnlyDatabaseCopy())) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            sqlite3_stmt* stmt = nullptr;
            sqlite3_prepare_v2(db, "SELECT name FROM sqlite_master WHERE type='table' ORDER BY name", -1, &stmt, nullptr);
            while (stmt && sqlite3_step(stmt) == SQLITE_ROW)
                tables.emplace_back(file.filename().string(), reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
            sqlite3_finalize(stmt);
        }
        sqlite3_close(db);
    }
    // A file and a table that are not there take the same paths as a damaged database.
    tables.emplace_back("没有这个文件.sqlite", "电焊条");
    tables.emplace_back(files.empty() ? "" : files.front().filename().string(), "没有这个表");
    return tables;
}

std::vector<std::string> splitLines(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            lines.emplace_back();
        } else {
            lines.back() += static_cast<char>(data[i]);
        }
    }
    return lines;
}

void requireNamesControl(const pylora::RunFailure& failure) {
    if (failure.control() == "Text1") return;
    std::fprintf(stderr, "a failed lookup names \"%s\", not the control: %s\n", failure.control().c_str(),
                 failure.what());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto tables = listTables();
    if (size < 1) return 0;
    const auto& [file, tableName] = tables[data[0] % tables.size()];
    const std::vector<std::string> lines = splitLines(data + 1, size - 1);
    {
        auto table = pylora::openMaterialTable(readOnlyDatabaseCopy(), file, tableName);
        (void)pylora::parseCriterion(lines[0]);
        for (std::size_t i = 0; i < lines.size(); ++i) {
            try {
                if (i == 1) {
                    (void)table->text(lines[i], "Text1");
                    (void)table->number(lines[i], "Text1");
                } else {
                    i == 0 ? table->findFirst(lines[i], "Text1") : table->findNext(lines[i], "Text1");
                }
            } catch (const pylora::RunFailure& failure) {
                requireNamesControl(failure);
            }
        }
    }
    pylora::fuzz::requireDatabaseUnchanged();
    return 0;
}
