#pragma once
// The lock each source file keeps for the reference counts it changes.
//
// It is constant-initialised: ready before any static initialiser or thread
// can use it, with no first-use race, and never torn down, so objects that
// static destructors release late still find a working lock.
#include "winapi/WinKernel.h"

struct RWLazyCriticalSection {
    CRITICAL_SECTION section = QV_CRITICAL_SECTION_INIT;
    uint32_t initialised = 1;

    void Enter() { EnterCriticalSection(&section); }
    void Leave() { LeaveCriticalSection(&section); }
};

// Holds a lazy critical section for the lifetime of a scope.
class RWLazyLockGuard {
public:
    explicit RWLazyLockGuard(RWLazyCriticalSection& lock) : lock_(lock) { lock_.Enter(); }
    ~RWLazyLockGuard() { lock_.Leave(); }
    RWLazyLockGuard(const RWLazyLockGuard&) = delete;
    RWLazyLockGuard& operator=(const RWLazyLockGuard&) = delete;

private:
    RWLazyCriticalSection& lock_;
};
