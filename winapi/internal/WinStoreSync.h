#pragma once
// Brings the tables of the store's file to the rows they should hold,
// writing only the difference: it reads what each table holds, then deletes
// the rows no longer wanted, changes those whose cells differ and inserts
// the new ones, one row at a time. A table whose stored rows do not each
// have a key of their own (the file was written otherwise) is emptied and
// written anew. The caller holds the transaction.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "winapi/internal/WinSqliteStatement.h"
#include "winapi/internal/WinStoreTable.h"

struct sqlite3;

class WinStoreSync {
public:
    explicit WinStoreSync(sqlite3* db) : db_(db) {}

    // Compares the file with the tables wanted (kept by the caller until
    // Apply) and works out the writes; false when the file cannot be read
    // (a table missing, say).
    bool Plan(const std::vector<WinStoreTable>& wanted);
    bool Empty() const { return writes_.empty(); }

    // Makes the planned writes in order, asking beforeRow (with the write's
    // index) before each; false at the first refusal or failure.
    bool Apply(const std::function<bool(int)>& beforeRow);

private:
    enum class Kind { kEmpty, kDelete, kUpdate, kInsert };
    struct Write {
        Kind kind;
        const WinStoreTable* table;
        WinStoreCells key;
        WinStoreCells values;
    };

    bool PlanTable(const WinStoreTable& table);
    void PlanRewrite(const WinStoreTable& table);
    static std::string Sql(const Write& write);
    bool Make(const Write& write);
    WinSqliteStatement& Prepared(const std::string& sql);

    sqlite3* db_;
    std::vector<Write> writes_;
    std::map<std::string, std::unique_ptr<WinSqliteStatement>> statements_;
};
