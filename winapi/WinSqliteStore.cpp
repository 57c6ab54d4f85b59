#include "winapi/WinSqliteStore.h"

#include <sqlite3.h>

WinSqliteStore::WinSqliteStore(std::string path) : path_(std::move(path)) {}

WinSqliteStore::~WinSqliteStore() {
    Close();
}

bool WinSqliteStore::BeforeRowWrite(int) {
    return true;
}

bool WinSqliteStore::Open() {
    return false;
}

void WinSqliteStore::Close() {
    if (db_ != nullptr) sqlite3_close(db_);
    db_ = nullptr;
}

bool WinSqliteStore::Load(WinMachineState&) {
    return false;
}

bool WinSqliteStore::Save(const WinMachineState&) {
    return false;
}
