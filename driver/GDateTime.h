#pragma once
// The date-time record of the platform services: eight 16-bit words in this
// order. Milliseconds are always 0; the day of week counts from 0 (Sunday).
#include <cstdint>

struct GDateTime {
    uint16_t year;
    uint16_t month; // 1 to 12
    uint16_t day;   // 1 to 31
    uint16_t hour;
    uint16_t minute;
    uint16_t second;
    uint16_t milliseconds;
    uint16_t dayOfWeek;
};
static_assert(sizeof(GDateTime) == 16);
