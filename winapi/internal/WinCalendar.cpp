#include "winapi/internal/WinCalendar.h"

namespace {
// Days since 1601-01-01 of a civil date, and back (era-based day counting).
int64_t DaysFromCivil(int64_t year, int64_t month, int64_t day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const int64_t daysSince0000 = era * 146097 + dayOfEra; // from 0000-03-01
    return daysSince0000 - 584694;                         // 1601-01-01 is day 584694
}

void CivilFromDays(int64_t days, int64_t& year, int64_t& month, int64_t& day) {
    days += 584694;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * shiftedMonth + 2) / 5 + 1;
    month = shiftedMonth + (shiftedMonth < 10 ? 3 : -9);
    year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}
} // namespace

namespace WinCalendar {

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool ToMilliseconds(const SYSTEMTIME& time, int64_t& milliseconds) {
    if (time.wYear < 1601 || time.wYear > 30827 || time.wMonth < 1 || time.wMonth > 12 || time.wDay < 1 ||
        time.wDay > DaysInMonth(time.wYear, time.wMonth) || time.wHour > 23 || time.wMinute > 59 ||
        time.wSecond > 59 || time.wMilliseconds > 999)
        return false;
    const int64_t days = DaysFromCivil(time.wYear, time.wMonth, time.wDay);
    milliseconds = days * kMillisecondsPerDay +
                   ((time.wHour * 60 + time.wMinute) * 60 + time.wSecond) * 1000LL + time.wMilliseconds;
    return true;
}

bool FromMilliseconds(int64_t milliseconds, SYSTEMTIME& time) {
    if (milliseconds < 0) return false;
    const int64_t days = milliseconds / kMillisecondsPerDay;
    int64_t rest = milliseconds % kMillisecondsPerDay;
    int64_t year = 0, month = 0, day = 0;
    CivilFromDays(days, year, month, day);
    if (year > 30827) return false;
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wDayOfWeek = static_cast<WORD>((days + 1) % 7); // 1601-01-01 was a Monday
    time.wMilliseconds = static_cast<WORD>(rest % 1000);
    rest /= 1000;
    time.wSecond = static_cast<WORD>(rest % 60);
    rest /= 60;
    time.wMinute = static_cast<WORD>(rest % 60);
    time.wHour = static_cast<WORD>(rest / 60);
    return true;
}

} // namespace WinCalendar
