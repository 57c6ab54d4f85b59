#include "driver/GCookieTable.h"

#include <new>

GCookieTable::~GCookieTable() = default;

std::unique_ptr<GCookieTable::Entry> GCookieTable::NewEntry() {
    return std::unique_ptr<Entry>(new (std::nothrow) Entry);
}

uint32_t GCookieTable::Seed(const void* object) {
    // A 64-bit address is folded first; the uniqueness comes from Add.
    const auto address = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(object));
    const auto folded = static_cast<uint32_t>(address ^ (address >> 32));
    const uint32_t seed = folded ^ (folded >> 16);
    return seed == 0 ? 1 : seed;
}

uint32_t GCookieTable::Add(uint32_t seed, GDriverContext* object, std::unique_ptr<Entry> entry) {
    uint32_t cookie = seed == 0 ? 1 : seed;
    // The table holds far fewer than 2^32 - 1 entries, so a free cookie
    // turns up.
    while (Find(cookie) != nullptr) {
        ++cookie;
        if (cookie == 0) cookie = 1;
    }
    entry->cookie = cookie;
    entry->object = object;
    entry->next.reset();
    std::unique_ptr<Entry>* slot = &buckets_[Bucket(cookie)];
    while (*slot != nullptr)
        slot = &(*slot)->next;
    *slot = std::move(entry);
    ++count_;
    return cookie;
}

GDriverContext* GCookieTable::Find(uint32_t cookie) const {
    for (const Entry* entry = buckets_[Bucket(cookie)].get(); entry != nullptr; entry = entry->next.get())
        if (entry->cookie == cookie) return entry->object;
    return nullptr;
}

GDriverContext* GCookieTable::Remove(uint32_t cookie) {
    for (std::unique_ptr<Entry>* slot = &buckets_[Bucket(cookie)]; *slot != nullptr; slot = &(*slot)->next) {
        if ((*slot)->cookie != cookie) continue;
        std::unique_ptr<Entry> found = std::move(*slot);
        *slot = std::move(found->next);
        --count_;
        return found->object;
    }
    return nullptr;
}

GCookieTable::Buckets GCookieTable::TakeAll() {
    Buckets taken;
    taken.swap(buckets_);
    count_ = 0;
    return taken;
}
