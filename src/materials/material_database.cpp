#include "materials/material_database.h"

#include <sqlite3.h>

#include <cmath>
#include <limits>

#include "model/number_reading.h"
#include "model/number_text.h"
#include "model/run_failure.h"
#include "model/text.h"

namespace pylora {
namespace {

// A table or field name as an SQL identifier: in double quotes, inner quotes doubled.
std::string quotedIdentifier(const std::string& name) {
    std::string quoted = "\"";
    for (char c : name) {
        quoted += c;
        if (c == '"') quoted += '"';
    }
    return quoted + "\"";
}

[[noreturn]] void missing(const std::string& control, const std::string& detail) {
    throw RunFailure(FailureKind::MissingData, control, detail);
}

std::string fileName(const std::filesystem::path& file) { return pathText(file.filename()); }

// Ends a statement's read when the lookup is done, so that no read stays open on the file.
struct ResetWhenDone {
    sqlite3_stmt* stmt;
    ~ResetWhenDone() { sqlite3_reset(stmt); }
};

}  // namespace

std::optional<Criterion> parseCriterion(std::string_view text) {
    // Only blanks are dropped: a key keeps any tab it holds.
    const std::string_view whole = trimmed(text, kSpaces);
    const auto equals = whole.find("='");
    if (equals == std::string_view::npos || equals == 0 || whole.size() < equals + 3 || whole.back() != '\'')
        return std::nullopt;
    const std::string_view field = trimmed(whole.substr(0, equals), kSpaces);
    if (field.empty()) return std::nullopt;
    return Criterion{std::string(field), std::string(whole.substr(equals + 2, whole.size() - equals - 3))};
}

// ---- MaterialDatabase ----------------------------------------------------------------------

MaterialDatabase::MaterialDatabase(std::filesystem::path file) : file_(std::move(file)) {}

MaterialDatabase::~MaterialDatabase() {
    if (db_) sqlite3_close(db_);
}

sqlite3* MaterialDatabase::connection(const std::string& control) {
    if (db_) return db_;
    std::error_code error;
    if (!std::filesystem::is_regular_file(file_, error)) missing(control, "找不到数据库文件 " + pathText(file_));
    sqlite3* db = nullptr;
    const int status = sqlite3_open_v2(pathText(file_).c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    if (status != SQLITE_OK) {
        const std::string reason = db ? sqlite3_errmsg(db) : sqlite3_errstr(status);
        sqlite3_close(db);
        missing(control, "数据库文件 " + pathText(file_) + " 无法打开（" + reason + "）");
    }
    db_ = db;
    return db_;
}

// ---- MaterialTable -------------------------------------------------------------------------

MaterialTable::MaterialTable(std::shared_ptr<MaterialDatabase> database, std::string table)
    : database_(std::move(database)), table_(std::move(table)) {
    // Opened with the window; what is missing is told to the run that needs it.
    try {
        prepareTable({});
    } catch (const RunFailure&) {
    }
}

MaterialTable::~MaterialTable() {
    for (auto& [sql, stmt] : statements_) sqlite3_finalize(stmt);
}

void MaterialTable::fail(const std::string& control, const std::string& detail) const { missing(control, detail); }

sqlite3_stmt* MaterialTable::statement(const std::string& sql, const std::string& control) {
    if (auto found = statements_.find(sql); found != statements_.end()) {
        sqlite3_reset(found->second);
        sqlite3_clear_bindings(found->second);
        return found->second;
    }
    sqlite3* db = database_->connection(control);
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
        const std::string reason = sqlite3_errmsg(db);
        sqlite3_finalize(stmt);
        fail(control, "数据库文件 " + fileName(database_->file()) + " 无法读取（" + reason + "）");
    }
    statements_.emplace(sql, stmt);
    return stmt;
}

void MaterialTable::prepareTable(const std::string& control) {
    if (prepared_) return;
    sqlite3_stmt* columns = statement("SELECT name FROM pragma_table_info(?1)", control);
    const ResetWhenDone columnsDone{columns};
    sqlite3_bind_text(columns, 1, table_.c_str(), -1, SQLITE_TRANSIENT);
    std::vector<std::string> fields;
    int status;
    while ((status = sqlite3_step(columns)) == SQLITE_ROW)
        fields.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(columns, 0)));
    if (status != SQLITE_DONE)
        fail(control, "数据库文件 " + fileName(database_->file()) + " 无法读取（" +
                          sqlite3_errmsg(database_->connection(control)) + "）");
    if (fields.empty()) fail(control, "数据库文件 " + fileName(database_->file()) + " 中没有表 " + table_);

    sqlite3_stmt* first = statement("SELECT rowid FROM " + quotedIdentifier(table_) + " ORDER BY rowid LIMIT 1", control);
    const ResetWhenDone firstDone{first};
    status = sqlite3_step(first);
    if (status != SQLITE_ROW && status != SQLITE_DONE)
        fail(control, "数据库表 " + table_ + " 无法读取（" + sqlite3_errmsg(database_->connection(control)) + "）");
    fields_ = std::move(fields);
    current_ = status == SQLITE_ROW ? std::optional<std::int64_t>(sqlite3_column_int64(first, 0)) : std::nullopt;
    currentFoundBy_.clear();
    prepared_ = true;
}

const std::string& MaterialTable::requireField(const std::string& field, const std::string& control) {
    for (const std::string& name : fields_)
        if (name == field) return name;
    fail(control, "数据库表 " + table_ + " 中没有字段 " + field);
}

void MaterialTable::findFirst(std::string_view criterion, const std::string& control) {
    find(criterion, false, control);
}

void MaterialTable::findNext(std::string_view criterion, const std::string& control) {
    find(criterion, true, control);
}

void MaterialTable::find(std::string_view criterion, bool fromCurrent, const std::string& control) {
    prepareTable(control);
    const auto parsed = parseCriterion(criterion);
    if (!parsed) fail(control, "无法识别的查找条件 " + std::string(criterion));
    const std::string shown(trimmed(criterion, kSpaces));
    const std::string& field = requireField(parsed->field, control);

    // The value is bound as a parameter, never written into the SQL text.
    const bool after = fromCurrent && current_;
    const std::string sql = "SELECT rowid FROM " + quotedIdentifier(table_) + " WHERE " + quotedIdentifier(field) +
                            " = ?1" + (after ? " AND rowid > ?2" : "") + " ORDER BY rowid LIMIT 1";
    sqlite3_stmt* stmt = statement(sql, control);
    const ResetWhenDone done{stmt};
    sqlite3_bind_text(stmt, 1, parsed->value.data(), static_cast<int>(parsed->value.size()), SQLITE_TRANSIENT);
    if (after) sqlite3_bind_int64(stmt, 2, *current_);
    const int status = sqlite3_step(stmt);
    if (status == SQLITE_ROW) {
        current_ = sqlite3_column_int64(stmt, 0);
        currentFoundBy_ = shown;
        return;
    }
    if (status != SQLITE_DONE)
        fail(control, "数据库表 " + table_ + " 无法读取（" + sqlite3_errmsg(database_->connection(control)) + "）");
    if (after)
        fail(control, "数据库表 " + table_ + " 中 " + currentFoundBy_ + " 的记录之后没有 " + shown + " 的记录");
    fail(control, "数据库表 " + table_ + " 中没有 " + shown + " 的记录");
}

MaterialTable::Value MaterialTable::read(const std::string& field, const std::string& control) {
    prepareTable(control);
    const std::string& name = requireField(field, control);
    if (!current_) fail(control, "数据库表 " + table_ + " 中没有记录");
    const std::string record = currentFoundBy_.empty() ? "第一条记录" : " " + currentFoundBy_ + " 的记录";

    sqlite3_stmt* stmt =
        statement("SELECT " + quotedIdentifier(name) + " FROM " + quotedIdentifier(table_) + " WHERE rowid = ?1", control);
    const ResetWhenDone done{stmt};
    sqlite3_bind_int64(stmt, 1, *current_);
    if (sqlite3_step(stmt) != SQLITE_ROW)
        fail(control, "数据库表 " + table_ + " 中" + record + "无法读取");
    Value value;
    switch (sqlite3_column_type(stmt, 0)) {
        case SQLITE_INTEGER:
        case SQLITE_FLOAT:
            value.isNumber = true;
            value.number = sqlite3_column_double(stmt, 0);
            if (!std::isfinite(value.number))
                fail(control, "数据库表 " + table_ + " 中" + record + "的字段 " + name + " 不是有限的数");
            return value;
        case SQLITE_TEXT:
            value.text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
            if (!trimmed(value.text, kSpaces).empty()) return value;
            break;
        default:
            break;
    }
    fail(control, "数据库表 " + table_ + " 中" + record + "的字段 " + name + " 为空");
}

Num MaterialTable::number(const std::string& field, const std::string& control) {
    const Value value = read(field, control);
    if (value.isNumber) return Num(value.number, control);
    const auto parsed = parseStrictNumber(value.text);
    if (!parsed)
        throw RunFailure(FailureKind::NotANumber, control,
                         "数据库表 " + table_ + " 中字段 " + field + " 的值 " + value.text + " 不是数字");
    return Num(*parsed, control);
}

std::string MaterialTable::text(const std::string& field, const std::string& control) {
    Value value = read(field, control);
    return value.isNumber ? NumberText(value.number) : std::move(value.text);
}

// ---- opening -------------------------------------------------------------------------------

std::shared_ptr<MaterialTable> openMaterialTable(const std::filesystem::path& folder, const std::string& fileName,
                                                 const std::string& table) {
    return openMaterialTables(folder, fileName, {table}).front();
}

std::vector<std::shared_ptr<MaterialTable>> openMaterialTables(const std::filesystem::path& folder,
                                                               const std::string& fileName,
                                                               const std::vector<std::string>& tables) {
    auto database = std::make_shared<MaterialDatabase>(folder / std::filesystem::path(std::u8string(fileName.begin(), fileName.end())));
    std::vector<std::shared_ptr<MaterialTable>> readers;
    for (const std::string& table : tables) readers.push_back(std::make_shared<MaterialTable>(database, table));
    return readers;
}

}  // namespace pylora
