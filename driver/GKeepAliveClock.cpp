#include "driver/GKeepAliveClock.h"

#include <new>

#include "winapi/WinThread.h"

GKeepAliveClock::~GKeepAliveClock() = default;

GKeepAliveClock& GKeepAliveClock::Default() {
    // Outlives every keep-alive thread: never destroyed, and kept in static
    // storage so that an unloaded module leaves nothing of it on the heap.
    alignas(GKeepAliveClock) static unsigned char storage[sizeof(GKeepAliveClock)];
    static auto* const clock = new (storage) GKeepAliveClock;
    return *clock;
}

DWORD GKeepAliveClock::WaitPeriod(HANDLE loaderThread, HANDLE stop, DWORD period) {
    // Without a loader thread this is a sleep that a stop cuts short.
    if (loaderThread == nullptr) return WaitForSingleObject(stop, period);
    const HANDLE objects[] = {loaderThread, stop};
    return WaitForMultipleObjects(2, objects, FALSE, period);
}
