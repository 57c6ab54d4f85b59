#include "winapi/internal/WinRealClock.h"

#include <thread>

#include "winapi/internal/WinCalendar.h"

int64_t WinRealClock::UtcMilliseconds() const {
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    const int64_t ms = std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count();
    return ms + WinCalendar::kDaysTo1970 * WinCalendar::kMillisecondsPerDay;
}

uint64_t WinRealClock::TickMilliseconds() const {
    const auto elapsed = std::chrono::steady_clock::now() - start_;
    return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void WinRealClock::Sleep(uint32_t milliseconds) {
    if (milliseconds == 0) {
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
