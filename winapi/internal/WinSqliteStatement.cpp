#include "winapi/internal/WinSqliteStatement.h"

#include <sqlite3.h>

WinSqliteStatement::WinSqliteStatement(sqlite3* db, const std::string& sql) {
    ok_ = sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt_, nullptr) == SQLITE_OK;
}

WinSqliteStatement::~WinSqliteStatement() {
    sqlite3_finalize(stmt_);
}

WinSqliteStatement& WinSqliteStatement::Bind(int64_t value) {
    ok_ = ok_ && sqlite3_bind_int64(stmt_, ++index_, value) == SQLITE_OK;
    return *this;
}

WinSqliteStatement& WinSqliteStatement::Bind(const std::u16string& text) {
    ok_ = ok_ && sqlite3_bind_text16(stmt_, ++index_, text.data(), static_cast<int>(text.size() * 2),
                                     SQLITE_TRANSIENT) == SQLITE_OK;
    return *this;
}

WinSqliteStatement& WinSqliteStatement::Bind(const std::string& text) {
    ok_ = ok_ && sqlite3_bind_text(stmt_, ++index_, text.data(), static_cast<int>(text.size()),
                                   SQLITE_TRANSIENT) == SQLITE_OK;
    return *this;
}

WinSqliteStatement& WinSqliteStatement::Bind(const std::vector<BYTE>& bytes) {
    // An empty blob is bound from a valid pointer: a zero-length blob, not NULL.
    ok_ =
        ok_ && sqlite3_bind_blob(stmt_, ++index_, bytes.empty() ? "" : static_cast<const void*>(bytes.data()),
                                 static_cast<int>(bytes.size()), SQLITE_TRANSIENT) == SQLITE_OK;
    return *this;
}

WinSqliteStatement& WinSqliteStatement::Bind(const WinStoreCell& cell) {
    return std::visit([this](const auto& value) -> WinSqliteStatement& { return Bind(value); }, cell);
}

bool WinSqliteStatement::Run() {
    ok_ = ok_ && sqlite3_step(stmt_) == SQLITE_DONE;
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    index_ = 0;
    return ok_;
}

bool WinSqliteStatement::Next() {
    if (!ok_) return false;
    const int result = sqlite3_step(stmt_);
    if (result == SQLITE_ROW) return true;
    ok_ = result == SQLITE_DONE;
    return false;
}

int64_t WinSqliteStatement::Int(int column) const {
    return sqlite3_column_int64(stmt_, column);
}

std::u16string WinSqliteStatement::Text16(int column) const {
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(stmt_, column));
    return text != nullptr
               ? std::u16string(text, static_cast<size_t>(sqlite3_column_bytes16(stmt_, column)) / 2)
               : std::u16string();
}

std::string WinSqliteStatement::Text8(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return text != nullptr ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt_, column)))
                           : std::string();
}

std::vector<BYTE> WinSqliteStatement::Blob(int column) const {
    const auto* data = static_cast<const BYTE*>(sqlite3_column_blob(stmt_, column));
    const int size = sqlite3_column_bytes(stmt_, column);
    return data != nullptr && size > 0 ? std::vector<BYTE>(data, data + size) : std::vector<BYTE>();
}

bool WinSqliteStatement::Holds(int column, const WinStoreCell& cell) const {
    const int type = sqlite3_column_type(stmt_, column);
    switch (cell.index()) {
    case 0:
        return type == SQLITE_INTEGER && Int(column) == std::get<int64_t>(cell);
    case 1:
        return type == SQLITE_TEXT && Text16(column) == std::get<std::u16string>(cell);
    case 2:
        return type == SQLITE_TEXT && Text8(column) == std::get<std::string>(cell);
    default:
        return type == SQLITE_BLOB && Blob(column) == std::get<std::vector<BYTE>>(cell);
    }
}

bool WinSqliteStatement::KeyCell(int column, WinStoreCell& cell) const {
    switch (sqlite3_column_type(stmt_, column)) {
    case SQLITE_INTEGER:
        cell = Int(column);
        return true;
    case SQLITE_TEXT:
        cell = Text8(column);
        return true;
    default:
        return false;
    }
}

bool WinSqliteStatement::Exec(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}
