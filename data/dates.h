// Day numbers, calendar dates, today's date and the matching-date search.
#ifndef TQ_DATA_DATES_H
#define TQ_DATA_DATES_H

#include <cstdint>

using DayNumber = int32_t; // days since 1 January 1970; weekday (n + 4) mod 7, 0 = Sunday

struct CalendarDate {
    uint8_t Day;
    uint8_t Month; // 1..12; the matcher also uses 0 (January) and 13 (next January)
    int32_t Year;
};

extern CalendarDate Today;
extern DayNumber TodayNumber;
extern CalendarDate SearchDate; // the matcher's working date

constexpr int DateTextSize = 96;

// Fixes the date that RefreshToday takes instead of the clock (tests and the
// console lister); null goes back to the clock.
void SetFixedToday(const CalendarDate* date);

DayNumber RefreshToday();
DayNumber DateToDayNumber(CalendarDate date);
int DayNumberToDate(DayNumber n);
int WeekdayOf(DayNumber n);
DayNumber SearchDays(int32_t fixedDay, int32_t weekday);
DayNumber SearchMonths(int32_t month, int32_t fixedDay, int32_t weekday);
DayNumber FindMatchingDate(int32_t year, int32_t month, int32_t fixedDay, int32_t weekday);
int ComputeMatchingDate(int index);
int IsDue(int index);
const char* FormatMatchingDate(int index);

#endif
