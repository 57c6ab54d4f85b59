#pragma once
// A lock double whose lock and unlock fail as the test asks.
#include "driver/GLock.h"

class FailingLock : public GLock {
public:
    FailingLock(bool failLock, bool failUnlock) : failLock_(failLock), failUnlock_(failUnlock) {}
    int32_t Lock() override { return failLock_ ? kLockFailed : 0; }
    int32_t Unlock() override { return failUnlock_ ? kUnlockFailed : 0; }

private:
    bool failLock_;
    bool failUnlock_;
};
