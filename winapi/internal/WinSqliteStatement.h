#pragma once
// One prepared statement of the host store's SQLite file: values bound by
// position from 1, rows stepped through, cells read by kind. A failure at
// any step sticks: Ok() stays false from then on.
#include <cstdint>
#include <string>
#include <vector>

#include "winapi/WinTypes.h"
#include "winapi/internal/WinStoreTable.h"

struct sqlite3;
struct sqlite3_stmt;

class WinSqliteStatement {
public:
    WinSqliteStatement(sqlite3* db, const std::string& sql);
    ~WinSqliteStatement();
    WinSqliteStatement(const WinSqliteStatement&) = delete;
    WinSqliteStatement& operator=(const WinSqliteStatement&) = delete;

    bool Ok() const { return ok_; }
    WinSqliteStatement& Bind(int64_t value);
    WinSqliteStatement& Bind(const std::u16string& text);
    WinSqliteStatement& Bind(const std::string& text);
    WinSqliteStatement& Bind(const std::vector<BYTE>& bytes);
    WinSqliteStatement& Bind(const WinStoreCell& cell);

    // Runs a statement that returns no rows; it is then ready to be bound
    // again.
    bool Run();
    // Steps through rows; false at the end or on an error (Ok() tells which).
    bool Next();

    int64_t Int(int column) const;
    std::u16string Text16(int column) const;
    std::string Text8(int column) const;
    std::vector<BYTE> Blob(int column) const;
    // Whether the column holds a cell equal to cell, of its kind.
    bool Holds(int column, const WinStoreCell& cell) const;
    // The column as a cell of a key (an integer or narrow text); false for
    // any other kind of value.
    bool KeyCell(int column, WinStoreCell& cell) const;

    // Runs SQL that returns no rows.
    static bool Exec(sqlite3* db, const char* sql);

private:
    sqlite3_stmt* stmt_ = nullptr;
    bool ok_ = false;
    int index_ = 0;
};
