#pragma once
// One table of the driver server: release cookie -> live object. A cookie
// is a 32-bit number, never 0, unique within its table. The table has 64
// buckets (bucket = cookie mod 64), each a singly linked list of entries in
// the order they were added; the hash of a cookie is the cookie itself.
//
// The table takes no lock of its own: the driver server guards each table
// with its lock. Adding takes an entry made beforehand (NewEntry), so that
// nothing is allocated while the lock is held: an allocation that fails
// there would enter the out-of-memory handler, which takes the same lock.
// The table never deletes the objects it holds; the server does.
#include <array>
#include <cstdint>
#include <memory>

class GDriverContext;

class GCookieTable {
public:
    static constexpr uint32_t kBucketCount = 64;

    struct Entry {
        std::unique_ptr<Entry> next;
        uint32_t cookie = 0;
        GDriverContext* object = nullptr;
    };
    using Buckets = std::array<std::unique_ptr<Entry>, kBucketCount>;

    GCookieTable() = default;
    GCookieTable(const GCookieTable&) = delete;
    GCookieTable& operator=(const GCookieTable&) = delete;
    ~GCookieTable();

    // An entry for Add; null when it cannot be had.
    static std::unique_ptr<Entry> NewEntry();
    // The first cookie tried for an object: its address folded to 32 bits,
    // XOR the folded address shifted right by 16; 0 becomes 1.
    static uint32_t Seed(const void* object);

    // Registers object under the first cookie from seed on that is free
    // (counting up by 1; 0 is skipped, also on wrap-around) and returns it.
    // A seed of 0 counts as 1.
    uint32_t Add(uint32_t seed, GDriverContext* object, std::unique_ptr<Entry> entry);
    // The object registered under cookie, or null.
    GDriverContext* Find(uint32_t cookie) const;
    // Unregisters cookie: its object, or null when it was not registered.
    GDriverContext* Remove(uint32_t cookie);
    uint32_t Count() const { return count_; }

    // Calls visit(object) for every object in bucket order until it
    // answers true; true when one did.
    template <typename Visit> bool AnyOf(Visit visit) const {
        for (const std::unique_ptr<Entry>& head : buckets_)
            for (const Entry* entry = head.get(); entry != nullptr; entry = entry->next.get())
                if (visit(entry->object)) return true;
        return false;
    }
    // Empties the table and hands its entries over, bucket by bucket.
    Buckets TakeAll();

private:
    static uint32_t Bucket(uint32_t cookie) { return cookie % kBucketCount; }

    Buckets buckets_;
    uint32_t count_ = 0;
};
