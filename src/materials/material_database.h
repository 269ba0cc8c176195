#pragma once
// The material database: read-only SQLite files in the database folder, read through table
// readers (Data1, Data2, ...) that each stand on one table of one file with a current record,
// as the material windows use them: open when the window is created (first record current),
// FindFirst / FindNext with a criterion field='value', and reading a named field.
//
// Nothing is ever written to a file. A file, table, field or record that is not there, and an
// empty value, end the run with a RunFailure (MissingData) that names what is missing; a
// damaged or missing file gives that failure when a run needs it, never at opening.
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/num.h"

struct sqlite3;
struct sqlite3_stmt;

namespace pylora {

// A criterion as the windows build it: field name, "='", the value, "'", blanks at both ends
// stripped. The value is everything between the first "='" and the last quote, so a value that
// itself holds a quote or SQL text stays a plain value.
struct Criterion {
    std::string field;
    std::string value;
};
std::optional<Criterion> parseCriterion(std::string_view text);

// One open database file, shared by the readers of one window that stand on the same file.
class MaterialDatabase {
public:
    explicit MaterialDatabase(std::filesystem::path file);
    ~MaterialDatabase();
    MaterialDatabase(const MaterialDatabase&) = delete;
    MaterialDatabase& operator=(const MaterialDatabase&) = delete;

    const std::filesystem::path& file() const { return file_; }
    // The open connection; a file that could not be opened is tried again, and failing that
    // the run ends naming the file (`control` is the control to blame).
    sqlite3* connection(const std::string& control);

private:
    std::filesystem::path file_;
    sqlite3* db_ = nullptr;
};

// One table reader (Data1 ...): a table of a database file and its current record.
class MaterialTable {
public:
    MaterialTable(std::shared_ptr<MaterialDatabase> database, std::string table);
    ~MaterialTable();
    MaterialTable(const MaterialTable&) = delete;
    MaterialTable& operator=(const MaterialTable&) = delete;

    const std::string& table() const { return table_; }

    // The first record in stored order that satisfies the criterion becomes current.
    void findFirst(std::string_view criterion, const std::string& control);
    // The next record after the current one that satisfies it becomes current.
    void findNext(std::string_view criterion, const std::string& control);

    // A field of the current record as a number (a text value is read as FieldValue reads it).
    Num number(const std::string& field, const std::string& control);
    // A field of the current record as displayed: a number in the general form (NumberText),
    // a text unchanged.
    std::string text(const std::string& field, const std::string& control);

private:
    struct Value {
        bool isNumber = false;
        double number = 0.0;
        std::string text;
    };
    void prepareTable(const std::string& control);
    void find(std::string_view criterion, bool fromCurrent, const std::string& control);
    Value read(const std::string& field, const std::string& control);
    const std::string& requireField(const std::string& field, const std::string& control);
    sqlite3_stmt* statement(const std::string& sql, const std::string& control);
    [[noreturn]] void fail(const std::string& control, const std::string& detail) const;

    std::shared_ptr<MaterialDatabase> database_;
    std::string table_;
    bool prepared_ = false;
    std::vector<std::string> fields_;
    std::optional<std::int64_t> current_;  // rowid of the current record
    std::string currentFoundBy_;           // the criterion that made it current, for messages
    std::map<std::string, sqlite3_stmt*> statements_;
};

// Opens a reader on `table` of the file `fileName` in the database folder. Never fails: what
// is missing is reported when a run needs the table.
std::shared_ptr<MaterialTable> openMaterialTable(const std::filesystem::path& folder, const std::string& fileName,
                                                 const std::string& table);
// Readers on several tables of one file, sharing its connection.
std::vector<std::shared_ptr<MaterialTable>> openMaterialTables(const std::filesystem::path& folder,
                                                               const std::string& fileName,
                                                               const std::vector<std::string>& tables);

}  // namespace pylora
