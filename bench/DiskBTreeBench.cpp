// Inserts and lookups of 100,000 keys in the disk B-tree, as the on-disk
// composite uses it (16-byte text keys, order 10, a 10-node write-through
// cache over the file-space manager), beside the same keys in an SQLite
// table (text primary key; inserts in one transaction without sync, lookups
// in one read transaction) on the same machine. Keys are the composite's: serial numbers in lowercase hex, in
// a shuffled order.
#include <benchmark/benchmark.h>

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <unistd.h>

#include "rw/RWCString.h"
#include "rw/RWDiskBTree.h"
#include "rw/RWFileSpaceManager.h"

namespace {

constexpr int kKeys = 100000;

const std::vector<std::string>& ShuffledKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> made;
        made.reserve(kKeys);
        char text[16];
        for (int i = 1; i <= kKeys; ++i) {
            std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(i * 2654435761u));
            made.emplace_back(text);
        }
        std::shuffle(made.begin(), made.end(), std::mt19937(42));
        return made;
    }();
    return keys;
}

std::string ScratchPath(const char* name) {
    return (std::filesystem::temp_directory_path() /
            (std::string("qvbench-") + std::to_string(::getpid()) + "-" + name))
        .string();
}

void FillTree(const std::string& path) {
    std::remove(path.c_str());
    RWFileSpaceManager heap(path.c_str());
    RWDiskBTree tree(heap, 10, false, 16, 0, RWDiskBTree::kNone, 0, 10, 10);
    uint32_t value = 0;
    for (const std::string& key : ShuffledKeys())
        tree.InsertKeyAndValue(key.c_str(), value++);
}

void BM_DiskBTreeInsert(benchmark::State& state) {
    const std::string path = ScratchPath("insert.dat");
    for (auto _ : state)
        FillTree(path);
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * kKeys);
}
BENCHMARK(BM_DiskBTreeInsert)->Unit(benchmark::kMillisecond);

void BM_DiskBTreeLookup(benchmark::State& state) {
    const std::string path = ScratchPath("lookup.dat");
    FillTree(path);
    {
        RWFileSpaceManager heap(path.c_str());
        RWDiskBTree tree(heap, 10, false, 16, 0, RWDiskBTree::kNone, 0, 10, 10);
        RWCString found;
        uint32_t value = 0;
        for (auto _ : state) {
            for (const std::string& key : ShuffledKeys()) {
                if (!tree.FindKeyAndValue(key.c_str(), found, value)) state.SkipWithError("key missing");
            }
            benchmark::DoNotOptimize(value);
        }
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * kKeys);
}
BENCHMARK(BM_DiskBTreeLookup)->Unit(benchmark::kMillisecond);

sqlite3* OpenDatabase(const std::string& path) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "PRAGMA synchronous=OFF; PRAGMA journal_mode=MEMORY;", nullptr, nullptr, nullptr);
    return db;
}

void FillTable(const std::string& path) {
    std::remove(path.c_str());
    sqlite3* db = OpenDatabase(path);
    sqlite3_exec(db, "CREATE TABLE records (key TEXT PRIMARY KEY, value INTEGER) WITHOUT ROWID; BEGIN;",
                 nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO records VALUES (?, ?)", -1, &insert, nullptr);
    int value = 0;
    for (const std::string& key : ShuffledKeys()) {
        sqlite3_bind_text(insert, 1, key.c_str(), static_cast<int>(key.size()), SQLITE_STATIC);
        sqlite3_bind_int(insert, 2, value++);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void BM_SQLiteInsert(benchmark::State& state) {
    const std::string path = ScratchPath("insert.sqlite");
    for (auto _ : state)
        FillTable(path);
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * kKeys);
}
BENCHMARK(BM_SQLiteInsert)->Unit(benchmark::kMillisecond);

void BM_SQLiteLookup(benchmark::State& state) {
    const std::string path = ScratchPath("lookup.sqlite");
    FillTable(path);
    sqlite3* db = OpenDatabase(path);
    sqlite3_stmt* select = nullptr;
    sqlite3_prepare_v2(db, "SELECT value FROM records WHERE key = ?", -1, &select, nullptr);
    // One read transaction, so the file is not locked and unlocked per row.
    sqlite3_exec(db, "BEGIN;", nullptr, nullptr, nullptr);
    for (auto _ : state) {
        int64_t sum = 0;
        for (const std::string& key : ShuffledKeys()) {
            sqlite3_bind_text(select, 1, key.c_str(), static_cast<int>(key.size()), SQLITE_STATIC);
            if (sqlite3_step(select) != SQLITE_ROW) state.SkipWithError("key missing");
            sum += sqlite3_column_int(select, 0);
            sqlite3_reset(select);
        }
        benchmark::DoNotOptimize(sum);
    }
    sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
    sqlite3_finalize(select);
    sqlite3_close(db);
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * kKeys);
}
BENCHMARK(BM_SQLiteLookup)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
