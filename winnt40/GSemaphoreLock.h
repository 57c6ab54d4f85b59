#pragma once
// The lock the Windows NT platform services hand out: an unnamed semaphore
// of initial and maximum count 1. Not re-entrant: a second Lock on the same
// thread waits for ever. Unlocking a lock that is not held fails, because
// the count may not pass its maximum.
#include "driver/GLock.h"
#include "winapi/WinHandle.h"

class GSemaphoreLock : public GLock {
public:
    GSemaphoreLock();
    ~GSemaphoreLock() override;

    // ReleaseSemaphore by 1: 0, or kUnlockFailed.
    int32_t Unlock() override;
    // Waits without a time-out: 0 unless the wait fails, then kLockFailed.
    int32_t Lock() override;

private:
    WinScopedKernelObject semaphore_;
};
