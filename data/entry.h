// The reminder entry record, the one entry table, and the repeat-time code.
#ifndef TQ_DATA_ENTRY_H
#define TQ_DATA_ENTRY_H

#include <cstddef>
#include <cstdint>

// The settings file holds at most this many entries.  A larger "Entries"
// value is treated like one that cannot be allocated: the program ends with
// "Not enough memory" instead of trying to claim gigabytes.  100,000 entries
// take about 28 MiB, far beyond any hand-kept list of reminders.
constexpr int32_t MaxEntries = 100000;

constexpr int MessageSize = 256; // 255 characters and the terminator

struct ReminderEntry {
    int32_t Day;          // 0 every day, -7..-1 Sunday..Saturday, 1..31 day of month
    int32_t Month;        // 0 every month, 1..12
    int32_t Year;         // 0 every year, else the full year
    int32_t Before;       // warning days before the matching date, 0..9
    int32_t After;        // days shown after the matching date, 0..9
    int32_t Skip;         // day number of the skipped matching date, 0 none
    int32_t MatchingDate; // worked out, never stored
    int32_t Again;        // repeat time code, 0 none
    int32_t Active;       // 0 switched off
    char Message[MessageSize];
};

static_assert(sizeof(ReminderEntry) == 9 * 4 + MessageSize, "entry is a fixed-size record");
static_assert(offsetof(ReminderEntry, Day) == 0);
static_assert(offsetof(ReminderEntry, Month) == 4);
static_assert(offsetof(ReminderEntry, Year) == 8);
static_assert(offsetof(ReminderEntry, Before) == 12);
static_assert(offsetof(ReminderEntry, After) == 16);
static_assert(offsetof(ReminderEntry, Skip) == 20);
static_assert(offsetof(ReminderEntry, MatchingDate) == 24);
static_assert(offsetof(ReminderEntry, Again) == 28);
static_assert(offsetof(ReminderEntry, Active) == 32);
static_assert(offsetof(ReminderEntry, Message) == 36);

struct EntryTableState {
    ReminderEntry* Slots;  // Capacity slots, null exactly when Capacity is 0
    int32_t Count;         // slots 0..Count-1 are in use
    int32_t Capacity;
    int32_t LoadedCount;   // entries read by the last load; the save removes sections beyond
};

extern EntryTableState EntryTable;

// Resizes the table to newCapacity slots (0: ten more than now), keeping the
// slots both sizes hold and zero-filling the new ones.  Returns 1.  When the
// storage cannot be had, or the size is negative or above MaxEntries, the
// table is emptied and the fatal "Not enough memory" box ends the program.
int GrowEntryTable(int32_t newCapacity);

// Frees the slots; Count and Capacity become 0, LoadedCount is kept.
void ReleaseEntryTable();

// Clamps a warning-day count into 0..9.
void ClampDays(int32_t& days);

// Repeat time of day: 0x8000 + 256 * hour + minute, 0 = none.
constexpr int32_t RemindTimeFlag = 0x8000;
int32_t EncodeRemindTime(uint32_t hour, uint32_t minute); // hour mod 24, minute mod 60
int RemindHour(int32_t code);
int RemindMinute(int32_t code);

#endif
