// Time calls over the host store's clock and time zone.
#include "winapi/WinKernel.h"
#include "winapi/WinTime.h"
#include "winapi/host/WinHostStore.h"
#include "winapi/internal/WinCalendar.h"

namespace {
using Lock = std::lock_guard<std::recursive_mutex>;

// Minutes to subtract from UTC for local time.
LONG CurrentBias() {
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    const WinTimeZoneSetting& zone = store.State().timeZone;
    return zone.bias + (zone.daylightInEffect ? zone.daylightBias : zone.standardBias);
}

void CopyName(const std::u16string& name, WCHAR (&out)[32]) {
    size_t n = 0;
    for (; n < name.size() && n < 31; ++n)
        out[n] = name[n];
    out[n] = 0;
}

constexpr int64_t kTicksPerMillisecond = 10000;
} // namespace

void GetSystemTime(LPSYSTEMTIME time) {
    if (time == nullptr) return;
    WinCalendar::FromMilliseconds(WinHostStore::Instance().Clock().UtcMilliseconds(), *time);
}

void GetLocalTime(LPSYSTEMTIME time) {
    if (time == nullptr) return;
    const int64_t utc = WinHostStore::Instance().Clock().UtcMilliseconds();
    WinCalendar::FromMilliseconds(utc - int64_t{CurrentBias()} * 60000, *time);
}

void GetSystemTimeAsFileTime(LPFILETIME time) {
    if (time == nullptr) return;
    const auto ticks =
        static_cast<uint64_t>(WinHostStore::Instance().Clock().UtcMilliseconds() * kTicksPerMillisecond);
    *time = FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

DWORD GetTickCount() {
    return static_cast<DWORD>(WinHostStore::Instance().Clock().TickMilliseconds());
}

DWORD GetTimeZoneInformation(LPTIME_ZONE_INFORMATION zone) {
    if (zone == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return TIME_ZONE_ID_INVALID;
    }
    WinHostStore& store = WinHostStore::Instance();
    Lock hold(store.Mutex());
    const WinTimeZoneSetting& setting = store.State().timeZone;
    *zone = TIME_ZONE_INFORMATION{};
    zone->Bias = setting.bias;
    CopyName(setting.standardName, zone->StandardName);
    zone->StandardBias = setting.standardBias;
    CopyName(setting.daylightName, zone->DaylightName);
    zone->DaylightBias = setting.daylightBias;
    if (setting.daylightName.empty()) return TIME_ZONE_ID_UNKNOWN;
    return setting.daylightInEffect ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, LPFILETIME fileTime) {
    int64_t ms = 0;
    if (systemTime == nullptr || fileTime == nullptr || !WinCalendar::ToMilliseconds(*systemTime, ms)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const auto ticks = static_cast<uint64_t>(ms * kTicksPerMillisecond);
    *fileTime = FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime) {
    if (fileTime == nullptr || systemTime == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const uint64_t ticks = (static_cast<uint64_t>(fileTime->dwHighDateTime) << 32) | fileTime->dwLowDateTime;
    if (ticks > static_cast<uint64_t>(INT64_MAX) ||
        !WinCalendar::FromMilliseconds(static_cast<int64_t>(ticks / kTicksPerMillisecond), *systemTime)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    return TRUE;
}

void Sleep(DWORD milliseconds) {
    WinHostStore::Instance().Clock().Sleep(milliseconds);
}
