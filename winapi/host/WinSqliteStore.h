#pragma once
// The host store in one SQLite file. Save replaces every table's rows inside
// one transaction, so a crash or a failure part-way leaves the previous
// store as it was; Load reads everything in one read transaction.
//
// Tables (text columns hold UTF-16):
//   meta(name TEXT PRIMARY KEY, value)            format = 1
//   settings(name TEXT PRIMARY KEY, value)        scalars of WinMachineState
//   registry_keys(id INTEGER PRIMARY KEY, parent INTEGER, hive INTEGER,
//                 name TEXT, writable INTEGER)    parent 0 = the hive's root
//   registry_values(key INTEGER, ordinal INTEGER, name TEXT, type INTEGER,
//                   data BLOB)
//   printers, drivers, forms, environment, drives, modules, module_folders,
//   failing_version_sizes: one row per record, with an ordinal for order
#include <string>

#include "winapi/WinApi.h"
#include "winapi/host/WinStorePersistence.h"

struct sqlite3;

class QV_WINAPI_API WinSqliteStore : public WinStorePersistence {
public:
    explicit WinSqliteStore(std::string path);
    ~WinSqliteStore() override;
    WinSqliteStore(const WinSqliteStore&) = delete;
    WinSqliteStore& operator=(const WinSqliteStore&) = delete;

    bool Load(WinMachineState& state) override;
    bool Save(const WinMachineState& state) override;

    const std::string& Path() const { return path_; }

protected:
    // Called before each row is written inside the save transaction; false
    // aborts the save there (tests inject failures through it).
    virtual bool BeforeRowWrite(int rowIndex);

private:
    bool Open();
    void Close();

    std::string path_;
    sqlite3* db_ = nullptr;
};
