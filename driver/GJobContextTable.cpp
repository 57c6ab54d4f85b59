#include "driver/GJobContextTable.h"

#include <atomic>

namespace {

std::atomic<GJobContextTable*> gInstalledTable{nullptr};

} // namespace

GJobContextTable::~GJobContextTable() = default;

void GJobContextTable::Install(GJobContextTable* table) {
    gInstalledTable.store(table);
}

GJobContext* GJobContextTable::Find(uint32_t key) {
    GJobContextTable* table = gInstalledTable.load();
    return table != nullptr ? table->Lookup(key) : nullptr;
}
