#pragma once
// The host store in one SQLite file (its tables: winapi/internal/
// WinStoreImage.h). Save writes only the rows that differ from the file's,
// each once, inside one transaction, so a crash or a failure part-way leaves
// the previous store as it was; when nothing differs it writes nothing and
// takes no write lock, so a store on a file that may only be read serves
// every run that changes nothing. Load reads everything in one read
// transaction; where nothing is stored yet it makes no file.
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
    // Called before each row is written (inserted, changed or deleted)
    // inside the save transaction; false aborts the save there (tests inject
    // failures through it).
    virtual bool BeforeRowWrite(int rowIndex);

private:
    // create: make the file when it is missing (a load never does).
    bool Open(bool create);
    void Close();
    bool NothingToWrite(const WinMachineState& state);
    bool Write(const WinMachineState& state);

    std::string path_;
    sqlite3* db_ = nullptr;
};
