#include "driver/GJobContextTable.h"

#include <atomic>

namespace {

std::atomic<GJobContextTable*> gInstalled{nullptr};

} // namespace

GJobContextTable::~GJobContextTable() = default;

void GJobContextTable::Install(GJobContextTable* table) {
    gInstalled.store(table);
}

GJobContext* GJobContextTable::Find(uint32_t key) {
    GJobContextTable* table = gInstalled.load();
    return table != nullptr ? table->Lookup(key) : nullptr;
}
