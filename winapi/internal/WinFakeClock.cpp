#include "winapi/internal/WinFakeClock.h"

#include "winapi/host/WinHostStore.h"

int64_t WinFakeClock::UtcMilliseconds() const {
    std::lock_guard<std::recursive_mutex> hold(store_.Mutex());
    return store_.State().fakeUtcMilliseconds;
}

uint64_t WinFakeClock::TickMilliseconds() const {
    std::lock_guard<std::recursive_mutex> hold(store_.Mutex());
    return store_.State().fakeTickMilliseconds;
}

void WinFakeClock::Sleep(uint32_t milliseconds) {
    store_.AdvanceClock(milliseconds);
}
