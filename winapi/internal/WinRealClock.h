#pragma once
// The host program's clock: the system's time and a monotonic tick count.
#include <chrono>

#include "winapi/host/WinClock.h"

class WinRealClock : public WinClock {
public:
    WinRealClock() : start_(std::chrono::steady_clock::now()) {}
    bool IsFake() const override { return false; }
    int64_t UtcMilliseconds() const override;
    uint64_t TickMilliseconds() const override;
    void Sleep(uint32_t milliseconds) override;

private:
    std::chrono::steady_clock::time_point start_;
};
