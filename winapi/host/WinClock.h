#pragma once
// The clock of the host store: the real one for the host program, a fake one
// for tests. Time is counted in milliseconds: UTC since 1 January 1601 (the
// Windows epoch) and a tick count since start. The fake clock moves only by
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
