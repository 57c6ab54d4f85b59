#include "driver/GKeepAliveClock.h"

#include "winapi/WinThread.h"

GKeepAliveClock::~GKeepAliveClock() = default;

GKeepAliveClock& GKeepAliveClock::Default() {
    static auto* clock = new GKeepAliveClock; // outlives every keep-alive thread
    return *clock;
}

DWORD GKeepAliveClock::WaitPeriod(HANDLE loaderThread, HANDLE stop, DWORD period) {
    // Without a loader thread this is a sleep that a stop cuts short.
    if (loaderThread == nullptr) return WaitForSingleObject(stop, period);
    const HANDLE objects[] = {loaderThread, stop};
    return WaitForMultipleObjects(2, objects, FALSE, period);
}
