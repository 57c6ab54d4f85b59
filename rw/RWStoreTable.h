#pragma once
// The per-thread table of one outermost object-graph save: it gives every
// saved object (by address) and every class string ID (by text) its index,
// counted together from 0 in order of insertion; index 0 is the nil object.
// RWStoreTableGuard makes the table for the outermost save of a thread and
// shares it with the nested saves of the objects' guts.
#include <cstdint>
#include <string>
#include <unordered_map>

#include "rw/RWCollectable.h"

class RWStoreTable {
public:
    RWStoreTable(); // holds the nil object as index 0
    RWStoreTable(const RWStoreTable&) = delete;
    RWStoreTable& operator=(const RWStoreTable&) = delete;

    // Enters the object unless present. True when it was new; index is its
    // index either way.
    bool AddObject(const RWCollectable* object, uint32_t& index);
    // The same for a class string ID, compared by length and bytes.
    bool AddStringId(const char* text, size_t length, uint32_t& index);

    // Number of entries of both kinds.
    uint32_t Entries() const { return next_; }

    // The thread's table, null when no save is running on this thread.
    static RWStoreTable* Current();

private:
    friend class RWStoreTableGuard;
    std::unordered_map<const RWCollectable*, uint32_t> objects_;
    std::unordered_map<std::string, uint32_t> stringIds_;
    uint32_t next_ = 0;
};

// Takes the thread's store table, making it (and owning it) when no save is
// running on the thread; the owning guard deletes it at the end of its scope.
class RWStoreTableGuard {
public:
    RWStoreTableGuard();
    ~RWStoreTableGuard();
    RWStoreTableGuard(const RWStoreTableGuard&) = delete;
    RWStoreTableGuard& operator=(const RWStoreTableGuard&) = delete;

    // True for the outermost save of the thread (it writes the file magic).
    bool Created() const { return created_; }
    RWStoreTable& Table() const { return *table_; }

private:
    RWStoreTable* table_;
    bool created_;
};
