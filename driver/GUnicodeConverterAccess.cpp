#include "driver/GUnicodeConverterAccess.h"

#include <memory>

#include "driver/GLock.h"
#include "driver/GOSFactory.h"
#include "driver/GUnicodeConverter.h"
#include "driver/ReportCriticalError.h"

GUnicodeConverterAccess::~GUnicodeConverterAccess() {
    delete converter_.exchange(nullptr, std::memory_order_acq_rel);
    delete std::atomic_ref<GLock*>(lock_).exchange(nullptr, std::memory_order_acq_rel);
}

GUnicodeConverter* GUnicodeConverterAccess::Get(GOSFactory* factory) {
    if (GUnicodeConverter* converter = converter_.load(std::memory_order_acquire)) return converter;
    if (factory == nullptr) return nullptr;

    factory->CreateSharedLock(&lock_);
    GLock* lock = std::atomic_ref<GLock*>(lock_).load(std::memory_order_acquire);
    if (lock != nullptr && lock->Lock() != 0) {
        ReportCriticalError(2, kCriticalLockFailed, kSourceName, __LINE__, "converter lock");
        return nullptr;
    }
    GUnicodeConverter* converter = Create(factory);
    if (lock != nullptr && lock->Unlock() != 0) {
        ReportCriticalError(2, kCriticalUnlockFailed, kSourceName, __LINE__, "converter lock");
    }
    return converter;
}

GUnicodeConverter* GUnicodeConverterAccess::Create(GOSFactory* factory) {
    GUnicodeConverter* existing = converter_.load(std::memory_order_acquire);
    if (existing != nullptr) return existing;
    std::unique_ptr<GUnicodeConverter> made = factory->CreateUnicodeConverter();
    if (made == nullptr) return nullptr;
    // Under the lock nobody else publishes; without one (none could be made)
    // the exchange keeps the first converter and drops a racing second one.
    if (converter_.compare_exchange_strong(existing, made.get(), std::memory_order_acq_rel,
                                           std::memory_order_acquire)) {
        return made.release();
    }
    return existing;
}
