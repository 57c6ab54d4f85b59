#pragma once
// The tests' clock: its time is the host store's (fakeUtcMilliseconds,
// fakeTickMilliseconds) and moves only when advanced; Sleep advances it.
#include "winapi/host/WinClock.h"

class WinHostStore;

class WinFakeClock : public WinClock {
public:
    explicit WinFakeClock(WinHostStore& store) : store_(store) {}
    bool IsFake() const override { return true; }
    int64_t UtcMilliseconds() const override;
    uint64_t TickMilliseconds() const override;
    void Sleep(uint32_t milliseconds) override;

private:
    WinHostStore& store_;
};
