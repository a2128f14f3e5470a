#include <string>

#include "data/dates.h"
#include "data/entry.h"
#include "table_fixture.h"

namespace {

struct MatchCase {
    CalendarDate Today;
    int32_t Day, Month, Year, Before, After;
    CalendarDate Matching; // Year 0: day number 0
    bool Due;
    const char* Text;
};

const MatchCase MatchCases[] = {
    {Date(2026, 6, 10), 0, 0, 0, 0, 0, Date(2026, 6, 10), true, "Wednesday June 10, 2026"},
    {Date(2026, 6, 10), 0, 0, 0, 0, 2, Date(2026, 6, 8), true, "Monday June 8, 2026"},
    {Date(2026, 6, 1), 0, 0, 0, 0, 2, Date(2026, 5, 30), true, "Saturday May 30, 2026"},
    {Date(2026, 6, 10), -6, 0, 0, 0, 0, Date(2026, 6, 15), false, "Monday June 15, 2026"},
    {Date(2026, 6, 10), -6, 0, 0, 5, 0, Date(2026, 6, 15), true, "Monday June 15, 2026"},
    {Date(2026, 6, 10), -6, 0, 0, 0, 2, Date(2026, 6, 8), true, "Monday June 8, 2026"},
    {Date(2026, 6, 10), 25, 12, 0, 3, 0, Date(2026, 12, 25), false, "Friday December 25, 2026"},
    {Date(2026, 12, 23), 25, 12, 0, 3, 0, Date(2026, 12, 25), true, "Friday December 25, 2026"},
    {Date(2026, 6, 10), 20, 6, 0, 12, 0, Date(2026, 6, 20), false, "Saturday June 20, 2026"},
    {Date(2026, 4, 20), 31, 0, 0, 0, 0, Date(2026, 5, 1), false, "Friday May 1, 2026"},
    {Date(2026, 5, 1), 31, 0, 0, 0, 0, Date(2026, 5, 1), true, "Friday May 1, 2026"},
    {Date(2026, 2, 10), 30, 2, 0, 0, 0, Date(2026, 3, 2), false, "Monday March 2, 2026"},
    {Date(2028, 2, 10), 30, 2, 0, 0, 0, Date(2028, 3, 1), false, "Wednesday March 1, 2028"},
    {Date(2026, 6, 29), 1, 0, 0, 3, 0, Date(2026, 7, 1), true, "Wednesday July 1, 2026"},
    {Date(2026, 12, 30), 2, 1, 0, 5, 0, Date(2027, 1, 2), true, "Saturday January 2, 2027"},
    {Date(2027, 1, 5), 31, 0, 0, 0, 9, Date(2026, 12, 31), true, "Thursday December 31, 2026"},
    {Date(2027, 1, 5), 31, 0, 0, 0, 0, Date(2027, 1, 31), false, "Sunday January 31, 2027"},
    {Date(2027, 1, 4), -2, 0, 0, 0, 3, Date(2027, 1, 1), true, "Friday January 1, 2027"},
    {Date(2026, 12, 29), -6, 0, 0, 0, 0, Date(2027, 1, 4), false, "Monday January 4, 2027"},
    {Date(2026, 1, 2), -1, 0, 2026, 0, 0, Date(2026, 1, 3), false, "Saturday January 3, 2026"},
    {Date(2026, 6, 10), 14, 2, 2027, 0, 0, Date(2027, 2, 14), false, "Sunday February 14, 2027"},
    {Date(2026, 6, 10), 1, 3, 2025, 0, 0, Date(2025, 3, 1), false, "(Never)"},
    {Date(2026, 6, 10), -6, 3, 2025, 0, 0, Date(2025, 3, 31), false, "Monday March 31, 2025"},
    {Date(2026, 6, 26), -6, 3, 2025, 0, 0, Date(2025, 3, 31), false, "(Never)"},
    {Date(2026, 6, 10), -6, 6, 2026, 0, 0, Date(2026, 6, 15), false, "Monday June 15, 2026"},
    {Date(2026, 6, 30), -6, 6, 2026, 0, 0, Date(2026, 6, 29), false, "(Never)"},
    {Date(2026, 6, 10), 0, 0, 2025, 0, 0, Date(2025, 7, 31), false, "Thursday July 31, 2025"},
    {Date(2026, 12, 20), 5, 0, 2026, 0, 0, Date(2027, 1, 5), false, "Tuesday January 5, 2027"},
    {Date(2026, 12, 29), -6, 0, 2026, 0, 0, Date(1970, 1, 1), false, "(Never)"},
};

void PrintTo(const MatchCase& c, std::ostream* out)
{
    *out << "today " << c.Today.Year << "-" << int(c.Today.Month) << "-" << int(c.Today.Day) << ", pattern " << c.Day
         << "/" << c.Month << "/" << c.Year << ", window " << c.Before << "/" << c.After;
}

class MatchTest : public TableTest, public ::testing::WithParamInterface<MatchCase> {};

TEST_P(MatchTest, MatchingDateDueAndText)
{
    const MatchCase& c = GetParam();
    SetToday(c.Today.Year, c.Today.Month, c.Today.Day);
    int index = AddEntry(c.Day, c.Month, c.Year, c.Before, c.After);
    ComputeMatchingDate(index);
    EXPECT_EQ(EntryTable.Slots[index].MatchingDate, DateToDayNumber(c.Matching));
    EXPECT_EQ(IsDue(index), c.Due ? 1 : 0);
    EXPECT_STREQ(FormatMatchingDate(index), c.Text);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, MatchTest, ::testing::ValuesIn(MatchCases),
                         [](const ::testing::TestParamInfo<MatchCase>& info) {
                             return "Row" + std::to_string(info.index + 1);
                         });

TEST_F(TableTest, SkipAndInactiveAreNotDueButKeepTheirText)
{
    SetToday(2026, 6, 10);
    int skipped = AddEntry(0, 0, 0);
    EntryTable.Slots[skipped].Skip = 20614;
    int inactive = AddEntry(0, 0, 0);
    EntryTable.Slots[inactive].Active = 0;
    int other = AddEntry(0, 0, 0);
    EntryTable.Slots[other].Skip = 20613; // an older mark no longer matches
    for (int index : {skipped, inactive, other})
        EXPECT_STREQ(FormatMatchingDate(index), "Wednesday June 10, 2026");
    EXPECT_EQ(IsDue(skipped), 0);
    EXPECT_EQ(IsDue(inactive), 0);
    EXPECT_EQ(IsDue(other), 1);
}

TEST_F(TableTest, FormatClampsTheWarningDaysInTheEntry)
{
    SetToday(2026, 6, 10);
    int index = AddEntry(20, 6, 0, 12, -3);
    FormatMatchingDate(index);
    EXPECT_EQ(EntryTable.Slots[index].Before, 9);
    EXPECT_EQ(EntryTable.Slots[index].After, 0);
}

TEST_F(TableTest, EarlierYearInEarlyDecemberReadsNever)
{
    // Every month of an earlier year with a scanned day finds nothing that
    // is not over: day number 0, never due, and "(Never)" also before the 25th.
    for (int day : {1, 10, 24, 25, 31}) {
        SetToday(2026, 12, day);
        int index = AddEntry(0, 0, 2025);
        EXPECT_STREQ(FormatMatchingDate(index), "(Never)") << day;
        EXPECT_EQ(EntryTable.Slots[index].MatchingDate, 0);
        EXPECT_EQ(IsDue(index), 0);
    }
}

TEST_F(TableTest, TheFirstOfJanuary1970IsADateLikeAnyOther)
{
    // Day number 0 that a search really found is shown as its date.
    SetToday(1970, 1, 1);
    struct {
        int32_t Day, Month, Year;
    } patterns[] = {{0, 0, 0}, {1, 1, 0}, {1, 1, 1970}, {-3, 0, 0}, {0, 1, 1970}};
    for (auto& p : patterns) {
        int index = AddEntry(p.Day, p.Month, p.Year);
        EXPECT_STREQ(FormatMatchingDate(index), "Thursday January 1, 1970") << p.Day << " " << p.Month << " " << p.Year;
        EXPECT_EQ(EntryTable.Slots[index].MatchingDate, 0);
    }
}

TEST(DayNumbers, KnownDays)
{
    EXPECT_EQ(DateToDayNumber(Date(1970, 1, 1)), 0);
    EXPECT_EQ(DateToDayNumber(Date(2026, 6, 10)), 20614);
    EXPECT_EQ(DateToDayNumber(Date(2026, 12, 25)), 20812);
    EXPECT_EQ(DateToDayNumber(Date(2027, 1, 1)), 20819);
    EXPECT_EQ(WeekdayOf(0), 4);
    EXPECT_EQ(WeekdayOf(20614), 3);
}

TEST(DayNumbers, RoundTripOverTheServedRange)
{
    DayNumber expected = 0;
    int weekday = 4;
    for (int year = 1970; year <= 2099; ++year) {
        for (int month = 1; month <= 12; ++month) {
            static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
            int length = lengths[month - 1] + (month == 2 && year % 4 == 0);
            for (int day = 1; day <= length; ++day) {
                CalendarDate date = Date(year, month, day);
                ASSERT_EQ(DateToDayNumber(date), expected) << year << "-" << month << "-" << day;
                ASSERT_EQ(DayNumberToDate(expected), weekday);
                ASSERT_EQ(SearchDate.Year, year);
                ASSERT_EQ(SearchDate.Month, month);
                ASSERT_EQ(SearchDate.Day, day);
                ++expected;
                weekday = (weekday + 1) % 7;
            }
        }
    }
    EXPECT_EQ(expected, DateToDayNumber(Date(2100, 1, 1)));
}

struct ReadingCase {
    CalendarDate Given;
    CalendarDate Means;
};

TEST(DayNumbers, OutOfRangeFieldsReadLinearly)
{
    const ReadingCase cases[] = {
        {Date(2026, 0, 15), Date(2026, 1, 15)},   // month 0 is January of the same year
        {Date(2026, 13, 4), Date(2027, 1, 4)},    // month 13 is January of the next year
        {Date(2026, 4, 31), Date(2026, 5, 1)},    // day overflow runs into the next month
        {Date(2026, 2, 30), Date(2026, 3, 2)},
        {Date(2028, 2, 30), Date(2028, 3, 1)},
        {Date(2026, 3, 0), Date(2026, 2, 28)},    // day 0 is the last day of the month before
        {Date(2028, 3, 0), Date(2028, 2, 29)},
        {Date(2026, 1, 0), Date(2025, 12, 31)},
        {Date(2026, 12, 32), Date(2027, 1, 1)},
    };
    for (const ReadingCase& c : cases)
        EXPECT_EQ(DateToDayNumber(c.Given), DateToDayNumber(c.Means))
            << int(c.Given.Year) << "-" << int(c.Given.Month) << "-" << int(c.Given.Day);
}

TEST_F(TableTest, HandEditedValuesStayInBounds)
{
    // Values only a hand edit can hold: any answer will do, but nothing may
    // read outside a table or overflow (the sanitizers watch this test).
    SetToday(2026, 12, 31);
    const int32_t days[] = {-2147483647 - 1, -9, -8, 0, 32, 255, 256, 2147483647};
    const int32_t months[] = {-2147483647 - 1, -1, 0, 13, 14, 200, 255, 256, 2147483647};
    const int32_t years[] = {-2147483647 - 1, -1, 0, 1, 1969, 2100, 9999, 2147483647};
    const int32_t windows[] = {-2147483647 - 1, 5, 2147483647};
    for (int32_t day : days)
        for (int32_t month : months)
            for (int32_t year : years)
                for (int32_t window : windows) {
                    int index = AddEntry(day, month, year, window, window);
                    std::string text = FormatMatchingDate(index);
                    EXPECT_FALSE(text.empty());
                    IsDue(index);
                    ReleaseEntryTable();
                }
    for (DayNumber n : {-2147483647 - 1, -1, 2147483647})
        DayNumberToDate(n);
}

TEST_F(TableTest, WeekdayFilterBelowMinusEightMatchesNoDay)
{
    SetToday(2026, 6, 10);
    int none = AddEntry(-9, 6, 2026);
    ComputeMatchingDate(none);
    EXPECT_EQ(EntryTable.Slots[none].MatchingDate, 0);
    int every = AddEntry(-8, 6, 2026);
    ComputeMatchingDate(every);
    EXPECT_EQ(EntryTable.Slots[every].MatchingDate, 20614);
}

} // namespace
