#include "winapi/host/WinSqliteStore.h"

#include <sqlite3.h>

#include "winapi/internal/WinSqliteStatement.h"
#include "winapi/internal/WinStoreImage.h"
#include "winapi/internal/WinStoreLoader.h"
#include "winapi/internal/WinStoreSync.h"

namespace {
bool Exec(sqlite3* db, const char* sql) {
    return WinSqliteStatement::Exec(db, sql);
}

// The writes that bring the file to state. The tables wanted stay with the
// caller while the plan is carried out.
bool PlanSave(sqlite3* db, const WinMachineState& state, std::vector<WinStoreTable>& tables,
              WinStoreSync& sync) {
    WinStoreRegistryIds stored;
    if (!WinStoreLoader::ReadRegistryIds(db, stored)) return false;
    tables = WinStoreImage::Tables(state, stored);
    return sync.Plan(tables);
}
} // namespace

WinSqliteStore::WinSqliteStore(std::string path) : path_(std::move(path)) {}

WinSqliteStore::~WinSqliteStore() {
    Close();
}

bool WinSqliteStore::BeforeRowWrite(int) {
    return true;
}

bool WinSqliteStore::Open(bool create) {
    if (db_ != nullptr) return true;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX | (create ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(path_.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        Close();
        return false;
    }
    sqlite3_busy_timeout(db_, 5000);
    // The rollback journal, synced at each commit: a crash leaves the last
    // committed store.
    return Exec(db_, "PRAGMA synchronous=FULL");
}

void WinSqliteStore::Close() {
    if (db_ != nullptr) sqlite3_close(db_);
    db_ = nullptr;
}

bool WinSqliteStore::Load(WinMachineState& state) {
    // Nothing stored yet: the file is made by the first save only.
    if (!Open(false)) return false;
    if (!Exec(db_, "BEGIN")) return false;
    WinMachineState loaded;
    loaded.forms.clear();
    const bool ok = WinStoreLoader::Load(db_, loaded);
    Exec(db_, "COMMIT");
    if (!ok) return false;
    state = std::move(loaded);
    return true;
}

bool WinSqliteStore::Save(const WinMachineState& state) {
    if (!Open(true)) return false;
    if (NothingToWrite(state)) return true;
    if (!Exec(db_, "BEGIN IMMEDIATE")) return false;
    if (Write(state) && Exec(db_, "COMMIT")) return true;
    Exec(db_, "ROLLBACK");
    return false;
}

// A look in a read transaction first: a save that changes nothing takes no
// write lock and writes nothing, so a file that may only be read serves it.
bool WinSqliteStore::NothingToWrite(const WinMachineState& state) {
    if (!Exec(db_, "BEGIN")) return false;
    std::vector<WinStoreTable> tables;
    WinStoreSync sync(db_);
    const bool nothing = PlanSave(db_, state, tables, sync) && sync.Empty();
    Exec(db_, "COMMIT");
    return nothing;
}

// Under the write lock the file is compared again: another process may have
// written it since the look.
bool WinSqliteStore::Write(const WinMachineState& state) {
    if (!Exec(db_, WinStoreImage::Schema())) return false;
    std::vector<WinStoreTable> tables;
    WinStoreSync sync(db_);
    return PlanSave(db_, state, tables, sync) && sync.Apply([this](int row) { return BeforeRowWrite(row); });
}
