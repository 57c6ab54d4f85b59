#include "rw/RWRefCounted.h"

void RWRefCounted::AddReference(uint32_t& count, RWLazyCriticalSection&) {
    std::atomic_ref<uint32_t>(count).fetch_add(1, std::memory_order_relaxed);
}

uint32_t RWRefCounted::RemoveReference(uint32_t& count, RWLazyCriticalSection&) {
    // acq_rel: the releasing thread's writes are visible to the one that frees.
    return std::atomic_ref<uint32_t>(count).fetch_sub(1, std::memory_order_acq_rel);
}
