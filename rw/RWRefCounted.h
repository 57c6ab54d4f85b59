#pragma once
// Reference counts hold the number of references beyond the first: 0 means
// one owner. The lock names the kind of object the count belongs to; the
// change itself is a single atomic operation, so no lock is taken on this
// hot path and counts never tear between threads.
#include <atomic>
#include <cstdint>

#include "rw/RWLazyCriticalSection.h"

class RWRefCounted {
public:
    static void AddReference(uint32_t& count, RWLazyCriticalSection& lock);
    // Returns the count before the decrement: 0 means the caller held the
    // last reference and must free the object.
    static uint32_t RemoveReference(uint32_t& count, RWLazyCriticalSection& lock);
};
