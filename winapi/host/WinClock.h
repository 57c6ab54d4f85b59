#pragma once
// The clock of the host store: a fake one unless UseRealClock is asked for.
// Tests and the host program both run on the fake clock, so that a run is
// repeatable: stamps do not drift between runs and a timed wait passes as
// soon as the clock is moved past it. Time is counted in milliseconds: UTC
// since 1 January 1601 (the Windows epoch) and a tick count since start. The fake clock moves only by
// Advance (and by Sleep, which advances it); every move wakes the layer's
// timed waits so they can see whether their time has come.
#include <cstdint>

#include "winapi/WinApi.h"

class QV_WINAPI_API WinClock {
public:
    virtual ~WinClock() = default;
    virtual bool IsFake() const = 0;
    virtual int64_t UtcMilliseconds() const = 0;
    virtual uint64_t TickMilliseconds() const = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
};
