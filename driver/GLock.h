#pragma once
// The lock the platform services hand out (GOSFactory::CreateLock). Callers
// report a failed Lock as critical error 301 and a failed Unlock as 302.
#include <cstdint>

class GLock {
public:
    static constexpr int32_t kLockFailed = -1;
    static constexpr int32_t kUnlockFailed = -2;

    virtual ~GLock() = default;
    // 0, or kUnlockFailed.
    virtual int32_t Unlock() = 0;
    // Waits without a time-out: 0, or kLockFailed.
    virtual int32_t Lock() = 0;

protected:
    GLock() = default;
    GLock(const GLock&) = delete;
    GLock& operator=(const GLock&) = delete;
};
