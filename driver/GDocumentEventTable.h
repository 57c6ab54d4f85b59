#pragma once
// The table of the document events: printer handle of a device context ->
// the driver server's release cookie of its driver instance, kept from the
// device context's creation to its deletion. 16 buckets (bucket = handle
// mod 16), each a list of entries in the order they were added; the hash
// of a handle is its own value. The module makes it at attach and empties it
// at detach; its callers guard it with the module's table lock.
#include <array>
#include <cstdint>
#include <vector>

#include "winapi/WinTypes.h"

class GDocumentEventTable {
public:
    static constexpr uint32_t kBucketCount = 16;

    GDocumentEventTable() = default;
    GDocumentEventTable(const GDocumentEventTable&) = delete;
    GDocumentEventTable& operator=(const GDocumentEventTable&) = delete;

    // Stores cookie for printer, replacing the cookie stored before; true
    // when the entry is new (and counted).
    bool Set(HANDLE printer, uint32_t cookie);
    // The cookie stored for printer, or false.
    bool Find(HANDLE printer, uint32_t& cookie) const;
    // Removes the entry of printer; false when there was none.
    bool Remove(HANDLE printer);
    uint32_t Count() const { return count_; }
    // Removes every entry (the driver instances of their cookies are not
    // released here).
    void Clear();

private:
    struct Entry {
        HANDLE printer;
        uint32_t cookie;
    };
    static uint32_t Bucket(HANDLE printer) {
        return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(printer) % kBucketCount);
    }

    std::array<std::vector<Entry>, kBucketCount> buckets_;
    uint32_t count_ = 0;
};
