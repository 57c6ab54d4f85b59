#pragma once
// How the keep-alive thread waits out one period. The default waits with the
// platform layer's calls, which count time on the layer's clock (a test's
// fake clock moves only when the test moves it); a test may put its own in
// place to step the thread period by period.
#include "winapi/WinTypes.h"

class GKeepAliveClock {
public:
    GKeepAliveClock() = default;
    GKeepAliveClock(const GKeepAliveClock&) = delete;
    GKeepAliveClock& operator=(const GKeepAliveClock&) = delete;
    virtual ~GKeepAliveClock();

    // The clock of every keep-alive object not given another.
    static GKeepAliveClock& Default();

    // Waits period milliseconds. WAIT_TIMEOUT when the period passed; any
    // other answer when loaderThread (null: none to watch) ended, stop was
    // signalled, or the wait failed.
    virtual DWORD WaitPeriod(HANDLE loaderThread, HANDLE stop, DWORD period);
};
