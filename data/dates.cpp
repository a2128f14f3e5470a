#include "data/dates.h"

#include <cstdio>

#include "data/entry.h"
#include "data/platform.h"
#include "resources/ids.h"

CalendarDate Today;
DayNumber TodayNumber;
CalendarDate SearchDate;

static char DateText[DateTextSize];
static CalendarDate FixedToday;
static bool TodayIsFixed;

// Warning window of the entry being matched.
static int32_t MatchBefore;
static int32_t MatchAfter;

static const int MonthLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// All arithmetic below is done in 64 bits: a hand-edited year near the
// limits of a 32-bit integer must give some day number, never an overflow.
static int64_t FloorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    if (a % b != 0 && (a < 0) != (b < 0))
        --q;
    return q;
}

// Days from 1 January 1970 to 1 January of year y; every fourth year is a
// leap year, which is exact from 1970 through 2099.
static int64_t DaysBeforeYear(int64_t y)
{
    // FloorDiv(y + 3, 4) counts the multiples of 4 below y.
    return 365 * (y - 1970) + FloorDiv(y + 3, 4) - FloorDiv(1970 + 3, 4);
}

static bool IsLeapYear(int64_t y)
{
    return y % 4 == 0;
}

// Linear in all three fields: month 0 reads as January, month 13 as January
// of the next year (any month beyond 12 goes on into later years, so no
// month value reads outside the month-length table), and a day beyond the
// month's length runs on into the following months.
// The sums of the month-length table before each month of a common year.
static const int16_t DaysBeforeMonth[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

static int64_t DayCount(int64_t day, int64_t month, int64_t year)
{
    int64_t days = DaysBeforeYear(year);
    if (month > 1) {
        int64_t laterYears = (month - 1) / 12;
        int64_t monthInYear = (month - 1) % 12 + 1;
        year += laterYears;
        days = DaysBeforeYear(year) + DaysBeforeMonth[monthInYear - 1];
        if (monthInYear > 2 && IsLeapYear(year))
            ++days;
    }
    return days + day - 1;
}

static int64_t WeekdayOfCount(int64_t n)
{
    return ((n + 4) % 7 + 7) % 7;
}

void SetFixedToday(const CalendarDate* date)
{
    TodayIsFixed = date != nullptr;
    if (date)
        FixedToday = *date;
}

DayNumber RefreshToday()
{
    Today = TodayIsFixed ? FixedToday : ReadLocalDate();
    TodayNumber = DateToDayNumber(Today);
    return TodayNumber;
}

DayNumber DateToDayNumber(CalendarDate date)
{
    return DayNumber(DayCount(date.Day, date.Month, date.Year));
}

int WeekdayOf(DayNumber n)
{
    return int(WeekdayOfCount(n));
}

int DayNumberToDate(DayNumber n)
{
    // Four-year cycles of 1461 days from 1 January 1968, a leap year.
    int64_t sinceCycleStart = int64_t(n) + 731;
    int64_t cycle = FloorDiv(sinceCycleStart, 1461);
    int64_t dayOfCycle = sinceCycleStart - cycle * 1461;
    int64_t year = 1968 + 4 * cycle;
    if (dayOfCycle >= 366) {
        dayOfCycle -= 366;
        year += 1 + dayOfCycle / 365;
        dayOfCycle %= 365;
    }
    int month = 1;
    for (; month < 12; ++month) {
        int length = MonthLength[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
        if (dayOfCycle < length)
            break;
        dayOfCycle -= length;
    }
    SearchDate.Day = uint8_t(dayOfCycle + 1);
    SearchDate.Month = uint8_t(month);
    SearchDate.Year = int32_t(year);
    return WeekdayOf(n);
}

DayNumber SearchDays(int32_t fixedDay, int32_t weekday)
{
    if (fixedDay != 0) {
        SearchDate.Day = uint8_t(fixedDay);
        return DateToDayNumber(SearchDate);
    }
    int month = SearchDate.Month;
    int64_t year = SearchDate.Year;
    SearchDate.Day = 1;
    // Month 0 and month 13 (and anything beyond) have an empty scan range.
    if (month < 1 || month > 12)
        return 0;
    int64_t start = DayCount(1, month, year);
    int64_t end = DayCount(1, month + 1, year); // month 13 is January of year + 1
    int64_t today = TodayNumber;
    int64_t result = 0;
    for (int64_t i = start; i < end; ++i) {
        SearchDate.Day = uint8_t(i - start + 1);
        if (weekday != -1 && WeekdayOfCount(i) != weekday)
            continue;
        if (i - MatchBefore <= today && today <= i + MatchAfter)
            return DayNumber(i);
        if (result < today)
            result = i;
    }
    return DayNumber(result);
}

// A probe is taken when its result is not over yet: today lies no later
// than its last day of showing.  Only the After side counts.
static bool NotOver(DayNumber r)
{
    return int64_t(r) + MatchAfter >= TodayNumber;
}

DayNumber SearchMonths(int32_t month, int32_t fixedDay, int32_t weekday)
{
    if (month != 0) {
        SearchDate.Month = uint8_t(month);
        return SearchDays(fixedDay, weekday);
    }
    SearchDate.Month = uint8_t(Today.Month - 1);
    DayNumber r = SearchDays(fixedDay, weekday);
    if (NotOver(r))
        return r;
    SearchDate.Month = uint8_t(SearchDate.Month + 1);
    r = SearchDays(fixedDay, weekday);
    if (NotOver(r))
        return r;
    SearchDate.Month = uint8_t(SearchDate.Month + 1);
    return SearchDays(fixedDay, weekday);
}

DayNumber FindMatchingDate(int32_t year, int32_t month, int32_t fixedDay, int32_t weekday)
{
    if (year != 0) {
        SearchDate.Year = year;
        return SearchMonths(month, fixedDay, weekday);
    }
    SearchDate.Year = Today.Year - 1;
    DayNumber r = SearchMonths(month == 0 ? 12 : month, fixedDay, weekday);
    if (NotOver(r))
        return r;
    SearchDate.Year = Today.Year;
    r = SearchMonths(month, fixedDay, weekday);
    if (NotOver(r))
        return r;
    SearchDate.Year = Today.Year + 1;
    return SearchMonths(month == 0 ? 1 : month, fixedDay, weekday);
}

int ComputeMatchingDate(int index)
{
    ReminderEntry& entry = EntryTable.Slots[index];
    ClampDays(entry.Before);
    ClampDays(entry.After);
    MatchBefore = entry.Before;
    MatchAfter = entry.After;
    // A weekday below -8 gives a filter no day matches; -8 gives -1, every day.
    int32_t weekday = entry.Day < 0 ? entry.Day + 7 : -1;
    int32_t fixedDay = entry.Day > 0 ? entry.Day : 0;
    entry.MatchingDate = FindMatchingDate(entry.Year, entry.Month, fixedDay, weekday);
    return DayNumberToDate(entry.MatchingDate);
}

int IsDue(int index)
{
    const ReminderEntry& entry = EntryTable.Slots[index];
    int64_t date = entry.MatchingDate;
    return entry.Active != 0 && entry.Skip != entry.MatchingDate && date - entry.Before <= TodayNumber &&
           TodayNumber <= date + entry.After;
}

const char* FormatMatchingDate(int index)
{
    int weekday = ComputeMatchingDate(index);
    const ReminderEntry& entry = EntryTable.Slots[index];
    // A search over every month of a bound year, scanning its days, that
    // found nothing gives day 0; such an entry is never due, so it reads
    // "(Never)" on every day, also before the 25th.  Any other day 0 is the
    // real 1 January 1970 and shows as a date.
    bool notFound = entry.MatchingDate == 0 && entry.Year != 0 && entry.Month == 0 && entry.Day <= 0;
    bool never = notFound ||
                 (entry.Year != 0 && (entry.Month != 0 || Today.Month == 12) && (entry.Day > 0 || Today.Day > 24) &&
                  int64_t(entry.MatchingDate) + entry.After < TodayNumber);
    if (never) {
        LoadTextInto(IDS_NEVER, DateText, SHORT_TEXT_SIZE);
        return DateText;
    }
    char weekdayName[SHORT_TEXT_SIZE];
    char monthName[SHORT_TEXT_SIZE];
    LoadTextInto(IDS_WEEKDAY_FIRST + weekday, weekdayName, sizeof weekdayName);
    LoadTextInto(IDS_ALL_MONTHS + SearchDate.Month, monthName, sizeof monthName);
    std::snprintf(DateText, sizeof DateText, "%s %s %d, %d", weekdayName, monthName, int(SearchDate.Day),
                  int(SearchDate.Year));
    return DateText;
}
