#include "winnt40/GSemaphoreLock.h"

GSemaphoreLock::GSemaphoreLock() : semaphore_(CreateSemaphoreW(nullptr, 1, 1, nullptr)) {}

GSemaphoreLock::~GSemaphoreLock() = default;

int32_t GSemaphoreLock::Unlock() {
    return ReleaseSemaphore(semaphore_.Get(), 1, nullptr) ? 0 : kUnlockFailed;
}

int32_t GSemaphoreLock::Lock() {
    return WaitForSingleObject(semaphore_.Get(), INFINITE) == WAIT_FAILED ? kLockFailed : 0;
}
