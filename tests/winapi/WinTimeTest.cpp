#include <gtest/gtest.h>

#include "winapi/WinTime.h"
#include "winapi/host/WinHostStore.h"

namespace {
SYSTEMTIME Time(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second = 0, WORD ms = 0) {
    SYSTEMTIME t{};
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    t.wMinute = minute;
    t.wSecond = second;
    t.wMilliseconds = ms;
    return t;
}

void ExpectTime(const SYSTEMTIME& t, WORD year, WORD month, WORD day, WORD dayOfWeek, WORD hour,
                WORD minute) {
    EXPECT_EQ(t.wYear, year);
    EXPECT_EQ(t.wMonth, month);
    EXPECT_EQ(t.wDay, day);
    EXPECT_EQ(t.wDayOfWeek, dayOfWeek);
    EXPECT_EQ(t.wHour, hour);
    EXPECT_EQ(t.wMinute, minute);
}
} // namespace

TEST(WinTimeTest, TheFakeClockStartsAtAFixedTimeAndMovesOnlyWhenMoved) {
    SYSTEMTIME now;
    GetSystemTime(&now);
    ExpectTime(now, 2001, 1, 1, 1, 0, 0); // 1 January 2001 was a Monday
    const DWORD ticks = GetTickCount();
    Sleep(90 * 60 * 1000);
    GetSystemTime(&now);
    ExpectTime(now, 2001, 1, 1, 1, 1, 30);
    EXPECT_EQ(GetTickCount() - ticks, 90u * 60 * 1000);
}

TEST(WinTimeTest, LocalTimeIsUtcMinusTheBias) {
    WinHostStore& store = WinHostStore::Instance();
    store.UseFakeClock(Time(2001, 12, 31, 23, 45));
    WinTimeZoneSetting zone;
    zone.bias = -90; // UTC+1:30
    store.SetTimeZone(zone);
    SYSTEMTIME local;
    GetLocalTime(&local);
    ExpectTime(local, 2002, 1, 1, 2, 1, 15); // Tuesday
    zone.bias = 300;                         // UTC-5 with daylight time in effect: UTC-4
    zone.daylightName = u"Eastern Daylight Time";
    zone.daylightInEffect = true;
    store.SetTimeZone(zone);
    GetLocalTime(&local);
    ExpectTime(local, 2001, 12, 31, 1, 19, 45);
    TIME_ZONE_INFORMATION info;
    EXPECT_EQ(GetTimeZoneInformation(&info), TIME_ZONE_ID_DAYLIGHT);
    EXPECT_EQ(info.Bias, 300);
    EXPECT_EQ(info.DaylightBias, -60);
    EXPECT_EQ(std::u16string(info.DaylightName), u"Eastern Daylight Time");
}

TEST(WinTimeTest, FileTimesCountHundredNanosecondsFrom1601) {
    struct Case {
        SYSTEMTIME time;
        uint64_t ticks;
    };
    // 1601-01-01 is 0; 1970-01-01 is 134774 days on (11644473600 s);
    // 2000-02-29 12:00 is 145790.5 days on; 2001-01-01 is 400 years = 146097 days.
    const Case cases[] = {
        {Time(1601, 1, 1, 0, 0), 0},
        {Time(1970, 1, 1, 0, 0), 116444736000000000ULL},
        {Time(2000, 2, 29, 12, 0), 125962992000000000ULL},
        {Time(2001, 1, 1, 0, 0, 0, 1), 126227808000010000ULL},
    };
    for (const Case& c : cases) {
        FILETIME file;
        ASSERT_TRUE(SystemTimeToFileTime(&c.time, &file));
        EXPECT_EQ((uint64_t{file.dwHighDateTime} << 32) | file.dwLowDateTime, c.ticks);
        SYSTEMTIME back;
        ASSERT_TRUE(FileTimeToSystemTime(&file, &back));
        EXPECT_EQ(back.wYear, c.time.wYear);
        EXPECT_EQ(back.wDay, c.time.wDay);
        EXPECT_EQ(back.wMilliseconds, c.time.wMilliseconds);
    }
    const SYSTEMTIME bad = Time(2001, 2, 29, 0, 0);
    FILETIME file;
    EXPECT_FALSE(SystemTimeToFileTime(&bad, &file));
}
