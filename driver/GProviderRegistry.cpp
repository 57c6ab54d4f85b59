#include "driver/GProviderRegistry.h"

#include <algorithm>

#include "driver/GProvider.h"

GProviderRegistry& GProviderRegistry::Instance() {
    static GProviderRegistry registry;
    return registry;
}

const GProviderRegistry::Entry* GProviderRegistry::FindIn(const std::vector<Entry>& list,
                                                          const RWCString& name) {
    for (const Entry& entry : list)
        if (entry.name == name) return &entry;
    return nullptr;
}

int GProviderRegistry::Register(GProvider* provider, const RWCString& name) {
    if (provider == nullptr) return 0;
    if (FindProvider(name) != nullptr) return 1;
    const uint32_t mask = provider->GetMask();
    if ((mask & kQueryMask) != 0) queries_.push_back({name, provider});
    if ((mask & kDataSourceMask) != 0) dataSources_.push_back({name, provider});
    return 1;
}

int GProviderRegistry::Unregister(const RWCString& name) {
    for (std::vector<Entry>* list : {&queries_, &dataSources_})
        list->erase(
            std::remove_if(list->begin(), list->end(), [&](const Entry& e) { return e.name == name; }),
            list->end());
    return 0;
}

void* GProviderRegistry::Query(void* subject, const void* argument, uint32_t mask) {
    for (const Entry& entry : queries_) {
        if ((entry.provider->GetMask() & mask) != mask) continue;
        if (void* answer = entry.provider->Query(subject, entry.name, mask, argument)) return answer;
    }
    return nullptr;
}

void* GProviderRegistry::CreateDataSource(void* subject, const void* argument, uint32_t mask) {
    for (const Entry& entry : dataSources_) {
        if ((entry.provider->GetMask() & mask) != mask) continue;
        if (void* source = entry.provider->CreateDataSource(subject, entry.name, mask, argument))
            return source;
    }
    return nullptr;
}

uint32_t GProviderRegistry::CountAvailable(uint32_t mask) {
    uint32_t count = 0;
    if ((mask & kQueryMask) != 0)
        for (const Entry& entry : queries_)
            count += entry.provider->IsAvailable(mask) != 0 ? 1 : 0;
    if ((mask & kDataSourceMask) != 0)
        for (const Entry& entry : dataSources_)
            count += entry.provider->IsAvailable(mask) != 0 ? 1 : 0;
    return count;
}

GProvider* GProviderRegistry::FindProvider(const RWCString& name) const {
    const Entry* entry = FindIn(queries_, name);
    if (entry == nullptr) entry = FindIn(dataSources_, name);
    return entry != nullptr ? entry->provider : nullptr;
}
