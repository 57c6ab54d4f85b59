#pragma once
// Calendar arithmetic of the layer's clock: milliseconds since 1 January 1601
// (UTC, proleptic Gregorian calendar, as Windows counts) to and from
// SYSTEMTIME records.
#include <cstdint>

#include "winapi/WinTime.h"

namespace WinCalendar {
constexpr int64_t kMillisecondsPerDay = 86400000;
// Days from 1601-01-01 to 1970-01-01.
constexpr int64_t kDaysTo1970 = 134774;

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
// False when a field is out of range (the record is then not converted).
bool ToMilliseconds(const SYSTEMTIME& time, int64_t& milliseconds);
// Milliseconds at or after 1601-01-01 and before year 30828.
bool FromMilliseconds(int64_t milliseconds, SYSTEMTIME& time);
} // namespace WinCalendar
