#pragma once
// The cell behind GetUnicodeConverter: the one converter of the process,
// made by the platform services on first use and never replaced. Once it
// exists it is read without a lock (an acquire load that pairs with the
// release store of its creation); the first creation runs under a lock of
// the platform services, and a creation that finds no lock still publishes
// only one converter. While the platform services make none, every call
// tries again and answers null.
#include <atomic>

class GLock;
class GOSFactory;
class GUnicodeConverter;

class GUnicodeConverterAccess {
public:
    // The source name of the critical-error reports (lock failures 301, 302).
    static constexpr const char* kSourceName = "unicode";

    GUnicodeConverterAccess() = default;
    GUnicodeConverterAccess(const GUnicodeConverterAccess&) = delete;
    GUnicodeConverterAccess& operator=(const GUnicodeConverterAccess&) = delete;
    // Deletes the converter and the creation lock.
    ~GUnicodeConverterAccess();

    // The converter, made by factory when there is none yet; null when the
    // factory (or a null factory) makes none, or the lock could not be taken.
    // The caller does not own it.
    GUnicodeConverter* Get(GOSFactory* factory);

private:
    GUnicodeConverter* Create(GOSFactory* factory);

    std::atomic<GUnicodeConverter*> converter_{nullptr};
    GLock* lock_ = nullptr; // filled once by GOSFactory::CreateSharedLock
};
