#pragma once
// The process-wide table of named providers (GProvider). A provider whose
// mask has any of the low 16 bits is a query provider, one with any of the
// high 16 bits a data-source provider; one with both is in both lists under
// the same name. The lists keep the order of registration, hold a copy of
// each name and never own the providers.
//
// The table takes no lock: providers are registered and removed only while
// the module attaches and detaches (the loader runs those one at a time);
// queries run afterwards, on the threads of the calls that use them.
#include <cstdint>
#include <vector>

#include "rw/RWCString.h"

class GProvider;

class GProviderRegistry {
public:
    static constexpr uint32_t kQueryMask = 0x0000FFFF;
    static constexpr uint32_t kDataSourceMask = 0xFFFF0000;

    static GProviderRegistry& Instance();

    GProviderRegistry() = default;
    GProviderRegistry(const GProviderRegistry&) = delete;
    GProviderRegistry& operator=(const GProviderRegistry&) = delete;

    // Adds provider under name to the lists its mask names; nothing changes
    // when name is taken in either list. 1; 0 for a null provider.
    int Register(GProvider* provider, const RWCString& name);
    // Removes name from both lists (the provider itself stays its owner's). 0.
    int Unregister(const RWCString& name);

    // The first non-null answer of the query providers whose mask holds
    // every bit of mask, asked in order; null when none answers.
    void* Query(void* subject, const void* argument, uint32_t mask);
    // The same over the data-source providers and CreateDataSource.
    void* CreateDataSource(void* subject, const void* argument, uint32_t mask);
    // The providers that answer IsAvailable(mask), counted in the query
    // list when mask has a low bit and in the data-source list when it has
    // a high bit.
    uint32_t CountAvailable(uint32_t mask);
    // The provider registered under name (query list first), or null.
    GProvider* FindProvider(const RWCString& name) const;

private:
    struct Entry {
        RWCString name;
        GProvider* provider;
    };
    static const Entry* FindIn(const std::vector<Entry>& list, const RWCString& name);

    std::vector<Entry> queries_;
    std::vector<Entry> dataSources_;
};
