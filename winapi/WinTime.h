#pragma once
// Time of the platform layer. Every time the module sees comes from the host
// store's clock (winapi/host/WinHostStore.h): the real clock in the host program,
// a fake clock in tests, which moves only when a test moves it or calls Sleep.
// The time zone (bias in minutes, UTC = local time + bias) is the store's too.
#include "winapi/WinApi.h"
#include "winapi/WinTypes.h"

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek; // 0 = Sunday
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
using LPSYSTEMTIME = SYSTEMTIME*;
static_assert(sizeof(SYSTEMTIME) == 16);

struct TIME_ZONE_INFORMATION {
    LONG Bias;
    WCHAR StandardName[32];
    SYSTEMTIME StandardDate;
    LONG StandardBias;
    WCHAR DaylightName[32];
    SYSTEMTIME DaylightDate;
    LONG DaylightBias;
};
using LPTIME_ZONE_INFORMATION = TIME_ZONE_INFORMATION*;
static_assert(sizeof(TIME_ZONE_INFORMATION) == 172);

constexpr DWORD TIME_ZONE_ID_UNKNOWN = 0;
constexpr DWORD TIME_ZONE_ID_STANDARD = 1;
constexpr DWORD TIME_ZONE_ID_DAYLIGHT = 2;
constexpr DWORD TIME_ZONE_ID_INVALID = 0xFFFFFFFF;

QV_WINAPI_API void GetLocalTime(LPSYSTEMTIME time);
QV_WINAPI_API void GetSystemTime(LPSYSTEMTIME time);
QV_WINAPI_API void GetSystemTimeAsFileTime(LPFILETIME time);
QV_WINAPI_API DWORD GetTickCount();
QV_WINAPI_API DWORD GetTimeZoneInformation(LPTIME_ZONE_INFORMATION zone);
QV_WINAPI_API BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, LPFILETIME fileTime);
QV_WINAPI_API BOOL FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime);

// Under the fake clock Sleep moves the clock on and returns at once (waking
// timed waits whose time has come); under the real clock it sleeps.
QV_WINAPI_API void Sleep(DWORD milliseconds);
