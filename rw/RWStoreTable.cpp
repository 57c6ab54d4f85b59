#include "rw/RWStoreTable.h"

namespace {
// The table of the save running on this thread; owned by the outermost guard.
thread_local RWStoreTable* t_storeTable = nullptr;
} // namespace

RWStoreTable::RWStoreTable() {
    uint32_t index = 0;
    AddObject(RWCollectable::NilObject(), index); // index 0
}

bool RWStoreTable::AddObject(const RWCollectable* object, uint32_t& index) {
    const auto [where, added] = objects_.try_emplace(object, next_);
    index = where->second;
    if (added) ++next_;
    return added;
}

bool RWStoreTable::AddStringId(const char* text, size_t length, uint32_t& index) {
    const auto [where, added] = stringIds_.try_emplace(std::string(text, length), next_);
    index = where->second;
    if (added) ++next_;
    return added;
}

RWStoreTable* RWStoreTable::Current() {
    return t_storeTable;
}

RWStoreTableGuard::RWStoreTableGuard() : table_(t_storeTable), created_(false) {
    if (table_ == nullptr) {
        table_ = new RWStoreTable;
        t_storeTable = table_;
        created_ = true;
    }
}

RWStoreTableGuard::~RWStoreTableGuard() {
    if (created_) {
        t_storeTable = nullptr;
        delete table_;
    }
}
