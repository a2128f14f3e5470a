// A test fixture that owns the entry table and a fixed "today".
#ifndef TQ_TESTS_TABLE_FIXTURE_H
#define TQ_TESTS_TABLE_FIXTURE_H

#include <gtest/gtest.h>

#include <cstring>

#include "data/dates.h"
#include "data/entry.h"

inline CalendarDate Date(int year, int month, int day)
{
    CalendarDate date;
    date.Day = uint8_t(day);
    date.Month = uint8_t(month);
    date.Year = year;
    return date;
}

class TableTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        ReleaseEntryTable();
        EntryTable.LoadedCount = 0;
        SetFixedToday(nullptr);
    }

    static void SetToday(int year, int month, int day)
    {
        CalendarDate date = Date(year, month, day);
        SetFixedToday(&date);
        RefreshToday();
    }

    // Appends an entry with the given pattern, switched on, and returns its index.
    static int AddEntry(int32_t day, int32_t month, int32_t year, int32_t before = 0, int32_t after = 0)
    {
        if (EntryTable.Count == EntryTable.Capacity)
            GrowEntryTable(0);
        ReminderEntry& entry = EntryTable.Slots[EntryTable.Count];
        std::memset(&entry, 0, sizeof entry);
        entry.Day = day;
        entry.Month = month;
        entry.Year = year;
        entry.Before = before;
        entry.After = after;
        entry.Active = 1;
        return EntryTable.Count++;
    }
};

#endif
